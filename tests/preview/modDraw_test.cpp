#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "AppInfo.h"
#include "ObjectCounts.h"
#include "TempDir.h"
#include "modDraw.h"

namespace {
constexpr COLORREF kMagenta = 0xFF00FF, kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kGreen = 0x00FF00;

// A 32-bit surface in a memory DC, its pixels given row by row (or one colour).
struct Surface {
    Surface(int w, int h, std::vector<COLORREF> px) : dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int n = 0; n < w * h; ++n) SetPixel(dc, n % w, n / w, px.size() == 1 ? px[0] : px[static_cast<size_t>(n)]);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
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

TEST(PaintTransparentPicture, KeyColourShowsTheDestinationAndNothingIsLeftBehind) {
    Surface dest(6, 4, {kGreen});
    Picture clear = Surface(3, 2, {kMagenta}).AsPicture();
    modDraw::PaintTransparentPicture(dest.dc, 1, 1, 3, 2, clear, 0, 0, 0xFF00FF);
    for (int n = 0; n < 24; ++n) ASSERT_EQ(dest.At(n % 6, n / 6), kGreen) << n;

    // Without magenta: copied as it is, at its place only.
    Picture solid = Surface(2, 2, {kRed, kBlue, kWhite, 0}).AsPicture();
    modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF);
    const COLORREF row1[] = {kGreen, kGreen, kGreen, kRed, kBlue, kGreen}, row2[] = {kGreen, kGreen, kGreen, kWhite, 0, kGreen};
    for (int x = 0; x < 6; ++x) EXPECT_TRUE(dest.At(x, 1) == row1[x] && dest.At(x, 2) == row2[x] && dest.At(x, 3) == kGreen) << x;

    // The 2 x 1 part from (1, 1); its magenta pixel is see-through.
    Picture mixed = Surface(3, 2, {kRed, kRed, kRed, kMagenta, kBlue, kMagenta}).AsPicture();
    modDraw::PaintTransparentPicture(dest.dc, 0, 0, 2, 1, mixed, 1, 1, 0xFF00FF);
    EXPECT_EQ(dest.At(0, 0), kBlue);
    EXPECT_EQ(dest.At(1, 0), kGreen);

    // A system colour as the key is resolved first.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    Picture sys = Surface(2, 1, {face, kRed}).AsPicture();
    modDraw::PaintTransparentPicture(dest.dc, 0, 3, 2, 1, sys, 0, 0, static_cast<int32_t>(0x80000000 | COLOR_BTNFACE));
    EXPECT_EQ(dest.At(0, 3), kGreen);
    EXPECT_EQ(dest.At(1, 3), kRed);
    EXPECT_EQ(modDraw::gDefaultPalette, nullptr);

    // The first calls warm the system's caches; later ones, no picture included, leave the count.
    modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF, nullptr, true);
    const int gdi = CountGdiObjects();
    for (int i = 0; i < 5; ++i) {
        modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF);
        modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF, nullptr, true);
        modDraw::PaintTransparentPicture(dest.dc, 0, 0, 6, 4, Picture(), 0, 0, 0xFF00FF);
    }
    EXPECT_EQ(CountGdiObjects(), gdi);
}

TEST(PaintTransparentPicture, IconsDisabledLookAndBitmapsAsPictures) {
    // A 32 x 32 icon, opaque red on its left half only.
    std::vector<BYTE> andBits(32 * 4), xorBits(32 * 32 * 4);
    for (int y = 0; y < 32; ++y) {
        andBits[static_cast<size_t>(y * 4 + 2)] = andBits[static_cast<size_t>(y * 4 + 3)] = 0xFF;
        for (int x = 0; x < 16; ++x) xorBits[static_cast<size_t>((y * 32 + x) * 4 + 2)] = 0xFF;
    }
    Picture icon = Picture::FromIcon(CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 32, andBits.data(), xorBits.data()));
    Surface dest(40, 40, {kGreen});
    modDraw::PaintTransparentPicture(dest.dc, 4, 4, 32, 32, icon, 0, 0, 0xFF00FF);
    EXPECT_EQ(dest.At(5, 10), kRed);
    EXPECT_EQ(dest.At(30, 10), kGreen);

    // Greyed from memory: the blue is gone, the system's shadow shows, no file is written.
    TempDir dir;
    SetProgramFolder(dir.Path());
    std::vector<COLORREF> px(100, kMagenta);
    for (int n = 0; n < 100; ++n)
        if (n % 10 >= 3 && n % 10 < 7 && n / 10 >= 3 && n / 10 < 7) px[static_cast<size_t>(n)] = kBlue;
    Surface white(12, 12, {kWhite});
    modDraw::PaintTransparentPicture(white.dc, 1, 1, 10, 10, Surface(10, 10, px).AsPicture(), 0, 0, 0xFF00FF, nullptr, true);
    bool shadow = false;
    for (int n = 0; n < 144; ++n) {
        EXPECT_NE(white.At(n % 12, n / 12), kBlue);
        shadow = shadow || white.At(n % 12, n / 12) == GetSysColor(COLOR_3DSHADOW);
    }
    EXPECT_TRUE(shadow);
    EXPECT_EQ(white.At(0, 0), kWhite);
    EXPECT_FALSE(PathExists(dir / "tmp.dax"));
    SetProgramFolder("");

    HBITMAP bmp = CreateBitmap(4, 3, 1, 32, nullptr);
    {
        Picture p = modDraw::BitmapToPicture(bmp);
        EXPECT_EQ(p.AsBitmap(), bmp);
        EXPECT_EQ(p.Height(), 3);
    }
    EXPECT_EQ(GetObjectType(bmp), 0u) << "released with the picture";
}
}  // namespace
