// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "framework/Random.h"
#include "framework/Services.h"

namespace {
// A test that replaces a service, or leaves the game away, must not reach the next one.
TEST(ServicesTest, whatATestReplacesIsPutBackWhenItsScopeEnds) {
    SeededRandom chance(1);
    const Services before = services();
    {
        const ScopedServices scope;
        services().random = &chance;
        services().away = true;
    }
    EXPECT_EQ(services().random, before.random) << "the random source stayed replaced";
    EXPECT_FALSE(services().away) << "the game stayed away";
    {
        const Override seeded(services().random, &chance);
        EXPECT_EQ(services().random, &chance) << "the override did not replace the source";
    }
    EXPECT_EQ(services().random, before.random) << "the override did not put it back";
}
}  // namespace
