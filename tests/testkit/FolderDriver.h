// Drives the shell's folder dialog captured in its host window, from a test on
// the UI thread. Queue steps, then call the code that shows the dialog: a timer
// fires inside the modal loops and runs each step once its state holds. A step
// that times out fails with its name; the driver then closes what is open.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

class FolderDriver {
public:
    explicit FolderDriver(DWORD stepTimeoutMs = 30000);
    ~FolderDriver();  // fails the test unless Done()
    FolderDriver(const FolderDriver&) = delete;
    FolderDriver& operator=(const FolderDriver&) = delete;

    FolderDriver& WaitFor(const std::string& what, std::function<bool()> ready);
    // Runs once a folder dialog shows; it gets the dialog.
    FolderDriver& Do(const std::string& what, std::function<void(HWND dialog)> action);
    // By the names in the tree, as a click would: the shell's own message
    // compares each folder's time too, which another process may change.
    FolderDriver& SelectPath(const std::string& path);
    // The same for a path that the code page may not hold.
    FolderDriver& SelectPath(const std::wstring& path);
    // Clicks the host's button once it and its window take input, after running before.
    FolderDriver& Press(const std::string& caption, std::function<void()> before = {});

    bool Done() const { return m_Steps.empty() && m_Failure.empty(); }
    std::string Failure() const;  // what went wrong, or which step still waits

    // The thread's visible folder dialog (a #32770 holding a folder tree), or 0.
    static HWND FindFolderDialog();
    static HWND HostButton(const char* caption);

private:
    struct Step {
        std::string what;
        std::function<bool()> attempt;  // true once done
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::deque<Step> m_Steps;
    std::string m_Failure;
    DWORD m_StepTimeout, m_StepStart = 0;
    UINT_PTR m_Timer = 0;
    bool m_InTick = false;
};
