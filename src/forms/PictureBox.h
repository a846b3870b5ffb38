// A picture box: a child window with a persistent image that every drawing
// operation paints into and WM_PAINT shows. It can hold other controls.
#pragma once

#include <string>

#include "Container.h"
#include "Control.h"

class PictureBox : public WindowedControl, public Container {
public:
    enum class LineKind { Line, Box, FilledBox };

    using WindowedControl::WindowedControl;
    using WindowedControl::Hwnd;
    ~PictureBox() override;

    void Create(Container& container, int left, int top, int width, int height, bool border = false);
    Form* OwnerForm() override;

    void Move(int left, int top, int width = -1, int height = -1) override;
    void SetBackColor(int32_t color) override;
    void SetBorder(bool border);
    bool Border() const { return m_Border; }

    // The picture shown under what is drawn; setting it clears the drawing.
    const Picture& GetPicture() const { return m_Picture; }
    void SetPicture(const Picture& picture);
    // A snapshot of the persistent image as a new picture.
    Picture Image() const;

    // Drawing, in pixels; the image keeps what is drawn.
    HDC hDC() const { return m_Dc; }
    void Cls();
    void PSet(int x, int y, int32_t color);
    // The end pixel of a line is not painted.
    void Line(int x1, int y1, int x2, int y2, int32_t color, LineKind kind = LineKind::Line);
    // The colour at a point, or -1 outside the image.
    int32_t Point(int x, int y) const;
    void Print(const std::string& text);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;
    // Paints a picture at x, y, stretched to w, h when given, from a source rectangle when given.
    void PaintPicture(const Picture& picture, int x, int y, int w = -1, int h = -1, int srcX = 0,
                      int srcY = 0, int srcW = -1, int srcH = -1, DWORD rop = SRCCOPY);
    void Refresh();

    int32_t ForeColor() const { return m_ForeColor; }
    void SetForeColor(int32_t color) { m_ForeColor = color; }
    int CurrentX = 0;
    int CurrentY = 0;

    // Whether the image is kept (always true here; kept as the form designer's flag).
    bool AutoRedraw = true;

protected:
    void OwnMouse(UINT msg, int button, int shift, int x, int y) override;
    HCURSOR OwnCursor() const override;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    static void RegisterClassOnce();
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void ResizeImage(int width, int height);
    void ClientSize(int& w, int& h) const;

    Picture m_Picture;
    bool m_Border = false;
    int32_t m_ForeColor = SystemColor(COLOR_BTNTEXT);
    HDC m_Dc = nullptr;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_OldBitmap = nullptr;
    int m_ImageW = 0, m_ImageH = 0;
};
