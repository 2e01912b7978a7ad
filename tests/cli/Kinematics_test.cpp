// track --kinematics: the evaluation grids whole, the trend lines at the chosen strength and
// the messages, the fitted curves and the difference step, for the lossless film whose red
// box moves 4 px right and 2 px up per frame.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(TrackKinematics, FitsOverAllRowsDifferenceStepAndBadValues) {
    const std::string track = std::string("track '") + ZEBAK_TRACK_FILMS +
                              "/boxes-ffv1.avi' --colour1 230,40,40 --tolerance1 1";
    Result r = analyse(track +
                       " --to 9 --kinematics --spread 2 --fit x-t:gerade --fit "
                       "vy-t:sinus --fit y-t:parabel");
    ASSERT_EQ(r.status, 0) << r.err;
    // x = 12 + 100 t exactly; vy is flat, so no sine; in the order asked for.
    EXPECT_NE(r.out.find("\"fits\":{\"1\":{\"x-t\":{\"model\":\"gerade\",\"params\":[100,12],"
                         "\"errors\":[0,0],\"r2\":1,\"n\":10},\"vy-t\":{\"model\":\"sinus\","
                         "\"error\":\"Kein Sinus möglich: "),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"y-t\":{\"model\":\"parabel\",\"params\":[-"), std::string::npos);
    // Differences over two rows: the first velocity in row 3, spanning frames 0 to 2.
    EXPECT_NE(r.out.find("[\"\",\"\",\"\",\"\",\"\"],[\"\",\"\",\"\",\"\",\"\"],[\"0-0.08\","
                         "\"111.8034\",\"100\",\"-50\",\"0.04\"]"),
              std::string::npos)
        << r.out;
    r = analyse(track + " --to 1 --fit y-t:parabel");
    EXPECT_NE(r.out.find("\"error\":\"Zu wenige Punkte für eine Parabel: 2, nötig sind "
                         "mindestens 3.\""),
              std::string::npos)
        << r.out;

    for (const char* bad :
         {" --fit z-t:gerade", " --fit y-t:kreis", " --fit y-t", " --fit", " --spread 0",
          " --spread 51", " --spread x", " --fit x-t:gerade --fit x-t:parabel",
          " --fit x-t:gerade --format csv"}) {
        r = analyse(track + " --to 1" + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << bad << r.err;
    }
}

}  // namespace
