#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "core/Stroboscope.h"
#include "support/SyntheticFilm.h"

namespace zebak::test {
namespace {

constexpr Rgb kBack{10, 10, 10};
constexpr Rgb kRed{200, 50, 50};
constexpr Rgb kBlueObj{50, 50, 200};
constexpr Rgb kWhite{255, 255, 255};

/// An 80 x 60 film of 5 frames; slot 1 is picked as kRed, slot 2 as kBlueObj.
class StroboTest : public ::testing::Test {
  protected:
    static constexpr int W = 80;
    static constexpr int H = 60;

    StroboTest() : film(5, W, H, kBack) {
        state.film.size.width = W;
        state.film.size.height = H;
        state.area.right = W;
        state.area.bottom = H;
        state.range.end = 5;
        state.colour(1).picked = kRed;
        state.colour(2).picked = kBlueObj;
    }
    /// A disc of radius r around (cx, cy) on frame n.
    void disc(int n, int cx, int cy, int r, Rgb c) {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    film.at(n).setPixel(x, y, c);
    }
    int run(StroboOptions o = {}) {
        AnalysisJob job = makeAnalysisJob(state);
        return buildStroboscope(job, outputsOf(state), film, host, o);
    }
    Rgb at(int x, int y) const { return state.resultImage.rgb(x, y); }

    Measurement state;
    SyntheticFilm film;
    ScriptedHost host;
};

TEST_F(StroboTest, CircleModeDrawsRedDiscWithWhiteOutlineInsideTheBox) {
    for (int n = 0; n < 5; ++n) disc(n, 30, 30, 4, kRed);
    StroboOptions o;
    o.plainCircles = true;
    EXPECT_EQ(run(o), 5);
    EXPECT_EQ(at(30, 30), (Rgb{255, 0, 0}));
    EXPECT_EQ(at(22, 30), kWhite);  // left edge of the box is the outline
    EXPECT_EQ(at(37, 30), kWhite);
    EXPECT_EQ(at(30, 22), kWhite);
    EXPECT_EQ(at(25, 30), (Rgb{255, 0, 0}));
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (x < 22 || x > 38 || y < 22 || y > 38) {
                EXPECT_EQ(at(x, y), kBack) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(StroboTest, CircleModeWithoutRimAndWithCentreColour) {
    disc(0, 40, 30, 4, kRed);
    film.at(0).setPixel(40, 30, Rgb{190, 60, 40});
    state.range.end = 0;
    StroboOptions o{true, false, true};
    run(o);
    EXPECT_EQ(at(32, 30), (Rgb{190, 60, 40}));
    EXPECT_EQ(at(40, 30), (Rgb{190, 60, 40}));
}

TEST_F(StroboTest, PasteModeWideDeviationCopiesTheWholeBox) {
    disc(1, 40, 30, 4, kRed);
    film.at(1).setPixel(47, 37, Rgb{1, 2, 3});  // a corner pixel of the 17 x 17 box
    state.range.start = 1;
    state.range.end = 1;
    run();
    for (int y = 22; y <= 38; ++y)
        for (int x = 32; x <= 48; ++x) EXPECT_EQ(at(x, y), film.at(1).rgb(x, y));
    EXPECT_EQ(at(47, 37), (Rgb{1, 2, 3}));
}

TEST_F(StroboTest, PasteModeNarrowDeviationLeavesWhiteRingUnderNine) {
    disc(1, 40, 30, 4, kRed);
    state.range.start = 1;
    state.range.end = 1;
    state.settings(1).deviationPx = 10;
    run();
    EXPECT_EQ(at(44, 30), kRed);    // distance 4 < 5: pasted
    EXPECT_EQ(at(45, 30), kWhite);  // distance 5: rim
    EXPECT_EQ(at(48, 30), kWhite);  // distance 8 < 9, still in the box
    EXPECT_EQ(at(46, 36), kWhite);  // 36 + 36 = 72 < 81
    EXPECT_EQ(at(48, 38), kBack);   // 64 + 64 = 128: outside the rim
}

TEST_F(StroboTest, BoxNearTheEdgeStartsAtOne) {
    disc(0, 3, 3, 2, kRed);
    state.range.end = 0;
    state.settings(1).deviationPx = 2;
    run();
    EXPECT_EQ(at(1, 3), kWhite);
    EXPECT_EQ(at(0, 3), kBack);
    EXPECT_EQ(at(3, 0), kBack);
}

TEST_F(StroboTest, EndBeforeStartDrawsOnlyTheBackground) {
    disc(0, 40, 30, 4, kRed);
    disc(3, 10, 10, 4, kRed);
    state.range.start = 3;
    state.range.end = 1;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(state.resultImage, film.at(0));
    EXPECT_EQ(film.seeks, std::vector<int>{0});  // only the background, decoded afresh
}

TEST_F(StroboTest, ColourFollowsTheObjectAndBeepsWhenTheCentreDiffers) {
    for (int n = 0; n < 4; ++n)
        disc(n, 20 + 10 * n, 30, 4, Rgb{static_cast<std::uint8_t>(200 + 5 * n), 50, 50});
    disc(4, 60, 30, 4, Rgb{215, 50, 50});
    film.at(4).setPixel(60, 30, Rgb{0, 0, 0});
    run();
    EXPECT_EQ(state.trace(1).workingColour, (Rgb{215, 50, 50}));
    EXPECT_EQ(host.beeps, std::vector<int>{0});
}

TEST_F(StroboTest, BothColoursColourOneFirstUpToTheLastFrame) {
    for (int n = 0; n < 5; ++n) {
        disc(n, 10 + 10 * n, 15, 4, kRed);
        disc(n, 10 + 10 * n, 45, 4, kBlueObj);
    }
    state.display.analyseColour2 = true;
    StroboOptions o;
    o.plainCircles = true;
    EXPECT_EQ(run(o), 10);
    // The end bar at the frame count ends at the last frame and is not moved.
    EXPECT_EQ(film.seeks, (std::vector<int>{0, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4}));
    EXPECT_TRUE(host.endBarMoves.empty());
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(at(10 + 10 * n, 15), (Rgb{255, 0, 0}));
        EXPECT_EQ(at(10 + 10 * n, 45), (Rgb{0, 0, 255}));
    }
}

TEST_F(StroboTest, NoToTheQuestionStopsAfterDrawingAtThePreviousCentre) {
    disc(0, 20, 30, 4, kRed);
    disc(1, 30, 30, 4, kRed);
    host.answers = {DialogAnswer::No};
    StroboOptions o;
    o.plainCircles = true;
    EXPECT_EQ(run(o), 3);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0],
              "Bei Zweitsuche keinen Punkt gefunden. Fehlerhafte Weiterführung?");
    EXPECT_EQ(film.seeks.back(), 2);
    EXPECT_EQ(at(30, 30), (Rgb{255, 0, 0}));
    EXPECT_EQ(at(40, 30), kBack);  // the empty frame's coarse centre is not drawn
}

TEST_F(StroboTest, AKeyDuringTheRunStopsAfterTheCurrentFrame) {
    for (int n = 0; n < 5; ++n) disc(n, 10 + 10 * n, 30, 4, kRed);
    host.onPause = [&] {
        if (film.currentFrame() == 1) host.control.stopRequested = true;
    };
    EXPECT_EQ(run(), 2);
    EXPECT_EQ(film.seeks, (std::vector<int>{0, 0, 1}));
}

TEST(Ellipse, IsSymmetricAndStaysInItsBox) {
    RgbFrame img(20, 20);
    drawFilledEllipse(img, 2, 4, 18, 14, Rgb{255, 255, 255}, Rgb{255, 0, 0});
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(img.rgb(x, y), img.rgb(19 - x, y)) << x << "," << y;
            if (y <= 17) {
                EXPECT_EQ(img.rgb(x, y), img.rgb(x, 17 - y)) << x << "," << y;
            }
            if (x < 2 || x >= 18 || y < 4 || y >= 14) {
                EXPECT_EQ(img.rgb(x, y), (Rgb{0, 0, 0}));
            }
        }
    }
    EXPECT_EQ(img.rgb(10, 9), (Rgb{255, 0, 0}));
    EXPECT_EQ(img.rgb(2, 9), (Rgb{255, 255, 255}));
}

// An object far larger than the picture costs no more than the picture: only what falls
// inside is drawn, and it is the same as a clipped drawing of the whole outline.
TEST(Ellipse, AnyObjectSizeIsDrawnOnlyInsideThePicture) {
    const Rgb pen{255, 255, 255};
    const Rgb brush{0, 0, 255};
    RgbFrame huge(40, 30);
    drawFilledEllipse(huge, -1'000'000'000, -1'000'000'000, 1'000'000'020, 1'000'000'015, pen,
                      brush);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(huge.rgb(x, y), brush) << x << "," << y;
    // The outline of a large one crosses the picture where the picture drawn whole shows it.
    RgbFrame whole(400, 300);
    drawFilledEllipse(whole, -180, -150, 220, 250, pen, brush);
    RgbFrame corner(100, 100);
    drawFilledEllipse(corner, -180, -150, 220, 250, pen, brush);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(corner.rgb(x, y), whole.rgb(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace zebak::test
