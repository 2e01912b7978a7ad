// The analysis job built from a measurement, its per-slot limits and its check.
#include "core/AnalysisJob.h"

#include <gtest/gtest.h>

#include <climits>

namespace zebak {
namespace {

TEST(AnalysisJob, TakesTheMeasurementsValuesAndRefusesWhatTheLimitsDoNotHold) {
    Measurement m;
    m.film.size = {40, 30};
    m.area = {0, 0, 40, 30};
    m.range = {2, 5};
    m.display.analyseColour2 = true;
    m.colour(2) = {Rgb{1, 2, 3}, true, false, {}};
    m.settings(2).deviationPx = -7;  // colour 2's radius has no bounds
    const AnalysisJob job = makeAnalysisJob(m);
    EXPECT_EQ(job.range, m.range);
    EXPECT_TRUE(job.slot(1).analysed && job.slot(2).analysed);
    EXPECT_EQ(job.slot(2).colour, m.colour(2));
    EXPECT_EQ(checkJob(job), "");
    // A running job follows the measurement, but keeps the frame times it was made with.
    AnalysisJob running = job;
    m.settings(1).tolerance = 7;
    m.film.timing.frameTimesS = {0.0, 0.5};
    refreshJob(running, m);
    EXPECT_EQ(running.slot(1).settings.tolerance, 7);
    EXPECT_TRUE(running.timing.frameTimesS.empty());

    // Colour 1 and colour 2 differ only in the limits table.
    EXPECT_EQ(slotLimits(1).deviationPx.max, 500);
    EXPECT_EQ(slotLimits(2).objectSizePx.min, INT_MIN);
    AnalysisJob bad = job;
    bad.slot(1).settings.deviationPx = -7;
    EXPECT_EQ(checkJob(bad), "Farbe 1: „Mögl. Abweichung“ muss zwischen 0 und 500 liegen.");
    bad.slot(1).analysed = false;  // settings of a slot that is not analysed do not count
    EXPECT_EQ(checkJob(bad), "");
    bad.slot(2).settings.refineTolerance = 256;
    EXPECT_EQ(checkJob(bad), "Farbe 2: „Zweittoleranz“ muss zwischen 0 und 255 liegen.");

    AnalysisJob outside = job;
    outside.range = {5, 2};
    EXPECT_EQ(checkJob(outside), "Der Anfang der Bildfolge darf nicht hinter ihrem Ende liegen.");
}

}  // namespace
}  // namespace zebak
