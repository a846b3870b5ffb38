// Bitmap files made byte by byte, for tests that load pictures from disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A 24-bit bitmap file, pixels (0x00BBGGRR) given top row first.
std::string BmpFile(int w, int h, const std::vector<int32_t>& pixels);
// A w x h bitmap file of one colour.
std::string BmpFile(int w, int h, int32_t color);
