// The dialog drawing operations, pixel by pixel.
#include <windows.h>

#include <set>
#include <utility>

#include "PreInputFixture.h"
#include "modDesign.h"

namespace {
constexpr int32_t kPaper = 0x777777;

// Whether a colour shows anywhere in a box of the surface.
bool Shows(const PictureBox& p, int32_t color, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (p.Point(x, y) == color) return true;
    return false;
}

TEST_F(PreInputTest, CutCornerOutlineLeavesItsLastColumnOut) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    f.DrawRect(p, 20, 30, 8, 6, 0x0000FF);
    const std::set<std::pair<int, int>> outline = {
        {21, 31}, {25, 31}, {22, 30}, {23, 30}, {24, 30}, {20, 32}, {20, 33},
        {21, 34}, {25, 34}, {22, 35}, {23, 35}, {24, 35}, {26, 32}, {26, 33}};
    for (int y = 27; y <= 38; ++y)
        for (int x = 17; x <= 30; ++x)
            ASSERT_EQ(p.Point(x, y), outline.count({x, y}) ? 0x0000FF : kPaper) << x << "," << y;
}

TEST_F(PreInputTest, Border3DStylesAndTheBlackFallback) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    struct Case {
        const char* style;
        int32_t first, second;
    } cases[] = {
        {"Button", Color(0), Color(1)}, {"Edit", Color(9), Color(8)},   {"Combo", Color(4), Color(5)},
        {"Check1", 0x848484, 0xBDBDBD}, {"Check2", 0x000000, 0xFFFFFF}, {"button", 0, 0},
        {"COMBO", 0, 0},                {"", 0, 0},
    };
    for (const Case& c : cases) {
        Clear(p, kPaper);
        f.Border3D(p, c.style, 40, 50, 10, 8);
        EXPECT_EQ(p.Point(42, 50), c.first) << c.style << " top";
        EXPECT_EQ(p.Point(40, 52), c.first) << c.style << " left";
        EXPECT_EQ(p.Point(41, 51), c.first) << c.style << " top-left corner";
        EXPECT_EQ(p.Point(42, 57), c.second) << c.style << " bottom";
        EXPECT_EQ(p.Point(48, 53), c.second) << c.style << " right";
        EXPECT_EQ(p.Point(45, 54), kPaper) << c.style << " inside";
    }
}

TEST_F(PreInputTest, CheckBoxIsTheSameEmptySunkenBoxCheckedOrNot) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    f.DrawCheck(p, 10, 10, false);
    f.DrawCheck(p, 40, 10, true);
    for (int y = 8; y < 28; ++y)
        for (int x = 8; x < 28; ++x) ASSERT_EQ(p.Point(x, y), p.Point(x + 30, y)) << x << "," << y;
    EXPECT_EQ(p.Point(12, 10), 0x848484);  // outer top
    EXPECT_EQ(p.Point(12, 23), 0xBDBDBD);  // outer bottom, 14 rows high
    EXPECT_EQ(p.Point(23, 13), 0xBDBDBD);  // outer right, 15 columns wide
    EXPECT_EQ(p.Point(13, 11), 0x000000);  // inner top
    EXPECT_EQ(p.Point(13, 22), 0xFFFFFF);  // inner bottom
    EXPECT_EQ(p.Point(17, 16), kPaper);    // no mark
    EXPECT_EQ(p.Point(24, 16), kPaper);
}

TEST_F(PreInputTest, ComboFaceFieldArrowAndOneContinuousTexture) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    File* before = gFile.get();
    f.CreateCombo(10, 60, 40);
    EXPECT_NE(gFile.get(), before) << "a new file object each call";
    f.CreateCombo(50, 60, 40);
    const int32_t light = Color(4), dark = Color(5);
    for (int X : {10, 50}) {
        const int Y = 60, W = 40;
        // The text field and the arrow area: both patterns anchored at the surface's origin.
        for (int y = Y + 4; y <= Y + 16; ++y)
            for (int x = X + 6; x <= X + W - 15; ++x)
                ASSERT_EQ(p.Point(x, y), Tile(kComboFore, x, y)) << x << "," << y;
        for (int y = Y + 3; y <= Y + 7; ++y)
            for (int x = X + W - 13; x <= X + W - 3; ++x)
                ASSERT_EQ(p.Point(x, y), Tile(kComboBack, x, y)) << x << "," << y;
        EXPECT_EQ(p.Point(X + 2, Y), light);
        EXPECT_EQ(p.Point(X, Y + 10), light);
        EXPECT_EQ(p.Point(X + 2, Y + 20), dark);
        EXPECT_EQ(p.Point(X + W - 2, Y + 10), dark);
        EXPECT_EQ(p.Point(X, Y), kPaper) << "rounded corner";
        // Sunken text field.
        EXPECT_EQ(p.Point(X + 6, Y + 17), light);
        EXPECT_EQ(p.Point(X + W - 14, Y + 10), light);
        EXPECT_EQ(p.Point(X + W - 14, Y + 3), light);
        EXPECT_EQ(p.Point(X + 6, Y + 3), dark);
        EXPECT_EQ(p.Point(X + 5, Y + 10), dark);
        EXPECT_EQ(p.Point(X + 5, Y + 17), dark);
        // Arrow: three strokes, none paints its end pixel.
        for (int x = X + W - 11; x <= X + W - 5; ++x) EXPECT_EQ(p.Point(x, Y + 9), light) << x;
        EXPECT_EQ(p.Point(X + W - 4, Y + 9), Tile(kComboBack, X + W - 4, Y + 9));
        EXPECT_EQ(p.Point(X + W - 10, Y + 10), light);
        EXPECT_EQ(p.Point(X + W - 7, Y + 14), dark);
        EXPECT_EQ(p.Point(X + W - 8, Y + 15), Tile(kComboBack, X + W - 8, Y + 15));
    }
    // The last column stays untouched: the face region ends where the border does.
    EXPECT_EQ(p.Point(48, 70), dark);
    EXPECT_EQ(p.Point(49, 70), kPaper);

    // Text: first pass light one pixel right, second pass dark on top.
    f.CreateCombo(100, 100, 120, "WWW");
    EXPECT_TRUE(Shows(p, Color(7), 106, 104, 140, 117));
    EXPECT_TRUE(Shows(p, Color(6), 106, 104, 140, 117));
    EXPECT_EQ(p.ForeColor(), Color(7));
}

TEST_F(PreInputTest, EditShowsTheSurfaceWhereItsFaceBitmapFails) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    f.CreateEdit(20, 20, 50, "");
    EXPECT_EQ(p.Point(30, 28), Tile(kFore, 30, 28));
    EXPECT_EQ(p.Point(67, 28), Tile(kFore, 67, 28));
    EXPECT_EQ(p.Point(69, 28), kPaper) << "last column untouched";
    EXPECT_EQ(p.Point(22, 20), Color(9)) << "dark top";
    EXPECT_EQ(p.Point(20, 25), Color(9)) << "dark left";
    EXPECT_EQ(p.Point(22, 38), Color(8)) << "light bottom";
    EXPECT_EQ(p.Point(68, 25), Color(8)) << "light right";
    EXPECT_EQ(p.ForeColor(), Color(11)) << "an empty text still sets the colour";

    WriteBytes(dir / "empty.bmp", "");
    WriteBytes(dir / "text.bmp", "not a bitmap at all");
    for (const char* bad : {"missing.bmp", "empty.bmp", "text.bmp", ""}) {
        skin.slots[1] = bad;
        Clear(p, kPaper);
        f.CreateEdit(20, 60, 50, "88");
        EXPECT_EQ(p.Point(60, 68), kPaper) << bad;
        EXPECT_EQ(p.Point(22, 60), Color(9)) << bad;
        EXPECT_TRUE(Shows(p, Color(11), 22, 62, 40, 76)) << bad;
    }
}

TEST_F(PreInputTest, ButtonCaptionCentredUnroundedAndHighlighted) {
    EXPECT_DOUBLE_EQ(frmPreInput::CaptionLeft(6, 76, 15), 36.5);
    EXPECT_DOUBLE_EQ(frmPreInput::CaptionLeft(200, 20, 45), 187.5);

    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    f.CreateButton(20, 20, 60);
    EXPECT_EQ(p.Point(22, 20), Color(0));
    EXPECT_EQ(p.Point(22, 38), Color(1)) << "19 high when left out";
    EXPECT_EQ(p.Point(40, 30), Tile(kBack, 40, 30));

    // A caption wider than the button starts left of it; nothing clips it.
    const std::string wide = "A caption much wider than its button";
    ASSERT_GT(p.TextWidth(wide), 40);
    f.CreateButton(200, 100, 40, 23, wide, false);
    EXPECT_TRUE(Shows(p, Color(3), 150, 105, 199, 120));
    EXPECT_TRUE(Shows(p, Color(3), 241, 105, 290, 120));
    EXPECT_FALSE(Shows(p, Color(2), 140, 100, 300, 125));
    EXPECT_EQ(p.ForeColor(), Color(3));

    f.CreateButton(200, 200, 100, 23, "Select", true);
    EXPECT_TRUE(Shows(p, Color(2), 200, 205, 300, 222));
    EXPECT_TRUE(Shows(p, Color(3), 200, 205, 300, 222));
    EXPECT_EQ(p.ForeColor(), Color(2));
}

TEST_F(PreInputTest, Frame3DClearsTheLinesUnderItsCaption) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    p.PSet(59, 45, 0x00C000);  // the colour sampled five rows above the frame
    f.Frame3D(p, 50, 50, 120, 60, "Caption");
    const int tw = p.TextWidth("Caption");
    EXPECT_EQ(p.Point(55, 50), Color(12)) << "light outline";
    EXPECT_EQ(p.Point(56, 51), Color(13)) << "dark outline inside it";
    EXPECT_EQ(p.Point(50, 80), Color(12));
    EXPECT_EQ(p.Point(51, 80), Color(13));
    EXPECT_EQ(p.Point(59, 50), 0x00C000);
    EXPECT_EQ(p.Point(59, 51), 0x00C000);
    EXPECT_EQ(p.Point(62 + tw, 50), 0x00C000);
    EXPECT_EQ(p.Point(63 + tw, 50), Color(12)) << "the box ends at X+12+TW";
    EXPECT_EQ(p.Point(58, 50), Color(12));
    EXPECT_TRUE(Shows(p, Color(15), 60, 44, 60 + tw, 58));
    EXPECT_EQ(p.ForeColor(), Color(15));
}

TEST_F(PreInputTest, PrintTextPutsTheTextColourBack) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p, kPaper);
    p.SetForeColor(0x123456);
    f.PrintText(p, 30, 40, "Index", 0x0000C0);
    EXPECT_TRUE(Shows(p, 0x0000C0, 30, 40, 60, 54));
    EXPECT_FALSE(Shows(p, 0x0000C0, 0, 0, 29, 60));
    EXPECT_EQ(p.ForeColor(), 0x123456);
}
}  // namespace
