// The Input Settings preview's drawing operations: skinned combo, edit and button faces,
// cut-corner outlines, group frames, texts and check boxes.
#include <windows.h>

#include <cmath>

#include "Gdi.h"
#include "modDesign.h"
#include "frmPreInput.h"

namespace {
// Colour slots the operations read.
constexpr int kButtonLight = 0, kButtonDark = 1, kButtonTextLight = 2, kButtonTextDark = 3;
constexpr int kComboLight = 4, kComboDark = 5, kComboTextLight = 6, kComboTextDark = 7;
constexpr int kEditLight = 8, kEditDark = 9, kEditTextDark = 11;
constexpr int kGroupLight = 12, kGroupDark = 13, kGroupTextDark = 15;
// Bitmap slots of the faces.
constexpr int kBackgroundBitmap = 0, kForegroundBitmap = 1, kComboBackBitmap = 7, kComboForeBitmap = 8;

constexpr int kComboHeight = 21, kEditHeight = 19;
constexpr int kFaceCorner = 5;
constexpr int32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
constexpr int32_t kCheckShadow = 0x848484, kCheckLight = 0xBDBDBD;  // RGB(132,132,132), RGB(189,189,189)
}  // namespace

frmPreInput::BorderColors frmPreInput::StyleColors(const std::string& style) const {
    if (style == "Button") return {m_Skin.SlotColor(kButtonLight), m_Skin.SlotColor(kButtonDark)};
    if (style == "Edit") return {m_Skin.SlotColor(kEditDark), m_Skin.SlotColor(kEditLight)};
    if (style == "Combo") return {m_Skin.SlotColor(kComboLight), m_Skin.SlotColor(kComboDark)};
    if (style == "Check1") return {kCheckShadow, kCheckLight};
    if (style == "Check2") return {kBlack, kWhite};
    return {kBlack, kBlack};
}

namespace {
// Strokes straight on a surface's DC, shown once the whole shape is drawn: hundreds of
// strokes make a mock-up, and a repaint request for each would cost more than the drawing.
class Strokes {
public:
    explicit Strokes(PictureBox& pic) : m_Pic(pic), m_Dc(pic.hDC()) {}
    Strokes(const Strokes&) = delete;
    Strokes& operator=(const Strokes&) = delete;
    ~Strokes() {
        m_Pic.CurrentX = m_LastX;
        m_Pic.CurrentY = m_LastY;
        m_Pic.Refresh();
    }
    void Point(int x, int y, int32_t color) {
        SetPixel(m_Dc, x, y, ResolveColor(color));
        m_LastX = x, m_LastY = y;
    }
    // The end pixel is not painted.
    void Line(int x1, int y1, int x2, int y2, int32_t color) {
        Pen pen(CreatePen(PS_SOLID, 1, ResolveColor(color)));
        SelectGuard keep(m_Dc, pen.Get());
        MoveToEx(m_Dc, x1, y1, nullptr);
        LineTo(m_Dc, x2, y2);
        m_LastX = x2, m_LastY = y2;
    }

private:
    PictureBox& m_Pic;
    HDC m_Dc;
    int m_LastX = 0, m_LastY = 0;
};
}  // namespace

void frmPreInput::CutCornerOutline(PictureBox& Pic, int X, int Y, int W, int H, int32_t first, int32_t second) {
    Strokes s(Pic);
    s.Point(X + 1, Y + 1, first);
    s.Point(X + W - 3, Y + 1, first);
    s.Line(X + 2, Y, X + W - 3, Y, first);
    s.Line(X, Y + 2, X, Y + H - 2, first);
    s.Point(X + 1, Y + H - 2, second);
    s.Point(X + W - 3, Y + H - 2, second);
    s.Line(X + 2, Y + H - 1, X + W - 3, Y + H - 1, second);
    s.Line(X + W - 2, Y + 2, X + W - 2, Y + H - 2, second);
}

void frmPreInput::DrawRect(PictureBox& Pic, int X, int Y, int W, int H, int32_t Color) {
    CutCornerOutline(Pic, X, Y, W, H, Color, Color);
}

void frmPreInput::Border3D(PictureBox& Pic, const std::string& Style, int X, int Y, int W, int H) {
    const BorderColors c = StyleColors(Style);
    CutCornerOutline(Pic, X, Y, W, H, c.first, c.second);
}

void frmPreInput::FillWithFace(int bitmapSlot, HRGN region) {
    Region owned(region);
    const std::string path = m_Skin.SkinBitmapPath(bitmapSlot);
    Picture face;
    if (m_DrawFaces) {
        auto found = m_DrawFaces->find(path);
        if (found == m_DrawFaces->end()) found = m_DrawFaces->emplace(path, m_LoadFace(path)).first;
        face = found->second;
    } else {
        face = m_LoadFace(path);
    }
    // A missing or unreadable bitmap leaves the surface showing through.
    if (!face.AsBitmap() || !owned) return;
    Brush pattern(CreatePatternBrush(face.AsBitmap()));
    if (!pattern) return;
    HDC dc = picDlgInput.hDC();
    SelectGuard keep(dc, pattern.Get());
    PaintRgn(dc, owned.Get());
    picDlgInput.Refresh();
}

void frmPreInput::PrintAt(PictureBox& Pic, double x, double y, const std::string& text) {
    Pic.CurrentX = static_cast<int>(std::lround(x));
    Pic.CurrentY = static_cast<int>(std::lround(y));
    Pic.Print(text);
}

void frmPreInput::CreateCombo(int X, int Y, int W, const std::string& Text) {
    gFile = std::make_unique<File>();
    PictureBox& p = picDlgInput;
    FillWithFace(kComboBackBitmap, CreateRoundRectRgn(X, Y, X + W, Y + kComboHeight, kFaceCorner, kFaceCorner));
    const int32_t light = m_Skin.SlotColor(kComboLight), dark = m_Skin.SlotColor(kComboDark);
    CutCornerOutline(p, X, Y, W, kComboHeight, light, dark);
    FillWithFace(kComboForeBitmap, CreateRectRgn(X + 5, Y + 3, X + W - 14, Y + 18));
    {
        Strokes s(p);
        // The text field's sunken frame.
        s.Line(X + 5, Y + 17, X + W - 14, Y + 17, light);
        s.Line(X + W - 14, Y + 3, X + W - 14, Y + 18, light);
        s.Line(X + 5, Y + 3, X + W - 14, Y + 3, dark);
        s.Line(X + 5, Y + 3, X + 5, Y + 18, dark);
        // The drop arrow.
        s.Line(X + W - 11, Y + 9, X + W - 4, Y + 9, light);
        s.Line(X + W - 10, Y + 10, X + W - 8, Y + 15, light);
        s.Line(X + W - 7, Y + 14, X + W - 4, Y + 9, dark);
    }
    p.SetForeColor(m_Skin.SlotColor(kComboTextLight));
    PrintAt(p, X + 7, Y + 4, Text);
    p.SetForeColor(m_Skin.SlotColor(kComboTextDark));
    PrintAt(p, X + 6, Y + 4, Text);
}

void frmPreInput::CreateEdit(int X, int Y, int W, const std::string& Text) {
    gFile = std::make_unique<File>();
    FillWithFace(kForegroundBitmap, CreateRoundRectRgn(X, Y, X + W, Y + kEditHeight, kFaceCorner, kFaceCorner));
    Border3D(picDlgInput, "Edit", X, Y, W, kEditHeight);
    picDlgInput.SetForeColor(m_Skin.SlotColor(kEditTextDark));
    PrintAt(picDlgInput, X + 2, Y + 2, Text);
}

void frmPreInput::CreateButton(int X, int Y, int W, int H, const std::string& Caption, bool Highlight) {
    gFile = std::make_unique<File>();
    PictureBox& p = picDlgInput;
    FillWithFace(kBackgroundBitmap, CreateRoundRectRgn(X, Y, X + W, Y + H, kFaceCorner, kFaceCorner));
    Border3D(p, "Button", X, Y, W, H);
    const double left = CaptionLeft(X, W, p.TextWidth(Caption));
    p.SetForeColor(m_Skin.SlotColor(kButtonTextDark));
    PrintAt(p, left, Y + 5, Caption);
    if (Highlight) {
        p.SetForeColor(m_Skin.SlotColor(kButtonTextLight));
        PrintAt(p, left + 1, Y + 6, Caption);
    }
}

void frmPreInput::Frame3D(PictureBox& Pic, int X, int Y, int W, int H, const std::string& Caption) {
    DrawRect(Pic, X, Y, W, H, m_Skin.SlotColor(kGroupLight));
    DrawRect(Pic, X + 1, Y + 1, W, H, m_Skin.SlotColor(kGroupDark));
    Pic.SetForeColor(m_Skin.SlotColor(kGroupTextDark));
    // The caption sits on the colour found just above the frame, hiding the lines under it.
    const int32_t under = Pic.Point(X + 9, Y - 5);
    const int tw = Pic.TextWidth(Caption), th = Pic.TextHeight(Caption);
    if (under != -1) Pic.Line(X + 9, Y - 5, X + 12 + tw, Y - 5 + th, under, PictureBox::LineKind::FilledBox);
    PrintAt(Pic, X + 10, Y - 6, Caption);
}

void frmPreInput::PrintText(PictureBox& Pic, int X, int Y, const std::string& Text, int32_t Color) {
    const int32_t kept = Pic.ForeColor();
    Pic.SetForeColor(Color);
    PrintAt(Pic, X, Y, Text);
    Pic.SetForeColor(kept);
}

void frmPreInput::DrawCheck(PictureBox& Pic, int X, int Y, bool /*Checked*/) {
    // Always the empty box: nothing asks for a checked one.
    Border3D(Pic, "Check1", X, Y, 15, 14);
    Border3D(Pic, "Check2", X + 1, Y + 1, 13, 12);
}
