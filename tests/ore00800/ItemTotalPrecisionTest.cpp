// The item total is rounded once, at the end: quantity × price less the
// discount plus the surcharge, worked out in extended precision.

#include "ore/ore00800/model/CalcFields.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ItemTotalPrecision, OnlyTheResultIsRounded) {
    // 3 × 0.1 less 0.3, on the doubles nearest those numbers, is exactly
    // 2^-55; rounding the product to a double first would leave 2^-54.
    EXPECT_EQ(TotalItemOrca(3, 0.1, 0.3, 0), std::ldexp(1.0, -55));
    // A product beyond a double's 53 bits keeps its low bits for the discount:
    // (2^27 + 1)² = 2^54 + 2^28 + 1, less 2^54, is 2^28 + 1.
    const double big = std::ldexp(1.0, 27) + 1;
    EXPECT_EQ(TotalItemOrca(big, big, std::ldexp(1.0, 54), 0), std::ldexp(1.0, 28) + 1);
}
