#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Control ids of the common dialogs, as measured under Wine.
constexpr int kFileNameCombo = 0x47c;  // explorer-style open dialog
constexpr int kFileNameEdit = 0x480;   // old-style open dialog
constexpr int kRedEdit = 0x2c2, kGreenEdit = 0x2c3, kBlueEdit = 0x2c4, kAddCustomColor = 0x2c8;
constexpr int kFaceCombo = 0x470, kStyleCombo = 0x471, kSizeCombo = 0x472;
constexpr UINT kTickMs = 40;
constexpr DWORD kClosingMs = 5000;

DialogDriver* gActiveDriver = nullptr;

bool Passed(DWORD deadline) { return static_cast<LONG>(GetTickCount() - deadline) >= 0; }

std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Visible dialogs of this thread; the enabled ones are the innermost modal.
std::vector<HWND> ThreadDialogs(bool enabledOnly) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && IsWindowVisible(w) &&
            (!enabledOnly || IsWindowEnabled(w)))
            found.push_back(w);
    return found;
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int ItemInt(HWND dialog, int id) {
    BOOL ok = FALSE;
    UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
    return ok ? static_cast<int>(value) : -1;
}

// Selects the item with exactly this text and tells the dialog, as a click in the list would.
bool SelectInCombo(HWND dialog, int id, const std::string& text) {
    HWND combo = GetDlgItem(dialog, id);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (!combo || index == CB_ERR) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

}  // namespace

DialogDriver::DialogDriver(DialogPlan plan, DWORD timeoutMs)
    : m_Plan(std::move(plan)), m_Deadline(GetTickCount() + timeoutMs) {
    if (gActiveDriver) {
        m_Failure = "another dialog driver is still armed";
        return;
    }
    gActiveDriver = this;
    m_Timer = SetTimer(nullptr, 0, kTickMs, &DialogDriver::Tick);
}

DialogDriver::~DialogDriver() {
    const bool done = Done();
    Stop();
    const bool expected = m_Plan.action != DialogPlan::Action::NoDialog;
    if (!m_Failure.empty()) ADD_FAILURE() << "Dialog driver: " << m_Failure;
    else if (expected && !m_Seen.appeared) ADD_FAILURE() << "Dialog driver: no dialog appeared";
    else if (expected && !done) ADD_FAILURE() << "Dialog driver: the dialog did not close";
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (gActiveDriver) gActiveDriver->OnTick();
}

void DialogDriver::OnTick() {
    // A callback that pumps messages must not start a second round.
    if (m_InTick) return;
    m_InTick = true;
    if (m_Closing) {
        // After a failure: cancel whatever is open, forcibly once the time is up.
        std::vector<HWND> open = ThreadDialogs(false);
        for (HWND w : open) {
            if (Passed(m_Deadline)) EndDialog(w, IDCANCEL);
            else if (IsWindowEnabled(w)) Press(w, IDCANCEL);
        }
        if (open.empty() || Passed(m_Deadline)) Stop();
    } else if (!m_Answered) {
        std::vector<HWND> dialogs = ThreadDialogs(true);
        if (!dialogs.empty()) m_Answered = Answer(m_Dialog = dialogs.front());
        else if (Passed(m_Deadline)) Fail("no dialog appeared before the deadline");
    } else if (!IsWindow(m_Dialog) || !IsWindowVisible(m_Dialog)) {
        Stop();
    } else {
        for (HWND other : ThreadDialogs(true))
            if (other != m_Dialog) Fail("a message box came up instead of an answer: \"" + TextOf(other) + "\"");
        if (Passed(m_Deadline)) Fail("the dialog did not close after the answer");
    }
    m_InTick = false;
}

bool DialogDriver::Answer(HWND dialog) {
    m_Seen.appeared = true;
    m_Seen.title = TextOf(dialog);
    if (GetDlgItem(dialog, kRedEdit)) {
        m_Seen.red = ItemInt(dialog, kRedEdit);
        m_Seen.green = ItemInt(dialog, kGreenEdit);
        m_Seen.blue = ItemInt(dialog, kBlueEdit);
    }
    if (GetDlgItem(dialog, kSizeCombo)) {
        m_Seen.face = TextOf(GetDlgItem(dialog, kFaceCombo));
        m_Seen.style = TextOf(GetDlgItem(dialog, kStyleCombo));
        m_Seen.size = TextOf(GetDlgItem(dialog, kSizeCombo));
    }
    const int nameBox = GetDlgItem(dialog, kFileNameCombo) ? kFileNameCombo : kFileNameEdit;
    if (GetDlgItem(dialog, nameBox)) m_Seen.fileName = TextOf(GetDlgItem(dialog, nameBox));

    using Action = DialogPlan::Action;
    if (m_Plan.action == Action::NoDialog) Fail("a dialog appeared: \"" + m_Seen.title + "\"");
    else if (WhileShown) WhileShown(dialog);
    if (m_Plan.action == Action::ChooseFile) {
        if (!GetDlgItem(dialog, nameBox)) Fail("\"" + m_Seen.title + "\" has no file name box");
        else if (!m_Plan.widePath.empty()) SetDlgItemTextW(dialog, nameBox, m_Plan.widePath.c_str());
        else SetDlgItemTextA(dialog, nameBox, m_Plan.path.c_str());
    } else if (m_Plan.action == Action::PickColor) {
        if (!GetDlgItem(dialog, kRedEdit) || !GetDlgItem(dialog, kGreenEdit) || !GetDlgItem(dialog, kBlueEdit) ||
            (m_Plan.addToCustom && !GetDlgItem(dialog, kAddCustomColor)))
            Fail("\"" + m_Seen.title + "\" has no red, green and blue boxes or no Add to Custom Colors button");
        for (auto [id, value] : {std::pair{kRedEdit, m_Plan.red}, {kGreenEdit, m_Plan.green}, {kBlueEdit, m_Plan.blue}})
            SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
        if (m_Plan.addToCustom)
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kAddCustomColor, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, kAddCustomColor)));
    } else if (m_Plan.action == Action::PickFont) {
        for (auto [id, text] : {std::pair{kFaceCombo, &m_Plan.face}, {kStyleCombo, &m_Plan.style}, {kSizeCombo, &m_Plan.size}})
            if (!text->empty() && m_Failure.empty() && !SelectInCombo(dialog, id, *text))
                Fail("\"" + *text + "\" is not in the list of control " + std::to_string(id) + " of \"" + m_Seen.title + "\"");
    }
    if (!m_Failure.empty()) return false;
    if (BeforeAnswer) BeforeAnswer(dialog);
    Press(dialog, m_Plan.action == Action::Cancel ? IDCANCEL : IDOK);
    return true;
}

void DialogDriver::Fail(const std::string& why) {
    if (m_Failure.empty()) m_Failure = why;
    if (!m_Closing) {
        m_Closing = true;
        m_Deadline = GetTickCount() + kClosingMs;
    }
}

void DialogDriver::Stop() {
    if (m_Timer) KillTimer(nullptr, m_Timer);
    m_Timer = 0;
    if (gActiveDriver == this) gActiveDriver = nullptr;
}

bool SelectListedFile(HWND dialog, const std::wstring& name) {
    HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    if (!list) return false;
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    const LRESULT index = SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find));
    if (index < 0) return false;
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return true;
}

void ExpectCentred(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_LE(std::abs(r.left - (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0), 0.5);
    EXPECT_LE(std::abs(r.top - (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0), 0.5);
}
