#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "AppError.h"
#include "BmpFile.h"
#include "Form.h"
#include "Gdi.h"
#include "ObjectCounts.h"
#include "PictureBox.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "resource.h"

namespace {

constexpr int32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kYellow = 0x00FFFF;

std::string Put(std::string b, size_t at, uint32_t v) { return b.replace(at, 4, reinterpret_cast<const char*>(&v), 4); }

class BitmapFileTest : public ::testing::Test {
protected:
    // Loads the bytes; the picture's pixels at the points, as the bitmap holds them and as a picture box shows them.
    std::vector<int32_t> Load(const std::string& bytes, const std::vector<POINT>& at) {
        WriteBytes(dir / "p.bmp", bytes);
        const Picture p = Picture::LoadBitmapFile(dir / "p.bmp");
        std::vector<int32_t> seen{p.Width(), p.Height()};
        box.SetPicture(p);  // drawn now, before the bitmap is selected below
        MemoryDC dc;
        SelectGuard keep(dc.Get(), p.AsBitmap());
        for (POINT pt : at) seen.push_back(int32_t(GetPixel(dc.Get(), pt.x, pt.y)));
        for (size_t i = 0; i < at.size() && p.Width() <= 40 && p.Height() <= 30; ++i) seen.push_back(box.Point(at[i].x, at[i].y));
        return seen;
    }
    void SetUp() override { form.Load(), box.Create(form, 0, 0, 40, 30); }
    TempDir dir;
    Form form{"frmBitmaps"};
    PictureBox box{"picBitmaps"};
};

// Every header, depth, storage and row order; five pixels wide, so rows carry padding and split bytes.
TEST_F(BitmapFileTest, EveryStorageShowsTheFilesColours) {
    const std::vector<uint32_t> r5g6b5 = {0xF800, 0x07E0, 0x001F}, r4g4b4 = {0xF00, 0xF0, 0xF}, tenBits = {0x3FF00000, 0xFFC00, 0x3FF};
    std::vector<BmpFormat> formats;
    for (int header : {12, 40, 108, 124})
        for (int bits : {1, 4, 8, 16, 24, 32})
            for (bool top : {false, true}) {
                if (header == 12 && (top || bits == 16 || bits == 32)) continue;
                formats.push_back({bits, header, BI_RGB, top});
                if (bits == 16 || bits == 32) formats.push_back({bits, header, BI_BITFIELDS, top, bits == 16 ? (top ? r5g6b5 : r4g4b4) : top ? tenBits : std::vector<uint32_t>{}});
                if ((bits == 4 || bits == 8) && !top && header != 12) formats.push_back({bits, header, uint32_t(bits == 4 ? BI_RLE4 : BI_RLE8)});
            }
    const int32_t colors[] = {kRed, kWhite, kGreen, kBlue, 0, kYellow, 0xFF00FF, 0xFFFF00};
    for (const BmpFormat& f : formats) {
        std::vector<int32_t> px, want{5, 3};
        std::vector<POINT> all;
        for (int i = 0; i < 15; ++i) px.push_back(colors[f.bits == 1 ? i % 3 % 2 : i * 5 % 8]), all.push_back({i % 5, i / 5});
        for (int pass = 0; pass < 2; ++pass) want.insert(want.end(), px.begin(), px.end());
        EXPECT_EQ(Load(BmpFile(5, 3, px, f), all), want) << f.bits << " bits, header " << f.header << ", compression " << f.compression << (f.topDown ? ", top-down" : "");
    }
}

// Damaged and outsized files, each with the error it must give, the largest that load, and files that can't be opened.
TEST_F(BitmapFileTest, RefusedFilesGiveTheirRealReason) {
    const std::vector<int32_t> four(16, kRed);
    const std::string noPalette = Put(BmpFile(4, 4, four, {8}).erase(54, 4), 10, 54);  // 70 bytes
    const std::string padded = BmpFile(5, 3, std::vector<int32_t>(15, kGreen)), tiny = BmpFile(1, 1, {0}, {8, 40, BI_RLE8});
    const std::pair<std::string, int> files[] = {
        {"text, not a bitmap", 481}, {Put(noPalette, 46, 0x40000000), 481}, {Put(noPalette, 46, 0x40000001), 481},
        {Put(noPalette, 46, 0x80000000), 481}, {BmpFile(4, 4, four, {16, 12}), 481}, {BmpFile(4, 4, four, {8, 40, BI_RLE8, true}), 481},
        {BmpFile(4, 4, four, {4, 40, BI_RLE4, true}), 481}, {padded.substr(0, padded.size() - 1), 481},
        {Put(Put(tiny, 18, 16385), 22, 16384), 7}, {Put(Put(tiny, 18, 16384), 22, 16384), 0}};
    for (size_t i = 0; i < std::size(files); ++i)
        EXPECT_EQ(Raised([&] { Load(files[i].first, {}); }).Number(), files[i].second) << i;
    EXPECT_EQ(Raised([&] { Load(Put(Put(tiny, 18, 16385), 22, 16384), {}); }).Description(),
              "Picture too large: 16385 x 16384 pixels at 8 bits need 257 MB, more than the limit of 256 MB");
    // 10,000 x 10,000 at one bit, 12.5 MB: the bottom row alone has colour 1 at every other pixel.
    const std::string big = Put(Put(BmpFile(2, 1, {kBlue, kYellow}, {1}), 18, 10000), 22, 10000) + std::string(1252, '\x55');
    EXPECT_EQ(Load(big + std::string(1252 * 9999, '\0'), {{0, 0}, {9999, 9998}, {0, 9999}, {1, 9999}, {9998, 9999}, {9999, 9999}}),
              (std::vector<int32_t>{10000, 10000, kBlue, kBlue, kBlue, kYellow, kBlue, kYellow}));
    // Files that can't be opened: the system's reason.
    for (const std::string& path : {dir / "none.bmp", dir / "no folder\\none.bmp", dir.Path()})
        EXPECT_EQ(Raised([&] { Picture::LoadBitmapFile(path); }).Number(), 53) << path;
    WriteBytes(dir / "p.bmp", BmpFile(2, 1, kRed));
    HANDLE held = CreateFileA((dir / "p.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const AppError error = Raised([&] { Picture::LoadBitmapFile(dir / "p.bmp"); });
    CloseHandle(held);
    EXPECT_TRUE(error.Number() == 32 && (error.Description() == "Sharing violation" || error.Description().find("another process") != std::string::npos))
        << error.Number() << " " << error.Description();
    EXPECT_EQ(Load(BmpFile(2, 1, kRed), {{1, 0}}), (std::vector<int32_t>{2, 1, kRed, kRed}));
}

// Run-length data is read as far as the picture uses it: 16 x 16 pixels at the start of a sparse
// 4 GiB file load without reading or holding the rest, and 255-pixel runs on a one-pixel row show it.
TEST_F(BitmapFileTest, RunLengthDataIsReadOnlyAsFarAsThePictureUsesIt) {
    std::vector<int32_t> px(256, kRed);
    px[0] = kGreen, px[255] = kBlue;
    const std::string sparse = Put(BmpFile(16, 16, px, {8, 40, BI_RLE8}), 34, 0);  // size-image 0: to the file's end
    HANDLE h = CreateFileA((dir / "big.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    LARGE_INTEGER end{};
    end.QuadPart = LONGLONG{4} << 30;
    const bool made = WriteFile(h, sparse.data(), DWORD(sparse.size()), &written, nullptr) &&
                      SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    ASSERT_TRUE(made);
    PROCESS_MEMORY_COUNTERS before{}, after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    const Picture big = Picture::LoadBitmapFile(dir / "big.bmp");
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    DeleteFileA((dir / "big.bmp").c_str());
    EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + (64 << 20));
    MemoryDC dc;
    {
        SelectGuard keep(dc.Get(), big.AsBitmap());
        EXPECT_EQ((std::vector<int32_t>{big.Width(), big.Height(), int32_t(GetPixel(dc.Get(), 0, 0)),
                                        int32_t(GetPixel(dc.Get(), 7, 9)), int32_t(GetPixel(dc.Get(), 15, 15))}),
                  (std::vector<int32_t>{16, 16, kGreen, kRed, kBlue}));
    }
    std::string runs = BmpFile(1, 1, {kYellow}, {8, 40, BI_RLE8});
    runs.resize(runs.size() - 2);  // before the end mark
    for (int i = 0; i < 1 << 20; ++i) runs += std::string{char(255), 0};
    EXPECT_EQ(Load(Put(runs + std::string{0, 1}, 34, 0), {{0, 0}}), (std::vector<int32_t>{1, 1, kYellow, kYellow}));
}

// Damaged at random in their headers or cut: each shows or is refused as damaged or too large, leaking nothing.
TEST_F(BitmapFileTest, RandomlyDamagedFilesShowOrAreRefusedAndLeakNothing) {
    const BmpFormat formats[] = {{24}, {8, 40, BI_RLE8}, {4, 108, BI_RLE4}, {1, 12}, {16, 124, BI_BITFIELDS, true}, {32, 40, BI_BITFIELDS}};
    const uint32_t field[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46}, value[] = {0, 1, 0xFFFF, 0x80000000, ~0u};
    std::mt19937 random(20261207);
    const int gdi = CountGdiObjects();
    for (int n = 0; n < 600; ++n) {
        std::vector<int32_t> px((1 + random() % 40) * (n % 6 == 4 ? 1200 : 30), random() % 2 ? kRed : kGreen);  // some past the first read
        std::string b = BmpFile(int(px.size() / 30), 30, px, formats[n % 6]);
        for (int edits = 1 + random() % 3; edits > 0; --edits)
            b = b.empty() ? b : random() % 3 == 0 ? b.substr(0, random() % b.size()) : b.size() < 50 ? b : Put(b, field[random() % 10], random() % 2 ? value[random() % 5] : random() % 64);
        const int32_t number = Raised([&] { Load(b, {}); }).Number();
        EXPECT_TRUE(number == 0 || number == 481 || number == 7) << n << ": " << number;
    }
    box.SetPicture(Picture());  // the last one shown
    EXPECT_EQ(CountGdiObjects(), gdi);
}

TEST_F(BitmapFileTest, PictureCopiesShareOneHandleAndResourcesLoad) {
    WriteBytes(dir / "ok.bmp", BmpFile(3, 2, kRed));
    auto p = std::make_unique<Picture>(Picture::LoadBitmapFile(dir / "ok.bmp"));
    const HGDIOBJ handle = p->AsBitmap();
    { Picture copy = *p; EXPECT_EQ(copy.AsBitmap(), handle); }
    EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_BITMAP)) << "a copy going leaves the handle";
    p.reset();
    EXPECT_EQ(GetObjectType(handle), 0u) << "the last copy frees it";
    Picture icon = Picture::LoadIconResource(IDI_SAVED, 16);
    EXPECT_TRUE(icon.GetKind() == Picture::Kind::Icon && icon.Height() == 16);
    EXPECT_NE(Picture::LoadCursorResource(IDC_EYE).AsIcon(), nullptr);
    EXPECT_NE(Raised([] { Picture::LoadBitmapResource(9999); }).Number(), 0);
}

}  // namespace
