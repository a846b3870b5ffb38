#include "DialogHook.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "BmpFile.h"
#include "CMDIALOG.h"
#include "DialogDriver.h"
#include "Form1.h"
#include "ObjectCounts.h"
#include "TempDir.h"

using namespace std::string_literals;

namespace {
constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

RECT In(HWND dialog, HWND item) {
    RECT r{};
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
int W(const RECT& r) { return r.right - r.left; }
int H(const RECT& r) { return r.bottom - r.top; }

// Selects a file in the dialog's file list as a click would; the dialog tells the hook at once.
bool Select(HWND dialog, const std::string& name) {
    HWND list = FindWindowExA(GetDlgItem(dialog, 0x461), nullptr, "SysListView32", nullptr);
    LVFINDINFOA find{LVFI_STRING, name.c_str(), 0, {}, 0};
    const LRESULT i = SendMessageA(list, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find));
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    return i >= 0 && SendMessageA(list, LVM_SETITEMSTATE, WPARAM(i), reinterpret_cast<LPARAM>(&state));
}

// The text Form1's own tooltip window holds for the preview box.
std::string RealTip(PictureBox& box) {
    char text[80] = {};
    TOOLINFOA ti{sizeof ti, 0, box.GetContainer()->Hwnd(), reinterpret_cast<UINT_PTR>(box.Hwnd()), {}, nullptr, text, 0, nullptr};
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr));)
        if (GetWindowThreadProcessId(tip, nullptr) == GetCurrentThreadId() && SendMessageA(tip, TTM_GETTOOLINFOA, 0, LPARAM(&ti)))
            return SendMessageA(tip, TTM_GETTEXTA, sizeof text, LPARAM(&ti)), std::string(text);
    return "no tool";
}

// Where a borrowed control was, and whether it showed, when its window went down.
struct AtDestroy {
    HWND parent = nullptr;
    bool visible = true;
};
LRESULT CALLBACK WatchDestroy(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    if (msg == WM_DESTROY)
        *reinterpret_cast<AtDestroy*>(data) = {GetParent(window), (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0};
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(window, WatchDestroy, id);
    return DefSubclassProc(window, msg, wParam, lParam);
}

class DialogHookTest : public ::testing::Test {
protected:
    void SetUp() override { owner.Load(); }
    // Shows the dialog of a kind on a folder, runs the check inside it and cancels.
    void Show(int32_t kind, const std::string& folder, const std::function<void(HWND)>& check) {
        DialogDriver driver(DialogPlan::Cancel());
        driver.WhileShown = check;
        gDialogKind = kind;
        const std::string filter =
            kind == DialogKind::BitmapPreview ? "Bitmap (*.BMP)\0*.bmp\0\0"s : "Vexo skins (*.INI)\0*.ini\0\0"s;
        EXPECT_EQ(ShowOpen(owner, extErr, filter, folder, "Open", 1, 0x281824, ""), 3);
    }
    Form owner{"frmOwner"};
    int32_t extErr = -1;
};
}  // namespace

TEST(DialogHookDecisionTest, RoundingAndWholeBitmaps) {
    for (int size : {451, 453}) EXPECT_EQ(CentredOrigin(1280, size), 414) << size;  // 414.5 and 413.5, ties to even
    const PreviewLayout l = BitmapPreviewLayout(7, 30, 400, 140, 500, 121);
    EXPECT_EQ(l.preview.right - l.preview.left, 168);
    EXPECT_EQ(l.check.x, 444);  // 23.5 + 421, ties to even
    EXPECT_EQ(StripNull("C:\\a.bmp\0C:\\b.bmp"s), "C:\\a.bmp");
}

// The preview beside the visible list, natural size then stretched by the check
// box alone; bad files keep the last picture and hold no GDI objects.
TEST_F(DialogHookTest, BitmapDialogForgetsTheLastFilePreviewsAndKeepsTheLastGoodPicture) {
    // A bitmap dialog starts without the last one's file, which "Stretch image" would show again.
    gPreviewFilePath = "C:\\last.bmp";
    gDialogKind = DialogKind::BitmapPreview;
    OFNOTIFYA start{{nullptr, 0, CDN_INITDONE}, nullptr, nullptr};
    DialogNotify(nullptr, reinterpret_cast<LPARAM>(&start));
    EXPECT_EQ(gPreviewFilePath, "");

    TempDir dir;
    std::string folder = dir.Path();  // deep enough for a path longer than 255 characters
    while (folder.size() < 230)
        ASSERT_TRUE(CreateDirectoryA(folder.append("\\").append(std::min<size_t>(40, 236 - folder.size()), 'd').c_str(), nullptr));
    std::vector<int32_t> halves(32 * 32, kBlue);
    for (int i = 0; i < 32 * 32; i += 32) std::fill_n(halves.begin() + i, 16, kRed);
    const std::string good = BmpFile(32, 32, kGreen), longName = std::string(258 - folder.size() - 5, 'L') + ".bmp";
    const std::map<std::string, std::string> files = {{"halves.bmp", BmpFile(32, 32, halves)}, {"text.bmp", "not a picture"},
                                                      {"zero.bmp", ""}, {"cut.bmp", good.substr(0, 1000)}, {longName, good}};
    for (const auto& [name, bytes] : files) WriteBytes(folder + "\\" + name, bytes);
    AtDestroy previewGone, checkGone;
    HWND form1 = nullptr;
    Show(DialogKind::BitmapPreview, folder, [&](HWND dialog) {
        ASSERT_TRUE(gForm1 && gPicPreview && gChkPreview);
        HWND view = GetDlgItem(dialog, 0x461), box = gPicPreview->Hwnd(), check = gChkPreview->Hwnd();
        form1 = gForm1->Hwnd();
        SetWindowSubclass(box, WatchDestroy, 7, reinterpret_cast<DWORD_PTR>(&previewGone));
        SetWindowSubclass(check, WatchDestroy, 7, reinterpret_cast<DWORD_PTR>(&checkGone));
        const RECT list = In(dialog, view), p = In(dialog, box), c = In(dialog, check);
        EXPECT_TRUE(GetParent(box) == dialog && GetParent(check) == dialog && IsWindowVisible(box) && IsWindowVisible(check));
        EXPECT_TRUE(H(p) == H(list) && p.top == list.top && p.left == 3 * list.left + W(list) && c.top == p.bottom + 15);
        EXPECT_LE(std::abs(W(p) - 1.2 * H(list)), 0.5);
        EXPECT_LE(std::abs(c.left - (p.left + (W(p) - W(c)) / 2.0)), 0.5);
        RECT frame{}, screenList{};
        GetWindowRect(dialog, &frame);
        GetWindowRect(view, &screenList);
        EXPECT_EQ(frame.right, W(p) + screenList.right + 4 * list.left);
        ExpectCentred(dialog);
        const int32_t face = int32_t(GetSysColor(COLOR_BTNFACE)), w = W(p), h = H(p);
        auto colours = [&](std::initializer_list<POINT> at) {
            std::vector<int32_t> seen;
            for (POINT pt : at) seen.push_back(gPicPreview->Point(pt.x, pt.y));
            return seen;
        };
        ASSERT_TRUE(Select(dialog, "halves.bmp"));
        EXPECT_TRUE(gPicPreview->ToolTipText() == "3126" && RealTip(*gPicPreview) == "3126") << RealTip(*gPicPreview);
        EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
        EXPECT_EQ(colours({{0, 0}, {15, 31}, {16, 0}, {31, 31}, {32, 5}, {5, 32}}),
                  (std::vector{kRed, kRed, kBlue, kBlue, face, face}));
        SendMessageA(check, BM_CLICK, 0, 0);
        EXPECT_EQ(gStretchImage, 1);
        EXPECT_EQ(colours({{0, h - 1}, {w / 2 - 3, h / 2}, {w / 2 + 3, h / 2}, {w - 1, h - 1}}),
                  (std::vector{kRed, kRed, kBlue, kBlue}));
        SendMessageA(check, BM_CLICK, 0, 0);
        const int gdi = CountGdiObjects();
        const std::pair<std::string, std::string> tips[] = {{"text.bmp", "13"}, {"zero.bmp", "0"}, {"cut.bmp", "1000"}, {longName, ""}, {"halves.bmp", "3126"}};
        for (const auto& [name, tip] : tips) {
            ASSERT_TRUE(Select(dialog, name));
            EXPECT_EQ(gPicPreview->ToolTipText(), tip) << name;
            EXPECT_EQ(colours({{0, 0}, {16, 0}, {32, 5}}), (std::vector{kRed, kBlue, face})) << name;
        }
        EXPECT_EQ(CountGdiObjects(), gdi);
        // Deleted after its selection: the check box stretches what was last loaded, with no size.
        ASSERT_TRUE(DeleteFileA((folder + "\\halves.bmp").c_str()));
        SendMessageA(check, BM_CLICK, 0, 0);
        EXPECT_EQ(gPicPreview->ToolTipText(), "");
        EXPECT_EQ(gPicPreview->Point(w - 1, h - 1), kBlue);
    });
    EXPECT_TRUE(previewGone.parent == form1 && checkGone.parent == form1);  // given back to Form1, hidden, before the dialog went
    EXPECT_FALSE(previewGone.visible || checkGone.visible);
}

// The dialog's ANSI path of the fullwidth "sun.bmp" is the plain sun.bmp, another picture: such a
// selection shows no picture at all, neither the lookalike's nor the last one's, stretched or not.
TEST_F(DialogHookTest, ASelectionTheCodePageCantNameShowsNoOtherFilesPicture) {
    TempDir dir;
    WriteBytes(dir / "green.bmp", BmpFile(32, 32, kGreen));
    WriteBytes(dir / "sun.bmp", BmpFile(32, 32, kRed));
    WriteBytes(Widen(dir.Path()) + L"\\\uFF53un.bmp", BmpFile(16, 16, kBlue));
    Show(DialogKind::BitmapPreview, dir.Path(), [&](HWND dialog) {
        ASSERT_TRUE(gPicPreview && gChkPreview);
        const int32_t face = int32_t(GetSysColor(COLOR_BTNFACE));
        auto shown = [&] { return std::vector{gPicPreview->Point(0, 0), gPicPreview->Point(20, 20)}; };
        ASSERT_TRUE(Select(dialog, "green.bmp"));
        EXPECT_EQ(shown(), (std::vector{kGreen, kGreen}));
        ASSERT_TRUE(SelectListedFile(dialog, L"\uFF53un.bmp"));
        EXPECT_EQ(shown(), (std::vector{face, face}));
        EXPECT_EQ(gPicPreview->ToolTipText() + "|" + gPreviewFilePath, "|");
        SendMessageA(gChkPreview->Hwnd(), BM_CLICK, 0, 0);
        EXPECT_EQ(shown(), (std::vector{face, face}));
        SendMessageA(gChkPreview->Hwnd(), BM_CLICK, 0, 0);
        ASSERT_TRUE(Select(dialog, "sun.bmp"));
        EXPECT_EQ(shown(), (std::vector{kRed, kRed}));
        EXPECT_EQ(gPicPreview->ToolTipText(), "3126");
    });
}

// Against a plain dialog: the skin banner opens a 100-pixel gap above every
// control, the side banner a 210-pixel strip to their left; kind 4 renames OK.
TEST_F(DialogHookTest, BannerKindsMakeRoomAndTheDeleteKindRenamesOk) {
    TempDir dir;
    WriteBytes(dir / "Blue.ini", "[Vexo]\r\n");
    struct Seen {
        RECT frame{}, banner{};
        std::map<std::pair<int, std::string>, RECT> controls;
        bool bannerWhole = false;
        char ok[20] = {};
    };
    auto show = [&](int32_t kind) {
        Seen s;
        Show(kind, dir.Path(), [&](HWND dialog) {
            ExpectCentred(dialog);
            GetWindowRect(dialog, &s.frame);
            GetDlgItemTextA(dialog, IDOK, s.ok, sizeof s.ok);
            HWND banner = gPicPreview ? gPicPreview->Hwnd() : nullptr;
            EXPECT_EQ(banner != nullptr, kind == DialogKind::SkinBanner || kind == DialogKind::SideBanner) << kind;
            for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                char cls[40] = {};
                GetClassNameA(c, cls, sizeof cls);
                if (c != banner && IsWindowVisible(c) && cls != "#32770"s) s.controls[{GetDlgCtrlID(c), cls}] = In(dialog, c);
            }
            if (!banner) return;
            s.banner = In(dialog, banner);
            ASSERT_TRUE(GetParent(banner) == dialog && IsWindowVisible(banner) && Select(dialog, "Blue.ini"));
            // Drawn at its natural size, and left so when a skin file is selected.
            const Picture source = (kind == DialogKind::SkinBanner ? gForm1->Image1 : gForm1->Image2).GetPicture();
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, source.AsBitmap());
            s.bannerWhole = gPicPreview->ToolTipText().empty();
            for (int x : {3, source.Width() - 1}) s.bannerWhole &= gPicPreview->Point(x, 79) == int32_t(GetPixel(dc, x, 79));
            SelectObject(dc, old);
            DeleteDC(dc);
        });
        return s;
    };
    const Seen plain = show(DialogKind::Plain);
    ASSERT_GE(plain.controls.size(), 9u);
    const RECT list = plain.controls.at({0x461, "SHELLDLL_DefView"}), lookIn = plain.controls.at({0x471, "ComboBox"});
    for (int32_t kind : {DialogKind::SkinBanner, DialogKind::SideBanner}) {
        const int dx = kind == DialogKind::SideBanner ? 210 : 0, dy = kind == DialogKind::SkinBanner ? 100 : 0;
        const Seen s = show(kind);
        EXPECT_TRUE(W(s.frame) == W(plain.frame) + dx && H(s.frame) == H(plain.frame) + dy) << kind;
        ASSERT_EQ(s.controls.size(), plain.controls.size());
        for (auto [key, r] : plain.controls)
            EXPECT_TRUE(OffsetRect(&r, dx, dy) && EqualRect(&s.controls.at(key), &r)) << kind << key.second << key.first;
        const RECT expected = dx ? RECT{list.left, lookIn.top, list.left + 205, lookIn.top + 260}
                                 : RECT{list.left, lookIn.top, list.left + list.right - 5, lookIn.top + 80};
        EXPECT_TRUE(EqualRect(&s.banner, &expected) && s.bannerWhole) << kind;
    }
    const Seen remove = show(DialogKind::DeleteButton);
    EXPECT_EQ(remove.ok, "Elimina"s);
    EXPECT_TRUE(EqualRect(&remove.frame, &plain.frame));
}
