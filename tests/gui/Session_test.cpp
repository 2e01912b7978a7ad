// The session behind the windows: a film drawn in memory opened through the film opener, and
// closing the program while a loop runs or with the tables filled, windows before session.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/PositionTableModel.h"
#include "support/SyntheticFilm.h"

namespace zebak::gui::test {

namespace {

constexpr Rgb kBox{230, 40, 40};

/// A PAL film of 12 frames, drawn at its analysis size 360 x 288, that gives a rate below one
/// frame per second: a 6 x 6 box at (10 + 4n, 20 + 2n) on a dark background.
std::unique_ptr<FrameSource> drawnFilm() {
    auto film = std::make_unique<zebak::test::SyntheticFilm>(12, 360, 288);
    for (int n = 0; n < 12; ++n)
        for (int y = 20 + 2 * n; y < 26 + 2 * n; ++y)
            for (int x = 10 + 4 * n; x < 16 + 4 * n; ++x) film->at(n).setPixel(x, y, kBox);
    film->described = describedAs({720, 576}, 0.4);
    return film;
}

}  // namespace

class DrawnFilmTest : public GuiTest {
  protected:
    DrawnFilmTest()
        : GuiTest([this](const std::string& path, const FilmProgress&) {
              opened.push_back(path);
              return drawnFilm();
          }) {}
    std::vector<std::string> opened;
};

TEST_F(DrawnFilmTest, AFilmFromTheOpenerIsLoadedAndAnalysedLikeAFilmFromDisk) {
    ASSERT_TRUE(mainWindow().loadFilm(QStringLiteral("im-speicher.avi")));
    EXPECT_EQ(opened, std::vector<std::string>{"im-speicher.avi"});
    const Measurement& s = mainWindow().state();
    EXPECT_EQ(s.film.size.width, 360);
    EXPECT_EQ(s.film.size.height, 288);
    EXPECT_EQ(part<QLabel>("Label5")->text(), "720x576, verringert auf 360/288");
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 25);  // a rate below 1 gives 25
    EXPECT_EQ(windows->secondary().displayWindow->clientSize(), QSize(360, 288));
    EXPECT_EQ(mainWindow().player().frameCount(), 12);

    part<QPushButton>("AutomatischBtn")->click();
    mainWindow().state().colour(1).picked = kBox;
    mainWindow().state().colour(1).assigned = true;
    mainWindow().state().settings(1).mode = SearchMode::Simple;
    QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);

    const PositionGrid& g = s.grid(1);
    ASSERT_EQ(g.rowCount(), 13);
    // Centre (12 + 4n, 22 + 2n), y counted upward from 288, 25 frames per second.
    EXPECT_EQ(g.cell(1, 0) + " " + g.cell(1, 1) + " " + g.cell(1, 2), "0 12 266");
    EXPECT_EQ(g.cell(12, 0) + " " + g.cell(12, 1) + " " + g.cell(12, 2), "0.44 56 244");
    EXPECT_EQ(part<PositionTable>("tabelle1")->model()->rowCount(), 12);
}

class ClosingTest : public GuiTest {
  protected:
    /// Closes the main window and ends the program's way: windows first, then the session,
    /// then whatever events are still queued.
    void endProgram() {
        windows.reset();
        session.reset();
        QCoreApplication::processEvents();
    }
    void automaticWithBall() {
        ASSERT_TRUE(
            mainWindow().loadFilm(QStringLiteral(ZEBAK_SOURCE_DIR "/resources/demo/demo.avi")));
        part<QPushButton>("AutomatischBtn")->click();
        mainWindow().state().colour(1).picked = Rgb{225, 32, 26};
        mainWindow().state().colour(1).assigned = true;
    }
    /// The main window is closed at the third pause of the run that starts next.
    void closeAtThirdPause() {
        dialogs.onLoopPause = [this](int pause) {
            if (pause == 3) mainWindow().close();
        };
    }
};

TEST_F(ClosingTest, DuringAFilmAnalysis) {
    automaticWithBall();
    closeAtThirdPause();
    QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
    EXPECT_TRUE(mainWindow().session().runControl().stopRequested);
    EXPECT_LT(mainWindow().state().grid(1).rowCount(), 51);
    endProgram();
}

TEST_F(ClosingTest, DuringRangePlayback) {
    automaticWithBall();
    closeAtThirdPause();
    part<QToolButton>("SpeedButton2")->click();
    EXPECT_LT(mainWindow().player().currentFrame(), 49);
    endProgram();
}

TEST_F(ClosingTest, WithTheTablesFilled) {
    automaticWithBall();
    QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
    ASSERT_EQ(mainWindow().state().grid(1).rowCount(), 51);
    mainWindow().close();
    endProgram();
}

// With a film loaded the display window refuses the window manager's close, but not the
// program's end: "Beenden" ends the program as main() wires it, all windows closed.
TEST_F(ClosingTest, BeendenWithAFilmLoadedEndsTheProgram) {
    automaticWithBall();
    QObject::connect(&mainWindow(), &MainWindow::closed, qApp, &QApplication::quit,
                     Qt::QueuedConnection);
    QTimer::singleShot(0, &mainWindow(), [this] { part<QAction>("Beenden1")->trigger(); });
    QTimer stillRunning;  // goes with the test, so it cannot end a later one
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout, qApp, [] { QCoreApplication::exit(3); });
    stillRunning.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(windows->secondary().displayWindow->isVisible());
    EXPECT_FALSE(mainWindow().isVisible());
    endProgram();
}

}  // namespace zebak::gui::test
