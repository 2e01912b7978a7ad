// "Objekt wiedersuchen": a predicted-position pass that loses the object searches the whole
// area again and predicts afresh from where it finds it.
#include "AnalysisFixture.h"
#include "core/NumberText.h"

namespace zebak::test {
namespace {

class Reacquire : public AnalysisTest {
  protected:
    Reacquire() : AnalysisTest(24) {
        state.settings(1).mode = SearchMode::Predicted;
        state.settings(1).deviationPx = 3;
        state.settings(1).refine = false;
    }
    /// The object (a 3x3 square) enters at frame 10 and moves 1 px right a frame; it is
    /// hidden in frames 15 to 19. A decoy of its colour sits at (36, 3) from frame 0 on, but
    /// only in frames 0 to 9, so a whole-area search of those frames finds it.
    void drawFilm(bool decoy) {
        for (int n = 10; n < 24; ++n) {
            if (n >= 15 && n < 20) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) film.at(n).setPixel(5 + n + dx, 15 + dy, kObject);
        }
        if (decoy)
            for (int n = 0; n < 10; ++n) film.at(n).setPixel(36, 3, kObject);
    }
    std::string expectedRow(int n) const {
        const double t = n / 25.0;
        return trimZeros(fixedText(t, 3)) + " " + std::to_string(5 + n) + " " +
               std::to_string(H - 15);
    }
};

TEST_F(Reacquire, AnObjectThatEntersLateAndHidesIsFoundInEveryFrameItIsIn) {
    drawFilm(false);
    state.settings(1).reacquire = true;
    run();
    for (int n = 0; n < 24; ++n) {
        SCOPED_TRACE(n);
        const bool visible = n >= 10 && !(n >= 15 && n < 20);
        EXPECT_EQ(row(1, n + 1), visible ? expectedRow(n) : "  ");
    }
}

TEST_F(Reacquire, WithoutTheOptionThePassIsAsWritten) {
    drawFilm(false);
    run();
    // The first two frames find nothing and leave the centre in the middle of the frame; the
    // disc there meets the object only by chance a frame after it entered, and once it has
    // hidden, the disc runs on and never finds it again.
    EXPECT_EQ(row(1, 11), "  ");
    EXPECT_NE(row(1, 12), "  ");
    for (int n = 15; n < 24; ++n) EXPECT_EQ(row(1, n + 1), "  ") << n;
}

TEST_F(Reacquire, ADecoyFollowedAtTheStartIsLeftWhenItVanishes) {
    drawFilm(true);
    state.settings(1).reacquire = true;
    run();
    EXPECT_EQ(centre(1, 1), std::make_pair(std::string("36"), std::string("27")));
    // Frame 10: the decoy is gone, the disc around it finds nothing, the whole area the object.
    for (int n = 10; n < 15; ++n) EXPECT_EQ(row(1, n + 1), expectedRow(n)) << n;
    for (int n = 20; n < 24; ++n) EXPECT_EQ(row(1, n + 1), expectedRow(n)) << n;
}

TEST_F(Reacquire, AbbruchStillEndsThePass) {
    drawFilm(false);
    state.settings(1).reacquire = true;
    host.onPause = [this] {
        if (host.pauses.size() == 12) host.control.stopRequested = true;
    };
    run();
    EXPECT_LT(state.grid(1).rowCount(), 25);
}

}  // namespace
}  // namespace zebak::test
