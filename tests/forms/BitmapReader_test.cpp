#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "AppError.h"
#include "BitmapFile.h"
#include "PromptScript.h"

namespace {

std::string Le(uint32_t v, int bytes = 4) {
    std::string s;
    for (; bytes > 0; --bytes, v >>= 8) s += char(v & 0xFF);
    return s;
}
std::string B(std::initializer_list<uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }
std::string Masks(uint32_t r, uint32_t g, uint32_t b) { return Le(r) + Le(g) + Le(b); }

struct Head {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression = BI_RGB, size = 40, colorsUsed = 0;
};

// The 14-byte file header, the header's usual fields (the core ones for size 12), then `rest`:
// the rest of a larger header, masks, palette and pixels, as given.
std::string File(const Head& h, uint32_t dataAt, const std::string& rest) {
    const std::string info = h.size == 12
        ? Le(12) + Le(h.width, 2) + Le(h.height, 2) + Le(1, 2) + Le(h.bits, 2)
        : Le(h.size) + Le(h.width) + Le(h.height) + Le(1, 2) + Le(h.bits, 2) + Le(h.compression) + std::string(12, '\0') +
              Le(h.colorsUsed) + Le(0);
    return "BM" + Le(uint32_t(14 + info.size() + rest.size())) + Le(0) + Le(dataAt) + info + rest;
}

int ErrorOf(const std::string& file) { return Raised([&] { ParseBitmapFile(file, file.size()); }).Number(); }

std::vector<uint8_t> Decode(const std::string& file) {
    const BitmapFileLayout l = ParseBitmapFile(file, file.size());
    std::vector<uint8_t> out(l.outStride * uint64_t(l.height));
    DecodeBitmapPixels(reinterpret_cast<const uint8_t*>(file.data()) + l.dataAt, l, out.data());
    return out;
}

// One pixel in each file; each refused one differs from the accepted one above it in its masks alone.
TEST(BitmapReader, BitFieldMasksAreOneRunEachApartAndFitThePixel) {
    const std::string px16 = B({0x12, 0x34, 0, 0}), px32 = B({1, 2, 3, 0});
    const std::string v4Rest(56, '\0'), v5Rest(72, '\0');
    const struct {
        std::string file;
        uint32_t masks[3];
        int error;
    } cases[] = {
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0xF800, 0x07E0, 0x001F) + px16), {0xF800, 0x07E0, 0x001F}, 0},
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0xF800, 0, 0x001F) + px16), {}, 481},
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0xF800, 0x0FE0, 0x001F) + px16), {}, 481},   // overlaps red
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0x1F000, 0x07E0, 0x001F) + px16), {}, 481},  // bit 16
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0x1F0000, 0x07E0, 0x001F) + px16), {}, 481},
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0x7C00, 0x03E0, 0x001F) + px16), {0x7C00, 0x03E0, 0x001F}, 0},
        {File({1, 1, 16, BI_BITFIELDS}, 66, Masks(0x7C00, 0x03E0, 0x0015) + px16), {}, 481},   // not one run
        {File({1, 1, 32, BI_BITFIELDS}, 66, Masks(0xFF0000, 0xFF00, 0xFF) + px32), {0xFF0000, 0xFF00, 0xFF}, 0},
        {File({1, 1, 32, BI_BITFIELDS}, 66, Masks(0xFF0000, 0xFF00, 0x0F00000F) + px32), {}, 481},
        {File({1, 1, 32, BI_BITFIELDS}, 66, Masks(0xFF0000, 0x1FF00, 0xFF) + px32), {}, 481},
        {File({1, 1, 32, BI_BITFIELDS}, 66, Masks(0, 0xFF00, 0xFF) + px32), {}, 481},
        {File({1, 1, 32, BI_BITFIELDS}, 66, Masks(0x1F0000, 0x07E0, 0x001F) + px32), {0x1F0000, 0x07E0, 0x001F}, 0},
        // Inside a larger header, where nothing follows the header.
        {File({1, 1, 16, BI_BITFIELDS, 108}, 122, Masks(0x7C00, 0x03E0, 0x001F) + v4Rest + px16), {0x7C00, 0x03E0, 0x001F}, 0},
        {File({1, 1, 16, BI_BITFIELDS, 108}, 122, Masks(0x7C00, 0x07E0, 0x001F) + v4Rest + px16), {}, 481},
        {File({1, 1, 32, BI_BITFIELDS, 124}, 138, Masks(0xFF, 0xFF00, 0xFF0000) + v5Rest + px32), {0xFF, 0xFF00, 0xFF0000}, 0},
        {File({1, 1, 32, BI_BITFIELDS, 124}, 138, Masks(0xFF, 0, 0xFF0000) + v5Rest + px32), {}, 481},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        BitmapFileLayout l;
        const int error = Raised([&] { l = ParseBitmapFile(cases[i].file, cases[i].file.size()); }).Number();
        EXPECT_EQ(error, cases[i].error) << i;
        if (error == 0) {
            EXPECT_EQ(std::vector<uint32_t>(l.masks, l.masks + 3), std::vector<uint32_t>(cases[i].masks, cases[i].masks + 3)) << i;
        }
    }
}

// Eight pixels in one row: out holds two a byte, the left one high.
TEST(BitmapReader, Rle4PixelsComeHighNibbleFirst) {
    const struct {
        std::string data;
        std::vector<uint8_t> out;
    } cases[] = {
        {B({3, 0x12, 0, 1}), {0x12, 0x10, 0x00, 0x00}},
        {B({1, 0x34, 3, 0x12, 0, 1}), {0x31, 0x21, 0x00, 0x00}},  // a run from an odd pixel
        {B({8, 0x5A, 0, 1}), {0x5A, 0x5A, 0x5A, 0x5A}},
        {B({0, 5, 0x12, 0x34, 0x50, 0, 0, 1}), {0x12, 0x34, 0x50, 0x00}},  // absolute, padded to a word
        {B({1, 0x60, 0, 3, 0x12, 0x30, 0, 1}), {0x61, 0x23, 0x00, 0x00}},
        {B({0, 4, 0xAB, 0xCD, 0, 1}), {0xAB, 0xCD, 0x00, 0x00}},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Decode(File({8, 1, 4, BI_RLE4}, 118, std::string(64, '\0') + cases[i].data)), cases[i].out) << i;
}

// Two pixels a file, out as blue, green, red, 0; bits outside the masks are ignored.
TEST(BitmapReader, ChannelsOfAnyWidthScaleToEightBits) {
    const struct {
        std::string file;
        std::vector<uint8_t> out;
    } cases[] = {
        // 5-5-5: r 0x10 g 0x0F b 0x01, then r 0x0F g 0x01 b 0x10 with the top bit set.
        {File({2, 1, 16}, 54, B({0xE1, 0x41, 0x30, 0xBC})), {0x08, 0x7B, 0x84, 0, 0x84, 0x08, 0x7B, 0}},
        // 5-6-5: r 0x10 g 0x20 b 0x0F, then r 0x0F g 0x1F b 0x10.
        {File({2, 1, 16, BI_BITFIELDS}, 66, Masks(0xF800, 0x07E0, 0x001F) + B({0x0F, 0x84, 0xF0, 0x7B})),
         {0x7B, 0x82, 0x84, 0, 0x84, 0x7D, 0x7B, 0}},
        // 3-3-2 in the low byte: r 4 g 3 b 2 (high byte all ones), then r 3 g 4 b 1.
        {File({2, 1, 16, BI_BITFIELDS}, 66, Masks(0xE0, 0x1C, 0x03) + B({0x8E, 0xFF, 0x71, 0x00})),
         {0xAA, 0x6D, 0x92, 0, 0x55, 0x92, 0x6D, 0}},
        // 10-10-10: r 0x200 g 0x1FF b 0x155, then r 0x1FF g 0x200 b 0x003 with the top two bits set.
        {File({2, 1, 32, BI_BITFIELDS}, 66, Masks(0x3FF00000, 0x000FFC00, 0x000003FF) + B({0x55, 0xFD, 0x07, 0x20, 0x03, 0x00, 0xF8, 0xDF})),
         {0x55, 0x7F, 0x80, 0, 0x00, 0x80, 0x7F, 0}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Decode(cases[i].file), cases[i].out) << i;
}

// Each file loads at its right offset and is refused one byte before it, all else the same.
TEST(BitmapReader, PixelDataStartsAfterTheHeadersAndTheColourTable) {
    const std::string px = B({7, 8, 9, 0});
    const struct {
        Head head;
        std::string rest;
        uint32_t right;
    } cases[] = {
        {{1, 1, 24}, px, 54},
        {{1, 1, 24, BI_RGB, 12}, px, 26},
        {{1, 1, 8, BI_RGB, 40, 2}, B({1, 2, 3, 0, 4, 5, 6, 0}) + px, 62},
        {{1, 1, 4}, std::string(64, '\x11') + px, 118},
        {{1, 1, 8, BI_RGB, 12}, std::string(768, '\x22') + px, 794},  // 256 entries of 3 bytes
        {{1, 1, 32, BI_BITFIELDS}, Masks(0xFF0000, 0xFF00, 0xFF) + px, 66},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Head& h = cases[i].head;
        EXPECT_EQ(ErrorOf(File(h, cases[i].right, cases[i].rest)), 0) << i;
        EXPECT_EQ(ErrorOf(File(h, cases[i].right - 1, cases[i].rest)), 481) << i;
        if (cases[i].right > 14 + h.size) {
            EXPECT_EQ(ErrorOf(File(h, 14 + h.size - 1, cases[i].rest)), 481) << i << ": inside the header";
        }
    }
}

TEST(BitmapReader, PixelDataBeyondTheFileIsRefused) {
    const std::string rle = std::string(1024, '\0') + B({1, 5, 0, 1});  // 256 colours, then one pixel
    const struct {
        std::string file;
        int error;
    } cases[] = {
        {File({1, 1, 24}, 54, B({1, 2, 3, 0})), 0},
        {File({1, 1, 24}, 59, B({1, 2, 3, 0})), 481},  // the file has 58 bytes
        {File({1, 1, 24}, 0xFFFFFFFF, B({1, 2, 3, 0})), 481},
        {File({1, 1, 8, BI_RLE8}, 1078, rle), 0},
        {File({1, 1, 8, BI_RLE8}, 1083, rle), 481},
        {File({1, 1, 8, BI_RLE8}, 0x80000000, rle), 481},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(ErrorOf(cases[i].file), cases[i].error) << i;
}

}  // namespace
