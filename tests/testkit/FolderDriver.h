// Drives the shell's folder dialog from a test on the UI thread, captured in
// its host window or shown on its own.
//
// Queue steps, then call the code that shows the dialog. A timer on the test's
// thread fires inside the modal loops and runs the steps in order; each waits
// for what it needs until its deadline. A step that times out fails the test
// with its name, and the driver closes whatever is still open.
//
//     FolderDriver driver;
//     driver.WaitFor("start selected", [&] { return form.SelectedFolder() == start; }).PressOK();
//     capture.Show(form);
//     EXPECT_TRUE(driver.Done()) << driver.Failure();
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

class PromptScript;

class FolderDriver {
public:
    explicit FolderDriver(DWORD stepTimeoutMs = 30000);
    // Fails the test when a step failed or steps were left, unless Done() was asked.
    ~FolderDriver();
    FolderDriver(const FolderDriver&) = delete;
    FolderDriver& operator=(const FolderDriver&) = delete;

    FolderDriver& WaitFor(const std::string& what, std::function<bool()> ready);
    // Runs an action once a folder dialog shows; it gets the dialog.
    FolderDriver& Do(const std::string& what, std::function<void(HWND dialog)> action);
    // Selects a folder (or a file, when the tree shows files) by the names in the
    // tree, as a click would, else with the shell's message.
    FolderDriver& SelectPath(const std::string& path);
    // The host's buttons when the dialog is captured, else the dialog's own.
    FolderDriver& PressOK();
    FolderDriver& PressCancel();
    FolderDriver& PressClose();  // the host's close box
    // "&New...", with the answer its input box will get from the script.
    FolderDriver& PressNewFolder(PromptScript& prompts, const std::string& answer);

    bool Done() const;
    // What went wrong, or which step is still waiting.
    const std::string& Failure() const;

    // The thread's folder dialog (a #32770 holding a folder tree), captured or not; or 0.
    static HWND FindFolderDialog();
    // The top-level window that holds the captured dialog, or 0.
    static HWND FindHost();
    static HWND HostButton(const char* caption);

private:
    struct Step {
        std::string what, waiting;
        std::function<bool()> attempt;  // true once done
    };
    FolderDriver& Add(const std::string& what, const std::string& waiting, std::function<bool()> attempt);
    FolderDriver& Press(const char* caption, int dialogId);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    void Fail(const std::string& why);

    std::deque<Step> m_Steps;
    std::string m_Failure;
    mutable std::string m_Pending;
    mutable bool m_Checked = false;
    DWORD m_StepTimeout, m_StepStart = 0;
    UINT_PTR m_Timer = 0;
    bool m_InTick = false, m_Closing = false;
    int m_StepNumber = 0;
};
