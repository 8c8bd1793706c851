// The error table and the four queries on GplotErrno. The table is
// generated from one list, so its test checks consistency and the classes
// callers rely on; the queries are one table over the codes whose
// answers differ, including the two outside the table.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/errors.h"
#include "plot/gplot.h"

namespace {

using vexl::ErrorClass;
using vexl::GplotErrorTABLE;

TEST(ErrorTable, EveryRowHoldsItsOwnCodeClassAndMessage) {
    ASSERT_EQ(vexl::GplotErrorTABLE_rows, 47u);
    const std::set<int> fatal{13, 14, 21, 22};
    std::set<std::string> messages;
    for (int code = 0; code < 47; ++code) {
        const vexl::ErrorRow &row = GplotErrorTABLE[code];
        EXPECT_EQ(row.code, code);
        const ErrorClass expected = code == 0           ? ErrorClass::Warning
                                    : fatal.count(code) ? ErrorClass::Fatal
                                                        : ErrorClass::Severe;
        EXPECT_TRUE(row.error_class == expected) << code;
        ASSERT_NE(row.message, nullptr);
        EXPECT_STRNE(row.message, "");
        messages.insert(row.message);
    }
    // Only the two pattern-number codes share their text.
    EXPECT_EQ(messages.size(), 46u);
    EXPECT_STREQ(GplotErrorTABLE[27].message, GplotErrorTABLE[37].message);
}

TEST(ErrorQueries, MessageAndClassOfTheCurrentCode) {
    const std::string out_of_range = "Unknown Error: GplotErrno out of range";
    const struct {
        int code;
        std::string message;
        int warning, severe, fatal;
    } rows[] = {
        {0, "No error", 1, 0, 0},
        {13, "Malloc failed", 0, 0, 1},
        {23, "Cannot open file, fopen failure", 0, 1, 0},
        {47, out_of_range, 0, 0, 0},
        {-1, out_of_range, 0, 0, 0},
    };
    for (const auto &row : rows) {
        GplotErrno = row.code;
        testing::internal::CaptureStderr();
        EXPECT_EQ(gplot_get_error_message(), row.message) << row.code;
        EXPECT_EQ(gplot_error_is_warning(), row.warning) << row.code;
        EXPECT_EQ(gplot_error_is_severe(), row.severe) << row.code;
        EXPECT_EQ(gplot_error_is_fatal(), row.fatal) << row.code;
        // Each of the four queries reports a code outside the table.
        const std::string line = row.message == out_of_range ? out_of_range + "\n" : "";
        EXPECT_EQ(testing::internal::GetCapturedStderr(), line + line + line + line) << row.code;
    }
    GplotErrno = 0;
}

TEST(ErrorLookup, ARowThatDoesNotHoldItsCodeIsInconsistent) {
    const vexl::ErrorRow broken[] = {{0, ErrorClass::Warning, "No error"},
                                     {2, ErrorClass::Severe, "Misplaced"}};
    testing::internal::CaptureStderr();
    const vexl::ErrorLookup found = vexl::look_up_error(broken, 2, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Assertion error: GplotErrorTABLE in gplot is inconsistent!\n");
    EXPECT_STREQ(found.message, "Assertion error: GplotErrorTABLE in gplot is inconsistent!");
    EXPECT_FALSE(found.has_class);
    EXPECT_TRUE(vexl::look_up_error(broken, 2, 0).has_class) << "the good row still answers";
}

} // namespace
