#include "Container.h"

#include <commctrl.h>

#include <algorithm>

#include "Form.h"
#include "Label.h"
#include "Twips.h"

Container::~Container() {
    for (Control* c : m_Windowless) c->m_Container = nullptr;
    for (WindowedControl* c : m_Windowed) c->m_Container = nullptr;
    if (m_Tooltip) DestroyWindow(m_Tooltip);
}

HFONT Container::Font() const {
    if (m_Font) return m_Font.Get();
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Container::SetFont(const char* face, double points, bool bold) {
    m_Font.Reset(CreateScreenFont(face, points, bold));
    for (WindowedControl* w : m_Windowed)
        if (w->Hwnd()) SendMessageA(w->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    if (m_Window) InvalidateRect(m_Window, nullptr, TRUE);
}

void Container::SetContainerBackColor(int32_t color) {
    m_Back = color;
    m_BackBrush.Reset();
    if (m_Window) InvalidateRect(m_Window, nullptr, TRUE);
}

void Container::Add(Control& control) {
    if (control.m_Container == this) return;
    if (control.m_Container) control.m_Container->Remove(control);
    m_Windowless.push_back(&control);
    control.AttachTo(*this);
    InvalidateArea(control.Bounds());
    UpdateTool(control);
}

void Container::Remove(Control& control) {
    auto it = std::find(m_Windowless.begin(), m_Windowless.end(), &control);
    if (it == m_Windowless.end()) return;
    m_Windowless.erase(it);
    if (m_Captured == &control) m_Captured = nullptr;
    if (m_Tooltip) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = m_Window;
        ti.uId = reinterpret_cast<UINT_PTR>(&control);
        SendMessageA(m_Tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    InvalidateArea(control.Bounds());
    control.m_Container = nullptr;
}

void Container::AddWindowed(WindowedControl& control) {
    if (std::find(m_Windowed.begin(), m_Windowed.end(), &control) == m_Windowed.end())
        m_Windowed.push_back(&control);
    control.m_Container = this;
}

void Container::RemoveWindowed(WindowedControl& control) {
    std::erase(m_Windowed, &control);
    if (m_Tooltip && control.Hwnd()) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = m_Window;
        ti.uId = reinterpret_cast<UINT_PTR>(control.Hwnd());
        SendMessageA(m_Tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

Control* Container::HitTest(POINT pt) const {
    for (auto it = m_Windowless.rbegin(); it != m_Windowless.rend(); ++it) {
        Control* c = *it;
        if (!c->Visible() || !c->Enabled()) continue;
        RECT r = c->Bounds();
        if (PtInRect(&r, pt)) return c;
    }
    return nullptr;
}

void Container::InvalidateArea(const RECT& area) {
    if (m_Window) InvalidateRect(m_Window, &area, FALSE);
}

void Container::EnsureTooltip() {
    if (m_Tooltip || !m_Window) return;
    m_Tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_Window,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(m_Tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
}

void Container::UpdateTool(Control& control) {
    // A windowed control is its own tool, so its tip follows it into another parent.
    HWND own = control.IsWindowless() ? nullptr : static_cast<WindowedControl&>(control).Hwnd();
    if (!m_Window || (!control.IsWindowless() && !own)) return;
    if (control.ToolTipText().empty() && !m_Tooltip) return;
    EnsureTooltip();
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = own ? TTF_SUBCLASS | TTF_IDISHWND : TTF_SUBCLASS;
    ti.hwnd = m_Window;
    ti.uId = own ? reinterpret_cast<UINT_PTR>(own) : reinterpret_cast<UINT_PTR>(&control);
    SendMessageA(m_Tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (control.ToolTipText().empty() || (!own && !control.Visible())) return;
    ti.rect = control.Bounds();
    ti.lpszText = const_cast<char*>(control.ToolTipText().c_str());
    SendMessageA(m_Tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Container::PaintWindowless(HDC dc) {
    for (Control* c : m_Windowless) {
        if (!c->Visible()) continue;
        if (auto* label = dynamic_cast<Label*>(c)) label->Paint(dc, Font());
        else if (auto* image = dynamic_cast<Image*>(c)) image->Paint(dc);
    }
}

void Container::DetachWindow() {
    if (m_Tooltip) {
        DestroyWindow(m_Tooltip);
        m_Tooltip = nullptr;
    }
    m_Captured = nullptr;
    m_CaptureSelf = false;
    m_Window = nullptr;
}

namespace {
int ButtonOf(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return MouseButton::Left;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return MouseButton::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return MouseButton::Middle;
    default: {
        int b = 0;
        if (wParam & MK_LBUTTON) b |= MouseButton::Left;
        if (wParam & MK_RBUTTON) b |= MouseButton::Right;
        if (wParam & MK_MBUTTON) b |= MouseButton::Middle;
        return b;
    }
    }
}
int ShiftOf(WPARAM wParam) {
    int s = 0;
    if (wParam & MK_SHIFT) s |= ShiftState::Shift;
    if (wParam & MK_CONTROL) s |= ShiftState::Ctrl;
    if (GetKeyState(VK_MENU) < 0) s |= ShiftState::Alt;
    return s;
}
bool IsDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
bool IsUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }
}  // namespace

void Container::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int button = ButtonOf(msg, wParam);
    const int shift = ShiftOf(wParam);

    Control* target = nullptr;
    bool self = false;
    if (m_Captured) target = m_Captured;
    else if (m_CaptureSelf) self = true;
    else if (!(target = HitTest(pt))) self = true;

    if (IsDown(msg)) {
        SetCapture(m_Window);
        m_Captured = target;
        m_CaptureSelf = self;
    }
    const UINT kind = IsDown(msg) ? WM_LBUTTONDOWN : IsUp(msg) ? WM_LBUTTONUP : WM_MOUSEMOVE;
    if (IsUp(msg) && (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        m_Captured = nullptr;
        m_CaptureSelf = false;
        if (GetCapture() == m_Window) ReleaseCapture();
    }

    if (self) {
        OwnMouse(kind, button, shift, pt.x, pt.y);
        return;
    }
    const float x = float(pt.x - target->Left()), y = float(pt.y - target->Top());
    if (kind == WM_LBUTTONDOWN) target->FireMouse(target->MouseDown, "MouseDown", button, shift, x, y);
    else if (kind == WM_MOUSEMOVE) target->FireMouse(target->MouseMove, "MouseMove", button, shift, x, y);
    else {
        target->FireMouse(target->MouseUp, "MouseUp", button, shift, x, y);
        RECT r = target->Bounds();
        if (button == MouseButton::Left && PtInRect(&r, pt)) target->FireClick();
    }
}

LRESULT Container::HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        RouteMouse(msg, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        m_Captured = nullptr;
        m_CaptureSelf = false;
        handled = false;
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == m_Window && LOWORD(lParam) == HTCLIENT) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(m_Window, &pt);
            Control* c = m_Captured ? m_Captured : HitTest(pt);
            HCURSOR cursor = nullptr;
            if (c && c->MousePointer() == kCustomPointer) cursor = c->MouseIcon().AsIcon();
            else if (!c) cursor = OwnCursor();
            if (cursor) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        handled = false;
        return 0;
    case WM_COMMAND:
        if (lParam) {
            if (WindowedControl* c = WindowedControl::FromHwnd(reinterpret_cast<HWND>(lParam))) {
                c->OnCommand(HIWORD(wParam));
                return 0;
            }
        }
        handled = false;
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (WindowedControl* c = WindowedControl::FromHwnd(header->hwndFrom)) {
            LRESULT result = 0;
            if (c->OnNotify(header, result)) return result;
        }
        handled = false;
        return 0;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (WindowedControl* c = WindowedControl::FromHwnd(item->hwndItem))
            if (c->OnDrawItem(item)) return TRUE;
        handled = false;
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (WindowedControl* c = WindowedControl::FromHwnd(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(c->OnCtlColor(reinterpret_cast<HDC>(wParam)));
        handled = false;
        return 0;
    default:
        handled = false;
        return 0;
    }
}
