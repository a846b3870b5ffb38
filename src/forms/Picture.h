// A shared picture: a bitmap, an icon or a cursor. Copies share one handle,
// so two controls showing "the same picture" compare equal by Handle().
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class Picture {
public:
    enum class Kind { None, Bitmap, Icon, Cursor };

    Picture() = default;

    // Takes ownership of the handle.
    static Picture FromBitmap(HBITMAP bitmap);
    static Picture FromIcon(HICON icon);
    static Picture FromCursor(HCURSOR cursor);

    // Loads a bitmap file as it holds it; raises AppError 53 "File not found" when it is
    // missing, the system's error when it can't be opened, 481 "Invalid picture" when it
    // is damaged or of an unknown kind, and ErrNo::PictureTooLarge.
    static Picture LoadBitmapFile(const std::string& path);
    // Resources of the running program; raise AppError when missing.
    static Picture LoadBitmapResource(int id);
    static Picture LoadIconResource(int id, int size = 0);
    static Picture LoadCursorResource(int id);

    Kind GetKind() const { return m_Data ? m_Data->kind : Kind::None; }
    bool Empty() const { return !m_Data; }
    uintptr_t Handle() const { return m_Data ? reinterpret_cast<uintptr_t>(m_Data->handle) : 0; }
    HBITMAP AsBitmap() const { return GetKind() == Kind::Bitmap ? static_cast<HBITMAP>(m_Data->handle) : nullptr; }
    HICON AsIcon() const {
        return GetKind() == Kind::Icon || GetKind() == Kind::Cursor ? static_cast<HICON>(m_Data->handle) : nullptr;
    }
    int Width() const;   // pixels
    int Height() const;  // pixels

    // Draws the picture at x, y in its own size, or stretched to w, h when they are positive.
    void Draw(HDC dc, int x, int y, int w = 0, int h = 0) const;

    bool operator==(const Picture& other) const { return Handle() == other.Handle(); }

private:
    struct Data {
        Kind kind;
        HANDLE handle;
        ~Data();
    };
    explicit Picture(Kind kind, HANDLE handle);
    std::shared_ptr<Data> m_Data;
};

// A colour as the controls take it: 0x00BBGGRR, or a system colour 0x800000nn.
constexpr int32_t kSysColorFlag = static_cast<int32_t>(0x80000000);
constexpr int32_t SystemColor(int index) { return kSysColorFlag | index; }
COLORREF ResolveColor(int32_t color);
