#include "modOperativeSystem.h"

#include <windows.h>

#include <cstring>

int32_t gOSVersion = 0;

namespace {
int32_t g_Override = -1;
}

void SetOSVersionOverride(int32_t code) { g_Override = code; }

int32_t OSVersionCodeFor(uint32_t platformId, uint32_t major, uint32_t minor) {
    switch (platformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
        // The 9x family is told by the minor version alone.
        if (minor == 0) return OSVersionCode::Win95;
        if (minor == 10) return OSVersionCode::Win98;
        return OSVersionCode::Other;
    case VER_PLATFORM_WIN32_NT:
        if (major == 3) return OSVersionCode::WinNT3;
        if (major == 4) return OSVersionCode::WinNT4;
        if (major == 5 && minor == 0) return OSVersionCode::Win2000;
        if (major == 5 && minor == 1) return OSVersionCode::WinXP;
        return OSVersionCode::Other;
    default:
        return OSVersionCode::Other;
    }
}

int32_t GetOSVersion() {
    if (g_Override >= 0) return g_Override;
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    std::memset(info.szCSDVersion, ' ', sizeof info.szCSDVersion);
    // A failing call leaves the platform id 0, which gives code 0.
    GetVersionExA(&info);
    return OSVersionCodeFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
