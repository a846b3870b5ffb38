#include "FolderDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include "mBrowseForFolder.h"

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
    s_Active = this;
    m_Timer = SetTimer(nullptr, 0, 30, Tick);
}

FolderDriver::~FolderDriver() {
    KillTimer(nullptr, m_Timer);
    if (s_Active == this) s_Active = nullptr;
    EXPECT_TRUE(Done()) << "FolderDriver: " << Failure();
}

std::string FolderDriver::Failure() const {
    if (!m_Failure.empty() || m_Steps.empty()) return m_Failure;
    return "step '" + m_Steps.front().what + "' never completed";
}

namespace {
BOOL CALLBACK MatchInTopWindow(HWND top, LPARAM p) {
    if (IsWindowVisible(top) && MatchFolderDialog(top, p)) EnumChildWindows(top, MatchFolderDialog, p);
    return *reinterpret_cast<HWND*>(p) == nullptr;
}
}  // namespace

HWND FolderDriver::FindFolderDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchInTopWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FolderDriver::HostButton(const char* caption) {
    HWND dialog = FindFolderDialog();
    if (!dialog || !(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) return nullptr;
    return FindWindowExA(GetAncestor(dialog, GA_ROOT), nullptr, "Button", caption);
}

FolderDriver& FolderDriver::WaitFor(const std::string& what, std::function<bool()> ready) {
    m_Steps.push_back({what, std::move(ready)});
    return *this;
}

FolderDriver& FolderDriver::Do(const std::string& what, std::function<void(HWND)> action) {
    return WaitFor(what, [action = std::move(action)] {
        HWND dialog = FindFolderDialog();
        if (dialog) action(dialog);
        return dialog != nullptr;
    });
}

FolderDriver& FolderDriver::SelectPath(const std::string& path) {
    return Do("select " + path, [path](HWND dialog) {
        if (!SelectFolderByNames(dialog, path))
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    });
}

FolderDriver& FolderDriver::SelectPath(const std::wstring& path) {
    return Do("select a wide path", [path](HWND dialog) {
        if (!SelectFolderByNames(dialog, path))
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    });
}

FolderDriver& FolderDriver::Press(const std::string& caption, std::function<void()> before) {
    return WaitFor("press " + caption, [caption, before = std::move(before)] {
        HWND button = HostButton(caption.c_str());
        // A message would click a button whose window takes no input, as no user could.
        if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button) || !IsWindowEnabled(GetAncestor(button, GA_ROOT)))
            return false;
        if (before) before();
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
        // Closing the host unloads it, and its unloading closes the dialog it holds.
        if (dialog) PostMessageA(GetAncestor(dialog, GA_ROOT), WM_CLOSE, 0, 0);
    } else if (m_Steps.empty() && !dialog) {
        m_StepStart = 0;
    } else {
        if (!m_StepStart) m_StepStart = GetTickCount();
        if (!m_Steps.empty() && m_Steps.front().attempt()) {
            m_Steps.pop_front();
            m_StepStart = 0;
        } else if (GetTickCount() - m_StepStart > m_StepTimeout) {
            // With every step run and the dialog still up, the call under test would never return.
            m_Failure = m_Steps.empty() ? "the folder dialog stayed open after the last step" : Failure() + " in time";
            m_Steps.clear();
        }
    }
    m_InTick = false;
}
