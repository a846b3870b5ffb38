#include "modDesign.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "Form.h"
#include "PictureBox.h"

namespace {

constexpr int32_t Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

TEST(modDesignColorText, BlueGreenRedInUpperCaseReadBackInEitherCaseBadPairsAsZeroAndEveryColourRoundTrips) {
    for (auto [color, text] : {std::pair{0, "0x000000"}, {Rgb(10, 11, 12), "0x0C0B0A"}, {Rgb(1, 2, 255), "0xFF0201"}})
        EXPECT_EQ(ColorToHex(color), text);
    const std::pair<const char*, int32_t> cases[] = {
        {"0x0c0b0a", Rgb(10, 11, 12)}, {"0xff8000", Rgb(0, 128, 255)}, {"0", 0}, {"", 0}, {"0x", 0}, {"0xF", 0}, {"0xZZ00GG", 0},
        {"0xFF", Rgb(255, 0, 255)},                   // one pair is first and last
        {"##123456", Rgb(0x56, 0x34, 0x12)},          // the prefix is not checked
        {"0x12345678", Rgb(0x78, 0x34, 0x12)}, {"0x10 0FF", Rgb(255, 0, 0x10)}};
    for (auto [text, color] : cases) EXPECT_EQ(HexToColor(text), color) << text;

    // Every colour survives the round trip.
    int failures = 0;
    for (int32_t c = 0; c <= 0xFFFFFF && failures < 5; ++c)
        if (HexToColor(ColorToHex(c)) != c) ADD_FAILURE() << "colour " << c << " (" << ++failures << ")";
}

TEST(modDesignChannels, TruncatingDivisionGivesTheChannels) {
    // Negative values (system colours) divide toward zero.
    const std::pair<int32_t, const char*> cases[] = {{Rgb(1, 2, 3), "1 2 3"}, {0xFFFFFF, "255 255 255"}, {-1, "255 0 0"},
                                                     {-256, "0 255 0"}, {static_cast<int32_t>(0x80000005), "5 1 1"}};
    for (auto [c, rgb] : cases)
        EXPECT_EQ(std::to_string(GetRed(c)) + " " + std::to_string(GetGreen(c)) + " " + std::to_string(GetBlue(c)), rgb) << c;
}

// A picture box's image: every pixel painted reads back exactly.
struct Canvas {
    Canvas(int width, int height) {
        form.Load();
        box.Create(form, 0, 0, width, height);
        box.SetBackColor(Rgb(0x56, 0x34, 0x12));
    }
    int32_t At(int x, int y) const { return box.Point(x, y); }
    Form form{"frmCanvas"};
    PictureBox box{"picCanvas"};
};

int32_t ExpectedBand(int k, int band, int extent, int32_t c1, int32_t c2) {
    if (k == 0) return c2;
    auto ch = [&](int a, int b) {
        return static_cast<int>(std::nearbyint(b + double((k - 1) * band) / extent * (a - b)));
    };
    return Rgb(ch(GetRed(c1), GetRed(c2)), ch(GetGreen(c1), GetGreen(c2)), ch(GetBlue(c1), GetBlue(c2)));
}

TEST(modDesignFillGradient, VerticalBandsRunFromColor2AtTheBottomUpHorizontalOnesToTheRight) {
    const int32_t c1 = Rgb(252, 252, 254), c2 = Rgb(244, 243, 238);
    Canvas canvas(4, 300);
    FillGradient(canvas.box.hDC(), RECT{0, 0, 4, 300}, c1, c2, true);
    // Band size 3: 101 bands, bottom two in Color2; the top rows belong to band 99, band 100 is empty.
    for (int k = 0; k < 100; ++k) {
        const int y = 299 - k * 3;
        EXPECT_EQ(canvas.At(2, y), ExpectedBand(k, 3, 300, c1, c2)) << "band " << k;
        EXPECT_EQ(canvas.At(2, y - 2), canvas.At(2, y)) << "band " << k;
    }

    // Horizontal bands run to the right; empty rectangles paint nothing.
    Canvas small(10, 10);
    const int32_t before = small.At(5, 5);
    FillGradient(small.box.hDC(), RECT{0, 5, 10, 5}, 0, 0xFFFFFF, true);     // zero height
    FillGradient(small.box.hDC(), RECT{5, 0, 5, 10}, 0, 0xFFFFFF, false);    // zero width
    FillGradient(small.box.hDC(), RECT{0, 9, 10, 10}, 0, 0xFFFFFF, false);   // one row, left to right
    EXPECT_EQ(small.At(9, 9), 0xFFFFFF);  // the right-most band is the second colour
    EXPECT_EQ(small.At(0, 9), ExpectedBand(3, 3, 10, 0, 0xFFFFFF));  // the left edge ends band 3
    FillGradient(small.box.hDC(), RECT{0, 8, 10, 2}, 0, 0xFFFFFF, true);     // bottom above top
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(small.At(x, y), before) << x << "," << y;
}

}  // namespace
