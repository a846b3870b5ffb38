// Controls: the common part of windowless and windowed controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "Gdi.h"
#include "Picture.h"

class Container;
class Form;

// Mouse buttons and shift state as the events pass them.
namespace MouseButton {
constexpr int Left = 1, Right = 2, Middle = 4;
}
namespace ShiftState {
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}
constexpr int kCustomPointer = 99;

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

class Control {
public:
    explicit Control(std::string name, int index = -1) : m_Name(std::move(name)), m_Index(index) {}
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return m_Name; }
    int Index() const { return m_Index; }
    // "name_event", the procedure named in error messages.
    std::string ProcName(const char* event) const { return m_Name + "_" + event; }

    Container* GetContainer() const { return m_Container; }
    Form* ParentForm() const;

    // Position and size in the container's pixels.
    int Left() const { return m_Rect.left; }
    int Top() const { return m_Rect.top; }
    int Width() const { return m_Rect.right - m_Rect.left; }
    int Height() const { return m_Rect.bottom - m_Rect.top; }
    RECT Bounds() const { return m_Rect; }
    virtual void Move(int left, int top, int width = -1, int height = -1);

    bool Visible() const { return m_Visible; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return m_Enabled; }
    virtual void SetEnabled(bool enabled);

    const std::string& ToolTipText() const { return m_ToolTip; }
    virtual void SetToolTipText(const std::string& text);
    int32_t WhatsThisHelpID() const { return m_HelpId; }
    void SetWhatsThisHelpID(int32_t id) { m_HelpId = id; }

    // Cursor: the default one, or MouseIcon when MousePointer is kCustomPointer.
    int MousePointer() const { return m_MousePointer; }
    void SetMousePointer(int pointer) { m_MousePointer = pointer; }
    const Picture& MouseIcon() const { return m_MouseIcon; }
    void SetMouseIcon(const Picture& icon) { m_MouseIcon = icon; }

    // Events.
    MouseHandler MouseDown, MouseMove, MouseUp;
    std::function<void()> Click;

    // Fires an event through the form's dispatcher (errors are reported, never thrown).
    void FireMouse(const MouseHandler& handler, const char* event, int button, int shift, float x,
                   float y);
    void FireClick();

    virtual bool IsWindowless() const { return true; }

protected:
    friend class Container;
    virtual void AttachTo(Container& container) { m_Container = &container; }
    Container* m_Container = nullptr;
    RECT m_Rect{0, 0, 0, 0};
    bool m_Visible = true;
    bool m_Enabled = true;

private:
    std::string m_Name;
    int m_Index;
    std::string m_ToolTip;
    int32_t m_HelpId = 0;
    int m_MousePointer = 0;
    Picture m_MouseIcon;
};

// A control with a window of its own.
class WindowedControl : public Control {
public:
    using Control::Control;
    ~WindowedControl() override;

    HWND Hwnd() const { return m_Hwnd; }
    bool IsWindowless() const override { return false; }

    void Move(int left, int top, int width = -1, int height = -1) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetToolTipText(const std::string& text) override;

    // Moves the control into another container, keeping its position there.
    void SetContainer(Container& container);

    int32_t BackColor() const { return m_BackColor; }
    virtual void SetBackColor(int32_t color);

    // Messages the container passes on.
    virtual void OnCommand(WORD /*code*/) {}
    virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    virtual HBRUSH OnCtlColor(HDC dc);
    virtual bool OnDrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }

    static WindowedControl* FromHwnd(HWND hwnd);

protected:
    // Creates the window in the container at the control's bounds.
    void CreateWindowed(Container& container, const char* className, DWORD style, DWORD exStyle,
                        const std::string& text, void* createParam = nullptr);
    virtual LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_Hwnd = nullptr;
    int32_t m_BackColor = SystemColor(COLOR_BTNFACE);
    Brush m_BackBrush;

private:
    static LRESULT CALLBACK SubclassThunk(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

// The shift state of the keyboard right now.
int CurrentShiftState();
