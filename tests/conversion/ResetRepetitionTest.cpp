// The year window and the stardate wrap are defined as repetitions; the code
// jumps straight to their end. These tests run the repetitions literally
// wherever they are short enough and demand the very same result.

#include "conversion/StardateArithmetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace quorvane {
namespace {

// Rounds with the hardware's default mode (to nearest, ties to even), so the
// reference does not share the rounding code under test.
std::int64_t LiteralYearWindow(std::int64_t year, std::int32_t reset) {
    const double step = reset / 1000.0;
    if (year > 2010) {
        do {
            year = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(year) - step));
        } while (year >= 2010);
    }
    if (year < 1990) {
        do {
            year = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(year) + step));
        } while (year <= 1990);
    }
    return year;
}

double LiteralWrap(double stardate, double reset) {
    if (stardate < 0) {
        do stardate += reset;
        while (stardate <= 0);
    } else if (stardate > reset) {
        do stardate -= reset;
        while (stardate >= reset);
    }
    return stardate;
}

TEST(YearWindowTest, MatchesTheLiteralStepsForEverySmallReset) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    // Every reset from 501 to 1600 covers steps just above a half, whole
    // steps, and 1500 whose halfway steps depend on the year's parity.
    for (std::int32_t reset = 501; reset <= 1600; ++reset) {
        for (std::int32_t year = 1500; year <= 2600; year += 7) {
            ASSERT_EQ(ApplyYearWindow(year, reset), LiteralYearWindow(year, reset))
                << "year " << year << " reset " << reset;
        }
    }
}

TEST(YearWindowTest, MatchesTheLiteralStepsForLargeResets) {
    const std::int32_t resets[] = {2000,   2500,   3500,    4500,    10500,    99999,
                                   100000, 100500, 101500,  123456,  1000000,  2146500,
                                   2147483647};
    std::mt19937 random(20241);
    for (const std::int32_t reset : resets) {
        // Far enough out for thousands of steps, near enough to run them.
        const std::int64_t reach = std::min<std::int64_t>(5LL * reset, 2147483647LL);
        std::uniform_int_distribution<std::int64_t> years(-reach, reach);
        for (int i = 0; i < 400; ++i) {
            const auto year = static_cast<std::int32_t>(years(random));
            ASSERT_EQ(ApplyYearWindow(year, reset), LiteralYearWindow(year, reset))
                << "year " << year << " reset " << reset;
        }
        for (const std::int32_t year : {1989, 1990, 1991, 2009, 2010, 2011, 2012}) {
            ASSERT_EQ(ApplyYearWindow(year, reset), LiteralYearWindow(year, reset))
                << "year " << year << " reset " << reset;
        }
    }
}

TEST(YearWindowTest, ExtremeYearsWithTheLargestResetMatchTheLiteralSteps) {
    const std::int32_t reset = 2147483647;
    for (const std::int32_t year : {2147483647, 2147483646, -2147483647 - 1, -2147483647})
        EXPECT_EQ(ApplyYearWindow(year, reset), LiteralYearWindow(year, reset)) << year;
}

TEST(YearWindowTest, ResetsThatCannotMoveTheYearLeaveItAlone) {
    for (const std::int32_t reset : {500, 499, 1, 0, -1, -100000, -2147483647 - 1}) {
        EXPECT_EQ(ApplyYearWindow(2374, reset), 2374) << reset;
        EXPECT_EQ(ApplyYearWindow(1500, reset), 1500) << reset;
    }
}

TEST(YearWindowTest, ExtremeYearsFinishAtOnceInsideTheWindowsReach) {
    // Far too many steps to run literally: the result only has to end the way
    // the steps end, just under 2010 or just above 1990.
    for (const std::int32_t year : {2147483647, -2147483647 - 1}) {
        const std::int32_t moved = ApplyYearWindow(year, 501);
        EXPECT_GT(moved, 1990) << year;
        EXPECT_LT(moved, 2010) << year;
    }
    EXPECT_EQ(ApplyYearWindow(2147483647, 501), 2009);
    EXPECT_EQ(ApplyYearWindow(-2147483647 - 1, 501), 1991);
}

TEST(StardateWrapTest, MatchesTheLiteralStepsForStardatesOfEarthDates) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> years(-8000, 12000);
    std::uniform_int_distribution<int> days(1, 366);
    std::uniform_int_distribution<std::int32_t> resets(1000, 2000000);
    for (int i = 0; i < 5000; ++i) {
        // Same shape as a converted Earth date: a whole-thousand year part
        // plus a single-precision day part, summed in double.
        const float yearPart = static_cast<float>((years(random) - 2323) * 1000.0);
        const float dayPart = static_cast<float>((days(random) - 1) * 2.7397260665893555);
        const double stardate = static_cast<double>(dayPart) + static_cast<double>(yearPart);
        const std::int32_t reset = resets(random);
        ASSERT_EQ(WrapStardate(stardate, reset), LiteralWrap(stardate, reset))
            << stardate << " reset " << reset;
    }
}

TEST(StardateWrapTest, MatchesTheLiteralStepsAtTheEdges) {
    const double reset = 100000;
    for (const double stardate : {reset, 2 * reset, 3 * reset, -reset, -2 * reset, reset + 0.1,
                                  reset - 0.1, -0.1, 0.1, -1e-300, 1e-300, 2 * reset + 1e-10,
                                  -reset - 1e-10, 0.0, -0.0, 123456789.123}) {
        const double wrapped = WrapStardate(stardate, 100000);
        const double literal = LiteralWrap(stardate, reset);
        EXPECT_EQ(wrapped, literal) << stardate;
        EXPECT_EQ(std::signbit(wrapped), std::signbit(literal)) << stardate;
    }
}

TEST(StardateWrapTest, MatchesTheLiteralStepsWhereEveryStepRounds) {
    // Above 2^53 a step lands on a coarser grid, and an odd reset falls
    // exactly halfway on it. Around four million literal steps each.
    struct Case {
        double stardate;
        std::int32_t reset;
    };
    const std::vector<Case> cases = {
        {0x1p53 + 2.0, 2147483647},          {0x1p53 + 1234567890.0, 2147483647},
        {0x1p53 + 0x1p52 + 6.0, 2147483647}, {0x1p53 + 0x1p52 + 6.0, 2147483646},
        {0x1p54 + 12.0, 2147483646},         {0x1p54 + 4.0, 2147483645},
        {-(0x1p53 + 2.0), 2147483647},       {-(0x1p54 + 12.0), 2147483646},
        {0x1p53, 2147483647},                {12816589570273034.0, 2147483579},
        {11274848902029486.0, 2147482959},   {10158339413358460.0, 2147483077},
        {9208866601663648.0, 2147483297},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapStardate(c.stardate, c.reset), LiteralWrap(c.stardate, c.reset))
            << c.stardate << " reset " << c.reset;
    }
}

TEST(StardateWrapTest, StepsThatWouldNeverEndLeaveTheStardate) {
    EXPECT_EQ(WrapStardate(-324654.8, 0), -324654.8);
    EXPECT_EQ(WrapStardate(324654.8, -1), 324654.8);
    EXPECT_EQ(WrapStardate(-324654.8, -2147483647 - 1), -324654.8);
    // So large that subtracting the reset changes nothing.
    EXPECT_EQ(WrapStardate(1e300, 2147483647), 1e300);
    EXPECT_EQ(WrapStardate(-1e20, 1000), -1e20);
    // The first step moves, then every later one rounds back to the same value.
    EXPECT_EQ(WrapStardate(0x1p53 + 6.0, 1), 0x1p53 + 6.0);
}

TEST(StardateWrapTest, FarAboveTheExactRangeStillFinishesInRange) {
    // Each step rounds and there are about 2^52 of them.
    for (const double stardate : {0x1p83 + 0x1p31 * 3, -(0x1p83 + 0x1p31 * 5), 1e24}) {
        const double wrapped = WrapStardate(stardate, 2147483647);
        EXPECT_NE(wrapped, stardate);
        if (stardate < 0) {
            EXPECT_GT(wrapped, 0.0);
            EXPECT_LE(wrapped, 2147483647.0);
        } else {
            EXPECT_GE(wrapped, 0.0);
            EXPECT_LT(wrapped, 2147483647.0);
        }
    }
}

}  // namespace
}  // namespace quorvane
