// zebak-analyse info, frame and decode, run as a process on films made by ffmpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/RgbFrame.h"
#include "support/Barcode.h"
#include "support/Process.h"

namespace zebak {
namespace {

std::string film(const std::string& name) { return std::string(ZEBAK_TEST_FILMS) + "/" + name; }

test::ProcessResult analyse(const std::string& args, const std::string& errFile = "/dev/null") {
    return test::runCommand(std::string(ZEBAK_ANALYSE) + " " + args + " 2>" + errFile);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Reads a binary PPM (P6, maxval 255); an empty frame when the header is wrong.
RgbFrame readPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255 || w <= 0 || h <= 0) return {};
    RgbFrame f(w, h);
    for (int y = 0; y < h; ++y) in.read(reinterpret_cast<char*>(f.row(y)), w * 3);
    return in ? f : RgbFrame{};
}

TEST(CliFilmCommandsTest, InfoPrintsSizesCountAndRate) {
    auto r = analyse("info " + test::shellQuote(film("mpeg4.avi")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"frames\":250,\"width\":640,\"height\":480,\"analysisWidth\":640,"
              "\"analysisHeight\":480,\"fps\":25,\"rotation\":0,\"variableFrameRate\":false,"
              "\"minFrameSeconds\":0.04,\"maxFrameSeconds\":0.04,\"captureFps\":null,"
              "\"damaged\":false}\n");
    r = analyse("info " + test::shellQuote(film("dv-pal.avi")));
    EXPECT_EQ(r.out,
              "{\"frames\":50,\"width\":720,\"height\":576,\"analysisWidth\":360,"
              "\"analysisHeight\":288,\"fps\":25,\"rotation\":0,\"variableFrameRate\":false,"
              "\"minFrameSeconds\":0.04,\"maxFrameSeconds\":0.04,\"captureFps\":null,"
              "\"damaged\":false}\n");
}

TEST(CliFilmCommandsTest, InfoTellsRotationSpacingAndRecordingRateOfPhoneFilms) {
    auto r = analyse("info " + test::shellQuote(film("phone/h264-90.mp4")));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"width\":160,\"height\":96,\"analysisWidth\":96,"
                         "\"analysisHeight\":160,\"fps\":30,\"rotation\":90,"),
              std::string::npos)
        << r.out;
    r = analyse("info " + test::shellQuote(film("phone/uneven.mp4")));
    EXPECT_NE(r.out.find("\"variableFrameRate\":true,\"minFrameSeconds\":0.033333,"
                         "\"maxFrameSeconds\":0.066667,\"captureFps\":null"),
              std::string::npos)
        << r.out;
    // Only the first frame lasts longer: even, with its spacing still told.
    r = analyse("info " + test::shellQuote(film("phone/late-start.mp4")));
    EXPECT_NE(r.out.find("\"variableFrameRate\":false,\"minFrameSeconds\":0.033333,"
                         "\"maxFrameSeconds\":0.046667,"),
              std::string::npos)
        << r.out;
    r = analyse("info " + test::shellQuote(film("phone/slow-motion.mp4")));
    EXPECT_NE(r.out.find("\"fps\":30,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"captureFps\":240,"), std::string::npos) << r.out;
    // The frame as the searches see it is upright.
    const std::string out = ::testing::TempDir() + "/zebak-upright.ppm";
    ASSERT_EQ(
        analyse("frame " + test::shellQuote(film("phone/hevc-270.mov")) + " 4 -o " + out).status,
        0);
    EXPECT_EQ(readPpm(out).width(), 96);
    EXPECT_EQ(readPpm(out).height(), 160);
}

TEST(CliFilmCommandsTest, FrameWritesTheFrameAsTheSearchesSeeIt) {
    const std::string out = ::testing::TempDir() + "/zebak-frame.ppm";
    for (int n : {123, 7, 249}) {
        const auto r = analyse("frame " + test::shellQuote(film("mpeg4-bframes.avi")) + " " +
                               std::to_string(n) + " -o " + test::shellQuote(out));
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "");
        const RgbFrame f = readPpm(out);
        ASSERT_EQ(f.width(), 640);
        EXPECT_EQ(test::readBarcode(f), n);
    }
    ASSERT_EQ(analyse("frame " + test::shellQuote(film("lossless.avi")) + " 9 -o " + out).status,
              0);
    const RgbFrame f = readPpm(out);
    ASSERT_EQ(f.height(), 120);
    EXPECT_EQ(f.rgb(100, 50), (Rgb{109, 127, 150}));
    ASSERT_EQ(analyse("frame " + test::shellQuote(film("dv-pal.avi")) + " 3 -o " + out).status, 0);
    EXPECT_EQ(readPpm(out).width(), 360);
}

TEST(CliFilmCommandsTest, DecodeCountsTheFramesOfTheRange) {
    auto r = analyse("decode " + test::shellQuote(film("h264.mov")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"frames\":300,\"seconds\":", 0), 0u) << r.out;
    r = analyse("decode " + test::shellQuote(film("h264.mov")) + " --from 10 --to 20");
    EXPECT_EQ(r.out.rfind("{\"frames\":11,\"seconds\":", 0), 0u) << r.out;
    // The end may stand at the frame count, as the end bar can.
    r = analyse("decode " + test::shellQuote(film("h264.mov")) + " --from 290 --to 300");
    EXPECT_EQ(r.out.rfind("{\"frames\":10,\"seconds\":", 0), 0u) << r.out;
}

TEST(CliFilmCommandsTest, BadArgumentsAndBadFilmsExitWithTwoAndOneLine) {
    const std::string mpeg4 = test::shellQuote(film("mpeg4.avi"));
    const std::string err = ::testing::TempDir() + "/zebak-err.txt";
    const std::string out = ::testing::TempDir() + "/zebak-never.ppm";
    for (const std::string& args : std::vector<std::string>{
             std::string(""), "inspect " + mpeg4, "info",
             "info " + test::shellQuote(film("missing.avi")),
             "info " + test::shellQuote(film("text.avi")),
             "info " + test::shellQuote(film("empty.avi")),
             "info " + test::shellQuote(film("folder.avi")), "info " + mpeg4 + " --extra",
             "frame " + mpeg4 + " 12", "frame " + mpeg4 + " x -o " + out,
             "frame " + mpeg4 + " 250 -o " + out, "frame " + mpeg4 + " -1 -o " + out,
             "decode " + mpeg4 + " --from 5 --to 2", "decode " + mpeg4 + " --from",
             "decode " + mpeg4 + " --to 12abc"}) {
        const auto r = analyse(args, err);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        const std::string message = readFile(err);
        EXPECT_FALSE(message.empty()) << args;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << args << ": " << message;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace zebak
