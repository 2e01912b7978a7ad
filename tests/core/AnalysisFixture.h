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
        state.Videobreite = W;
        state.Videohoehe = H;
        state.SuchbereichRechts = W;
        state.SuchbereichUnten = H;
        state.NullpunktY = H;
        state.analyse.sequenceEnd = frames;
        for (SlotNumber s : {1, 2}) {
            state.slot(s).Startfarbe = s == 1 ? kObject : kObject2;
            state.slot(s).zugewiesen = true;
            state.settings(s).modus = SearchMode::Einfach;
        }
    }

    /// Runs "Filmanalyse" and returns row `row` of the slot's table as "t x y".
    void run() { FilmAnalyseBtnClick(state, film, host); }
    std::string row(SlotNumber slot, int r) const {
        const PositionGrid& g = state.tabelle(slot);
        return g.cell(r, 0) + " " + g.cell(r, 1) + " " + g.cell(r, 2);
    }
    /// The pixel centre that row r holds (x, y in pixels; table y grows upward from H).
    std::pair<std::string, std::string> centre(SlotNumber slot, int r) const {
        return {state.tabelle(slot).cell(r, 1), state.tabelle(slot).cell(r, 2)};
    }

    ProgramState state;
    SyntheticFilm film;
    ScriptedHost host;
};

}  // namespace zebak::test
