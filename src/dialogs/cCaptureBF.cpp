#include "cCaptureBF.h"

#include <optional>

#include "AppError.h"
#include "ProgramWait.h"

namespace {
constexpr LONG kFrameStyles = WS_CAPTION | WS_THICKFRAME;  // 0xC40000 with WS_BORDER and WS_DLGFRAME
}

cCaptureBF::cCaptureBF() {
    m_cBF.Initialized = [this] { m_cBF_Initialized(); };
    m_cBF.SelectionChanged = [this](const std::string& sPath, bool& bAllowOk) {
        m_cBF_SelectionChanged(sPath, bAllowOk);
    };
}

cCaptureBF::~cCaptureBF() { m_Host = nullptr; }

void cCaptureBF::Reload(const std::string& folder) {
    m_Reloading = true;
    try {
        pCloseDialog(m_cBF.fhWnd());
    } catch (...) {
        m_Reloading = false;
        throw;
    }
    m_Reloading = false;
    m_cBF.InitialDir(folder);
    if (m_Host) Show(*m_Host);
}

void cCaptureBF::Show(ICaptureBF& host) {
    m_Host = &host;
    // The program's windows wait for the dialog; the host, shown once it starts, does not.
    // A reload runs inside the first showing, which already keeps them waiting.
    std::optional<ProgramWait> wait;
    if (m_ShowDepth == 0) wait.emplace().Disable();
    // The shell disables the owner and, its dialog destroyed from outside
    // rather than ended, may never enable it again.
    HWND owner = m_cBF.hwndOwner();
    const bool ownerEnabled = owner && IsWindow(owner) && IsWindowEnabled(owner);
    ++m_ShowDepth;
    try {
        m_cBF.BrowseForFolder();
    } catch (...) {
        // A reload that fails keeps the host, so the outer call still unloads it.
        if (--m_ShowDepth == 0) m_Host = nullptr;
        throw;
    }
    --m_ShowDepth;
    if (ownerEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (!m_Reloading && m_Host) {
        ICaptureBF* closing = m_Host;
        m_Host = nullptr;
        closing->Unload();
    }
}

void cCaptureBF::Unload() {
    m_Host = nullptr;
    HWND dialog = nullptr;
    try {
        dialog = m_cBF.fhWnd();
    } catch (const AppError&) {
        return;  // no dialog shows
    }
    if (dialog) pCloseDialog(dialog);
}

void cCaptureBF::m_cBF_Initialized() {
    if (!m_Host) return;
    HWND host = m_Host->CapturehWnd(m_cBF.hwndOwner());
    if (!host) return;
    RECT client{};
    GetClientRect(host, &client);
    HWND dialog = m_cBF.fhWnd();

    SetWindowLongA(dialog, GWL_STYLE, (GetWindowLongA(dialog, GWL_STYLE) & ~kFrameStyles) | WS_CHILD);
    SetWindowLongA(dialog, GWL_EXSTYLE, GetWindowLongA(dialog, GWL_EXSTYLE) & ~WS_EX_DLGMODALFRAME);
    SetParent(dialog, host);
    MoveWindow(dialog, 0, 0, client.right, client.bottom, TRUE);

    // The tree covers the whole dialog, its own title and buttons included.
    if (HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", ""))
        MoveWindow(tree, 0, 0, client.right, client.bottom, TRUE);

    // Tab moves from the host's buttons into the captured dialog.
    SetWindowLongA(host, GWL_EXSTYLE, GetWindowLongA(host, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    m_Host->CaptureBrowseForFolder(*this);
}

void cCaptureBF::m_cBF_SelectionChanged(const std::string& sPath, bool& /*bAllowOk*/) {
    if (m_Host) m_Host->SelectionChanged(sPath);
}

void cCaptureBF::pCloseDialog(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return;
    SetParent(hwnd, nullptr);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    DestroyWindow(hwnd);
}
