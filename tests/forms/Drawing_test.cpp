#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <utility>

#include "AppError.h"
#include "BmpFile.h"
#include "Form.h"
#include "ObjectCounts.h"
#include "PictureBox.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "Twips.h"
#include "resource.h"

namespace {

constexpr int32_t kWhite = 0xFFFFFF, kBlack = 0, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF;

TEST(Twips, ConversionsRoundToNearest) {
    // 7 twips are 0.47 pixel at 96 dpi, 8 twips 0.53; 10 points at 120 dpi are 16.67 pixels.
    const std::pair<int32_t, int32_t> cases[] = {
        {TwipsPerPixelAt(96), 15}, {TwipsPerPixelAt(120), 12}, {TwipsToPixelsAt(7, 96), 0}, {TwipsToPixelsAt(8, 96), 1},
        {TwipsToPixelsAt(-8, 96), -1}, {PixelsToTwipsAt(7, 144), 70}, {PixelsToTwipsAt(400, 96), 6000},
        {PointsToFontHeight(8.25, 96), -11}, {PointsToFontHeight(72, 96), -96}, {PointsToFontHeight(10, 120), -17}};
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

class PictureBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Load();
        box.Create(form, 0, 0, 40, 30);
        box.SetBackColor(kWhite);
    }
    // Pixels of a colour in [x1, x2) x [y1, y2).
    int Count(int32_t c, int x1, int y1, int x2, int y2) {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += box.Point(x, y) == c;
        return n;
    }
    int CountAll(int32_t c) { return Count(c, 0, 0, 40, 30); }
    Form form{"frmDraw"};
    PictureBox box{"picDraw"};
};

// Resizing, drawing and a box that goes hold no GDI object.
TEST_F(PictureBoxTest, DrawingPaintsExactPixelsLeaksNothingImageIsASnapshotAndPicturesPaintFromSourceRectangles) {
    const int gdi = CountGdiObjects();
    for (int width : {60, 20, 40}) box.Move(0, 0, width, width - 10);
    { PictureBox gone("picGone"); gone.Create(form, 0, 0, 10, 10); }
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
    box.PSet(3, 4, kRed);
    EXPECT_EQ(box.Point(3, 4), kRed);
    EXPECT_EQ(CountAll(kRed), 1);

    box.Line(0, 10, 5, 10, kBlue);
    EXPECT_EQ(Count(kBlue, 0, 10, 40, 11), 5) << "the end pixel stays unpainted";
    EXPECT_EQ(box.CurrentX, 5);

    // Both corners belong to a box, drawn either way round.
    box.Line(14, 13, 10, 20, kGreen, PictureBox::LineKind::Box);
    EXPECT_EQ(CountAll(kGreen), 2 * 5 + 2 * 6);
    EXPECT_EQ(box.Point(14, 20), kGreen);
    box.Line(30, 20, 32, 21, kBlack, PictureBox::LineKind::FilledBox);
    EXPECT_EQ(Count(kBlack, 30, 20, 33, 22), 3 * 2);
    EXPECT_EQ(CountAll(kBlack), 3 * 2);

    for (POINT out : {POINT{-1, 0}, POINT{40, 0}, POINT{0, 30}}) EXPECT_EQ(box.Point(out.x, out.y), -1);

    box.SetBackColor(kYellow);
    EXPECT_EQ(CountAll(kYellow), 40 * 30) << "a new back colour clears";
    EXPECT_EQ(box.CurrentX, 0);

    box.SetForeColor(kBlack);
    box.CurrentX = 2;
    box.CurrentY = 3;
    const int w = box.TextWidth("WW"), h = box.TextHeight("WW");
    ASSERT_GT(w, 4);
    box.Print("WW");
    // The DC's default background is white: an opaque print would show it.
    EXPECT_EQ(CountAll(kWhite), 0);
    EXPECT_GT(Count(kBlack, 2, 3, 2 + w, 3 + h), 4);
    EXPECT_EQ(Count(kYellow, 0, 0, 40, 3) + Count(kYellow, 0, 3, 2, 30), 40 * 3 + 2 * 27);
    EXPECT_EQ(box.CurrentX, 0);
    EXPECT_EQ(box.CurrentY, 3 + h);

    EXPECT_EQ(CountGdiObjects(), gdi);

    // Image is a snapshot; pictures paint from source rectangles.
    box.SetBackColor(kWhite);
    box.PSet(0, 0, kRed);
    Picture snapshot = box.Image();
    EXPECT_EQ(std::pair(snapshot.Width(), snapshot.Height()), std::pair(40, 30));
    box.PSet(0, 0, kBlue);
    box.SetPicture(snapshot);
    EXPECT_EQ(box.Point(0, 0), kRed);
    EXPECT_EQ(box.Point(1, 0), kWhite);

    TempDir dir;
    WriteBytes(dir / "q.bmp", BmpFile(2, 2, {kRed, kBlue, kGreen, kYellow}));
    Picture quad = Picture::LoadBitmapFile(dir / "q.bmp");
    box.SetPicture(Picture());
    box.PaintPicture(quad, 5, 5, -1, -1, 1, 1, 1, 1);
    EXPECT_EQ(box.Point(5, 5), kYellow);
    EXPECT_EQ(Count(kWhite, 4, 4, 7, 7), 8);

    box.PaintPicture(quad, 10, 10, 4, 4);
    for (auto [c, x, y] : {std::tuple{kRed, 10, 10}, {kBlue, 12, 10}, {kGreen, 10, 12}, {kYellow, 12, 12}})
        EXPECT_EQ(Count(c, x, y, x + 2, y + 2), 4) << c;
    EXPECT_EQ(Count(kWhite, 9, 9, 15, 15), 36 - 16);
}

}  // namespace
