#include "FolderDriver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include "PromptScript.h"

namespace {
FolderDriver* s_Active = nullptr;

BOOL CALLBACK MatchFolderDialog(HWND hwnd, LPARAM found) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (!IsWindowVisible(hwnd) || lstrcmpA(name, "#32770") != 0 || !FindWindowExA(hwnd, nullptr, "SysTreeView32", nullptr))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

FolderDriver::FolderDriver(DWORD stepTimeoutMs) : m_StepTimeout(stepTimeoutMs) {
    if (s_Active) ADD_FAILURE() << "FolderDriver: another driver is still active";
    s_Active = this;
    m_Timer = SetTimer(nullptr, 0, 30, Tick);
}

FolderDriver::~FolderDriver() {
    KillTimer(nullptr, m_Timer);
    if (s_Active == this) s_Active = nullptr;
    if (!m_Checked && !Done()) ADD_FAILURE() << "FolderDriver: " << Failure();
}

bool FolderDriver::Done() const {
    m_Checked = true;
    return m_Steps.empty() && m_Failure.empty();
}

std::string FolderDriver::Failure() const {
    if (!m_Failure.empty() || m_Steps.empty()) return m_Failure;
    return "step " + std::to_string(m_StepNumber) + " '" + m_Steps.front().what + "' never completed";
}

HWND FolderDriver::FindFolderDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM p) -> BOOL {
            if (IsWindowVisible(top) && MatchFolderDialog(top, p)) EnumChildWindows(top, MatchFolderDialog, p);
            return *reinterpret_cast<HWND*>(p) == nullptr;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FolderDriver::FindHost() {
    HWND dialog = FindFolderDialog();
    if (!dialog || !(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) return nullptr;
    return GetAncestor(dialog, GA_ROOT);
}

HWND FolderDriver::HostButton(const char* caption) {
    HWND host = FindHost();
    return host ? FindWindowExA(host, nullptr, "Button", caption) : nullptr;
}

FolderDriver& FolderDriver::Add(const std::string& what, std::function<bool()> attempt) {
    m_Steps.push_back({what, std::move(attempt)});
    return *this;
}

FolderDriver& FolderDriver::WaitFor(const std::string& what, std::function<bool()> ready) {
    return Add(what, std::move(ready));
}

FolderDriver& FolderDriver::Do(const std::string& what, std::function<void(HWND)> action) {
    return Add(what, [action = std::move(action)] {
        HWND dialog = FindFolderDialog();
        if (dialog) action(dialog);
        return dialog != nullptr;
    });
}

FolderDriver& FolderDriver::SelectPath(const std::string& path) {
    return Do("select " + path, [path](HWND dialog) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    });
}

FolderDriver& FolderDriver::Press(const char* caption) {
    return Add(std::string("press ") + caption, [caption] {
        HWND button = HostButton(caption);
        if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    });
}

FolderDriver& FolderDriver::PressOK() { return Press("OK"); }
FolderDriver& FolderDriver::PressCancel() { return Press("Cancel"); }

FolderDriver& FolderDriver::PressClose() {
    return Add("press the close box", [] {
        HWND host = FindHost();
        if (host) PostMessageA(host, WM_SYSCOMMAND, SC_CLOSE, 0);
        return host != nullptr;
    });
}

FolderDriver& FolderDriver::PressNewFolder(PromptScript& prompts, const std::string& answer) {
    return Add("press &New... answering \"" + answer + "\"", [&prompts, answer] {
        HWND button = HostButton("&New...");
        if (!button || !IsWindowEnabled(button)) return false;
        prompts.AnswerInput(answer);
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    });
}

void CALLBACK FolderDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_Active) s_Active->OnTick();
}

void FolderDriver::OnTick() {
    if (m_InTick) return;  // a step that pumps messages must not start a second round
    m_InTick = true;
    HWND dialog = FindFolderDialog();
    if (!m_Failure.empty()) {
        // The host's unloading closes the dialog it holds.
        if (HWND host = FindHost()) PostMessageA(host, WM_CLOSE, 0, 0);
        else if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (m_Steps.empty() && !dialog) {
        m_StepStart = 0;
    } else {
        if (!m_StepStart) m_StepStart = GetTickCount();
        if (!m_Steps.empty() && m_Steps.front().attempt()) {
            m_Steps.pop_front();
            ++m_StepNumber;
            m_StepStart = 0;
        } else if (GetTickCount() - m_StepStart > m_StepTimeout) {
            // With every step run and the dialog still up, the call under test would never return.
            m_Failure = m_Steps.empty() ? "the folder dialog stayed open after the last step" : Failure() + " in time";
            m_Steps.clear();
        }
    }
    m_InTick = false;
}
