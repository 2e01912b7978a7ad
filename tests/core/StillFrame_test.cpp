#include "AnalysisFixture.h"

namespace zebak::test {
namespace {

class StillFrame : public AnalysisTest {
  protected:
    StillFrame() : AnalysisTest(4) {
        film.at(2).setPixel(4, 4, Rgb{205, 55, 45});
        film.at(2).setPixel(8, 6, kObject);
        film.at(2).setPixel(39, 6, kObject);  // the last column, outside the scan
        film.seek(2);
        state.area.right = W - 1;
        state.trace(1).workingColour = Rgb{0, 0, 0};  // an adopted colour from an earlier run
    }
};

TEST_F(StillFrame, PaintsMatchingPixelsInTheirOwnColourAndWritesNoRow) {
    {
        AnalysisJob job = makeAnalysisJob(state);
        analyseFrame(job, outputsOf(state), film, host);
    }
    const RgbFrame& image = state.resultImage;
    EXPECT_EQ(image.rgb(4, 4), (Rgb{205, 55, 45}));
    EXPECT_EQ(image.rgb(8, 6), kObject);
    EXPECT_EQ(image.rgb(39, 6), (Rgb{255, 255, 255}));
    EXPECT_EQ(image.rgb(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(state.trace(1).centre.x, 0) << "centres untouched in this mode";
    EXPECT_EQ(state.trace(1).workingColour, kObject) << "starts from the picked colour";
    EXPECT_EQ(state.grid(1).rowCount(), 2);
    EXPECT_EQ(film.currentFrame(), 2);
}

TEST_F(StillFrame, CentreModeMarksTheBoxMidpointOrTheFrameMiddle) {
    state.display.showFoundPixels = false;
    state.display.analyseColour2 = true;
    {
        AnalysisJob job = makeAnalysisJob(state);
        analyseFrame(job, outputsOf(state), film, host);
    }
    EXPECT_EQ(state.trace(1).centre.x, 6);
    EXPECT_EQ(state.trace(1).centre.y, 5);
    EXPECT_EQ(state.resultImage.rgb(6, 3), (Rgb{0, 0, 0}));
    EXPECT_EQ(state.trace(2).centre.x, W / 2) << "colour 2 absent: middle of the frame";
    EXPECT_EQ(state.resultImage.rgb(W / 2, H / 2), (Rgb{255, 0, 0}));
    EXPECT_TRUE(host.sounds.empty());
}

}  // namespace
}  // namespace zebak::test
