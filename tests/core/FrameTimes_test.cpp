#include "core/FrameTimes.h"

#include <gtest/gtest.h>

namespace zebak {
namespace {

std::vector<double> times(std::initializer_list<double> durations) {
    std::vector<double> t{0.0};
    for (double d : durations) t.push_back(t.back() + d);
    return t;
}

TEST(FrameSpacing, AnyDurationOffTheMedianByMoreThanTenPercentIsUneven) {
    EXPECT_FALSE(frameSpacing(times({0.04, 0.04, 0.04, 0.04})).uneven);
    EXPECT_FALSE(frameSpacing(times({0.04, 0.043, 0.037, 0.04})).uneven);  // within 10 %
    const FrameSpacing s = frameSpacing(times({0.04, 0.04, 0.045, 0.04}));
    EXPECT_TRUE(s.uneven);
    EXPECT_DOUBLE_EQ(s.minSeconds, 0.04);
    EXPECT_NEAR(s.maxSeconds, 0.045, 1e-12);
    EXPECT_NEAR(s.medianSeconds, 0.04, 1e-12);
    // A dropped frame is a duration twice as long.
    EXPECT_TRUE(frameSpacing(times({1 / 30., 1 / 30., 2 / 30., 1 / 30.})).uneven);
    // Even count of durations: the median is the mean of the two middle ones.
    EXPECT_NEAR(frameSpacing(times({0.01, 0.03})).medianSeconds, 0.02, 1e-12);
    // One frame, or none: nothing to judge.
    EXPECT_FALSE(frameSpacing({0.0}).uneven);
    EXPECT_EQ(frameSpacing({}).maxSeconds, 0.0);
}

TEST(PlausibleFrameRate, ARateTheTimesDoNotSupportIsReplaced) {
    const FrameSpacing thirtieth = frameSpacing(times({1 / 30., 1 / 30., 1 / 30.}));
    EXPECT_DOUBLE_EQ(plausibleFrameRate(30.0, 25.0, thirtieth), 30.0);
    EXPECT_DOUBLE_EQ(plausibleFrameRate(15360.0, 30.0, thirtieth), 30.0);
    EXPECT_NEAR(plausibleFrameRate(15360.0, 0.0, thirtieth), 30.0, 1e-9);
    EXPECT_DOUBLE_EQ(plausibleFrameRate(0.0, 0.0, FrameSpacing{}), 0.0);
    // One frame: a reported rate above 1000 has nothing to support it.
    EXPECT_DOUBLE_EQ(plausibleFrameRate(15360.0, 30.0, FrameSpacing{}), 30.0);
    // A high-speed film really filmed at 2000 frames/s keeps its rate.
    const FrameSpacing fast = frameSpacing(times({0.0005, 0.0005}));
    EXPECT_DOUBLE_EQ(plausibleFrameRate(2000.0, 30.0, fast), 2000.0);
}

}  // namespace
}  // namespace zebak
