#include "BmpFile.h"

#include <windows.h>

// Stored bottom-up with rows padded to four bytes.
std::string BmpFile(int w, int h, const std::vector<int32_t>& pixels) {
    const int stride = (w * 3 + 3) & ~3;
    const BITMAPFILEHEADER file{0x4D42, DWORD(54 + stride * h), 0, 0, 54};
    const BITMAPINFOHEADER info{40, w, h, 1, 24, BI_RGB, DWORD(stride * h), 0, 0, 0, 0};
    std::string b = std::string(reinterpret_cast<const char*>(&file), 14) +
                    std::string(reinterpret_cast<const char*>(&info), 40) + std::string(stride * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int32_t c = pixels[static_cast<size_t>(y * w + x)];
            char* at = &b[static_cast<size_t>(54 + (h - 1 - y) * stride + x * 3)];
            at[0] = char(GetBValue(c)), at[1] = char(GetGValue(c)), at[2] = char(GetRValue(c));
        }
    return b;
}

std::string BmpFile(int w, int h, int32_t color) {
    return BmpFile(w, h, std::vector<int32_t>(static_cast<size_t>(w) * h, color));
}
