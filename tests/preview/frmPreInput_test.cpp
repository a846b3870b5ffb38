// The dialog drawing operations, pixel by pixel.
#include <set>
#include <utility>

#include "PreInputFixture.h"
#include "modDesign.h"

namespace {
TEST_F(PreInputTest, CutCornerOutlineAndBorderStyles) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p);
    f.DrawRect(p, 20, 30, 8, 6, 0x0000FF);
    const std::set<std::pair<int, int>> outline = {{21, 31}, {25, 31}, {22, 30}, {23, 30}, {24, 30},
                                                   {20, 32}, {20, 33}, {21, 34}, {25, 34}, {22, 35},
                                                   {23, 35}, {24, 35}, {26, 32}, {26, 33}};
    for (int y = 27; y <= 38; ++y)
        for (int x = 17; x <= 30; ++x)
            ASSERT_EQ(p.Point(x, y), outline.count({x, y}) ? 0x0000FF : kPaper) << x << "," << y;

    struct Case {
        const char* style;
        int32_t first, second;
    } cases[] = {{"Button", Color(0), Color(1)}, {"Edit", Color(9), Color(8)}, {"Combo", Color(4), Color(5)},
                 {"Check1", 0x848484, 0xBDBDBD}, {"Check2", 0, 0xFFFFFF},     {"button", 0, 0}, {"", 0, 0}};
    for (const Case& c : cases) {
        Clear(p);
        f.Border3D(p, c.style, 40, 50, 10, 8);
        EXPECT_TRUE(p.Point(42, 50) == c.first && p.Point(40, 52) == c.first) << c.style;
        EXPECT_TRUE(p.Point(42, 57) == c.second && p.Point(48, 53) == c.second) << c.style;
    }
}

TEST_F(PreInputTest, CheckBoxIsTheSameEmptySunkenBoxCheckedOrNot) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p);
    f.DrawCheck(p, 10, 10, false);
    f.DrawCheck(p, 40, 10, true);
    for (int y = 8; y < 28; ++y)
        for (int x = 8; x < 28; ++x) ASSERT_EQ(p.Point(x, y), p.Point(x + 30, y)) << x << "," << y;
    EXPECT_EQ(p.Point(12, 23), 0xBDBDBD);  // 14 rows high
    EXPECT_EQ(p.Point(23, 13), 0xBDBDBD);  // 15 columns wide
    EXPECT_EQ(p.Point(13, 11), 0x000000);
    EXPECT_EQ(p.Point(17, 16), kPaper);
}

TEST_F(PreInputTest, ComboFaceFieldArrowAndOneContinuousTexture) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p);
    File* before = gFile.get();
    f.CreateCombo(10, 60, 40);
    EXPECT_NE(gFile.get(), before);
    f.CreateCombo(50, 60, 40);
    for (int X : {10, 50}) {
        for (int y = 64; y <= 76; ++y)
            for (int x = X + 6; x <= X + 25; ++x) ASSERT_EQ(p.Point(x, y), Tile(kComboFore, x, y)) << x << "," << y;
        for (int x = X + 27; x <= X + 37; ++x) ASSERT_EQ(p.Point(x, 65), Tile(kComboBack, x, 65)) << x;
    }
    const int32_t light = Color(4), dark = Color(5);
    EXPECT_EQ(p.Point(10, 60), kPaper) << "rounded corner";
    EXPECT_EQ(p.Point(12, 80), dark);
    EXPECT_EQ(p.Point(49, 70), kPaper) << "last column untouched";
    // Sunken text field.
    EXPECT_EQ(p.Point(16, 77), light);
    EXPECT_EQ(p.Point(36, 63), light);
    EXPECT_EQ(p.Point(16, 63), dark);
    EXPECT_EQ(p.Point(15, 77), dark);
    // Arrow: no stroke paints its end pixel.
    for (int x = 39; x <= 45; ++x) EXPECT_EQ(p.Point(x, 69), light) << x;
    EXPECT_EQ(p.Point(46, 69), Tile(kComboBack, 46, 69));
    EXPECT_EQ(p.Point(40, 70), light);
    EXPECT_EQ(p.Point(43, 74), dark);
    EXPECT_EQ(p.Point(42, 75), Tile(kComboBack, 42, 75));

    f.CreateCombo(100, 100, 120, "WWW");
    EXPECT_TRUE(Shows(p, Color(7), 106, 104, 140, 117));
    EXPECT_TRUE(Shows(p, Color(6), 106, 104, 140, 117));
    EXPECT_EQ(p.ForeColor(), Color(7));
}

TEST_F(PreInputTest, EditShowsTheSurfaceWhereItsFaceBitmapFails) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    WriteBytes(dir / "empty.bmp", "");
    WriteBytes(dir / "text.bmp", "not a bitmap at all");
    for (const char* face : {"fore.bmp", "missing.bmp", "empty.bmp", "text.bmp", ""}) {
        skin.slots[1] = face;
        Clear(p);
        f.CreateEdit(20, 20, 50, "");
        EXPECT_EQ(p.Point(60, 28), *face == 'f' ? Tile(kFore, 60, 28) : kPaper) << face;
        EXPECT_EQ(p.Point(69, 28), kPaper) << face;
        EXPECT_EQ(p.Point(22, 20), Color(9)) << face;
        EXPECT_EQ(p.Point(22, 38), Color(8)) << face;
        EXPECT_EQ(p.ForeColor(), Color(11)) << face;
    }
}

TEST_F(PreInputTest, ButtonCaptionCentredUnroundedAndHighlighted) {
    EXPECT_DOUBLE_EQ(frmPreInput::CaptionLeft(6, 76, 15), 36.5);
    EXPECT_DOUBLE_EQ(frmPreInput::CaptionLeft(200, 20, 45), 187.5);
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p);
    f.CreateButton(20, 20, 60);
    EXPECT_EQ(p.Point(22, 38), Color(1)) << "19 high when left out";
    EXPECT_EQ(p.Point(40, 30), Tile(kBack, 40, 30));

    const std::string wide = "A caption much wider than its button";
    f.CreateButton(200, 100, 40, 23, wide, false);
    EXPECT_TRUE(Shows(p, Color(3), 150, 105, 199, 120)) << "starts left of X";
    EXPECT_TRUE(Shows(p, Color(3), 241, 105, 290, 120));
    EXPECT_FALSE(Shows(p, Color(2), 140, 100, 300, 125));
    f.CreateButton(200, 200, 100, 23, "Select", true);
    EXPECT_TRUE(Shows(p, Color(2), 200, 205, 300, 222));
    EXPECT_EQ(p.ForeColor(), Color(2));
}

TEST_F(PreInputTest, Frame3DClearsTheLinesUnderItsCaptionAndPrintTextKeepsTheColour) {
    frmPreInput& f = Load();
    PictureBox& p = f.picDlgInput;
    Clear(p);
    p.PSet(59, 45, 0x00C000);  // sampled five rows above the frame
    f.Frame3D(p, 50, 50, 120, 60, "Caption");
    const int tw = p.TextWidth("Caption");
    EXPECT_EQ(p.Point(58, 50), Color(12));
    EXPECT_EQ(p.Point(56, 51), Color(13));
    EXPECT_EQ(p.Point(59, 50), 0x00C000);
    EXPECT_EQ(p.Point(59, 51), 0x00C000);
    EXPECT_EQ(p.Point(62 + tw, 50), 0x00C000);
    EXPECT_EQ(p.Point(63 + tw, 50), Color(12));
    EXPECT_TRUE(Shows(p, Color(15), 60, 44, 60 + tw, 58));
    EXPECT_EQ(p.ForeColor(), Color(15));

    f.PrintText(p, 30, 150, "Index", 0x0000C0);
    EXPECT_TRUE(Shows(p, 0x0000C0, 30, 150, 60, 164));
    EXPECT_EQ(p.ForeColor(), Color(15));
}
}  // namespace
