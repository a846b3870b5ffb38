#include "BitmapFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "AppError.h"

namespace {

constexpr uint64_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12, kInfoHeader = 40, kMasksInHeader = 52, kLargestHeader = 124;

// The caller has made sure the bytes are there.
template <class T>
T Read(const void* bytes, uint64_t at) {
    T value{};
    std::memcpy(&value, static_cast<const char*>(bytes) + at, sizeof value);
    return value;
}

[[noreturn]] void Invalid() { throw AppError(ErrNo::InvalidPicture, ErrText::InvalidPicture); }

uint64_t Stride(uint64_t width, uint64_t bits) { return (width * bits + 31) / 32 * 4; }

bool OneRunOfBits(uint32_t mask) { return mask && std::has_single_bit((mask >> std::countr_zero(mask)) + 1); }

// A channel of any width scaled to 8 bits: its bits repeated, so all ones stays all ones.
uint8_t Channel(uint32_t value, uint32_t mask) {
    const int width = std::popcount(mask);
    const uint32_t v = (value & mask) >> std::countr_zero(mask);
    if (width >= 8) return static_cast<uint8_t>(v >> (width - 8));
    uint32_t wide = 0;
    int filled = 0;
    for (; filled < 8; filled += width) wide = (wide << width) | v;
    return static_cast<uint8_t>(wide >> (filled - 8));
}

std::string TooLargeText(const BitmapFileLayout& l) {
    const double mb = std::ceil(double(l.outStride) * double(l.height) / double(1 << 20));
    return "Picture too large: " + std::to_string(l.width) + " x " + std::to_string(l.height) + " pixels at " +
           std::to_string(l.outBits) + " bits need " + std::to_string(uint64_t(mb)) + " MB, more than the limit of " +
           std::to_string(kMaxPictureBytes >> 20) + " MB";
}

// Run-length data, from memory or fed a chunk at a time from a source, so that what is held
// stays small however long the file's data is.
class RunLengthInput {
public:
    RunLengthInput(const uint8_t* data, uint64_t size) : m_At(data), m_End(data + size) {}
    RunLengthInput(const BitmapDataSource& source, uint64_t size)
        : m_Source(&source), m_Left(size), m_Buffer(static_cast<size_t>(std::min<uint64_t>(size, kRunLengthChunk))) {
        m_At = m_End = m_Buffer.data();
    }
    // The next n bytes (at most kLongestOp); data that ends first is damaged.
    const uint8_t* Take(size_t n) {
        if (size_t(m_End - m_At) < n) Refill(n);
        const uint8_t* p = m_At;
        m_At += n;
        return p;
    }
    // Skips the encoded runs at hand, which the caller has no room for: up to an escape, or to
    // the end of what is held, where Take goes on. Gives how many it skipped.
    size_t SkipRuns() {
        const uint8_t* from = m_At;
        while (m_End - m_At >= 2 && m_At[0]) m_At += 2;
        return size_t(m_At - from) / 2;
    }

private:
    void Refill(size_t n) {
        if (!m_Source) Invalid();
        size_t filled = size_t(m_End - m_At);
        std::memmove(m_Buffer.data(), m_At, filled);
        while (filled < n && m_Left > 0) {
            const size_t got = (*m_Source)(m_Buffer.data() + filled,
                                           static_cast<size_t>(std::min<uint64_t>(m_Buffer.size() - filled, m_Left)));
            if (got == 0) break;
            filled += got, m_Left -= got;
        }
        m_At = m_Buffer.data(), m_End = m_At + filled;
        if (filled < n) Invalid();
    }

    static constexpr size_t kLongestOp = 2 + 256;  // an escape with 255 absolute bytes and their padding
    static_assert(kRunLengthChunk >= kLongestOp);
    const uint8_t *m_At = nullptr, *m_End = nullptr;
    const BitmapDataSource* m_Source = nullptr;
    uint64_t m_Left = 0;  // bytes the source has still to give
    std::vector<uint8_t> m_Buffer;
};

// The decoder counts its steps only for the tests: the program's own decoding counts into this.
struct NoSteps {
    void operator+=(uint64_t) {}
};

// Pixels that the data skips keep colour 0. A run is cut at its row's end in one step, and
// the data is read no further than the end of the picture or its last row. Steps: one per run
// or escape read or skipped, one per pixel put.
template <class Steps>
void DecodeRunLength(RunLengthInput& in, const BitmapFileLayout& l, uint8_t* out, Steps& steps) {
    const bool four = l.compression == BI_RLE4;
    const uint64_t width = uint64_t(l.width), height = uint64_t(l.height);
    uint64_t x = 0, y = 0;
    // The nibble of pixel i of a run, high one first.
    auto nibble = [](uint8_t byte, uint64_t i) { return uint8_t(i % 2 ? byte & 0x0F : byte >> 4); };
    auto put4 = [&](uint8_t* row, uint64_t at, uint8_t index) {
        uint8_t& p = row[at / 2];
        p = at % 2 ? uint8_t((p & 0xF0) | index) : uint8_t((p & 0x0F) | (index << 4));
    };
    while (y < height) {
        if (x >= width) steps += in.SkipRuns();
        const uint8_t* op = in.Take(2);
        steps += 1;
        const uint8_t count = op[0], value = op[1];
        uint8_t* row = out + y * l.outStride;
        if (count) {
            const uint64_t n = x < width ? std::min<uint64_t>(count, width - x) : 0;
            steps += n;
            if (n && !four) std::memset(row + x, value, size_t(n));  // n <= width
            for (uint64_t i = 0; four && i < n; ++i) put4(row, x + i, nibble(value, i));
            x += count;
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            const uint8_t* delta = in.Take(2);
            x += delta[0], y += delta[1];
        } else {
            const size_t bytes = four ? (value + 1) / 2 : value, padded = (bytes + 1) & ~size_t{1};
            const uint8_t* pixels = in.Take(padded);
            const uint64_t n = x < width ? std::min<uint64_t>(value, width - x) : 0;
            steps += n;
            if (n && !four) std::memcpy(row + x, pixels, size_t(n));
            for (uint64_t i = 0; four && i < n; ++i) put4(row, x + i, nibble(pixels[i / 2], i));
            x += value;
        }
    }
}

}  // namespace

bool BitmapFileLayout::RowsAsStored() const {
    if (compression == BI_RGB) return bits != 16;
    return compression == BI_BITFIELDS && bits == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
}

BITMAPINFOHEADER BitmapFileLayout::OutHeader() const {
    return BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, outBits, BI_RGB, 0, 0, 0,
                            DWORD(palette.size()), 0};
}

BitmapFileLayout ParseBitmapFile(const std::string& head, uint64_t fileSize) {
    const char* b = head.data();
    if (head.size() < kFileHeader + 4 || b[0] != 'B' || b[1] != 'M') Invalid();
    const uint32_t infoSize = Read<uint32_t>(b, kFileHeader);
    const bool core = infoSize == kCoreHeader;
    if ((!core && (infoSize < kInfoHeader || infoSize > kLargestHeader)) || head.size() < kFileHeader + infoSize)
        Invalid();

    BitmapFileLayout l;
    int64_t height;
    uint16_t planes;
    uint32_t sizeImage = 0, colorsUsed = 0;
    if (core) {  // no compression, no top-down rows, and 1, 4, 8 or 24 bits only
        l.width = Read<uint16_t>(b, 18), height = Read<uint16_t>(b, 20);
        planes = Read<uint16_t>(b, 22), l.bits = Read<uint16_t>(b, 24);
        if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 24) Invalid();
    } else {
        l.width = Read<int32_t>(b, 18), height = Read<int32_t>(b, 22);
        planes = Read<uint16_t>(b, 26), l.bits = Read<uint16_t>(b, 28);
        l.compression = Read<uint32_t>(b, 30), sizeImage = Read<uint32_t>(b, 34), colorsUsed = Read<uint32_t>(b, 46);
        if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 16 && l.bits != 24 && l.bits != 32) Invalid();
    }
    if (l.width <= 0 || height == 0 || height == INT32_MIN || planes != 1) Invalid();
    l.topDown = height < 0;
    l.height = static_cast<int32_t>(l.topDown ? -height : height);

    uint64_t tableAt = kFileHeader + infoSize;
    const bool runLength = l.compression == BI_RLE8 || l.compression == BI_RLE4;
    if (l.compression == BI_RGB) {
        if (l.bits == 16) l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
    } else if (runLength) {
        // Run-length rows are stored bottom-up only.
        if (l.bits != (l.compression == BI_RLE8 ? 8 : 4) || l.topDown) Invalid();
    } else if (l.compression == BI_BITFIELDS) {
        if (l.bits != 16 && l.bits != 32) Invalid();
        // Later headers hold the masks; after a 40-byte one they follow it.
        const bool after = infoSize < kMasksInHeader;
        const uint64_t at = after ? tableAt : kFileHeader + kInfoHeader;
        if (after) tableAt += 12;
        if (head.size() < at + 12) Invalid();
        uint32_t all = 0;
        for (int i = 0; i < 3; ++i) {
            const uint32_t m = l.masks[i] = Read<uint32_t>(b, at + 4 * i);
            if (!OneRunOfBits(m) || (m & all) || (l.bits == 16 && m > 0xFFFF)) Invalid();
            all |= m;
        }
    } else {
        Invalid();
    }

    if (l.bits <= 8) {
        const uint64_t full = uint64_t{1} << l.bits, count = colorsUsed ? colorsUsed : full, entry = core ? 3 : 4;
        if (count > full || head.size() < tableAt + count * entry) Invalid();
        l.palette.assign(size_t(full), RGBQUAD{});  // 256 at most
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = reinterpret_cast<const uint8_t*>(b + tableAt + i * entry);
            l.palette[i] = RGBQUAD{e[0], e[1], e[2], 0};
        }
        tableAt += count * entry;
    }
    // Pixels that would start inside the headers or the colour table.
    l.dataAt = Read<uint32_t>(b, 10);
    if (l.dataAt < tableAt || l.dataAt > fileSize) Invalid();

    const uint64_t rows = uint64_t(l.height), room = fileSize - l.dataAt;
    l.fileStride = Stride(uint64_t(l.width), l.bits);
    if (runLength) {
        l.dataBytes = sizeImage ? sizeImage : room;
        if (l.dataBytes > room) Invalid();
    } else {
        // Every stored row whole, the last one's padding too.
        if (l.fileStride > room / rows) Invalid();
        l.dataBytes = l.fileStride * rows;
    }
    l.outBits = l.bits == 16 ? 32 : l.bits;
    l.outStride = Stride(uint64_t(l.width), l.outBits);
    if (l.outStride > kMaxPictureBytes / rows) throw AppError(ErrNo::PictureTooLarge, TooLargeText(l));
    return l;
}

void DecodeBitmapPixels(const uint8_t* data, const BitmapFileLayout& l, uint8_t* out) {
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4) {
        RunLengthInput in(data, l.dataBytes);
        NoSteps none;
        return DecodeRunLength(in, l, out, none);
    }
    const bool asStored = l.RowsAsStored();
    for (int64_t r = 0; r < l.height; ++r) {
        const uint8_t* from = data + r * l.fileStride;
        uint8_t* to = out + (l.topDown ? l.height - 1 - r : r) * l.outStride;
        if (asStored) {
            std::memcpy(to, from, size_t(l.outStride));  // within the picture's size limit
            continue;
        }
        for (int32_t x = 0; x < l.width; ++x, to += 4) {
            const uint32_t v = l.bits == 16 ? Read<uint16_t>(from, 2 * x) : Read<uint32_t>(from, 4 * uint64_t(x));
            to[0] = Channel(v, l.masks[2]), to[1] = Channel(v, l.masks[1]), to[2] = Channel(v, l.masks[0]);
        }
    }
}

void DecodeRunLengthPixels(const BitmapDataSource& source, const BitmapFileLayout& l, uint8_t* out) {
    RunLengthInput in(source, l.dataBytes);
    NoSteps none;
    DecodeRunLength(in, l, out, none);
}

uint64_t RunLengthDecodeSteps(const uint8_t* data, const BitmapFileLayout& l, uint8_t* out) {
    RunLengthInput in(data, l.dataBytes);
    uint64_t steps = 0;
    DecodeRunLength(in, l, out, steps);
    return steps;
}
