#include "Form.h"

#include <commctrl.h>

#include <utility>

#include "AppError.h"
#include "AppInfo.h"
#include "PictureBox.h"
#include "CommonControls.h"
#include "Events.h"
#include "Prompts.h"
#include "Twips.h"

namespace {
const char kClassName[] = "VexoForm";

void RegisterFormClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    done = true;
}
}  // namespace

namespace {
HelpPopup g_HelpPopup;
}

HelpPopup SetHelpPopup(HelpPopup popup) {
    HelpPopup old = std::move(g_HelpPopup);
    g_HelpPopup = std::move(popup);
    return old;
}

void RunEvent(Form* form, const std::string& procedure, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, procedure, form ? form->Name() : "?"), MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::exception& e) {
        MsgBox(ErrorMessageText(AppError(51, e.what()), procedure, form ? form->Name() : "?"),
               MB_OK | MB_ICONEXCLAMATION);
    }
}

Form::Form(std::string name) : m_Name(std::move(name)) {
    SetFont("Tahoma", 8.25);
    m_Menus.Runner = [this](MenuItem& item, const std::function<void()>& click) {
        Run(item.Name() + "_Click", click);
    };
}

Form::~Form() { Destroy(); }

void Form::Destroy() {
    if (!m_Window) return;
    HWND window = m_Window;
    SetMenu(window, nullptr);
    DestroyWindow(window);
}

void Form::Run(const std::string& procedure, const std::function<void()>& handler) {
    RunEvent(this, procedure, handler);
}

void Form::SetDesignClientSize(int widthTwips, int heightTwips) {
    m_DesignW = widthTwips;
    m_DesignH = heightTwips;
}

void Form::SetCaption(const std::string& caption) {
    m_Caption = caption;
    if (m_Window) SetWindowTextA(m_Window, caption.c_str());
}

void Form::SetIcon(const Picture& icon) {
    m_Icon = icon;
    if (m_Window) {
        SendMessageA(m_Window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.AsIcon()));
        SendMessageA(m_Window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.AsIcon()));
    }
}

void Form::SetPicture(const Picture& picture) {
    m_Picture = picture;
    if (m_Window) InvalidateRect(m_Window, nullptr, TRUE);
}

int32_t Form::Width() const {
    RECT r{};
    if (m_Window) GetWindowRect(m_Window, &r);
    return PixelsToTwipsX(r.right - r.left);
}

int32_t Form::Height() const {
    RECT r{};
    if (m_Window) GetWindowRect(m_Window, &r);
    return PixelsToTwipsY(r.bottom - r.top);
}

void Form::SetWidth(int32_t twips) {
    if (!m_Window) return;
    RECT r;
    GetWindowRect(m_Window, &r);
    SetWindowPos(m_Window, nullptr, 0, 0, TwipsToPixelsX(twips), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetHeight(int32_t twips) {
    if (!m_Window) return;
    RECT r;
    GetWindowRect(m_Window, &r);
    SetWindowPos(m_Window, nullptr, 0, 0, r.right - r.left, TwipsToPixelsY(twips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ScaleWidth() const {
    RECT r{};
    if (m_Window) GetClientRect(m_Window, &r);
    return r.right;
}

int Form::ScaleHeight() const {
    RECT r{};
    if (m_Window) GetClientRect(m_Window, &r);
    return r.bottom;
}

void Form::Load() {
    if (m_Window) return;
    RegisterFormClass();
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (m_BorderKind) {
    case Border::Sizable: style |= WS_OVERLAPPEDWINDOW; break;
    case Border::FixedSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case Border::FixedDialog: style |= WS_POPUP | WS_CAPTION | WS_SYSMENU; exStyle |= WS_EX_DLGMODALFRAME; break;
    case Border::None: style |= WS_POPUP; break;
    }
    if (!m_ControlBox) style &= ~(WS_SYSMENU | WS_MINIMIZEBOX);
    // No caption and no control box: no title bar at all, only the frame.
    if (!m_ControlBox && m_Caption.empty() && (style & WS_CAPTION)) style = (style & ~WS_CAPTION) | WS_DLGFRAME;
    if (m_WhatsThisHelp) exStyle |= WS_EX_CONTEXTHELP;

    const bool hasMenu = !m_Menus.TopLevel().empty();
    RECT r{0, 0, TwipsToPixelsX(m_DesignW), TwipsToPixelsY(m_DesignH)};
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    m_Window = CreateWindowExA(exStyle, kClassName, m_Caption.c_str(), style, CW_USEDEFAULT,
                               CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr,
                               hasMenu ? m_Menus.Handle() : nullptr, GetModuleHandleA(nullptr), this);
    if (!m_Window) RaiseLastError();
    SetWindowLongPtrA(m_Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
    m_Menus.SetWindow(m_Window);
    if (!m_Icon.Empty()) SetIcon(m_Icon);

    m_Loading = true;
    CreateControls();
    Run("Form_Load", [this] { Form_Load(); });
    m_Loading = false;
}

void Form::Show(bool modal, Form* owner) {
    Load();
    if (!m_Window) return;
    if (owner && owner->Hwnd()) SetWindowLongPtrA(m_Window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->Hwnd()));
    if (!m_Shown) {
        // Centred on the screen the first time it shows.
        RECT r;
        GetWindowRect(m_Window, &r);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        int x = work.left + ((work.right - work.left) - (r.right - r.left)) / 2;
        int y = work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2;
        SetWindowPos(m_Window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_Shown = true;
    }
    if (modal) m_ModalWait.emplace();
    ShowWindow(m_Window, SW_SHOW);
    UpdateWindow(m_Window);
    if (modal) RunModal();
}

void Form::RunModal() {
    if (m_ModalWait) m_ModalWait->Disable(m_Window);
    try {
        RunMessageLoop([this] { return IsLoaded() && IsVisible(); });
    } catch (...) {
        EndModal();
        throw;
    }
    EndModal();
}

void Form::EndModal() {
    if (!m_ModalWait) return;
    m_ModalWait->Restore(m_Window);
    m_ModalWait.reset();
}

void Form::Hide() {
    if (!m_Window) return;
    EndModal();
    ShowWindow(m_Window, SW_HIDE);
}

bool Form::IsVisible() const { return m_Window && IsWindowVisible(m_Window); }

bool Form::QueryUnload() {
    if (!m_Window) return true;
    bool cancel = false;
    Run("Form_QueryUnload", [&] { Form_QueryUnload(cancel); });
    return !cancel;
}

bool Form::Unload() { return QueryUnload() && UnloadAnswered(); }

bool Form::UnloadAnswered() {
    if (!m_Window) return true;
    bool cancel = false;
    Run("Form_Unload", [&] { Form_Unload(cancel); });
    if (cancel) return false;
    EndModal();
    Destroy();
    // Wake a message loop that waits for this form to go.
    PostMessageA(nullptr, WM_NULL, 0, 0);
    return true;
}

bool Form::PreviewKeyDown(int keyCode) {
    if (m_WhatsThis) {
        if (keyCode == VK_ESCAPE) {
            m_WhatsThis = false;
            ReleaseCapture();
        }
        return true;
    }
    if (keyCode == VK_ESCAPE) m_EscapeDown = true;
    const int shift = CurrentShiftState();
    if (KeyPreview) Run("Form_KeyDown", [&] { Form_KeyDown(keyCode, shift); });
    if (m_Menus.OnShortcut(static_cast<UINT>(keyCode), (shift & ShiftState::Ctrl) != 0, (shift & ShiftState::Shift) != 0,
                          (shift & ShiftState::Alt) != 0))
        return true;
    if (keyCode == VK_TAB && !(shift & (ShiftState::Ctrl | ShiftState::Alt))) {
        HWND next = GetNextDlgTabItem(m_Window, GetFocus(), (shift & ShiftState::Shift) != 0);
        if (next) SetFocus(next);
        return true;
    }
    return false;
}

void Form::PreviewKeyUp(int keyCode) {
    if (KeyPreview) KeyUpEvent(keyCode);
}

void Form::KeyUpEvent(int keyCode) {
    const int shift = CurrentShiftState();
    Run("Form_KeyUp", [&] { Form_KeyUp(keyCode, shift); });
    if (keyCode == VK_ESCAPE) m_EscapeDown = false;
}

void Form::OwnMouse(UINT msg, int button, int shift, int x, int y) {
    if (msg == WM_LBUTTONDOWN) Run("Form_MouseDown", [&] { Form_MouseDown(button, shift, float(x), float(y)); });
    else if (msg == WM_MOUSEMOVE) Run("Form_MouseMove", [&] { Form_MouseMove(button, shift, float(x), float(y)); });
    else {
        Run("Form_MouseUp", [&] { Form_MouseUp(button, shift, float(x), float(y)); });
        if (!m_Window) return;  // the release closed the form
        RECT client{};
        GetClientRect(m_Window, &client);
        if (button == MouseButton::Left && PtInRect(&client, POINT{x, y})) Run("Form_Click", [&] { Form_Click(); });
    }
}

HCURSOR Form::OwnCursor() const {
    return MousePointer == kCustomPointer ? MouseIcon.AsIcon() : nullptr;
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->DetachWindow();
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

int32_t Form::HelpIdAt(POINT client) const {
    // The deepest child window at the point, then a windowless control in it.
    HWND hwnd = m_Window;
    POINT pt = client;
    for (;;) {
        HWND child = ChildWindowFromPointEx(hwnd, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == hwnd) break;
        MapWindowPoints(hwnd, child, &pt, 1);
        hwnd = child;
    }
    WindowedControl* control = hwnd == m_Window ? nullptr : WindowedControl::FromHwnd(hwnd);
    const Container* container = hwnd == m_Window ? this : dynamic_cast<Container*>(control);
    if (container)
        if (Control* c = container->HitTest(pt))
            if (c->WhatsThisHelpID() != 0) return c->WhatsThisHelpID();
    for (; control; control = dynamic_cast<WindowedControl*>(control->GetContainer())) {
        if (control->WhatsThisHelpID() != 0) return control->WhatsThisHelpID();
        if (!dynamic_cast<PictureBox*>(control->GetContainer())) break;
    }
    return 0;
}

void Form::WhatsThisMode() {
    if (!m_Window || m_WhatsThis) return;
    m_WhatsThis = true;
    SetCapture(m_Window);
    SetCursor(LoadCursor(nullptr, IDC_HELP));
    RunMessageLoop([this] { return m_WhatsThis && IsLoaded(); });
    m_WhatsThis = false;
    if (GetCapture() == m_Window) ReleaseCapture();
}

bool Form::WhatsThisMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HELP));
        return true;
    case WM_LBUTTONDOWN: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int32_t id = HelpIdAt(pt);
        m_WhatsThis = false;
        ReleaseCapture();
        if (id != 0) {
            if (g_HelpPopup) g_HelpPopup(m_Window, AppHelpFile(), id);
            else WinHelpA(m_Window, AppHelpFile().c_str(), HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(id));
        }
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        return true;
    case WM_RBUTTONDOWN:
        m_WhatsThis = false;
        ReleaseCapture();
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            m_WhatsThis = false;
            ReleaseCapture();
        }
        return true;
    case WM_CAPTURECHANGED:
        m_WhatsThis = false;
        return false;
    default:
        return false;
    }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_WhatsThis && WhatsThisMessage(msg, wParam, lParam)) return 0;
    if (FormMessage(msg, wParam, lParam, result)) return result;
    bool handled = false;
    result = HandleContainerMessage(msg, wParam, lParam, handled);
    if (handled) return result;
    switch (msg) {
    case WM_COMMAND:
        if (lParam == 0 && m_Menus.OnCommand(LOWORD(wParam))) return 0;
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam) && m_Menus.OnInitMenuPopup(reinterpret_cast<HMENU>(wParam))) return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (PreviewKeyDown(static_cast<int>(wParam))) return 0;
        if (!KeyPreview) Run("Form_KeyDown", [&] { Form_KeyDown(static_cast<int>(wParam), CurrentShiftState()); });
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        PreviewKeyUp(static_cast<int>(wParam));
        if (!KeyPreview) KeyUpEvent(static_cast<int>(wParam));
        break;
    case WM_ACTIVATE:
        // A key that went down here and comes up after another window took over is not ours.
        if (LOWORD(wParam) == WA_INACTIVE) m_EscapeDown = false;
        break;
    case WM_ENABLE:
        if (!wParam) m_EscapeDown = false;
        break;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(m_Window, &r);
        if (!m_BackBrush) m_BackBrush.Reset(CreateSolidBrush(ResolveColor(m_Back)));
        FillRect(reinterpret_cast<HDC>(wParam), &r, m_BackBrush.Get());
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_Window, &ps);
        if (!m_Picture.Empty()) m_Picture.Draw(dc, 0, 0);
        PaintWindowless(dc);
        EndPaint(m_Window, &ps);
        return 0;
    }
    case WM_CLOSE:
        Unload();
        return 0;
    // Log-off and shutdown ask as closing does; once the session does end (lParam 0 at
    // shutdown), the closing work runs before the system ends the process.
    case WM_QUERYENDSESSION:
        // The user is already answering a box: a second question would stack on it and keep the
        // system waiting, so the answer comes at once, and unsaved work keeps the session.
        if (PromptsShowing() > 0) {
            bool unsaved = true;
            Run("Form_QueryUnload", [&] { unsaved = UnsavedWork(); });
            return unsaved ? FALSE : TRUE;
        }
        return QueryUnload() ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (!wParam) return 0;
        if (PromptsShowing() > 0) Run("Form_Unload", [this] { Form_SessionEnd(); });
        else UnloadAnswered();
        return 0;
    case WM_SIZE:
        for (WindowedControl* c : WindowedChildren())
            if (auto* bar = dynamic_cast<StatusBar*>(c)) bar->Layout();
        break;
    default:
        break;
    }
    return DefWindowProcA(m_Window, msg, wParam, lParam);
}

void RunMessageLoop(const std::function<bool()>& keepRunning) {
    MSG msg;
    while (keepRunning()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
