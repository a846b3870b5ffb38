#include "cBrowseForFolder.h"

#include <ole2.h>

#include "AppError.h"
#include "File.h"

namespace {
// The system's text for a code, as the system gives it (256 characters at most).
std::string SystemMessageAsGiven(DWORD code) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof text, nullptr);
    return StrFromPtrA(text);
}

[[noreturn]] void RaiseSystemError(DWORD code) {
    throw AppError(static_cast<int32_t>(cBrowseForFolder::kSystemErrorBase + code), SystemMessageAsGiven(code),
                   cBrowseForFolder::ErrorSource());
}

// The shell dialog wants OLE on its thread; balanced within one call.
class OleScope {
public:
    OleScope() : m_Ok(SUCCEEDED(OleInitialize(nullptr))) {}
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    ~OleScope() {
        if (m_Ok) OleUninitialize();
    }

private:
    bool m_Ok;
};
}  // namespace

cBrowseForFolder::cBrowseForFolder() : m_Title("Seleziona Cartella") {}

std::string cBrowseForFolder::ErrorSource() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name + ".cBrowseForFolder";
}

std::string cBrowseForFolder::SpecialFolderLocation(int eFolder) {
    LPITEMIDLIST raw = nullptr;
    const HRESULT hr = SHGetSpecialFolderLocation(m_hwndOwner, eFolder, &raw);
    Pidl pidl(raw);
    if (hr != S_OK) return std::string();
    return UsablePath(GetPathFromIDList(pidl.Get()));
}

UINT cBrowseForFolder::Flags() const {
    UINT flags = 0;
    if (m_EditBox) flags |= BIF_EDITBOX;
    if (m_StatusText) flags |= BIF_STATUSTEXT;
    if (m_FileSystemOnly) flags |= BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    if (m_ValidateEditBox) flags |= BIF_VALIDATE;
    if (m_UseNewUI) flags |= BIF_NEWDIALOGSTYLE;
    if (m_IncludeFiles) flags |= BIF_BROWSEINCLUDEFILES;
    return flags;
}

std::string cBrowseForFolder::BrowseForFolder() {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = m_hwndOwner;
    info.pszDisplayName = displayName;
    info.lpszTitle = m_Title.c_str();
    info.ulFlags = Flags();
    info.lpfn = BrowseCallbackProc;
    info.lParam = reinterpret_cast<LPARAM>(this);
    info.iImage = 0;

    Pidl root;
    if (!m_RootDir.empty()) root = pPathToPidl(m_RootDir);
    info.pidlRoot = root.Get();
    Pidl initial;
    if (!m_InitialDir.empty()) initial = pPathToPidl(m_InitialDir);

    OleScope ole;
    const unsigned mine = ++m_Opened;
    m_InitialPidl = initial.Get();
    m_Shown = true;
    Pidl chosen(SHBrowseForFolderA(&info));
    m_hWnd = nullptr;
    m_Shown = false;
    m_InitialPidl = nullptr;
    // A dialog opened inside this one (a reload) closed last: its name stays.
    // A cancel names nothing, whatever the shell left in the buffer.
    if (mine == m_Opened) m_DisplayName = chosen.Get() ? StrFromPtrA(displayName) : std::string();
    return UsablePath(GetPathFromIDList(chosen.Get()));
}

void cBrowseForFolder::RequireShown() const {
    if (!m_Shown) throw AppError(kErrNotDisplayed, "Operation invalid unless dialog is displayed.", ErrorSource());
}

HWND cBrowseForFolder::fhWnd() const {
    RequireShown();
    return m_hWnd;
}

void cBrowseForFolder::SetFolder(const std::string& path) {
    RequireShown();
    std::string full = path;
    Pidl pidl = pPathToPidl(full);
    SendMessageA(m_hWnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(pidl.Get()));
    SetFocus(m_hWnd);
}

void cBrowseForFolder::SetStatus(const std::string& text) {
    RequireShown();
    SendMessageA(m_hWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void cBrowseForFolder::fInitialized(HWND hwnd) {
    m_hWnd = hwnd;
    if (Initialized) Initialized();
}

void cBrowseForFolder::fSelectionChanged(HWND hwnd, const std::string& path) {
    ++m_Selections;
    bool allowOk = true;
    if (SelectionChanged) SelectionChanged(path, allowOk);
    if (!allowOk) SendMessageA(hwnd, BFFM_ENABLEOK, 0, 0);
}

int32_t cBrowseForFolder::fValidateFailed(HWND /*hwnd*/, const std::string& text) {
    bool keepOpen = false;
    if (ValidateFailed) ValidateFailed(text, keepOpen);
    return keepOpen ? 1 : 0;
}

Pidl cBrowseForFolder::pPathToPidl(std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (n == 0) RaiseSystemError(GetLastError());
    // A longer result did not fit: the buffer holds no path at all.
    if (n >= MAX_PATH) RaiseSystemError(ERROR_FILENAME_EXCED_RANGE);
    path = full;

    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return Pidl();
    std::wstring wide = AnsiToWide(path);
    LPITEMIDLIST raw = nullptr;
    const HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &raw, nullptr);
    desktop->Release();
    Pidl pidl(raw);
    if (hr >= 1) return Pidl();
    return pidl;
}
