#include "BmpFile.h"

#include <windows.h>

#include <algorithm>
#include <bit>

namespace {
void Put(std::string& b, size_t at, uint32_t v, size_t bytes) {
    for (size_t k = 0; k < bytes; ++k, v >>= 8) b[at + k] = char(v);
}
// An 8-bit channel value in a mask's bits.
uint32_t Scale(uint32_t c, uint32_t mask) { return (c * (mask >> std::countr_zero(mask)) + 127) / 255 << std::countr_zero(mask); }
}  // namespace

std::string BmpFile(int w, int h, const std::vector<int32_t>& pixels, const BmpFormat& f) {
    const bool core = f.header == 12, rle = f.compression == BI_RLE8 || f.compression == BI_RLE4, four = f.compression == BI_RLE4;
    std::vector<int32_t> palette;
    std::vector<uint32_t> index, m = f.masks;
    for (int32_t c : pixels) {
        index.push_back(uint32_t(std::find(palette.begin(), palette.end(), c) - palette.begin()));
        if (index.back() == palette.size()) palette.push_back(c);
    }
    palette.resize(f.bits > 8 ? 0 : core ? size_t(1) << f.bits : palette.size());
    if (m.empty()) m = f.bits == 16 ? std::vector<uint32_t>{0x7C00, 0x3E0, 0x1F} : std::vector<uint32_t>{0xFF0000, 0xFF00, 0xFF};
    const size_t stride = size_t(w * f.bits + 31) / 32 * 4, literal = (size_t(four ? (w + 1) / 2 : w) + 1) & ~size_t(1);
    std::string data(rle ? 0 : stride * size_t(h), '\0');
    for (size_t r = 0; r < size_t(h); ++r) {  // stored rows; run-length ones alternate runs (or skips) and literals
        const size_t row = (f.topDown ? r : h - 1 - r) * size_t(w);
        if (rle && r % 2 && w >= 3) data += std::string{0, char(w)} + std::string(literal, '\0');
        for (size_t x = 0, n = 1; x < size_t(w); x += n, n = 1) {
            const uint32_t c = uint32_t(pixels[row + x]), i = index[row + x], at = uint32_t(r * stride + x * f.bits / 8);
            if (rle && r % 2 && w >= 3) {
                data[data.size() - literal + (four ? x / 2 : x)] |= char(four && x % 2 == 0 ? i << 4 : i);
            } else if (rle) {
                while (x + n < size_t(w) && index[row + x + n] == i) ++n;
                data += i == 0 && r > 0 ? std::string{0, 2, char(n), 0} : std::string{char(n), char(four ? i * 17 : i)};  // skipped: colour 0
            } else if (f.bits <= 8) {
                data[at] |= char(i << (8 - f.bits - x * f.bits % 8));
            } else {
                Put(data, at, f.bits == 24 ? c >> 16 | (c & 0xFF00) | (c & 0xFF) << 16
                                           : Scale(GetRValue(c), m[0]) | Scale(GetGValue(c), m[1]) | Scale(GetBValue(c), m[2]), f.bits / 8);
            }
        }
        if (rle) data += std::string{0, char(r + 1 == size_t(h))};  // end of the row, or of the picture
    }
    std::string table, b(14 + size_t(f.header) + (f.compression == BI_BITFIELDS && f.header == 40 ? 12 : 0), '\0');
    for (int32_t c : palette) table += std::string{char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c)), 0}.substr(0, core ? 3 : 4);
    Put(b, 0, 0x4D42, 2), Put(b, 2, uint32_t(b.size() + table.size() + data.size()), 4), Put(b, 10, uint32_t(b.size() + table.size()), 4);
    const size_t n = core ? 2 : 4;  // bytes of the width and height
    Put(b, 14, f.header, 4), Put(b, 18, w, n), Put(b, 18 + n, f.topDown ? -h : h, n), Put(b, 18 + 2 * n, 1, 2), Put(b, 20 + 2 * n, f.bits, 2);
    if (!core) Put(b, 30, f.compression, 4), Put(b, 34, uint32_t(data.size()), 4), Put(b, 46, uint32_t(palette.size()), 4);
    for (size_t k = 0; f.compression == BI_BITFIELDS && k < 3; ++k) Put(b, 54 + 4 * k, m[k], 4);  // in or after the header
    return b + table + data;
}

std::string BmpFile(int w, int h, int32_t color) {
    return BmpFile(w, h, std::vector<int32_t>(static_cast<size_t>(w) * h, color));
}
