// The whole Input Settings mock-up: layout, title font, failures, repeatability, leaks.
#include "ObjectCounts.h"
#include "PreInputFixture.h"

namespace {
std::vector<int32_t> Pixels(const PictureBox& p) {
    std::vector<int32_t> all;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) all.push_back(p.Point(x, y));
    return all;
}

LOGFONTA FontOf(const PictureBox& p) {
    LOGFONTA lf{};
    GetObjectA(p.Font(), sizeof lf, &lf);
    return lf;
}

TEST_F(PreInputTest, DrawsTheDialogInTheSkin) {
    frmPreInput& f = Load();
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(f.Caption(), "Preview");
    EXPECT_TRUE(f.ScaleWidth() == 433 && f.ScaleHeight() == 335);
    const PictureBox& p = f.picDlgInput;
    const RECT bar = f.picTitlebar2.Bounds();
    EXPECT_TRUE(p.Width() == 432 && p.Height() == 335);
    EXPECT_TRUE(bar.left == 3 && bar.top == 5 && bar.right == 429 && bar.bottom == 26);
    EXPECT_EQ(f.imgChiudi(1).Left(), 426 - f.imgChiudi(1).Width() - 1);

    EXPECT_EQ(p.Point(5, 150), Tile(kBack, 5, 150));
    // The title bar's edge, one pixel outside it.
    EXPECT_EQ(p.Point(2, 25), Color(32));
    EXPECT_EQ(p.Point(428, 4), Color(32));
    EXPECT_EQ(p.Point(429, 26), Color(33));
    EXPECT_EQ(p.Point(429, 27), Tile(kBack, 429, 27));
    EXPECT_EQ(f.picTitlebar2.Point(420, 1), kMenuBar);
    EXPECT_TRUE(Shows(f.picTitlebar2, Color(36), 5, 0, 200, 20));
    EXPECT_TRUE(Shows(f.picTitlebar2, Color(37), 5, 0, 200, 20));

    EXPECT_EQ(p.Point(20, 300), Color(12)) << "frame Misc";
    EXPECT_TRUE(Shows(p, Color(19), 16, 46, 40, 58)) << "Index";
    EXPECT_TRUE(Shows(p, Color(29), 323, 47, 350, 59)) << "Enable";
    EXPECT_EQ(p.Point(302, 285), Color(4)) << "combo None";
    EXPECT_EQ(p.Point(251, 239), Color(9)) << "edit 0";
    EXPECT_EQ(p.Point(352, 328), Color(1)) << "Cancel, 23 high";
    EXPECT_TRUE(Shows(p, Color(2), 162, 306, 267, 328)) << "Select AC3 output highlighted";
    EXPECT_FALSE(Shows(p, Color(2), 6, 306, 160, 328));
}

TEST_F(PreInputTest, MissingBackgroundIsToldOnceAndTheRestIsDrawnOverTheDialogPicture) {
    skin.slots[0] = "gone.bmp";
    frmPreInput& f = Load();
    ASSERT_EQ(prompts.asked.size(), 1u);
    const std::string& text = prompts.asked[0].text;
    EXPECT_EQ(text.rfind("Error ", 0), 0u) << text;
    EXPECT_NE(text.find(" in procedure Preview_Input of Form frmDesigner"), std::string::npos) << text;
    EXPECT_TRUE(prompts.asked[0].style == 0 && prompts.asked[0].title == "Vexo VadiVirerova");
    EXPECT_EQ(f.picDlgInput.Point(5, 150), 0xC8D0D4) << "the dialog picture";
    EXPECT_EQ(f.picDlgInput.Point(8, 306), Color(0)) << "a button's border without its face";

    // A missing title bar picture passes without a word.
    skin.slots[0] = "back.bmp";
    skin.slots[4] = "gone.bmp";
    f.Draw();
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(f.picDlgInput.Point(5, 150), Tile(kBack, 5, 150));
}

TEST_F(PreInputTest, TitleFontSizeAndWeightRules) {
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize("10"), 8.5);
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize(" 1.5E1 "), 12.75);
    for (const char* bad : {"", "abc", "-5", "0", "1e9", "10px", "1e999"})
        EXPECT_FALSE(frmPreInput::TitleFontSize(bad).has_value()) << bad;
    EXPECT_FALSE(*frmPreInput::TitleFontBold("600"));
    EXPECT_TRUE(*frmPreInput::TitleFontBold("601"));
    EXPECT_TRUE(*frmPreInput::TitleFontBold("1e9"));
    EXPECT_FALSE(frmPreInput::TitleFontBold("abc").has_value());

    ASSERT_EQ(GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY), 96);
    skin.fontHeight = "10";
    skin.fontWeight = "601";
    frmPreInput& f = Load();
    EXPECT_EQ(FontOf(f.picTitlebar2).lfHeight, -11);  // 8.5 points
    EXPECT_EQ(FontOf(f.picTitlebar2).lfWeight, FW_BOLD);
    skin.fontWeight = "600";
    f.Draw();
    EXPECT_EQ(FontOf(f.picTitlebar2).lfWeight, FW_NORMAL);

    // Fields that are no number leave their property as it was.
    skin.fontWeight = "601";
    f.Draw();
    skin.fontName = "No Such Face Anywhere", skin.fontHeight = "abc", skin.fontWeight = "";
    f.Draw();
    EXPECT_EQ(f.TitleFontName(), "No Such Face Anywhere");
    EXPECT_EQ(FontOf(f.picTitlebar2).lfHeight, -11);
    EXPECT_EQ(FontOf(f.picTitlebar2).lfWeight, FW_BOLD);
}

TEST_F(PreInputTest, SecondDrawGivesTheSamePictureAndABitmapChangedOnDiskShows) {
    frmPreInput& f = Load();
    const std::vector<int32_t> dialog = Pixels(f.picDlgInput), title = Pixels(f.picTitlebar2);
    f.Draw();
    EXPECT_TRUE(dialog == Pixels(f.picDlgInput));
    EXPECT_TRUE(title == Pixels(f.picTitlebar2));

    // The text fields of combo "1" at (222, 42, 60) and combo "None" at (302, 275, 118).
    WriteBytes(dir / "cfore.bmp", BmpFile(1, 1, 0x0A0B0C));
    f.Draw();
    EXPECT_EQ(f.picDlgInput.Point(250, 50), 0x0A0B0C);
    EXPECT_EQ(f.picDlgInput.Point(400, 288), 0x0A0B0C);
}

TEST_F(PreInputTest, HundredDrawsOfABadSkinLeakNothing) {
    WriteBytes(dir / "empty.bmp", "");
    WriteBytes(dir / "text.bmp", "BM but nothing more");
    std::string absurd = BmpFile(32, 32, 0x123456);
    absurd.replace(18, 8, std::string("\x30\x75\0\0\x30\x75\0\0", 8));  // 30000 x 30000, 32 x 32 of pixels
    WriteBytes(dir / "absurd.bmp", absurd);
    WriteBytes(dir / "cut.bmp", BmpFile(32, 32, 0x123456).substr(0, 1000));
    skin.slots[0] = "cut.bmp", skin.slots[1] = "empty.bmp", skin.slots[7] = "absurd.bmp", skin.slots[8] = "text.bmp";
    skin.fontName = "No Such Face Anywhere", skin.fontHeight = "1e9", skin.fontWeight = "abc";
    frmPreInput& f = Load();
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 100; ++i) {
        skin.fontHeight = i % 2 ? "-3" : "";
        f.Draw();
    }
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
    EXPECT_EQ(prompts.asked.size(), 101u) << "the cut background, once a Draw";
}
}  // namespace
