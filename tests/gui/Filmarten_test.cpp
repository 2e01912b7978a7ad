// Films as phones and cameras make them, in the windows: portrait and odd frame sizes,
// films stored on their side, unevenly spaced frames, slow motion, damaged films, and a film
// dropped onto the main window.
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include "GuiTest.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/tracking/ColourSwatch.h"

namespace zebak::gui::test {

namespace {

QString testFilm(const char* name) {
    return QStringLiteral(ZEBAK_TEST_FILMS "/") + QString::fromLatin1(name);
}

}  // namespace

class FilmartenTest : public GuiTest {
  protected:
    /// Loads a thrown-square film of the phone folder with the film's times, analyses the red
    /// square and opens the evaluation.
    void evaluateThrow(const char* name) {
        if (windows->secondary().evaluationWindow->isVisible())
            windows->secondary().evaluationWindow->close();
        dialogs.answers = {QMessageBox::Yes};
        ASSERT_TRUE(mainWindow().loadFilm(testFilm((std::string("phone/") + name).c_str())));
        ASSERT_TRUE(part<QCheckBox>("ZeitenAusDemFilm")->isChecked());
        part<QPushButton>("AutomatischBtn")->click();
        Measurement& s = mainWindow().state();
        s.colour(1).picked = Rgb{255, 0, 0};
        s.colour(1).assigned = true;
        part<QWidget>("Panel3")->findChild<QCheckBox*>("CheckBox1")->setChecked(true);
        QTest::mouseClick(part<QPushButton>("FilmAnalyseBtn"), Qt::LeftButton);
        ASSERT_EQ(s.grid(1).rowCount(), 25);
        mainWindow().commands().evaluationButton()->click();
    }
    /// Column c of an evaluation grid from its second data row on.
    QStringList column(const char* grid, int c) {
        const auto* m =
            windows->secondary().evaluationWindow->findChild<QTableView*>(grid)->model();
        QStringList cells;
        for (int row = 1; row < m->rowCount(); ++row) cells << m->index(row, c).data().toString();
        return cells;
    }
};

TEST_F(FilmartenTest, PortraitAndOddFrameSizesOpenInTheWindows) {
    struct Case {
        const char* film;
        int width, height;
        QSize shown;  // the display window: the film's own shape, at most 384 x 288
    };
    for (const Case& c : {Case{"widths/h264-1080x1920.mkv", 1080, 1920, {162, 288}},
                          Case{"widths/h264-720x1280.mkv", 720, 1280, {162, 288}},
                          Case{"widths/h264-854x480.mkv", 854, 480, {384, 215}},
                          Case{"widths/h264-1920x1080.mkv", 1920, 1080, {384, 216}},
                          Case{"widths/h264-360x640.mkv", 360, 640, {162, 288}},
                          Case{"widths/h264-426x240.mkv", 426, 240, {426, 240}},
                          Case{"widths/ffv1-7x16.mkv", 7, 16, {7, 16}}}) {
        SCOPED_TRACE(c.film);
        ASSERT_TRUE(mainWindow().loadFilm(testFilm(c.film)));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(mainWindow().state().film.size.width, c.width);
        EXPECT_EQ(mainWindow().state().film.size.height, c.height);
        EXPECT_EQ(part<QLabel>("Label5")->text(),
                  QStringLiteral("Abmessungen:%1/%2").arg(c.width).arg(c.height));
        EXPECT_EQ(windows->secondary().displayWindow->clientSize(), c.shown);
        mainWindow().player().goToFrame(1);
        EXPECT_EQ(mainWindow().film()->frame().width(), c.width);
        windows->secondary().displayWindow->repaint();  // draws the scaled frame
    }
}

// A portrait film shown 162 x 288: a colour pick, a search area and the calibration's origin
// map through the window's own shape to the frame (1080 / 162 = 1920 / 288 = 6.67).
TEST_F(FilmartenTest, APortraitFilmsClicksMapThroughItsOwnShape) {
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("widths/h264-1080x1920.mkv")));
    part<QPushButton>("AutomatischBtn")->click();
    DisplayWindow* display = windows->secondary().displayWindow;
    ASSERT_EQ(display->clientSize(), QSize(162, 288));
    Measurement& s = mainWindow().state();
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(150, 30));
    EXPECT_EQ(s.trace(1).workingColour, mainWindow().film()->frame().rgb(1000, 200));

    dialogs.answers = {QMessageBox::Yes, QMessageBox::Yes};
    part<QPushButton>("suchbereicheinschraenken")->click();
    QTest::mousePress(display, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(display, QPoint(150, 280));
    QTest::mouseRelease(display, Qt::LeftButton, {}, QPoint(150, 280));
    EXPECT_EQ((std::array{s.area.left, s.area.top, s.area.right, s.area.bottom}),
              (std::array{66, 133, 1000, 1866}));

    // The calibration's points are clicked on the full frame, its origin on the display.
    dialogs.answers = {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Yes};
    part<QPushButton>("EichenBtn")->click();
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(100, 100));
    Q_EMIT windows->secondary().calibrationWindow->laengeEingegeben(QStringLiteral("1"));
    ASSERT_EQ(display->clientSize(), QSize(162, 288));
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(81, 144));
    EXPECT_EQ(s.calibration.origin.x, 540);
    EXPECT_EQ(s.calibration.origin.y, 960);
}

TEST_F(FilmartenTest, AFilmStoredOnItsSideIsShownAndSearchedUpright) {
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("phone/hevc-90.mov")));
    EXPECT_EQ(mainWindow().state().film.size.width, 96);
    EXPECT_EQ(mainWindow().state().film.size.height, 160);
    EXPECT_EQ(mainWindow().state().calibration.origin.y, 160);
    EXPECT_EQ(mainWindow().state().area.right, 96);
    EXPECT_EQ(part<QLabel>("Label5")->text(), QStringLiteral("Abmessungen:96/160"));
    EXPECT_EQ(windows->secondary().displayWindow->clientSize(), QSize(96, 160));
    EXPECT_EQ(mainWindow().film()->frame().height(), 160);
}

TEST_F(FilmartenTest, UnevenFramesAreFlaggedOnceAndTheAnswerSetsTheTimesFromTheFilm) {
    auto* box = part<QCheckBox>("ZeitenAusDemFilm");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Zeiten aus dem Film"));
    dialogs.answers = {QMessageBox::Yes};
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("phone/uneven.mp4")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Die Bilder dieses Films folgen nicht in gleichen Abständen "
                             "aufeinander (zwischen 33 und 67 ms). Sollen die Zeiten aus dem "
                             "Film übernommen werden?"));
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(mainWindow().state().film.timing.timesFromFilm);
    // The box can be changed before an analysis; the state follows it.
    box->setChecked(false);
    EXPECT_FALSE(mainWindow().state().film.timing.timesFromFilm);

    dialogs.messages.clear();
    dialogs.answers = {QMessageBox::No};
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("phone/uneven.mp4")));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(box->isChecked());

    // An evenly spaced film asks nothing and leaves the box off; so does one whose first frame
    // alone lasts longer.
    for (const QString& even : {film("gui320.avi"), testFilm("phone/late-start.mp4")}) {
        dialogs.messages.clear();
        box->setChecked(true);
        ASSERT_TRUE(mainWindow().loadFilm(even));
        EXPECT_TRUE(dialogs.messages.empty()) << even.toStdString();
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(mainWindow().state().film.timing.timesFromFilm);
    }
}

// The thrown square of an uneven film: with "Zeiten aus dem Film" the evaluation's velocity
// is 300 px/s in both halves (10 px per 1/30 s) and the acceleration the true 1800 px/s².
// Stored so by a phone's slow motion at 240 frames/s, the same frames are 8 times faster.
TEST_F(FilmartenTest, TheEvaluationTakesItsTimeStepsFromTheFilm) {
    ASSERT_NO_FATAL_FAILURE(evaluateThrow("uneven-throw.mp4"));
    const QStringList vx = column("tabelle1v", 2), ay = column("tabelle1a", 3);
    ASSERT_EQ(vx.size(), 23);
    EXPECT_EQ(vx.count(QStringLiteral("300")), 23) << vx.join(' ').toStdString();
    ASSERT_EQ(ay.size(), 22);
    EXPECT_EQ(ay.count(QStringLiteral("-1800")), 22) << ay.join(' ').toStdString();

    ASSERT_NO_FATAL_FAILURE(evaluateThrow("slow-throw.mp4"));
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 240);
    const QStringList t = column("Tabelle1", 1);
    ASSERT_EQ(t.size(), 23);
    EXPECT_EQ(t[0], QStringLiteral("0.004"));   // frame 1 at 1 / 240 s
    EXPECT_EQ(t[16], QStringLiteral("0.075"));  // frame 17 at 18 / 240 s
    const QStringList slowVx = column("tabelle1v", 2), slowAy = column("tabelle1a", 3);
    EXPECT_EQ(slowVx.count(QStringLiteral("2400")), 23) << slowVx.join(' ').toStdString();
    EXPECT_EQ(slowAy.count(QStringLiteral("-115200")), 22) << slowAy.join(' ').toStdString();
}

TEST_F(FilmartenTest, SlowMotionTakesTheRecordingRateAndSaysSo) {
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("phone/slow-motion.mp4")));
    EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 240);
    EXPECT_EQ(mainWindow().state().film.timing.framesPerSecond, 240);
    EXPECT_EQ(part<QLabel>("Label5")->text(),
              QStringLiteral("Abmessungen:160/120, Aufnahme mit 240 Bilder/s"));
    // A rate typed by the user stays until the next film.
    part<QSpinBox>("SpinEdit1")->setValue(120);
    EXPECT_EQ(mainWindow().state().film.timing.framesPerSecond, 120);
}

TEST_F(FilmartenTest, ADamagedFilmIsNamedOnLoadingAndOnlyItsRealFramesAreUsed) {
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("bad/cut-50.mp4")));
    // With the gap its frames follow unevenly: the question after the warning offers the
    // film's own times.
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(
        QStringLiteral("Die Bilder dieses Films folgen nicht in gleichen Abständen")));
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    // The film lacks a picture before its end too: the warning names that place.
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Der Film ist beschädigt: Es fehlen Bilder, die er angibt: 1 Bild ")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("werden nur die 50 lesbaren")));
    EXPECT_EQ(mainWindow().player().frameCount(), 50);

    dialogs.messages.clear();
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("bad/size-change.mkv")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("ab Bild 20 von 320x240")));
}

TEST_F(FilmartenTest, AFilmDroppedOnTheMainWindowIsLoaded) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(film("gui320.avi"))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&mainWindow(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&mainWindow(), &drop);
    ASSERT_NE(mainWindow().film(), nullptr);
    EXPECT_EQ(mainWindow().state().film.size.width, 320);
    EXPECT_EQ(mainWindow().windowTitle(), QStringLiteral("ZEBAK - gui320.avi"));

    // Text or several files are not a film.
    QMimeData text;
    text.setText(QStringLiteral("kein Film"));
    QDragEnterEvent refused(QPoint(1, 1), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&mainWindow(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// A click on the reduced display takes the colour of the film's own pixel under it: the
// one-pixel checker is only red and blue in the film, a blend of both on the display.
TEST_F(FilmartenTest, AColourPickedOnTheReducedDisplayIsTheFilmsPixel) {
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("checker640.avi")));
    part<QPushButton>("AutomatischBtn")->click();
    DisplayWindow* display = windows->secondary().displayWindow;
    ASSERT_EQ(display->clientSize(), QSize(384, 288));
    for (const QPoint click : {QPoint(100, 100), QPoint(101, 100), QPoint(383, 287)}) {
        QTest::mouseClick(display, Qt::LeftButton, {}, click);
        const int fx = click.x() * 640 / 384;
        const int fy = click.y() * 480 / 288;
        const Rgb expected = (fx + fy) % 2 == 1 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
        EXPECT_EQ(mainWindow().state().trace(1).workingColour, expected)
            << click.x() << "," << click.y();
    }
    // The display itself shows a blend there, the colour a pick used to take.
    const Rgb shown = display->shownPixel(100, 100);
    EXPECT_NE(shown, (Rgb{255, 0, 0}));
    EXPECT_NE(shown, (Rgb{0, 0, 255}));
}

// The swatch offers the median of the 5x5 frame pixels around the last click: shown while the
// mouse rests on it, taken by a right-click; a left click and leaving change nothing.
TEST_F(FilmartenTest, TheSwatchOffersTheMedianAroundTheLastClick) {
    ASSERT_TRUE(mainWindow().loadFilm(testFilm("checker640.avi")));
    part<QPushButton>("AutomatischBtn")->click();
    DisplayWindow* display = windows->secondary().displayWindow;
    auto* swatch = part<QWidget>("SuchEinst1")->findChild<QLabel*>("Image1");
    ASSERT_NE(swatch, nullptr);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(swatch, &enter);
    EXPECT_TRUE(swatch->toolTip().isEmpty()) << "no click yet, nothing to offer";

    // Beside the checker's edge at frame column 639 a 5x5 square is cut to 3x5.
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(383, 10));
    const Rgb picked = mainWindow().state().trace(1).workingColour;
    // The region search starts at the film pixel under the click.
    const ColourSlot& slot = mainWindow().state().colour(1);
    EXPECT_TRUE(slot.pickedAtKnown);
    EXPECT_NEAR(slot.pickedAt.x, 383 * 640 / 384, 1);
    EXPECT_NEAR(slot.pickedAt.y, 10 * 480 / 288, 1);
    const Rgb median =
        *medianAround(mainWindow().film()->frame(), 383 * 640 / 384, 10 * 480 / 288, 2);
    QApplication::sendEvent(swatch, &enter);
    EXPECT_EQ(swatch->toolTip(), medianHint(median));
    EXPECT_EQ(mainWindow().state().trace(1).workingColour, picked) << "hovering takes nothing";
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(mainWindow().state().trace(1).workingColour, picked);
    QTest::mouseClick(swatch, Qt::RightButton);
    EXPECT_EQ(mainWindow().state().trace(1).workingColour, median);
    EXPECT_EQ(mainWindow().state().colour(1).picked, median);
    EXPECT_EQ(part<QWidget>("SuchEinst1")->findChild<QLineEdit*>("Edit1")->text(),
              QString::number(median.r));
}

TEST(FilmFilter, TheWrittenFilterFirstThenEveryFilmTypeThenAllFiles) {
    const QStringList filters = filmFilter().split(QStringLiteral(";;"));
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters[0], QStringLiteral("Filme (*.avi *.mov *.mpg)"));
    EXPECT_TRUE(filters[1].startsWith(QStringLiteral("Alle Filme (")));
    for (const char* ext :
         {"*.mp4", "*.m4v", "*.3gp", "*.mkv", "*.webm", "*.mts", "*.m2ts", "*.mpeg", "*.wmv"})
        EXPECT_TRUE(filters[1].contains(QString::fromLatin1(ext))) << ext;
    EXPECT_EQ(filters[2], QStringLiteral("Alle Dateien (*)"));
}

}  // namespace zebak::gui::test
