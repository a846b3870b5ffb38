#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "AppInfo.h"
#include "BmpFile.h"
#include "Gdi.h"
#include "ObjectCounts.h"
#include "PreviewKit.h"
#include "PromptScript.h"
#include "RealBox.h"
#include "TempDir.h"
#include "frmPreview.h"
#include "modDesign.h"

namespace {
constexpr int32_t kBlack = 0, kRed = 0x0000FF, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF, kTile = 0x445566, kBlock = 0x22AA11,
                  kMenuBar = 0x5C5B5A, kMenuFore = 0x5F5E5D, kMenuBack = 0x626160, kDigits = 0xFA8C1E, kInputBack = 0x0C0B0A,
                  kOutputBack = 0x0F0E0D, kGrey = 0x505050;
int32_t Face(int i) { return RGB(100 + i, 60, 20); }
int32_t Pressed(int i) { return RGB(20, 60, 100 + i); }
int32_t Color(int slot) { return RGB(10 + slot * 5, 200 - slot * 3, 50 + slot * 4); }
int32_t Bg(int x, int y) { return RGB(0x20 + x * 2, 20 + y % 200, 0x60); }
// The last row is up again, so a pressed look taken a row off shows.
std::string ButtonFile(int32_t up, int32_t down) {
    std::vector<int32_t> px(34 * 60, up);
    std::fill(px.begin() + 34 * 30, px.end() - 34, down);
    return BmpFile(34, 60, px);
}
bool At(const Control& c, RECT want) { const RECT r = c.Bounds(); return EqualRect(&r, &want); }

class MainPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.folder = dir.Path();
        for (int i = 0; i < 38; ++i) skin.colors[size_t(i)] = Color(i);
    }
    void Slot(int slot, const std::string& name, const std::string& bytes) {
        WriteBytes(dir / name, bytes);
        skin.slots[size_t(slot)] = name;
    }
    // Plain colours, so every composed pixel can be told; the background holds the two
    // caption colours at (13, 58) and (13, 540), its own at (58, 13), the tile a black pixel at (1, 1).
    void WriteDistinctSkin() {
        std::vector<int32_t> bg(60 * 560), tile(16, kTile), mask(34 * 30);
        for (int n = 0; n < 60 * 560; ++n) bg[size_t(n)] = Bg(n % 60, n / 60);
        bg[58 * 60 + 13] = kInputBack, bg[540 * 60 + 13] = kOutputBack;
        tile[5] = kBlack;
        for (size_t n = 0; n < mask.size(); ++n) mask[n] = n % 34 < 17 ? kBlack : kWhite;
        Slot(0, "background.bmp", BmpFile(60, 560, bg));
        Slot(2, "controlback.bmp", BmpFile(4, 4, tile));
        Slot(3, "progressfore.bmp", BmpFile(6, 6, kBlock));
        Slot(4, "menubar.bmp", BmpFile(8, 8, kMenuBar));
        Slot(5, "menufore.bmp", BmpFile(8, 8, kMenuFore));
        Slot(6, "menuback.bmp", BmpFile(2, 2, kMenuBack));
        Slot(10, "numbersalpha.bmp", BmpFile(4, 3, {0, 0, 0, 0, 0, 0, kDigits, 0, 0, 0, 0, 0}));
        Slot(11, "btn_alpha.bmp", BmpFile(34, 30, mask));
        for (int i = 0; i < 12; ++i) Slot(12 + i, "btn" + std::to_string(i) + ".bmp", ButtonFile(Face(i), Pressed(i)));
    }
    frmPreview& Open() {
        gFrmPreview = std::make_unique<frmPreview>(skin);
        gFrmPreview->Show();
        return *gFrmPreview;
    }
    // A template of its size, magenta but for the marks given.
    Picture Template(int w, int h, std::initializer_list<std::tuple<int, int, int32_t>> marks) {
        std::vector<COLORREF> px(size_t(w * h), kMagenta);
        for (auto [x, y, c] : marks) px[size_t(y * w + x)] = COLORREF(c);
        return Surface(w, h, px).AsPicture();
    }
    std::vector<std::vector<int32_t>> AllImages(frmPreview& p) {
        std::vector<std::vector<int32_t>> all;
        for (PictureBox* b : {&p.picVexo, &p.picTitlebar, &p.picMenuSettings, &p.picItem, &p.picProgress, &p.picStatus,
                              &p.picInputAUDIO, &p.picSlider, &p.picNumbers, &p.picOutput})
            all.push_back(Pixels(*b));
        for (int i = 0; i < 12; ++i) all.push_back(Pixels(p.picBtn(i)));
        for (int i = 0; i < p.PBarCount(); ++i) all.push_back(Pixels(p.picPBar(i)));
        return all;
    }
    // The background under a button, at its row 5.
    int32_t Under(frmPreview& p, int button, int x) { return p.picVexo.Point(p.picBtn(button).Left() + x, 487); }
    TempDir dir;
    FakeSkinSource skin;
    PromptScript prompts;
};

// The layout and the templates as built, then each element composed from the skin, twice alike.
TEST_F(MainPreviewTest, LayoutTemplatesAndEveryElementComposedFromTheSkin) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    EXPECT_TRUE(p.Caption() == "Preview" && p.Width() == 523 * 15 + 90 && p.Height() == 584 * 15 + 420);
    const std::tuple<const Control&, RECT> boxes[] = {
        {p.picVexo, {0, 0, 523, 584}},          {p.picTitlebar, {4, 2, 518, 23}},      {p.imgBorder3D, {32, 2, 75, 18}},
        {p.picMenuSettings, {34, 25, 147, 120}}, {p.picItem, {3, 4, 109, 22}},          {p.Label1, {20, 2, 83, 15}},
        {p.Label6, {25, 58, 90, 72}},           {p.picProgress, {6, 27, 513, 37}},     {p.picStatus, {6, 41, 513, 55}},
        {p.picInputAUDIO, {50, 74, 179, 89}},   {p.picInputVIDEO, {218, 74, 343, 89}}, {p.picInputSUBTITLE, {390, 74, 508, 89}},
        {p.picSlider, {6, 514, 369, 539}},      {p.picNumbers, {372, 514, 511, 539}},  {p.picOutput, {12, 552, 507, 569}}};
    for (const auto& [c, r] : boxes) EXPECT_TRUE(At(c, r)) << c.Name();
    const std::pair<int, const char*> buttons[12] = {{105, "Previous chapter"}, {626, "Play"}, {1147, "Next frame"},
        {1668, "Next chapter"}, {2190, "Jump"}, {2805, "Open DVD root"}, {3327, "Open IFO"}, {3849, "Open Mpeg(s)"},
        {4371, "Input settings"}, {4893, "Output settings"}, {5415, "Select destination"}, {6030, "Encode"}};
    for (int i = 0; i < 12; ++i) {
        const int left = (buttons[i].first * 2 + 15) / 30;  // twips to pixels, rounded
        EXPECT_TRUE(At(p.picBtn(i), {left, 482, left + 34, 511}) && p.picBtn(i).ToolTipText() == buttons[i].second &&
                    p.picBtn(i).MousePointer() == 99 && p.picBtn(i).MouseIcon().AsIcon() != nullptr) << i;
    }
    // The templates: besides magenta only greys (black, red and white on the slider).
    for (const PictureBox* box : {&p.picTmpProgress, &p.picTmpStatus, &p.picTmpSlider, &p.picTmpNumbers, &p.picTmpOutput}) {
        const auto px = Pixels(*box);
        std::set<int32_t> seen(px.begin(), px.end());
        EXPECT_TRUE(seen.erase(kMagenta) && !seen.empty()) << box->Name();
        for (int32_t c : seen)
            EXPECT_TRUE(box == &p.picTmpSlider ? c == kBlack || c == kRed || c == kWhite : c % 0x10101 == 0) << box->Name() << c;
    }
    p.picTmpProgress.SetPicture(Template(507, 10, {{3, 3, kGrey}}));
    p.picTmpStatus.SetPicture(Template(507, 14, {{3, 3, kBlack}, {4, 3, kRed}, {505, 5, kBlack}, {5, 1, kBlack}}));
    p.picTmpSlider.SetPicture(Template(363, 25, {{3, 3, kBlack}, {4, 3, kRed}, {5, 3, kWhite}, {6, 3, kGrey}, {361, 5, kBlack}, {5, 23, kBlack}}));
    p.picTmpNumbers.SetPicture(Template(139, 24, {{3, 3, kBlack}, {4, 3, kGrey}}));
    p.picTmpOutput.SetPicture(Template(495, 17, {{3, 3, kBlack}}));
    skin.colors[31] = int32_t(0x80000000 | COLOR_HIGHLIGHT);  // a system colour for the progress marks
    p.Draw();
    const auto c = Color;
    // Each check: box, x, y, the colour the layout and the skin give there.
    const std::tuple<PictureBox&, int, int, int32_t> checks[] = {
        // Background tile, caption backings sampled from the bitmap, group frames.
        {p.picVexo, 300, 300, Bg(0, 300)}, {p.picVexo, 58, 13, Bg(58, 13)}, {p.picVexo, 13, 58, kInputBack}, {p.picVexo, 43, 70, kInputBack},
        {p.picVexo, 52, 550, kOutputBack}, {p.picVexo, 7, 64, c(12)}, {p.picVexo, 511, 93, c(12)}, {p.picVexo, 8, 65, c(13)}, {p.picVexo, 512, 94, c(13)},
        // Title bar: raised edge, stretched bitmap, the pressed menu name's sunken edge; the open menu and its item.
        {p.picVexo, 100, 1, c(32)}, {p.picVexo, 1, 10, c(32)}, {p.picVexo, 100, 23, c(33)}, {p.picVexo, 518, 10, c(33)},
        {p.picTitlebar, 300, 10, kMenuBar}, {p.picTitlebar, 50, 1, c(33)}, {p.picTitlebar, 31, 10, c(33)},
        {p.picTitlebar, 76, 10, c(32)}, {p.picTitlebar, 50, 19, c(32)}, {p.picMenuSettings, 100, 90, kMenuFore}, {p.picItem, 50, 9, kMenuBack},
        {p.picItem, 50, 0, c(33)}, {p.picItem, 0, 10, c(33)}, {p.picItem, 50, 17, c(32)}, {p.picItem, 105, 10, c(32)},
        // Progress: template greys kept; a black tile pixel in the loop area takes c31, column 1 never.
        {p.picProgress, 3, 3, kGrey}, {p.picProgress, 5, 5, int32_t(GetSysColor(COLOR_HIGHLIGHT))}, {p.picProgress, 1, 5, kBlack},
        {p.picProgress, 6, 6, kTile},
        // Status: black takes c19 up to x = width - 1, red stays, row 1 never; its sunken edge.
        {p.picStatus, 3, 3, c(19)}, {p.picStatus, 4, 3, kRed}, {p.picStatus, 505, 5, c(19)}, {p.picStatus, 5, 1, kBlack},
        {p.picStatus, 9, 9, c(19)}, {p.picStatus, 0, 7, c(17)}, {p.picStatus, 506, 7, c(16)},
        // Input boxes: the tile alone, nothing recoloured; their sunken edges.
        {p.picInputVIDEO, 5, 5, kBlack}, {p.picInputAUDIO, 6, 6, kTile}, {p.picInputSUBTITLE, 6, 6, kTile},
        {p.picInputVIDEO, 124, 5, c(16)}, {p.picInputAUDIO, 0, 7, c(17)}, {p.picInputSUBTITLE, 50, 14, c(16)},
        // Slider: black c27, red c25, white and grey kept, a loop two pixels smaller; its edge.
        {p.picSlider, 3, 3, c(27)}, {p.picSlider, 4, 3, c(25)}, {p.picSlider, 5, 3, kWhite}, {p.picSlider, 6, 3, kGrey},
        {p.picSlider, 361, 5, c(27)}, {p.picSlider, 5, 23, c(27)}, {p.picSlider, 100, 0, c(25)}, {p.picSlider, 100, 1, c(25)},
        {p.picSlider, 0, 10, c(25)}, {p.picSlider, 1, 10, c(25)}, {p.picSlider, 100, 24, c(24)}, {p.picSlider, 362, 10, c(24)},
        // Numbers: the colour of numbersalpha's pixel (2, 1); the timer edge; the output panel.
        {p.picNumbers, 3, 3, kDigits}, {p.picNumbers, 4, 3, kGrey}, {p.picNumbers, 50, 0, c(21)}, {p.picNumbers, 138, 10, c(20)},
        {p.picOutput, 3, 3, c(19)}, {p.picOutput, 0, 8, c(17)}, {p.picOutput, 100, 16, c(16)}};
    for (const auto& [box, x, y, want] : checks) EXPECT_EQ(box.Point(x, y), want) << box.Name() << " " << x << "," << y;
    // Texts: the menu names, the Input and Output captions, Audio, Video and Subtitle.
    const std::tuple<PictureBox&, int, int, int32_t> texts[] = {{p.picTitlebar, 9, 4, c(32)}, {p.picVexo, 14, 59, c(12)},
        {p.picVexo, 14, 539, c(15)}, {p.picVexo, 17, 75, c(19)}, {p.picVexo, 186, 75, c(19)}, {p.picVexo, 350, 75, c(19)}};
    for (const auto& [box, x, y, want] : texts) EXPECT_TRUE(Shows(box, want, x, y, x + 20, y + 9)) << box.Name() << " " << x;
    // The menu's items, each text whole in its label in the labels' own font.
    const std::tuple<const Label&, const char*, int32_t> items[] = {{p.Label1, "&Input settings", c(37)},
        {p.Label2, "&Output settings", c(37)}, {p.Label3, "&Priority", c(37)}, {p.Label4, "&Crop", c(37)},
        {p.Label5, "Preview aspect", c(37)}, {p.Label6, "&Crop", c(36)}};
    const WindowDC screen(nullptr);
    for (const auto& [label, text, color] : items) {
        const SelectGuard font(screen.Get(), label.Font());
        RECT r{};
        DrawTextA(screen.Get(), text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_TRUE(label.Font() && r.right <= label.Width() && r.bottom <= label.Height() && label.Caption() == text &&
                    label.ForeColor() == color) << text << " " << r.right;
    }
    ASSERT_EQ(p.PBarCount(), 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_TRUE(At(p.picPBar(i), {2 + 8 * i, 2, 8 + 8 * i, 8}) && IsWindowVisible(p.picPBar(i).Hwnd()) &&
                    p.picPBar(i).Point(3, 3) == kBlock) << i;
    // Buttons: (background AND mask) XOR face, the mask black on the left half.
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(p.picBtn(i).Point(5, 5) == Face(i) && p.picBtn(i).Point(25, 5) == (Under(p, i, 25) ^ Face(i))) << i;
    const auto first = AllImages(p);
    Slot(9, "numbers.bmp", BmpFile(8, 8, RGB(1, 200, 3)));
    p.Draw();
    EXPECT_TRUE(AllImages(p) == first) << "the same again, the extra blocks made once, slot 9 not read";
    // Replaced on disk by other pixels of the same size and the same time, as copy tools leave it.
    const std::string replaced = dir / "progressfore.bmp";
    WIN32_FILE_ATTRIBUTE_DATA was{};
    GetFileAttributesExA(replaced.c_str(), GetFileExInfoStandard, &was);
    WriteBytes(replaced, BmpFile(6, 6, kRed));
    HANDLE h = CreateFileA(replaced.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &was.ftLastWriteTime) && CloseHandle(h));
    p.Draw();
    EXPECT_EQ(p.picPBar(0).Point(3, 3), kRed) << "the next Draw shows the file on disk";
    // No mask: the background patch laid on itself, so background XOR face; no face either: black.
    skin.slots[11] = skin.slots[12 + 3] = "";
    p.Draw();
    EXPECT_TRUE(p.picBtn(0).Point(5, 5) == (Under(p, 0, 5) ^ Face(0)) && p.picBtn(3).Point(25, 5) == kBlack);
    // An empty button slot lays the mask itself: (background AND mask) XOR mask.
    skin.slots[11] = "btn_alpha.bmp";
    p.Draw();
    EXPECT_TRUE(p.picBtn(3).Point(5, 5) == kBlack && p.picBtn(3).Point(25, 5) == (Under(p, 3, 25) ^ kWhite));
}

TEST_F(MainPreviewTest, PressShowsTheLowerHalfAndReleaseRestoresTheUpLook) {
    WriteDistinctSkin();
    frmPreview& p = Open();
    PictureBox& b = p.picBtn(2);
    const auto up = Pixels(b);
    for (UINT down : {WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONDOWN}) {  // each followed by its up message
        SendMessageA(b.Hwnd(), down, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(b.Point(5, 0) == Pressed(2) && b.Point(5, 28) == Pressed(2) && b.Point(25, 5) == (Under(p, 2, 25) ^ Pressed(2)))
            << down;
        SendMessageA(b.Hwnd(), down + 1, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(Pixels(b) == up) << "the exact up look comes back";
    }
    // The slots are read at the press: a new bitmap shows without a redraw.
    Slot(12 + 2, "other.bmp", ButtonFile(Face(2), RGB(9, 99, 199)));
    p.picBtn_MouseDown(2, 1, 0, 5, 5);
    EXPECT_EQ(b.Point(5, 5), RGB(9, 99, 199));
    p.picBtn_MouseUp(2, 1, 0, 5, 5);
    // A button bitmap that can't be loaded keeps the up look, without a message.
    skin.slots[12 + 2] = "missing.bmp";
    p.picBtn_MouseDown(2, 1, 0, 5, 5);
    EXPECT_TRUE(Pixels(b) == up && prompts.asked.empty());
    p.picBtn_MouseUp(2, 1, 0, 5, 5);
    // No mask named: the warning at each press, and the up look stays.
    skin.slots[11] = "";
    for (int press = 0; press < 2; ++press) p.picBtn_MouseDown(7, 1, 0, 5, 5), p.picBtn_MouseUp(7, 1, 0, 5, 5);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text,
              "Warning: You don't have choose a [btn_alpha] bitmap image, therefore the preview 'down' state is not available.");
    EXPECT_TRUE(prompts.asked[1].style == 64u && prompts.asked[1].title == kAppTitle);
    EXPECT_EQ(p.picBtn(7).Point(5, 5), Face(7));
}

TEST_F(MainPreviewTest, BadInputNeverStopsTheDrawingNorLeaks) {
    frmPreview& p = Open();  // nothing named: the unskinned host picture stays
    EXPECT_EQ(p.picVexo.Point(300, 300), int32_t(Surface(Picture::LoadBitmapResource(241)).At(300, 300)));
    const std::pair<const char*, std::string> bad[] = {
        {"missing.bmp", ""}, {"text.bmp", "not a bitmap"}, {"one.bmp", BmpFile(1, 1, kRed)},
        {"mono.bmp", BmpFile(2, 61, std::vector<int32_t>(122, kWhite), {1})}, {"huge.bmp", BmpFile(4000, 4000, 0x123456)}};
    for (int i = 0; i < 38; ++i) skin.colors[size_t(i)] = int32_t(0x80000000u | (i % 25));
    for (const auto& [name, bytes] : bad) {
        if (!bytes.empty()) WriteBytes(dir / name, bytes);
        skin.slots.fill(name);
        p.Draw();
        EXPECT_EQ(p.PBarCount(), 13) << name;
    }
    EXPECT_EQ(COLORREF(p.picStatus.Point(100, 0)), GetSysColor(17)) << "system colours resolved";
    EXPECT_EQ(p.picVexo.Point(300, 300), 0x123456);
    // A background smaller than the sampled points: the tiled colour there.
    WriteDistinctSkin();
    Slot(0, "small.bmp", BmpFile(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    p.Draw();
    EXPECT_TRUE(p.picVexo.Point(13, 58) == 10 && p.picVexo.Point(13, 539) == 2) << "pixels (1, 2) and (1, 0) of the tile";
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 100; ++i) p.Draw();
    EXPECT_TRUE(CountGdiObjects() == gdi && CountUserObjects() == user) << "GDI and USER objects all freed";
}

// The press warning is a real box over the preview, which waits for it; the Escape that answers
// it does not also close the preview under it, while an Escape pressed in the preview does.
TEST_F(MainPreviewTest, EscapeThatAnswersThePressWarningLeavesThePreviewOpenWithItsActivation) {
    WriteDistinctSkin();
    skin.slots[11] = "";
    Form other("frmOther");
    other.Show();
    frmPreview& p = Open();
    const HWND button = p.picBtn(7).Hwnd();
    SetActiveWindow(p.Hwnd());
    {
        RealBox box({p.Hwnd(), other.Hwnd()}, RealBox::PressEscape,
                    [&] { PostMessageA(p.Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001)); });
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        box.Finish();
        EXPECT_NE(box.text.find("[btn_alpha]"), std::string::npos) << box.text;
        EXPECT_EQ(box.enabledWhile, (std::vector<bool>{false, false}));
    }
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(p.IsVisible() && IsWindowEnabled(p.Hwnd()) && IsWindowEnabled(other.Hwnd()));
    EXPECT_EQ(GetActiveWindow(), p.Hwnd());
    EXPECT_TRUE(prompts.asked.empty()) << "the script was bypassed";
    PostMessageA(p.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(p.Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    const DWORD start = GetTickCount();
    RunMessageLoop([&] { return p.IsLoaded() && GetTickCount() - start < 10000; });
    EXPECT_FALSE(p.IsLoaded());
}

}  // namespace
