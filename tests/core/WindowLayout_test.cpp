// Window places on today's screens: the result window, the display window during an
// analysis and the position tables never overlap and stay on the screen.
#include "core/WindowLayout.h"

#include <gtest/gtest.h>

namespace zebak {
namespace {

/// The main window maximised on the screen, its menu bar 25 pixels high; the display
/// window at its place during an analysis.
ScreenLayoutInput onScreen(int w, int h, FrameSize frame, bool tables = true) {
    ScreenLayoutInput in;
    in.screen = {0, 0, w, h};
    in.clientX = 0;
    in.clientY = 25;
    in.displayX = 10;
    in.displayY = frame.height > 288 ? 20 : 49;
    in.frame = frame;
    in.tablesShown = tables;
    in.titleBar = 30;
    return in;
}

TEST(FitFrame, KeepsTheAspectRatioAndNeverEnlarges) {
    EXPECT_EQ(fitFrame({320, 240}, {1000, 1000}), (FrameSize{320, 240}));
    EXPECT_EQ(fitFrame({1920, 1080}, {960, 1000}), (FrameSize{960, 540}));
    EXPECT_EQ(fitFrame({1920, 1080}, {1000, 270}), (FrameSize{480, 270}));
    EXPECT_EQ(fitFrame({1080, 1920}, {500, 500}), (FrameSize{281, 500}));
    EXPECT_EQ(fitFrame({640, 480}, {0, 100}), (FrameSize{0, 0}));
    EXPECT_EQ(fitFrame({4000, 1}, {10, 10}), (FrameSize{10, 1})) << "never below a pixel";
}

TEST(PlaceResultWindow, NothingOverlapsAndEverythingIsOnTheScreen) {
    for (const FrameSize screen :
         {FrameSize{1024, 768}, FrameSize{1280, 800}, FrameSize{1600, 1000}, FrameSize{1920, 1080}})
        for (const FrameSize frame : {FrameSize{320, 240}, FrameSize{640, 480},
                                      FrameSize{1920, 1080}, FrameSize{1080, 1920}}) {
            SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height) +
                         " film " + std::to_string(frame.width) + "x" +
                         std::to_string(frame.height));
            const ScreenLayoutInput in = onScreen(screen.width, screen.height, frame);
            const ResultWindowPlace place = placeResultWindow(in);
            const ScreenRect display = analysisDisplay(in);
            const ScreenRect tables{written::kTablesLeft, in.clientY + written::kTablesTop,
                                    written::kTablesWidth, place.tablesHeight};
            const ScreenRect result = place.window;
            const ScreenRect resultFrame{result.x, result.y - in.titleBar, result.width,
                                         result.height + in.titleBar};
            EXPECT_TRUE(in.screen.contains(resultFrame));
            EXPECT_TRUE(in.screen.contains(display));
            EXPECT_TRUE(in.screen.contains(tables));
            EXPECT_FALSE(resultFrame.overlaps(tables));
            EXPECT_FALSE(resultFrame.overlaps(display));
            EXPECT_FALSE(display.overlaps(tables));
            EXPECT_GE(place.tablesHeight, written::kTablesHeight);
            EXPECT_GT(result.width, 100) << "the picture can be seen";
            // The picture keeps the frame's shape (within a pixel of rounding).
            EXPECT_NEAR(static_cast<double>(result.width) / result.height,
                        static_cast<double>(frame.width) / frame.height, 0.02);
            EXPECT_LE(result.width, frame.width);
        }
}

TEST(PlaceResultWindow, WrittenPlaceWhereItFitsAndTheTablesTakeTheFreeHeight) {
    // Stroboscope: tables hidden, a small frame on a large screen stays at (538, 422).
    const ResultWindowPlace strobe = placeResultWindow(onScreen(1920, 1080, {320, 240}, false));
    EXPECT_EQ(strobe.window, (ScreenRect{538, 422, 320, 240}));
    // With the tables shown the window moves; right of the design area on a wide screen
    // the frame is shown at full size and the tables reach down to the screen's bottom.
    const ResultWindowPlace wide = placeResultWindow(onScreen(1920, 1080, {640, 480}));
    EXPECT_EQ(wide.window.width, 640);
    EXPECT_GE(wide.window.x, written::kDesignWidth);
    EXPECT_EQ(wide.tablesHeight, 1080 - 25 - written::kTablesTop - 8);
    // On 1024x768 there is no room at the right: below the tables, scaled.
    const ResultWindowPlace small = placeResultWindow(onScreen(1024, 768, {640, 480}));
    EXPECT_EQ(small.window.x, written::kTablesLeft);
    EXPECT_LT(small.window.width, 640);
}

TEST(AnalysisDisplay, FullFrameWhereItFitsScaledElse) {
    EXPECT_EQ(analysisDisplay(onScreen(1280, 800, {320, 240})), (ScreenRect{10, 49, 320, 240}));
    const ScreenRect hd = analysisDisplay(onScreen(1280, 800, {1920, 1080}));
    EXPECT_EQ(hd.x, 10);
    EXPECT_EQ(hd.width, written::kTablesLeft - 8 - 10);
    EXPECT_EQ(hd.height, hd.width * 1080 / 1920);
    // For the calibration's points only the screen limits the full frame.
    EXPECT_EQ(fullFrameDisplay(onScreen(1280, 800, {640, 480})), (ScreenRect{10, 20, 640, 480}));
    const ScreenRect big = fullFrameDisplay(onScreen(1280, 800, {1920, 1080}));
    EXPECT_EQ(big.width, 1270);
    EXPECT_TRUE((ScreenRect{0, 0, 1280, 800}).contains(big));
}

}  // namespace
}  // namespace zebak
