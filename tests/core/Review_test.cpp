#include "AnalysisFixture.h"

namespace zebak::test {
namespace {

class EndBar : public AnalysisTest {
  protected:
    EndBar() : AnalysisTest(6) {}
};

TEST_F(EndBar, MovedBackFromTheFrameCountButNeverBeforeTheStartBar) {
    film.everywhere(9, 4, kObject);
    // Start and end bar both at the frame count: the end bar cannot go below the start bar,
    // and the end position is no frame of the film, so no row is written.
    state.range.start = 6;
    state.range.end = 6;
    run();
    EXPECT_EQ(state.range.end, 6);
    EXPECT_EQ(row(1, 1), "  ");
    EXPECT_EQ(state.grid(1).rowCount(), 2);

    // From an earlier start the end bar moves back to the last frame, which ends the loop.
    state.range.start = 3;
    state.range.end = 6;
    host.endBarMoves.clear();
    run();
    EXPECT_EQ(host.endBarMoves, (std::vector<int>{5}));
    EXPECT_EQ(row(1, 3), "0.08 9 26");
    EXPECT_EQ(state.grid(1).rowCount(), 4);
}

class PredictedPass : public AnalysisTest {
  protected:
    PredictedPass() : AnalysisTest(6) { state.settings(1).mode = SearchMode::Predicted; }
};

TEST_F(PredictedPass, PredictsFromTheBoxCentreWhileTheTableHoldsTheRefinedCentre) {
    // An "L" whose corner is at (a, 5): box centre (a + 5, 10), refined centre (a, 5).
    // It moves 3 pixels per frame; from frame 2 on a decoy lies 7 pixels left of the
    // corner, inside a disc around a prediction made from refined centres but outside the
    // disc of radius 8 around the prediction made from box centres.
    for (int n = 0; n < 6; ++n) {
        const int a = 9 + 3 * n;
        for (int i = 0; i <= 10; ++i) {
            film.at(n).setPixel(a + i, 5, kObject);
            film.at(n).setPixel(a, 5 + i, kObject);
        }
        if (n >= 2) film.at(n).setPixel(a - 7, 5, kObject);
    }
    state.settings(1).refine = true;
    state.settings(1).deviationPx = 8;
    run();
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(centre(1, n + 1), std::make_pair(std::to_string(9 + 3 * n), std::string("25")))
            << "frame " << n;
    EXPECT_EQ(state.trace(1).centre.x, 9 + 15 + 5);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(PredictedPass, AdoptsOnlyInTrackedFramesAndAfterTheTargetedSearch) {
    // The object is 10 off the picked colour in red: found with the first tolerance 40, but
    // the targeted search (second tolerance 5) finds it only once the colour was adopted.
    film.everywhere(8, 8, Rgb{210, 50, 50});
    state.range.end = 3;
    state.settings(1).refine = true;
    state.settings(1).refineTolerance = 5;
    state.settings(1).adoptColour = true;
    run();
    // Frames 0 and 1 do not adopt; frame 2 searches before it adopts; frame 3 finds it.
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(state.trace(1).workingColour, (Rgb{210, 50, 50}));
    // The targeted search misses in frames 0 to 2: their rows hold the refined start (0, 0).
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(centre(1, r), std::make_pair(std::string("0"), std::string("30"))) << r;
    EXPECT_EQ(row(1, 4), "0.12 8 22");
}

TEST_F(PredictedPass, ReadsTheFirstToleranceOnceWhileTheSimpleLoopReadsItPerFrame) {
    film.everywhere(12, 6, kObject);
    state.range.end = 3;
    // The user sets the tolerance to 0 during the first frame's pause.
    host.onPause = [this] { state.settings(1).tolerance = 0; };
    run();
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(centre(1, r).first, "12") << r;

    state.settings(1).tolerance = 40;
    state.settings(1).mode = SearchMode::Simple;
    run();
    EXPECT_EQ(centre(1, 1).first, "12");
    EXPECT_EQ(row(1, 2), "  ") << "the simple loop takes the new tolerance for frame 1";
}

}  // namespace
}  // namespace zebak::test
