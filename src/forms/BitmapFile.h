// Reading bitmap files without the system's loader, which gets top-down rows and
// 12-byte headers wrong without a word. The file is checked strictly and its
// pixels are put into one normalised layout: bottom-up rows, a 40-byte header,
// a full palette for 1, 4 and 8 bits, and 24 or 32 bits otherwise.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The file's first bytes that the header check reads: small files whole.
constexpr size_t kBitmapHeadBytes = 64 * 1024;
// Pixel memory of one picture in the normalised layout; 8,000 x 8,000 at 32 bits fits.
constexpr uint64_t kMaxPictureBytes = uint64_t{256} << 20;

struct BitmapFileLayout {
    int32_t width = 0, height = 0;  // pixels, both positive
    bool topDown = false;
    uint16_t bits = 0;              // per pixel in the file
    uint32_t compression = BI_RGB;  // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    uint32_t masks[3] = {};         // red, green, blue of 16 and 32 bits
    uint64_t dataAt = 0, dataBytes = 0;
    uint64_t fileStride = 0;        // bytes of a stored row, uncompressed
    uint16_t outBits = 0;           // 1, 4, 8, 24 or 32
    uint64_t outStride = 0;
    std::vector<RGBQUAD> palette;   // 1 << outBits entries when outBits <= 8

    // Stored rows are already normalised rows (save for their order).
    bool RowsAsStored() const;
    BITMAPINFOHEADER OutHeader() const;
};

// head: the file's first kBitmapHeadBytes bytes, or the whole of a shorter file.
// Raises AppError 481 "Invalid picture" for a damaged or unknown file, and
// ErrNo::PictureTooLarge when the picture would need more than kMaxPictureBytes.
BitmapFileLayout ParseBitmapFile(const std::string& head, uint64_t fileSize);

// data: the layout's dataBytes; out: outStride x height zeroed bytes.
// Raises 481 for run-length data that breaks off.
void DecodeBitmapPixels(const uint8_t* data, const BitmapFileLayout& layout, uint8_t* out);

// Gives the next bytes of the pixel data, at most room of them at to; 0 when there are none.
using BitmapDataSource = std::function<size_t(uint8_t* to, size_t room)>;
// Run-length data held at a time, however long the file's data is.
constexpr size_t kRunLengthChunk = 64 * 1024;
// Run-length pixels as DecodeBitmapPixels decodes them, taking from source no more of the
// layout's dataBytes than the picture uses: it stops at the end of the picture or past its last row.
void DecodeRunLengthPixels(const BitmapDataSource& source, const BitmapFileLayout& layout, uint8_t* out);
// Decodes run-length data as DecodeBitmapPixels does and gives the steps taken, a measure of the
// work that does not hang on the machine's speed: one per run or escape read or skipped, and
// one per pixel put.
uint64_t RunLengthDecodeSteps(const uint8_t* data, const BitmapFileLayout& layout, uint8_t* out);
