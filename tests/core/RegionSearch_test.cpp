#include <cmath>
#include <functional>

#include "AnalysisFixture.h"
#include "core/RegionSearch.h"

namespace zebak::test {
namespace {

/// The runs of the pixels of a w x h picture for which `marked` holds, in scan order.
MarkedRuns marksOf(int w, int h, const std::function<bool(int, int)>& marked) {
    MarkedRuns m;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (marked(x, y)) m.add(x, y);
    return m;
}

/// Pixels whose centre lies within radius r of (cx, cy).
std::function<bool(int, int)> disc(double cx, double cy, double r) {
    return [=](int x, int y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

std::size_t regionCount(const MarkedRuns& m) { return connectedRegions(m.runs()).regions.size(); }

TEST(RegionSearch, SmallGapsAreBridgedAndNeighboursStaySeparate) {
    // Two 3 x 3 squares side by side, below each other and diagonal, `gap` pixels apart.
    for (int gap = 0; gap <= 4; ++gap) {
        const int far = 3 + gap;
        auto square = [](int x, int y, int left, int top) {
            return x >= left && x < left + 3 && y >= top && y < top + 3;
        };
        const MarkedRuns across = marksOf(
            30, 30, [&](int x, int y) { return square(x, y, 2, 2) || square(x, y, 2 + far, 2); });
        const MarkedRuns down = marksOf(
            30, 30, [&](int x, int y) { return square(x, y, 2, 2) || square(x, y, 2, 2 + far); });
        const MarkedRuns diagonal = marksOf(30, 30, [&](int x, int y) {
            return square(x, y, 2, 2) || square(x, y, 2 + far, 2 + far);
        });
        const std::size_t expected = gap <= kBridgedGapPx ? 1 : 2;
        EXPECT_EQ(regionCount(across), expected) << gap;
        EXPECT_EQ(regionCount(down), expected) << gap;
        EXPECT_EQ(regionCount(diagonal), expected) << gap;
    }
    // A comb: teeth joined only through a bar far below still form one region, and a
    // region's sums and box cover all of its runs.
    const MarkedRuns comb =
        marksOf(30, 30, [](int x, int y) { return (y == 20 && x < 25) || (x % 6 == 0 && x < 25); });
    const RegionSet set = connectedRegions(comb.runs());
    ASSERT_EQ(set.regions.size(), 1u);
    EXPECT_EQ(set.regions[0].left, 0);
    EXPECT_EQ(set.regions[0].right, 24);
    EXPECT_EQ(set.regions[0].bottom, 29);
}

TEST(RegionSearch, MeanCentresOfRingsAndDiscs) {
    // A ring's centre lies in its hole, where no pixel is marked.
    const MarkedRuns ring = marksOf(40, 40, [](int x, int y) {
        const double d = std::hypot(x - 17.5, y - 20.5);
        return d >= 6 && d <= 9;
    });
    SlotTrace trace;
    const auto c = regionCentre(true, true, ring.runs(), std::nullopt, {}, trace);
    ASSERT_TRUE(c);
    EXPECT_NEAR(c->exact.x, 17.5, 1e-9);
    EXPECT_NEAR(c->exact.y, 20.5, 1e-9);
    EXPECT_EQ(c->centre, (PixelPoint{18, 21})) << "the marker at the rounded mean";
    // Discs drawn at fractional centres: the mean of their pixels meets the centre within
    // 0.05 px on average (a single disc of hard pixels can be off by up to a tenth).
    double sum = 0;
    int count = 0;
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            const double cx = 30 + 0.2 * i + 0.05;
            const double cy = 25 + 0.2 * j + 0.13;
            const MarkedRuns m = marksOf(60, 50, disc(cx, cy, 9));
            SlotTrace t;
            const auto d = regionCentre(false, true, m.runs(), std::nullopt, {}, t);
            ASSERT_TRUE(d);
            EXPECT_LT(std::abs(d->exact.x - cx), 0.12);
            sum += std::abs(d->exact.x - cx) + std::abs(d->exact.y - cy);
            count += 2;
        }
    }
    EXPECT_LT(sum / count, 0.05);
}

TEST(RegionSearch, ChoosesThePickedThenThePredictedObjectOfItsSize) {
    // Three regions: a 5 x 5 square at (10, 10), a 5 x 5 one at (30, 10), a single pixel at
    // (20, 11) and a large 12 x 12 look-alike at (20, 30).
    auto scene = [](int dx) {
        return marksOf(60, 50, [dx](int x, int y) {
            const bool a = x >= 8 + dx && x <= 12 + dx && y >= 8 && y <= 12;
            const bool b = x >= 28 && x <= 32 && y >= 8 && y <= 12;
            const bool big = x >= 14 && x <= 25 && y >= 24 && y <= 35;
            return a || b || big || (x == 20 && y == 11);
        });
    };
    SlotTrace trace;
    const MarkedRuns first = scene(0);
    auto c = regionCentre(true, false, first.runs(), PixelPoint{29, 9}, {}, trace);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->centre, (PixelPoint{30, 10})) << "the region at the pick";
    EXPECT_EQ(trace.objectPixels, 25);
    SlotTrace largest;
    c = regionCentre(true, false, first.runs(), std::nullopt, {}, largest);
    EXPECT_EQ(c->centre, (PixelPoint{19, 29})) << "no pick: the largest region";
    // The prediction lies nearer the single pixel and the big square's edge than the
    // objects: the nearest region of the object's size wins.
    trace.objectPixels = 25;
    c = regionCentre(true, false, first.runs(), std::nullopt, PixelPoint{19, 14}, trace);
    EXPECT_EQ(c->centre, (PixelPoint{10, 10}));
    c = regionCentre(true, false, scene(3).runs(), std::nullopt, PixelPoint{17, 12}, trace);
    EXPECT_EQ(c->centre, (PixelPoint{13, 10})) << "the moved square, nearest of its size";
    // After a loss the region most like the object last seen, wherever it lies.
    trace.lost = true;
    trace.objectPixels = 130;
    trace.centre = {30, 10};
    c = regionCentre(true, false, first.runs(), std::nullopt, PixelPoint{30, 10}, trace);
    EXPECT_EQ(c->centre, (PixelPoint{19, 29}));
    EXPECT_FALSE(trace.lost);
    EXPECT_EQ(trace.objectPixels, 144);
    // Nothing marked: no centre, and the object counts as lost.
    EXPECT_FALSE(regionCentre(true, true, {}, std::nullopt, {}, trace));
    EXPECT_TRUE(trace.lost);
}

class RegionAnalysis : public AnalysisTest {
  protected:
    RegionAnalysis() : AnalysisTest(4) { state.settings(1).connected = true; }
};

TEST_F(RegionAnalysis, FollowsTheObjectPastALookAlikeAndAStrayPixel) {
    // The object, a 3 x 3 square, moves 4 px right per frame; a second square of its
    // colour stays at (32, 22) and a stray pixel of it lights up at (2, 2) in frame 2.
    for (int n = 0; n < 4; ++n)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                film.at(n).setPixel(8 + 4 * n + dx, 10 + dy, kObject);
                film.at(n).setPixel(32 + dx, 22 + dy, kObject);
            }
    film.at(2).setPixel(2, 2, kObject);
    state.colour(1).pickedAtKnown = true;
    state.colour(1).pickedAt = {7, 9};
    for (SearchMode mode : {SearchMode::Simple, SearchMode::Predicted}) {
        state.settings(1).mode = mode;
        state.settings(1).deviationPx = 8;
        run();
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(centre(1, n + 1),
                      std::make_pair(std::to_string(8 + 4 * n), std::string("20")))
                << "frame " << n;
    }
    // Without the option the box of every matching pixel: between the two squares.
    state.settings(1).connected = false;
    state.settings(1).mode = SearchMode::Simple;
    run();
    EXPECT_EQ(centre(1, 1), std::make_pair(std::string("20"), std::string("14")));
    // "Subpixel": the mean of the object's pixels, two decimals in pixels.
    state.settings(1).connected = true;
    state.settings(1).subpixel = true;
    film.at(0).setPixel(10, 10, kObject);
    run();
    EXPECT_EQ(centre(1, 1), std::make_pair(std::string("8.20"), std::string("20.00")));
    EXPECT_EQ(centre(1, 2), std::make_pair(std::string("12.00"), std::string("20.00")));
}

}  // namespace
}  // namespace zebak::test
