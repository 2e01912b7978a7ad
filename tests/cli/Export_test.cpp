// track --format csv|txt|xlsx with --slot: the export of one colour as the evaluation window
// writes it; the workbook read back through LibreOffice with numbers as numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/Process.h"
#include "support/SpreadsheetReader.h"

namespace {

namespace fs = std::filesystem;
using zebak::test::ProcessResult;
using zebak::test::shellQuote;

ProcessResult analyse(const std::string& arguments) {
    return zebak::test::runCommandWithErrors(std::string("'") + ZEBAK_ANALYSE + "' " + arguments);
}

/// The lossless film's two boxes over frames 0 to 3, both colours analysed.
const std::string kTrack = std::string("track '") + ZEBAK_TRACK_FILMS +
                           "/boxes-ffv1.avi' --colour1 230,40,40 --tolerance1 1 "
                           "--colour2 40,40,230 --tolerance2 1 --to 3";

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TrackExport : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zebak-cli-export-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(TrackExport, SlotChoosesTheColourOfTheTextFormats) {
    const ProcessResult one = analyse(kTrack + " --format csv");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out,
              "t/(s),x/(m),y/(m)\r\n0,12,98\r\n0.04,16,96\r\n0.08,20,94\r\n0.12,24,92\r\n");
    EXPECT_EQ(analyse(kTrack + " --format csv --slot 1").out, one.out);
    const ProcessResult two = analyse(kTrack + " --format txt --slot 2");
    ASSERT_EQ(two.status, 0) << two.err;
    EXPECT_EQ(two.out,
              "t/(s)\tx/(m)\ty/(m)\r\n0\t141\t39\r\n0,04\t138\t39\r\n0,08\t135\t39\r\n"
              "0,12\t132\t39\r\n");
    // Written to a file, the bytes are those printed.
    const fs::path txt = dir / "b.txt";
    ASSERT_EQ(analyse(kTrack + " --format txt --slot 2 -o " + shellQuote(txt.string())).status, 0);
    EXPECT_EQ(readFile(txt), two.out);
}

TEST_F(TrackExport, ArgumentErrorsAndAFailedWorkbookWrite) {
    const std::string only1 =
        std::string("track '") + ZEBAK_TRACK_FILMS + "/boxes-ffv1.avi' --colour1 230,40,40 --to 1";
    for (const std::string& args : {kTrack + " --format xlsx", kTrack + " --slot 3 --format csv",
                                    kTrack + " --slot x", only1 + " --slot 2 --format csv"}) {
        const ProcessResult r = analyse(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
    }
    const fs::path missing = dir / "fehlt" / "a.xlsx";
    const ProcessResult r = analyse(kTrack + " --format xlsx -o " + shellQuote(missing.string()));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find(missing.string()), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_empty(dir)) << "nothing half written";
}

TEST_F(TrackExport, WorkbooksOfBothSlotsReadBackWithNumbersAsNumbers) {
    const fs::path book1 = dir / "farbe1.xlsx";
    const fs::path book2 = dir / "farbe2.xlsx";
    ASSERT_EQ(analyse(kTrack + " --format xlsx -o " + shellQuote(book1.string())).status, 0);
    // An empty TMPDIR means no folder of its own, not the current one.
    const ProcessResult emptyTemp = zebak::test::runCommandWithErrors(
        std::string("TMPDIR= '") + ZEBAK_ANALYSE + "' " + kTrack + " --format xlsx --slot 2 -o " +
        shellQuote(book2.string()));
    ASSERT_EQ(emptyTemp.status, 0) << emptyTemp.err;
    std::string error;
    const auto sheets = zebak::test::readWorkbooks({book1, book2}, error);
    ASSERT_EQ(sheets.size(), 2u) << error;

    using Row = std::vector<std::string>;
    const std::string v = "111.8034";
    const std::vector<Row> expected1 = {
        {"\"t /s\"", "\"x /m\"", "\"y /m\"", "", "\"Zeitintervall /s\"", "\"v / (m/s)\"",
         "\"vx /(m/s)\"", "\"vy /(m/s)\"", "\"t Mitte/ s\"", "", "\"Zeitintervall/ s\"",
         "\"a /(m/s²)\"", "\"ax /(m/s²)\"", "\"ay /(m/s²)\"", "\"t Mitte /s\""},
        {"0", "12", "98", "", "", "", "", "", "", "", "", "", "", "", ""},
        {"0.04", "16", "96", "", "\"0-0.04\"", v, "100", "-50", "0.02", "", "\"0.02-0.06\"", "0",
         "0", "0", "0.04"},
        {"0.08", "20", "94", "", "\"0.04-0.08\"", v, "100", "-50", "0.06", "", "\"0.06-0.1\"", "0",
         "0", "0", "0.08"},
        {"0.12", "24", "92", "", "\"0.08-0.12\"", v, "100", "-50", "0.1", "", "", "", "", "", ""},
    };
    EXPECT_EQ(sheets[0], expected1);

    const auto& s2 = sheets[1];
    ASSERT_EQ(s2.size(), 5u);
    EXPECT_EQ(s2[0][4], "\"Zeitintervall/s\"");
    EXPECT_EQ(s2[0][0], "\"t /s\"");
    // Columns A to C hold the CSV export's numbers, unquoted.
    std::istringstream csv(analyse(kTrack + " --format csv --slot 2").out);
    std::string line;
    std::getline(csv, line);
    for (std::size_t r = 1; r < s2.size() && std::getline(csv, line); ++r)
        EXPECT_EQ(s2[r][0] + "," + s2[r][1] + "," + s2[r][2] + "\r", line) << r;
}

// The workbook holds the grids the JSON and the windows show: with --times film the square
// thrown on an uneven clock moves 300 px/s in every row. Its scratch files lie beside the
// target, so a temporary folder that takes no file changes nothing; a failure is one line.
TEST_F(TrackExport, WorkbooksTakeTheFilmTimesAndNeedNoTemporaryFolder) {
    const fs::path readOnly = dir / "schreibgeschuetzt";
    fs::create_directories(readOnly);
    if (std::system(("mount -t tmpfs -o ro,size=64k tmpfs " + shellQuote(readOnly.string()) +
                     " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "a read-only temporary folder needs a mount, which needs root";
    const std::string throw_ = std::string("track '") + ZEBAK_TEST_FILMS +
                               "/phone/uneven-throw.mp4' --colour1 255,0,0 --times film";
    const fs::path book = dir / "wurf.xlsx";
    const ProcessResult r = zebak::test::runCommandWithErrors(
        "TMPDIR=" + shellQuote(readOnly.string()) + " '" + ZEBAK_ANALYSE + "' " + throw_ +
        " --format xlsx -o " + shellQuote(book.string()));
    const ProcessResult failed = zebak::test::runCommandWithErrors(
        "TMPDIR=" + shellQuote(readOnly.string()) + " '" + ZEBAK_ANALYSE + "' " + throw_ +
        " --format xlsx -o " + shellQuote((readOnly / "b.xlsx").string()));
    std::system(("umount " + shellQuote(readOnly.string())).c_str());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(std::count(failed.err.begin(), failed.err.end(), '\n'), 1) << failed.err;
    EXPECT_NE(failed.err.find("schreibgeschützt"), std::string::npos) << failed.err;

    std::string error;
    const auto sheets = zebak::test::readWorkbooks({book}, error);
    ASSERT_EQ(sheets.size(), 1u) << error;
    ASSERT_EQ(sheets[0].size(), 25u);
    for (std::size_t row = 2; row < sheets[0].size(); ++row)
        EXPECT_EQ(sheets[0][row][6], "300") << "vx in row " << row;
}

}  // namespace
