// Twips, points and pixels.
#pragma once

#include <windows.h>

#include <cstdint>

// The screen's twips per pixel, rounded to whole numbers (15 at 96 dpi).
int32_t ScreenTwipsPerPixelX();
int32_t ScreenTwipsPerPixelY();

// Conversions at the screen's resolution; results rounded to the nearest whole unit.
int32_t TwipsToPixelsX(int32_t twips);
int32_t TwipsToPixelsY(int32_t twips);
int32_t PixelsToTwipsX(int32_t pixels);
int32_t PixelsToTwipsY(int32_t pixels);

// The same rules at a given resolution, for tests.
int32_t TwipsPerPixelAt(int32_t dotsPerInch);
int32_t TwipsToPixelsAt(int32_t twips, int32_t dotsPerInch);
int32_t PixelsToTwipsAt(int32_t pixels, int32_t dotsPerInch);
// A font height in pixels for a size in points (negative: character height).
int32_t PointsToFontHeight(double points, int32_t dotsPerInch);

// A screen font of a face and a size in points; the caller owns it.
HFONT CreateScreenFont(const char* face, double points, bool bold);
