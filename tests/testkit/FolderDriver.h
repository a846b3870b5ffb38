// Drives the shell's folder dialog from a test on the UI thread, captured in
// its host window or shown on its own.
//
// Queue steps, then call the code that shows the dialog. A timer on the test's
// thread fires inside the modal loops (the shell's, and a reloaded dialog's
// nested one) and runs the steps in order; each waits for what it needs until
// its deadline. A step that times out fails the test with its name, and the
// driver closes whatever is still open so that the call under test returns.
//
//     FolderDriver driver;
//     driver.WaitFor("start selected", [&] { return form.SelectedFolder() == start; })
//           .PressNewFolder(prompts, "Fresh")
//           .WaitFor("new folder selected", [&] { return form.SelectedFolder() == fresh; })
//           .PressOK();
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
    // Fails the test when a step failed or steps were left; closes what is open.
    ~FolderDriver();
    FolderDriver(const FolderDriver&) = delete;
    FolderDriver& operator=(const FolderDriver&) = delete;

    // Waits until the test's condition holds.
    FolderDriver& WaitFor(const std::string& what, std::function<bool()> ready);
    // Runs an action inside the modal loop once a folder dialog shows; it gets the dialog.
    FolderDriver& Do(const std::string& what, std::function<void(HWND dialog)> action);
    // Selects a folder (or a file, when the tree shows files) by its path: by
    // the names in the tree, as a click would, else with the shell's message.
    FolderDriver& SelectPath(const std::string& path);
    // The host's buttons when the dialog is captured, else the dialog's own.
    FolderDriver& PressOK();
    FolderDriver& PressCancel();
    // The host's close box.
    FolderDriver& PressClose();
    // "&New...", with the answer its input box will get from the script.
    FolderDriver& PressNewFolder(PromptScript& prompts, const std::string& answer);

    // Every step ran. Asking makes the test's own check the one that reports.
    bool Done() const;
    // What went wrong, or which step is still waiting.
    const std::string& Failure() const;

    // The thread's folder dialog (a #32770 holding a folder tree), captured or not; or 0.
    static HWND FindFolderDialog();
    // The top-level window that holds the captured dialog, or 0.
    static HWND FindHost();
    // A button of the host window by its caption, or 0.
    static HWND HostButton(const char* caption);

private:
    struct Step {
        std::string what;
        // True once done; false to try again at the next tick.
        std::function<bool()> attempt;
        // Why it is still waiting, for the failure text.
        std::string waiting;
    };
    FolderDriver& Add(const std::string& what, const std::string& waiting, std::function<bool()> attempt);
    FolderDriver& Press(const char* caption, int dialogId);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    void Fail(const std::string& why);
    void CloseEverything();
    void Stop();

    std::deque<Step> m_Steps;
    std::string m_Failure;
    DWORD m_StepTimeout;
    DWORD m_StepStart = 0;
    bool m_StepStarted = false;
    mutable bool m_Checked = false;
    mutable std::string m_Pending;
    UINT_PTR m_Timer = 0;
    bool m_InTick = false;
    bool m_Closing = false;  // after a failure: closing what is still open
    DWORD m_CloseStart = 0;
    int m_StepNumber = 0;
};
