#include "AnalysisFixture.h"

namespace zebak::test {
namespace {

class Prediction : public AnalysisTest {
  protected:
    Prediction() : AnalysisTest(6) { state.settings(1).mode = SearchMode::Predicted; }
};

TEST_F(Prediction, SearchesOnlyTheDiscAroundTheExtrapolatedCentre) {
    // The object moves 4 pixels right per frame; a decoy of the same colour stays at (3, 25).
    for (int n = 0; n < 6; ++n) film.at(n).setPixel(8 + 4 * n, 10, kObject);
    film.at(2).setPixel(3, 25, kObject);
    film.at(3).setPixel(3, 25, kObject);
    state.settings(1).deviationPx = 2;
    film.at(0).setPixel(8, 20, kObject);  // frame 0 centre (8, 15), frame 1 (12, 10)
    run();
    EXPECT_EQ(row(1, 1), "0 8 15");
    EXPECT_EQ(row(1, 2), "0.04 12 20");
    // Prediction 2 * (12, 10) - (8, 15) = (16, 5): the object at (16, 10) lies 5 away, outside.
    EXPECT_EQ(row(1, 3), "  ");
    // Lost frame: centre (20, 15); prediction 2 * (20, 15) - (12, 10) = (28, 20): still lost.
    EXPECT_EQ(row(1, 4), "  ");
    EXPECT_EQ(host.sounds.size(), 4u);
}

TEST_F(Prediction, FollowsAStraightPathAndIgnoresAFarDecoy) {
    for (int n = 0; n < 6; ++n) film.at(n).setPixel(5 + 5 * n, 12 + n, kObject);
    for (int n = 2; n < 6; ++n) film.at(n).setPixel(2, 2, kObject);
    film.at(5).setPixel(31, 18, kObject);  // off the marker cross; the centre stays (30, 17)
    state.settings(1).deviationPx = 3;
    state.display.showDeviation = true;
    run();
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(centre(1, n + 1),
                  std::make_pair(std::to_string(5 + 5 * n), std::to_string(18 - n)));
    const RgbFrame& image = state.resultImage;
    EXPECT_EQ(image.rgb(30, 14), (Rgb{255, 255, 0})) << "disc of the last frame painted yellow";
    EXPECT_EQ(image.rgb(31, 18), (Rgb{255, 0, 0})) << "its found pixel red";
    EXPECT_EQ(image.rgb(34, 17), (Rgb{255, 255, 255})) << "outside the disc of radius 3";
}

TEST_F(Prediction, DiscNeverReachesRowOrColumnZeroButTakesTheAreasRightColumn) {
    state.area.right = 20;
    film.at(0).setPixel(1, 1, kObject);
    film.at(1).setPixel(1, 1, kObject);
    film.at(2).setPixel(0, 1, kObject);  // column 0: never examined
    film.at(3).setPixel(1, 0, kObject);  // row 0: never examined
    film.at(4).setPixel(1, 1, kObject);
    film.at(5).setPixel(20, 1, kObject);  // x = SuchbereichRechts: inside the disc window
    state.settings(1).deviationPx = 500;
    run();
    EXPECT_EQ(row(1, 3), "  ");
    EXPECT_EQ(row(1, 4), "  ");
    EXPECT_EQ(centre(1, 5), std::make_pair(std::string("1"), std::string("29")));
    EXPECT_EQ(centre(1, 6), std::make_pair(std::string("20"), std::string("29")));
}

TEST_F(Prediction, AOneFrameRangeStillAnalysesSAndSPlusOne) {
    film.everywhere(7, 7, kObject);
    state.range.start = 2;
    state.range.end = 2;
    run();
    EXPECT_EQ(film.seeks, (std::vector<int>{2, 3}));
    EXPECT_EQ(row(1, 2), "0.04 7 23");
    EXPECT_EQ(state.grid(1).rowCount(), 3);

    film.seeks.clear();
    state.range.start = 5;  // s + 1 lies at the end position, which is no frame
    state.range.end = 6;
    run();
    EXPECT_EQ(film.seeks, (std::vector<int>{5}));
    EXPECT_EQ(state.range.end, 5);
    EXPECT_EQ(state.grid(1).rowCount(), 2) << "no row for a frame the film does not have";
}

TEST_F(Prediction, NegativeOrHugeRadiusIsSafe) {
    state.settings(2).mode = SearchMode::Predicted;
    state.display.analyseColour1 = false;
    state.display.analyseColour2 = true;
    film.everywhere(9, 9, kObject2);
    state.settings(2).deviationPx = -5;  // colour 2's field has no bounds
    run();
    EXPECT_EQ(row(2, 2), "0.04 9 21");
    EXPECT_EQ(row(2, 3), "  ") << "an empty window finds nothing";
    state.settings(2).deviationPx = 1000000;
    run();
    EXPECT_EQ(row(2, 6), "0.2 9 21");
}

TEST_F(Prediction, AbortIsCheckedAfterTheScanOfTrackedFramesOnly) {
    film.everywhere(7, 7, kObject);
    host.onPause = [this] { host.control.stopRequested = true; };
    run();
    EXPECT_EQ(state.grid(1).rowCount(), 3)
        << "both initial frames; the first tracked frame ends right after its scan";
}

}  // namespace
}  // namespace zebak::test
