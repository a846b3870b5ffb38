#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <set>

#include "AppInfo.h"
#include "ObjectCounts.h"
#include "PreviewFixture.h"
#include "Twips.h"

namespace {
constexpr COLORREF kBlack = 0, kRed = 0x0000FF, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF, kTile = 0x445566;
constexpr COLORREF kProgressFore = 0x22AA11, kMenuBar = RGB(90, 91, 92), kMenuFore = RGB(93, 94, 95),
                   kMenuBack = RGB(96, 97, 98), kDigits = RGB(30, 140, 250), kInputBack = RGB(10, 11, 12),
                   kOutputBack = RGB(13, 14, 15);
COLORREF Face(int i) { return RGB(100 + i, 60, 20); }
COLORREF Pressed(int i) { return RGB(20, 60, 100 + i); }

// A 34 x 60 button bitmap: the up look over the pressed one.
std::string ButtonFile(COLORREF up, COLORREF down) {
    std::vector<int32_t> px(34 * 60);
    for (size_t n = 0; n < px.size(); ++n) px[n] = static_cast<int32_t>(n < 34 * 30 ? up : down);
    return BmpFile(34, 60, px);
}

// A template of the given size, magenta but for the listed pixels.
Picture Template(int w, int h, std::initializer_list<std::tuple<int, int, COLORREF>> marks) {
    TempDir t;
    std::vector<int32_t> px(static_cast<size_t>(w * h), static_cast<int32_t>(kMagenta));
    for (auto [x, y, c] : marks) px[static_cast<size_t>(y * w + x)] = static_cast<int32_t>(c);
    WriteBytes(t / "t.bmp", BmpFile(w, h, px));
    return Picture::LoadBitmapFile(t / "t.bmp");
}

class MainPreviewTest : public PreviewTest {
protected:
    // Small bitmaps of plain colours, so every composed pixel can be told.
    void WriteDistinctSkin() {
        std::vector<int32_t> bg(16 * 560);
        for (int y = 0; y < 560; ++y)
            for (int x = 0; x < 16; ++x) bg[static_cast<size_t>(y * 16 + x)] = RGB(0x20 + x * 4, 20 + y % 200, 0x60);
        bg[58 * 16 + 13] = static_cast<int32_t>(kInputBack);
        bg[540 * 16 + 13] = static_cast<int32_t>(kOutputBack);
        Slot(0, "background.bmp", BmpFile(16, 560, bg));
        std::vector<int32_t> tile(16, kTile);
        tile[1 * 4 + 1] = kBlack;  // a black pixel of the tile itself: (1 + 4k, 1 + 4m) in the panels
        Slot(2, "controlback.bmp", BmpFile(4, 4, tile));
        Slot(3, "progressfore.bmp", BmpFile(6, 6, kProgressFore));
        Slot(4, "menubar.bmp", BmpFile(8, 8, kMenuBar));
        Slot(5, "menufore.bmp", BmpFile(8, 8, kMenuFore));
        Slot(6, "menuback.bmp", BmpFile(2, 2, kMenuBack));
        std::vector<int32_t> alpha(4 * 3, kWhite);
        alpha[1 * 4 + 2] = kDigits;
        Slot(10, "numbersalpha.bmp", BmpFile(4, 3, alpha));
        std::vector<int32_t> mask(34 * 30);
        for (size_t n = 0; n < mask.size(); ++n) mask[n] = n % 34 < 17 ? kBlack : kWhite;
        Slot(11, "btn_alpha.bmp", BmpFile(34, 30, mask));
        for (int i = 0; i < 12; ++i) Slot(12 + i, "btn" + std::to_string(i) + ".bmp", ButtonFile(Face(i), Pressed(i)));
    }

    // Marks at known places, so the recolouring can be seen pixel by pixel.
    void UseTestTemplates(frmPreview& p) {
        p.picTmpProgress.SetPicture(Template(507, 10, {{3, 3, RGB(130, 130, 130)}}));
        p.picTmpStatus.SetPicture(Template(507, 14, {{3, 3, kBlack}, {4, 3, kRed}, {505, 5, kBlack}, {5, 1, kBlack}}));
        p.picTmpSlider.SetPicture(Template(363, 25, {{3, 3, kBlack}, {4, 3, kRed}, {5, 3, kWhite},
                                                      {6, 3, RGB(80, 80, 80)}, {361, 5, kBlack}, {5, 23, kBlack}}));
        p.picTmpNumbers.SetPicture(Template(139, 24, {{3, 3, kBlack}, {4, 3, RGB(132, 132, 132)}}));
        p.picTmpOutput.SetPicture(Template(495, 17, {{3, 3, kBlack}}));
    }

    // Every image the composition writes.
    std::vector<std::vector<COLORREF>> AllImages(frmPreview& p) {
        std::vector<std::vector<COLORREF>> all;
        for (PictureBox* b : {&p.picVexo, &p.picTitlebar, &p.picMenuSettings, &p.picItem, &p.picProgress, &p.picStatus,
                              &p.picInputAUDIO, &p.picInputVIDEO, &p.picInputSUBTITLE, &p.picSlider, &p.picNumbers,
                              &p.picOutput})
            all.push_back(Pixels(*b));
        for (int i = 0; i < p.PBarCount(); ++i) all.push_back(Pixels(p.picPBar(i)));
        for (int i = 0; i < 12; ++i) all.push_back(Pixels(p.picBtn(i)));
        return all;
    }

    COLORREF Composed(frmPreview& p, int x, int y) { return PixelOfPicture(p.picVexo.GetPicture(), x, y); }
};

TEST_F(MainPreviewTest, WindowLayoutTooltipsAndTemplates) {
    frmPreview& p = Open();
    EXPECT_EQ(GetWindowTextLength(p.Hwnd()), 7);
    EXPECT_EQ(p.Caption(), "Preview");
    EXPECT_EQ(p.Width(), 523 * 15 + 90);
    EXPECT_EQ(p.Height(), 584 * 15 + 420);
    RECT client;
    GetClientRect(p.picVexo.Hwnd(), &client);
    EXPECT_EQ(client.right, 519);
    EXPECT_EQ(client.bottom, 580);
    struct Box {
        const Control& c;
        int l, t, w, h;
    } boxes[] = {
        {p.picVexo, 0, 0, 523, 584},        {p.picTitlebar, 4, 2, 514, 21},     {p.imgBorder3D, 32, 2, 43, 16},
        {p.picMenuSettings, 34, 25, 113, 95}, {p.picItem, 3, 4, 106, 18},      {p.Label1, 20, 2, 63, 13},
        {p.Label6, 25, 58, 65, 14},         {p.picProgress, 6, 27, 507, 10},    {p.picStatus, 6, 41, 507, 14},
        {p.picInputAUDIO, 50, 74, 129, 15}, {p.picInputVIDEO, 218, 74, 125, 15}, {p.picInputSUBTITLE, 390, 74, 118, 15},
        {p.picSlider, 6, 514, 363, 25},     {p.picNumbers, 372, 514, 139, 25},  {p.picOutput, 12, 552, 495, 17},
    };
    for (const Box& b : boxes) {
        EXPECT_EQ(b.c.Left(), b.l) << b.c.Name();
        EXPECT_EQ(b.c.Top(), b.t) << b.c.Name();
        EXPECT_EQ(b.c.Width(), b.w) << b.c.Name();
        EXPECT_EQ(b.c.Height(), b.h) << b.c.Name();
    }
    EXPECT_EQ(p.Label1.Caption(), "&Input settings");
    EXPECT_EQ(p.Label2.Caption(), "&Output settings");
    EXPECT_EQ(p.Label3.Caption(), "&Priority");
    EXPECT_EQ(p.Label4.Caption(), "&Crop");
    EXPECT_EQ(p.Label5.Caption(), "Preview aspect");
    EXPECT_EQ(p.Label6.Caption(), "&Crop");
    EXPECT_FALSE(IsWindowVisible(p.picTmp.Hwnd()));

    const int lefts[12] = {105, 626, 1147, 1668, 2190, 2805, 3327, 3849, 4371, 4893, 5415, 6030};
    const char* tips[12] = {"Previous chapter", "Play",          "Next frame",      "Next chapter",
                            "Jump",             "Open DVD root", "Open IFO",        "Open Mpeg(s)",
                            "Input settings",   "Output settings", "Select destination", "Encode"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(p.picBtn(i).Left(), (lefts[i] * 2 + 15) / 30) << i;
        EXPECT_EQ(p.picBtn(i).Top(), 482);
        EXPECT_EQ(p.picBtn(i).Width(), 34);
        EXPECT_EQ(p.picBtn(i).Height(), 29);
        EXPECT_EQ(p.picBtn(i).ToolTipText(), tips[i]);
        EXPECT_EQ(p.picBtn(i).MousePointer(), 99);
        EXPECT_NE(p.picBtn(i).MouseIcon().AsIcon(), nullptr);
    }

    // The tips are real tools of picVexo's tooltip window, one per button window.
    struct Find {
        HWND owner, tip;
    } find{p.Hwnd(), nullptr};  // a popup's owner is the top-level window
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM l) -> BOOL {
        auto* f = reinterpret_cast<Find*>(l);
        char cls[64] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (std::string(cls) == TOOLTIPS_CLASSA && GetWindow(w, GW_OWNER) == f->owner) f->tip = w;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&find));
    ASSERT_NE(find.tip, nullptr);
    EXPECT_EQ(SendMessageA(find.tip, TTM_GETTOOLCOUNT, 0, 0), 12);
    char text[80] = {};
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = p.picVexo.Hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(p.picBtn(10).Hwnd());
    ti.lpszText = text;
    SendMessageA(find.tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Select destination");

    // The templates: their sizes and only the colours they may hold.
    auto isGrey = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); };
    struct Tmpl {
        const PictureBox& box;
        int w, h;
        std::function<bool(COLORREF)> allowed;
    } tmpls[] = {
        {p.picTmpProgress, 507, 10,
         [&](COLORREF c) { return c == RGB(16, 16, 16) || c == RGB(247, 247, 247) || (isGrey(c) && GetRValue(c) >= 115 && GetRValue(c) <= 156); }},
        {p.picTmpStatus, 507, 14, [&](COLORREF c) { return isGrey(c); }},
        {p.picTmpSlider, 363, 25, [](COLORREF c) { return c == kBlack || c == kRed || c == kWhite; }},
        {p.picTmpNumbers, 139, 24, [](COLORREF c) { return c == kBlack || c == RGB(132, 132, 132); }},
        {p.picTmpOutput, 495, 17, [&](COLORREF c) { return isGrey(c); }},
    };
    for (const Tmpl& t : tmpls) {
        const Picture& pic = t.box.GetPicture();
        ASSERT_EQ(pic.Width(), t.w) << t.box.Name();
        ASSERT_EQ(pic.Height(), t.h) << t.box.Name();
        std::set<COLORREF> seen;
        for (int y = 0; y < t.h; ++y)
            for (int x = 0; x < t.w; ++x) {
                const COLORREF c = PixelOfPicture(pic, x, y);
                if (c != kMagenta) seen.insert(c);
            }
        EXPECT_FALSE(seen.empty()) << t.box.Name();
        for (COLORREF c : seen) EXPECT_TRUE(t.allowed(c)) << t.box.Name() << " " << std::hex << c;
    }
}

TEST_F(MainPreviewTest, ComposesEveryElementFromTheSkin) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    UseTestTemplates(p);
    p.Draw();
    auto c = [](int slot) { return static_cast<COLORREF>(Color(slot)); };

    // Background, group frames, caption backings sampled from the background bitmap.
    EXPECT_EQ(p.picVexo.Point(300, 300), RGB(0x20 + 300 % 16 * 4, 20 + 300 % 200, 0x60));
    EXPECT_EQ(p.picVexo.Point(13, 58), kInputBack);
    EXPECT_EQ(p.picVexo.Point(13, 70), kInputBack);
    EXPECT_EQ(p.picVexo.Point(13, 539), kOutputBack);
    EXPECT_EQ(p.picVexo.Point(7, 64), c(12));
    EXPECT_EQ(p.picVexo.Point(511, 93), c(12));
    EXPECT_EQ(p.picVexo.Point(8, 65), c(13));
    EXPECT_EQ(p.picVexo.Point(512, 94), c(13));
    EXPECT_EQ(p.picVexo.Point(300, 544), c(12));
    EXPECT_EQ(p.picVexo.Point(300, 574), c(13));
    // The title bar's raised edge, its bitmap, and the sunken edge of the pressed menu name.
    EXPECT_EQ(p.picVexo.Point(100, 1), c(32));
    EXPECT_EQ(p.picVexo.Point(1, 10), c(32));
    EXPECT_EQ(p.picVexo.Point(100, 23), c(33));
    EXPECT_EQ(p.picVexo.Point(518, 10), c(33));
    EXPECT_EQ(p.picTitlebar.Point(300, 10), kMenuBar);
    EXPECT_EQ(p.picTitlebar.Point(50, 1), c(33));
    EXPECT_EQ(p.picTitlebar.Point(31, 10), c(33));
    EXPECT_EQ(p.picTitlebar.Point(76, 10), c(32));
    EXPECT_EQ(p.picTitlebar.Point(50, 19), c(32));
    // The open menu and its item.
    EXPECT_EQ(p.picMenuSettings.Point(100, 90), kMenuFore);
    EXPECT_EQ(p.picItem.Point(50, 9), kMenuBack);
    EXPECT_EQ(p.picItem.Point(50, 0), c(33));
    EXPECT_EQ(p.picItem.Point(0, 10), c(33));
    EXPECT_EQ(p.picItem.Point(50, 17), c(32));
    EXPECT_EQ(p.picItem.Point(105, 10), c(32));
    EXPECT_EQ(p.Label1.ForeColor(), Color(37));
    EXPECT_EQ(p.Label5.ForeColor(), Color(37));
    EXPECT_EQ(p.Label6.ForeColor(), Color(36));

    // Progress: template greys kept, black tile pixels inside the loop area take c31.
    EXPECT_EQ(p.picProgress.Point(3, 3), RGB(130, 130, 130));
    EXPECT_EQ(p.picProgress.Point(5, 5), c(31));
    EXPECT_EQ(p.picProgress.Point(1, 5), kBlack) << "column 1 is never recoloured";
    EXPECT_EQ(p.picProgress.Point(6, 6), kTile);
    ASSERT_EQ(p.PBarCount(), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(p.picPBar(i).Left(), 2 + 8 * i);
        EXPECT_EQ(p.picPBar(i).Top(), 2);
        EXPECT_EQ(p.picPBar(i).Width(), 6);
        EXPECT_TRUE(IsWindowVisible(p.picPBar(i).Hwnd()));
        EXPECT_EQ(p.picPBar(i).Point(3, 3), kProgressFore);
    }
    // Status: black takes c19, red stays on every panel but the slider, row 1 never changes.
    EXPECT_EQ(p.picStatus.Point(3, 3), c(19));
    EXPECT_EQ(p.picStatus.Point(4, 3), kRed);
    EXPECT_EQ(p.picStatus.Point(505, 5), c(19));
    EXPECT_EQ(p.picStatus.Point(5, 1), kBlack);
    EXPECT_EQ(p.picStatus.Point(9, 9), c(19));
    // Sunken edges.
    EXPECT_EQ(p.picStatus.Point(100, 0), c(17));
    EXPECT_EQ(p.picStatus.Point(0, 7), c(17));
    EXPECT_EQ(p.picStatus.Point(100, 13), c(16));
    EXPECT_EQ(p.picStatus.Point(506, 7), c(16));
    // Input boxes: the tile alone, black kept, and their sunken edge.
    EXPECT_EQ(p.picInputVIDEO.Point(5, 5), kBlack);
    EXPECT_EQ(p.picInputVIDEO.Point(6, 6), kTile);
    EXPECT_EQ(p.picInputVIDEO.Point(0, 5), c(17));
    EXPECT_EQ(p.picInputVIDEO.Point(124, 5), c(16));
    // Slider: black c27, red c25, white and greys kept, a loop two pixels smaller, its edge.
    EXPECT_EQ(p.picSlider.Point(3, 3), c(27));
    EXPECT_EQ(p.picSlider.Point(4, 3), c(25));
    EXPECT_EQ(p.picSlider.Point(5, 3), kWhite);
    EXPECT_EQ(p.picSlider.Point(6, 3), RGB(80, 80, 80));
    EXPECT_EQ(p.picSlider.Point(361, 5), c(27));
    EXPECT_EQ(p.picSlider.Point(5, 23), c(27));
    EXPECT_EQ(p.picSlider.Point(100, 1), c(25));
    EXPECT_EQ(p.picSlider.Point(1, 10), c(25));
    EXPECT_EQ(p.picSlider.Point(100, 24), c(24));
    EXPECT_EQ(p.picSlider.Point(362, 10), c(24));
    // Numbers: the digits' colour from numbersalpha (2, 1); grey kept; the timer edge.
    EXPECT_EQ(p.picNumbers.Point(3, 3), kDigits);
    EXPECT_EQ(p.picNumbers.Point(4, 3), RGB(132, 132, 132));
    EXPECT_EQ(p.picNumbers.Point(50, 0), c(21));
    EXPECT_EQ(p.picNumbers.Point(50, 24), c(20));
    EXPECT_EQ(p.picNumbers.Point(138, 10), c(20));
    // Output.
    EXPECT_EQ(p.picOutput.Point(3, 3), c(19));
    EXPECT_EQ(p.picOutput.Point(0, 8), c(17));

    // Buttons: (background AND mask) XOR face; the mask is black on the left half.
    for (int i = 0; i < 12; ++i) {
        const int l = p.picBtn(i).Left();
        EXPECT_EQ(p.picBtn(i).Point(5, 5), Face(i)) << i;
        EXPECT_EQ(p.picBtn(i).Point(25, 5), Composed(p, l + 25, 487) ^ Face(i)) << i;
    }
}

TEST_F(MainPreviewTest, RedrawGivesTheSamePictureAndSlotNineIsNotRead) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    const auto first = AllImages(p);
    p.Draw();
    EXPECT_EQ(p.PBarCount(), 13) << "the extra blocks are made once";
    EXPECT_TRUE(AllImages(p) == first);
    Slot(9, "numbers.bmp", BmpFile(8, 8, RGB(1, 200, 3)));
    p.Draw();
    EXPECT_TRUE(AllImages(p) == first);
}

TEST_F(MainPreviewTest, EmptyMaskAndEmptyButtonSlots) {
    WriteDistinctSkin();
    skin.slots[11] = "";
    skin.slots[12 + 3] = "";
    frmPreview& p = Open();
    // No mask: the background patch is laid on itself, so the up look is background XOR face.
    const int l0 = p.picBtn(0).Left();
    EXPECT_EQ(p.picBtn(0).Point(5, 5), Composed(p, l0 + 5, 487) ^ Face(0));
    EXPECT_EQ(p.picBtn(0).Point(25, 5), Composed(p, l0 + 25, 487) ^ Face(0));
    // No mask and no face: the patch XOR itself.
    EXPECT_EQ(p.picBtn(3).Point(25, 5), kBlack);

    // With the mask back, an empty button slot lays the mask itself: (background AND mask) XOR mask.
    Slot(11, "btn_alpha2.bmp", ReadBytes(dir / "btn_alpha.bmp"));
    p.Draw();
    const int l3 = p.picBtn(3).Left();
    EXPECT_EQ(p.picBtn(3).Point(5, 5), kBlack);
    EXPECT_EQ(p.picBtn(3).Point(25, 5), Composed(p, l3 + 25, 487) ^ kWhite);
    EXPECT_EQ(p.picBtn(4).Point(5, 5), Face(4));
}

TEST_F(MainPreviewTest, PressShowsTheLowerHalfAndReleaseRestoresTheUpLook) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    PictureBox& b = p.picBtn(2);
    const auto up = Pixels(b);
    const COLORREF under = Composed(p, b.Left() + 25, 487);
    // Right and middle buttons press like the left one.
    for (auto [down, release, flag] : {std::tuple{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
                                       std::tuple{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON},
                                       std::tuple{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON}}) {
        SendMessageA(b.Hwnd(), down, flag, MAKELPARAM(5, 5));
        EXPECT_EQ(b.Point(5, 5), Pressed(2));
        EXPECT_EQ(b.Point(25, 5), under ^ Pressed(2));
        SendMessageA(b.Hwnd(), release, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(Pixels(b) == up) << "the exact up look comes back";
    }
    // A press reads the slots at that moment: a new bitmap without a redraw shows at once.
    Slot(12 + 2, "other.bmp", ButtonFile(Face(2), RGB(9, 99, 199)));
    p.picBtn_MouseDown(2, 1, 0, 5, 5);
    EXPECT_EQ(b.Point(5, 5), RGB(9, 99, 199));
    p.picBtn_MouseUp(2, 1, 0, 5, 5);
    // A button bitmap that can't be loaded keeps the up look, without a message.
    for (const char* bad : {"missing.bmp", "not-a-bitmap.bmp"}) {
        WriteBytes(dir / "not-a-bitmap.bmp", "plain text");
        skin.slots[12 + 2] = bad;
        p.picBtn_MouseDown(2, 1, 0, 5, 5);
        EXPECT_TRUE(Pixels(b) == up) << bad;
        p.picBtn_MouseUp(2, 1, 0, 5, 5);
    }
    EXPECT_TRUE(prompts.asked.empty());
    // No mask named: the warning, once per press, and the up look stays.
    skin.slots[11] = "";
    for (int press = 0; press < 2; ++press) {
        p.picBtn_MouseDown(7, 1, 0, 5, 5);
        p.picBtn_MouseUp(7, 1, 0, 5, 5);
    }
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text,
              "Warning: You don't have choose a [btn_alpha] bitmap image, therefore the preview 'down' state is not available.");
    EXPECT_EQ(prompts.asked[0].style, 64u);
    EXPECT_EQ(prompts.asked[0].title, kAppTitle);
    EXPECT_EQ(p.picBtn(7).Point(5, 5), Face(7));
}

TEST_F(MainPreviewTest, SmallBackgroundTakesTheTiledColourForTheCaptionBackings) {
    WriteDistinctSkin();
    Slot(0, "small.bmp", BmpFile(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    frmPreview& p = Open();
    EXPECT_EQ(p.picVexo.Point(13, 58), 10u) << "pixel (1, 2) of the tile";
    EXPECT_EQ(p.picVexo.Point(13, 539), 2u) << "pixel (1, 0) of the tile";
}

// A 1-bit and a 32-bit bitmap file, made byte by byte.
std::string OneBitFile(int w, int h) {
    const int stride = ((w + 31) / 32) * 4;
    BITMAPFILEHEADER f{0x4D42, DWORD(62 + stride * h), 0, 0, 62};
    BITMAPINFOHEADER i{40, w, h, 1, 1, BI_RGB, DWORD(stride * h), 0, 0, 2, 0};
    std::string b(reinterpret_cast<char*>(&f), 14);
    b += std::string(reinterpret_cast<char*>(&i), 40);
    b += std::string("\0\0\0\0\xFF\xFF\xFF\0", 8);
    for (int n = 0; n < stride * h; ++n) b += char(n % 3 ? 0x55 : 0xF0);
    return b;
}
std::string AlphaFile(int w, int h) {
    BITMAPFILEHEADER f{0x4D42, DWORD(54 + 4 * w * h), 0, 0, 54};
    BITMAPINFOHEADER i{40, w, h, 1, 32, BI_RGB, DWORD(4 * w * h), 0, 0, 0, 0};
    std::string b(reinterpret_cast<char*>(&f), 14);
    b += std::string(reinterpret_cast<char*>(&i), 40);
    for (int n = 0; n < w * h; ++n) b += std::string{char(n), char(n * 3), char(n * 7), char(n % 2 ? 0x80 : 0)};
    return b;
}

TEST_F(MainPreviewTest, BadBitmapsAndSystemColoursNeverStopTheDrawing) {
    // Nothing named at all: the unskinned host picture stays.
    frmPreview& p = Open();
    const Picture host = Picture::LoadBitmapResource(241);
    EXPECT_EQ(p.picVexo.Point(300, 300), PixelOfPicture(host, 300, 300));
    EXPECT_EQ(p.PBarCount(), 13);

    const std::vector<std::pair<std::string, std::string>> bad = {
        {"missing.bmp", ""}, {"text.bmp", "not a bitmap"}, {"one.bmp", BmpFile(1, 1, kRed)},
        {"mono.bmp", OneBitFile(37, 61)}, {"alpha.bmp", AlphaFile(40, 70)}, {"huge.bmp", BmpFile(4000, 4000, 0x123456)}};
    for (const auto& [name, bytes] : bad) {
        if (!bytes.empty()) WriteBytes(dir / name, bytes);
        for (auto& s : skin.slots) s = name;
        for (int i = 0; i < 38; ++i) skin.colors[static_cast<size_t>(i)] = static_cast<int32_t>(0x80000000u | (i % 25));
        p.Draw();
        EXPECT_EQ(p.PBarCount(), 13) << name;
    }
    EXPECT_EQ(p.picStatus.Point(100, 0), GetSysColor(17 % 25)) << "system colours are resolved";
    // The huge bitmap tiles like any other.
    EXPECT_EQ(p.picVexo.Point(300, 300), 0x123456u);
}

TEST_F(MainPreviewTest, AHundredDrawsLeaveTheObjectCountsAsTheyWere) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    p.Draw();
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 100; ++i) p.Draw();
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
}

TEST_F(MainPreviewTest, EscapeUnloadsAndTellsTheDesigner) {
    int unloaded = 0;
    frmPreview& p = Open();
    p.Unloaded = [&] { ++unloaded; };
    SetForegroundWindow(p.Hwnd());
    SendMessageA(p.Hwnd(), WM_KEYUP, 'A', 0);
    EXPECT_TRUE(p.IsLoaded());
    SendMessageA(p.Hwnd(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_EQ(unloaded, 1);
}

// The sample skin, and the same bitmaps with a colour of its own in every colour slot;
// with VEXO_SHOTS set, their screenshots are saved there.
TEST_F(MainPreviewTest, SampleSkinComposes) {
    skin.folder = std::string(VEXO_SAMPLE_DIR) + "/Sample";
    for (char& ch : skin.folder)
        if (ch == '/') ch = '\\';
    if (VEXO_SAMPLE_DIR[0] == '/') skin.folder = "Z:" + skin.folder;
    const char* names[25] = {"background.bmp", "foreground.bmp", "controlback.bmp", "progressfore.bmp",
                             "menubar.bmp", "menufore.bmp", "menuback.bmp", "comboback.bmp", "combofore.bmp",
                             "numbers.bmp", "numbersalpha.bmp", "btn_alpha.bmp", "btn_previous.bmp",
                             "btn_play.bmp", "btn_fast.bmp", "btn_next.bmp", "btn_jump.bmp", "btn_dvdroot.bmp",
                             "btn_ifo.bmp", "btn_ompeg.bmp", "btn_inset.bmp", "btn_outset.bmp", "btn_file.bmp",
                             "btn_encode.bmp", "btn_stop.bmp"};
    for (int i = 0; i < 25; ++i) skin.slots[static_cast<size_t>(i)] = names[i];
    const int32_t sample[38] = {0x736C64, 0x100E0C, 0xE2EC82, 0xD8D4CE, 0x9B948A, 0x100E0C, 0x5E601E, 0xE7E4DE,
                                0x6B645C, 0x100E0C, 0xE2EC82, 0xD8D4CE, 0x808440, 0x171412, 0xE2EC82, 0xC8D068,
                                0x6B645C, 0x100E0C, 0xEEECE8, 0xD8D4CE, 0x6B645C, 0x100E0C, 0xF2F8D6, 0x605C12,
                                0x6B645C, 0x6E7018, 0xEEECE8, 0xA6A096, 0xEEECE8, 0xD8D4CE, 0xBAC434, 0x605C12,
                                0xB8B2A8, 0x0E0C0A, 0xBAC434, 0x605C12, 0xF6F4F0, 0xBEB8B0};
    // The skin file holds 0xBBGGRR; as colours they are the same numbers.
    for (int i = 0; i < 38; ++i) skin.colors[static_cast<size_t>(i)] = sample[i];
    frmPreview& p = Open();
    const Picture bg = Picture::LoadBitmapFile(skin.folder + "\\background.bmp");
    EXPECT_EQ(p.picVexo.Point(13, 58), PixelOfPicture(bg, 13, 58));
    EXPECT_EQ(p.picVexo.Point(13, 539), PixelOfPicture(bg, 13, 540));
    const char* shots = std::getenv("VEXO_SHOTS");
    auto shoot = [&](const char* name) {
        if (!shots) return;
        ASSERT_TRUE(WaitUntil([] { return GetQueueStatus(QS_PAINT) == 0; }));
        SaveWindowShot(p.Hwnd(), std::string(shots) + "\\" + name);
    };
    shoot("issue13-sample.bmp");
    // Twelve hues round the wheel, one per colour slot the preview reads.
    const int read[] = {12, 13, 15, 16, 17, 19, 20, 21, 24, 25, 27, 31, 32, 33, 36, 37};
    const COLORREF hues[] = {0x3030FF, 0x30A0FF, 0x30FFFF, 0x30FF80, 0x80FF30, 0xFFFF30, 0xFF8030, 0xFF3080,
                             0xC030FF, 0x8080FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF, 0x4040C0};
    for (size_t n = 0; n < std::size(read); ++n) skin.colors[static_cast<size_t>(read[n])] = static_cast<int32_t>(hues[n]);
    p.Draw();
    EXPECT_EQ(p.picVexo.Point(7, 64), hues[0]);
    shoot("issue13-distinct.bmp");
}
}  // namespace
