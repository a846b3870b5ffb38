#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "AppInfo.h"
#include "ObjectCounts.h"
#include "TempDir.h"
#include "modDraw.h"

namespace {
constexpr COLORREF kMagenta = 0xFF00FF, kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF,
                   kGreen = 0x00FF00;

// A 32-bit surface in a memory DC, filled with one colour.
struct Surface {
    Surface(int w, int h, COLORREF fill) : dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetPixel(dc, x, y, fill);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

// A bitmap picture from rows of colours.
Picture MakePicture(int w, int h, const std::vector<COLORREF>& pixels) {
    Surface s(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(s.dc, x, y, pixels[static_cast<size_t>(y * w + x)]);
    SelectObject(s.dc, s.old);
    Picture p = Picture::FromBitmap(static_cast<HBITMAP>(CopyImage(s.bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    SelectObject(s.dc, s.bitmap);
    return p;
}

TEST(PaintTransparentPicture, KeyColourShowsTheDestinationAndEverythingElseIsCopied) {
    Surface dest(6, 4, kGreen);
    int gdiBefore = CountGdiObjects();
    // All magenta: nothing changes.
    Picture clear = MakePicture(3, 2, std::vector<COLORREF>(6, kMagenta));
    modDraw::PaintTransparentPicture(dest.dc, 1, 1, 3, 2, clear, 0, 0, 0xFF00FF);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(dest.At(x, y), kGreen) << x << "," << y;

    // No magenta: copied as it is, and only at its place.
    Picture solid = MakePicture(2, 2, {kRed, kBlue, kWhite, 0x000000});
    modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF);
    EXPECT_EQ(dest.At(3, 1), kRed);
    EXPECT_EQ(dest.At(4, 1), kBlue);
    EXPECT_EQ(dest.At(3, 2), kWhite);
    EXPECT_EQ(dest.At(4, 2), 0x000000u);
    EXPECT_EQ(dest.At(2, 1), kGreen);
    EXPECT_EQ(dest.At(5, 2), kGreen);
    EXPECT_EQ(dest.At(3, 3), kGreen);

    // A source offset: the 2 x 1 part from (1, 1) of a mixed template.
    Picture mixed = MakePicture(3, 2, {kRed, kRed, kRed, kMagenta, kBlue, kMagenta});
    modDraw::PaintTransparentPicture(dest.dc, 0, 0, 2, 1, mixed, 1, 1, 0xFF00FF);
    EXPECT_EQ(dest.At(0, 0), kBlue);
    EXPECT_EQ(dest.At(1, 0), kGreen) << "magenta at (2, 1) is see-through";
    EXPECT_EQ(dest.At(2, 0), kGreen);

    // No picture: nothing drawn, nothing made.
    modDraw::PaintTransparentPicture(dest.dc, 0, 0, 6, 4, Picture(), 0, 0, 0xFF00FF);
    EXPECT_EQ(dest.At(0, 0), kBlue);
    // The first calls warm the system's own caches; later ones leave the count alone.
    modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF, nullptr, true);
    gdiBefore = CountGdiObjects();
    for (int i = 0; i < 5; ++i) {
        modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF);
        modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF, nullptr, true);
    }
    EXPECT_EQ(CountGdiObjects(), gdiBefore) << "every work DC, bitmap and brush is freed";
}

TEST(PaintTransparentPicture, SystemColourKeyIsResolvedFirst) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    Surface dest(2, 1, kGreen);
    Picture p = MakePicture(2, 1, {face, kRed});
    modDraw::PaintTransparentPicture(dest.dc, 0, 0, 2, 1, p, 0, 0, static_cast<int32_t>(0x80000000 | COLOR_BTNFACE));
    EXPECT_EQ(dest.At(0, 0), kGreen);
    EXPECT_EQ(dest.At(1, 0), kRed);
    EXPECT_EQ(modDraw::TranslateColor(static_cast<int32_t>(0x80000000 | COLOR_WINDOW)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(modDraw::TranslateColor(0x123456), 0x123456u);
    EXPECT_EQ(modDraw::gDefaultPalette, nullptr);
}

TEST(PaintTransparentPicture, IconBranchLaysOnlyTheIconsOwnPixels) {
    // 32 x 32 icon: opaque red left half, transparent right half.
    std::vector<BYTE> andBits(32 * 4), xorBits(32 * 32 * 4);
    for (int y = 0; y < 32; ++y) {
        andBits[static_cast<size_t>(y * 4 + 2)] = andBits[static_cast<size_t>(y * 4 + 3)] = 0xFF;
        for (int x = 0; x < 16; ++x) xorBits[static_cast<size_t>((y * 32 + x) * 4 + 2)] = 0xFF;
    }
    HICON icon = CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 32, andBits.data(), xorBits.data());
    ASSERT_NE(icon, nullptr);
    Picture p = Picture::FromIcon(icon);
    Surface dest(40, 40, kGreen);
    modDraw::PaintTransparentPicture(dest.dc, 4, 4, 32, 32, p, 0, 0, 0xFF00FF);
    const int gdiBefore = CountGdiObjects();
    modDraw::PaintTransparentPicture(dest.dc, 4, 4, 32, 32, p, 0, 0, 0xFF00FF);
    EXPECT_EQ(dest.At(5, 10), kRed);
    EXPECT_EQ(dest.At(30, 10), kGreen);
    EXPECT_EQ(dest.At(2, 2), kGreen);
    EXPECT_EQ(CountGdiObjects(), gdiBefore);
}

TEST(PaintDisabledPicture, GreysFromMemoryWithoutAFileInTheProgramFolder) {
    TempDir dir;
    SetProgramFolder(dir.Path());
    // A blue square in a magenta frame, drawn greyed onto white.
    std::vector<COLORREF> px(100, kMagenta);
    for (int y = 3; y < 7; ++y)
        for (int x = 3; x < 7; ++x) px[static_cast<size_t>(y * 10 + x)] = kBlue;
    Picture p = MakePicture(10, 10, px);
    Surface dest(12, 12, kWhite);
    modDraw::PaintTransparentPicture(dest.dc, 1, 1, 10, 10, p, 0, 0, 0xFF00FF, nullptr, true);
    const int gdiBefore = CountGdiObjects();
    modDraw::PaintTransparentPicture(dest.dc, 1, 1, 10, 10, p, 0, 0, 0xFF00FF, nullptr, true);
    EXPECT_EQ(CountGdiObjects(), gdiBefore);
    EXPECT_FALSE(PathExists(dir / "tmp.dax"));
    // The blue is gone: the square shows in the system's shadow colour, nothing in blue.
    bool shadow = false;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            EXPECT_NE(dest.At(x, y), kBlue) << x << "," << y;
            shadow = shadow || dest.At(x, y) == GetSysColor(COLOR_3DSHADOW);
        }
    EXPECT_TRUE(shadow);
    EXPECT_EQ(dest.At(0, 0), kWhite) << "outside the drawn rectangle";
    SetProgramFolder("");
}

TEST(BitmapToPicture, ThePictureOwnsTheBitmap) {
    HBITMAP bmp = CreateBitmap(4, 3, 1, 32, nullptr);
    {
        Picture p = modDraw::BitmapToPicture(bmp);
        EXPECT_EQ(p.AsBitmap(), bmp);
        EXPECT_EQ(p.Width(), 4);
        EXPECT_EQ(p.Height(), 3);
    }
    EXPECT_EQ(GetObjectType(bmp), 0u) << "released with the picture";
}
}  // namespace
