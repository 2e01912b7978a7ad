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

// A recording that starts late or ends early (BallTossOut.mov's first frame lasts 46.7 ms,
// every other 33.3 ms) is evenly spaced; the spacing it reports keeps every duration.
TEST(FrameSpacing, TheFirstAndTheLastDurationAreNotJudged) {
    const FrameSpacing late = frameSpacing(times({0.0467, 1 / 30., 1 / 30., 1 / 30.}));
    EXPECT_FALSE(late.uneven);
    EXPECT_NEAR(late.maxSeconds, 0.0467, 1e-12);
    EXPECT_FALSE(frameSpacing(times({1 / 30., 1 / 30., 1 / 30., 0.01})).uneven);
    EXPECT_FALSE(frameSpacing(times({0.1, 1 / 30., 1 / 30., 0.01})).uneven);
    EXPECT_TRUE(frameSpacing(times({0.0467, 1 / 30., 2 / 30., 1 / 30.})).uneven);
}

// Slow motion stored at 30 frames/s of a recording at 240: 1/30 s becomes 1/240 s and 2/30 s
// 2/240 s, whichever spacing the median would pick.
TEST(RecordedTimes, SlowMotionTimesAreScaledByStoredRateOverRecordingRate) {
    const std::vector<double> stored = times({1 / 30., 2 / 30., 2 / 30., 1 / 30., 1 / 30.});
    EXPECT_NEAR(commonFrameSeconds(stored), 1 / 30., 1e-12);
    EXPECT_NEAR(commonFrameSeconds(times({2 / 30., 2 / 30., 1 / 30., 2.01 / 30., 1 / 30.})),
                2 / 30., 1e-3);
    const std::vector<double> real = recordedTimesS(stored, 240.0);
    ASSERT_EQ(real.size(), stored.size());
    EXPECT_NEAR(real[1], 1 / 240., 1e-12);
    EXPECT_NEAR(real[2], 3 / 240., 1e-12);
    EXPECT_NEAR(real[5], 7 / 240., 1e-12);
    // Without a recording rate, or a rate that is no number, the times stay.
    EXPECT_EQ(recordedTimesS(stored, std::nullopt), stored);
    EXPECT_EQ(recordedTimesS(stored, 0.0), stored);
    EXPECT_EQ(recordedTimesS({0.0}, 240.0), std::vector<double>{0.0});
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
