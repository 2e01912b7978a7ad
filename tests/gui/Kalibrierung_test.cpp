// "Kalibrierung" of the main window: the clicks on the display window at the film's native
// size, the length window, the origin question and click, and the rows recomputed.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "GuiTest.h"
#include "core/Calibration.h"
#include "gui/calibration/CalibrationCommand.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"

namespace zebak::gui::test {

class KalibrierungTest : public GuiTest {
  protected:
    void automatisch(const char* name) {
        loadFilm(name);
        part<QPushButton>("AutomatischBtn")->click();
    }
    DisplayWindow* anzeige() { return windows->secondary().displayWindow; }
    CalibrationLengthWindow* laenge() { return windows->secondary().calibrationWindow; }
    QPushButton* eichen() { return part<QPushButton>("EichenBtn"); }
    void klick(QPoint p) { QTest::mouseClick(anzeige(), Qt::LeftButton, {}, p); }
    /// Types `text` into the emptied length box and presses Enter.
    void tippen(const char* text) {
        laenge()->edit1()->clear();
        QTest::keyClicks(laenge()->edit1(), QString::fromLatin1(text));
        QTest::keyClick(laenge()->edit1(), Qt::Key_Return);
    }
    QString letzteMeldung() const {
        return dialogs.messages.empty() ? QString() : dialogs.messages.back().text;
    }
    Measurement& state() { return mainWindow().state(); }
};

TEST_F(KalibrierungTest, ClicksAndATypedLengthCalibrateAndRecomputeTheStoredRows) {
    automatisch("gui320.avi");
    // Rows of an earlier analysis in pixels: 3 + 2 rows, so they are rescaled.
    PositionGrid& t1 = state().grid(1);
    t1.setRowCount(3);
    for (int c = 0; c < 3; ++c) t1.setCell(1, c, std::array{"0.04", "250", "100"}[c]);
    t1.setCell(2, 0, "0.08");
    t1.setCell(2, 2, "50");
    mainWindow().tables().showPrepared();
    dialogs.answers = {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::No};

    eichen()->click();
    EXPECT_FALSE(eichen()->isEnabled());
    EXPECT_EQ(letzteMeldung(), QString::fromUtf8(kAnfangspunkt));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->hotSpot(), QPoint(9, 9));
    klick({10, 20});
    EXPECT_EQ(letzteMeldung(), QString::fromUtf8(kEndpunkt));
    klick({250, 200});  // 300 pixels from the start
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_TRUE(laenge()->isVisible());
    EXPECT_EQ(laenge()->edit1()->text(), "0.8");  // the start value

    // An empty box and 0 leave the window waiting; a comma is typed as a point.
    tippen("");
    tippen("0");
    EXPECT_TRUE(laenge()->isVisible());
    EXPECT_EQ(state().calibration.factorMPerPx, 1.0);
    tippen("0,6x");
    EXPECT_EQ(laenge()->edit1()->text(), "0.6");
    EXPECT_FALSE(laenge()->isVisible());
    EXPECT_EQ(letzteMeldung(), QString::fromUtf8(kNullpunktFrage));

    EXPECT_DOUBLE_EQ(state().calibration.factorMPerPx, 0.002);
    EXPECT_EQ(t1.cell(1, 0), "0.04");
    EXPECT_EQ(t1.cell(1, 1), "0.5");
    EXPECT_EQ(t1.cell(1, 2), "0.2");
    EXPECT_EQ(t1.cell(2, 1), "");
    EXPECT_EQ(t1.cell(2, 2), "0.1");
    // The table on the screen shows the metres.
    auto* view = part<QTableView>("tabelle1");
    EXPECT_EQ(view->model()->index(0, 1).data().toString(), "0.5");
    // Idle again; the clicks picked no colour.
    EXPECT_TRUE(eichen()->isEnabled());
    EXPECT_FALSE(mainWindow().calibration().running());
    EXPECT_EQ(mainWindow().input().clickMode(), ClickMode::PickColour);
    EXPECT_FALSE(state().colour(1).assigned);
    EXPECT_EQ(dialogs.messages.size(), 3u);

    // The box keeps the length for the next calibration, which fails on one pixel and
    // keeps the factor.
    dialogs.answers = {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::No};
    eichen()->click();
    klick({40, 40});
    klick({40, 40});
    EXPECT_EQ(laenge()->edit1()->text(), "0.6");
    QTest::mouseClick(laenge()->bitBtn1(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.at(5).text, "Fehler!\nBitte wiederholen Sie die Eichung.");
    EXPECT_DOUBLE_EQ(state().calibration.factorMPerPx, 0.002);
    EXPECT_EQ(t1.cell(1, 1), "0.5");
}

TEST_F(KalibrierungTest, OnATallFilmThePointsAreNativeAndTheOriginIsMappedFromTheReducedPicture) {
    automatisch("gui640.avi");
    EXPECT_EQ(anzeige()->clientSize(), QSize(384, 288));
    dialogs.answers = {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Yes};
    eichen()->click();
    EXPECT_EQ(anzeige()->clientSize(), QSize(640, 480));  // native size for the two points
    klick({100, 60});
    klick({100, 460});
    EXPECT_EQ(state().calibration.line.b.y, 460);
    EXPECT_EQ(anzeige()->clientSize(), QSize(384, 288));  // reduced again for the length
    tippen("0.4");
    EXPECT_DOUBLE_EQ(state().calibration.factorMPerPx, 0.001);
    EXPECT_EQ(mainWindow().input().clickMode(), ClickMode::CalibrationOrigin);
    EXPECT_EQ(state().calibration.origin.x, -1);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    klick({192, 144});  // the middle of the reduced picture
    EXPECT_EQ(state().calibration.origin.x, 320);
    EXPECT_EQ(state().calibration.origin.y, 240);
    EXPECT_EQ(mainWindow().input().clickMode(), ClickMode::PickColour);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(anzeige()->clientSize(), QSize(384, 288));
    EXPECT_TRUE(eichen()->isEnabled());
}

TEST_F(KalibrierungTest, ASecondStartIsIgnoredAndClosingTheProgramEndsTheWait) {
    automatisch("gui320.avi");
    eichen()->click();
    klick({10, 10});
    klick({20, 20});
    ASSERT_TRUE(laenge()->isVisible());
    const std::size_t shown = dialogs.messages.size();
    mainWindow().calibration().calibrateClicked();
    EXPECT_EQ(dialogs.messages.size(), shown);
    // Closing the length window does not end the wait.
    laenge()->close();
    EXPECT_TRUE(laenge()->isVisible());

    mainWindow().close();
    EXPECT_FALSE(mainWindow().calibration().running());
    EXPECT_FALSE(laenge()->isVisible());
    EXPECT_FALSE(mainWindow().calibration().running());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // A length typed after the end changes nothing; the windows then go without a fault.
    tippen("2");
    EXPECT_EQ(state().calibration.factorMPerPx, 1.0);
    windows.reset();
}

TEST_F(KalibrierungTest, AnotherFilmEndsAWaitingCalibration) {
    automatisch("gui640.avi");
    eichen()->click();
    klick({10, 10});
    EXPECT_EQ(mainWindow().input().clickMode(), ClickMode::CalibrationEnd);
    ASSERT_TRUE(mainWindow().loadFilm(film("gui320.avi")));
    EXPECT_FALSE(mainWindow().calibration().running());
    EXPECT_EQ(mainWindow().input().clickMode(), ClickMode::PickColour);
    EXPECT_FALSE(mainWindow().calibration().running());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(eichen()->isEnabled());
}

TEST_F(KalibrierungTest, TheLengthWindowHasItsElements) {
    CalibrationLengthWindow* w = laenge();
    EXPECT_EQ(w->windowTitle(), "Kalibrierung");
    EXPECT_EQ(w->size(), QSize(450, 225));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "Welche reale Länge hat die Strecke?");
    EXPECT_EQ(w->findChild<QLabel*>("Label2")->text(), "m");
    EXPECT_EQ(w->findChild<QLineEdit*>("Edit1")->text(), "0.8");
    EXPECT_EQ(w->findChild<QPushButton*>("BitBtn1")->text(), "OK");
}

}  // namespace zebak::gui::test
