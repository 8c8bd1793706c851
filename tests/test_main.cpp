// Test entry point. Messages go to the error stream, never to a box that
// would wait for a click; a test that exercises a real box removes the
// variable itself and closes the box.
#include <gtest/gtest.h>

#include "test_env.h"

int main(int argc, char **argv) {
    vexl::test::set_env("STDERR_OUTPUT", "1");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
