#include "Picture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "AppError.h"
#include "BitmapFile.h"
#include "FileHandle.h"
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
void SetPosition(HANDLE file, uint64_t at) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(at);
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) RaiseLastError();
}

// What the file gives from where it stands, at most bytes of it.
size_t ReadSome(HANDLE file, void* to, size_t bytes) {
    DWORD got = 0;
    if (!ReadFile(file, to, static_cast<DWORD>(std::min<size_t>(bytes, 1u << 30)), &got, nullptr)) RaiseLastError();
    return got;
}

void ReadAt(HANDLE file, uint64_t at, void* to, uint64_t bytes) {
    SetPosition(file, at);
    for (auto* p = static_cast<char*>(to); bytes > 0;) {
        const size_t got = ReadSome(file, p, static_cast<size_t>(std::min<uint64_t>(bytes, 1u << 30)));
        if (got == 0) throw AppError(ErrNo::InvalidPicture, ErrText::InvalidPicture);
        p += got, bytes -= got;
    }
}
}  // namespace

Picture Picture::LoadBitmapFile(const std::string& path) {
    // Shared for reading only: nobody changes the file while it is read.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError(), attributes = GetFileAttributesA(path.c_str());
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME ||
            (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)))
            throw AppError(ErrNo::FileNotFound, ErrText::FileNotFound);
        throw Win32Error(code);
    }
    FileHandle file(h);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) RaiseLastError();
    const uint64_t fileSize = static_cast<uint64_t>(size.QuadPart);
    // Small files are read whole here, in one call.
    std::string head(static_cast<size_t>(std::min<uint64_t>(fileSize, kBitmapHeadBytes)), '\0');
    ReadAt(h, 0, head.data(), head.size());
    const BitmapFileLayout layout = ParseBitmapFile(head, fileSize);

    std::vector<char> info(sizeof(BITMAPINFOHEADER) + layout.palette.size() * sizeof(RGBQUAD));
    const BITMAPINFOHEADER header = layout.OutHeader();
    std::memcpy(info.data(), &header, sizeof header);
    if (!layout.palette.empty())
        std::memcpy(info.data() + sizeof header, layout.palette.data(), layout.palette.size() * sizeof(RGBQUAD));
    void* bits = nullptr;
    Bitmap dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) throw Win32Error(GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY);
    auto* out = static_cast<uint8_t*>(bits);
    if (layout.dataAt + layout.dataBytes <= head.size()) {
        DecodeBitmapPixels(reinterpret_cast<const uint8_t*>(head.data()) + layout.dataAt, layout, out);
    } else if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        // Read while decoded: data past the picture's end, however long, is never read or held.
        SetPosition(h, layout.dataAt);
        DecodeRunLengthPixels([h](uint8_t* to, size_t room) { return ReadSome(h, to, room); }, layout, out);
    } else if (layout.RowsAsStored() && !layout.topDown) {
        ReadAt(h, layout.dataAt, out, layout.dataBytes);  // a large file goes straight into the picture
    } else {
        std::vector<uint8_t> data(SizeInMemory(layout.dataBytes));
        ReadAt(h, layout.dataAt, data.data(), data.size());
        DecodeBitmapPixels(data.data(), layout, out);
    }
    return FromBitmap(dib.Release());
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
