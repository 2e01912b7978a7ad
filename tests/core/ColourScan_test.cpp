// The fast full-area scan must find exactly the pixels the plain match rule finds.
#include <gtest/gtest.h>

#include <random>

#include "core/ColourMatch.h"
#include "core/Search.h"

namespace zebak {
namespace {

struct Expected {
    int minX, minY, maxX, maxY, count;
};

/// Box and number of matches by the plain rule, pixel by pixel.
Expected bruteForce(const RgbFrame& f, Rgb ref, int t, int left, int top, int right, int bottom) {
    Expected e{f.width(), f.height(), 0, 0, 0};
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            if (!colourMatches(f.rgb(x, y), ref, t)) continue;
            e.minX = std::min(e.minX, x);
            e.maxX = std::max(e.maxX, x);
            e.minY = std::min(e.minY, y);
            e.maxY = std::max(e.maxY, y);
            ++e.count;
        }
    return e;
}

TEST(ColourScanTest, FastScanFindsExactlyWhatTheRuleFinds) {
    std::mt19937 random(99);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 300; ++round) {
        const int w = any(1, 83);
        const int h = any(1, 7);
        RgbFrame f(w, h);
        // Few distinct values, so matches happen, including at 0 and 255.
        const int values[] = {0, 1, 2, 39, 40, 41, 128, 214, 215, 216, 254, 255};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                f.setPixel(x, y,
                           Rgb{static_cast<std::uint8_t>(values[any(0, 11)]),
                               static_cast<std::uint8_t>(values[any(0, 11)]),
                               static_cast<std::uint8_t>(values[any(0, 11)])});
        const Rgb ref{static_cast<std::uint8_t>(values[any(0, 11)]),
                      static_cast<std::uint8_t>(values[any(0, 11)]),
                      static_cast<std::uint8_t>(values[any(0, 11)])};
        const int t = std::vector<int>{0, 1, 2, 40, 41, 200, 255}[any(0, 6)];

        Measurement state;
        state.film.size.width = w;
        state.film.size.height = h;
        state.area.left = any(0, w);
        state.area.right = any(state.area.left, w);
        state.area.top = any(0, h);
        state.area.bottom = any(state.area.top, h);
        state.trace(1).workingColour = ref;
        state.trace(1).tolerance = static_cast<std::uint8_t>(t);
        state.display.showFoundPixels = true;
        state.resultImage = RgbFrame(w, h);
        state.resultImage.fill(Rgb{1, 2, 3});

        const Expected e = bruteForce(f, ref, t, state.area.left, state.area.top, state.area.right,
                                      state.area.bottom);
        const BoundingBox box =
            scanSearchArea(state.area, state.film.size, f, ColourMatcher(ref, t),
                           {&state.resultImage, slotTraits(1).foundColour});
        ASSERT_EQ(box.found(w, h), e.count > 0) << "round " << round;
        if (e.count > 0) {
            ASSERT_EQ(box.minX, e.minX) << "round " << round;
            ASSERT_EQ(box.maxX, e.maxX) << "round " << round;
            ASSERT_EQ(box.minY, e.minY) << "round " << round;
            ASSERT_EQ(box.maxY, e.maxY) << "round " << round;
        }
        // Every match, and nothing else, was painted in colour 1's found colour.
        int painted = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (state.resultImage.rgb(x, y) != Rgb{1, 2, 3}) ++painted;
        ASSERT_EQ(painted, e.count) << "round " << round;
    }
}

}  // namespace
}  // namespace zebak
