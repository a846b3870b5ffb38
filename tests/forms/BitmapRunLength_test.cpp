#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "AppError.h"
#include "BitmapFile.h"
#include "PromptScript.h"

namespace {

using Bytes = std::vector<uint8_t>;

BitmapFileLayout RunLength(int width, int height, bool four, uint64_t dataBytes = 0) {
    BitmapFileLayout l;
    l.width = width, l.height = height, l.bits = l.outBits = four ? 4 : 8;
    l.compression = four ? BI_RLE4 : BI_RLE8, l.outStride = 4 * ((width * l.bits + 31) / 32), l.dataBytes = dataBytes;
    return l;
}

// Decoded from memory, or from a source that gives at most `piece` bytes a call.
Bytes Decode(const Bytes& data, BitmapFileLayout l, size_t piece = 0) {
    Bytes out(l.outStride * uint64_t(l.height));
    l.dataBytes = data.size();
    size_t at = 0;
    if (piece == 0) DecodeBitmapPixels(data.data(), l, out.data());
    else DecodeRunLengthPixels([&](uint8_t* to, size_t room) {
            const size_t n = std::min({room, piece, data.size() - at});
            std::memcpy(to, data.data() + at, n);
            return at += n, n;
        }, l, out.data());
    return out;
}

// Runs and absolute runs longer than their row are cut at its end; deltas skip; rows are
// bottom-up. Read whole or a byte or three at a time, the pixels are the same.
TEST(BitmapRunLength, RunsAreCutAtTheRowsEndAndPiecesOfDataDecodeAlike) {
    const struct { const char* what; BitmapFileLayout layout; Bytes data, want; } cases[] = {
        {"8 bits", RunLength(3, 3, false), {5, 7, 0, 0, /**/ 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, /**/ 0, 2, 1, 0, 1, 9, 255, 4, 0, 1},
         {7, 7, 7, 0, 1, 2, 3, 0, 0, 9, 4, 0}},
        {"4 bits", RunLength(5, 2, true), {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, /**/ 7, 0xAB, 0, 1}, {0x12, 0x13, 0x40, 0, 0xAB, 0xAB, 0xA0, 0}},
        {"4 bits from an odd pixel", RunLength(4, 1, true), {0, 2, 1, 0, 0, 5, 0xCD, 0xEF, 0x10, 0, 0, 1}, {0x0C, 0xDE, 0, 0}},
        {"a delta past the last row", RunLength(2, 2, false), {2, 6, 0, 2, 0, 9, 1, 1}, {6, 6, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        for (size_t piece : {0, 1, 3}) EXPECT_EQ(Decode(c.data, c.layout, piece), c.want) << c.what << ", piece " << piece;
    // Data that breaks off before the picture ends, in an escape, a delta or an absolute run.
    for (const Bytes& cut : {Bytes{5, 7, 0, 0}, Bytes{0}, Bytes{0, 2, 1}, Bytes{0, 5, 1, 2, 3, 4, 5}})
        for (size_t piece : {0, 1, 3})
            EXPECT_EQ(Raised([&] { Decode(cut, RunLength(3, 3, false), piece); }).Number(), 481) << cut.size();
}

// A 16 x 16 picture at the start of 4 GiB of data, with or without its end mark: read no
// further than a chunk of 64 KiB, the most held at a time.
TEST(BitmapRunLength, ReadsNoFurtherThanThePictureAndHoldsLittle) {
    for (bool endMark : {true, false}) {
        Bytes picture, out(16 * 16);
        for (uint8_t row = 0; row < 16; ++row) picture.insert(picture.end(), {16, row, 0, uint8_t(row == 15 && endMark)});
        uint64_t given = 0;
        size_t largest = 0;
        DecodeRunLengthPixels([&](uint8_t* to, size_t room) {
            largest = std::max(largest, room);
            for (size_t i = 0; i < room; ++i, ++given) to[i] = given < picture.size() ? picture[given] : 0;
            return room;
        }, RunLength(16, 16, false, uint64_t{4} << 30), out.data());
        EXPECT_TRUE(largest <= 65536 && given <= 65536) << largest << " " << given;
        EXPECT_TRUE(out[0] == 0 && out[16 * 7 + 3] == 7 && out[16 * 15 + 15] == 15) << endMark;
    }
}

// A run past its row's end costs one step, not one per pixel: on a one-pixel row, 10,000 runs
// of 255 pixels take as many steps as runs of 1 or 3, encoded and absolute, at both depths.
// Steps are the decoder's own count, one per run or escape and one per pixel put, so the test
// does not hang on the machine's speed.
TEST(BitmapRunLength, RunsPastTheRowsEndCostOneStepEach) {
    for (bool four : {false, true})
        for (bool absolute : {false, true})
            for (uint8_t pixels : {uint8_t(255), uint8_t(absolute ? 3 : 1)}) {
                Bytes data;
                const size_t bytes = size_t((four ? (pixels + 1) / 2 : pixels) + 1) & ~size_t{1};  // padded to a word
                for (int i = 0; i < 10000; ++i) {
                    if (absolute) data.insert(data.end(), {0, pixels}), data.resize(data.size() + bytes, 0x12);
                    else data.insert(data.end(), {pixels, 0x12});
                }
                data.insert(data.end(), {0, 1});
                BitmapFileLayout l = RunLength(1, 1, four, data.size());
                Bytes out(4);
                // 10,000 runs and the end mark, and the row's one pixel.
                EXPECT_EQ(RunLengthDecodeSteps(data.data(), l, out.data()), 10002u)
                    << (four ? "4" : "8") << " bits" << (absolute ? ", absolute" : "") << ", runs of " << int(pixels);
                EXPECT_EQ(out, (Bytes{uint8_t(four ? 0x10 : 0x12), 0, 0, 0}));
            }
    // Pixels put inside the row are counted one by one: two runs of 255 on a 300-pixel row put
    // 300, and with the end mark that is 303 steps.
    Bytes out(300);
    const Bytes wide = {255, 1, 255, 2, 0, 1};
    EXPECT_EQ(RunLengthDecodeSteps(wide.data(), RunLength(300, 1, false, wide.size()), out.data()), 303u);
    EXPECT_TRUE(out[0] == 1 && out[254] == 1 && out[255] == 2 && out[299] == 2);
}

// A 64-bit size that a 32-bit size_t cannot hold is refused, never cut short.
TEST(BitmapRunLength, SizesTooLargeForTheBuildAreRefusedNotCut) {
    EXPECT_EQ(SizeInMemory<uint32_t>(0xFFFFFFFFu), 0xFFFFFFFFu);
    for (uint64_t n : {uint64_t{1} << 32, ~uint64_t{0}})
        EXPECT_EQ(Raised([&] { SizeInMemory<uint32_t>(n); }).Number(), ERROR_NOT_ENOUGH_MEMORY) << n;
}

}  // namespace
