#include "Picture.h"

#include "AppError.h"
#include "BitmapFileCheck.h"
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

Picture Picture::LoadBitmapFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME)
            throw AppError(ErrNo::FileNotFound, ErrText::FileNotFound);
        throw Win32Error(code);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw AppError(ErrNo::FileNotFound, ErrText::FileNotFound);
    if (!IsWholeBitmapFile(path)) throw AppError(ErrNo::InvalidPicture, ErrText::InvalidPicture);
    HANDLE h = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!h) throw AppError(ErrNo::InvalidPicture, ErrText::InvalidPicture);
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
