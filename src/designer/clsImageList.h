// A list of 16 by 16 masked images for the toolbar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

class Picture;

class clsImageList {
public:
    clsImageList();
    ~clsImageList();
    clsImageList(const clsImageList&) = delete;
    clsImageList& operator=(const clsImageList&) = delete;

    HIMAGELIST hImageList = nullptr;

    // Pixels of the mask colour become transparent; images are numbered in the order added.
    void Add(const Picture& picture, int32_t maskColor);
    void AddIcon(HICON icon);
    void DrawItem(int32_t index, HDC dc, int32_t x, int32_t y, UINT flags);
    void DrawItemDisabled(int32_t index, HDC dc, int32_t x, int32_t y);
    // A new icon of the image; the caller owns it.
    HICON Item(int32_t index);
};
