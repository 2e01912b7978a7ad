// zebak-analyse on bad and unusual films, outputs and command lines: every case is a clear
// one-line error with the contract's exit status, or a sound result.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/Process.h"

namespace zebak {
namespace {
namespace fs = std::filesystem;

std::string film(const std::string& name) { return std::string(ZEBAK_TEST_FILMS) + "/" + name; }

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs zebak-analyse with the words (quoted for the shell) and a shell suffix such as a
/// redirection of standard output.
ToolRun analyse(const std::vector<std::string>& words, const std::string& suffix = "") {
    const std::string errFile =
        ::testing::TempDir() + "/zebak-bad-" + std::to_string(std::random_device{}()) + ".err";
    std::string command = ZEBAK_ANALYSE;
    for (const auto& w : words) command += " " + test::shellQuote(w);
    const auto r = test::runCommand(command + " 2>" + errFile + " " + suffix);
    std::ifstream in(errFile);
    ToolRun run{r.status, r.out, std::string(std::istreambuf_iterator<char>(in), {})};
    fs::remove(errFile);
    return run;
}

int jsonInt(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1 : std::atoi(json.c_str() + at + key.size() + 3);
}

void expectOneLineError(const ToolRun& r, int status, const std::string& part) {
    EXPECT_EQ(r.status, status);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

// Each bad film gives one line naming what is wrong; each film that can be read gives the
// frames that really decode, and its first and last frame can be taken out.
TEST(BadFilms, EveryFilmIsAClearErrorOrASoundResult) {
    struct Case {
        std::string name;
        std::string error;  // empty: the film must open
    };
    const std::vector<Case> cases{{"missing.avi", "gibt es nicht"},
                                  {"empty.avi", "ist leer"},
                                  {"text.avi", "kein lesbarer Film"},
                                  {"folder.avi", "ist ein Ordner"},
                                  {"bad/audio-only.m4a", "enthält keine Videospur"},
                                  {"bad/cut-1.mp4", "beschädigt oder unvollständig"},
                                  {"bad/cut-10.mov", "beschädigt oder unvollständig"},
                                  {"bad/cut-50.mov", "beschädigt oder unvollständig"},
                                  {"bad/cut-90.mov", "beschädigt oder unvollständig"},
                                  {"bad/cut-10.avi", ""},
                                  {"bad/cut-50.avi", ""},
                                  {"bad/cut-90.avi", ""},
                                  {"bad/cut-10.mpg", ""},
                                  {"bad/cut-50.mpg", ""},
                                  {"bad/cut-90.mpg", ""},
                                  {"bad/cut-10.mp4", ""},
                                  {"bad/cut-50.mp4", ""},
                                  {"bad/cut-90.mp4", ""},
                                  {"bad/damaged.mov", ""},
                                  {"bad/damaged.mpg", ""},
                                  {"bad/damaged.mp4", ""},
                                  {"damaged.avi", ""},
                                  {"bad/tiny-1x1.mkv", ""},
                                  {"bad/tiny-2x2.mp4", ""},
                                  {"bad/picture.avi", ""},
                                  {"bad/wide-16000x16.mkv", ""},
                                  {"bad/size-change.mkv", ""}};
    const std::string ppm = ::testing::TempDir() + "/zebak-bad-frame.ppm";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun info = analyse({"info", film(c.name)});
        if (!c.error.empty()) {
            expectOneLineError(info, 2, c.error);
            expectOneLineError(analyse({"frame", film(c.name), "0", "-o", ppm}), 2, c.error);
            continue;
        }
        ASSERT_EQ(info.status, 0) << info.err;
        const int frames = jsonInt(info.out, "frames");
        EXPECT_EQ(frames, test::decoderFrameCount(film(c.name)));
        const bool damaged = info.out.find("\"damaged\":true") != std::string::npos;
        EXPECT_EQ(damaged, info.err.find("Der Film ist beschädigt: ") != std::string::npos)
            << info.err;
        for (int n : {0, frames - 1}) {
            const ToolRun frame = analyse({"frame", film(c.name), std::to_string(n), "-o", ppm});
            EXPECT_EQ(frame.status, 0) << n << ": " << frame.err;
            EXPECT_GE(fs::file_size(ppm), 14u);  // "P6\n1 1\n255\n" and one pixel
        }
    }
}

// A folder that may not be entered: the film in it cannot be read (not "gibt es nicht").
TEST(BadFilms, AFilmInAFolderThatCannotBeEnteredIsUnreadable) {
    const fs::path folder =
        fs::temp_directory_path() / ("zebak-locked-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    fs::copy_file(film("mpeg4.avi"), folder / "film.avi");
    fs::permissions(folder, fs::perms::owner_all | fs::perms::others_read);  // no x for others
    // As root every folder can be entered, so the tool then runs as the user "nobody".
    const std::string prefix =
        ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    if (::getuid() != 0) fs::permissions(folder, fs::perms::none);
    const std::string errFile = ::testing::TempDir() + "/zebak-locked.err";
    const auto r =
        test::runCommand(prefix + ZEBAK_ANALYSE + " info " +
                         test::shellQuote((folder / "film.avi").string()) + " 2>" + errFile);
    std::ifstream in(errFile);
    const std::string err(std::istreambuf_iterator<char>(in), {});
    fs::permissions(folder, fs::perms::owner_all);
    fs::remove_all(folder);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(err.find("kann nicht gelesen werden (keine Berechtigung"), std::string::npos) << err;
}

class OutputsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zebak-out-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::size_t filesIn(const fs::path& folder) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
    fs::path dir_;
    const std::string lossless = film("lossless.avi");
};

// -o writes into what it is given: a link keeps its target, a device stays a device, and a
// failed write is status 1 with no temporary file left.
TEST_F(OutputsTest, OutputGoesIntoLinksDevicesAndStandardOutput) {
    const fs::path target = dir_ / "target.ppm";
    const fs::path link = dir_ / "link.ppm";
    std::ofstream(target) << "old";
    fs::create_symlink(target, link);
    ASSERT_EQ(analyse({"frame", lossless, "3", "-o", link.string()}).status, 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::file_size(target), 15 + 160u * 120u * 3u);

    const fs::path nullLink = dir_ / "null";
    fs::create_symlink("/dev/null", nullLink);
    EXPECT_EQ(analyse({"frame", lossless, "3", "-o", nullLink.string()}).status, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const ToolRun toStdout = analyse({"frame", lossless, "3", "-o", "/dev/stdout"}, "| head -c 2");
    EXPECT_EQ(toStdout.out, "P6");
    const ToolRun track = analyse(
        {"track", lossless, "--colour1", "255,0,0", "--format", "csv", "-o", "/dev/stdout"});
    EXPECT_EQ(track.status, 0) << track.err;
    EXPECT_NE(track.out.find("\r\n"), std::string::npos);
}

TEST_F(OutputsTest, FailedWritesAreStatusOneAndLeaveNothingBehind) {
    expectOneLineError(analyse({"frame", lossless, "3", "-o", "/dev/full"}), 1, "/dev/full");
    expectOneLineError(analyse({"track", lossless, "--colour1", "255,0,0", "-o", "/dev/full"}), 1,
                       "/dev/full");
    expectOneLineError(analyse({"frame", lossless, "3", "-o", (dir_ / "no" / "f.ppm").string()}), 1,
                       "kann nicht geschrieben werden");
    EXPECT_EQ(filesIn(dir_), 0u);
    // Standard output full or closed.
    for (const std::string& redirect : {std::string(">/dev/full"), std::string(">&-")}) {
        for (const std::vector<std::string>& words :
             {std::vector<std::string>{"info", lossless},
              std::vector<std::string>{"track", lossless, "--colour1", "255,0,0"},
              std::vector<std::string>{"decode", lossless}}) {
            const ToolRun r = analyse(words, redirect);
            EXPECT_EQ(r.status, 1) << words[0] << " " << redirect;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
}

// Names as long as the file system allows open and write; an output that is the film itself
// (or a link to it) is refused with nothing written; a link planted by another user in a
// shared folder with the sticky bit is not followed, as the kernel would not follow it.
TEST_F(OutputsTest, LongNamesWriteAndOutputsThatWouldHarmAreRefused) {
    const fs::path longFilm = dir_ / (std::string(240, 'f') + ".avi");
    fs::copy_file(lossless, longFilm);
    const fs::path longOut = dir_ / (std::string(250, 'o') + ".json");
    ToolRun r = analyse({"track", longFilm.string(), "--colour1", "255,0,0", "--to", "2", "-o",
                         longOut.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(longOut));

    const fs::path filmLink = dir_ / "link.avi";
    fs::create_symlink(longFilm, filmLink);
    const auto size = fs::file_size(longFilm);
    for (const fs::path& out : {longFilm, filmLink})
        expectOneLineError(analyse({"track", longFilm.string(), "--colour1", "255,0,0", "--format",
                                    "csv", "-o", out.string()}),
                           2, "der Film selbst");
    expectOneLineError(analyse({"frame", filmLink.string(), "1", "-o", longFilm.string()}), 2,
                       "der Film selbst");
    EXPECT_EQ(fs::file_size(longFilm), size);

    if (::geteuid() != 0) GTEST_SKIP() << "another user's link can only be planted by root";
    const fs::path shared = dir_ / "gemeinsam";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    const fs::path victim = dir_ / "fremd.txt";
    std::ofstream(victim) << "bleibt";
    const fs::path planted = shared / "ausgabe.json";
    fs::create_symlink(victim, planted);
    ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
    expectOneLineError(analyse({"track", lossless, "--colour1", "255,0,0", "--to", "1", "-o",
                                planted.string()}),
                       1, "keine Berechtigung");
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "bleibt");
}

TEST(Arguments, RepeatedOptionsAndFilmNamesStartingWithADash) {
    const std::string lossless = film("lossless.avi");
    expectOneLineError(analyse({"track", lossless, "--colour1", "1,2,3", "--colour1", "4,5,6"}), 2,
                       "--colour1 ist doppelt angegeben");
    expectOneLineError(analyse({"track", lossless, "--colour1", "1,2,3", "--adopt1", "--adopt1"}),
                       2, "--adopt1 ist doppelt angegeben");
    expectOneLineError(analyse({"decode", lossless, "--from", "1", "--from", "2"}), 2,
                       "--from ist doppelt angegeben");

    const fs::path folder =
        fs::temp_directory_path() / ("zebak-dash-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    fs::copy_file(lossless, folder / "-film.avi");
    const std::string dashed = (folder / "-film.avi").filename().string();
    const auto r = test::runCommand("cd " + test::shellQuote(folder.string()) + " && " +
                                    ZEBAK_ANALYSE + " info -- -film.avi 2>&1");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("{\"frames\":40,", 0), 0u) << r.out;
    const auto track =
        test::runCommand("cd " + test::shellQuote(folder.string()) + " && " + ZEBAK_ANALYSE +
                         " track --colour1 255,0,0 --to 3 -- -film.avi 2>&1");
    EXPECT_EQ(track.status, 0) << track.out;
    EXPECT_EQ(track.out.rfind("{\"tables\":{\"1\":[", 0), 0u) << track.out;
    fs::remove_all(folder);
    expectOneLineError(analyse({"info", "--", lossless, "extra"}), 2, "extra");
}

TEST(Arguments, CalibrationsWhoseNumbersDoNotFitAreRefused) {
    const std::string lossless = film("lossless.avi");
    // The last makes every coordinate 0 at five decimals.
    for (const std::string length : {"1e300", "1e-320", "-1e300", "1e-12"})
        expectOneLineError(analyse({"track", lossless, "--colour1", "255,0,0", "--calibrate",
                                    "0,0,0,100," + length}),
                           2, "--calibrate");
    const ToolRun fine = analyse(
        {"track", lossless, "--colour1", "255,0,0", "--to", "2", "--calibrate", "0,0,0,100,1"});
    EXPECT_EQ(fine.status, 0) << fine.err;
}


/// The data rows of a track run's JSON (one "[" per row after the table's own).
int jsonRows(const std::string& json) {
    return static_cast<int>(std::count(json.begin(), json.end(), '[')) - 1;
}

// A frame the film does not have gets no row: a one-frame film, or a start at the last
// frame, gives one row, not a second one of the same picture (a velocity of 0). After the
// answer No to the second search's question the frame has no position, not pixel (0, 0).
TEST(BadRuns, NoRowForAFrameThatIsNotThereNorForARefusedContinuation) {
    const std::string lossless = film("lossless.avi");  // 40 frames; the colour is at (100, 25)
    const fs::path one = fs::path(::testing::TempDir()) / "zebak-one-frame.avi";
    ASSERT_EQ(test::runCommand("ffmpeg -nostdin -loglevel error -y -i " +
                               test::shellQuote(lossless) + " -frames:v 1 -c:v ffv1 " +
                               test::shellQuote(one.string()))
                  .status,
              0);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"track", one.string(), "--colour1", "100,50,125"},
          std::vector<std::string>{"track", lossless, "--colour1", "100,50,125", "--from", "39"},
          std::vector<std::string>{"track", lossless, "--colour1", "100,50,125", "--from", "39",
                                   "--mode1", "simple"}}) {
        const ToolRun r = analyse(words);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(jsonRows(r.out), 1) << words[1] << " " << r.out;
    }
    fs::remove(one);
    const ToolRun refused =
        analyse({"track", lossless, "--colour1", "100,50,125", "--refine1", "--refine-tolerance1",
                 "0", "--to", "2", "--on-refine-miss", "stop"});
    EXPECT_EQ(refused.out, "{\"tables\":{\"1\":[[\"\",\"\",\"\"]]}}\n") << refused.err;
}

}  // namespace
}  // namespace zebak
