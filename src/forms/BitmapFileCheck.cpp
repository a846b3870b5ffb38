#include "BitmapFileCheck.h"

#include <windows.h>

#include <cstring>

namespace {

template <class T>
T Read(const std::string& bytes, size_t at) {
    T value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

constexpr size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;
constexpr uint64_t kMaxBitmapPixels = uint64_t{1} << 26;

}  // namespace

bool IsWholeBitmapFile(const std::string& head, uint64_t fileSize) {
    if (head.size() < kFileHeader + kCoreHeader || head[0] != 'B' || head[1] != 'M') return false;
    const uint64_t offBits = Read<uint32_t>(head, 10);
    const uint32_t infoSize = Read<uint32_t>(head, kFileHeader);
    const bool core = infoSize == kCoreHeader;
    if (!core && (infoSize < 40 || infoSize > 124 || head.size() < kFileHeader + 40)) return false;

    int64_t width, height;
    uint16_t planes, bits;
    uint32_t compression = BI_RGB, sizeImage = 0, colorsUsed = 0;
    if (core) {
        width = Read<uint16_t>(head, 18);
        height = Read<uint16_t>(head, 20);
        planes = Read<uint16_t>(head, 22);
        bits = Read<uint16_t>(head, 24);
    } else {
        width = Read<int32_t>(head, 18);
        height = Read<int32_t>(head, 22);
        planes = Read<uint16_t>(head, 26);
        bits = Read<uint16_t>(head, 28);
        compression = Read<uint32_t>(head, 30);
        sizeImage = Read<uint32_t>(head, 34);
        colorsUsed = Read<uint32_t>(head, 46);
    }
    if (height < 0) height = -height;  // stored top row first
    if (width <= 0 || height <= 0 || planes != 1) return false;
    // Far beyond any skin bitmap; run-length data could claim it in a few bytes.
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBitmapPixels) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;

    // The colour table (or the three masks) lies between the header and the pixels.
    uint64_t table = 0;
    if (bits <= 8) table = (colorsUsed ? colorsUsed : (1u << bits)) * (core ? 3u : 4u);
    if (compression == BI_BITFIELDS && infoSize == 40) table = 12;
    // Pixels that would start inside the headers make the loader read far off.
    if (offBits < kFileHeader + infoSize + table || offBits > fileSize) return false;

    uint64_t pixels;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS:
        if (compression == BI_BITFIELDS && bits != 16 && bits != 32) return false;
        pixels = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4 * static_cast<uint64_t>(height);
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (bits != (compression == BI_RLE8 ? 8 : 4) || sizeImage == 0) return false;
        pixels = sizeImage;
        break;
    default: return false;
    }
    return offBits + pixels <= fileSize;
}

bool IsWholeBitmapFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    std::string head(kBitmapHeadBytes, '\0');
    DWORD got = 0;
    const bool read =
        GetFileSizeEx(file, &size) && ReadFile(file, head.data(), kBitmapHeadBytes, &got, nullptr);
    CloseHandle(file);
    if (!read) return false;
    head.resize(got);
    return IsWholeBitmapFile(head, static_cast<uint64_t>(size.QuadPart));
}
