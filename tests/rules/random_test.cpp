// tests/rules/random_test.cpp: the generator's sequence and the way Below turns one draw into a
// choice, at the boundaries where truncation and the float constant matter.
#include "rules/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The seed whose first draw is r: the state after one step must hold r in bits 16..30.
std::uint32_t SeedGiving(int r) {
    // Inverse of the multiplier modulo 2^32, by Newton's iteration (each step doubles the bits).
    std::uint32_t inverse = 214013u;
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    const std::uint32_t wanted = static_cast<std::uint32_t>(r) << 16;
    return (wanted - 2531011u) * inverse;
}

TEST(RandomNumbers, FollowsTheLinearCongruentialSequence) {
    rules::Random random(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(random.Next(), value);

    // Seeding again restarts the sequence, whatever was drawn before.
    random.Seed(1);
    EXPECT_EQ(random.Next(), 41);
}

TEST(RandomNumbers, SeedHelperNamesTheFirstDraw) {
    for (int r : {0, 1, 2, 16384, 32766, 32767}) {
        rules::Random random(SeedGiving(r));
        EXPECT_EQ(random.Next(), r);
    }
}

TEST(RandomNumbers, BelowTruncatesTowardZeroWithTheFloatConstant) {
    struct Case {
        int r;
        int n;
        int expected;
    };
    // clang-format off
    const Case cases[] = {
        {0, 12, 0},      // a tiny negative product truncates to 0, not -1
        {1, 12, 0},      {32767, 12, 11}, {32767, 1, 0},
        {16384, 2, 0},   {16385, 2, 1},   {32767, 2, 1},
        // 4681 x 7 is 32767: exact arithmetic would give 1, the float constant stays just below.
        {4682, 7, 0},    {4683, 7, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        rules::Random random(SeedGiving(c.r));
        EXPECT_EQ(random.Below(c.n), c.expected) << "r " << c.r << ", n " << c.n;
    }
}

TEST(RandomNumbers, BelowStaysInRangeForEveryDraw) {
    for (int n : {1, 2, 4, 7, 8, 9, 10, 12}) {
        for (int r = 0; r <= 32767; ++r) {
            rules::Random random(SeedGiving(r));
            const int choice = random.Below(n);
            ASSERT_GE(choice, 0) << "r " << r << ", n " << n;
            ASSERT_LT(choice, n) << "r " << r << ", n " << n;
        }
    }
}

}  // namespace
