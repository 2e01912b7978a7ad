#pragma once

#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "core/FilmAnalysis.h"
#include "core/PositionTable.h"
#include "support/SyntheticFilm.h"

namespace zebak::test {

inline constexpr Rgb kObject{200, 50, 50};
inline constexpr Rgb kObject2{50, 50, 200};

/// A 40 x 30 film of dark frames, the state as after loading it in automatic mode, colour 1
/// picked as kObject and colour 2 as kObject2, and a scripted host.
class AnalysisTest : public ::testing::Test {
  protected:
    static constexpr int W = 40;
    static constexpr int H = 30;

    explicit AnalysisTest(int frames = 6) : film(frames, W, H) {
        state.film.size.width = W;
        state.film.size.height = H;
        state.area.right = W;
        state.area.bottom = H;
        state.calibration.origin.y = H;
        state.range.end = frames;
        for (SlotNumber s : {1, 2}) {
            state.colour(s).picked = s == 1 ? kObject : kObject2;
            state.colour(s).assigned = true;
            state.settings(s).mode = SearchMode::Simple;
        }
    }

    /// Runs "Filmanalyse" and returns row `row` of the slot's table as "t x y".
    void run() {
        AnalysisJob job = makeAnalysisJob(state);
        host.follow(state, job);
        analyseFilm(job, outputsOf(state), film, host);
        host.unfollow();
    }
    std::string row(SlotNumber slot, int r) const {
        const PositionGrid& g = state.grid(slot);
        return g.cell(r, 0) + " " + g.cell(r, 1) + " " + g.cell(r, 2);
    }
    /// The pixel centre that row r holds (x, y in pixels; table y grows upward from H).
    std::pair<std::string, std::string> centre(SlotNumber slot, int r) const {
        return {state.grid(slot).cell(r, 1), state.grid(slot).cell(r, 2)};
    }

    Measurement state;
    SyntheticFilm film;
    ScriptedHost host;
};

}  // namespace zebak::test
