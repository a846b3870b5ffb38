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

namespace {
BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Counts a top-level window of this process and all its descendants.
BOOL CALLBACK CountOwn(HWND window, LPARAM count) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountOne, count);
    return TRUE;
}
}  // namespace

int CountUserObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    // Windows by enumeration (top-level and message-only ones with their children):
    // asking the server about every handle value costs about a second. Menus live in
    // the process, so probing their handles is cheap.
    int n = 0;
    EnumWindows(CountOwn, reinterpret_cast<LPARAM>(&n));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        CountOwn(w, reinterpret_cast<LPARAM>(&n));
    for (UINT_PTR h = 1; h < 0x10000; ++h)
        if (IsMenu(reinterpret_cast<HMENU>(h))) ++n;
    return n;
}
