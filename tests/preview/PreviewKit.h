// A skin held in plain fields, so preview pixels are tested without a designer window,
// and the few ways the preview tests read pixels back.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "ISkinSource.h"
#include "PictureBox.h"

class FakeSkinSource : public ISkinSource {
public:
    std::string folder;
    std::array<std::string, 25> slots{};
    std::array<int32_t, 38> colors{};
    std::string fontName = "Tahoma", fontWidth = "0", fontHeight = "10", fontWeight = "400";
    std::string SlotFileName(int slot) const override { return slots.at(static_cast<size_t>(slot)); }
    std::string SkinBitmapFolder() const override { return folder; }
    std::string SkinBitmapPath(int slot) const override { return folder + "\\" + SlotFileName(slot); }
    int32_t SlotColor(int slot) const override { return colors.at(static_cast<size_t>(slot)); }
    std::string FontName() const override { return fontName; }
    std::string FontWidth() const override { return fontWidth; }
    std::string FontHeight() const override { return fontHeight; }
    std::string FontWeight() const override { return fontWeight; }
};

// Every pixel of a box's image, row by row.
inline std::vector<int32_t> Pixels(const PictureBox& p) {
    std::vector<int32_t> all;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) all.push_back(p.Point(x, y));
    return all;
}

// Whether a colour shows anywhere in a box of the surface.
inline bool Shows(const PictureBox& p, int32_t color, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (p.Point(x, y) == color) return true;
    return false;
}

// A 32-bit surface in a memory DC, its pixels given row by row (or one colour), its rows stored either way.
struct Surface {
    Surface(int w, int h, const std::vector<COLORREF>& px, bool topDown = true) : dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int n = 0; n < w * h; ++n) SetPixel(dc, n % w, n / w, px[px.size() == 1 ? 0 : static_cast<size_t>(n)]);
    }
    // Reads a picture's pixels; the picture keeps its bitmap.
    explicit Surface(const Picture& p) : dc(CreateCompatibleDC(nullptr)), bitmap(nullptr) {
        old = SelectObject(dc, p.AsBitmap());
    }
    ~Surface() {
        SelectObject(dc, old);
        if (bitmap) DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // A copy of the pixels as a picture of its own.
    Picture AsPicture() const {
        SelectObject(dc, old);
        Picture p = Picture::FromBitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        SelectObject(dc, bitmap);
        return p;
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};
