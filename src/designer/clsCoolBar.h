// A rebar that holds the toolbar in a band. Sizes in the properties and Move
// are twips; Create takes pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class clsCoolBar {
public:
    clsCoolBar();
    ~clsCoolBar();
    clsCoolBar(const clsCoolBar&) = delete;
    clsCoolBar& operator=(const clsCoolBar&) = delete;

    HWND hWnd = nullptr;

    void Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height);
    // Inserts a band holding the child before every existing band.
    void AddBand(HWND child, const std::string& text);
    int32_t Height();
    int32_t Width();
    void SetTop(int32_t twips);
    void SetWidth(int32_t twips);
    void SetHeight(int32_t twips);
    // -1 keeps the current value.
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);

private:
    // The window's rectangle in its parent's client coordinates, where MoveWindow places it.
    RECT PlacedRect() const;
};
