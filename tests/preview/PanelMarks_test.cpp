#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "PanelMarks.h"

namespace {
// The same random panel twice, recoloured both ways, as a 32-bit DIB like the boxes' images.
std::vector<COLORREF> Recolored(bool direct, int w, int h, int x1, int y1, unsigned seed, const MarkColors& colors) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    std::mt19937 rng(seed);
    const COLORREF palette[] = {0x000000, 0x0000FF, 0xFF00FF, 0x808080, 0xFFFFFF, 0x010000, 0x0000FE};
    for (int n = 0; n < w * h; ++n) SetPixel(dc, n % w, n / w, palette[rng() % 7]);
    if (direct) RecolorMarks(dc, x1, y1, colors);
    else RecolorMarksPerPixel(dc, x1, y1, colors);
    std::vector<COLORREF> px;
    for (int n = 0; n < w * h; ++n) px.push_back(GetPixel(dc, n % w, n / w));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return px;
}

TEST(PanelMarks, DirectRecolourEqualsThePerPixelRuleOnRandomPanels) {
    const MarkColors slider{[] { return RGB(12, 34, 56); }, [] { return RGB(78, 90, 12); }};
    const MarkColors plain{[] { return RGB(12, 34, 56); }, nullptr};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const int w = 20 + static_cast<int>(seed) * 7, h = 9 + static_cast<int>(seed) * 3;
        // The panel's own bounds (x = width lies outside) and the slider's two pixels less.
        for (int inset : {0, 2})
            for (const MarkColors* colors : {&slider, &plain}) {
                const auto rule = Recolored(false, w, h, w - inset, h - inset, seed, *colors);
                ASSERT_TRUE(rule == Recolored(true, w, h, w - inset, h - inset, seed, *colors)) << seed << " " << inset;
                EXPECT_EQ(rule[static_cast<size_t>(w + 1)], Recolored(false, w, h, 0, 0, seed, *colors)[static_cast<size_t>(w + 1)])
                    << "(1, 1) is never recoloured";
            }
    }
}
}  // namespace
