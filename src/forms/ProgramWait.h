// While a modal window shows (a modal form, a message or input box, a common dialog),
// every other window of the program waits: those that took input take none, and when
// the modal window is done exactly they take input again and the window that was
// active is active again.
#pragma once

#include <windows.h>

#include <vector>

class ProgramWait {
public:
    // Remembers the active window and the focus; nothing waits yet.
    ProgramWait();
    ~ProgramWait() { Restore(); }
    ProgramWait(const ProgramWait&) = delete;
    ProgramWait& operator=(const ProgramWait&) = delete;

    // Disables the enabled, visible top-level windows of the thread but keep (the modal
    // window itself, or a box's owner, which the box disables and enables on its own).
    void Disable(HWND keep = nullptr);
    // Enables exactly the windows Disable took, once. The window that was active gets the
    // activation and its focus back, unless another one than closing took it meanwhile.
    void Restore(HWND closing = nullptr);

private:
    std::vector<HWND> m_Disabled;
    HWND m_Active, m_Focus;
    bool m_Restored = false;
};
