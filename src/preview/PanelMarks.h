// The recolouring of a preview panel's template marks: every pure black pixel of the
// composed panel takes the mark colour, and on the slider every pure red one the red
// mark colour; rows and columns 0 and 1 never change.
#pragma once

#include <windows.h>

#include <functional>

struct MarkColors {
    std::function<COLORREF()> black;  // read for each pixel set
    std::function<COLORREF()> red;    // empty: red pixels stay
};

// The rule as written: x = 2..x1 outer, y = 2..y1 inner, one GetPixel per pixel and a
// SetPixel per mark. Points outside the surface read as no colour and are left alone.
void RecolorMarksPerPixel(HDC dc, int x1, int y1, const MarkColors& colors);

// The same result read and written straight in the surface's 32-bit pixels; any other
// surface goes the per-pixel way.
void RecolorMarks(HDC dc, int x1, int y1, const MarkColors& colors);
