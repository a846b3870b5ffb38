#include <windows.h>

#include <gtest/gtest.h>

#include "AppError.h"
#include "BmpFile.h"
#include "Form.h"
#include "Gdi.h"
#include "PictureBox.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "resource.h"

namespace {

constexpr int32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kBlack = 0, kYellow = 0x00FFFF;

std::string Put(std::string b, size_t at, uint32_t v) {
    for (size_t k = 0; k < 4; ++k, v >>= 8) b[at + k] = char(v);
    return b;
}

class BitmapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Load();
        box.Create(form, 0, 0, 40, 30);
    }
    // The loaded bitmap's pixels, top row first, and what a picture box shows of it.
    static std::vector<int32_t> Pixels(const Picture& p) {
        MemoryDC dc;
        SelectGuard keep(dc.Get(), p.AsBitmap());
        std::vector<int32_t> seen;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) seen.push_back(int32_t(GetPixel(dc.Get(), x, y)));
        return seen;
    }
    std::vector<int32_t> Shown(const Picture& p) {
        box.SetPicture(p);
        std::vector<int32_t> seen;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) seen.push_back(box.Point(x, y));
        return seen;
    }
    TempDir dir;
    Form form{"frmBitmaps"};
    PictureBox box{"picBitmaps"};
};

// Every header kind, bit depth, storage and row order the format allows, five pixels wide so
// rows carry padding and split bytes: the same colours whichever way they are stored.
TEST_F(BitmapFileTest, EveryStorageShowsTheFilesColours) {
    const std::vector<uint32_t> r5g6b5 = {0xF800, 0x07E0, 0x001F}, r4g4b4 = {0xF00, 0xF0, 0xF},
                                tenBits = {0x3FF00000, 0xFFC00, 0x3FF};
    std::vector<BmpFormat> formats;
    for (int header : {12, 40, 108, 124})
        for (int bits : {1, 4, 8, 16, 24, 32})
            for (bool topDown : {false, true}) {
                if (header == 12 && (topDown || bits == 16 || bits == 32)) continue;
                formats.push_back({bits, header, BI_RGB, topDown});
                if (bits == 16 || bits == 32) formats.push_back({bits, header, BI_BITFIELDS, topDown, bits == 16 ? (topDown ? r5g6b5 : r4g4b4) : topDown ? tenBits : std::vector<uint32_t>{}});
                if ((bits == 4 || bits == 8) && !topDown && header != 12) formats.push_back({bits, header, uint32_t(bits == 4 ? BI_RLE4 : BI_RLE8)});
            }
    const int32_t colors[] = {kRed, kWhite, kGreen, kBlue, kBlack, kYellow, 0xFF00FF, 0xFFFF00};
    for (const BmpFormat& f : formats) {
        SCOPED_TRACE(testing::Message() << f.bits << " bits, header " << f.header << ", compression " << f.compression
                                        << (f.topDown ? ", top-down" : ""));
        std::vector<int32_t> px;
        for (int i = 0; i < 15; ++i) px.push_back(colors[f.bits == 1 ? i % 3 % 2 : i * 5 % 8]);
        WriteBytes(dir / "p.bmp", BmpFile(5, 3, px, f));
        const Picture p = Picture::LoadBitmapFile(dir / "p.bmp");
        ASSERT_EQ(std::pair(p.Width(), p.Height()), std::pair(5, 3));
        EXPECT_EQ(Pixels(p), px);
        EXPECT_EQ(Shown(p), px);
    }
}

// Refused files, each with the reason it is refused for.
TEST_F(BitmapFileTest, DamagedAndOutsizedFilesAreRefusedForTheirReason) {
    const std::vector<int32_t> four(16, kRed);
    const std::string noPalette = Put(BmpFile(4, 4, four, {8}).erase(54, 4), 10, 54);  // 70 bytes
    const std::string padded = BmpFile(5, 3, std::vector<int32_t>(15, kGreen)), tiny = BmpFile(1, 1, {0}, {8, 40, BI_RLE8});
    const std::pair<std::string, int> files[] = {
        {"text, not a bitmap", 481}, {Put(noPalette, 46, 0x40000000), 481}, {Put(noPalette, 46, 0x40000001), 481},
        {Put(noPalette, 46, 0x80000000), 481}, {BmpFile(4, 4, four, {16, 12}), 481},
        {BmpFile(4, 4, four, {8, 40, BI_RLE8, true}), 481}, {BmpFile(4, 4, four, {4, 40, BI_RLE4, true}), 481},
        {padded.substr(0, padded.size() - 1), 481}, {Put(Put(tiny, 18, 16385), 22, 16384), 7},
        {Put(Put(tiny, 18, 16384), 22, 16384), 0}};
    for (const auto& [bytes, number] : files) {
        WriteBytes(dir / "bad.bmp", bytes);
        EXPECT_EQ(Raised([&] { Picture::LoadBitmapFile(dir / "bad.bmp"); }).Number(), number) << &bytes - &files[0].first;
    }
    WriteBytes(dir / "big.bmp", Put(Put(tiny, 18, 16385), 22, 16384));
    EXPECT_EQ(Raised([&] { Picture::LoadBitmapFile(dir / "big.bmp"); }).Description(),
              "Picture too large: 16385 x 16384 pixels at 8 bits need 257 MB, more than the limit of 256 MB");

    // 10,000 x 10,000 at one bit, 12.5 MB: the bottom row alone has colour 1.
    const std::string header = Put(Put(BmpFile(2, 1, {kBlue, kYellow}, {1}), 18, 10000), 22, 10000);
    WriteBytes(dir / "big.bmp", header + std::string(1252, '\x55') + std::string(1252 * 9999, '\0'));
    const Picture big = Picture::LoadBitmapFile(dir / "big.bmp");
    MemoryDC dc;
    SelectGuard keep(dc.Get(), big.AsBitmap());
    EXPECT_EQ(std::pair(big.Width(), big.Height()), std::pair(10000, 10000));
    EXPECT_EQ((std::vector<COLORREF>{GetPixel(dc.Get(), 0, 0), GetPixel(dc.Get(), 9999, 9998), GetPixel(dc.Get(), 0, 9999),
                                     GetPixel(dc.Get(), 1, 9999), GetPixel(dc.Get(), 9998, 9999), GetPixel(dc.Get(), 9999, 9999)}),
              (std::vector<COLORREF>{kBlue, kBlue, kBlue, kYellow, kBlue, kYellow}));
    DeleteFileA((dir / "big.bmp").c_str());
}

TEST_F(BitmapFileTest, FilesThatCannotBeOpenedGiveTheSystemsReason) {
    EXPECT_EQ(Raised([&] { Picture::LoadBitmapFile(dir / "none.bmp"); }).Number(), 53);
    EXPECT_EQ(Raised([&] { Picture::LoadBitmapFile(dir / "no folder\\none.bmp"); }).Number(), 53);
    EXPECT_EQ(Raised([&] { Picture::LoadBitmapFile(dir.Path()); }).Number(), 53);
    WriteBytes(dir / "held.bmp", BmpFile(2, 2, kRed));
    HANDLE held = CreateFileA((dir / "held.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const AppError error = Raised([&] { Picture::LoadBitmapFile(dir / "held.bmp"); });
    CloseHandle(held);
    EXPECT_EQ(error.Number(), 32) << "sharing violation";
    EXPECT_TRUE(error.Description() == "Sharing violation" || error.Description().find("another process") != std::string::npos)
        << error.Description();
    EXPECT_EQ(Shown(Picture::LoadBitmapFile(dir / "held.bmp")), std::vector<int32_t>(4, kRed));
}

TEST(Picture, CopiesShareOneHandleAndResourcesLoad) {
    TempDir dir;
    WriteBytes(dir / "ok.bmp", BmpFile(3, 2, {kRed, kGreen, kBlue, kWhite, kBlack, kYellow}));
    HGDIOBJ handle;
    {
        Picture p = Picture::LoadBitmapFile(dir / "ok.bmp");
        handle = p.AsBitmap();
        { Picture copy = p; EXPECT_EQ(copy.AsBitmap(), handle); }
        EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_BITMAP)) << "a copy going leaves the handle";
    }
    EXPECT_EQ(GetObjectType(handle), 0u) << "the last copy frees it";

    Picture icon = Picture::LoadIconResource(IDI_SAVED, 16);
    EXPECT_EQ(icon.GetKind(), Picture::Kind::Icon);
    EXPECT_EQ(icon.Height(), 16);
    Picture cursor = Picture::LoadCursorResource(IDC_EYE);
    EXPECT_NE(cursor.AsIcon(), nullptr);
    EXPECT_NE(Raised([] { Picture::LoadBitmapResource(9999); }).Number(), 0);
}

}  // namespace
