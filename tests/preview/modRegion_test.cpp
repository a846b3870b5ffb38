#include <windows.h>

#include <gtest/gtest.h>

#include "AppError.h"
#include "BmpFile.h"
#include "Form.h"
#include "PictureBox.h"
#include "TempDir.h"
#include "modRegion.h"

namespace {
constexpr int32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

TEST(TileBackground, RepeatsFromTheTopLeftAndCutsAtTheEdges) {
    TempDir dir;
    // 3 x 2 tile: red green blue / white red green.
    WriteBytes(dir / "tile.bmp", BmpFile(3, 2, {kRed, kGreen, kBlue, kWhite, kRed, kGreen}));
    Form form{"frmTile"};
    form.Load();
    PictureBox target{"picTarget"}, source{"picSource"};
    target.Create(form, 5, 7, 10, 5);
    source.Create(form, 0, 0, 3, 2);
    source.SetPicture(Picture::LoadBitmapFile(dir / "tile.bmp"));
    TileBackground(target, source);
    const int32_t row0[3] = {kRed, kGreen, kBlue}, row1[3] = {kWhite, kRed, kGreen};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(target.Point(x, y), (y % 2 ? row1 : row0)[x % 3]) << x << "," << y;
    EXPECT_EQ(source.Point(0, 0), kRed) << "the source is only read";

    // A source with no picture leaves the target as it was.
    PictureBox empty{"picEmpty"};
    empty.Create(form, 0, 0, 3, 2);
    TileBackground(target, empty);
    EXPECT_EQ(target.Point(9, 4), kRed);

    // A target with no window is an error for the caller.
    PictureBox unmade{"picUnmade"};
    try {
        TileBackground(unmade, source);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), 91);
    }
}
}  // namespace
