#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "support/Process.h"

namespace {

namespace fs = std::filesystem;

using Result = zebak::test::ProcessResult;

Result analyse(const std::string& arguments) {
    return zebak::test::runCommandWithErrors(std::string("'") + ZEBAK_ANALYSE + "' " + arguments);
}

TEST(Project, SavedAnalysisPrintsItsTablesAndRunsAgainWithItsSettings) {
    const fs::path dir =
        fs::temp_directory_path() / ("zebak-cli-project-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    fs::copy_file(std::string(ZEBAK_TRACK_FILMS) + "/boxes-ffv1.avi", dir / "boxes.avi");
    const std::string film = "'" + (dir / "boxes.avi").string() + "'";
    const std::string project = "'" + (dir / "a.zebak").string() + "'";
    const std::string settings =
        " --colour1 230,40,40 --colour2 40,40,230 --tolerance1 1 "
        "--from 2 --fps 10 --calibrate 0,0,60,80,0.5 --origin 12,98 --mode2 simple --subpixel1";
    const std::string full = settings + " --to 9 --kinematics";
    const Result original = analyse("track " + film + full + " --save-project " + project);
    ASSERT_EQ(original.status, 0) << original.err;
    ASSERT_NE(original.out.find("\"2\":[["), std::string::npos);

    // The stored tables, and the same rows from the stored settings on the project's film or
    // on a film named before the project.
    EXPECT_EQ(analyse("project " + project + " --kinematics").out, original.out);
    EXPECT_EQ(analyse("track --project " + project + " --kinematics").out, original.out);
    EXPECT_EQ(analyse("track " + film + " --project " + project + " --kinematics").out,
              original.out);
    const Result csv = analyse("project " + project + " --format csv --slot 2");
    EXPECT_EQ(csv.out, analyse("track " + film + settings + " --to 9 --format csv --slot 2").out);
    // Options after the project override its settings.
    const Result shorter = analyse("track --project " + project + " --to 4");
    EXPECT_EQ(shorter.status, 0) << shorter.err;
    EXPECT_EQ(shorter.out, analyse("track " + film + settings + " --to 4").out);

    // A film at neither path and a damaged project give one line and status 2.
    fs::rename(dir / "boxes.avi", dir / "weg.avi");
    const Result missing = analyse("track --project " + project);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("nicht gefunden"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");
    std::ofstream(dir / "kaputt.zebak") << "{\"format\":\"Zebak-Analyse\",\"version\":1,\"tab";
    const Result damaged = analyse("project '" + (dir / "kaputt.zebak").string() + "'");
    EXPECT_EQ(damaged.status, 2);
    EXPECT_EQ(std::count(damaged.err.begin(), damaged.err.end(), '\n'), 1) << damaged.err;
    fs::remove_all(dir);
}

}  // namespace
