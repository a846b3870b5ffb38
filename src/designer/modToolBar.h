// State shared with the toolbar and rebar wrappers.
#pragma once

#include <cstdint>

// The screen's twips per pixel, whole numbers, set when the designer window initialises.
extern int32_t gTwipsPerPixelX;
extern int32_t gTwipsPerPixelY;
