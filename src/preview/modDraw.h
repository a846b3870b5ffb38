// Colour-keyed drawing: a picture laid over a surface with one colour see-through,
// a greyed variant, and a bitmap wrapped as a picture.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Picture.h"

namespace modDraw {

// The palette used when a caller passes none; nothing sets it.
extern HPALETTE gDefaultPalette;

// Draws the w x h part of the picture starting at (srcX, srcY) at (x, y), leaving the
// transparent colour's pixels of the destination as they were. Bitmaps and icons only.
// The pen colour is taken for the callers' sake and changes nothing.
void PaintTransparentPicture(HDC dest, int x, int y, int w, int h, const Picture& picture, int srcX,
                             int srcY, int32_t transparentColor, HPALETTE palette = nullptr,
                             bool disabled = false, int32_t penColor = 0);

// The colour-keyed copy between two DCs; the destination is written once.
void TransparentBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY,
                    int32_t transparentColor, HPALETTE palette = nullptr);

// The same, with the embossed greyed look; the shadow colour is not used.
void PaintDisabledPicture(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY,
                          int32_t transparentColor, int32_t shadowColor, HPALETTE palette = nullptr);

// The bitmap as a picture that owns it; the palette is not kept.
Picture BitmapToPicture(HBITMAP bitmap, HPALETTE palette = nullptr);

// A colour value, system colours included, as a plain colour (CLR_INVALID when it is none).
COLORREF TranslateColor(int32_t color, HPALETTE palette = nullptr);

}  // namespace modDraw
