// Saving an analysis as a project file and opening it again in the windows.
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "GuiTest.h"
#include "core/ProjectFile.h"
#include "gui/evaluation/DiagramPanel.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/evaluation/TrendLinePanel.h"
#include "gui/shell/ProjectCommands.h"

namespace zebak::gui::test {
namespace {
namespace fs = std::filesystem;

class AnalysedateiTest : public GuiTest {
  protected:
    EvaluationWindow& evaluation() { return *windows->secondary().evaluationWindow; }
    bool asked(const char* text) const {
        for (const Meldung& m : dialogs.messages)
            if (m.text.contains(QString::fromUtf8(text))) return true;
        return false;
    }
};

TEST_F(AnalysedateiTest, SavedAnalysisOpensWithTablesEvaluationAndAMovedFilm) {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    fs::copy_file(boxesFilm().toStdString(), folder / "boxes.avi");
    ASSERT_TRUE(mainWindow().loadFilm(QString::fromStdString((folder / "boxes.avi").string())));
    pickBothBoxes();
    Measurement& s = mainWindow().state();
    s.calibration = Calibration{0.005, {12, 98}, {{0, 0}, {60, 80}, 0.5}};
    QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
    mainWindow().tables().evaluationClicked();
    ASSERT_TRUE(evaluation().isVisible());
    s.evaluation[0].positions[2][2] = "7.5";
    evaluation().diagrams().drawDiagram(Diagram::VT);
    evaluation().trend().strengthField()->setValue(7);
    const Measurement before = s;

    const QString project = dir.filePath(QStringLiteral("wurf"));
    dialogs.saveNames = {project};
    ASSERT_TRUE(mainWindow().projects().saveClicked());
    EXPECT_EQ(mainWindow().windowTitle(), QStringLiteral("ZEBAK - wurf.zebak"));
    mainWindow().close();
    EXPECT_FALSE(asked("Änderungen"));

    // A fresh program; the film moved where neither of the project's paths finds it.
    windows.reset();
    session->setFilm(nullptr);
    session->state() = Measurement();
    windows = std::make_unique<WindowSet>(*session);
    mainWindow().show();
    fs::rename(folder / "boxes.avi", folder / "anderswo.avi");
    dialogs.openNames = {QString::fromStdString((folder / "anderswo.avi").string())};
    ASSERT_TRUE(mainWindow().projects().open(project + QStringLiteral(".zebak")));
    EXPECT_TRUE(asked("Film „boxes.avi“ nicht gefunden. Bitte suchen Sie ihn."));
    const Measurement& after = mainWindow().state();
    EXPECT_EQ(after.tracks, before.tracks);
    EXPECT_EQ(after.calibration, before.calibration);
    EXPECT_EQ(after.colours, before.colours);
    EXPECT_EQ(after.slotSettings, before.slotSettings);
    EXPECT_EQ(after.display, before.display);
    for (std::size_t i : {0u, 1u}) {
        EXPECT_EQ(after.evaluation[i].positions, before.evaluation[i].positions);
        EXPECT_EQ(after.evaluation[i].velocities, before.evaluation[i].velocities);
        EXPECT_EQ(after.evaluation[i].accelerations, before.evaluation[i].accelerations);
    }
    EXPECT_EQ(part<QTableView>("tabelle1")->model()->rowCount(), before.grid(1).rowCount() - 1);
    EXPECT_FALSE(part<QWidget>("Panel2")->isVisible());
    ASSERT_TRUE(evaluation().isVisible());
    EXPECT_EQ(evaluation().view().diagram, Diagram::VT);
    EXPECT_EQ(evaluation().trend().strengthField()->value(), 7);

    // An opened analysis nobody changed closes without a question; a change since the
    // opening is asked about, and "Abbrechen" keeps the window.
    EXPECT_TRUE(mainWindow().projects().mayClose());
    EXPECT_FALSE(asked("Änderungen"));
    mainWindow().state().area.left = 5;
    dialogs.answers = {QMessageBox::Cancel};
    mainWindow().close();
    EXPECT_TRUE(asked("Änderungen an der Analyse speichern?"));
    EXPECT_TRUE(mainWindow().isVisible());
    dialogs.answers = {QMessageBox::No};
    mainWindow().close();
    EXPECT_FALSE(mainWindow().isVisible());
}

}  // namespace
}  // namespace zebak::gui::test
