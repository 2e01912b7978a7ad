#include "core/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace zebak {
namespace {
namespace fs = std::filesystem;

/// A measurement with every saved value away from its start value.
Measurement busyMeasurement() {
    Measurement m;
    m.film = Film{"/filme/wurf.avi", {360, 288}, {30, true, {0.0, 0.1, 0.2 + 0.1, 1e-300}}};
    m.area = SearchArea{1, 2, 300, 250};
    m.range = FrameRange{3, 40};
    m.calibration = Calibration{0.1 + 0.2, {-5, 280}, {{10, 20}, {110, 20}, 1.05}};
    m.manualLine = CalibrationLine{{1, 2}, {3, 4}, 0.7};
    m.colour(1) = ColourSlot{{200, 10, 0}, true, true, {17, 42}};
    m.colour(2) = ColourSlot{{0, 0, 255}, true, false, {}};
    SlotSettings& s = m.settings(2);
    s = SlotSettings{SearchMode::Simple, 12, 700, true, 99, 8, true, true, true, true};
    m.display = ResultDisplay{true, true, false, true, true, true, true, true, 250};
    m.trace(1) = SlotTrace{{1, 2, 3}, 40, {5, 6}, {7, 8}, {}, 0, false, {}};
    m.grid(1).setRowCount(3);
    m.grid(1).setCell(1, 0, "0.033");
    m.grid(1).setCell(2, 2, "1.5 \"ä\"");
    m.track(1).found = {false, true, false};
    m.evaluation[0].positions = {{"Nr.", "t", "x", "y"}, {"1", "0", "", "edited"}};
    m.evaluation[0].messages = {"Fehler"};
    m.evaluationChoices = EvaluationChoices{Diagram::VYT, 7, 4, FitModel::Sine};
    return m;
}

TEST(ProjectFile, EveryValueReadsBackExactly) {
    const Measurement m = busyMeasurement();
    const ProjectFilm film{"../filme/wurf.avi", 123456789012, "abc123", 41};
    const std::string text = projectText(m, film);
    const Project p = parseProject(text);
    const Measurement& r = p.measurement;
    EXPECT_EQ(r.film, m.film);
    EXPECT_EQ(r.area, m.area);
    EXPECT_EQ(r.range, m.range);
    EXPECT_EQ(r.calibration, m.calibration);
    EXPECT_EQ(r.manualLine, m.manualLine);
    EXPECT_EQ(r.colours, m.colours);
    EXPECT_EQ(r.slotSettings, m.slotSettings);
    EXPECT_EQ(r.display, m.display);
    EXPECT_EQ(r.traces, m.traces);
    EXPECT_EQ(r.tracks, m.tracks);
    EXPECT_EQ(r.evaluation[0].positions, m.evaluation[0].positions);
    EXPECT_EQ(r.evaluation[0].messages, m.evaluation[0].messages);
    EXPECT_EQ(r.evaluationChoices, m.evaluationChoices);
    EXPECT_EQ(p.film, film);
    EXPECT_EQ(projectText(r, p.film), text);
}

TEST(ProjectFile, OlderFilesKeepStartValuesNewerAndForeignOnesAreRefused) {
    const Project old = parseProject(
        R"({"format":"Zebak-Analyse","version":1,"area":{"left":4},"unknown":[1,{"x":2}]})");
    const Measurement start;
    EXPECT_EQ(old.measurement.area, (SearchArea{4, 0, 0, 0}));
    EXPECT_EQ(old.measurement.slotSettings, start.slotSettings);
    EXPECT_EQ(old.measurement.tracks, start.tracks);
    EXPECT_EQ(old.measurement.evaluationChoices, start.evaluationChoices);

    const auto refusal = [](const std::string& text) {
        try {
            parseProject(text);
        } catch (const ProjectError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(refusal(R"({"format":"Zebak-Analyse","version":2})").find("neueren"),
              std::string::npos);
    EXPECT_EQ(refusal(R"({"format":"Tracker","version":1})"), "Die Datei ist keine Zebak-Analyse.");
    EXPECT_EQ(refusal("[1,2]"), "Die Datei ist keine Zebak-Analyse.");
    // Values of the wrong kind or beyond what the program can hold name the member.
    EXPECT_NE(refusal(R"({"format":"Zebak-Analyse","version":1,"area":{"left":1e400}})"),
              "accepted");
    EXPECT_NE(refusal(R"({"format":"Zebak-Analyse","version":1,"range":{"start":5,"end":2}})")
                  .find("range"),
              std::string::npos);
    EXPECT_NE(refusal(R"({"format":"Zebak-Analyse","version":1,"traces":[{"tolerance":256},{}]})")
                  .find("traces.tolerance"),
              std::string::npos);
    EXPECT_NE(refusal(R"({"format":"Zebak-Analyse","version":1,"tables":[{"grid":[]},{}]})"),
              "accepted");
    EXPECT_NE(refusal(R"({"format":"Zebak-Analyse","version":1,
                          "evaluation":[{"positions":[["a"],["b","c"]]},{}]})"),
              "accepted");
}

TEST(ProjectFile, EveryCutAndFlippedByteIsRefusedOrReadSound) {
    const std::string text = projectText(busyMeasurement(), ProjectFilm{"a.avi", 1, "d", 2});
    int accepted = 0;
    const auto tryText = [&](const std::string& bytes) {
        try {
            const Project p = parseProject(bytes);
            // Whatever was accepted writes and reads again unchanged.
            const std::string again = projectText(p.measurement, p.film);
            EXPECT_EQ(projectText(parseProject(again).measurement, p.film), again);
            ++accepted;
        } catch (const ProjectError& e) {
            EXPECT_GT(std::string(e.what()).size(), 10u);
        }
    };
    for (std::size_t cut = 0; cut < text.size(); ++cut) tryText(text.substr(0, cut));
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string flipped = text;
        flipped[i] = static_cast<char>(flipped[i] ^ 0x20);
        tryText(flipped);
    }
    EXPECT_GT(accepted, 0);
}

TEST(ProjectFile, WrittenFileFindsItsFilmBesideItOrAtItsFullPath) {
    const fs::path dir =
        fs::temp_directory_path() / ("zebak-project-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "filme");
    fs::create_directories(dir / "analysen");
    std::ofstream(dir / "filme" / "wurf.avi") << "film";
    Measurement m;
    m.film.path = (dir / "filme" / "wurf.avi").string();
    const std::string file = (dir / "analysen" / "wurf.zebak").string();
    writeProject(file, m, ProjectFilm{});
    Project p = readProject(file);
    EXPECT_EQ(p.film.relativePath, "../filme/wurf.avi");
    EXPECT_EQ(findProjectFilm(p, file), m.film.path);

    // Both moved together: found beside the project through the relative path.
    fs::rename(dir / "filme", dir / "andere");
    fs::create_directories(dir / "neu" / "analysen");
    fs::rename(dir / "andere", dir / "neu" / "filme");
    fs::rename(file, dir / "neu" / "analysen" / "wurf.zebak");
    const std::string moved = (dir / "neu" / "analysen" / "wurf.zebak").string();
    EXPECT_EQ(findProjectFilm(readProject(moved), moved),
              (dir / "neu" / "filme" / "wurf.avi").string());
    fs::remove(dir / "neu" / "filme" / "wurf.avi");
    EXPECT_EQ(findProjectFilm(readProject(moved), moved), "");
    EXPECT_THROW(readProject((dir / "fehlt.zebak").string()), ProjectError);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zebak
