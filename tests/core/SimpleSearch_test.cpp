#include "AnalysisFixture.h"

namespace zebak::test {
namespace {

class SimpleSearch : public AnalysisTest {};

TEST_F(SimpleSearch, CentreIsTheMidpointOfTheMatchingPixelsBoundingBox) {
    film.at(0).setPixel(7, 5, kObject);                                        // single pixel
    film.at(1).setPixel(10, 4, kObject), film.at(1).setPixel(13, 4, kObject);  // 10 and 13
    film.at(2).setPixel(2, 3, kObject), film.at(2).setPixel(30, 20, kObject);  // two objects
    film.at(3).setPixel(0, 0, kObject);                                        // the corner pixel
    run();
    EXPECT_EQ(row(1, 1), "0 7 25");
    EXPECT_EQ(row(1, 2), "0.04 11 26");
    EXPECT_EQ(row(1, 3), "0.08 16 19") << "midpoint of the common box: (16, 11)";
    EXPECT_EQ(row(1, 4), "0.12 0 30") << "a match at (0, 0) still counts as found";
    EXPECT_EQ(state.grid(1).rowCount(), 7) << "end bar at 6 pulled back to 5";
    EXPECT_EQ(host.endBarMoves, std::vector<int>{5});
    EXPECT_EQ(state.range.end, 5);
}

TEST_F(SimpleSearch, NoMatchGivesTheFrameMiddleAnEmptyRowAndTheErrorSound) {
    film.at(0).setPixel(3, 3, kObject);
    film.at(2).setPixel(9, 8, kObject);
    state.settings(1).adoptColour = true;  // adoption of frame 1 samples the middle
    run();
    EXPECT_EQ(row(1, 2), "  ");
    EXPECT_EQ(row(1, 3), "0.08 9 22") << "the next found frame continues";
    EXPECT_EQ(host.sounds.size(), 4u) << "frames 1, 3, 4, 5 not found";
    EXPECT_EQ(state.trace(1).centre.x, W / 2);
    EXPECT_EQ(state.trace(1).centre.y, H / 2);
    EXPECT_EQ(state.resultImage.rgb(W / 2, H / 2), (Rgb{0, 0, 0}))
        << "the marker of a lost frame sits in the middle";
}

TEST_F(SimpleSearch, EmptySearchAreaFindsNothingAndTheRightColumnAndBottomRowAreNotScanned) {
    film.everywhere(20, 10, kObject);
    state.area.left = state.area.right = 20;
    run();
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(row(1, r), "  ") << r;

    state.area.left = 5;
    state.area.top = 2;
    state.area.right = 20;  // x = 20 lies just outside the scan
    state.area.bottom = 25;
    state.range.end = 6;
    run();
    EXPECT_EQ(row(1, 1), "  ");
    state.area.right = 21;
    state.area.bottom = 10;  // y = 10 lies just outside the scan
    run();
    EXPECT_EQ(row(1, 1), "  ");
    state.area.bottom = 11;
    run();
    EXPECT_EQ(row(1, 1), "0 20 20");
}

TEST_F(SimpleSearch, StartAfterEndAnalysesNothingAndRangeEndsAreIncluded) {
    film.everywhere(1, 1, kObject);
    state.range.start = 4;
    state.range.end = 3;
    run();
    EXPECT_EQ(state.grid(1).rowCount(), 2);
    EXPECT_TRUE(film.seeks.empty());

    state.range.start = 2;
    state.range.end = 4;
    run();
    EXPECT_EQ(film.seeks, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(row(1, 1), "0 1 29");
    EXPECT_EQ(row(1, 3), "0.08 1 29");
}

TEST_F(SimpleSearch, DrawsFoundPixelsInTheSlotColourAndTheMarkers) {
    film.everywhere(10, 10, kObject);
    film.everywhere(12, 12, kObject);
    film.everywhere(30, 20, kObject2);
    state.display.analyseColour2 = true;
    run();
    const RgbFrame& image = state.resultImage;
    EXPECT_EQ(image.rgb(10, 10), (Rgb{255, 0, 0}));
    EXPECT_EQ(image.rgb(11, 9), (Rgb{0, 0, 0})) << "cross of colour 1 is black";
    EXPECT_EQ(image.rgb(11, 14), (Rgb{255, 255, 255})) << "the cross spans 5 pixels";
    EXPECT_EQ(image.rgb(30, 22), (Rgb{255, 0, 0})) << "cross of colour 2 is red";
    EXPECT_EQ(image.rgb(31, 21), (Rgb{255, 255, 255}));
    EXPECT_EQ(host.crosses.front(), std::make_pair(11, 11));

    state.display.showFoundPixels = false;
    state.display.dotMarker = true;
    host.crosses.clear();
    run();
    EXPECT_EQ(state.resultImage.rgb(10, 10), (Rgb{255, 255, 255}));
    EXPECT_EQ(state.resultImage.rgb(11, 11), (Rgb{0, 0, 0}));
    EXPECT_EQ(state.resultImage.rgb(30, 20), (Rgb{255, 0, 0}));
    EXPECT_TRUE(host.crosses.empty()) << "the \".\" marker paints nothing on the display";
}

TEST_F(SimpleSearch, AbortDuringColourOneStillRunsColourTwoFromTheStart) {
    film.everywhere(5, 5, kObject);
    film.everywhere(6, 6, kObject2);
    state.display.analyseColour2 = true;
    state.settings(2).mode = SearchMode::Predicted;
    int pauses = 0;
    host.onPause = [this, &pauses] {
        if (++pauses == 2)
            host.control.stopRequested = true;  // "Abbrechen" during colour 1's second frame
    };
    run();
    EXPECT_EQ(state.grid(1).rowCount(), 3) << "colour 1 stopped after its second frame";
    EXPECT_EQ(state.grid(2).rowCount(), 7);
    EXPECT_EQ(row(2, 6), "0.2 6 24");
}

TEST_F(SimpleSearch, UnpickedColoursStopTheCommandBeforeAnythingChanges) {
    state.colour(1).assigned = false;
    state.display.analyseColour2 = true;
    state.colour(2).assigned = false;
    state.grid(1).setRowCount(5);
    run();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], kKeineFarbe1);
    state.colour(1).assigned = true;
    run();
    EXPECT_EQ(host.messages.back(), kKeineFarbe2);
    EXPECT_EQ(host.pagesShown, (std::vector<SlotNumber>{1, 2}));
    EXPECT_EQ(state.grid(1).rowCount(), 5);
    EXPECT_TRUE(film.seeks.empty());
}

TEST_F(SimpleSearch, StartsFromThePickedColourAndPausesWithTheBrake) {
    state.trace(1).workingColour = Rgb{1, 2, 3};
    state.display.brakeMs = 250;
    state.range.end = 1;
    film.everywhere(4, 4, kObject);
    run();
    EXPECT_EQ(row(1, 2), "0.04 4 26");
    EXPECT_EQ(host.pauses, (std::vector<int>{250, 250}));
}

}  // namespace
}  // namespace zebak::test
