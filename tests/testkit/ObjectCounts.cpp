#include "ObjectCounts.h"

#include <windows.h>

int CountGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int n = 0;
    for (UINT_PTR h = 1; h < 0x10000; ++h)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0) ++n;
    return n;
}

int CountUserObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    const DWORD self = GetCurrentProcessId();
    int n = 0;
    for (UINT_PTR h = 1; h < 0x10000; ++h) {
        HWND window = reinterpret_cast<HWND>(h);
        DWORD owner = 0;
        if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == self) ++n;
        else if (IsMenu(reinterpret_cast<HMENU>(h))) ++n;
    }
    return n;
}
