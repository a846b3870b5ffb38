// What forms and picture boxes share: a window that holds controls, paints
// its windowless ones and routes the mouse to them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "Control.h"
#include "Gdi.h"

class Form;

class Container {
public:
    Container() = default;
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    HWND Hwnd() const { return m_Window; }
    virtual Form* OwnerForm() = 0;

    HFONT Font() const;
    void SetFont(const char* face, double points, bool bold = false);

    int32_t ContainerBackColor() const { return m_Back; }
    virtual void SetContainerBackColor(int32_t color);

    // Windowless controls are painted in the order they were added, later on top.
    void Add(Control& control);
    void Remove(Control& control);
    const std::vector<Control*>& Windowless() const { return m_Windowless; }
    const std::vector<WindowedControl*>& WindowedChildren() const { return m_Windowed; }

    // The topmost visible, enabled windowless control at a point, or nullptr.
    Control* HitTest(POINT pt) const;

    void InvalidateArea(const RECT& area);
    void UpdateTool(Control& control);

    // Internal: bookkeeping of windowed children.
    void AddWindowed(WindowedControl& control);
    void RemoveWindowed(WindowedControl& control);

protected:
    // Messages every container handles the same way; sets handled when it did.
    LRESULT HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    void PaintWindowless(HDC dc);
    void DetachWindow();

    // The container's own mouse events (not over a windowless control).
    virtual void OwnMouse(UINT msg, int button, int shift, int x, int y) = 0;
    // The container's own cursor, when it has a custom one.
    virtual HCURSOR OwnCursor() const { return nullptr; }

    HWND m_Window = nullptr;
    int32_t m_Back = SystemColor(COLOR_BTNFACE);
    Brush m_BackBrush;

private:
    void RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    void EnsureTooltip();

    std::vector<Control*> m_Windowless;
    std::vector<WindowedControl*> m_Windowed;
    Control* m_Captured = nullptr;
    bool m_CaptureSelf = false;
    HWND m_Tooltip = nullptr;
    FontHandle m_Font;
};
