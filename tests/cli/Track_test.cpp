#include <gtest/gtest.h>
#include <algorithm>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/Process.h"

namespace {

namespace fs = std::filesystem;

using Result = zebak::test::ProcessResult;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// Runs zebak-analyse with the given argument text (already shell-quoted where needed).
Result analyse(const std::string& arguments) {
    return zebak::test::runCommandWithErrors(std::string("'") + ZEBAK_ANALYSE + "' " + arguments);
}

std::string film(const char* name) {
    return std::string("'") + ZEBAK_TRACK_FILMS + "/" + name + "'";
}

/// Trims a number text as the tables do (values here are exact).
std::string num(double v) {
    std::ostringstream s;
    s.precision(10);
    s << v;
    return s.str();
}

/// The JSON row of a found position.
std::string row(double t, double x, double y) {
    return "[\"" + num(t) + "\",\"" + num(x) + "\",\"" + num(y) + "\"]";
}

/// Rows of the red box (centre (12 + 4n, 22 + 2n)) for frames first..last, table y from 120,
/// time from `first` at 25 frames/s.
std::string redRows(int first, int last) {
    std::string s;
    for (int n = first; n <= last; ++n)
        s += (n > first ? "," : "") + row((n - first) / 25.0, 12 + 4 * n, 120 - (22 + 2 * n));
    return "[" + s + "]";
}
std::string blueRows(int first, int last) {
    std::string s;
    for (int n = first; n <= last; ++n)
        s += (n > first ? "," : "") + row((n - first) / 25.0, 141 - 3 * n, 120 - 81);
    return "[" + s + "]";
}

constexpr const char* kRed = " --colour1 230,40,40";
constexpr const char* kBlue = " --colour2 40,40,230";

TEST(Track, SimpleAndPredictedSearchGiveTheKnownPathsOnALosslessFilm) {
    const std::string expected =
        "{\"tables\":{\"1\":" + redRows(0, 19) + ",\"2\":" + blueRows(0, 19) + "}}\n";
    for (const char* modes :
         {" --mode1 simple --mode2 simple", "", " --deviation1 8 --refine1 --refine2"}) {
        const Result r = analyse("track " + film("boxes-ffv1.avi") + kRed + kBlue +
                                 " --tolerance1 1" + " --tolerance2 1" + modes);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, expected) << modes;
    }
}

TEST(Track, LossyFilmWithTolerantColoursAndAdoption) {
    const Result r =
        analyse("track " + film("boxes-mjpeg.avi") + kRed + " --tolerance1 60 --adopt1");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"tables\":{\"1\":" + redRows(0, 19) + "}}\n");
}

TEST(Track, OnlyColourTwoRestrictedSequenceFramesPerSecondAndArea) {
    Result r =
        analyse("track " + film("boxes-ffv1.avi") + kBlue + " --from 5 --to 8 --mode2 simple");
    EXPECT_EQ(r.out, "{\"tables\":{\"2\":" + blueRows(5, 8) + "}}\n") << r.err;

    r = analyse("track " + film("boxes-ffv1.avi") + kRed + " --from 2 --to 3 --fps 10");
    EXPECT_EQ(r.out, "{\"tables\":{\"1\":[" + row(0, 20, 94) + "," + row(0.1, 24, 92) + "]}}\n");

    // An area whose last column is x = 29: frame 4's box (x 26..31) is seen as 26..29, the
    // boxes of frames 5 and 6 not at all.
    r = analyse("track " + film("boxes-ffv1.avi") + kRed +
                " --mode1 simple --area 0,0,30,120 --to 6");
    EXPECT_NE(r.out.find(row(0.12, 24, 92) + "," + row(0.16, 27, 90) +
                         ",[\"\",\"\",\"\"],[\"\",\"\",\"\"]]"),
              std::string::npos)
        << r.out;
}

TEST(Track, CalibrationAndOriginConvertToMetres) {
    // A line of 100 pixels is 0.5 m: 0.005 m per pixel; origin at (12, 98).
    const Result r = analyse("track " + film("boxes-ffv1.avi") + kRed +
                             " --to 1 --calibrate 0,0,60,80,0.5 --origin 12,98");
    EXPECT_EQ(r.out,
              "{\"tables\":{\"1\":[" + row(0, 0, 0.38) + "," + row(0.04, 0.02, 0.37) + "]}}\n")
        << r.err;
    // A negative length is taken as typed: the factor and every coordinate change sign, and
    // a coordinate of zero stays "0".
    const Result negative = analyse("track " + film("boxes-ffv1.avi") + kRed +
                                    " --to 1 --calibrate 0,0,60,80,-0.5 --origin 12,98");
    EXPECT_EQ(negative.out,
              "{\"tables\":{\"1\":[" + row(0, 0, -0.38) + "," + row(0.04, -0.02, -0.37) + "]}}\n")
        << negative.err;
}

TEST(Track, SecondSearchQuestionIsAnsweredFromTheCommandLine) {
    // Second tolerance 0 matches nothing: the question comes in every frame, and the refined
    // centre keeps its start value (0, 0), which is pixel row 0, table y 120. The answer No
    // ends the loop and leaves that frame without a position.
    const std::string args = "track " + film("boxes-ffv1.avi") + kRed +
                             " --refine1 --refine-tolerance1 0 --to 2 --on-refine-miss ";
    EXPECT_EQ(analyse(args + "continue").out, "{\"tables\":{\"1\":[" + row(0, 0, 120) + "," +
                                                  row(0.04, 0, 120) + "," + row(0.08, 0, 120) +
                                                  "]}}\n");
    EXPECT_EQ(analyse(args + "stop").out, "{\"tables\":{\"1\":[[\"\",\"\",\"\"]]}}\n");
}

TEST(Track, CsvAndTextExportOfTheLowestSlotAndOutputFile) {
    Result r = analyse("track " + film("boxes-ffv1.avi") + kRed + kBlue + " --to 1 --format csv");
    EXPECT_EQ(r.out, "t/(s),x/(m),y/(m)\r\n0,12,98\r\n0.04,16,96\r\n");
    r = analyse("track " + film("boxes-ffv1.avi") + kBlue + " --to 1 --format txt --fps 3");
    EXPECT_EQ(r.out, "t/(s)\tx/(m)\ty/(m)\r\n0\t141\t39\r\n0,333\t138\t39\r\n");

    const fs::path out = fs::temp_directory_path() / "zebak-cli-track.json";
    r = analyse("track " + film("boxes-ffv1.avi") + kRed + " --to 1 -o '" + out.string() + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(out), "{\"tables\":{\"1\":" + redRows(0, 1) + "}}\n");
    fs::remove(out);
}

TEST(Track, BadArgumentsAndFilmsGiveOneLineAndStatusTwo) {
    for (const std::string& args :
         {"track " + film("boxes-ffv1.avi"),
          "track " + film("boxes-ffv1.avi") + kRed + " --mode1 fast",
          "track " + film("boxes-ffv1.avi") + kRed + " --tolerance1 256",
          "track " + film("boxes-ffv1.avi") + kRed + " --deviation1 501",
          "track " + film("boxes-ffv1.avi") + kRed + " --from 5 --to 4",
          "track " + film("boxes-ffv1.avi") + kRed + " --area 0,0,161,120",
          "track " + film("boxes-ffv1.avi") + kRed + " --calibrate 5,5,5,5,1",
          "track " + film("boxes-ffv1.avi") + kRed + " --calibrate 0,0,3,4,0",
          "track " + film("boxes-ffv1.avi") + kRed + " --format xml",
          "track " + film("boxes-ffv1.avi") + kRed + " --unknown",
          "track " + film("missing.avi") + kRed}) {
        const Result r = analyse(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
    }
}

/// Reference positions of the ball: (frame, x, y) in pixels from the clip's own tracking.
std::vector<std::array<double, 3>> groundTruth() {
    std::ifstream in(std::string(ZEBAK_SOURCE_DIR) +
                     "/tests/data/osp-tracker/BallToss.groundtruth.csv");
    std::vector<std::array<double, 3>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line[0] == 'f') continue;
        std::array<double, 4> v{};
        std::stringstream s(line);
        for (double& d : v) {
            std::string cell;
            std::getline(s, cell, ',');
            d = std::stod(cell);
        }
        rows.push_back({v[1], v[2], v[3]});
    }
    return rows;
}

/// The x and y cells of every row of a track JSON, in order.
std::vector<std::pair<std::string, std::string>> positionCells(const std::string& json) {
    const std::regex cell("\\[\"[^\"]*\",\"([^\"]*)\",\"([^\"]*)\"\\]");
    std::vector<std::pair<std::string, std::string>> rows;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), cell);
         it != std::sregex_iterator(); ++it)
        rows.emplace_back((*it)[1], (*it)[2]);
    return rows;
}

TEST(Track, WhiteBallOfARealFilmWithinThreePixelsOfTheReference) {
    const auto reference = groundTruth();
    ASSERT_EQ(reference.size(), 11u);
    const std::string mov =
        std::string("'") + ZEBAK_SOURCE_DIR + "/tests/data/osp-tracker/BallTossOut.mov'";
    // The 1 m stick at x 277..290 has marks of nearly the ball's colour: one area left of it,
    // one right of it. The origin (0, 0) makes the table y the negated pixel row.
    const Result left = analyse("track " + mov +
                                " --colour1 219,215,207 --tolerance1 60 --mode1 simple"
                                " --area 100,0,274,480 --origin 0,0");
    const Result right = analyse("track " + mov +
                                 " --colour1 219,215,207 --tolerance1 60 --area 296,0,630,480"
                                 " --from 18 --to 30 --origin 0,0");
    ASSERT_EQ(left.status, 0) << left.err;
    ASSERT_EQ(right.status, 0) << right.err;
    const auto l = positionCells(left.out);
    const auto r = positionCells(right.out);
    int checked = 0;
    for (const auto& [frame, x, y] : reference) {
        const int n = static_cast<int>(frame);
        const auto& [cx, cy] =
            n <= 16 ? l.at(static_cast<std::size_t>(n)) : r.at(static_cast<std::size_t>(n - 18));
        ASSERT_FALSE(cx.empty()) << "frame " << n;
        EXPECT_NEAR(std::stod(cx), x, 3.0) << "frame " << n;
        EXPECT_NEAR(-std::stod(cy), y, 3.0) << "frame " << n;
        ++checked;
    }
    EXPECT_EQ(checked, 11);
}

TEST(Track, ConnectedRegionFollowsTheBallPastTheStickInOneRun) {
    // The demo film holds one ball: the region search gives the plain search's rows.
    const std::string demo = std::string("'") + ZEBAK_SOURCE_DIR + "/resources/demo/demo.avi'";
    const Result plain = analyse("track " + demo + " --colour1 225,32,26");
    const Result blob = analyse("track " + demo + " --colour1 225,32,26 --blob1");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(blob.out, plain.out);
    // The whole toss over the whole frame, stick included, at the default tolerance.
    const std::string mov =
        std::string("'") + ZEBAK_SOURCE_DIR + "/tests/data/osp-tracker/BallTossOut.mov'";
    const Result r = analyse("track " + mov +
                             " --colour1 219,215,207 --from 9 --origin 0,0 --blob1 --subpixel1"
                             " --start1 108,239");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = positionCells(r.out);
    int right = 0;
    for (const auto& [frame, x, y] : groundTruth()) {
        const auto& [cx, cy] = rows.at(static_cast<std::size_t>(frame) - 9);
        if (cx.empty()) continue;
        EXPECT_EQ(cx.find('.'), cx.size() - 3) << "two decimals: " << cx;
        if (std::hypot(std::stod(cx) - x, -std::stod(cy) - y) <= 3.0) ++right;
    }
    EXPECT_GE(right, 10) << "the ball half out of the frame at the end may be missed";
    EXPECT_EQ(analyse("track " + demo + " --colour1 225,32,26 --start1 9999,1").status, 2);
}

// Times of unevenly spaced frames: from the film with --times film, from the rate otherwise;
// a slow-motion film is timed at its recording rate. Every pixel matches the grey colour at
// tolerance 255, so every frame has a row.
TEST(Track, TimesFromTheFilmAndTheRecordingRate) {
    const std::string phone = std::string(ZEBAK_TEST_FILMS) + "/phone/";
    auto times = [](const std::string& out) {
        std::vector<std::string> t;
        const std::regex cell(R"(\[\"([^\"]*)\",)");
        for (auto it = std::sregex_iterator(out.begin(), out.end(), cell);
             it != std::sregex_iterator(); ++it)
            t.push_back((*it)[1]);
        return t;
    };
    const std::string grey = " --colour1 128,128,128 --tolerance1 255 --mode1 simple";
    Result r = analyse("track '" + phone + "uneven.mp4'" + grey + " --times film");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> t = times(r.out);
    ASSERT_EQ(t.size(), 24u) << r.out;
    EXPECT_EQ(t[1], "0.033");
    EXPECT_EQ(t[15], "0.5");
    EXPECT_EQ(t[16], "0.533");
    EXPECT_EQ(t[17], "0.6");
    EXPECT_EQ(t[23], "1");
    // From frame 10 on, times count from the start of the sequence.
    r = analyse("track '" + phone + "uneven.mp4'" + grey + " --times film --from 10");
    t = times(r.out);
    ASSERT_EQ(t.size(), 14u) << r.out;
    EXPECT_EQ(t[7], "0.267");  // frame 17 at 0.6 s, frame 10 at 0.333 s
    // By rate: the film's average rate rounded (23 frames/s).
    r = analyse("track '" + phone + "uneven.mp4'" + grey + " --times rate");
    t = times(r.out);
    ASSERT_EQ(t.size(), 24u);
    EXPECT_EQ(t[23], "1");  // 23 / 23
    EXPECT_EQ(t[17], "0.739");
    r = analyse("track '" + phone + "slow-motion.mp4'" + grey + " --to 3");
    t = times(r.out);
    ASSERT_EQ(t.size(), 4u) << r.out;
    EXPECT_EQ(t[1], "0.004");  // 1 / 240
    EXPECT_EQ(t[3], "0.013");
    // Its own times are real times too: stored 1/30 s and 2/30 s apart, they step 1/240 s and
    // 2/240 s.
    r = analyse("track '" + phone + "slow-throw.mp4'" + grey + " --times film");
    t = times(r.out);
    ASSERT_EQ(t.size(), 24u) << r.out;
    EXPECT_EQ(t[1], "0.004");
    EXPECT_EQ(t[16], "0.067");  // 16 / 240
    EXPECT_EQ(t[17], "0.075");  // 18 / 240
    EXPECT_EQ(t[23], "0.125");  // 30 / 240
    EXPECT_EQ(analyse("track '" + phone + "uneven.mp4'" + grey + " --times sometimes").status, 2);
}

// A square thrown on an uneven clock (1/30 s, then 2/30 s between frames): with the film's
// times every velocity and acceleration is the true one in both halves; by the rate the
// acceleration jumps where the spacing changes.
TEST(Track, KinematicsTakeTheirStepsFromTheFilmTimes) {
    const std::string film =
        "track '" + std::string(ZEBAK_TEST_FILMS) + "/phone/uneven-throw.mp4' --colour1 255,0,0";
    auto column = [](const std::string& out, const char* grid, int c) {
        const std::size_t from = out.find(std::string("\"") + grid + "\":");
        std::vector<std::string> cells;
        const std::regex row(R"(\[("[^"]*",?){5}\])");
        const std::string rest = out.substr(from, out.find("]]", from) - from + 2);
        for (auto it = std::sregex_iterator(rest.begin(), rest.end(), row);
             it != std::sregex_iterator(); ++it) {
            const std::regex text("\"([^\"]*)\"");
            const std::string r = (*it)[0];
            auto t = std::sregex_iterator(r.begin(), r.end(), text);
            std::advance(t, c);
            cells.push_back((*t)[1]);
        }
        return cells;
    };
    const Result byFilm = analyse(film + " --times film --kinematics");
    ASSERT_EQ(byFilm.status, 0) << byFilm.err;
    const auto vx = column(byFilm.out, "velocities", 2);
    const auto ay = column(byFilm.out, "accelerations", 3);
    ASSERT_EQ(vx.size(), 25u);  // with the header row
    ASSERT_EQ(ay.size(), 24u);
    for (std::size_t r = 2; r < vx.size(); ++r) EXPECT_EQ(vx[r], "300") << "row " << r;
    for (std::size_t r = 2; r < ay.size(); ++r) EXPECT_EQ(ay[r], "-1800") << "row " << r;
    const Result byRate = analyse(film + " --times rate --kinematics");
    const auto rateAy = column(byRate.out, "accelerations", 3);
    ASSERT_EQ(rateAy.size(), 24u);
    EXPECT_NE(rateAy[2], rateAy[20]);
}

// The ball of BallTossOut.mov enters the area left of the stick in frame 9: the predicted
// pass as written never finds it; with "Objekt wiedersuchen" it is found in every frame in
// which the simple search of the whole area finds it, at the same place.
TEST(Track, ReacquireFindsTheBallThatEntersLate) {
    const std::string mov =
        std::string("'") + ZEBAK_SOURCE_DIR + "/tests/data/osp-tracker/BallTossOut.mov'";
    const std::string common = " --colour1 219,215,207 --tolerance1 60 --area 100,0,274,480";
    const Result written = analyse("track " + mov + common);
    const Result again = analyse("track " + mov + common + " --reacquire1");
    const Result simple = analyse("track " + mov + common + " --mode1 simple");
    ASSERT_EQ(again.status, 0) << again.err;
    const std::regex cell("\\[\"[^\"]*\",\"([^\"]*)\",\"([^\"]*)\"\\]");
    auto rowsOf = [&](const std::string& json) {
        std::vector<std::string> rows;
        for (auto it = std::sregex_iterator(json.begin(), json.end(), cell);
             it != std::sregex_iterator(); ++it)
            rows.push_back((*it)[1].str() + "," + (*it)[2].str());
        return rows;
    };
    const auto w = rowsOf(written.out);
    const auto a = rowsOf(again.out);
    const auto s = rowsOf(simple.out);
    ASSERT_EQ(a.size(), 32u);
    ASSERT_EQ(s.size(), 32u);
    EXPECT_EQ(std::count(w.begin(), w.end(), ","), 32) << "as written: no row found";
    int found = 0;
    for (std::size_t n = 0; n < 32; ++n) {
        EXPECT_EQ(a[n], s[n]) << "frame " << n;
        found += a[n] != ",";
    }
    EXPECT_GE(found, 8);
    EXPECT_EQ(analyse("track " + mov + common + " --reacquire1 --reacquire1").status, 2);
}

}  // namespace
