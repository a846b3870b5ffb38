#include "PictureBox.h"

#include <algorithm>

#include "Form.h"

namespace {
const char kClassName[] = "VexoPictureBox";

}  // namespace

void PictureBox::RegisterClassOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PictureBox::WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    done = true;
}

PictureBox::~PictureBox() {
    if (m_Window && IsWindow(m_Window)) DestroyWindow(m_Window);
    DetachWindow();
    if (m_Dc) {
        SelectObject(m_Dc, m_OldBitmap);
        DeleteObject(m_Bitmap);
        DeleteDC(m_Dc);
    }
}

Form* PictureBox::OwnerForm() { return ParentForm(); }

void PictureBox::Create(Container& container, int left, int top, int width, int height, bool border) {
    RegisterClassOnce();
    m_Rect = {left, top, left + width, top + height};
    m_Border = border;
    m_BackColor = SystemColor(COLOR_BTNFACE);
    CreateWindowed(container, kClassName, WS_CLIPSIBLINGS, border ? WS_EX_CLIENTEDGE : 0, "", this);
    SetFont("Tahoma", 8.25);
    int w, h;
    ClientSize(w, h);
    ResizeImage(w, h);
}

void PictureBox::ClientSize(int& w, int& h) const {
    RECT rc{0, 0, 0, 0};
    if (m_Hwnd) GetClientRect(m_Hwnd, &rc);
    w = std::max<int>(1, rc.right);
    h = std::max<int>(1, rc.bottom);
}

void PictureBox::ResizeImage(int width, int height) {
    if (m_Dc && width == m_ImageW && height == m_ImageH) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    Brush back(CreateSolidBrush(ResolveColor(m_BackColor)));
    FillRect(dc, &all, back.Get());
    if (m_Dc) {
        BitBlt(dc, 0, 0, std::min(width, m_ImageW), std::min(height, m_ImageH), m_Dc, 0, 0, SRCCOPY);
        SelectObject(m_Dc, m_OldBitmap);
        DeleteObject(m_Bitmap);
        DeleteDC(m_Dc);
    } else if (!m_Picture.Empty()) {
        m_Picture.Draw(dc, 0, 0);
    }
    m_Dc = dc;
    m_Bitmap = bitmap;
    m_OldBitmap = old;
    m_ImageW = width;
    m_ImageH = height;
}

void PictureBox::Move(int left, int top, int width, int height) {
    WindowedControl::Move(left, top, width, height);
    int w, h;
    ClientSize(w, h);
    ResizeImage(w, h);
}

void PictureBox::SetBackColor(int32_t color) {
    WindowedControl::SetBackColor(color);
    m_Back = color;
    Cls();
}

void PictureBox::SetBorder(bool border) {
    m_Border = border;
    if (!m_Hwnd) return;
    LONG ex = GetWindowLongA(m_Hwnd, GWL_EXSTYLE);
    SetWindowLongA(m_Hwnd, GWL_EXSTYLE, border ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE));
    SetWindowPos(m_Hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    int w, h;
    ClientSize(w, h);
    ResizeImage(w, h);
}

void PictureBox::SetPicture(const Picture& picture) {
    m_Picture = picture;
    Cls();
}

Picture PictureBox::Image() const {
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(m_Bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return Picture::FromBitmap(copy);
}

void PictureBox::Cls() {
    if (!m_Dc) return;
    RECT all{0, 0, m_ImageW, m_ImageH};
    Brush back(CreateSolidBrush(ResolveColor(m_BackColor)));
    FillRect(m_Dc, &all, back.Get());
    if (!m_Picture.Empty()) m_Picture.Draw(m_Dc, 0, 0);
    CurrentX = CurrentY = 0;
    Refresh();
}

void PictureBox::PSet(int x, int y, int32_t color) {
    SetPixel(m_Dc, x, y, ResolveColor(color));
    RECT r{x, y, x + 1, y + 1};
    InvalidateArea(r);
}

void PictureBox::Line(int x1, int y1, int x2, int y2, int32_t color, LineKind kind) {
    const COLORREF c = ResolveColor(color);
    if (kind == LineKind::Line) {
        Pen pen(CreatePen(PS_SOLID, 1, c));
        SelectGuard keep(m_Dc, pen.Get());
        MoveToEx(m_Dc, x1, y1, nullptr);
        LineTo(m_Dc, x2, y2);
    } else {
        RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
        Brush brush(CreateSolidBrush(c));
        if (kind == LineKind::FilledBox) FillRect(m_Dc, &r, brush.Get());
        else FrameRect(m_Dc, &r, brush.Get());
    }
    CurrentX = x2;
    CurrentY = y2;
    Refresh();
}

int32_t PictureBox::Point(int x, int y) const {
    if (!m_Dc || x < 0 || y < 0 || x >= m_ImageW || y >= m_ImageH) return -1;
    COLORREF c = GetPixel(m_Dc, x, y);
    return c == CLR_INVALID ? -1 : static_cast<int32_t>(c);
}

void PictureBox::Print(const std::string& text) {
    SelectGuard font(m_Dc, Font());
    SetBkMode(m_Dc, TRANSPARENT);
    SetTextColor(m_Dc, ResolveColor(m_ForeColor));
    TextOutA(m_Dc, CurrentX, CurrentY, text.c_str(), static_cast<int>(text.size()));
    CurrentY += TextHeight(text);
    CurrentX = 0;
    Refresh();
}

int PictureBox::TextWidth(const std::string& text) const {
    SelectGuard font(m_Dc, Font());
    SIZE size{0, 0};
    GetTextExtentPoint32A(m_Dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int PictureBox::TextHeight(const std::string& text) const {
    SelectGuard font(m_Dc, Font());
    SIZE size{0, 0};
    GetTextExtentPoint32A(m_Dc, text.empty() ? "A" : text.c_str(),
                          text.empty() ? 1 : static_cast<int>(text.size()), &size);
    return size.cy;
}

void PictureBox::PaintPicture(const Picture& picture, int x, int y, int w, int h, int srcX, int srcY,
                              int srcW, int srcH, DWORD rop) {
    HBITMAP bmp = picture.AsBitmap();
    if (!bmp) {
        if (picture.AsIcon()) picture.Draw(m_Dc, x, y, std::max(w, 0), std::max(h, 0));
        Refresh();
        return;
    }
    if (srcW < 0) srcW = picture.Width() - srcX;
    if (srcH < 0) srcH = picture.Height() - srcY;
    if (w < 0) w = srcW;
    if (h < 0) h = srcH;
    MemoryDC src;
    SelectGuard keep(src.Get(), bmp);
    SetStretchBltMode(m_Dc, COLORONCOLOR);
    StretchBlt(m_Dc, x, y, w, h, src.Get(), srcX, srcY, srcW, srcH, rop);
    Refresh();
}

void PictureBox::Refresh() {
    if (m_Hwnd) InvalidateRect(m_Hwnd, nullptr, FALSE);
}

void PictureBox::OwnMouse(UINT msg, int button, int shift, int x, int y) {
    if (msg == WM_LBUTTONDOWN) FireMouse(MouseDown, "MouseDown", button, shift, float(x), float(y));
    else if (msg == WM_MOUSEMOVE) FireMouse(MouseMove, "MouseMove", button, shift, float(x), float(y));
    else {
        FireMouse(MouseUp, "MouseUp", button, shift, float(x), float(y));
        // Released outside the box after a press inside, it is no click.
        RECT client;
        GetClientRect(m_Hwnd, &client);
        if (button == MouseButton::Left && PtInRect(&client, POINT{x, y})) FireClick();
    }
}

HCURSOR PictureBox::OwnCursor() const {
    return MousePointer() == kCustomPointer ? MouseIcon().AsIcon() : nullptr;
}

LRESULT CALLBACK PictureBox::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<PictureBox*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->m_Hwnd = created->m_Window = hwnd;
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->DetachWindow();
        self->m_Hwnd = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = HandleContainerMessage(msg, wParam, lParam, handled);
    if (handled) return result;
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_Hwnd, &ps);
        int w, h;
        ClientSize(w, h);
        MemoryDC buffer;
        Bitmap frame(CreateCompatibleBitmap(dc, w, h));
        {
            SelectGuard keep(buffer.Get(), frame.Get());
            BitBlt(buffer.Get(), 0, 0, w, h, m_Dc, 0, 0, SRCCOPY);
            PaintWindowless(buffer.Get());
            BitBlt(dc, 0, 0, w, h, buffer.Get(), 0, 0, SRCCOPY);
        }
        EndPaint(m_Hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(m_Hwnd, msg, wParam, lParam);
}
