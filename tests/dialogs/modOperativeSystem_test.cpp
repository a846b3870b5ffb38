#include "modOperativeSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(modOperativeSystem, EveryRowOfTheVersionTableAndTheRealCall) {
    const struct { uint32_t platform, major, minor; int32_t code; } rows[] = {
        {2, 3, 51, 1}, {2, 3, 0, 1},  {1, 4, 0, 2},  {1, 9, 0, 2},  // major ignored on 9x
        {2, 4, 0, 3},  {2, 4, 7, 3},  {1, 4, 10, 4}, {1, 4, 90, 0},  // Windows Me
        {2, 5, 0, 5},  {2, 5, 1, 6},  {2, 5, 2, 0},  {2, 6, 0, 0}, {2, 6, 1, 0}, {2, 10, 0, 0}, {0, 5, 1, 0}, {3, 5, 1, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(OSVersionCodeFor(r.platform, r.major, r.minor), r.code)
            << r.platform << " " << r.major << "." << r.minor;

    // The test prefix reports Windows 7 (6.1), which has no code of its own.
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    ASSERT_EQ(info.dwMajorVersion * 10 + info.dwMinorVersion, 61u) << "the prefix is not the default one";
    const int32_t before = gOSVersion;
    EXPECT_EQ(GetOSVersion(), 0);
    EXPECT_EQ(gOSVersion, before);  // the query stores nothing itself
}

}  // namespace
