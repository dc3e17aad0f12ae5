// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "headless/Headless.h"

int main(int argc, char** argv) {
    // Time is given to the game by the tests, never taken from a clock.
    const auto app = startHeadless(argc, argv, false);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    closeAllWindows();
    return status;
}
