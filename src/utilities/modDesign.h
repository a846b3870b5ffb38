// Colour text, colour channels, the gradient fill, keeping a window on top,
// and the program-state globals that several windows share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "File.h"

// Skin and program state.
extern std::string gSkinsFolder;
extern std::string gSkinName;
extern std::string gSkinFileName;
extern int32_t gPickColor;
extern bool gFirstRun;
extern bool gCopyBitmapToSkinFolder;
extern bool gUseDefault;
extern std::unique_ptr<File> gFile;
// Set by the folder browser's first file selection; the audio check runs from the next one.
extern bool gAudioCheckArmed;

// "0x" then blue, green and red as two upper-case hexadecimal digits each.
std::string ColorToHex(int32_t color);

// Reads the text written by ColorToHex: the first two characters are skipped,
// digits may be of either case, a pair that is not hexadecimal reads as 0.
int32_t HexToColor(const std::string& text);

// 0 to 255 for a two-digit hexadecimal text of either case, 0 for anything else.
int32_t HexByteValue(const std::string& text);

int16_t GetRed(int32_t color);
int16_t GetGreen(int32_t color);
int16_t GetBlue(int32_t color);

// Paints rect in bands from Color2 (bottom or right edge) toward Color1
// (top or left edge). A rectangle without extent along the gradient paints nothing.
void FillGradient(HDC hdc, const RECT& rect, int32_t Color1, int32_t Color2, bool Vertical);

void SetTopMost(HWND window, bool OnTop);
