// Answers the real open, colour and font dialogs from a test on the UI thread. Arm a driver with a plan,
// then call the code that shows the dialog: a timer on the test's thread fires inside the dialog's modal
// loop, finds the dialog (the visible, enabled #32770 of the thread), records what it shows, fills it in
// and presses OK or Cancel. A plan that went wrong (no dialog by the deadline, a missing control, a
// message box instead of a closed dialog) fails the test when the driver goes out of scope, and never
// leaves a dialog open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct DialogPlan {
    enum class Action { ChooseFile, PickColor, PickFont, Cancel, NoDialog };
    Action action = Action::Cancel;
    std::string path;                  // ChooseFile: typed into the file name box
    std::wstring widePath;             // ChooseFile: typed instead, where the code page can't hold it
    int red = 0, green = 0, blue = 0;  // PickColor
    bool addToCustom = false;          // PickColor: also press "Add to Custom Colors"
    std::string face, style, size;     // PickFont: exact list texts; style and size optional

    // Fields a plan leaves out keep their defaults.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
    static DialogPlan ChooseFile(const std::string& fullPath) { return {.action = Action::ChooseFile, .path = fullPath}; }
    static DialogPlan ChooseFile(const std::wstring& typed) { return {.action = Action::ChooseFile, .widePath = typed}; }
    static DialogPlan PickColor(int r, int g, int b, bool addToCustom = false) {
        return {.action = Action::PickColor, .red = r, .green = g, .blue = b, .addToCustom = addToCustom};
    }
    static DialogPlan PickFont(const std::string& face, const std::string& size = "", const std::string& style = "") {
        return {.action = Action::PickFont, .face = face, .style = style, .size = size};
    }
    static DialogPlan Cancel() { return {}; }
    // The code under test must not show any dialog.
    static DialogPlan NoDialog() { return {.action = Action::NoDialog}; }
#pragma GCC diagnostic pop
};

// What the dialog showed when the driver first found it.
struct DialogSeen {
    bool appeared = false;
    std::string title;
    int red = -1, green = -1, blue = -1;  // colour dialog's edits
    std::string face, style, size;        // font dialog's boxes
    std::string fileName;                 // open dialog's file name box
};

class DialogDriver {
public:
    explicit DialogDriver(DialogPlan plan, DWORD timeoutMs = 30000);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Run inside the dialog: when it is first found, and after filling, just before the button.
    std::function<void(HWND dialog)> WhileShown;
    std::function<void(HWND dialog)> BeforeAnswer;

    const DialogSeen& Seen() const { return m_Seen; }
    // The dialog appeared, was answered as planned and closed.
    bool Done() const { return m_Failure.empty() && m_Answered && !IsWindow(m_Dialog); }
    const std::string& Failure() const { return m_Failure; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    bool Answer(HWND dialog);
    void Fail(const std::string& why);
    void Stop();

    DialogPlan m_Plan;
    DialogSeen m_Seen;
    HWND m_Dialog = nullptr;
    bool m_Answered = false, m_Closing = false, m_InTick = false;
    UINT_PTR m_Timer = 0;
    DWORD m_Deadline;
    std::string m_Failure;
};

// Selects the file of that name in an open dialog's list, as a click would, so that the
// dialog fills its name box itself (a name outside the code page stays whole there).
bool SelectListedFile(HWND dialog, const std::wstring& name);

// Expects the window centred on the screen, to the half pixel.
void ExpectCentred(HWND window);
