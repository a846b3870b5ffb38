// The drawing primitives of the previews: tiling, mark recolouring, transparent painting.
#include <gtest/gtest.h>

#include "AppInfo.h"
#include "Form.h"
#include "ObjectCounts.h"
#include "PanelMarks.h"
#include "PreviewKit.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "modDraw.h"
#include "modRegion.h"

namespace {
constexpr COLORREF kMagenta = 0xFF00FF, kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kGreen = 0x00FF00;

TEST(TileBackground, RepeatsFromTheTopLeftAndCutsAtTheEdges) {
    Form form{"frmTile"};
    form.Load();
    PictureBox target{"picTarget"}, source{"picSource"}, empty{"picEmpty"}, unmade{"picUnmade"};
    target.Create(form, 5, 7, 10, 5);
    source.Create(form, 0, 0, 3, 2);
    empty.Create(form, 0, 0, 3, 2);
    source.SetPicture(Surface(3, 2, {kRed, kGreen, kBlue, kWhite, kRed, kGreen}).AsPicture());
    TileBackground(target, source);
    const COLORREF rows[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kRed, kGreen}};
    for (int n = 0; n < 50; ++n) ASSERT_EQ(COLORREF(target.Point(n % 10, n / 10)), rows[n / 10 % 2][n % 10 % 3]) << n;
    EXPECT_EQ(COLORREF(source.Point(0, 0)), kRed) << "the source is only read";
    TileBackground(target, empty);  // no picture: the target stays
    EXPECT_EQ(COLORREF(target.Point(9, 4)), kRed);
    EXPECT_EQ(Raised([&] { TileBackground(unmade, source); }).Number(), 91) << "a target with no window is the caller's error";
}

// Black takes the mark colour, red the red one on the slider, from (2, 2) to (x1, y1) only; near-black
// and near-red stay, whichever way the surface's rows are stored. The direct way must give what the
// pixel-by-pixel rule gives.
TEST(PanelMarks, BothWaysFollowTheRule) {
    const MarkColors slider{[] { return RGB(12, 34, 56); }, [] { return RGB(78, 90, 12); }}, plain{slider.black, nullptr};
    const COLORREF palette[] = {0x000000, 0x0000FF, 0xFF00FF, 0x808080, 0xFFFFFF, 0x010000, 0x0000FE};
    const int w = 12, h = 9;  // each colour in every row and column
    std::vector<COLORREF> panel(w * h);
    for (int n = 0; n < w * h; ++n) panel[size_t(n)] = palette[(n + n / w) % 7];
    for (int inset : {0, 2})  // the panel's own bounds (x1 = width lies outside), the slider's
        for (const MarkColors* colors : {&slider, &plain})
            for (int way = 0; way < 4; ++way) {  // direct or per pixel, rows top-down or bottom-up
                Surface s(w, h, panel, way % 2);
                (way < 2 ? RecolorMarks : RecolorMarksPerPixel)(s.dc, w - inset, h - inset, *colors);
                for (int n = 0; n < w * h; ++n) {
                    const int x = n % w, y = n / w;
                    const COLORREF was = panel[size_t(n)], red = colors->red ? RGB(78, 90, 12) : kRed;
                    const bool in = x >= 2 && y >= 2 && x <= w - inset && y <= h - inset;
                    ASSERT_EQ(s.At(x, y), !in ? was : was == 0 ? RGB(12, 34, 56) : was == kRed ? red : was) << inset << way << " " << n;
                }
            }
}

TEST(PaintTransparentPicture, KeyColourShowsTheDestinationAndNothingIsLeftBehind) {
    Surface dest(6, 4, {kGreen});
    modDraw::PaintTransparentPicture(dest.dc, 1, 1, 3, 2, Surface(3, 2, {kMagenta}).AsPicture(), 0, 0, 0xFF00FF);
    // Without magenta: copied as it is, at its place only.
    Picture solid = Surface(2, 2, {kRed, kBlue, kWhite, 0}).AsPicture();
    modDraw::PaintTransparentPicture(dest.dc, 3, 1, 2, 2, solid, 0, 0, 0xFF00FF);
    // The 2 x 1 part from (1, 1); its magenta pixel is see-through.
    modDraw::PaintTransparentPicture(dest.dc, 0, 0, 2, 1, Surface(3, 2, {kRed, kRed, kRed, kMagenta, kBlue, kMagenta}).AsPicture(),
                                     1, 1, 0xFF00FF);
    // A system colour as the key is resolved first.
    modDraw::PaintTransparentPicture(dest.dc, 0, 3, 2, 1, Surface(2, 1, {GetSysColor(COLOR_BTNFACE), kRed}).AsPicture(), 0, 0,
                                     static_cast<int32_t>(0x80000000 | COLOR_BTNFACE));
    modDraw::PaintTransparentPicture(dest.dc, 0, 0, 6, 4, Picture(), 0, 0, 0xFF00FF);  // no picture: nothing
    const COLORREF G = kGreen, want[24] = {kBlue, G, G, G, G, G,  G, G, G, kRed, kBlue, G,
                                           G, G, G, kWhite, 0, G, G, kRed, G, G, G, G};
    for (int n = 0; n < 24; ++n) EXPECT_EQ(dest.At(n % 6, n / 6), want[n]) << n % 6 << "," << n / 6;
}

TEST(PaintTransparentPicture, IconsDisabledLookAndBitmapsAsPictures) {
    // A 32 x 32 icon, opaque red on its left half only.
    std::vector<BYTE> andBits(32 * 4), xorBits(32 * 32 * 4);
    for (int y = 0; y < 32; ++y) {
        andBits[size_t(y * 4 + 2)] = andBits[size_t(y * 4 + 3)] = 0xFF;
        for (int x = 0; x < 16; ++x) xorBits[size_t((y * 32 + x) * 4 + 2)] = 0xFF;
    }
    Surface dest(40, 40, {kGreen});
    modDraw::PaintTransparentPicture(dest.dc, 4, 4, 32, 32, Picture::FromIcon(CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 32,
                                     andBits.data(), xorBits.data())), 0, 0, 0xFF00FF);
    EXPECT_TRUE(dest.At(5, 10) == kRed && dest.At(30, 10) == kGreen);
    // Greyed from memory: light grey turns white in the 17 x 17 corner only, the rest and blue take
    // the system's shadow, magenta stays see-through; no file is written.
    TempDir dir;
    SetProgramFolder(dir.Path());
    std::vector<COLORREF> px(19 * 19, 0xC0C0C0);
    px[3 * 19 + 3] = kBlue, px.back() = kMagenta;
    Surface white(21, 21, {kWhite});
    const Picture grey = Surface(19, 19, px).AsPicture();
    modDraw::PaintTransparentPicture(white.dc, 1, 1, 19, 19, grey, 0, 0, 0xFF00FF, nullptr, true);
    const int gdi = CountGdiObjects();  // counted after the first call warmed the system's caches
    modDraw::PaintTransparentPicture(white.dc, 1, 1, 19, 19, grey, 0, 0, 0xFF00FF, nullptr, true);
    EXPECT_EQ(CountGdiObjects(), gdi);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const std::tuple<int, int, COLORREF> at[] = {{0, 0, kWhite},  {17, 17, kWhite}, {18, 17, shadow}, {17, 18, shadow},
                                                 {4, 4, shadow},  {19, 1, shadow},  {19, 19, kWhite}};
    for (auto [x, y, want] : at) EXPECT_EQ(white.At(x, y), want) << x << "," << y;
    EXPECT_FALSE(PathExists(dir / "tmp.dax"));
    SetProgramFolder("");
    HBITMAP bmp = CreateBitmap(4, 3, 1, 32, nullptr);
    EXPECT_TRUE(modDraw::BitmapToPicture(bmp).AsBitmap() == bmp);
    EXPECT_EQ(GetObjectType(bmp), 0u) << "released with the picture";
}
}  // namespace
