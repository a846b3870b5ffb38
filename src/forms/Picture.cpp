#include "Picture.h"

#include "AppError.h"
#include "Gdi.h"

Picture::Data::~Data() {
    switch (kind) {
    case Kind::Bitmap: DeleteObject(handle); break;
    case Kind::Icon: DestroyIcon(static_cast<HICON>(handle)); break;
    case Kind::Cursor: DestroyCursor(static_cast<HCURSOR>(handle)); break;
    case Kind::None: break;
    }
}

Picture::Picture(Kind kind, HANDLE handle) {
    if (handle) m_Data = std::shared_ptr<Data>(new Data{kind, handle});
}

Picture Picture::FromBitmap(HBITMAP bitmap) { return Picture(Kind::Bitmap, bitmap); }
Picture Picture::FromIcon(HICON icon) { return Picture(Kind::Icon, icon); }
Picture Picture::FromCursor(HCURSOR cursor) { return Picture(Kind::Cursor, cursor); }

namespace {
constexpr const char* kFileNotFound = "File not found";
constexpr const char* kInvalidPicture = "Invalid picture";
// Far beyond any skin bitmap; a header claiming more is not trusted with an allocation.
constexpr uint64_t kMaxBitmapPixels = uint64_t{1} << 26;

uint32_t Dword(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }
uint16_t Word(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
}  // namespace

bool BitmapHeaderFits(const std::string& head, uint64_t fileSize) {
    constexpr uint64_t kFileHeader = 14;
    if (head.size() < kFileHeader + 12 || head[0] != 'B' || head[1] != 'M') return false;
    const auto* b = reinterpret_cast<const unsigned char*>(head.data());
    const uint64_t offBits = Dword(b + 10), infoSize = Dword(b + 14);
    int64_t width, height;
    uint32_t bpp, compression = BI_RGB, colorsUsed = 0, entrySize = sizeof(RGBQUAD);
    if (infoSize == sizeof(BITMAPCOREHEADER)) {
        entrySize = sizeof(RGBTRIPLE);
        width = Word(b + 18), height = Word(b + 20), bpp = Word(b + 24);
    } else {
        if (infoSize < sizeof(BITMAPINFOHEADER) || head.size() < kFileHeader + sizeof(BITMAPINFOHEADER)) return false;
        width = static_cast<int32_t>(Dword(b + 18)), height = static_cast<int32_t>(Dword(b + 22));
        bpp = Word(b + 28), compression = Dword(b + 30), colorsUsed = Dword(b + 46);
    }
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > kMaxBitmapPixels) return false;
    const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (compression == BI_RLE8 ? bpp != 8 : compression == BI_RLE4 ? bpp != 4 : compression != BI_RGB && compression != BI_BITFIELDS)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    if (bpp <= 8 && colorsUsed > (1u << bpp)) return false;
    const uint64_t palette = uint64_t(colorsUsed ? colorsUsed : bpp <= 8 ? 1u << bpp : 0) * entrySize;
    const uint64_t masks = compression == BI_BITFIELDS && infoSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    // The pixels start after the headers, the masks and the palette, and inside the file.
    if (offBits < kFileHeader + infoSize + masks + palette || offBits > fileSize) return false;
    const uint64_t stride = (uint64_t(width) * bpp + 31) / 32 * 4;
    if (rle) return fileSize - offBits >= Dword(b + 34);  // the run data as the header sizes it
    return fileSize - offBits >= stride * uint64_t(height);
}

Picture Picture::LoadBitmapFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME)
            throw AppError(ErrNo::FileNotFound, kFileNotFound);
        throw Win32Error(code);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw AppError(ErrNo::FileNotFound, kFileNotFound);
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) RaiseLastError();
        LARGE_INTEGER size{};
        char head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
        DWORD read = 0;
        const bool ok = GetFileSizeEx(file, &size) && ReadFile(file, head, sizeof head, &read, nullptr);
        CloseHandle(file);
        if (!ok || !BitmapHeaderFits(std::string(head, read), static_cast<uint64_t>(size.QuadPart)))
            throw AppError(ErrNo::InvalidPicture, kInvalidPicture);
    }
    HANDLE h = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!h) throw AppError(ErrNo::InvalidPicture, kInvalidPicture);
    return FromBitmap(static_cast<HBITMAP>(h));
}

Picture Picture::LoadBitmapResource(int id) {
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                          LR_CREATEDIBSECTION);
    if (!h) RaiseLastError();
    return FromBitmap(static_cast<HBITMAP>(h));
}

Picture Picture::LoadIconResource(int id, int size) {
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size,
                          size ? 0 : LR_DEFAULTSIZE);
    if (!h) RaiseLastError();
    return FromIcon(static_cast<HICON>(h));
}

Picture Picture::LoadCursorResource(int id) {
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0,
                          LR_DEFAULTSIZE);
    if (!h) RaiseLastError();
    return FromCursor(static_cast<HCURSOR>(h));
}

namespace {
SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (!GetIconInfo(icon, &info)) return size;
    BITMAP bm{};
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
        size = {bm.bmWidth, bm.bmHeight};
    } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bm, &bm)) {
        size = {bm.bmWidth, bm.bmHeight / 2};
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}
}  // namespace

int Picture::Width() const {
    if (auto bmp = AsBitmap()) {
        BITMAP bm{};
        GetObjectA(bmp, sizeof bm, &bm);
        return bm.bmWidth;
    }
    if (auto icon = AsIcon()) return IconSize(icon).cx;
    return 0;
}

int Picture::Height() const {
    if (auto bmp = AsBitmap()) {
        BITMAP bm{};
        GetObjectA(bmp, sizeof bm, &bm);
        return bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    }
    if (auto icon = AsIcon()) return IconSize(icon).cy;
    return 0;
}

void Picture::Draw(HDC dc, int x, int y, int w, int h) const {
    if (auto bmp = AsBitmap()) {
        MemoryDC src;
        SelectGuard keep(src.Get(), bmp);
        const int sw = Width(), sh = Height();
        if (w > 0 && h > 0 && (w != sw || h != sh)) {
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, x, y, w, h, src.Get(), 0, 0, sw, sh, SRCCOPY);
        } else {
            BitBlt(dc, x, y, sw, sh, src.Get(), 0, 0, SRCCOPY);
        }
    } else if (auto icon = AsIcon()) {
        DrawIconEx(dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
    }
}

COLORREF ResolveColor(int32_t color) {
    if (color & kSysColorFlag) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color & 0xFFFFFF);
}
