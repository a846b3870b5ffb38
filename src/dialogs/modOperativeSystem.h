// Which Windows version the program runs on, as one small code.
#pragma once

#include <cstdint>

// Version codes.
namespace OSVersionCode {
constexpr int32_t Other = 0;
constexpr int32_t WinNT3 = 1;
constexpr int32_t Win95 = 2;
constexpr int32_t WinNT4 = 3;
constexpr int32_t Win98 = 4;
constexpr int32_t Win2000 = 5;
constexpr int32_t WinXP = 6;
}  // namespace OSVersionCode

// The last code asked for; the designer window keeps it here.
extern int32_t gOSVersion;

// The code for a platform id and version numbers, without asking the system.
int32_t OSVersionCodeFor(uint32_t platformId, uint32_t major, uint32_t minor);

// Asks the system; stores nothing.
int32_t GetOSVersion();

// Makes GetOSVersion answer a fixed code, so a test can see both looks of the
// designer on one machine; a negative code asks the system again.
void SetOSVersionOverride(int32_t code);
