#include "AnalysisFixture.h"

namespace zebak::test {
namespace {

class EndBar : public AnalysisTest {
  protected:
    EndBar() : AnalysisTest(6) {}
};

TEST_F(EndBar, MovedBackFromTheFrameCountButNeverBeforeTheStartBar) {
    film.everywhere(9, 4, kObject);
    // Start and end bar both at the frame count: the end bar cannot go below the start bar,
    // so the end position (which shows the last frame) is still analysed.
    state.analyse.sequenzAnfang = 6;
    state.analyse.sequenzEnde = 6;
    run();
    EXPECT_EQ(state.analyse.sequenzEnde, 6);
    EXPECT_EQ(row(1, 1), "0 9 26");
    EXPECT_EQ(state.tabelle(1).rowCount(), 2);

    // From an earlier start the end bar moves back to the last frame, which ends the loop.
    state.analyse.sequenzAnfang = 3;
    state.analyse.sequenzEnde = 6;
    host.endBarMoves.clear();
    run();
    EXPECT_EQ(host.endBarMoves, (std::vector<int>{5}));
    EXPECT_EQ(row(1, 3), "0.08 9 26");
    EXPECT_EQ(state.tabelle(1).rowCount(), 4);
}

}  // namespace
}  // namespace zebak::test
