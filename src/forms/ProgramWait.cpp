#include "ProgramWait.h"

namespace {
struct EnabledWindows {
    HWND keep;
    std::vector<HWND> found;
};

// A named function, not a lambda: 32-bit builds need the callback's calling convention.
BOOL CALLBACK AddEnabledWindow(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<EnabledWindows*>(lParam);
    if (hwnd != s->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) s->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

ProgramWait::ProgramWait() : m_Active(GetActiveWindow()), m_Focus(GetFocus()) {}

void ProgramWait::Disable(HWND keep) {
    EnabledWindows search{keep, {}};
    EnumThreadWindows(GetCurrentThreadId(), AddEnabledWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND w : search.found) EnableWindow(w, FALSE);
    m_Disabled.insert(m_Disabled.end(), search.found.begin(), search.found.end());
}

void ProgramWait::Restore(HWND closing) {
    if (m_Restored) return;
    m_Restored = true;
    for (HWND w : m_Disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    m_Disabled.clear();
    // As a modal dialog does: the window that was active before gets the activation and
    // its focus back while the closing one still shows, so none is left without.
    const HWND back = m_Active, focus = m_Focus;
    const HWND active = GetActiveWindow();
    if (!back || back == closing || !IsWindow(back) || !IsWindowVisible(back)) return;
    if (active && active != closing && active != back) return;
    SetActiveWindow(back);
    if (focus && IsWindow(focus) && (focus == back || IsChild(back, focus))) SetFocus(focus);
}
