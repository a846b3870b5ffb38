#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Control ids of the common dialogs, as measured under Wine.
constexpr int kFileNameCombo = 0x47c;  // explorer-style open dialog
constexpr int kFileNameEdit = 0x480;   // old-style open dialog
constexpr int kRedEdit = 0x2c2, kGreenEdit = 0x2c3, kBlueEdit = 0x2c4;
constexpr int kAddCustomColor = 0x2c8;
constexpr int kFaceCombo = 0x470, kStyleCombo = 0x471, kSizeCombo = 0x472;

constexpr UINT kTickMs = 40;
constexpr DWORD kAbortMs = 5000;

DialogDriver* gActiveDriver = nullptr;

bool Passed(DWORD deadline) { return static_cast<LONG>(GetTickCount() - deadline) >= 0; }

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

// Visible top-level dialog windows of this thread; the enabled ones are the innermost modal.
std::vector<HWND> ThreadDialogs(bool enabledOnly) {
    std::pair<bool, std::vector<HWND>> search{enabledOnly, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& [onlyEnabled, found] = *reinterpret_cast<std::pair<bool, std::vector<HWND>>*>(lParam);
            if (ClassOf(window) == "#32770" && IsWindowVisible(window) && (!onlyEnabled || IsWindowEnabled(window)))
                found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string StaticTexts(HWND window) {
    std::string all;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (std::string text = WindowText(c); ClassOf(c) == "Static" && !text.empty())
            all += (all.empty() ? "" : " | ") + text;
    return all;
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
    LRESULT index = combo ? SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()))
                          : CB_ERR;
    if (index == CB_ERR) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

}  // namespace

DialogPlan DialogPlan::ChooseFile(const std::string& fullPath) {
    DialogPlan p;
    p.action = Action::ChooseFile;
    p.path = fullPath;
    return p;
}

DialogPlan DialogPlan::PickColor(int r, int g, int b, bool addToCustom) {
    DialogPlan p;
    p.action = Action::PickColor;
    p.red = r, p.green = g, p.blue = b;
    p.addToCustom = addToCustom;
    return p;
}

DialogPlan DialogPlan::PickFont(const std::string& face, const std::string& size, const std::string& style) {
    DialogPlan p;
    p.action = Action::PickFont;
    p.face = face, p.size = size, p.style = style;
    return p;
}

DialogPlan DialogPlan::Cancel() { return DialogPlan{}; }

DialogPlan DialogPlan::NoDialog() {
    DialogPlan p;
    p.action = Action::NoDialog;
    return p;
}

DialogDriver::DialogDriver(DialogPlan plan, DWORD timeoutMs)
    : m_Plan(std::move(plan)), m_Deadline(GetTickCount() + timeoutMs) {
    if (gActiveDriver) {
        Fail("another dialog driver is still armed");
    } else {
        gActiveDriver = this;
        m_Timer = SetTimer(nullptr, 0, kTickMs, &DialogDriver::Tick);
        if (!m_Timer) Fail("SetTimer failed");
    }
    if (!m_Failure.empty()) m_Phase = Phase::Stopped;
}

DialogDriver::~DialogDriver() {
    const bool done = Done();
    Stop();
    if (gActiveDriver == this) gActiveDriver = nullptr;

    const bool expectDialog = m_Plan.action != DialogPlan::Action::NoDialog;
    if (!m_Failure.empty()) ADD_FAILURE() << "Dialog driver: " << m_Failure;
    else if (expectDialog && !m_Seen.appeared) ADD_FAILURE() << "Dialog driver: no dialog appeared";
    else if (expectDialog && !done) ADD_FAILURE() << "Dialog driver: the dialog did not close";
}

// The dialog closes after the last tick, so closing is checked when asked.
bool DialogDriver::Done() const {
    return m_Done || (m_Phase == Phase::Answered && m_Failure.empty() && !IsWindow(m_Dialog));
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (gActiveDriver) gActiveDriver->OnTick();
}

void DialogDriver::OnTick() {
    // A callback that pumps messages must not start a second round.
    if (m_InTick) return;
    m_InTick = true;
    switch (m_Phase) {
    case Phase::Waiting: {
        std::vector<HWND> dialogs = ThreadDialogs(true);
        if (dialogs.empty()) {
            if (Passed(m_Deadline)) {
                Fail("no dialog appeared before the deadline");
                Stop();
            }
            break;
        }
        m_Dialog = dialogs.front();
        Record(m_Dialog);
        if (m_Plan.action == DialogPlan::Action::NoDialog) Fail("a dialog appeared: \"" + m_Seen.title + "\"");
        else if (WhileShown) WhileShown(m_Dialog);
        if (!m_Failure.empty() || !Fill(m_Dialog)) {
            Abort();
            break;
        }
        if (BeforeAnswer) BeforeAnswer(m_Dialog);
        Press(m_Dialog, m_Plan.action == DialogPlan::Action::Cancel ? IDCANCEL : IDOK);
        m_Phase = Phase::Answered;
        break;
    }
    case Phase::Answered:
        if (!IsWindow(m_Dialog) || !IsWindowVisible(m_Dialog)) {
            m_Done = m_Failure.empty();
            Stop();
            break;
        }
        for (HWND other : ThreadDialogs(true)) {
            if (other == m_Dialog) continue;
            m_Seen.messages.push_back(StaticTexts(other));
            Fail("a message box came up instead of an answer: \"" + m_Seen.messages.back() + "\"");
        }
        if (m_Failure.empty() && Passed(m_Deadline)) Fail("the dialog did not close after the answer");
        if (!m_Failure.empty()) Abort();
        break;
    case Phase::Aborting: {
        std::vector<HWND> open = ThreadDialogs(false);
        const bool force = Passed(m_AbortDeadline);
        for (HWND w : open) {
            if (force) EndDialog(w, IDCANCEL);
            else if (IsWindowEnabled(w)) Press(w, IDCANCEL);
        }
        if (open.empty() || force) Stop();
        break;
    }
    case Phase::Stopped: break;
    }
    m_InTick = false;
}

void DialogDriver::Record(HWND dialog) {
    m_Seen.appeared = true;
    m_Seen.title = WindowText(dialog);
    if (GetDlgItem(dialog, kRedEdit)) {
        m_Seen.red = ItemInt(dialog, kRedEdit);
        m_Seen.green = ItemInt(dialog, kGreenEdit);
        m_Seen.blue = ItemInt(dialog, kBlueEdit);
    }
    if (GetDlgItem(dialog, kSizeCombo)) {
        m_Seen.face = WindowText(GetDlgItem(dialog, kFaceCombo));
        m_Seen.style = WindowText(GetDlgItem(dialog, kStyleCombo));
        m_Seen.size = WindowText(GetDlgItem(dialog, kSizeCombo));
    }
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    if (box || (box = GetDlgItem(dialog, kFileNameEdit))) m_Seen.fileName = WindowText(box);
}

bool DialogDriver::Fill(HWND dialog) {
    auto missing = [&](const std::string& what) {
        Fail("\"" + m_Seen.title + "\" has no " + what);
        return false;
    };
    switch (m_Plan.action) {
    case DialogPlan::Action::ChooseFile: {
        int box = GetDlgItem(dialog, kFileNameCombo) ? kFileNameCombo : kFileNameEdit;
        if (!GetDlgItem(dialog, box)) return missing("file name box");
        SetDlgItemTextA(dialog, box, m_Plan.path.c_str());
        return true;
    }
    case DialogPlan::Action::PickColor: {
        const std::pair<int, int> channels[] = {
            {kRedEdit, m_Plan.red}, {kGreenEdit, m_Plan.green}, {kBlueEdit, m_Plan.blue}};
        for (const auto& channel : channels)
            if (!GetDlgItem(dialog, channel.first)) return missing("red, green and blue boxes");
        for (auto [id, value] : channels) SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
        HWND add = GetDlgItem(dialog, kAddCustomColor);
        if (m_Plan.addToCustom && !add) return missing("Add to Custom Colors button");
        if (m_Plan.addToCustom)
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kAddCustomColor, BN_CLICKED), reinterpret_cast<LPARAM>(add));
        return true;
    }
    case DialogPlan::Action::PickFont: {
        const std::pair<int, const std::string*> picks[] = {
            {kFaceCombo, &m_Plan.face}, {kStyleCombo, &m_Plan.style}, {kSizeCombo, &m_Plan.size}};
        for (auto [id, text] : picks)
            if (!text->empty() && !SelectInCombo(dialog, id, *text)) {
                Fail("\"" + *text + "\" is not in the list of control " + std::to_string(id) + " of \"" +
                     m_Seen.title + "\"");
                return false;
            }
        return true;
    }
    default: return true;
    }
}

void DialogDriver::Fail(const std::string& why) {
    if (m_Failure.empty()) m_Failure = why;
}

void DialogDriver::Abort() {
    m_Phase = Phase::Aborting;
    m_AbortDeadline = GetTickCount() + kAbortMs;
}

void DialogDriver::Stop() {
    if (m_Timer) KillTimer(nullptr, m_Timer);
    m_Timer = 0;
    if (m_Phase != Phase::Answered) m_Phase = Phase::Stopped;
}
