// The Input Settings mock-up: its drawing operations pixel by pixel, then the whole dialog.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "BmpFile.h"
#include "ObjectCounts.h"
#include "PreviewKit.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "frmPreInput.h"
#include "modDesign.h"

namespace {
// Face patterns of 3 x 2 pixels, base + 0x010101 * (3 * y + x), so a pattern restarting at a
// control's corner shows.
constexpr int32_t kBack = 0x102030, kFore = 0x403020, kComboBack = 0x705060, kComboFore = 0x206070, kMenuBar = 0x5A6B7C,
                  kPaper = 0x777777;
int32_t Tile(int32_t base, int x, int y) { return base + 0x010101 * ((y % 2) * 3 + x % 3); }

class PreInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.folder = dir.Path();
        const std::pair<int, int32_t> faces[] = {{0, kBack}, {1, kFore}, {7, kComboBack}, {8, kComboFore}};
        for (auto [slot, base] : faces)
            WriteBytes(dir / (skin.slots[size_t(slot)] = std::to_string(slot) + ".bmp"),
                       BmpFile(3, 2, {base, base + 0x010101, base + 0x020202, base + 0x030303, base + 0x040404, base + 0x050505}));
        WriteBytes(dir / (skin.slots[4] = "bar.bmp"), BmpFile(4, 4, kMenuBar));
        for (int i = 0; i < 38; ++i) skin.colors[size_t(i)] = RGB(30 + 5 * i, 220 - 4 * i, 90 + 3 * i);
    }
    // Loaded, its drawing surface cleared to plain paper.
    frmPreInput& Load(bool clear = false) {
        form = std::make_unique<frmPreInput>(skin);
        form->Load();
        if (clear) form->picDlgInput.Line(0, 0, 431, 334, kPaper, PictureBox::LineKind::FilledBox);
        return *form;
    }
    int32_t Color(int slot) const { return skin.colors[size_t(slot)]; }
    TempDir dir;
    FakeSkinSource skin;
    PromptScript prompts;
    std::unique_ptr<frmPreInput> form;
};

TEST_F(PreInputTest, CutCornerOutlineBorderStylesCheckBoxAndCombo) {
    frmPreInput& f = Load(true);
    PictureBox& p = f.picDlgInput;
    f.DrawRect(p, 20, 30, 8, 6, 0x0000FF);
    const std::set<std::pair<int, int>> outline = {{21, 31}, {25, 31}, {22, 30}, {23, 30}, {24, 30}, {20, 32}, {20, 33},
                                                   {21, 34}, {25, 34}, {22, 35}, {23, 35}, {24, 35}, {26, 32}, {26, 33}};
    for (int y = 27; y <= 38; ++y)
        for (int x = 17; x <= 30; ++x) ASSERT_EQ(p.Point(x, y), outline.count({x, y}) ? 0x0000FF : kPaper) << x << "," << y;
    const std::tuple<const char*, int32_t, int32_t> styles[] = {
        {"Button", Color(0), Color(1)}, {"Edit", Color(9), Color(8)}, {"Combo", Color(4), Color(5)},
        {"Check1", 0x848484, 0xBDBDBD}, {"Check2", 0, 0xFFFFFF},     {"button", 0, 0}, {"", 0, 0}};
    for (auto [style, first, second] : styles) {
        f.Border3D(p, style, 40, 50, 10, 8);
        EXPECT_TRUE(p.Point(42, 50) == first && p.Point(40, 52) == first && p.Point(42, 57) == second && p.Point(48, 53) == second)
            << style;
    }
    // The same empty sunken box, checked or not: 15 columns by 14 rows.
    f.DrawCheck(p, 10, 10, false), f.DrawCheck(p, 40, 10, true);
    for (int n = 0; n < 400; ++n) ASSERT_EQ(p.Point(8 + n % 20, 8 + n / 20), p.Point(38 + n % 20, 8 + n / 20)) << n;
    EXPECT_TRUE(p.Point(12, 23) == 0xBDBDBD && p.Point(23, 13) == 0xBDBDBD && p.Point(13, 11) == 0 && p.Point(13, 22) == 0xFFFFFF &&
                p.Point(17, 16) == kPaper);
    // Combos: face, field, arrow, and one continuous texture across two neighbours.
    p.Line(0, 0, 431, 334, kPaper, PictureBox::LineKind::FilledBox);
    f.CreateCombo(10, 60, 40), f.CreateCombo(50, 60, 40);
    for (int X : {10, 50}) {
        for (int y = 64; y <= 76; ++y)
            for (int x = X + 6; x <= X + 25; ++x) ASSERT_EQ(p.Point(x, y), Tile(kComboFore, x, y)) << x << "," << y;
        for (int x = X + 27; x <= X + 37; ++x) ASSERT_EQ(p.Point(x, 65), Tile(kComboBack, x, 65)) << x;
    }
    const int32_t light = Color(4), dark = Color(5);
    // Rounded corner, last column untouched, the sunken field, the arrow (no stroke paints its end pixel).
    const std::tuple<int, int, int32_t> at[] = {
        {10, 60, kPaper}, {12, 80, dark},  {49, 70, kPaper}, {16, 77, light}, {36, 63, light}, {16, 63, dark},
        {15, 77, dark},   {46, 69, Tile(kComboBack, 46, 69)}, {40, 70, light}, {43, 74, dark}, {42, 75, Tile(kComboBack, 42, 75)}};
    for (auto [x, y, want] : at) EXPECT_EQ(p.Point(x, y), want) << x << "," << y;
    for (int x = 39; x <= 45; ++x) EXPECT_EQ(p.Point(x, 69), light) << x;
    f.CreateCombo(100, 100, 120, "WWW");
    EXPECT_TRUE(Shows(p, Color(7), 106, 104, 140, 117) && Shows(p, Color(6), 106, 104, 140, 117) && p.ForeColor() == Color(7));
}

TEST_F(PreInputTest, EditButtonCaptionFrameAndText) {
    frmPreInput& f = Load(true);
    PictureBox& p = f.picDlgInput;
    // An edit shows the surface where its face bitmap fails, its face once it loads.
    WriteBytes(dir / "text.bmp", "not a bitmap at all");
    for (const char* face : {"missing.bmp", "text.bmp", "", "1.bmp"}) {
        skin.slots[1] = face;
        f.CreateEdit(20, 150, 50, "");
        EXPECT_EQ(p.Point(60, 158), *face == '1' ? Tile(kFore, 60, 158) : kPaper) << face;
        EXPECT_TRUE(p.Point(69, 158) == kPaper && p.Point(22, 150) == Color(9) && p.Point(22, 168) == Color(8)) << face;
        EXPECT_EQ(p.ForeColor(), Color(11)) << face;
    }
    f.CreateButton(20, 20, 60);
    EXPECT_TRUE(p.Point(22, 38) == Color(1) && p.Point(40, 30) == Tile(kBack, 40, 30)) << "19 high when left out";
    EXPECT_EQ(frmPreInput::CaptionLeft(10, 41, 20), 20.5) << "centred to the half pixel";
    f.CreateButton(200, 100, 40, 23, "A caption much wider than its button", false);
    EXPECT_TRUE(Shows(p, Color(3), 150, 105, 199, 120) && Shows(p, Color(3), 241, 105, 290, 120)) << "centred, not clipped";
    EXPECT_FALSE(Shows(p, Color(2), 140, 100, 300, 125));
    f.CreateButton(200, 200, 100, 23, "Select", true);  // its highlighted text is seen in the dialog's test
    EXPECT_EQ(p.ForeColor(), Color(2));
    // A frame clears its lines under the caption with the colour five rows above it.
    p.PSet(59, 245, 0x00C000);
    f.Frame3D(p, 50, 250, 120, 60, "Caption");
    const int tw = p.TextWidth("Caption");
    const std::tuple<int, int, int32_t> at[] = {{58, 250, Color(12)}, {56, 251, Color(13)}, {59, 250, 0x00C000},
                                                {59, 251, 0x00C000},  {62 + tw, 250, 0x00C000}, {63 + tw, 250, Color(12)}};
    for (auto [x, y, want] : at) EXPECT_EQ(p.Point(x, y), want) << x << "," << y;
    EXPECT_TRUE(Shows(p, Color(15), 60, 244, 60 + tw, 258));
    f.PrintText(p, 300, 150, "Index", 0x0000C0);
    EXPECT_TRUE(Shows(p, 0x0000C0, 300, 150, 330, 164) && p.ForeColor() == Color(15)) << "the text's colour is its own";
}

TEST_F(PreInputTest, DrawsTheDialogInTheSkinTheSameEachTime) {
    frmPreInput& f = Load();
    const PictureBox& p = f.picDlgInput;
    EXPECT_TRUE(prompts.asked.empty() && f.Caption() == "Preview");
    EXPECT_TRUE(f.ScaleWidth() == 433 && f.ScaleHeight() == 335 && p.Width() == 432 && p.Height() == 335);
    EXPECT_EQ(f.imgChiudi(1).Left(), 426 - f.imgChiudi(1).Width() - 1);
    // Background, the title bar's edge one pixel outside (3, 5) 426 x 21, frame Misc, combo None, edit 0, Cancel 23 high.
    const std::tuple<int, int, int32_t> at[] = {
        {5, 150, Tile(kBack, 5, 150)}, {2, 25, Color(32)},  {428, 4, Color(32)},  {429, 26, Color(33)},
        {429, 27, Tile(kBack, 429, 27)}, {20, 300, Color(12)}, {302, 285, Color(4)}, {251, 239, Color(9)}, {352, 328, Color(1)}};
    for (auto [x, y, c] : at) EXPECT_EQ(p.Point(x, y), c) << x << "," << y;
    EXPECT_EQ(f.picTitlebar2.Point(420, 1), kMenuBar);
    EXPECT_TRUE(Shows(f.picTitlebar2, Color(36), 5, 0, 200, 20) && Shows(f.picTitlebar2, Color(37), 5, 0, 200, 20));
    EXPECT_TRUE(Shows(p, Color(19), 16, 46, 40, 58) && Shows(p, Color(29), 323, 47, 350, 59)) << "Index, Enable";
    EXPECT_TRUE(Shows(p, Color(2), 162, 306, 267, 328) && !Shows(p, Color(2), 6, 306, 160, 328)) << "only Select AC3 output highlighted";
    const auto dialog = Pixels(p), title = Pixels(f.picTitlebar2);
    f.Draw();
    EXPECT_TRUE(dialog == Pixels(p) && title == Pixels(f.picTitlebar2));
    // A bitmap changed on disk shows: the text fields of combo "1" and combo "None".
    WriteBytes(dir / "8.bmp", BmpFile(1, 1, 0x0A0B0C));
    f.Draw();
    EXPECT_TRUE(p.Point(250, 50) == 0x0A0B0C && p.Point(400, 288) == 0x0A0B0C);
}

TEST_F(PreInputTest, TitleFontSizeAndWeightRules) {
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize("10"), 8.5);
    EXPECT_DOUBLE_EQ(*frmPreInput::TitleFontSize(" 1.5E1 "), 12.75);
    for (const char* bad : {"", "abc", "-5", "0", "1e9", "10px", "1e999"})
        EXPECT_FALSE(frmPreInput::TitleFontSize(bad).has_value()) << bad;
    EXPECT_TRUE(*frmPreInput::TitleFontBold("1e9") && !frmPreInput::TitleFontBold("abc").has_value());
    ASSERT_EQ(GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY), 96);
    auto font = [&] {
        LOGFONTA lf{};
        GetObjectA(form->picTitlebar2.Font(), sizeof lf, &lf);
        return std::pair{lf.lfHeight, lf.lfWeight};
    };
    skin.fontWeight = "600";
    frmPreInput& f = Load();
    EXPECT_EQ(font(), std::pair(-11L, long(FW_NORMAL)));  // 8.5 points
    skin.fontWeight = "601";
    f.Draw();
    EXPECT_EQ(font().second, FW_BOLD);
    // Fields that are no number leave their property as it was.
    skin.fontName = "No Such Face Anywhere", skin.fontHeight = "abc", skin.fontWeight = "";
    f.Draw();
    EXPECT_EQ(f.TitleFontName(), "No Such Face Anywhere");
    EXPECT_EQ(font(), std::pair(-11L, long(FW_BOLD)));
}

// A background that is missing or cut is told at each Draw, the dialog picture showing under the
// rest; a missing title bar and bad faces pass without a word; a hundred Draws leak nothing.
TEST_F(PreInputTest, BadSkinIsToldOnceADrawAndLeaksNothing) {
    WriteBytes(dir / "cut.bmp", BmpFile(32, 32, 0x123456).substr(0, 1000));
    skin.slots[0] = "gone.bmp", skin.slots[1] = "cut.bmp", skin.slots[4] = "gone.bmp", skin.slots[7] = "cut.bmp";
    skin.slots[8] = "gone.bmp", skin.fontName = "No Such Face Anywhere", skin.fontHeight = "1e9", skin.fontWeight = "abc";
    frmPreInput& f = Load();
    ASSERT_EQ(prompts.asked.size(), 1u);
    const std::string& text = prompts.asked[0].text;
    EXPECT_EQ(text, "Error 53 (File not found) in procedure Preview_Input of Form frmDesigner");
    EXPECT_TRUE(prompts.asked[0].style == 0 && prompts.asked[0].title == "Vexo VadiVirerova");
    EXPECT_EQ(f.picDlgInput.Point(5, 150), 0xC8D0D4) << "the dialog picture";
    EXPECT_EQ(f.picDlgInput.Point(8, 306), Color(0)) << "a button's border without its face";
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 100; ++i) {
        skin.slots[0] = i % 2 ? "cut.bmp" : "gone.bmp", skin.fontHeight = i % 2 ? "-3" : "";
        f.Draw();
    }
    EXPECT_TRUE(CountGdiObjects() == gdi && CountUserObjects() == user) << "GDI and USER objects all freed";
    EXPECT_EQ(prompts.asked.size(), 101u);
    skin.slots[0] = "0.bmp";
    f.Draw();
    EXPECT_TRUE(prompts.asked.size() == 101u && f.picDlgInput.Point(5, 150) == Tile(kBack, 5, 150));
}
// The window unloaded while the background's error showed: the draw stops there and tells nothing more.
TEST_F(PreInputTest, DrawStopsWhenTheWindowIsUnloadedWhileItsErrorShows) {
    frmPreInput& f = Load();
    skin.slots[0] = "gone.bmp";
    std::vector<std::string> said;
    PromptHook unloading;
    unloading.msgBox = [&](const std::string& text, UINT, const std::string&) {
        said.push_back(text);
        f.Unload();
        return IDOK;
    };
    const PromptHook old = SetPromptHook(unloading);
    f.Draw();
    SetPromptHook(old);
    EXPECT_EQ(said, std::vector<std::string>{"Error 53 (File not found) in procedure Preview_Input of Form frmDesigner"});
    EXPECT_FALSE(f.IsLoaded());
}
}  // namespace
