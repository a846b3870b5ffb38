#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <tuple>

#include "AppInfo.h"
#include "BmpFile.h"
#include "DoEvents.h"
#include "FakeSkinSource.h"
#include "ObjectCounts.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "frmPreview.h"
#include "modDesign.h"

namespace {
constexpr COLORREF kBlack = 0, kRed = 0x0000FF, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF, kTile = 0x445566,
                   kBlock = 0x22AA11, kMenuBar = 0x5C5B5A, kMenuFore = 0x5F5E5D, kMenuBack = 0x626160,
                   kDigits = 0xFA8C1E, kInputBack = 0x0C0B0A, kOutputBack = 0x0F0E0D, kGrey = 0x505050;
COLORREF Face(int i) { return RGB(100 + i, 60, 20); }
COLORREF Pressed(int i) { return RGB(20, 60, 100 + i); }
int32_t Color(int slot) { return static_cast<int32_t>(RGB(10 + slot * 5, 200 - slot * 3, 50 + slot * 4)); }

std::string ButtonFile(COLORREF up, COLORREF down) {
    std::vector<int32_t> px(34 * 60);
    for (size_t n = 0; n < px.size(); ++n) px[n] = static_cast<int32_t>(n < 34 * 30 ? up : down);
    return BmpFile(34, 60, px);
}

// Every pixel of a box's image, row by row.
std::vector<COLORREF> Pixels(const PictureBox& box) {
    std::vector<COLORREF> px;
    for (int y = 0; y < box.Height(); ++y)
        for (int x = 0; x < box.Width(); ++x) px.push_back(static_cast<COLORREF>(box.Point(x, y)));
    return px;
}

bool At(const Control& c, RECT want) {
    const RECT r = c.Bounds();
    return EqualRect(&r, &want);
}

COLORREF PixelOf(const Picture& p, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, p.AsBitmap());
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

class MainPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.folder = dir.Path();
        for (int i = 0; i < 38; ++i) skin.colors[static_cast<size_t>(i)] = Color(i);
    }
    void TearDown() override {
        if (gFrmPreview) gFrmPreview->Unload();
        gFrmPreview.reset();
    }
    void Slot(int slot, const std::string& name, const std::string& bytes) {
        WriteBytes(dir / name, bytes);
        skin.slots[static_cast<size_t>(slot)] = name;
    }
    // Plain colours, so every composed pixel can be told; the background holds the two
    // caption colours at (13, 58) and (13, 540), the tile a black pixel at (1, 1).
    void WriteDistinctSkin() {
        std::vector<int32_t> bg(16 * 560);
        for (int n = 0; n < 16 * 560; ++n) bg[static_cast<size_t>(n)] = RGB(0x20 + n % 16 * 4, 20 + n / 16 % 200, 0x60);
        bg[58 * 16 + 13] = kInputBack;
        bg[540 * 16 + 13] = kOutputBack;
        Slot(0, "background.bmp", BmpFile(16, 560, bg));
        std::vector<int32_t> tile(16, kTile);
        tile[5] = kBlack;
        Slot(2, "controlback.bmp", BmpFile(4, 4, tile));
        Slot(3, "progressfore.bmp", BmpFile(6, 6, kBlock));
        Slot(4, "menubar.bmp", BmpFile(8, 8, kMenuBar));
        Slot(5, "menufore.bmp", BmpFile(8, 8, kMenuFore));
        Slot(6, "menuback.bmp", BmpFile(2, 2, kMenuBack));
        Slot(10, "numbersalpha.bmp", BmpFile(4, 3, {0, 0, 0, 0, 0, 0, kDigits, 0, 0, 0, 0, 0}));
        std::vector<int32_t> mask(34 * 30);
        for (size_t n = 0; n < mask.size(); ++n) mask[n] = n % 34 < 17 ? kBlack : kWhite;
        Slot(11, "btn_alpha.bmp", BmpFile(34, 30, mask));
        for (int i = 0; i < 12; ++i) Slot(12 + i, "btn" + std::to_string(i) + ".bmp", ButtonFile(Face(i), Pressed(i)));
    }
    frmPreview& Open() {
        gFrmPreview = std::make_unique<frmPreview>(skin);
        gFrmPreview->Show();
        return *gFrmPreview;
    }
    // A template of its size, magenta but for the marks given.
    Picture Template(int w, int h, std::initializer_list<std::tuple<int, int, COLORREF>> marks) {
        std::vector<int32_t> px(static_cast<size_t>(w * h), static_cast<int32_t>(kMagenta));
        for (auto [x, y, c] : marks) px[static_cast<size_t>(y * w + x)] = static_cast<int32_t>(c);
        WriteBytes(dir / "t.bmp", BmpFile(w, h, px));
        return Picture::LoadBitmapFile(dir / "t.bmp");
    }
    std::vector<std::vector<COLORREF>> AllImages(frmPreview& p) {
        std::vector<std::vector<COLORREF>> all;
        for (PictureBox* b : {&p.picVexo, &p.picTitlebar, &p.picMenuSettings, &p.picItem, &p.picProgress, &p.picStatus,
                              &p.picInputAUDIO, &p.picSlider, &p.picNumbers, &p.picOutput})
            all.push_back(Pixels(*b));
        for (int i = 0; i < 12; ++i) all.push_back(Pixels(p.picBtn(i)));
        for (int i = 0; i < p.PBarCount(); ++i) all.push_back(Pixels(p.picPBar(i)));
        return all;
    }
    COLORREF Under(frmPreview& p, int button, int x) { return PixelOf(p.picVexo.GetPicture(), p.picBtn(button).Left() + x, 487); }

    TempDir dir;
    FakeSkinSource skin;
    PromptScript prompts;
};

TEST_F(MainPreviewTest, WindowLayoutTooltipsAndTemplates) {
    frmPreview& p = Open();
    EXPECT_EQ(p.Caption(), "Preview");
    EXPECT_EQ(p.Width(), 523 * 15 + 90);
    EXPECT_EQ(p.Height(), 584 * 15 + 420);
    EXPECT_EQ(p.picVexo.GetPicture().Width(), 519);
    EXPECT_EQ(p.picVexo.GetPicture().Height(), 580);
    const std::tuple<const Control&, RECT> boxes[] = {
        {p.picVexo, {0, 0, 523, 584}},        {p.picTitlebar, {4, 2, 518, 23}},        {p.imgBorder3D, {32, 2, 75, 18}},
        {p.picMenuSettings, {34, 25, 147, 120}}, {p.picItem, {3, 4, 109, 22}},         {p.Label1, {20, 2, 83, 15}},
        {p.Label6, {25, 58, 90, 72}},         {p.picProgress, {6, 27, 513, 37}},       {p.picStatus, {6, 41, 513, 55}},
        {p.picInputAUDIO, {50, 74, 179, 89}}, {p.picInputVIDEO, {218, 74, 343, 89}},   {p.picInputSUBTITLE, {390, 74, 508, 89}},
        {p.picSlider, {6, 514, 369, 539}},    {p.picNumbers, {372, 514, 511, 539}},    {p.picOutput, {12, 552, 507, 569}}};
    for (const auto& [c, r] : boxes) EXPECT_TRUE(At(c, r)) << c.Name();
    EXPECT_EQ(p.Label5.Caption(), "Preview aspect");
    const int lefts[12] = {105, 626, 1147, 1668, 2190, 2805, 3327, 3849, 4371, 4893, 5415, 6030};
    const char* tips[12] = {"Previous chapter", "Play", "Next frame", "Next chapter", "Jump", "Open DVD root",
                            "Open IFO", "Open Mpeg(s)", "Input settings", "Output settings", "Select destination", "Encode"};
    for (int i = 0; i < 12; ++i) {
        const int left = (lefts[i] * 2 + 15) / 30;  // twips to pixels, rounded
        EXPECT_TRUE(At(p.picBtn(i), {left, 482, left + 34, 511})) << i;
        EXPECT_EQ(p.picBtn(i).ToolTipText(), tips[i]);
        EXPECT_EQ(p.picBtn(i).MousePointer(), 99);
        EXPECT_NE(p.picBtn(i).MouseIcon().AsIcon(), nullptr);
    }
    // The templates: their sizes, and only the colours they may hold besides magenta.
    auto grey = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); };
    const std::tuple<const PictureBox&, int, int, std::function<bool(COLORREF)>> tmpls[] = {
        {p.picTmpProgress, 507, 10, [&](COLORREF c) { return c == 0x101010 || c == 0xF7F7F7 || (grey(c) && GetRValue(c) >= 115 && GetRValue(c) <= 156); }},
        {p.picTmpStatus, 507, 14, grey},
        {p.picTmpSlider, 363, 25, [](COLORREF c) { return c == kBlack || c == kRed || c == kWhite; }},
        {p.picTmpNumbers, 139, 24, [](COLORREF c) { return c == kBlack || c == 0x848484; }},
        {p.picTmpOutput, 495, 17, grey}};
    for (const auto& [box, w, h, allowed] : tmpls) {
        ASSERT_EQ(box.GetPicture().Width(), w) << box.Name();
        ASSERT_EQ(box.GetPicture().Height(), h) << box.Name();
        std::set<COLORREF> seen;
        for (int n = 0; n < w * h; ++n) seen.insert(PixelOf(box.GetPicture(), n % w, n / w));
        seen.erase(kMagenta);
        EXPECT_FALSE(seen.empty()) << box.Name();
        for (COLORREF c : seen) EXPECT_TRUE(allowed(c)) << box.Name() << " " << std::hex << c;
    }
}

TEST_F(MainPreviewTest, ComposesEveryElementFromTheSkin) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    p.picTmpProgress.SetPicture(Template(507, 10, {{3, 3, kGrey}}));
    p.picTmpStatus.SetPicture(Template(507, 14, {{3, 3, kBlack}, {4, 3, kRed}, {505, 5, kBlack}, {5, 1, kBlack}}));
    p.picTmpSlider.SetPicture(Template(363, 25, {{3, 3, kBlack}, {4, 3, kRed}, {5, 3, kWhite}, {6, 3, kGrey}, {361, 5, kBlack}, {5, 23, kBlack}}));
    p.picTmpNumbers.SetPicture(Template(139, 24, {{3, 3, kBlack}, {4, 3, kGrey}}));
    p.picTmpOutput.SetPicture(Template(495, 17, {{3, 3, kBlack}}));
    p.Draw();
    auto c = [](int slot) { return static_cast<COLORREF>(Color(slot)); };
    // Each check: box, x, y, the colour the layout and the skin give there.
    const std::tuple<PictureBox&, int, int, COLORREF> checks[] = {
        // Background tile, caption backings sampled from the bitmap, group frames.
        {p.picVexo, 300, 300, RGB(0x20 + 300 % 16 * 4, 20 + 300 % 200, 0x60)},
        {p.picVexo, 13, 58, kInputBack}, {p.picVexo, 13, 70, kInputBack}, {p.picVexo, 13, 539, kOutputBack},
        {p.picVexo, 7, 64, c(12)}, {p.picVexo, 511, 93, c(12)}, {p.picVexo, 8, 65, c(13)}, {p.picVexo, 512, 94, c(13)},
        // Title bar: raised edge, stretched bitmap, the pressed menu name's sunken edge.
        {p.picVexo, 100, 1, c(32)}, {p.picVexo, 1, 10, c(32)}, {p.picVexo, 100, 23, c(33)}, {p.picVexo, 518, 10, c(33)},
        {p.picTitlebar, 300, 10, kMenuBar}, {p.picTitlebar, 50, 1, c(33)}, {p.picTitlebar, 31, 10, c(33)},
        {p.picTitlebar, 76, 10, c(32)}, {p.picTitlebar, 50, 19, c(32)},
        // The open menu and its item.
        {p.picMenuSettings, 100, 90, kMenuFore}, {p.picItem, 50, 9, kMenuBack}, {p.picItem, 50, 0, c(33)},
        {p.picItem, 0, 10, c(33)}, {p.picItem, 50, 17, c(32)}, {p.picItem, 105, 10, c(32)},
        // Progress: template greys kept; a black tile pixel in the loop area takes c31, column 1 never.
        {p.picProgress, 3, 3, kGrey}, {p.picProgress, 5, 5, c(31)}, {p.picProgress, 1, 5, kBlack}, {p.picProgress, 6, 6, kTile},
        // Status: black takes c19 up to x = width - 1, red stays, row 1 never; its sunken edge.
        {p.picStatus, 3, 3, c(19)}, {p.picStatus, 4, 3, kRed}, {p.picStatus, 505, 5, c(19)}, {p.picStatus, 5, 1, kBlack},
        {p.picStatus, 9, 9, c(19)}, {p.picStatus, 0, 7, c(17)}, {p.picStatus, 506, 7, c(16)},
        // Input boxes: the tile alone, nothing recoloured.
        {p.picInputVIDEO, 5, 5, kBlack}, {p.picInputVIDEO, 6, 6, kTile}, {p.picInputVIDEO, 124, 5, c(16)},
        // Slider: black c27, red c25, white and grey kept, a loop two pixels smaller; its edge.
        {p.picSlider, 3, 3, c(27)}, {p.picSlider, 4, 3, c(25)}, {p.picSlider, 5, 3, kWhite}, {p.picSlider, 6, 3, kGrey},
        {p.picSlider, 361, 5, c(27)}, {p.picSlider, 5, 23, c(27)}, {p.picSlider, 100, 1, c(25)},
        {p.picSlider, 1, 10, c(25)}, {p.picSlider, 100, 24, c(24)}, {p.picSlider, 362, 10, c(24)},
        // Numbers: the colour of numbersalpha's pixel (2, 1); the timer edge.
        {p.picNumbers, 3, 3, kDigits}, {p.picNumbers, 4, 3, kGrey}, {p.picNumbers, 50, 0, c(21)},
        {p.picNumbers, 138, 10, c(20)},
        {p.picOutput, 3, 3, c(19)}, {p.picOutput, 0, 8, c(17)}};
    for (const auto& [box, x, y, want] : checks) EXPECT_EQ(static_cast<COLORREF>(box.Point(x, y)), want) << box.Name() << " " << x << "," << y;
    EXPECT_EQ(p.Label1.ForeColor(), Color(37));
    EXPECT_EQ(p.Label5.ForeColor(), Color(37));
    EXPECT_EQ(p.Label6.ForeColor(), Color(36));
    ASSERT_EQ(p.PBarCount(), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_TRUE(At(p.picPBar(i), {2 + 8 * i, 2, 8 + 8 * i, 8}) && IsWindowVisible(p.picPBar(i).Hwnd())) << i;
        EXPECT_EQ(static_cast<COLORREF>(p.picPBar(i).Point(3, 3)), kBlock);
    }
    // Buttons: (background AND mask) XOR face, the mask black on the left half.
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(static_cast<COLORREF>(p.picBtn(i).Point(5, 5)), Face(i)) << i;
        EXPECT_EQ(static_cast<COLORREF>(p.picBtn(i).Point(25, 5)), Under(p, i, 25) ^ Face(i)) << i;
    }
}

TEST_F(MainPreviewTest, RedrawIsTheSameAndSlotNineAndEmptyButtonSlotsAsDocumented) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    const auto first = AllImages(p);
    p.Draw();
    EXPECT_EQ(p.PBarCount(), 13) << "the extra blocks are made once";
    EXPECT_TRUE(AllImages(p) == first);
    Slot(9, "numbers.bmp", BmpFile(8, 8, RGB(1, 200, 3)));
    p.Draw();
    EXPECT_TRUE(AllImages(p) == first) << "slot 9 is not read";

    // No mask: the background patch laid on itself, so background XOR face; no face either: black.
    skin.slots[11] = skin.slots[12 + 3] = "";
    p.Draw();
    EXPECT_EQ(static_cast<COLORREF>(p.picBtn(0).Point(5, 5)), Under(p, 0, 5) ^ Face(0));
    EXPECT_EQ(static_cast<COLORREF>(p.picBtn(3).Point(25, 5)), kBlack);
    // An empty button slot lays the mask itself: (background AND mask) XOR mask.
    skin.slots[11] = "btn_alpha.bmp";
    p.Draw();
    EXPECT_EQ(static_cast<COLORREF>(p.picBtn(3).Point(5, 5)), kBlack);
    EXPECT_EQ(static_cast<COLORREF>(p.picBtn(3).Point(25, 5)), Under(p, 3, 25) ^ kWhite);
}

TEST_F(MainPreviewTest, PressShowsTheLowerHalfAndReleaseRestoresTheUpLook) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    PictureBox& b = p.picBtn(2);
    const auto up = Pixels(b);
    for (auto [down, release, flag] : {std::tuple{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
                                       std::tuple{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON},
                                       std::tuple{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON}}) {
        SendMessageA(b.Hwnd(), down, flag, MAKELPARAM(5, 5));
        EXPECT_EQ(static_cast<COLORREF>(b.Point(5, 5)), Pressed(2));
        EXPECT_EQ(static_cast<COLORREF>(b.Point(25, 5)), Under(p, 2, 25) ^ Pressed(2));
        SendMessageA(b.Hwnd(), release, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(Pixels(b) == up) << "the exact up look comes back";
    }
    // The slots are read at the press: a new bitmap shows without a redraw.
    Slot(12 + 2, "other.bmp", ButtonFile(Face(2), RGB(9, 99, 199)));
    p.picBtn_MouseDown(2, 1, 0, 5, 5);
    EXPECT_EQ(static_cast<COLORREF>(b.Point(5, 5)), RGB(9, 99, 199));
    p.picBtn_MouseUp(2, 1, 0, 5, 5);
    // A button bitmap that can't be loaded keeps the up look, without a message.
    skin.slots[12 + 2] = "missing.bmp";
    p.picBtn_MouseDown(2, 1, 0, 5, 5);
    EXPECT_TRUE(Pixels(b) == up);
    p.picBtn_MouseUp(2, 1, 0, 5, 5);
    EXPECT_TRUE(prompts.asked.empty());
    // No mask named: the warning at each press, and the up look stays.
    skin.slots[11] = "";
    for (int press = 0; press < 2; ++press) {
        p.picBtn_MouseDown(7, 1, 0, 5, 5);
        p.picBtn_MouseUp(7, 1, 0, 5, 5);
    }
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text,
              "Warning: You don't have choose a [btn_alpha] bitmap image, therefore the preview 'down' state is not available.");
    EXPECT_EQ(prompts.asked[1].style, 64u);
    EXPECT_EQ(prompts.asked[1].title, kAppTitle);
    EXPECT_EQ(static_cast<COLORREF>(p.picBtn(7).Point(5, 5)), Face(7));
}

// A 1-bit and a 32-bit (with alpha) bitmap file, made byte by byte.
std::string RawBmp(int w, int h, int bits, const std::string& colors, const std::string& data) {
    BITMAPFILEHEADER f{0x4D42, DWORD(54 + colors.size() + data.size()), 0, 0, DWORD(54 + colors.size())};
    BITMAPINFOHEADER i{40, w, h, 1, WORD(bits), BI_RGB, DWORD(data.size()), 0, 0, DWORD(colors.size() / 4), 0};
    return std::string(reinterpret_cast<char*>(&f), 14) + std::string(reinterpret_cast<char*>(&i), 40) + colors + data;
}

TEST_F(MainPreviewTest, BadInputNeverStopsTheDrawingNorLeaks) {
    frmPreview& p = Open();  // nothing named: the unskinned host picture stays
    EXPECT_EQ(static_cast<COLORREF>(p.picVexo.Point(300, 300)), PixelOf(Picture::LoadBitmapResource(241), 300, 300));
    std::string alpha;
    for (int n = 0; n < 40 * 70; ++n) alpha += std::string{char(n), char(n * 3), char(n * 7), char(n % 2 ? 0x80 : 0)};
    const std::pair<const char*, std::string> bad[] = {
        {"missing.bmp", ""}, {"text.bmp", "not a bitmap"}, {"one.bmp", BmpFile(1, 1, kRed)},
        {"mono.bmp", RawBmp(37, 61, 1, std::string("\0\0\0\0\xFF\xFF\xFF\0", 8), std::string(8 * 61, '\x5A'))},
        {"alpha.bmp", RawBmp(40, 70, 32, "", alpha)}, {"huge.bmp", BmpFile(4000, 4000, 0x123456)}};
    for (const auto& [name, bytes] : bad) {
        if (!bytes.empty()) WriteBytes(dir / name, bytes);
        for (auto& s : skin.slots) s = name;
        for (int i = 0; i < 38; ++i) skin.colors[static_cast<size_t>(i)] = static_cast<int32_t>(0x80000000u | (i % 25));
        p.Draw();
        EXPECT_EQ(p.PBarCount(), 13) << name;
    }
    EXPECT_EQ(static_cast<COLORREF>(p.picStatus.Point(100, 0)), GetSysColor(17)) << "system colours resolved";
    EXPECT_EQ(static_cast<COLORREF>(p.picVexo.Point(300, 300)), 0x123456u);

    // A background smaller than the sampled points: the tiled colour there.
    WriteDistinctSkin();
    Slot(0, "small.bmp", BmpFile(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    p.Draw();
    EXPECT_EQ(p.picVexo.Point(13, 58), 10) << "pixel (1, 2) of the tile";
    EXPECT_EQ(p.picVexo.Point(13, 539), 2) << "pixel (1, 0) of the tile";

    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 100; ++i) p.Draw();
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
}

// The sample skin, then its bitmaps with a hue of its own in every colour slot the
// preview reads; with VEXO_SHOTS set, screenshots of both are saved there.
TEST_F(MainPreviewTest, SampleSkinComposes) {
    std::string folder = std::string(VEXO_SAMPLE_DIR) + "/Sample";
    for (char& ch : folder)
        if (ch == '/') ch = '\\';
    skin.folder = folder[0] == '\\' ? "Z:" + folder : folder;
    // Slots and colours in the order the skin file lists them, after its six text fields.
    char section[8192] = {};
    GetPrivateProfileSectionA("Vexo", section, sizeof section, (skin.folder + ".ini").c_str());
    int n = 0;
    for (const char* line = section; *line; line += strlen(line) + 1, ++n) {
        const std::string value = strchr(line, '=') + 1;
        if (n >= 6 && n < 31) skin.slots[static_cast<size_t>(n - 6)] = value;
        if (n >= 31 && n < 69) skin.colors[static_cast<size_t>(n - 31)] = HexToColor(value);
    }
    ASSERT_EQ(n, 73);
    frmPreview& p = Open();
    const Picture bg = Picture::LoadBitmapFile(skin.folder + "\\background.bmp");
    EXPECT_EQ(static_cast<COLORREF>(p.picVexo.Point(13, 58)), PixelOf(bg, 13, 58));
    EXPECT_EQ(static_cast<COLORREF>(p.picVexo.Point(13, 539)), PixelOf(bg, 13, 540));
    auto shoot = [&](const char* name) {
        const char* shots = std::getenv("VEXO_SHOTS");
        if (!shots) return;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (GetQueueStatus(QS_PAINT) && std::chrono::steady_clock::now() < end) DoEvents();
        SaveWindowShot(p.Hwnd(), std::string(shots) + "\\" + name);
    };
    shoot("issue13-sample.bmp");
    const int read[] = {12, 13, 15, 16, 17, 19, 20, 21, 24, 25, 27, 31, 32, 33, 36, 37};
    const COLORREF hues[] = {0x3030FF, 0x30A0FF, 0x30FFFF, 0x30FF80, 0x80FF30, 0xFFFF30, 0xFF8030, 0xFF3080,
                             0xC030FF, 0x8080FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF, 0x4040C0};
    for (size_t k = 0; k < std::size(read); ++k) skin.colors[static_cast<size_t>(read[k])] = static_cast<int32_t>(hues[k]);
    p.Draw();
    EXPECT_EQ(static_cast<COLORREF>(p.picVexo.Point(7, 64)), hues[0]);
    shoot("issue13-distinct.bmp");
}
}  // namespace
