#include "AnalysisFixture.h"
#include "core/ExportText.h"

namespace zebak::test {
namespace {

class StillFrame : public AnalysisTest {
  protected:
    StillFrame() : AnalysisTest(4) {
        film.at(2).setPixel(4, 4, Rgb{205, 55, 45});
        film.at(2).setPixel(8, 6, kObject);
        film.at(2).setPixel(39, 6, kObject);  // the last column, outside the scan
        film.seek(2);
        state.SuchbereichRechts = W - 1;
        state.slot(1).Farbe = Rgb{0, 0, 0};  // an adopted colour from an earlier run
    }
};

TEST_F(StillFrame, PaintsMatchingPixelsInTheirOwnColourAndWritesNoRow) {
    AnalyseBtnClick(state, film, host);
    const RgbFrame& image = state.analyse.Suchergebnisbild;
    EXPECT_EQ(image.rgb(4, 4), (Rgb{205, 55, 45}));
    EXPECT_EQ(image.rgb(8, 6), kObject);
    EXPECT_EQ(image.rgb(39, 6), (Rgb{255, 255, 255}));
    EXPECT_EQ(image.rgb(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(state.slot(1).MittelpunktX, 0) << "centres untouched in this mode";
    EXPECT_EQ(state.slot(1).Farbe, kObject) << "starts from the picked colour";
    EXPECT_EQ(state.tabelle(1).rowCount(), 2);
    EXPECT_EQ(film.currentFrame(), 2);
}

TEST_F(StillFrame, CentreModeMarksTheBoxMidpointOrTheFrameMiddle) {
    state.analyse.anzeige.gefundeneBildpunkte = false;
    state.analyse.anzeige.farbe2Analysieren = true;
    AnalyseBtnClick(state, film, host);
    EXPECT_EQ(state.slot(1).MittelpunktX, 6);
    EXPECT_EQ(state.slot(1).MittelpunktY, 5);
    EXPECT_EQ(state.analyse.Suchergebnisbild.rgb(6, 3), (Rgb{0, 0, 0}));
    EXPECT_EQ(state.slot(2).MittelpunktX, W / 2) << "colour 2 absent: middle of the frame";
    EXPECT_EQ(state.analyse.Suchergebnisbild.rgb(W / 2, H / 2), (Rgb{255, 0, 0}));
    EXPECT_TRUE(host.sounds.empty());
}

TEST(ExportText, HeaderRowsDecimalCommaAndEmptyRows) {
    PositionGrid grid({"Zeit /s", "X1 /m", "Y1 /m"});
    grid.setRowCount(4);
    grid.setCell(1, 0, "0"), grid.setCell(1, 1, "0.12345"), grid.setCell(1, 2, "-2");
    grid.setCell(3, 0, "0.08"), grid.setCell(3, 1, "1.5"), grid.setCell(3, 2, "1.2.3");
    EXPECT_EQ(exportText(grid, ExportFormat::Csv),
              "t/(s),x/(m),y/(m)\r\n0,0.12345,-2\r\n,,\r\n0.08,1.5,1.2.3\r\n");
    EXPECT_EQ(exportText(grid, ExportFormat::Text),
              "t/(s)\tx/(m)\ty/(m)\r\n0\t0,12345\t-2\r\n\t\t\r\n0,08\t1,5\t1,2,3\r\n");
}

}  // namespace
}  // namespace zebak::test
