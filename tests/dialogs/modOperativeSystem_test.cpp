#include "modOperativeSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(modOperativeSystem, EveryRowOfTheVersionTable) {
    const struct {
        uint32_t platform, major, minor;
        int32_t code;
    } rows[] = {
        {2, 3, 51, OSVersionCode::WinNT3}, {2, 3, 0, OSVersionCode::WinNT3},
        {1, 4, 0, OSVersionCode::Win95},   {1, 9, 0, OSVersionCode::Win95},  // major ignored on 9x
        {2, 4, 0, OSVersionCode::WinNT4},  {2, 4, 7, OSVersionCode::WinNT4},
        {1, 4, 10, OSVersionCode::Win98},  {1, 4, 90, OSVersionCode::Other},  // Windows Me
        {2, 5, 0, OSVersionCode::Win2000}, {2, 5, 1, OSVersionCode::WinXP},
        {2, 5, 2, OSVersionCode::Other},   {2, 6, 0, OSVersionCode::Other},
        {2, 6, 1, OSVersionCode::Other},   {2, 10, 0, OSVersionCode::Other},
        {0, 5, 1, OSVersionCode::Other},   {3, 5, 1, OSVersionCode::Other},
    };
    for (const auto& r : rows)
        EXPECT_EQ(OSVersionCodeFor(r.platform, r.major, r.minor), r.code)
            << r.platform << " " << r.major << "." << r.minor;
}

TEST(modOperativeSystem, TheRealCallAgreesWithTheTable) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    const int32_t before = gOSVersion;
    EXPECT_EQ(GetOSVersion(),
              OSVersionCodeFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion));
    EXPECT_EQ(gOSVersion, before);  // the query stores nothing itself
}

}  // namespace
