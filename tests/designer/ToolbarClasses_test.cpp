#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "AppError.h"
#include "ObjectCounts.h"
#include "Picture.h"
#include "clsCoolBar.h"
#include "clsImageList.h"
#include "clsToolBar.h"
#include "modToolBar.h"

namespace {

// A plain window whose own procedure records the commands it gets.
std::vector<std::pair<WPARAM, LPARAM>> g_Commands;
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) g_Commands.emplace_back(wParam, lParam);
    return msg == WM_APP ? 1234 : DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ToolbarClassesTest : public ::testing::Test {
protected:
    void SetUp() override {
        gTwipsPerPixelX = gTwipsPerPixelY = 15;
        g_Commands.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.lpszClassName = "ToolbarHostTest";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 700, 600, 500, 300, nullptr, nullptr,
                               nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(host); }
    static RECT InParent(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    HWND host = nullptr;
};

TEST_F(ToolbarClassesTest, TwipsBecomePixelsWithHalvesToTheEvenNeighbour) {
    const int cases[][3] = {{22, 15, 1}, {23, 15, 2}, {9000, 15, 600}, {5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {-7, 2, -4}};
    for (const auto& c : cases) EXPECT_EQ(TwipsToPixelsEven(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
    EXPECT_THROW(TwipsToPixelsEven(100, 0), AppError);
}

TEST_F(ToolbarClassesTest, ToolbarSizesStatesTipsAndTheHostsOwnProcedure) {
    const LONG_PTR own = GetWindowLongPtrA(host, GWLP_WNDPROC);
    HWND window = nullptr;
    {
        clsToolBar tb;
        tb.Create(host, 5, 7, 0, 0);
        window = tb.hWnd;
        EXPECT_EQ(tb.Width(), 0);  // no buttons
        RECT r;
        GetWindowRect(tb.hWnd, &r);
        EXPECT_EQ(tb.Height(), (r.bottom - r.top) * 15 + 75);
        tb.AddButton(0, 0, "One", "First");
        tb.AddButton(-1, 1, "", "");
        RECT a{};
        SendMessageA(tb.hWnd, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&a));
        GetWindowRect(tb.hWnd, &r);
        EXPECT_EQ(tb.Width(), 15 * (r.right - r.left));  // sized to its buttons

        SendMessageA(tb.hWnd, TB_SETSTATE, 2, MAKELONG(TBSTATE_ENABLED | TBSTATE_CHECKED, 0));
        tb.SetButtonEnabled(2, false);  // only the enabled bit changes
        EXPECT_EQ(SendMessageA(tb.hWnd, TB_GETSTATE, 2, 0), TBSTATE_CHECKED);
        EXPECT_THROW(tb.SetButtonHelpText(3, "x"), AppError);

        // A real click: the host's own procedure gets the command and answers as before.
        const LPARAM at = MAKELPARAM((a.left + a.right) / 2, (a.top + a.bottom) / 2);
        SendMessageA(tb.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tb.hWnd, WM_LBUTTONUP, 0, at);
        ASSERT_EQ(g_Commands.size(), 1u);
        EXPECT_EQ(g_Commands[0], std::make_pair(WPARAM(1), reinterpret_cast<LPARAM>(tb.hWnd)));
        EXPECT_EQ(SendMessageA(host, WM_APP, 0, 0), 1234);

        NMTTDISPINFOA info{};
        info.hdr = {tb.hWnd, 1, TTN_NEEDTEXTA};
        tb.SetButtonTipText(1, "Uno");
        SendMessageA(host, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.lpszText, "Uno");
        info.lpszText = nullptr;
        tb.SetButtonTipText(1, "");  // an empty tip leaves the record untouched
        SendMessageA(host, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.lpszText, nullptr);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetWindowLongPtrA(host, GWLP_WNDPROC), own);
    EXPECT_EQ(gToolbarObject, nullptr);
}

TEST_F(ToolbarClassesTest, RebarInsertsBandsInFrontAndMovesInTwips) {
    clsCoolBar bar;
    bar.Create(host, 0, 0, 300, 90);
    HWND a = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 40, 20, host, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 60, 24, host, nullptr, nullptr, nullptr);
    bar.AddBand(a, "First");
    bar.AddBand(b, "");
    for (int i = 0; i < 2; ++i) {
        char text[32] = "unset";
        REBARBANDINFOA info{};
        info.cbSize = REBARBANDINFOA_V3_SIZE;
        info.fMask = RBBIM_CHILD | RBBIM_TEXT | RBBIM_CHILDSIZE;
        info.lpText = text;
        info.cch = sizeof text;
        SendMessageA(bar.hWnd, RB_GETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.hwndChild, i == 0 ? b : a);
        EXPECT_STREQ(text, i == 0 ? "" : "First");
        EXPECT_EQ(info.cxMinChild, i == 0 ? 60u : 40u);
    }
    bar.Move(150, 300, 4500, 1500);
    const RECT placed = InParent(bar.hWnd);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(bar.Width(), 15 * (placed.right - placed.left));
    bar.Move(-1, -1, 3000, -1);
    const RECT r = InParent(bar.hWnd), expected{placed.left, placed.top, placed.left + 200, placed.bottom};
    EXPECT_TRUE(EqualRect(&r, &expected));
}

TEST_F(ToolbarClassesTest, ImageListMasksMagentaAndDrawsNormalOrGreyedWithoutLeaks) {
    // Adding a bitmap blackens its masked pixels: each round draws a new one.
    auto round = [&] {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        Picture square = Picture::FromBitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        for (int i = 0; i < 256; ++i)  // magenta around a blue square from 6, 6 to 9, 9
            static_cast<uint32_t*>(bits)[i] = (i % 16 >= 6 && i % 16 < 10 && i / 16 >= 6 && i / 16 < 10) ? 0xFF : 0xFF00FF;
        clsImageList list;
        list.Add(square, 0xFF00FF);
        HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, 40, 16);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, canvas);
        PatBlt(dc, 0, 0, 40, 16, WHITENESS);
        list.DrawItem(0, dc, 0, 0, ILD_TRANSPARENT);
        list.DrawItemDisabled(0, dc, 20, 0);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 7, 7), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc, 20, 0), RGB(255, 255, 255));
        EXPECT_NE(GetPixel(dc, 27, 7), RGB(0, 0, 255));  // greyed
        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
    };
    round();  // the first round also fills what the system keeps for good
    const int before = CountGdiObjects();
    round();
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
