// Owners of GDI handles. Move-only, so a handle is never deleted twice.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : m_Handle(h) {}
    GdiObject(GdiObject&& other) noexcept : m_Handle(std::exchange(other.m_Handle, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.m_Handle, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return m_Handle; }
    Handle Release() { return std::exchange(m_Handle, nullptr); }
    void Reset(Handle h = nullptr) {
        if (m_Handle) DeleteObject(m_Handle);
        m_Handle = h;
    }
    explicit operator bool() const { return m_Handle != nullptr; }

private:
    Handle m_Handle = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : m_Dc(dc), m_Old(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (m_Old) SelectObject(m_Dc, m_Old);
    }

private:
    HDC m_Dc;
    HGDIOBJ m_Old;
};

// A memory DC compatible with the screen.
class MemoryDC {
public:
    MemoryDC() : m_Dc(CreateCompatibleDC(nullptr)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (m_Dc) DeleteDC(m_Dc);
    }
    HDC Get() const { return m_Dc; }

private:
    HDC m_Dc;
};

// A window's DC, released for the same window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_Window(window), m_Dc(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_Dc) ReleaseDC(m_Window, m_Dc);
    }
    HDC Get() const { return m_Dc; }

private:
    HWND m_Window;
    HDC m_Dc;
};
