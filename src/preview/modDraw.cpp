#include "modDraw.h"

#include <olectl.h>

#include "Gdi.h"

namespace modDraw {

HPALETTE gDefaultPalette = nullptr;

namespace {

// A screen DC for the length of a call.
class ScreenDC {
public:
    ScreenDC() : m_Dc(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() {
        if (m_Dc) ReleaseDC(nullptr, m_Dc);
    }
    HDC Get() const { return m_Dc; }

private:
    HDC m_Dc;
};

// A palette selected as a background palette and realised; the previous one goes back.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette) : m_Dc(dc) {
        if (!palette) return;
        m_Old = SelectPalette(dc, palette, TRUE);
        RealizePalette(dc);
    }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;
    ~PaletteGuard() {
        if (m_Old) SelectPalette(m_Dc, m_Old, TRUE);
    }

private:
    HDC m_Dc;
    HPALETTE m_Old = nullptr;
};

// A memory DC holding a bitmap of its own; the bitmap is deselected before it is deleted
// (members go in reverse order), or handed out with Take.
class WorkSurface {
public:
    WorkSurface(HBITMAP bitmap, HPALETTE palette)
        : m_Bitmap(bitmap), m_Select(m_Dc.Get(), bitmap), m_Palette(m_Dc.Get(), palette) {}
    HDC Dc() const { return m_Dc.Get(); }
    HBITMAP BitmapHandle() const { return m_Bitmap.Get(); }

private:
    Bitmap m_Bitmap;
    MemoryDC m_Dc;
    SelectGuard m_Select;
    PaletteGuard m_Palette;
};

constexpr DWORD kDestAndNotSource = 0x220326;

// Builds the buffer (destination's pixels with the colour-keyed source over them) and hands
// its DC to `finish` before anything is freed. The corner hook runs on the source copy first.
template <class Corner, class Finish>
void ComposeKeyed(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY,
                  int32_t transparentColor, HPALETTE palette, Corner corner, Finish finish) {
    if (w <= 0 || h <= 0) return;
    ScreenDC screen;
    if (!palette) palette = gDefaultPalette;
    const COLORREF key = TranslateColor(transparentColor, palette);

    WorkSurface buffer(CreateCompatibleBitmap(screen.Get(), w, h), palette);
    BitBlt(buffer.Dc(), 0, 0, w, h, dest, x, y, SRCCOPY);

    WorkSurface copy(CreateCompatibleBitmap(screen.Get(), w, h), palette);
    SetBkColor(copy.Dc(), GetBkColor(src));
    SetTextColor(copy.Dc(), GetTextColor(src));
    BitBlt(copy.Dc(), 0, 0, w, h, src, srcX, srcY, SRCCOPY);
    corner(copy.Dc());

    // White where the source has the key colour, black elsewhere.
    WorkSurface mask(CreateBitmap(w, h, 1, 1, nullptr), nullptr);
    SetBkColor(copy.Dc(), key);
    SetTextColor(copy.Dc(), RGB(255, 255, 255));
    BitBlt(mask.Dc(), 0, 0, w, h, copy.Dc(), 0, 0, SRCCOPY);

    // The key colour's pixels of the copy turn black ...
    SetTextColor(copy.Dc(), RGB(0, 0, 0));
    SetBkColor(copy.Dc(), RGB(255, 255, 255));
    BitBlt(copy.Dc(), 0, 0, w, h, mask.Dc(), 0, 0, kDestAndNotSource);
    // ... the buffer turns black where the source is opaque, and the two are joined.
    BitBlt(buffer.Dc(), 0, 0, w, h, mask.Dc(), 0, 0, SRCAND);
    BitBlt(buffer.Dc(), 0, 0, w, h, copy.Dc(), 0, 0, SRCPAINT);
    finish(buffer);
}

}  // namespace

COLORREF TranslateColor(int32_t color, HPALETTE palette) {
    COLORREF plain = CLR_INVALID;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(color), palette, &plain))) return CLR_INVALID;
    return plain;
}

void TransparentBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY,
                    int32_t transparentColor, HPALETTE palette) {
    ComposeKeyed(dest, x, y, w, h, src, srcX, srcY, transparentColor, palette, [](HDC) {},
                 [&](const WorkSurface& buffer) { BitBlt(dest, x, y, w, h, buffer.Dc(), 0, 0, SRCCOPY); });
}

void PaintDisabledPicture(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY,
                          int32_t transparentColor, int32_t /*shadowColor*/, HPALETTE palette) {
    // Light grey in the top-left 17 x 17 corner turns white, so the greyed look does
    // not lose the face colour of a classic icon.
    auto corner = [](HDC copy) {
        for (int cx = 0; cx <= 16; ++cx)
            for (int cy = 0; cy <= 16; ++cy)
                if (GetPixel(copy, cx, cy) == RGB(192, 192, 192)) SetPixel(copy, cx, cy, RGB(255, 255, 255));
    };
    // The buffer is drawn straight from memory: DrawState selects the bitmap into a DC
    // of its own, so it leaves the buffer's DC first.
    auto finish = [&](const WorkSurface& buffer) {
        Bitmap image(CreateCompatibleBitmap(dest, w, h));
        {
            MemoryDC dc;
            SelectGuard keep(dc.Get(), image.Get());
            BitBlt(dc.Get(), 0, 0, w, h, buffer.Dc(), 0, 0, SRCCOPY);
        }
        DrawStateA(dest, nullptr, nullptr, reinterpret_cast<LPARAM>(image.Get()), 0, x, y, w, h,
                   DST_BITMAP | DSS_DISABLED);
    };
    ComposeKeyed(dest, x, y, w, h, src, srcX, srcY, transparentColor, palette, corner, finish);
}

void PaintTransparentPicture(HDC dest, int x, int y, int w, int h, const Picture& picture, int srcX,
                             int srcY, int32_t transparentColor, HPALETTE palette, bool disabled,
                             int32_t /*penColor*/) {
    if (picture.Empty()) return;
    if (!palette) palette = gDefaultPalette;
    if (picture.GetKind() == Picture::Kind::Bitmap) {
        ScreenDC screen;
        MemoryDC memory;
        SelectGuard keep(memory.Get(), picture.AsBitmap());
        PaletteGuard pal(memory.Get(), palette);
        if (disabled)
            PaintDisabledPicture(dest, x, y, w, h, memory.Get(), srcX, srcY, transparentColor, 0x808080, palette);
        else
            TransparentBlt(dest, x, y, w, h, memory.Get(), srcX, srcY, transparentColor, palette);
    } else if (picture.GetKind() == Picture::Kind::Icon) {
        if (w <= 0 || h <= 0) return;
        ScreenDC screen;
        WorkSurface surface(CreateCompatibleBitmap(screen.Get(), w, h), palette);
        RECT all{0, 0, w, h};
        {
            Brush key(CreateSolidBrush(TranslateColor(transparentColor, palette)));
            FillRect(surface.Dc(), &all, key.Get());
        }
        DrawIcon(surface.Dc(), 0, 0, picture.AsIcon());
        TransparentBlt(dest, x, y, w, h, surface.Dc(), 0, 0, transparentColor, palette);
    }
}

Picture BitmapToPicture(HBITMAP bitmap, HPALETTE /*palette*/) { return Picture::FromBitmap(bitmap); }

}  // namespace modDraw
