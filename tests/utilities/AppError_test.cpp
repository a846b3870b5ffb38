#include "AppError.h"

#include <gtest/gtest.h>

namespace {

TEST(AppError, MessageTextNamesTheProcedureAndResumeNextSwallowsOneStep) {
    AppError e(53, "File not found");
    EXPECT_EQ(ErrorMessageText(e, "OpenFile"), "Error 53 (File not found) in procedure OpenFile of Form frmDesigner");
    AppError w = Win32Error(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(w.Number(), 2);
    EXPECT_FALSE(w.Description().empty());
    EXPECT_NE(w.Description().back(), '\n');

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

}  // namespace
