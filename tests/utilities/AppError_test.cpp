#include "AppError.h"

#include <gtest/gtest.h>

#include "NumericText.h"

namespace {

TEST(AppError, MessageTextNamesNumberDescriptionAndProcedure) {
    AppError e(53, "File not found");
    EXPECT_EQ(ErrorMessageText(e, "OpenFile"),
              "Error 53 (File not found) in procedure OpenFile of Form frmDesigner");
    AppError w = Win32Error(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(w.Number(), 2);
    EXPECT_FALSE(w.Description().empty());
    EXPECT_NE(w.Description().back(), '\n');
}

TEST(AppError, ResumeNextSwallowsOneStepAndGoesOn) {
    int steps = 0;
    EXPECT_FALSE(ResumeNext([&] { throw AppError(5, "x"); }));
    EXPECT_EQ(CurrentError().Number(), 5);
    EXPECT_EQ(CurrentError().Description(), "x");
    EXPECT_TRUE(ResumeNext([&] { ++steps; }));
    EXPECT_EQ(CurrentError().Number(), 5);  // a good step leaves the last error as it was
    EXPECT_FALSE(ResumeNext([&] { throw std::runtime_error("y"); }));
    EXPECT_TRUE(ResumeNext([&] { ++steps; }));
    EXPECT_EQ(steps, 2);
}

TEST(AppError, TextToLongFollowsTheNumericConversion) {
    EXPECT_EQ(TextToLong("42"), 42);
    EXPECT_EQ(TextToLong("  -7 "), -7);
    EXPECT_EQ(TextToLong("2.5"), 2);   // halves round to even
    EXPECT_EQ(TextToLong("3.5"), 4);
    EXPECT_EQ(TextToLong("1e3"), 1000);
    EXPECT_EQ(TextToLong("&h10"), 16);
    EXPECT_EQ(TextToLong("&O17"), 15);
    EXPECT_EQ(TextToLong("&H80000000"), INT32_MIN);
    auto refused = [](const char* text, int32_t number) {
        try {
            const int32_t value = TextToLong(text);
            ADD_FAILURE() << "'" << text << "' converted to " << value;
        } catch (const AppError& e) {
            EXPECT_EQ(e.Number(), number) << text;
        }
    };
    for (const char* bad : {"", "  ", "abc", "12abc", "0x10", "&H", "&HG", "1e", ".", "+"})
        refused(bad, ErrNo::TypeMismatch);
    for (const char* big : {"2147483648", "-2147483649", "&H100000000", "1e20"}) refused(big, ErrNo::Overflow);
}

}  // namespace
