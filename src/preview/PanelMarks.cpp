#include "PanelMarks.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr COLORREF kBlack = 0x000000, kPureRed = 0x0000FF;

// A colour as a 32-bit DIB stores it (blue in the low byte), with the top byte SetPixel leaves.
uint32_t DibValue(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
}  // namespace

void RecolorMarksPerPixel(HDC dc, int x1, int y1, const MarkColors& colors) {
    for (int x = 2; x <= x1; ++x)
        for (int y = 2; y <= y1; ++y) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == kBlack) SetPixel(dc, x, y, colors.black());
            else if (colors.red && c == kPureRed) SetPixel(dc, x, y, colors.red());
        }
}

void RecolorMarks(HDC dc, int x1, int y1, const MarkColors& colors) {
    DIBSECTION ds{};
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap || GetObjectA(bitmap, sizeof ds, &ds) != sizeof ds || ds.dsBm.bmBitsPixel != 32 ||
        !ds.dsBm.bmBits || ds.dsBmih.biCompression != BI_RGB) {
        RecolorMarksPerPixel(dc, x1, y1, colors);
        return;
    }
    const int w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
    auto* base = static_cast<uint8_t*>(ds.dsBm.bmBits);
    auto firstOfRow = [&](int row) { return reinterpret_cast<uint32_t*>(base + static_cast<size_t>(row) * ds.dsBm.bmWidthBytes); };
    // Which way the rows run is not told the same everywhere (the header's height may come
    // back positive for a top-down image): look where pixel (0, 0) lives.
    GdiFlush();  // pending drawing lands in the bits first
    const uint32_t keepFirst = *firstOfRow(0), keepLast = *firstOfRow(h - 1);
    const COLORREF probe = GetPixel(dc, 0, 0) ^ 0x010101;
    SetPixel(dc, 0, 0, probe);
    GdiFlush();
    const bool topDown = (*firstOfRow(0) & 0xFFFFFFu) == DibValue(probe);
    *firstOfRow(0) = keepFirst;
    *firstOfRow(h - 1) = keepLast;
    const uint32_t black = DibValue(colors.black());
    const uint32_t red = colors.red ? DibValue(colors.red()) : 0;
    const uint32_t dibRed = DibValue(kPureRed);
    // Rows first is the same result as the rule's columns first: each pixel is read and
    // written once, and a written pixel is never read again.
    for (int y = 2; y <= std::min(y1, h - 1); ++y) {
        uint32_t* row = firstOfRow(topDown ? y : h - 1 - y);
        for (int x = 2; x <= std::min(x1, w - 1); ++x) {
            const uint32_t rgb = row[x] & 0xFFFFFFu;
            if (rgb == 0) row[x] = black;
            else if (colors.red && rgb == dibRed) row[x] = red;
        }
    }
}
