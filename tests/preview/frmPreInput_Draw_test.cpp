// The whole Input Settings mock-up: layout, title font, failures, repeatability, leaks.
#include <windows.h>

#include <vector>

#include "AppInfo.h"
#include "ObjectCounts.h"
#include "PreInputFixture.h"

namespace {
// Whether a colour shows anywhere in a box of the surface.
bool Shows(const PictureBox& p, int32_t color, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (p.Point(x, y) == color) return true;
    return false;
}

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
    EXPECT_EQ(f.ScaleWidth(), 433);
    EXPECT_EQ(f.ScaleHeight(), 335);
    const PictureBox& p = f.picDlgInput;
    EXPECT_EQ(p.Bounds().left, 0);
    EXPECT_EQ(p.Width(), 432);
    EXPECT_EQ(p.Height(), 335);
    EXPECT_EQ(GetParent(f.picTitlebar2.Hwnd()), p.Hwnd());
    EXPECT_EQ(f.picTitlebar2.Left(), 3);
    EXPECT_EQ(f.picTitlebar2.Top(), 5);
    EXPECT_EQ(f.picTitlebar2.Width(), 426);
    EXPECT_EQ(f.picTitlebar2.Height(), 21);
    EXPECT_EQ(f.imgChiudi(1).Left(), 426 - f.imgChiudi(1).Width() - 1);
    EXPECT_FALSE(IsWindowVisible(f.picTmp.Hwnd()));

    // The background tiled from the corner; the title bar framed one pixel outside.
    EXPECT_EQ(p.Point(5, 150), Tile(kBack, 5, 150));
    EXPECT_EQ(p.Point(1, 10), Tile(kBack, 1, 10));
    EXPECT_EQ(p.Point(2, 4), Color(32));
    EXPECT_EQ(p.Point(428, 4), Color(32));
    EXPECT_EQ(p.Point(2, 25), Color(32));
    EXPECT_EQ(p.Point(2, 26), Color(33));
    EXPECT_EQ(p.Point(428, 26), Color(33));
    EXPECT_EQ(p.Point(429, 4), Color(33));
    EXPECT_EQ(p.Point(429, 26), Color(33));
    EXPECT_EQ(p.Point(429, 27), Tile(kBack, 429, 27));
    EXPECT_EQ(f.picTitlebar2.Point(420, 1), kMenuBar);
    EXPECT_TRUE(Shows(f.picTitlebar2, Color(36), 5, 0, 200, 20));
    EXPECT_TRUE(Shows(f.picTitlebar2, Color(37), 5, 0, 200, 20));

    // One of each element at its place.
    EXPECT_EQ(p.Point(12, 34), Color(12)) << "frame Program Chain";
    EXPECT_EQ(p.Point(20, 300), Color(12)) << "frame Misc, bottom";
    EXPECT_EQ(p.Point(20, 301), Color(13)) << "frame Misc, bottom of the dark outline";
    EXPECT_TRUE(Shows(p, Color(15), 20, 28, 80, 40)) << "caption Program Chain";
    EXPECT_TRUE(Shows(p, Color(19), 16, 46, 40, 58)) << "text Index";
    EXPECT_TRUE(Shows(p, Color(29), 323, 47, 350, 59)) << "text Enable";
    EXPECT_EQ(p.Point(308, 46), 0x848484) << "check box";
    EXPECT_EQ(p.Point(49, 42), Color(4)) << "combo [00]";
    EXPECT_EQ(p.Point(302, 285), Color(4)) << "combo None, left edge";
    EXPECT_EQ(p.Point(368, 57), Color(9)) << "edit 128";
    EXPECT_EQ(p.Point(251, 239), Color(9)) << "edit 0";
    EXPECT_EQ(p.Point(8, 306), Color(0)) << "button OK";
    EXPECT_EQ(p.Point(352, 328), Color(1)) << "button Cancel, 23 high";
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
    EXPECT_EQ(prompts.asked[0].style, 0u);
    EXPECT_EQ(prompts.asked[0].title, "Vexo VadiVirerova");
    const PictureBox& p = f.picDlgInput;
    EXPECT_EQ(p.Point(5, 150), 0xC8D0D4) << "the dialog picture's face";
    EXPECT_EQ(p.Point(12, 34), Color(12));
    EXPECT_EQ(p.Point(8, 306), Color(0)) << "button border without its face";
    EXPECT_EQ(f.picTitlebar2.Point(420, 1), kMenuBar);

    // A missing title bar picture is passed over without a word.
    skin.slots[0] = "back.bmp";
    skin.slots[4] = "gone.bmp";
    f.Draw();
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(p.Point(5, 150), Tile(kBack, 5, 150));
}

TEST_F(PreInputTest, TitleFontSizeAndWeightRules) {
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize("10"), 8.5);
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize(" 20 "), 17.0);
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize("1.5E1"), 12.75);
    for (const char* bad : {"", "abc", "-5", "0", "1e9", "10px", "1e999"})
        EXPECT_FALSE(frmPreInput::TitleFontSize(bad).has_value()) << bad;
    EXPECT_FALSE(*frmPreInput::TitleFontBold("600"));
    EXPECT_TRUE(*frmPreInput::TitleFontBold("601"));
    EXPECT_TRUE(*frmPreInput::TitleFontBold("1e9"));
    EXPECT_FALSE(*frmPreInput::TitleFontBold("-5"));
    EXPECT_FALSE(frmPreInput::TitleFontBold("abc").has_value());
    EXPECT_FALSE(frmPreInput::TitleFontBold("").has_value());

    ASSERT_EQ(GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY), 96);
    skin.fontName = "Tahoma";
    skin.fontHeight = "10";
    skin.fontWeight = "601";
    frmPreInput& f = Load();
    EXPECT_DOUBLE_EQ(f.TitleFontPoints(), 8.5);
    EXPECT_TRUE(f.TitleFontIsBold());
    LOGFONTA lf = FontOf(f.picTitlebar2);
    EXPECT_EQ(lf.lfHeight, -11);  // 8.5 points at 96 dots per inch
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");

    skin.fontWeight = "600";
    f.Draw();
    EXPECT_EQ(FontOf(f.picTitlebar2).lfWeight, FW_NORMAL);

    // Fields that are no number leave their property as it was; an unknown face is kept by name.
    skin.fontWeight = "601";
    f.Draw();
    skin.fontName = "No Such Face Anywhere";
    skin.fontHeight = "abc";
    skin.fontWeight = "";
    f.Draw();
    EXPECT_EQ(f.TitleFontName(), "No Such Face Anywhere");
    EXPECT_DOUBLE_EQ(f.TitleFontPoints(), 8.5);
    EXPECT_TRUE(f.TitleFontIsBold());
    EXPECT_EQ(FontOf(f.picTitlebar2).lfHeight, -11);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PreInputTest, SecondDrawGivesTheSamePictureAndABitmapChangedOnDiskShows) {
    frmPreInput& f = Load();
    const std::vector<int32_t> dialog = Pixels(f.picDlgInput), title = Pixels(f.picTitlebar2);
    f.Draw();
    EXPECT_TRUE(dialog == Pixels(f.picDlgInput));
    EXPECT_TRUE(title == Pixels(f.picTitlebar2));

    // Combo "1" at (222, 42, 60) and combo "None" at (302, 275, 118): their text fields.
    EXPECT_EQ(f.picDlgInput.Point(250, 50), Tile(kComboFore, 250, 50));
    WriteBytes(dir / "cfore.bmp", BmpFile(1, 1, 0x0A0B0C));
    f.Draw();
    EXPECT_EQ(f.picDlgInput.Point(250, 50), 0x0A0B0C);
    EXPECT_EQ(f.picDlgInput.Point(400, 288), 0x0A0B0C);
}

TEST_F(PreInputTest, EscapeUnloadsAndTellsTheOwner) {
    frmPreInput& f = Load();
    int unloaded = 0;
    f.Unloaded = [&] { ++unloaded; };
    f.Show();
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(f.Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    const DWORD start = GetTickCount();
    RunMessageLoop([&] { return f.IsLoaded() && GetTickCount() - start < 10000; });
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(unloaded, 1);
}

TEST_F(PreInputTest, HundredDrawsOfABadSkinLeakNothing) {
    WriteBytes(dir / "empty.bmp", "");
    WriteBytes(dir / "text.bmp", "BM but nothing more");
    skin.slots[1] = "empty.bmp";
    skin.slots[7] = "text.bmp";
    skin.slots[8] = "missing.bmp";
    skin.fontName = "No Such Face Anywhere";
    skin.fontHeight = "1e9";
    skin.fontWeight = "abc";
    frmPreInput& f = Load();
    f.Draw();
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 100; ++i) {
        skin.fontHeight = i % 2 ? "-3" : "";
        f.Draw();
    }
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
    EXPECT_TRUE(prompts.asked.empty());
}
}  // namespace
