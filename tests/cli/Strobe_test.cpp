#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/Process.h"
#include "support/StrobeFilm.h"

namespace zebak::test {
namespace {

namespace fs = std::filesystem;

class CliStrobeTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("zebak-strobe-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        ASSERT_TRUE(StrobeFilm::make(dir_ / "throw.mkv"));
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static ProcessResult strobe(const std::string& options, const fs::path& out) {
        return runCommandWithErrors(std::string("'") + ZEBAK_ANALYSE + "' strobe " +
                                    shellQuote((dir_ / "throw.mkv").string()) + " " + options +
                                    " -o " + shellQuote(out.string()));
    }
    static RgbFrame picture(const fs::path& p) { return readPicture(p, 640, 480); }
    /// Frame n as the searches see it, through the tool's own frame command.
    static RgbFrame frame(int n) {
        const fs::path out = dir_ / ("frame" + std::to_string(n) + ".ppm");
        runCommand(std::string("'") + ZEBAK_ANALYSE + "' frame " +
                   shellQuote((dir_ / "throw.mkv").string()) + " " + std::to_string(n) + " -o " +
                   shellQuote(out.string()));
        return picture(out);
    }
    static inline fs::path dir_;
};

TEST_F(CliStrobeTest, CirclesShowBothObjectsInEveryFrame) {
    const fs::path out = dir_ / "circles.png";
    const auto r = strobe("--colour1 200,50,50 --colour2 50,50,200 --circles", out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"frames\":20,\"seconds\":", 0), 0u) << r.out;
    const RgbFrame p = picture(out);
    ASSERT_EQ(p.width(), 640);
    for (int k = 0; k < StrobeFilm::kFrames; ++k) {
        EXPECT_EQ(p.rgb(StrobeFilm::redX(k), StrobeFilm::redY(k)), (Rgb{255, 0, 0})) << k;
        EXPECT_EQ(p.rgb(StrobeFilm::redX(k) - 8, StrobeFilm::redY(k)), (Rgb{255, 255, 255}));
        EXPECT_EQ(p.rgb(StrobeFilm::blueX(k), StrobeFilm::kBlueY), (Rgb{0, 0, 255})) << k;
    }
}

TEST_F(CliStrobeTest, PasteModeCopiesTheFramesPixelsOnTheChosenBackground) {
    const fs::path out = dir_ / "paste.png";
    const auto r =
        strobe("--colour1 200,50,50 --deviation1 10 --background 9 --from 2 --to 4", out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"frames\":3,", 0), 0u) << r.out;
    const RgbFrame p = picture(out);
    const RgbFrame f3 = frame(3);
    const RgbFrame f9 = frame(9);
    ASSERT_EQ(p.height(), 480);
    ASSERT_EQ(f3.height(), 480);
    const int x = StrobeFilm::redX(3);
    const int y = StrobeFilm::redY(3);
    EXPECT_EQ(p.rgb(x + 4, y), f3.rgb(x + 4, y));
    EXPECT_EQ(p.rgb(x, y - 4), f3.rgb(x, y - 4));
    EXPECT_EQ(p.rgb(x + 5, y), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.rgb(x + 8, y), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.rgb(x + 9, y), f9.rgb(x + 9, y));
    // Frames before the range are not drawn; the background is frame 9.
    const int x1 = StrobeFilm::redX(1);
    const int y1 = StrobeFilm::redY(1);
    EXPECT_EQ(p.rgb(x1, y1), f9.rgb(x1, y1));
    EXPECT_NE(p.rgb(x1, y1), frame(1).rgb(x1, y1));
    EXPECT_EQ(p.rgb(StrobeFilm::redX(9), StrobeFilm::redY(9)),
              f9.rgb(StrobeFilm::redX(9), StrobeFilm::redY(9)));
}

TEST_F(CliStrobeTest, StopOnMissEndsAfterTheFirstFrameWithoutTheObject) {
    const fs::path out = dir_ / "miss.png";
    const auto r = strobe("--colour1 0,255,0 --on-refine-miss stop", out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"frames\":1,", 0), 0u) << r.out;
}

TEST_F(CliStrobeTest, BadRequestsAndFailedWrites) {
    EXPECT_EQ(strobe("--colour1 200,50,50 --background 10", dir_ / "x.png").status, 2);
    EXPECT_EQ(strobe("--colour1 200,50,50 --mode1 simple", dir_ / "x.png").status, 2);
    const auto noOut =
        runCommandWithErrors(std::string("'") + ZEBAK_ANALYSE + "' strobe " +
                             shellQuote((dir_ / "throw.mkv").string()) + " --colour1 1,2,3");
    EXPECT_EQ(noOut.status, 2);
    const auto r = strobe("--colour1 200,50,50", dir_ / "missing" / "x.png");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

}  // namespace
}  // namespace zebak::test
