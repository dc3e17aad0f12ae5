// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "framework/Keyboard.h"

namespace {
TEST(KeyStateTest, aPressWithinFiveMsOfItsReleaseContinuesTheHoldAndALaterOneIsANewPress) {
    // Milliseconds from the release to the next press, and whether that press counts.
    const struct {
        const char* name;
        std::uint64_t gap;
        bool counted;
    } table[] = {
        {"stamped together: auto-repeat", 0, false},
        {"at the auto-repeat limit", 5, false},
        {"just past the limit: a quick double tap", 6, true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        KeyState keys;
        const std::uint64_t released = 1040;
        keys.press(KeyCode::LeftArrow, 1000);
        keys.release(KeyCode::LeftArrow, released);
        keys.press(KeyCode::LeftArrow, released + row.gap);
        EXPECT_EQ(keys.pressCount(KeyCode::LeftArrow), row.counted ? 2U : 1U)
            << "presses counted when the key went down again " << row.gap
            << " ms after its release";
    }
}
}  // namespace
