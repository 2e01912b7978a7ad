// The search area dragged on the display window (unscaled and on the reduced display), its
// questions, the dashed rectangle, the cursor, and the other input of the display window:
// right click, calibration points, colour picks and keys.
#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <QCloseEvent>

#include "GuiTest.h"
#include "gui/calibration/CalibrationCommand.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"

namespace zebak::gui::test {

namespace {
const QString kStartfrage = QStringLiteral(
    "Möchten Sie den Suchbereich einschränken? Dann ziehen Sie bitte einen Markierungsrahmen "
    "auf dem Video.");
const QString kGanzesBild =
    QStringLiteral("Abbruch: Das Programm untersucht den ganzen Bildbereich");
}  // namespace

class SuchgebietTest : public GuiTest {
  protected:
    void automatisch(const char* name) {
        loadFilm(name);
        part<QPushButton>("AutomatischBtn")->click();
    }
    DisplayWindow* anzeige() { return windows->secondary().displayWindow; }
    QPushButton* knopf() { return part<QPushButton>("suchbereicheinschraenken"); }
    /// "Suchgebiet", answered with `start`; then a drag from a to b, answered with `ende`.
    void ziehen(QPoint a, QPoint b, QMessageBox::StandardButton ende = QMessageBox::Yes) {
        dialogs.answers = {QMessageBox::Yes, ende};
        knopf()->click();
        QTest::mousePress(anzeige(), Qt::LeftButton, {}, a);
        QTest::mouseMove(anzeige(), (a + b) / 2);
        QTest::mouseMove(anzeige(), b);
        QTest::mouseRelease(anzeige(), Qt::LeftButton, {}, b + QPoint(7, 9));
    }
    std::array<int, 4> gebiet() {
        const Measurement& s = mainWindow().state();
        return {s.area.left, s.area.top, s.area.right, s.area.bottom};
    }
};

TEST_F(SuchgebietTest, ADragOnAnUnscaledFilmIsTheAreaAfterTheQuestion) {
    automatisch("gui320.avi");
    const int piepser = mainWindow().session().sound().beeps();
    ziehen({30, 20}, {200, 150});
    EXPECT_EQ(gebiet(), (std::array<int, 4>{30, 20, 200, 150}));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, kStartfrage);
    EXPECT_EQ(dialogs.messages[1].text, "Horizontal30-200\n\rVertikal:20-150");
    EXPECT_EQ(dialogs.messages[1].kind, MessageKind::Information);
    EXPECT_EQ(mainWindow().session().sound().beeps(), piepser);
    // Idle again: button enabled, normal cursor, the mouse free.
    EXPECT_TRUE(knopf()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(anzeige()->cursorEingeschraenkt());

    // Dragged from bottom right to top left: the same area.
    ziehen({200, 150}, {30, 20});
    EXPECT_EQ(gebiet(), (std::array<int, 4>{30, 20, 200, 150}));
}

TEST_F(SuchgebietTest, ADragOnTheReducedDisplayIsScaledToFramePixelsAfterABeep) {
    automatisch("gui640.avi");  // shown at 384 x 288
    const int piepser = mainWindow().session().sound().beeps();
    ziehen({30, 20}, {200, 150});
    EXPECT_EQ(gebiet(), (std::array<int, 4>{50, 33, 333, 250}));
    EXPECT_EQ(mainWindow().session().sound().beeps(), piepser + 1);
    EXPECT_EQ(dialogs.messages.back().text, "Horizontal50-333\n\rVertikal:33-250");
}

TEST_F(SuchgebietTest, DecliningTheAreaOrTheStartLeavesTheWholeFrame) {
    automatisch("gui320.avi");
    ziehen({30, 20}, {200, 150}, QMessageBox::No);
    EXPECT_EQ(gebiet(), (std::array<int, 4>{0, 0, 320, 240}));
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, kGanzesBild);

    // Abort at the start: nothing armed, so the next click picks a colour.
    dialogs.answers = {QMessageBox::Abort};
    knopf()->click();
    EXPECT_TRUE(knopf()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::mouseClick(anzeige(), Qt::LeftButton, {}, {40, 30});
    EXPECT_TRUE(mainWindow().state().colour(1).assigned);
    EXPECT_EQ(gebiet(), (std::array<int, 4>{0, 0, 320, 240}));
}

TEST_F(SuchgebietTest, TheDashedRectangleIsDrawnOverThePictureAndErasedAgain) {
    automatisch("gui320.avi");
    const QImage vorher = anzeige()->grab().toImage();
    dialogs.answers = {QMessageBox::Yes, QMessageBox::Yes};
    knopf()->click();
    EXPECT_FALSE(knopf()->isEnabled());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    EXPECT_TRUE(anzeige()->cursorEingeschraenkt());
    QTest::mousePress(anzeige(), Qt::LeftButton, {}, {30, 20});
    QTest::mouseMove(anzeige(), {120, 90});
    QTest::mouseMove(anzeige(), {200, 150});
    const QImage dabei = anzeige()->grab().toImage();
    // Only the outline of the last rectangle differs; the earlier one was erased.
    int geaendert = 0;
    for (int y = 0; y < dabei.height(); ++y)
        for (int x = 0; x < dabei.width(); ++x) {
            if (dabei.pixel(x, y) == vorher.pixel(x, y)) continue;
            ++geaendert;
            const bool aufRand = ((x == 30 || x == 200) && y >= 20 && y <= 150) ||
                                 ((y == 20 || y == 150) && x >= 30 && x <= 200);
            EXPECT_TRUE(aufRand) << x << "," << y;
        }
    EXPECT_GT(geaendert, 100);
    QTest::mouseRelease(anzeige(), Qt::LeftButton, {}, {200, 150});
    EXPECT_EQ(anzeige()->grab().toImage(), vorher);
}

TEST_F(SuchgebietTest, TheCursorIsKeptInsideTheDisplayWindowWhileArmed) {
    automatisch("gui320.avi");
    dialogs.answers = {QMessageBox::Yes};
    knopf()->click();
    const QRect windows = anzeige()->frameGeometry();
    QCursor::setPos(windows.bottomRight() + QPoint(300, 200));
    QTest::qWait(60);
    EXPECT_TRUE(windows.contains(QCursor::pos()))
        << QCursor::pos().x() << "," << QCursor::pos().y();
    QTest::mouseClick(anzeige(), Qt::LeftButton, {}, {5, 5});  // ends the selection
    EXPECT_FALSE(anzeige()->cursorEingeschraenkt());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SuchgebietTest, ARightClickStepsOneFrameEvenWhileASelectionIsArmed) {
    automatisch("gui320.avi");
    part<QScrollBar>("ScrollBar2")->setValue(5);
    ASSERT_EQ(mainWindow().player().currentFrame(), 5);
    QTest::mouseClick(anzeige(), Qt::RightButton, {}, {40, 30});
    EXPECT_EQ(mainWindow().player().currentFrame(), 6);
    EXPECT_FALSE(mainWindow().state().colour(1).assigned);

    dialogs.answers = {QMessageBox::Yes, QMessageBox::Yes};
    knopf()->click();
    QTest::mouseClick(anzeige(), Qt::RightButton, {}, {40, 30});
    EXPECT_EQ(mainWindow().player().currentFrame(), 7);
    // No rectangle was started, so the selection is still armed and takes the next drag.
    EXPECT_FALSE(knopf()->isEnabled());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    QTest::mousePress(anzeige(), Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(anzeige(), {60, 50});
    QTest::mouseRelease(anzeige(), Qt::LeftButton, {}, {60, 50});
    EXPECT_EQ(gebiet(), (std::array<int, 4>{10, 10, 60, 50}));
    EXPECT_TRUE(knopf()->isEnabled());
}

TEST_F(SuchgebietTest, ClicksDuringACalibrationAreItsPointsAndPickNoColour) {
    automatisch("gui320.avi");
    Measurement& s = mainWindow().state();
    // "Kalibrierung": two points, a length, and the origin.
    dialogs.answers = {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Yes};
    part<QPushButton>("EichenBtn")->click();
    QTest::mouseClick(anzeige(), Qt::LeftButton, {}, {12, 34});
    QTest::mouseClick(anzeige(), Qt::LeftButton, {}, {56, 78});
    Q_EMIT windows->secondary().calibrationWindow->laengeEingegeben(QStringLiteral("1"));
    QTest::mouseClick(anzeige(), Qt::LeftButton, {}, {90, 100});
    EXPECT_EQ(s.calibration.line.a.x, 12);
    EXPECT_EQ(s.calibration.line.a.y, 34);
    EXPECT_EQ(s.calibration.line.b.x, 56);
    EXPECT_EQ(s.calibration.line.b.y, 78);
    EXPECT_EQ(s.calibration.origin.x, 90);
    EXPECT_EQ(s.calibration.origin.y, 100);
    EXPECT_EQ(mainWindow().input().pickedPoint().x(), 0);
    EXPECT_FALSE(s.colour(1).assigned);

    // Outside a calibration the middle button picks like the left one.
    EXPECT_FALSE(mainWindow().calibration().running());
    QTest::mouseClick(anzeige(), Qt::MiddleButton, {}, {21, 22});
    EXPECT_EQ(mainWindow().input().pickedPoint().x(), 21);
    EXPECT_TRUE(s.colour(1).assigned);
    EXPECT_EQ(s.calibration.origin.x, 90);
}

TEST_F(SuchgebietTest, AnyKeyOnTheDisplayWindowAsksTheAnalysisToStop) {
    automatisch("gui320.avi");
    EXPECT_FALSE(mainWindow().session().runControl().stopRequested);
    QTest::keyClick(anzeige(), Qt::Key_Space);
    EXPECT_TRUE(mainWindow().session().runControl().stopRequested);
    mainWindow().session().runControl().stopRequested = false;
    QTest::keyClick(anzeige(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(mainWindow().session().runControl().stopRequested);
}

// Escape gives up an armed selection as the answer No does: the mouse is free again and the
// whole frame is searched.
TEST_F(SuchgebietTest, EscapeEndsAnArmedSelectionAndFreesTheMouse) {
    automatisch("gui320.avi");
    mainWindow().state().area.left = 40;
    dialogs.answers = {QMessageBox::Yes};
    knopf()->click();
    ASSERT_TRUE(anzeige()->cursorEingeschraenkt());
    QTest::mousePress(anzeige(), Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(anzeige(), {60, 50});
    const QImage drawn = anzeige()->grab().toImage();
    QTest::keyClick(anzeige(), Qt::Key_Escape);
    EXPECT_FALSE(anzeige()->cursorEingeschraenkt());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(knopf()->isEnabled());
    EXPECT_EQ(gebiet(), (std::array<int, 4>{0, 0, 320, 240}));
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, kGanzesBild);
    EXPECT_NE(anzeige()->grab().toImage(), drawn) << "the rectangle is erased";
    // The release after Escape starts nothing, and a click picks a colour again.
    QTest::mouseRelease(anzeige(), Qt::LeftButton, {}, {60, 50});
    EXPECT_EQ(gebiet(), (std::array<int, 4>{0, 0, 320, 240}));
}

// Closing the display window from the window manager does nothing while a film is loaded.
TEST_F(SuchgebietTest, TheDisplayWindowStaysWhileAFilmIsLoaded) {
    automatisch("gui320.avi");
    QCloseEvent close;
    QApplication::sendEvent(anzeige(), &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(anzeige()->isVisible());
}

}  // namespace zebak::gui::test
