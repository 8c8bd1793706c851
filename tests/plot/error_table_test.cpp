// The error table and the four queries on GplotErrno.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "plot/errors.h"
#include "plot/gplot.h"

namespace {

using vexl::ErrorClass;
using vexl::ErrorRow;
using vexl::GplotErrorTABLE;
using vexl::GplotErrorTABLE_rows;

// Restores GplotErrno after each test so tests do not leak codes.
class ErrorQueries : public ::testing::Test {
  protected:
    void TearDown() override { GplotErrno = 0; }
};

TEST(ErrorTable, EveryRowHoldsItsOwnCodeAndAKnownClass) {
    ASSERT_EQ(GplotErrorTABLE_rows, 47u);
    std::set<std::string> messages;
    int repeated = 0;
    for (std::size_t i = 0; i < GplotErrorTABLE_rows; ++i) {
        const ErrorRow &row = GplotErrorTABLE[i];
        EXPECT_EQ(row.code, static_cast<int>(i));
        EXPECT_TRUE(row.error_class == ErrorClass::Warning ||
                    row.error_class == ErrorClass::Severe || row.error_class == ErrorClass::Fatal);
        ASSERT_NE(row.message, nullptr);
        EXPECT_GT(std::string(row.message).size(), 0u);
        if (!messages.insert(row.message).second)
            ++repeated;
    }
    // Only the two pattern-number codes share their text.
    EXPECT_EQ(repeated, 1);
    EXPECT_STREQ(GplotErrorTABLE[27].message, GplotErrorTABLE[37].message);
}

TEST(ErrorTable, ClassesOfTheFatalAndWarningCodes) {
    std::set<int> fatal, warning;
    for (std::size_t i = 0; i < GplotErrorTABLE_rows; ++i) {
        if (GplotErrorTABLE[i].error_class == ErrorClass::Fatal)
            fatal.insert(static_cast<int>(i));
        if (GplotErrorTABLE[i].error_class == ErrorClass::Warning)
            warning.insert(static_cast<int>(i));
    }
    EXPECT_EQ(fatal, (std::set<int>{13, 14, 21, 22}));
    EXPECT_EQ(warning, (std::set<int>{0}));
}

TEST(ErrorTable, MessagesCallersShowVerbatim) {
    EXPECT_STREQ(GplotErrorTABLE[1].message, "Invalid plot type");
    EXPECT_STREQ(GplotErrorTABLE[10].message, "Invalid parameter argument(s)");
    EXPECT_STREQ(GplotErrorTABLE[14].message, "Function not implemented yet");
    EXPECT_STREQ(GplotErrorTABLE[17].message, "Font: ASCII or VIRTUAL?");
    EXPECT_STREQ(GplotErrorTABLE[23].message, "Cannot open file, fopen failure");
    EXPECT_STREQ(GplotErrorTABLE[46].message, "Cannot read .kdfill file");
}

TEST_F(ErrorQueries, NoErrorIsAWarning) {
    GplotErrno = 0;
    EXPECT_STREQ(gplot_get_error_message(), "No error");
    EXPECT_EQ(gplot_error_is_warning(), 1);
    EXPECT_EQ(gplot_error_is_severe(), 0);
    EXPECT_EQ(gplot_error_is_fatal(), 0);
}

TEST_F(ErrorQueries, SevereAndFatalCodes) {
    GplotErrno = 13;
    EXPECT_EQ(gplot_error_is_fatal(), 1);
    EXPECT_EQ(gplot_error_is_severe(), 0);
    GplotErrno = 23;
    EXPECT_EQ(gplot_error_is_severe(), 1);
    EXPECT_EQ(gplot_error_is_warning(), 0);
    EXPECT_STREQ(gplot_get_error_message(), "Cannot open file, fopen failure");
}

TEST_F(ErrorQueries, CodesOutsideTheTableAreReportedAndHaveNoClass) {
    for (int code : {47, -1, 1000000}) {
        GplotErrno = code;
        testing::internal::CaptureStderr();
        EXPECT_STREQ(gplot_get_error_message(), "Unknown Error: GplotErrno out of range");
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Unknown Error: GplotErrno out of range\n");
        testing::internal::CaptureStderr();
        EXPECT_EQ(gplot_error_is_warning(), 0);
        EXPECT_EQ(gplot_error_is_severe(), 0);
        EXPECT_EQ(gplot_error_is_fatal(), 0);
        testing::internal::GetCapturedStderr();
    }
}

TEST(ErrorLookup, ARowThatDoesNotHoldItsCodeIsInconsistent) {
    const ErrorRow broken[] = {{0, ErrorClass::Warning, "No error"},
                               {2, ErrorClass::Severe, "Misplaced"}};
    testing::internal::CaptureStderr();
    const vexl::ErrorLookup found = vexl::look_up_error(broken, 2, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Assertion error: GplotErrorTABLE in gplot is inconsistent!\n");
    EXPECT_STREQ(found.message, "Assertion error: GplotErrorTABLE in gplot is inconsistent!");
    EXPECT_FALSE(found.has_class);
    // The consistent row of the same table still answers normally.
    EXPECT_TRUE(vexl::look_up_error(broken, 2, 0).has_class);
}

TEST_F(ErrorQueries, FailSetsTheCodeAndReturnsZero) {
    EXPECT_EQ(vexl::fail(vexl::Error::InvalidArgument), 0);
    EXPECT_EQ(GplotErrno, 10);
    vexl::clear_error();
    EXPECT_EQ(GplotErrno, 0);
}

} // namespace
