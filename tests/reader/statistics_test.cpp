#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "reader/statistics.h"

TEST(Statistics, MedianScaledMadAndRelativeSpread) {
    const double nan = std::nan("");
    const struct {
        std::vector<double> values;
        double median, scaledMad, spread;
    } cases[] = {
        {{}, 0, 0, 0},
        {{7}, 7, 0, 0},
        {{1, 3}, 2, 1.4826, 0.7413},
        {{10, 11, 9, 10, 50}, 10, 1.4826, 0.14826},
        {{1.7e308, 1.7e308}, 1.7e308, 0, 0},  // no overflow on the way to the mean of two
        {{4, nan, 2, nan}, 3, 1.4826, 0.4942},  // a NaN takes no part
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(median(c.values), c.median);
        EXPECT_NEAR(scaledMad(c.values), c.scaledMad, 1e-12);
        EXPECT_NEAR(relativeSpread(c.values), c.spread, 1e-4);
    }
}

TEST(SlowHosts, FlagOnlyAHostFarBelowTheOthersAndNeverNoise) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        std::vector<double> medians;
        std::vector<bool> slow;
    } cases[] = {
        // 2.5 % apart, though over 3 scaled MADs below when the others agree closely: noise.
        {"noise of a 4-process run", {54.23, 55.67, 55.60}, {false, false, false}},
        {"noise among many", {100, 101, 99, 102, 98, 97, 103, 95}, {false, false, false, false, false, false, false, false}},
        {"one host at a quarter", {100, 25, 101, 99}, {false, true, false, false}},
        {"one at a quarter of identical others", {80, 80, 20}, {false, false, true}},
        {"one at a quarter among many", {10, 10.2, 9.9, 10.1, 2.5, 10, 9.8}, {false, false, false, false, true, false, false}},
        {"two hosts never", {100, 25}, {false, false}},
        {"one host never", {25}, {false}},
        // 15 % below, but the hosts scatter so widely that it is within 3 scaled MADs.
        {"wide scatter", {100, 70, 130, 85, 115}, {false, false, false, false, false}},
        {"an infinite figure is never slow and does not count", {inf, 100, 25}, {false, false, false}},
        {"with an infinite one, three finite hosts still judge", {inf, 100, 101, 25}, {false, false, false, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slowHosts(c.medians), c.slow) << c.what;
    }
}
