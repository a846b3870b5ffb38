#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "AppError.h"
#include "BitmapFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

BitmapFileLayout RunLength(int width, int height, bool four, uint64_t outStride, uint64_t dataBytes) {
    BitmapFileLayout l;
    l.width = width, l.height = height, l.bits = four ? 4 : 8, l.outBits = l.bits;
    l.compression = four ? BI_RLE4 : BI_RLE8, l.outStride = outStride, l.dataBytes = dataBytes;
    return l;
}

// Decoded from memory, or from a source that gives at most `piece` bytes a call.
Bytes Decode(const Bytes& data, const BitmapFileLayout& l, size_t piece = 0) {
    Bytes out(l.outStride * uint64_t(l.height));
    if (piece == 0) {
        DecodeBitmapPixels(data.data(), l, out.data());
        return out;
    }
    size_t at = 0;
    DecodeRunLengthPixels([&](uint8_t* to, size_t room) {
        const size_t n = std::min({room, piece, data.size() - at});
        std::memcpy(to, data.data() + at, n);
        at += n;
        return n;
    }, l, out.data());
    return out;
}

int32_t RaisedNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const AppError& e) {
        return e.Number();
    }
    return 0;
}

// Runs and absolute runs longer than their row are cut at its end; deltas skip; the rows of
// the picture are bottom-up. Read whole or a byte or three at a time, the pixels are the same.
TEST(BitmapRunLength, RunsAreCutAtTheRowsEndAndPiecesOfDataDecodeAlike) {
    const struct { const char* what; BitmapFileLayout layout; Bytes data, want; } cases[] = {
        {"8 bits", RunLength(3, 3, false, 4, 0),
         {5, 7, 0, 0, /**/ 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, /**/ 0, 2, 1, 0, 1, 9, 255, 4, 0, 1},
         {7, 7, 7, 0, 1, 2, 3, 0, 0, 9, 4, 0}},
        {"4 bits, encoded and absolute", RunLength(5, 2, true, 4, 0),
         {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, /**/ 7, 0xAB, 0, 1},
         {0x12, 0x13, 0x40, 0, 0xAB, 0xAB, 0xA0, 0}},
        {"4 bits from an odd pixel, cut inside a byte", RunLength(4, 1, true, 4, 0),
         {0, 2, 1, 0, 0, 5, 0xCD, 0xEF, 0x10, 0, 0, 1},
         {0x0C, 0xDE, 0, 0}},
        {"a delta past the last row ends it", RunLength(2, 2, false, 4, 0),
         {2, 6, 0, 2, 0, 9, 1, 1},
         {6, 6, 0, 0, 0, 0, 0, 0}},
    };
    for (auto c : cases) {
        c.layout.dataBytes = c.data.size();
        for (size_t piece : {0, 1, 3}) EXPECT_EQ(Decode(c.data, c.layout, piece), c.want) << c.what << ", piece " << piece;
    }
    // Data that breaks off before the picture ends, in an escape, a delta or an absolute run.
    for (const Bytes& cut : {Bytes{5, 7, 0, 0}, Bytes{0}, Bytes{0, 2, 1}, Bytes{0, 5, 1, 2, 3, 4, 5}})
        for (size_t piece : {0, 1, 3})
            EXPECT_EQ(RaisedNumber([&] { Decode(cut, RunLength(3, 3, false, 4, cut.size()), piece); }), 481) << cut.size();
}

// A 16 x 16 picture at the start of 4 GiB of data: read no further than its end, holding a
// chunk of 64 KiB at most, with or without the end-of-picture mark.
TEST(BitmapRunLength, ReadsNoFurtherThanThePictureAndHoldsLittle) {
    for (bool endMark : {true, false}) {
        Bytes picture;
        for (uint8_t row = 0; row < 16; ++row) picture.insert(picture.end(), {16, row, 0, uint8_t(row == 15 && endMark)});
        uint64_t given = 0;
        size_t largest = 0;
        Bytes out(16 * 16);
        DecodeRunLengthPixels([&](uint8_t* to, size_t room) {
            largest = std::max(largest, room);
            for (size_t i = 0; i < room; ++i, ++given) to[i] = given < picture.size() ? picture[given] : 0;
            return room;
        }, RunLength(16, 16, false, 16, uint64_t{4} << 30), out.data());
        EXPECT_LE(largest, 65536u);
        EXPECT_LE(given, 65536u);
        EXPECT_TRUE(out[0] == 0 && out[16 * 7 + 3] == 7 && out[16 * 15 + 15] == 15) << endMark;
    }
    size_t largest = 0;
    Bytes out(4), data{1, 5, 0, 1};
    DecodeRunLengthPixels([&](uint8_t* to, size_t room) {
        largest = std::max(largest, room);
        std::memcpy(to, data.data(), std::min(room, data.size()));
        return std::min(room, data.size());
    }, RunLength(1, 1, false, 4, 4), out.data());
    EXPECT_EQ(largest, 4u) << "no more asked for than the data holds";
}

// A run past its row's end costs one step, not one per pixel: 255-pixel runs on a one-pixel
// row decode about as fast as one-pixel runs, for encoded and absolute runs at both depths.
TEST(BitmapRunLength, RunsPastTheRowsEndCostOneStepEach) {
    auto fastest = [](const Bytes& data, const BitmapFileLayout& l) {
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            for (int k = 0; k < 10; ++k) Decode(data, l);
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return best;
    };
    for (bool four : {false, true})
        for (bool absolute : {false, true}) {
            Bytes longRuns, shortRuns;
            for (int i = 0; i < 10000; ++i) {  // a few MB: the data stays in the cache
                if (absolute) {
                    longRuns.insert(longRuns.end(), {0, 255}), longRuns.resize(longRuns.size() + (four ? 128 : 256), 0x11);
                    shortRuns.insert(shortRuns.end(), {0, 3}), shortRuns.resize(shortRuns.size() + (four ? 2 : 4), 0x11);
                } else {
                    longRuns.insert(longRuns.end(), {255, 0x11}), shortRuns.insert(shortRuns.end(), {1, 0x11});
                }
            }
            for (Bytes* d : {&longRuns, &shortRuns}) d->insert(d->end(), {0, 1});
            const double longTime = fastest(longRuns, RunLength(1, 1, four, 4, longRuns.size()));
            const double shortTime = fastest(shortRuns, RunLength(1, 1, four, 4, shortRuns.size()));
            EXPECT_LT(longTime, 4 * shortTime + 1e-4) << (four ? "4" : "8") << " bits" << (absolute ? ", absolute" : "")
                                                      << ": " << longTime << " s against " << shortTime << " s";
        }
}

// A 64-bit size that a 32-bit size_t cannot hold is refused, never cut short.
TEST(BitmapRunLength, SizesTooLargeForTheBuildAreRefusedNotCut) {
    EXPECT_EQ(SizeInMemory<uint32_t>(0xFFFFFFFFu), 0xFFFFFFFFu);
    for (uint64_t n : {uint64_t{1} << 32, (uint64_t{1} << 32) + 16, ~uint64_t{0}})
        EXPECT_EQ(RaisedNumber([&] { SizeInMemory<uint32_t>(n); }), ERROR_NOT_ENOUGH_MEMORY) << n;
    if constexpr (sizeof(size_t) == 8) {
        EXPECT_EQ(SizeInMemory(uint64_t{1} << 32), size_t(uint64_t{1} << 32));
    }
}

}  // namespace
