#include "core/AxisScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zebak {
namespace {

bool roundStep(double step) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
    for (double r : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::abs(step - r * magnitude) < 1e-9 * magnitude) return true;
    return false;
}

// Axes hug their data: t from 0 to 2 s is not shown from -2 to 4, x from 15 to 530 not from
// -500 to 1000; the ticks stand at round steps, the labels with the places the step needs.
TEST(AxisScale, TheAxisHugsTheDataWithRoundTicks) {
    struct Case {
        double lo, hi, step;
        int decimals;
    };
    for (const Case& c :
         {Case{0.0, 2.0, 0.5, 1}, Case{15.0, 530.0, 100.0, 0}, Case{-0.04, 0.013, 0.01, 2},
          Case{-1250.0, 1250.0, 500.0, 0}, Case{0.0, 12.0, 2.5, 1}}) {
        SCOPED_TRACE(c.lo);
        const AxisScale a = axisForData(c.lo, c.hi);
        const double span = c.hi - c.lo;
        EXPECT_LT(a.min, c.lo);
        EXPECT_GE(a.min, c.lo - 0.05 * span);
        EXPECT_GT(a.max, c.hi);
        EXPECT_LE(a.max, c.hi + 0.05 * span);
        EXPECT_DOUBLE_EQ(a.step, c.step);
        EXPECT_EQ(a.decimals, c.decimals);
        EXPECT_GE(a.anchor, a.min);
        EXPECT_LT(a.anchor - a.step, a.min);
        EXPECT_NEAR(std::remainder(a.anchor, a.step), 0.0, 1e-9 * a.step);
    }
    // One value gets a stretch around it; nothing finite gets 0 to 1.
    const AxisScale one = axisForData(5.0, 5.0);
    EXPECT_LT(one.min, 5.0);
    EXPECT_GT(one.max, 5.0);
    EXPECT_TRUE(roundStep(one.step));
    EXPECT_LT(axisForData(0.0, 0.0).min, 0.0);
    EXPECT_DOUBLE_EQ(axisForData(NAN, 1.0).max, 1.0);
    EXPECT_DOUBLE_EQ(axisTicks(2.0, 1.0).min, 0.0);
    // A zoomed range gets finer ticks.
    EXPECT_TRUE(roundStep(axisTicks(0.123, 0.127).step));
    EXPECT_LE(axisTicks(0.123, 0.127).step, 0.001);
}

}  // namespace
}  // namespace zebak
