// Bitmap files made byte by byte, for tests that load pictures from disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a file stores its pixels; indexed files get a palette of their colours in order of first use.
struct BmpFormat {
    int bits = 24, header = 40;  // header 12, 40, 108 or 124 bytes
    uint32_t compression = 0;    // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    bool topDown = false;
    std::vector<uint32_t> masks = {};  // red, green, blue; 16 bits without them: 5-5-5
};
// Pixels (0x00BBGGRR) given top row first.
std::string BmpFile(int w, int h, const std::vector<int32_t>& pixels, const BmpFormat& format = {});
// A w x h bitmap file of one colour.
std::string BmpFile(int w, int h, int32_t color);
