// The version string: fixed fields in order, each after exactly one blank.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "plot/gplot.h"

TEST(Version, FieldsInOrderWithOneBlankEach) {
    const std::string text = vexl_get_version().text;
    const std::regex form(" GUI_LIB=MFC VER=330 REV=200 BUILD_TYPE=opt "
                          "BUILD_DATE=(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                          "[ 1-3][0-9] [0-9]{4} BUILD_TIME=[0-2][0-9]:[0-5][0-9]:[0-6][0-9]");
    EXPECT_TRUE(std::regex_match(text, form)) << '"' << text << '"';
}
