// A top-level window with the life of a form: load, show (modeless or modal),
// hide, unload with cancel; size in twips; key preview; menus.
//
// A form object is loaded once: after Unload it is released, and a new object
// is made for the next showing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Container.h"
#include "Menu.h"
#include "Picture.h"
#include "ProgramWait.h"

class Form : public Container {
public:
    enum class Border { Sizable, FixedSingle, FixedDialog, None };

    explicit Form(std::string name);
    ~Form() override;

    const std::string& Name() const { return m_Name; }
    Form* OwnerForm() override { return this; }

    // Design, before Load.
    void SetBorder(Border border) { m_BorderKind = border; }
    void SetControlBox(bool on) { m_ControlBox = on; }
    void SetWhatsThisHelp(bool on) { m_WhatsThisHelp = on; }
    void SetDesignClientSize(int widthTwips, int heightTwips);
    bool KeyPreview = false;

    const std::string& Caption() const { return m_Caption; }
    void SetCaption(const std::string& caption);
    const Picture& Icon() const { return m_Icon; }
    void SetIcon(const Picture& icon);
    MenuBar& Menus() { return m_Menus; }
    // A picture painted at the top left of the client area, under the controls.
    const Picture& GetPicture() const { return m_Picture; }
    void SetPicture(const Picture& picture);
    // The form's own cursor (custom pointer only).
    int MousePointer = 0;
    Picture MouseIcon;

    // Outer size and position in twips.
    int32_t Width() const;
    int32_t Height() const;
    void SetWidth(int32_t twips);
    void SetHeight(int32_t twips);
    // Client size in pixels.
    int ScaleWidth() const;
    int ScaleHeight() const;

    // Life.
    void Load();
    bool IsLoaded() const { return m_Window != nullptr; }
    void Show(bool modal = false, Form* owner = nullptr);
    void Hide();
    bool IsVisible() const;
    // Runs Form_QueryUnload, then Form_Unload; destroys the window unless either cancelled.
    // True when unloaded.
    bool Unload();
    // Runs Form_QueryUnload alone: whether the form may go.
    bool QueryUnload();

    // Key preview and menu shortcuts; true when the key was taken.
    bool PreviewKeyDown(int keyCode);
    void PreviewKeyUp(int keyCode);

    // What's This mode: the help pointer until the next click, which shows the
    // popup topic of the control under it from the program's help file. Escape
    // or a right click leaves the mode. Returns when the mode has ended.
    void WhatsThisMode();
    bool InWhatsThisMode() const { return m_WhatsThis; }
    // The help id of what lies at a client point (the form's own id: 0).
    int32_t HelpIdAt(POINT client) const;

    // Runs an event handler of this form through the dispatcher.
    void Run(const std::string& procedure, const std::function<void()>& handler);

protected:
    // Builds the design-time controls; runs inside Load before Form_Load.
    virtual void CreateControls() {}
    virtual void Form_Load() {}
    // Asks whether the form may go: before an unload, and when the Windows session is ending.
    virtual void Form_QueryUnload(bool& /*cancel*/) {}
    virtual void Form_Unload(bool& /*cancel*/) {}
    // Whether closing now would lose the user's work. Asked, without a word to the user, when the
    // session is to end while one of the program's boxes is showing.
    virtual bool UnsavedWork() { return false; }
    // The session ends while a box is showing: what closing does that must outlast the process,
    // with every window left in place, since the box's caller still runs beneath it.
    virtual void Form_SessionEnd() {}
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyUp(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    // A message the form layer leaves alone; return true when handled.
    virtual bool FormMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

    // Whether the Escape key now going up went down in this form, not in a box or another
    // window that took it: the key that ended a box must not also act on the form under it.
    bool EscapeWentDownHere() const { return m_EscapeDown; }

    // Destroys the window without events; derived forms call it first in their destructors.
    void Destroy();

    void OwnMouse(UINT msg, int button, int shift, int x, int y) override;
    HCURSOR OwnCursor() const override;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void RunModal();
    // Form_Unload and the window's end, the question already answered.
    bool UnloadAnswered();
    void KeyUpEvent(int keyCode);
    // Gives the windows a modal showing disabled back their input and the activation.
    void EndModal();

    std::string m_Name;
    std::string m_Caption;
    Picture m_Icon;
    Picture m_Picture;
    MenuBar m_Menus;
    Border m_BorderKind = Border::FixedSingle;
    bool m_ControlBox = true;
    bool m_WhatsThisHelp = false;
    int m_DesignW = 4800, m_DesignH = 3600;  // client size in twips
    bool m_Shown = false;
    bool m_WhatsThis = false;
    bool WhatsThisMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool m_Loading = false;
    bool m_EscapeDown = false;
    std::optional<ProgramWait> m_ModalWait;
};

// Shows a What's This popup topic; tests replace it. Returns the old one.
using HelpPopup = std::function<void(HWND owner, const std::string& helpFile, int32_t helpId)>;
HelpPopup SetHelpPopup(HelpPopup popup);

// Runs the thread's message loop while keepRunning answers true.
void RunMessageLoop(const std::function<bool()>& keepRunning);
