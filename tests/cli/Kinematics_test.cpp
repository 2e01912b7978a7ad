// track --kinematics: the evaluation grids whole, the trend lines at the chosen strength and
// the messages, for the lossless film whose red box moves 4 px right and 2 px up per frame.
#include <gtest/gtest.h>

#include <string>

#include "support/Process.h"

namespace {

using Result = zebak::test::ProcessResult;

Result analyse(const std::string& arguments) {
    return zebak::test::runCommandWithErrors(std::string("'") + ZEBAK_ANALYSE + "' " + arguments);
}

const std::string kTrack =
    std::string("track '") + ZEBAK_TRACK_FILMS +
    "/boxes-ffv1.avi' --colour1 230,40,40 --tolerance1 1 --to 3 --kinematics";

TEST(TrackKinematics, GridsTrendLinesAndMessagesOfOneColour) {
    const Result r = analyse(kTrack + " --strength 1");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string v = "\"111.8034\",\"100\",\"-50\"";
    const std::string expected =
        "{\"tables\":{\"1\":[[\"0\",\"12\",\"98\"],[\"0.04\",\"16\",\"96\"],[\"0.08\",\"20\","
        "\"94\"],[\"0.12\",\"24\",\"92\"]]},\"kinematics\":{\"1\":{"
        "\"positions\":[[\"Bildnr.\",\"t /s\",\"x /m\",\"y /m\"],[\"1\",\"0\",\"12\",\"98\"],"
        "[\"2\",\"0.04\",\"16\",\"96\"],[\"3\",\"0.08\",\"20\",\"94\"],[\"4\",\"0.12\",\"24\","
        "\"92\"]],"
        "\"velocities\":[[\"Zeitintervall /s\",\"v / (m/s)\",\"vx /(m/s)\",\"vy /(m/s)\","
        "\"t Mitte/ s\"],[\"\",\"\",\"\",\"\",\"\"],[\"0-0.04\"," +
        v +
        ",\"0.02\"],"
        "[\"0.04-0.08\"," +
        v + ",\"0.06\"],[\"0.08-0.12\"," + v +
        ",\"0.1\"]],"
        "\"accelerations\":[[\"Zeitintervall/ s\",\"a /(m/s²)\",\"ax /(m/s²)\",\"ay /(m/s²)\","
        "\"t Mitte /s\"],[\"\",\"\",\"\",\"\",\"\"],[\"0.02-0.06\",\"0\",\"0\",\"0\",\"0.04\"],"
        "[\"0.06-0.1\",\"0\",\"0\",\"0\",\"0.08\"]],"
        "\"trend\":{\"v-t\":[[0.02,111.8034],[0.06,111.8034],[0.1,111.8034]],"
        "\"vx-t\":[[0.02,100],[0.06,100],[0.1,100]],\"vy-t\":[[0.02,-50],[0.06,-50],[0.1,-50]],"
        "\"a-t\":[[0.04,0],[0.08,0]],\"ax-t\":[[0.04,0],[0.08,0]],\"ay-t\":[[0.04,0],[0.08,0]]},"
        "\"messages\":[]}}}\n";
    EXPECT_EQ(r.out, expected);
}

TEST(TrackKinematics, DefaultStrengthBothColoursAndBadStrengths) {
    // Strength 5 on five rows: only the first centre row 4, from velocity rows 2 to 4.
    Result r = analyse(kTrack + " --colour2 40,40,230 --tolerance2 1");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"1\":{\"positions\""), std::string::npos);
    EXPECT_NE(r.out.find("\"vx-t\":[[0.1,100]]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"vx-t\":[[0.1,-75]]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"a-t\":[]"), std::string::npos);
    EXPECT_NE(r.out.find("\"2\":{\"positions\""), std::string::npos);
    EXPECT_NE(r.out.find("[\"Zeitintervall/s\",\"v /(m/s)\""), std::string::npos);

    for (const char* bad : {" --strength 4", " --strength 0", " --strength 11", " --strength x"}) {
        r = analyse(kTrack + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
    }
    // Without --kinematics the output stays the plain tables.
    r = analyse(std::string("track '") + ZEBAK_TRACK_FILMS +
                "/boxes-ffv1.avi' --colour1 230,40,40 --tolerance1 1 --to 1");
    EXPECT_EQ(r.out.find("kinematics"), std::string::npos);
}

}  // namespace
