#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "PanelMarks.h"

namespace {
constexpr COLORREF kMark = RGB(12, 34, 56), kRedMark = RGB(78, 90, 12);

// A 32-bit top-down DIB surface, as the picture boxes keep their images.
struct Panel {
    Panel(int w, int h, unsigned seed) : w(w), h(h), dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        std::mt19937 rng(seed);
        const COLORREF palette[] = {0x000000, 0x0000FF, 0xFF00FF, 0x808080, 0xFFFFFF, 0x010000, 0x0000FE};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetPixel(dc, x, y, palette[rng() % 7]);
    }
    ~Panel() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::vector<COLORREF> All() const {
        std::vector<COLORREF> px;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) px.push_back(GetPixel(dc, x, y));
        return px;
    }
    int w, h;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

TEST(PanelMarks, DirectRecolourEqualsThePerPixelRuleOnRandomPanels) {
    const MarkColors slider{[] { return kMark; }, [] { return kRedMark; }};
    const MarkColors plain{[] { return kMark; }, nullptr};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const int w = 20 + static_cast<int>(seed) * 7, h = 9 + static_cast<int>(seed) * 3;
        // The panels' own bounds (x = width lies outside) and the slider's two pixels less.
        for (int inset : {0, 2})
            for (const MarkColors* colors : {&slider, &plain}) {
                Panel rule(w, h, seed), direct(w, h, seed);
                RecolorMarksPerPixel(rule.dc, w - inset, h - inset, *colors);
                RecolorMarks(direct.dc, w - inset, h - inset, *colors);
                ASSERT_TRUE(rule.All() == direct.All()) << seed << " " << inset;
            }
    }
}

TEST(PanelMarks, BlackAndRedTakeTheirColoursOutsideTheFirstTwoRowsAndColumns) {
    Panel p(8, 6, 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(p.dc, x, y, (x + y) % 2 ? 0x000000 : 0x0000FF);
    SetPixel(p.dc, 4, 4, 0x010101);
    int reads = 0;
    RecolorMarks(p.dc, 8, 6, {[&] { ++reads; return kMark; }, [] { return kRedMark; }});
    EXPECT_EQ(GetPixel(p.dc, 3, 2), kMark);
    EXPECT_EQ(GetPixel(p.dc, 2, 2), kRedMark);
    EXPECT_EQ(GetPixel(p.dc, 7, 5), kRedMark);
    EXPECT_EQ(GetPixel(p.dc, 4, 4), 0x010101u) << "only exact black";
    EXPECT_EQ(GetPixel(p.dc, 1, 4), 0x000000u) << "column 1";
    EXPECT_EQ(GetPixel(p.dc, 4, 1), 0x000000u) << "row 1";
    EXPECT_EQ(GetPixel(p.dc, 0, 3), 0x000000u) << "column 0";
    // Without a red mark colour red stays.
    Panel q(8, 6, 2);
    SetPixel(q.dc, 3, 3, 0x0000FF);
    RecolorMarks(q.dc, 8, 6, {[] { return kMark; }, nullptr});
    EXPECT_EQ(GetPixel(q.dc, 3, 3), 0x0000FFu);
}
}  // namespace
