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

// The host's own procedure: it answers a command itself.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg == WM_COMMAND ? 1234 : DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(ToolbarClasses, ToolbarSizedToItsButtonsKeepsOtherStatesAndGivesTheHostItsProcedureBack) {
    gTwipsPerPixelX = gTwipsPerPixelY = 15;
    WNDCLASSA wc{0, HostProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "ToolbarHostTest"};
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 700, 600, 500, 300, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR own = GetWindowLongPtrA(host, GWLP_WNDPROC);
    {
        clsToolBar tb;
        tb.Create(host, 5, 7, 0, 0);
        RECT r;
        GetWindowRect(tb.hWnd, &r);
        EXPECT_EQ(tb.Width(), 0);  // no buttons
        EXPECT_EQ(tb.Height(), (r.bottom - r.top) * 15 + 75);
        tb.AddButton(0, 0, "One", "First");
        tb.AddButton(-1, 1, "", "");
        GetWindowRect(tb.hWnd, &r);
        EXPECT_EQ(tb.Width(), 15 * (r.right - r.left));  // sized to its buttons
        SendMessageA(tb.hWnd, TB_SETSTATE, 2, MAKELONG(TBSTATE_ENABLED | TBSTATE_CHECKED, 0));
        tb.SetButtonEnabled(2, false);  // only the enabled bit changes
        EXPECT_EQ(SendMessageA(tb.hWnd, TB_GETSTATE, 2, 0), TBSTATE_CHECKED);
        EXPECT_THROW(tb.SetButtonHelpText(3, "x"), AppError);
        // The toolbar's commands too reach the host's own procedure, whose answer comes back.
        EXPECT_EQ(SendMessageA(host, WM_COMMAND, 1, reinterpret_cast<LPARAM>(tb.hWnd)), 1234);
    }
    EXPECT_EQ(FindWindowExA(host, nullptr, TOOLBARCLASSNAMEA, nullptr), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(host, GWLP_WNDPROC), own);
    EXPECT_EQ(gToolbarObject, nullptr);
    DestroyWindow(host);
}

TEST(ToolbarClasses, TwipsHalvesGoToTheEvenPixelAndTheRebarInsertsBandsInFront) {
    const int cases[][3] = {{22, 15, 1}, {23, 15, 2}, {5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {-7, 2, -4}};
    for (const auto& c : cases) EXPECT_EQ(TwipsToPixelsEven(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
    EXPECT_THROW(TwipsToPixelsEven(100, 0), AppError);

    gTwipsPerPixelX = gTwipsPerPixelY = 15;
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr, nullptr, nullptr);
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
        info.fMask = RBBIM_CHILD | RBBIM_TEXT;
        info.lpText = text;
        info.cch = sizeof text;
        SendMessageA(bar.hWnd, RB_GETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.hwndChild, i == 0 ? b : a);
        EXPECT_STREQ(text, i == 0 ? "" : "First");
    }
    bar.Move(150, 300, 4500, 1500);
    RECT placed, moved;
    GetWindowRect(bar.hWnd, &placed);
    bar.Move(-1, -1, 3000, -1);  // only the width changes
    GetWindowRect(bar.hWnd, &moved);
    EXPECT_EQ(moved.left, placed.left);
    EXPECT_EQ(moved.top, placed.top);
    EXPECT_EQ(moved.bottom - moved.top, placed.bottom - placed.top);
    EXPECT_EQ(moved.right - moved.left, 200);
    DestroyWindow(host);
}

TEST(ToolbarClasses, ImageListMasksMagentaAndDrawsNormalOrGreyedWithoutLeaks) {
    // Adding a bitmap blackens its masked pixels: each round draws a new one.
    auto round = [&] {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        uint32_t* bits = nullptr;
        auto dib = [&] { return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0); };
        Picture square = Picture::FromBitmap(dib());
        for (int i = 0; i < 256; ++i)  // magenta around a blue square from 6, 6 to 9, 9
            bits[i] = (i % 16 >= 6 && i % 16 < 10 && i / 16 >= 6 && i / 16 < 10) ? 0xFF : 0xFF00FF;
        clsImageList list;
        list.Add(square, 0xFF00FF);
        bi.bmiHeader.biWidth = 40;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, dib());
        PatBlt(dc, 0, 0, 40, 16, WHITENESS);
        list.DrawItem(0, dc, 0, 0, ILD_TRANSPARENT);
        list.DrawItemDisabled(0, dc, 20, 0);
        for (int x : {0, 7, 20}) EXPECT_EQ(GetPixel(dc, x, x % 20), x == 7 ? RGB(0, 0, 255) : RGB(255, 255, 255)) << x;
        EXPECT_NE(GetPixel(dc, 27, 7), RGB(0, 0, 255));  // greyed
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    };
    round();  // the first round also fills what the system keeps for good
    const int before = CountGdiObjects();
    round();
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
