// Loading films: sizes, labels and display window per frame size, the state after loading,
// the menu reload, a cancelled dialog, broken films and a cancelled preparation.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/ResultWindow.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui::test {

using FilmLadenTest = GuiTest;

struct Groesse {
    const char* film;
    int videobreite, videohoehe;
    QString label5;
    QSize anzeige;
    int bilder, framesPerSecond;
};

TEST_F(FilmLadenTest, FrameSizeLabelsAndDisplayWindowFollowTheFilm) {
    const Groesse cases[] = {
        {"gui640.avi", 640, 480, "Abmessungen:640/480", {384, 288}, 50, 25},
        {"gui320.avi", 320, 240, "Abmessungen:320/240", {320, 240}, 40, 30},
        {"gui720.avi", 360, 288, "720x576, verringert auf 360/288", {360, 288}, 20, 25},
    };
    for (const Groesse& g : cases) {
        SCOPED_TRACE(g.film);
        loadFilm(g.film);
        const Measurement& s = mainWindow().state();
        EXPECT_EQ(s.film.size.width, g.videobreite);
        EXPECT_EQ(s.film.size.height, g.videohoehe);
        EXPECT_EQ(mainWindow().input().shownSize(), (FrameSize{g.videobreite, g.videohoehe}));
        EXPECT_EQ(part<QLabel>("Label5")->text(), g.label5);
        DisplayWindow* anzeige = windows->secondary().displayWindow;
        EXPECT_TRUE(anzeige->isVisible());
        EXPECT_EQ(anzeige->clientSize(), g.anzeige);
        EXPECT_EQ(anzeige->panel1()->isVisible(), g.videobreite == 360);
        EXPECT_EQ(mainWindow().film()->frame().width(), g.videobreite);
        // The film's own rate, rounded (29.97 gives 30), replaces the 25 of the start.
        EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), g.framesPerSecond);
        EXPECT_EQ(mainWindow().player().frameCount(), g.bilder);
        // The search area is the whole frame and the origin its bottom-left corner.
        EXPECT_EQ(s.area.left, 0);
        EXPECT_EQ(s.area.top, 0);
        EXPECT_EQ(s.area.right, g.videobreite);
        EXPECT_EQ(s.area.bottom, g.videohoehe);
        EXPECT_EQ(s.calibration.origin.x, 0);
        EXPECT_EQ(s.calibration.origin.y, g.videohoehe);
        EXPECT_EQ(mainWindow().windowTitle(), QStringLiteral("ZEBAK - ") + g.film);
    }
}

TEST_F(FilmLadenTest, FirstLoadEndsAtTheEndOfTheFilmWithTheRangeOpen) {
    loadFilm("gui640.avi");
    // The end bar's change on the first load moves the film to the frame count.
    EXPECT_EQ(part<QScrollBar>("ScrollBar2")->value(), 0);
    EXPECT_EQ(part<QScrollBar>("ScrollBar3")->value(), 50);
    EXPECT_EQ(part<QScrollBar>("ScrollBar1")->value(), 50);
    for (const char* bar : {"ScrollBar1", "ScrollBar2", "ScrollBar3"})
        EXPECT_EQ(part<QScrollBar>(bar)->maximum(), 50) << bar;
    EXPECT_EQ(mainWindow().player().currentFrame(), 50);
    EXPECT_EQ(part<QLabel>("Label1")->text(), "50/50");
    EXPECT_EQ(part<QLabel>("Label2")->text(), "0");
    EXPECT_EQ(part<QLabel>("Label3")->text(), "50");
    // Screen state 2: player and choice shown, start picture and start button gone.
    EXPECT_TRUE(part<QWidget>("Panel1")->isVisible());
    EXPECT_TRUE(part<QWidget>("Panel2")->isVisible());
    EXPECT_FALSE(part<QPushButton>("Film_Laden")->isVisible());
    EXPECT_FALSE(part<QLabel>("Image1")->isVisible());
    EXPECT_EQ(part<QWidget>("MediaPlayer1")->width(), 231);
    EXPECT_TRUE(part<QTimer>("Timer1")->isActive());
}

TEST_F(FilmLadenTest, StartButtonUsesTheOpenDialog) {
    dialogs.openNames.push_back(film("gui320.avi"));
    part<QPushButton>("Film_Laden")->click();
    EXPECT_EQ(QString::fromStdString(mainWindow().state().film.path), film("gui320.avi"));
    EXPECT_EQ(mainWindow().state().film.size.width, 320);
}

TEST_F(FilmLadenTest, AutomaticModeShowsTheSearchControls) {
    loadFilm("gui320.avi");
    mainWindow().state().calibration.factorMPerPx = 0.5;
    part<QPushButton>("AutomatischBtn")->click();
    EXPECT_EQ(mainWindow().state().calibration.factorMPerPx, 1.0);
    EXPECT_FALSE(part<QWidget>("Panel2")->isVisible());
    for (const char* name :
         {"Panel3", "PageControl1", "ScrollBarBremse", "labelbremse", "suchbereicheinschraenken",
          "AnalyseBtn", "EichenBtn", "FilmAnalyseBtn", "DiagrammBtn"})
        EXPECT_TRUE(part<QWidget>(name)->isVisible()) << name;
    EXPECT_TRUE(part<QAction>("Stroboskopbild1")->isEnabled());
    EXPECT_EQ(part<QScrollBar>("ScrollBarBremse")->maximum(), 1000);
}

TEST_F(FilmLadenTest, MenuReloadResetsThePerFilmState) {
    loadFilm("gui640.avi");
    part<QPushButton>("AutomatischBtn")->click();
    part<QAction>("Stroboskopbild1")->setChecked(true);
    auto* tabelle = part<QTableView>("tabelle1");
    PositionGrid& raster = mainWindow().state().grid(1);
    raster.setRowCount(5);
    raster.setCell(3, 1, "0.25");
    mainWindow().tables().refresh(1, -1);
    tabelle->show();
    mainWindow().state().calibration.factorMPerPx = 0.01;
    mainWindow().state().colour(1).picked = Rgb{1, 2, 3};
    part<QScrollBar>("ScrollBarBremse")->setValue(7);

    dialogs.openNames.push_back(film("gui320.avi"));
    part<QAction>("Filmladen1")->trigger();

    for (const char* name : {"PageControl1", "Panel3", "Panel4", "ScrollBarBremse",
                             "suchbereicheinschraenken", "DiagrammBtn", "EichenBtn", "AnalyseBtn",
                             "FilmAnalyseBtn", "tabelle1", "Tabelle2", "Memo1", "Memo2"})
        EXPECT_FALSE(part<QWidget>(name)->isVisible()) << name;
    EXPECT_FALSE(part<QAction>("Stroboskopbild1")->isChecked());
    EXPECT_EQ(mainWindow().state().calibration.factorMPerPx, 1.0);
    // Header plus one empty data row, in the grid and on the screen.
    EXPECT_EQ(raster.rowCount(), 2);
    EXPECT_EQ(raster.cell(1, 1), "");
    EXPECT_EQ(tabelle->model()->rowCount(), 1);
    EXPECT_TRUE(part<QWidget>("Panel2")->isVisible());
    EXPECT_TRUE(windows->secondary().displayWindow->isVisible());
    EXPECT_EQ(mainWindow().state().film.size.width, 320);
    // Picked colours and the brake survive a reload.
    EXPECT_EQ(mainWindow().state().colour(1).picked, (Rgb{1, 2, 3}));
    EXPECT_EQ(part<QScrollBar>("ScrollBarBremse")->value(), 7);
}

// After an analysis and a calibration a cancelled "Film laden" keeps the work: the film, the
// tables, the factor, the automatic mode and the frame shown.
TEST_F(FilmLadenTest, CancelledMenuDialogChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(analyseBothBoxes());
    Measurement& s = mainWindow().state();
    s.calibration.factorMPerPx = 0.01;
    part<QSpinBox>("SpinEdit1")->setValue(100);
    mainWindow().player().goToFrame(3);
    auto cells = [&s] {
        std::vector<std::string> all;
        for (int r = 0; r < s.grid(1).rowCount(); ++r)
            for (int c = 0; c < PositionGrid::kColumns; ++c) all.push_back(s.grid(1).cell(r, c));
        return all;
    };
    const std::vector<std::string> table = cells();
    const std::string name = s.film.path;
    const FrameSource* before = mainWindow().film();
    part<QAction>("Filmladen1")->trigger();  // the dialog is cancelled
    part<QPushButton>("Film_Laden")->click();
    EXPECT_EQ(s.film.path, name);
    EXPECT_EQ(mainWindow().film(), before);
    EXPECT_EQ(cells(), table);
    EXPECT_GT(s.grid(1).rowCount(), 4);
    EXPECT_EQ(s.calibration.factorMPerPx, 0.01);
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 100);
    EXPECT_EQ(mainWindow().player().currentFrame(), 3);
    EXPECT_TRUE(part<QWidget>("Panel3")->isVisible());
    EXPECT_TRUE(part<QWidget>("tabelle1")->isVisible());
    EXPECT_FALSE(part<QWidget>("Panel2")->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FilmLadenTest, BrokenFilmsShowTheDecoderTextAndChangeNothing) {
    // Before any film: the error box, and the start screen stays.
    EXPECT_FALSE(mainWindow().loadFilm(film("kein-film.avi")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Can't open"))
        << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(part<QPushButton>("Film_Laden")->isVisible());
    EXPECT_FALSE(part<QWidget>("Panel1")->isVisible());
    dialogs.messages.clear();

    loadFilm("gui640.avi");
    part<QPushButton>("AutomatischBtn")->click();
    part<QScrollBar>("ScrollBar2")->setValue(5);
    for (const QString& kaputt : {film("kein-film.avi"), film("abgeschnitten.avi"),
                                  film("gibt-es-nicht.avi"), QStringLiteral(ZEBAK_GUI_FILMS)}) {
        SCOPED_TRACE(kaputt.toStdString());
        dialogs.openNames.push_back(kaputt);
        part<QAction>("Filmladen1")->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
        dialogs.messages.clear();
        // Everything as before, including the automatic-mode screen.
        EXPECT_EQ(QString::fromStdString(mainWindow().state().film.path), film("gui640.avi"));
        EXPECT_EQ(mainWindow().windowTitle(), "ZEBAK - gui640.avi");
        EXPECT_EQ(mainWindow().player().frameCount(), 50);
        EXPECT_EQ(part<QScrollBar>("ScrollBar2")->value(), 5);
        EXPECT_TRUE(part<QWidget>("Panel3")->isVisible());
    }
    // The old film is still usable.
    part<QScrollBar>("ScrollBar3")->setValue(20);
    EXPECT_EQ(mainWindow().player().currentFrame(), 20);
    EXPECT_TRUE(dialogs.messages.empty());
}

// A film whose name is as long as the file system allows loads; a message naming it is
// wrapped to the screen, not wider than it.
TEST_F(FilmLadenTest, ALongFilmNameLoadsAndItsMessagesFitTheScreen) {
    QTemporaryDir dir;
    const QString longName = dir.filePath(QString(240, QLatin1Char('f')) + ".avi");
    ASSERT_TRUE(QFile::copy(film("gui320.avi"), longName));
    ASSERT_TRUE(mainWindow().loadFilm(longName));
    EXPECT_TRUE(dialogs.messages.empty());

    const QRect screen = mainWindow().screen()->availableGeometry();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"),
                    breakableText("Die Datei „" + longName + "“ kann nicht gelesen werden."),
                    QMessageBox::Ok);
    box.show();
    QApplication::processEvents();
    EXPECT_LE(box.frameGeometry().width(), screen.width());
    EXPECT_EQ(box.text().remove(QChar(0x200B)),
              "Die Datei „" + longName + "“ kann nicht gelesen werden.");
}

TEST_F(FilmLadenTest, CancelledPreparationLeavesTheProgramAsItWas) {
    loadFilm("gui640.avi");
    // A copy under a new name is not in the cache, so its preparation reports progress.
    QTemporaryDir ordner;
    const QString kopie = ordner.filePath("neu.avi");
    ASSERT_TRUE(QFile::copy(film("gui320.avi"), kopie));
    dialogs.cancelProgress = true;
    EXPECT_FALSE(mainWindow().loadFilm(kopie));
    EXPECT_GT(dialogs.progressUpdates, 0);
    EXPECT_TRUE(dialogs.messages.empty());  // a cancel is no error
    EXPECT_EQ(mainWindow().state().film.size.width, 640);
    EXPECT_EQ(mainWindow().windowTitle(), "ZEBAK - gui640.avi");

    dialogs.cancelProgress = false;
    dialogs.progressDetails.clear();
    EXPECT_TRUE(mainWindow().loadFilm(kopie));
    EXPECT_EQ(mainWindow().state().film.size.width, 320);
    // The dialog counted the frames of the pass up to the film's last one.
    ASSERT_FALSE(dialogs.progressDetails.isEmpty());
    const int frames = mainWindow().player().frameCount();
    EXPECT_TRUE(
        dialogs.progressDetails.last().startsWith(QStringLiteral("Bild %1 von %1").arg(frames)))
        << dialogs.progressDetails.last().toStdString();
}

}  // namespace zebak::gui::test
