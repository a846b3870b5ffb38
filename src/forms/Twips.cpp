#include "Twips.h"

#include <windows.h>

#include <cmath>

namespace {
constexpr int32_t kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72.0;

int32_t ScreenDpi(int index) {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, index);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}
}  // namespace

int32_t TwipsPerPixelAt(int32_t dpi) {
    return static_cast<int32_t>(std::lround(double(kTwipsPerInch) / dpi));
}
int32_t TwipsToPixelsAt(int32_t twips, int32_t dpi) {
    return static_cast<int32_t>(std::lround(double(twips) * dpi / kTwipsPerInch));
}
int32_t PixelsToTwipsAt(int32_t pixels, int32_t dpi) {
    return static_cast<int32_t>(std::lround(double(pixels) * kTwipsPerInch / dpi));
}
int32_t PointsToFontHeight(double points, int32_t dpi) {
    return -static_cast<int32_t>(std::lround(points * dpi / kPointsPerInch));
}

int32_t ScreenTwipsPerPixelX() { return TwipsPerPixelAt(ScreenDpi(LOGPIXELSX)); }
int32_t ScreenTwipsPerPixelY() { return TwipsPerPixelAt(ScreenDpi(LOGPIXELSY)); }
int32_t TwipsToPixelsX(int32_t twips) { return TwipsToPixelsAt(twips, ScreenDpi(LOGPIXELSX)); }
int32_t TwipsToPixelsY(int32_t twips) { return TwipsToPixelsAt(twips, ScreenDpi(LOGPIXELSY)); }
int32_t PixelsToTwipsX(int32_t pixels) { return PixelsToTwipsAt(pixels, ScreenDpi(LOGPIXELSX)); }
int32_t PixelsToTwipsY(int32_t pixels) { return PixelsToTwipsAt(pixels, ScreenDpi(LOGPIXELSY)); }

HFONT CreateScreenFont(const char* face, double points, bool bold) {
    return CreateFontA(PointsToFontHeight(points, ScreenDpi(LOGPIXELSY)), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0,
                       0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}
