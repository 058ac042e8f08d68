#include <gtest/gtest.h>

#include "state/Random.h"

namespace kotou {
namespace {

TEST(Random, DefaultStaysInRangeAndSeedReproduces) {
    DefaultRandom a(42), b(42);
    for (int i = 0; i < 1000; ++i) {
        const int n = i % 17;
        const int x = a.random(n);
        EXPECT_EQ(x, b.random(n));
        if (n == 0)
            EXPECT_EQ(x, 0);
        else {
            EXPECT_GE(x, 0);
            EXPECT_LT(x, n);
        }
    }
}

TEST(Random, ScriptedReturnsDrawsInOrderAndFailsLoudly) {
    ScriptedRandom r{3, 0, 1};
    EXPECT_EQ(r.random(10), 3);
    EXPECT_EQ(r.random(0), 0);
    EXPECT_EQ(r.random(2), 1);
    EXPECT_EQ(r.requests(), (std::vector<int32_t>{10, 0, 2}));
    EXPECT_THROW(r.random(5), ScriptError);  // out of draws

    ScriptedRandom low{0, 0};  // both ends of a range
    EXPECT_EQ(low.random(3), 0);
    EXPECT_EQ(low.random(1), 0);

    ScriptedRandom bad{5};
    EXPECT_THROW(bad.random(5), ScriptError);  // 5 is not in 0..4
    ScriptedRandom neg{-1};
    EXPECT_THROW(neg.random(5), ScriptError);
}

}  // namespace
}  // namespace kotou
