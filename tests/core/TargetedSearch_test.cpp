#include "AnalysisFixture.h"
#include "core/Search.h"

namespace zebak::test {
namespace {

class TargetedSearch : public AnalysisTest {
  protected:
    TargetedSearch() : AnalysisTest(3) {
        state.settings(1).refine = true;
        state.settings(2).refine = true;
    }
    /// An "L": a bar along y = 10 from x = 10 to 20 and one along x = 10 from y = 10 to 20.
    void drawL(int n) {
        for (int i = 10; i <= 20; ++i) {
            film.at(n).setPixel(i, 10, kObject);
            film.at(n).setPixel(10, i, kObject);
        }
    }
};

TEST_F(TargetedSearch, RefinedCentreIsTheMeanOfTheChordMidpoints) {
    drawL(0);
    run();
    // Box centre (15, 15); rows: one chord 10..20 (mid 15) and ten single pixels at 10,
    // (15 + 10 * 10) div 11 = 10; columns likewise.
    EXPECT_EQ(row(1, 1), "0 10 20");
    EXPECT_TRUE(host.questions.size() == 2u) << "frames 1 and 2 hold no object";
    EXPECT_EQ(state.resultImage.rgb(20, 10), (Rgb{0, 0, 0}))
        << "colour 1 draws matches of the second search black";
    EXPECT_EQ(state.resultImage.rgb(10, 14), (Rgb{0, 0, 0}));
    EXPECT_EQ(state.resultImage.rgb(10, 9), (Rgb{128, 128, 128}))
        << "the refined cross is grey while found pixels are shown";
}

TEST_F(TargetedSearch, ObjectSizeZeroOrOneExaminesOnlyTheFirstCentre) {
    for (int size : {0, 1}) {
        SyntheticFilm f(2, W, H);
        f.at(0).setPixel(12, 7, kObject);
        f.at(1).setPixel(12, 7, kObject), f.at(1).setPixel(14, 7, kObject);  // centre 13: dark
        state.settings(1).objectSizePx = size;
        state.range.end = 1;
        host.questions.clear();
        {
            AnalysisJob job = makeAnalysisJob(state);
            analyseFilm(job, outputsOf(state), f, host);
        }
        EXPECT_EQ(row(1, 1), "0 12 23") << size;
        EXPECT_EQ(host.questions.size(), 1u) << size;
        EXPECT_EQ(row(1, 2), "0.04 12 23") << "the previous refined centre is carried over";
    }
}

TEST_F(TargetedSearch, NegativeObjectSizeGivesAnEmptyWindowAndAQuestionPerFrame) {
    state.display.analyseColour1 = false;
    state.display.analyseColour2 = true;
    film.everywhere(5, 5, kObject2);
    state.settings(2).objectSizePx = -2;
    state.trace(2).refinedCentre.x = 3;
    state.trace(2).refinedCentre.y = 4;
    run();
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[0],
              "Bei Zweitsuche keinen Punkt gefunden. Fehlerhafte Weiterführung?");
    EXPECT_EQ(row(2, 3), "0.08 3 26");

    state.settings(2).objectSizePx = -1;  // like 0 and 1
    host.questions.clear();
    run();
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(row(2, 3), "0.08 5 25");
}

TEST_F(TargetedSearch, AnswerNoStopsTheLoopAfterRecordingTheFrame) {
    film.at(0).setPixel(6, 6, kObject);
    film.at(2).setPixel(6, 6, kObject);
    state.settings(1).objectSizePx = 4;
    host.answers = {DialogAnswer::No};
    run();
    EXPECT_TRUE(host.control.stopRequested);
    EXPECT_EQ(state.grid(1).rowCount(), 3) << "frame 1 is recorded, frame 2 is not analysed";
    EXPECT_EQ(row(1, 2), "  ") << "frame 1: indicator red, so the row is empty";

    host.answers = {DialogAnswer::Yes};
    run();
    EXPECT_EQ(state.grid(1).rowCount(), 4);
    EXPECT_EQ(row(1, 3), "0.08 6 24");
}

TEST_F(TargetedSearch, WindowSkipsRowAndColumnZeroButTakesTheAreasRightColumn) {
    film.at(0).setPixel(0, 5, kObject);
    film.at(0).setPixel(2, 5, kObject);  // box centre (1, 5); column 0 is never examined
    state.area.right = 30;
    film.at(1).setPixel(29, 12, kObject);
    film.at(1).setPixel(30, 12, kObject);  // the scan sees only x = 29, the window also 30
    state.settings(1).objectSizePx = 6;
    run();
    EXPECT_EQ(row(1, 1), "0 2 25");
    EXPECT_EQ(row(1, 2), "0.04 29 18");
    EXPECT_EQ(state.trace(1).refinedCentre.x, 29) << "(29 + 30) div 2 in frame 1";
}

TEST_F(TargetedSearch, StopDuringItsBrakePauseLeavesTheFrameWithoutRow) {
    film.everywhere(6, 6, kObject);
    host.onPause = [this] { host.control.stopRequested = true; };
    run();
    EXPECT_EQ(state.grid(1).rowCount(), 2);
    EXPECT_EQ(row(1, 1), "  ");
}

class ColourAdoption : public AnalysisTest {
  protected:
    ColourAdoption() : AnalysisTest(6) {}
};

TEST_F(ColourAdoption, FollowsADriftingColourAndBeepsWhenTheCentreNoLongerMatches) {
    // The object darkens by 20 per frame in red; tolerance 30 keeps each step in reach only
    // when the working colour moves along.
    for (int n = 0; n < 6; ++n)
        for (int x = 10; x <= 12; ++x)
            film.at(n).setPixel(x, 10, Rgb{static_cast<std::uint8_t>(200 - 20 * n), 50, 50});
    state.settings(1).tolerance = 30;
    run();
    EXPECT_EQ(row(1, 3), "  ") << "without adoption the object is lost at frame 2";

    state.settings(1).adoptColour = true;
    run();
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(centre(1, r).first, "11") << r;
    EXPECT_EQ(state.trace(1).workingColour, (Rgb{100, 50, 50}));
    EXPECT_EQ(state.colour(1).picked, kObject) << "the picked colour never changes";
    EXPECT_TRUE(host.beeps.empty());

    // A ring: the centre pixel has another colour, so adoption beeps every frame.
    SyntheticFilm ring(2, W, H);
    for (int n = 0; n < 2; ++n) {
        ring.at(n).setPixel(10, 10, kObject), ring.at(n).setPixel(12, 10, kObject);
    }
    state.range.end = 2;
    {
        AnalysisJob job = makeAnalysisJob(state);
        analyseFilm(job, outputsOf(state), ring, host);
    }
    EXPECT_EQ(host.beeps, (std::vector<int>{1, 1}));
    EXPECT_EQ(state.trace(1).workingColour, kObject);
}

TEST_F(ColourAdoption, ColourOneAdoptsBeforeItsTargetedSearchColourTwoAfter) {
    // The object is 10 off the picked colour in red: within the first tolerance 40 but not
    // within a second tolerance of 5, unless the colour was adopted first.
    film.everywhere(8, 8, Rgb{210, 50, 50});
    film.everywhere(20, 20, Rgb{60, 50, 200});
    state.range.end = 0;
    state.display.analyseColour2 = true;
    for (SlotNumber s : {1, 2}) {
        state.settings(s).adoptColour = true;
        state.settings(s).refine = true;
        state.settings(s).refineTolerance = 5;
    }
    run();
    ASSERT_EQ(host.questions.size(), 1u) << "only colour 2 misses in its targeted search";
    EXPECT_EQ(row(1, 1), "0 8 22");
    EXPECT_EQ(state.trace(2).workingColour, (Rgb{60, 50, 200})) << "colour 2 adopted afterwards";
}

}  // namespace
}  // namespace zebak::test
