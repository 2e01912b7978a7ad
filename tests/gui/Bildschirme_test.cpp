// The windows of a film analysis on the screen they open on: the display window, the search
// result window and both position tables lie wholly on the screen and never overlap, for a
// small, a medium and a full-HD film; the tables follow the row being written. The screens
// of 1024x768, 1280x800 and 1920x1080 are given to this test by its own test entries.
#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/ResultWindow.h"

namespace zebak::gui::test {

namespace {

QRect onScreen(const QWidget* w) { return {w->mapToGlobal(QPoint(0, 0)), w->size()}; }

/// What overlaps or leaves the screen, as text; empty when all is clear.
QString problems(const QRect& screen, const std::vector<std::pair<QString, QRect>>& windows) {
    QString out;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto& [name, rect] = windows[i];
        if (!screen.contains(rect)) out += name + QStringLiteral(" leaves the screen; ");
        for (std::size_t j = i + 1; j < windows.size(); ++j)
            if (rect.intersects(windows[j].second))
                out +=
                    name + QStringLiteral(" overlaps ") + windows[j].first + QStringLiteral("; ");
    }
    return out;
}

}  // namespace

using BildschirmeTest = GuiTest;

TEST_F(BildschirmeTest, AnalysisWindowsLieOnTheScreenAndClearOfEachOther) {
    const QRect screen = mainWindow().screen()->availableGeometry();
    if (screen.width() < 1024 || screen.height() < 768)
        GTEST_SKIP() << "runs on the screens its own test entries give";
    mainWindow().setGeometry(screen);
    for (const char* name : {"gui320.avi", "gui640.avi", "gui1920.mkv"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(mainWindow().loadFilm(film(name)));
        part<QPushButton>("AutomatischBtn")->click();
        Measurement& s = mainWindow().state();
        for (SlotNumber n : {1, 2}) {
            s.colour(n).picked = n == 1 ? Rgb{255, 255, 0} : Rgb{0, 255, 255};
            s.colour(n).assigned = true;
            s.settings(n).mode = SearchMode::Simple;
            part<QWidget>("Panel3")
                ->findChild<QCheckBox*>(n == 1 ? "CheckBox1" : "CheckBox2")
                ->setChecked(true);
        }
        auto* table1 = part<QTableView>("tabelle1");
        auto* table2 = part<QTableView>("Tabelle2");
        DisplayWindow* display = windows->secondary().displayWindow;
        ResultWindow* results = windows->secondary().resultWindow;
        QString seen;
        int looks = 0;
        // A look at every pause of the run, once its events are handled.
        dialogs.onLoopPause = [&](int) {
            QCoreApplication::processEvents();
            if (!results->isVisible()) return;
            ++looks;
            seen += problems(screen, {{"display", display->frameGeometry()},
                                      {"results", results->frameGeometry()},
                                      {"tabelle1", onScreen(table1)},
                                      {"Tabelle2", onScreen(table2)}});
        };
        QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
        dialogs.onLoopPause = nullptr;
        EXPECT_GT(looks, 0);
        EXPECT_EQ(seen, QString());
        EXPECT_EQ(problems(screen, {{"display", display->frameGeometry()},
                                    {"results", results->frameGeometry()},
                                    {"tabelle1", onScreen(table1)},
                                    {"Tabelle2", onScreen(table2)}}),
                  QString());
        // The tables take at least their written height; the last row written can be seen.
        EXPECT_GE(table1->height(), 120);
        const int last = table1->model()->rowCount() - 1;
        const QRect lastRow = table1->visualRect(table1->model()->index(last, 0));
        EXPECT_TRUE(table1->viewport()->rect().intersects(lastRow))
            << "row " << last << " scroll " << table1->verticalScrollBar()->value() << "/"
            << table1->verticalScrollBar()->maximum();
        // The result picture is the frame at full size, whatever the window shows.
        EXPECT_EQ(results->bild().size(), QSize(s.film.size.width, s.film.size.height));
    }
}

// On a high-density screen the display's picture is made at the screen's pixels: a film
// smaller than the window is enlarged without smoothing, so every shown pixel is a film pixel
// (also across the edges of the drawn squares, where smoothing would blend).
TEST_F(BildschirmeTest, TheDisplayStaysSharpOnAHighDensityScreen) {
    ASSERT_TRUE(mainWindow().loadFilm(film("farben320.avi")));
    part<QPushButton>("AutomatischBtn")->click();
    DisplayWindow* display = windows->secondary().displayWindow;
    ASSERT_EQ(display->clientSize(), QSize(320, 240));
    display->repaint();
    const RgbFrame& frame = mainWindow().film()->frame();
    for (int x = 30; x < 250; ++x)
        ASSERT_EQ(display->shownPixel(x, 60), frame.rgb(x, 60)) << "x " << x;
}

}  // namespace zebak::gui::test
