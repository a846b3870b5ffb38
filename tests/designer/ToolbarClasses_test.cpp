#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "AppError.h"
#include "ObjectCounts.h"
#include "Picture.h"
#include "clsCoolBar.h"
#include "clsImageList.h"
#include "clsToolBar.h"
#include "modToolBar.h"

namespace {

// A plain top-level window whose own procedure records the commands it gets.
struct Host {
    static std::vector<std::pair<WPARAM, LPARAM>> commands;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND) commands.emplace_back(wParam, lParam);
        if (msg == WM_APP) return 1234;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    Host() {
        commands.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ToolbarHostTest";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "ToolbarHostTest", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 500, 300,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Host() { DestroyWindow(hwnd); }
    HWND hwnd;
};
std::vector<std::pair<WPARAM, LPARAM>> Host::commands;

class ToolbarClassesTest : public ::testing::Test {
protected:
    void SetUp() override {
        gTwipsPerPixelX = 15;
        gTwipsPerPixelY = 15;
    }
    RECT InParent(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // A 16 x 16 bitmap: magenta with a blue 4 x 4 square at 6, 6.
    Picture Square() {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* px = static_cast<uint32_t*>(bits);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) px[y * 16 + x] = (x >= 6 && x < 10 && y >= 6 && y < 10) ? 0x0000FF : 0xFF00FF;
        return Picture::FromBitmap(bmp);
    }
};

TEST_F(ToolbarClassesTest, TwipsBecomePixelsRoundingHalvesToEven) {
    EXPECT_EQ(TwipsToPixelsEven(0, 15), 0);
    EXPECT_EQ(TwipsToPixelsEven(22, 15), 1);   // 1.47
    EXPECT_EQ(TwipsToPixelsEven(23, 15), 2);   // 1.53
    EXPECT_EQ(TwipsToPixelsEven(9000, 15), 600);
    EXPECT_EQ(TwipsToPixelsEven(5, 2), 2);     // 2.5
    EXPECT_EQ(TwipsToPixelsEven(7, 2), 4);     // 3.5
    EXPECT_EQ(TwipsToPixelsEven(-5, 2), -2);   // -2.5
    EXPECT_EQ(TwipsToPixelsEven(-7, 2), -4);   // -3.5
    EXPECT_EQ(TwipsToPixelsEven(-22, 15), -1);
    EXPECT_THROW(TwipsToPixelsEven(100, 0), AppError);
}

TEST_F(ToolbarClassesTest, ToolbarWindowButtonsSizesAndStates) {
    Host host;
    clsToolBar tb;
    tb.Create(host.hwnd, 5, 7, 0, 0);
    ASSERT_NE(tb.hWnd, nullptr);
    char cls[64] = "";
    GetClassNameA(tb.hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "ToolbarWindow32");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tb.hWnd, GWL_STYLE)) & 0x5200094Cu, 0x5200094Cu);
    EXPECT_EQ(GetParent(tb.hWnd), host.hwnd);
    ASSERT_EQ(tb.Buttons().size(), 1u);  // the dummy
    EXPECT_EQ(tb.Buttons()[0].ID, 0);

    // No buttons: no width, and the height is the window's in twips plus 75.
    EXPECT_EQ(tb.Width(), 0);
    RECT r;
    GetWindowRect(tb.hWnd, &r);
    EXPECT_EQ(tb.Height(), (r.bottom - r.top) * 15 + 75);

    tb.AddButton(0, 0, "One", "First button");
    tb.AddButton(-1, 1, "", "");
    tb.AddButton(1, 0, "Two", "Second button");
    ASSERT_EQ(tb.Buttons().size(), 4u);
    EXPECT_EQ(tb.Buttons()[3].ID, 3);
    EXPECT_EQ(tb.Buttons()[3].TipText, "Two");
    TBBUTTON b{};
    SendMessageA(tb.hWnd, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, 2);
    EXPECT_TRUE(b.fsStyle & BTNS_SEP);

    // The window is sized to its buttons: the sum of their widths by button 0's bottom.
    int sum = 0;
    for (int i = 0; i < 3; ++i) {
        RECT item{};
        SendMessageA(tb.hWnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        sum += item.right - item.left;
        if (i == 0) {
            EXPECT_EQ(tb.Height(), 75 + 15 * item.bottom);
        }
    }
    GetWindowRect(tb.hWnd, &r);
    EXPECT_EQ(r.right - r.left, sum);
    EXPECT_EQ(tb.Width(), 15 * sum);
    EXPECT_EQ(InParent(tb.hWnd).left, 5);
    EXPECT_EQ(InParent(tb.hWnd).top, 7);

    // Enabling touches only the enabled bit.
    SendMessageA(tb.hWnd, TB_SETSTATE, 3, MAKELONG(TBSTATE_ENABLED | TBSTATE_CHECKED, 0));
    tb.SetButtonEnabled(3, false);
    EXPECT_EQ(SendMessageA(tb.hWnd, TB_GETSTATE, 3, 0), TBSTATE_CHECKED);
    tb.SetButtonEnabled(3, true);
    EXPECT_EQ(SendMessageA(tb.hWnd, TB_GETSTATE, 3, 0), TBSTATE_CHECKED | TBSTATE_ENABLED);
    tb.SetButtonEnabled(42, false);  // no such button: nothing

    tb.SetButtonTipText(1, "Uno");
    tb.SetButtonHelpText(1, "Primo");
    EXPECT_EQ(tb.Buttons()[1].TipText, "Uno");
    EXPECT_EQ(tb.Buttons()[1].HelpText, "Primo");
    try {
        tb.SetButtonTipText(4, "x");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), 9);
    }
    EXPECT_THROW(tb.SetButtonHelpText(-1, "x"), AppError);

    // Left moves in the parent's coordinates and keeps top and size.
    GetWindowRect(tb.hWnd, &r);
    tb.SetLeft(450);  // 30 pixels
    const RECT moved = InParent(tb.hWnd);
    EXPECT_EQ(moved.left, 30);
    EXPECT_EQ(moved.top, 7);
    EXPECT_EQ(moved.right - moved.left, r.right - r.left);
    EXPECT_EQ(moved.bottom - moved.top, r.bottom - r.top);
}

TEST_F(ToolbarClassesTest, TheHostKeepsItsOwnProcedureAndGetsItBackWhenTheToolbarEnds) {
    Host host;
    const LONG_PTR own = GetWindowLongPtrA(host.hwnd, GWLP_WNDPROC);
    HWND toolbar = nullptr;
    {
        clsToolBar tb;
        tb.Create(host.hwnd, 0, 0, 0, 0);
        toolbar = tb.hWnd;
        tb.AddButton(0, 0, "One", "First");
        tb.AddButton(1, 0, "", "Empty tip");
        EXPECT_EQ(GetWindowLongPtrA(host.hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ParentWndProc));
        EXPECT_EQ(gToolbarObject, &tb);
        EXPECT_EQ(gToolbarParentHwnd, host.hwnd);
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(gOldParentWndProc), own);

        // The host's answer is what the subclassed window answers.
        EXPECT_EQ(SendMessageA(host.hwnd, WM_APP, 0, 0), 1234);
        // A real click: the host's own procedure still gets the command.
        RECT item{};
        SendMessageA(tb.hWnd, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(tb.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tb.hWnd, WM_LBUTTONUP, 0, at);
        ASSERT_EQ(Host::commands.size(), 1u);
        EXPECT_EQ(LOWORD(Host::commands[0].first), 2);
        EXPECT_EQ(Host::commands[0].second, reinterpret_cast<LPARAM>(tb.hWnd));

        // An empty tip text leaves the record as it was.
        NMTTDISPINFOA info{};
        info.hdr = {tb.hWnd, 2, TTN_NEEDTEXTA};
        gTipText = "before";
        SendMessageA(host.hwnd, WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.lpszText, nullptr);
        EXPECT_EQ(gTipText, "");
        info.hdr.idFrom = 1;
        SendMessageA(host.hwnd, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.lpszText, "One");
    }
    EXPECT_FALSE(IsWindow(toolbar));
    EXPECT_EQ(GetWindowLongPtrA(host.hwnd, GWLP_WNDPROC), own);
    EXPECT_EQ(gToolbarObject, nullptr);
    EXPECT_EQ(gOldParentWndProc, nullptr);
}

TEST_F(ToolbarClassesTest, RebarBandsSizesAndMoves) {
    Host host;
    clsCoolBar bar;
    bar.Create(host.hwnd, 0, 0, 300, 90);
    ASSERT_NE(bar.hWnd, nullptr);
    char cls[64] = "";
    GetClassNameA(bar.hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "ReBarWindow32");
    EXPECT_EQ(GetDlgCtrlID(bar.hWnd), 1);
    EXPECT_TRUE(GetWindowLongA(bar.hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(bar.hWnd, GWL_STYLE));
    for (DWORD bit : {DWORD(WS_CHILD), DWORD(WS_VISIBLE), DWORD(WS_BORDER), DWORD(RBS_VARHEIGHT),
                      DWORD(RBS_BANDBORDERS), DWORD(RBS_FIXEDORDER), DWORD(CCS_NODIVIDER), DWORD(CCS_NOPARENTALIGN)})
        EXPECT_TRUE(style & bit) << std::hex << bit;

    HWND a = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, host.hwnd, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 24, host.hwnd, nullptr, nullptr, nullptr);
    bar.AddBand(a, "First");
    bar.AddBand(b, "");
    ASSERT_EQ(SendMessageA(bar.hWnd, RB_GETBANDCOUNT, 0, 0), 2);
    auto band = [&](int index, std::string& text) {
        char buffer[64] = "unset";
        REBARBANDINFOA info{};
        info.cbSize = REBARBANDINFOA_V3_SIZE;
        info.fMask = RBBIM_CHILD | RBBIM_TEXT | RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE;
        info.lpText = buffer;
        info.cch = sizeof buffer;
        SendMessageA(bar.hWnd, RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        text = buffer;
        return info;
    };
    std::string text;
    // The later band went in before the first, without a text.
    REBARBANDINFOA info = band(0, text);
    EXPECT_EQ(info.hwndChild, b);
    EXPECT_EQ(text, "");
    EXPECT_EQ(info.cxMinChild, 60u);
    EXPECT_EQ(info.cyMinChild, 24u);
    EXPECT_EQ(info.cx, 250u);
    EXPECT_EQ(info.fStyle & 0x286u, 0x286u);
    info = band(1, text);
    EXPECT_EQ(info.hwndChild, a);
    EXPECT_EQ(text, "First");

    // Sizes in twips; reading the width changes nothing.
    bar.Move(150, 300, 4500, 1500);  // 10, 20, 300, 100 pixels
    RECT r = InParent(bar.hWnd);
    const RECT placed = r;
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(bar.Width(), 15 * (r.right - r.left));
    EXPECT_EQ(bar.Height(), 15 * (r.bottom - r.top));
    r = InParent(bar.hWnd);
    EXPECT_TRUE(EqualRect(&r, &placed));

    bar.Move(-1, -1, 3000, -1);  // only the width
    r = InParent(bar.hWnd);
    EXPECT_EQ(r.left, placed.left);
    EXPECT_EQ(r.top, placed.top);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, placed.bottom - placed.top);

    bar.SetTop(600);
    r = InParent(bar.hWnd);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, 200);
    bar.SetWidth(3015);  // 201 pixels
    EXPECT_EQ(InParent(bar.hWnd).right - InParent(bar.hWnd).left, 201);
    EXPECT_EQ(InParent(bar.hWnd).top, 40);
}

TEST_F(ToolbarClassesTest, ImageListMasksMagentaAndDrawsNormalAndGreyed) {
    // Twice: the first round also makes what the system caches for good.
    auto round = [&] {
        clsImageList list;
        ASSERT_NE(list.hImageList, nullptr);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list.hImageList, &cx, &cy);
        EXPECT_EQ(cx, 16);
        EXPECT_EQ(cy, 16);
        list.Add(Square(), 0xFF00FF);
        list.Add(Square(), 0xFF00FF);
        EXPECT_EQ(ImageList_GetImageCount(list.hImageList), 2);

        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, 64, 20);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, canvas);
        RECT all{0, 0, 64, 20};
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        FillRect(dc, &all, white);
        DeleteObject(white);

        list.DrawItem(1, dc, 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));  // magenta is see-through
        EXPECT_EQ(GetPixel(dc, 7, 7), RGB(0, 0, 255));
        list.DrawItemDisabled(0, dc, 20, 0);
        EXPECT_EQ(GetPixel(dc, 20, 0), RGB(255, 255, 255));
        EXPECT_NE(GetPixel(dc, 27, 7), RGB(0, 0, 255));      // greyed, not in colour
        EXPECT_NE(GetPixel(dc, 27, 7), RGB(255, 255, 255));

        HICON icon = list.Item(1);
        ASSERT_NE(icon, nullptr);
        ICONINFO ii{};
        EXPECT_TRUE(GetIconInfo(icon, &ii));
        DeleteObject(ii.hbmColor);
        DeleteObject(ii.hbmMask);
        list.AddIcon(icon);
        EXPECT_EQ(ImageList_GetImageCount(list.hImageList), 3);
        DestroyIcon(icon);

        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
    };
    round();
    const int gdiBefore = CountGdiObjects();
    round();
    EXPECT_EQ(CountGdiObjects(), gdiBefore);
}

}  // namespace
