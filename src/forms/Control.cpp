#include "Control.h"

#include <commctrl.h>

#include "Container.h"
#include "Events.h"
#include "Form.h"

namespace {
const char kControlProp[] = "VexoControl";
}

// A control that goes before its container must not stay in its lists.
Control::~Control() {
    if (m_Container) m_Container->Remove(*this);
}

Form* Control::ParentForm() const { return m_Container ? m_Container->OwnerForm() : nullptr; }

void Control::Move(int left, int top, int width, int height) {
    if (width < 0) width = Width();
    if (height < 0) height = Height();
    RECT old = m_Rect;
    m_Rect = {left, top, left + width, top + height};
    if (m_Container) {
        m_Container->InvalidateArea(old);
        m_Container->InvalidateArea(m_Rect);
        m_Container->UpdateTool(*this);
    }
}

void Control::SetVisible(bool visible) {
    if (m_Visible == visible) return;
    m_Visible = visible;
    if (m_Container) {
        m_Container->InvalidateArea(m_Rect);
        m_Container->UpdateTool(*this);
    }
}

void Control::SetEnabled(bool enabled) {
    m_Enabled = enabled;
    if (m_Container) m_Container->InvalidateArea(m_Rect);
}

void Control::SetToolTipText(const std::string& text) {
    m_ToolTip = text;
    if (m_Container) m_Container->UpdateTool(*this);
}

void Control::FireMouse(const MouseHandler& handler, const char* event, int button, int shift,
                        float x, float y) {
    if (!handler) return;
    Form* form = ParentForm();
    RunEvent(form, ProcName(event), [&] { handler(button, shift, x, y); });
}

void Control::FireClick() {
    if (!Click) return;
    RunEvent(ParentForm(), ProcName("Click"), [&] { Click(); });
}

int CurrentShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ShiftState::Shift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ShiftState::Ctrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ShiftState::Alt;
    return shift;
}

// ---- windowed controls

WindowedControl::~WindowedControl() {
    if (m_Hwnd && IsWindow(m_Hwnd)) {
        RemoveWindowSubclass(m_Hwnd, SubclassThunk, 0);
        RemovePropA(m_Hwnd, kControlProp);
        DestroyWindow(m_Hwnd);
    }
    if (m_Container) {
        m_Container->RemoveWindowed(*this);
        m_Container = nullptr;
    }
}

WindowedControl* WindowedControl::FromHwnd(HWND hwnd) {
    return static_cast<WindowedControl*>(GetPropA(hwnd, kControlProp));
}

void WindowedControl::CreateWindowed(Container& container, const char* className, DWORD style,
                                     DWORD exStyle, const std::string& text, void* createParam) {
    container.AddWindowed(*this);
    m_Hwnd = CreateWindowExA(exStyle, className, text.c_str(),
                             WS_CHILD | style | (m_Visible ? WS_VISIBLE : 0) | (m_Enabled ? 0 : WS_DISABLED),
                             Left(), Top(), Width(), Height(), container.Hwnd(), nullptr,
                             GetModuleHandleA(nullptr), createParam);
    if (!m_Hwnd) return;
    SetPropA(m_Hwnd, kControlProp, this);
    SendMessageA(m_Hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(container.Font()), FALSE);
    SetWindowSubclass(m_Hwnd, SubclassThunk, 0, reinterpret_cast<DWORD_PTR>(this));
    if (!ToolTipText().empty()) container.UpdateTool(*this);
}

LRESULT CALLBACK WindowedControl::SubclassThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<WindowedControl*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassThunk, 0);
        RemovePropA(hwnd, kControlProp);
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        self->m_Hwnd = nullptr;
        return result;
    }
    LRESULT result = self->SubclassProc(hwnd, msg, wParam, lParam);
    return result;
}

LRESULT WindowedControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (Form* form = ParentForm())
            if (form->PreviewKeyDown(static_cast<int>(wParam))) return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (Form* form = ParentForm()) form->PreviewKeyUp(static_cast<int>(wParam));
        break;
    case WM_SETCURSOR:
        if (MousePointer() == kCustomPointer && MouseIcon().AsIcon() && LOWORD(lParam) == HTCLIENT) {
            SetCursor(MouseIcon().AsIcon());
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void WindowedControl::Move(int left, int top, int width, int height) {
    if (width < 0) width = Width();
    if (height < 0) height = Height();
    m_Rect = {left, top, left + width, top + height};
    if (m_Hwnd) MoveWindow(m_Hwnd, left, top, width, height, TRUE);
}

void WindowedControl::SetVisible(bool visible) {
    m_Visible = visible;
    if (m_Hwnd) ShowWindow(m_Hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void WindowedControl::SetEnabled(bool enabled) {
    m_Enabled = enabled;
    if (m_Hwnd) EnableWindow(m_Hwnd, enabled);
}

void WindowedControl::SetToolTipText(const std::string& text) {
    Control::SetToolTipText(text);
}

void WindowedControl::SetContainer(Container& container) {
    if (m_Container == &container) return;
    if (m_Container) m_Container->RemoveWindowed(*this);
    container.AddWindowed(*this);
    if (m_Hwnd) {
        SetParent(m_Hwnd, container.Hwnd());
        MoveWindow(m_Hwnd, Left(), Top(), Width(), Height(), TRUE);
    }
}

void WindowedControl::SetBackColor(int32_t color) {
    m_BackColor = color;
    m_BackBrush.Reset();
    if (m_Hwnd) InvalidateRect(m_Hwnd, nullptr, TRUE);
}

HBRUSH WindowedControl::OnCtlColor(HDC dc) {
    if (!m_BackBrush) m_BackBrush.Reset(CreateSolidBrush(ResolveColor(m_BackColor)));
    SetBkColor(dc, ResolveColor(m_BackColor));
    return m_BackBrush.Get();
}
