// Manual capture: the letterboxed overlay, clicks recorded per frame, the window "Manuell"
// with its steps, calibration, origin, evaluation and magnifier, and the way back.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "GuiTest.h"
#include "core/Calibration.h"
#include "core/ManualCapture.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/manual/ManualCommand.h"
#include "gui/manual/ManualControlWindow.h"
#include "gui/manual/ManualOverlay.h"

namespace zebak::gui::test {

namespace {
/// The film's size; its red square of 10 x 10 pixels lies at (10 + 15n, 20) in frame n.
constexpr int kFilmBreite = 320;
constexpr int kFilmHoehe = 160;
}  // namespace

class ManuellTest : public GuiTest {
  protected:
    void starten() {
        if (mainWindow().film() == nullptr) loadFilm("manuell.avi");
        part<QPushButton>("ManuellBtn")->click();
    }
    ManualControlWindow* manuell() { return windows->secondary().manualWindow; }
    ManualOverlay* overlay() { return windows->secondary().overlayWindow; }
    template <typename T>
    T* knopf(const char* name) {
        T* w = manuell()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    /// The overlay point over the frame pixel (fx, fy), through the letterboxed picture.
    QPoint schirm(double fx, double fy) {
        const PictureRect r = overlay()->picture();
        return {r.left + static_cast<int>(fx * r.width / kFilmBreite),
                r.top + static_cast<int>(fy * r.height / kFilmHoehe)};
    }
    /// The picture pixel under an overlay point.
    QPoint bild(QPoint schirm) {
        const PictureRect r = overlay()->picture();
        return schirm - QPoint(r.left, r.top);
    }
    /// A mouse move over the overlay without a button (QTest moves only the cursor then).
    void bewegen(QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, overlay()->mapToGlobal(p), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(overlay(), &move);
    }
    void links(QPoint p) { QTest::mouseClick(overlay(), Qt::LeftButton, {}, p); }
    void rechts() { QTest::mouseClick(overlay(), Qt::RightButton, {}, schirm(1, 1)); }
    /// Answers the calibration question of the first left click with No.
    void ohneKalibrierung() {
        dialogs.answers = {QMessageBox::No};
        links(schirm(1, 1));
    }
    PositionGrid::Row zeile(int r) {
        const PositionGrid& g = mainWindow().state().grid(1);
        return {g.cell(r, 0), g.cell(r, 1), g.cell(r, 2)};
    }
    Measurement& state() { return mainWindow().state(); }
};

TEST_F(ManuellTest, TheOverlayKeepsTheAspectRatioAndTheMainWindowMakesWay) {
    EXPECT_TRUE(part<QPushButton>("ManuellBtn")->isEnabled());
    starten();
    EXPECT_TRUE(overlay()->isVisible());
    EXPECT_EQ(overlay()->windowTitle(), QString::fromUtf8(kManuelleAuswertung));
    EXPECT_FALSE(mainWindow().isVisible());
    EXPECT_FALSE(windows->secondary().displayWindow->isVisible());
    EXPECT_TRUE(manuell()->isVisible());
    EXPECT_EQ(manuell()->height(), ManualControlWindow::kKurz);
    EXPECT_EQ(manuell()->label3()->text(), "0");
    // A 2:1 picture on the screen: as wide as the screen, black above and below.
    const PictureRect r = overlay()->picture();
    EXPECT_EQ(r.width, overlay()->width());
    EXPECT_GT(r.top, 0);
    EXPECT_NEAR(double(r.width) / r.height, 2.0, 0.01);
    EXPECT_EQ(state().calibration.origin.y, r.height);
    EXPECT_EQ(state().calibration.origin.x, 0);
    EXPECT_EQ(mainWindow().manual().pictureSize().width, r.width);
    // The red square of frame 0 is where the film has it.
    const QPoint mitte = bild(schirm(15, 25));
    EXPECT_EQ(QColor(overlay()->shownPicture().pixel(mitte)), QColor(230, 40, 40));
    // A second "Manuell" changes nothing.
    mainWindow().manual().manualClicked();
    EXPECT_TRUE(manuell()->isVisible());
}

TEST_F(ManuellTest, ClicksRecordTheFramesPositionsWithTheirTimes) {
    starten();
    // The first left click only asks.
    ohneKalibrierung();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(kKalibrierenFrage));
    EXPECT_EQ(state().grid(1).cell(1, 0), "");
    // Frame 0, then frame 1 twice (the second click stays), then frame 3 after a skip.
    const QPoint p0 = schirm(15, 25);
    links(p0);
    EXPECT_EQ(mainWindow().session().sound().lastPlayed(), "SNDGEFUNDEN");
    rechts();
    EXPECT_EQ(manuell()->label3()->text(), "1");
    links(schirm(5, 5));
    const QPoint p1 = schirm(30, 25);
    links(p1);
    rechts();
    rechts();
    const QPoint p3 = schirm(60, 25);
    EXPECT_EQ(QColor(overlay()->shownPicture().pixel(bild(p3))), QColor(230, 40, 40));
    links(p3);
    const int hoehe = state().calibration.origin.y;
    const auto erwartet = [&](const char* t, QPoint p) {
        const QPoint b = bild(p);
        return PositionGrid::Row{t, QString::number(b.x()).toStdString() + ".00000",
                                 QString::number(hoehe - b.y() - 1).toStdString() + ".00000"};
    };
    EXPECT_EQ(zeile(1), erwartet("0.000", p0));
    EXPECT_EQ(zeile(2), erwartet("0.040", p1));
    EXPECT_EQ(zeile(3), PositionGrid::Row{});
    EXPECT_EQ(zeile(4), erwartet("0.120", p3));
    EXPECT_EQ(state().grid(1).rowCount(), 5);
    // A click on the black bar records nothing.
    links(QPoint(overlay()->width() / 2, overlay()->picture().top - 5));
    EXPECT_EQ(zeile(4), erwartet("0.120", p3));

    // The gap warns, and the evaluation opens all the same for colour 1.
    knopf<QPushButton>("DiagrammBtn")->click();
    EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8(kUebersprungen));
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Warning);
    EXPECT_TRUE(windows->secondary().evaluationWindow->isVisible());
    EXPECT_EQ(state().evaluationGrids(1).positions.size(), 5u);
    windows->secondary().evaluationWindow->close();
}

TEST_F(ManuellTest, PlayRunsToTheEndOfTheSequenceAndStopHaltsIt) {
    starten();
    knopf<QToolButton>("SpeedButton1")->click();
    QTRY_COMPARE_WITH_TIMEOUT(manuell()->label3()->text(),
                              QString::number(state().range.end), 5000);
    QTest::qWait(200);  // it stays there
    EXPECT_EQ(mainWindow().player().currentFrame(), state().range.end);
    knopf<QToolButton>("SpeedButton1")->click();
    QTRY_VERIFY_WITH_TIMEOUT(mainWindow().player().currentFrame() > 0, 5000);
    knopf<QToolButton>("SpeedButton2")->click();
    const int angehalten = mainWindow().player().currentFrame();
    QTest::qWait(200);
    EXPECT_EQ(mainWindow().player().currentFrame(), angehalten);
    EXPECT_EQ(manuell()->label3()->text(), QString::number(angehalten));
}

TEST_F(ManuellTest, TooFewRowsAreRefusedAndStepsStayInTheSequence) {
    starten();
    ohneKalibrierung();
    links(schirm(15, 25));
    knopf<QToolButton>("ToolButton2")->click();  // "<" at the first frame: nothing
    EXPECT_EQ(manuell()->label3()->text(), "0");
    knopf<QToolButton>("ToolButton3")->click();
    links(schirm(30, 25));
    knopf<QPushButton>("DiagrammBtn")->click();
    EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8(kZuWenigMesswerte));
    EXPECT_FALSE(windows->secondary().evaluationWindow->isVisible());
    for (int i = 0; i < 12; ++i) rechts();  // stops at the last frame
    EXPECT_EQ(manuell()->label3()->text(), QString::number(state().range.end));
    knopf<QToolButton>("ToolButton1")->click();
    EXPECT_EQ(manuell()->label3()->text(), "0");
}

TEST_F(ManuellTest, CalibratingOnTheLetterboxedPictureGivesEqualMetresInXAndY) {
    starten();
    // The still blue square, found in the picture as shown.
    const QImage shown = overlay()->shownPicture();
    QRect blau;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (qBlue(shown.pixel(x, y)) > 150) blau |= QRect(x, y, 1, 1);
    ASSERT_FALSE(blau.isEmpty());
    EXPECT_NEAR(blau.width(), blau.height(), 2);
    const PictureRect r = overlay()->picture();
    const QPoint ecke(r.left, r.top);
    // The first left click asks; Yes calibrates on the square's left edge, 0.6 m long.
    dialogs.answers = {QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Ok};
    links(ecke + blau.topLeft());
    EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8(kManuellAnfangspunkt));
    EXPECT_EQ(manuell()->height(), 1);  // out of the way
    links(ecke + blau.topLeft());
    links(ecke + blau.bottomLeft());
    CalibrationLengthWindow* laenge = windows->secondary().calibrationWindow;
    ASSERT_TRUE(laenge->isVisible());
    laenge->edit1()->setText(QStringLiteral("0.6"));
    QTest::keyClick(laenge->edit1(), Qt::Key_Return);
    EXPECT_FALSE(laenge->isVisible());
    EXPECT_EQ(manuell()->height(), ManualControlWindow::kKurz);
    EXPECT_EQ(state().grid(1).cell(1, 0), "");  // the calibration clicks recorded nothing
    // The top edge, clicked in frames 0 and 1.
    links(ecke + blau.topLeft());
    rechts();
    links(ecke + blau.topRight());
    const double breite = std::stod(zeile(2)[1]) - std::stod(zeile(1)[1]);
    EXPECT_NEAR(breite, 0.6, 0.6 * 2.0 / blau.height());
    EXPECT_EQ(zeile(1)[2], zeile(2)[2]);
    // The live labels show metres now.
    bewegen(ecke + blau.topLeft());
    EXPECT_TRUE(knopf<QLabel>("Label8")->text().endsWith(" m"));
}

TEST_F(ManuellTest, MovingTheTimeOriginEmptiesTheRowsAndStartsTheSequenceHere) {
    starten();
    ohneKalibrierung();
    for (int n = 0; n < 4; ++n) {
        links(schirm(15 + 15 * n, 25));
        rechts();
    }
    ASSERT_EQ(state().grid(1).rowCount(), 5);
    // Abort does nothing; Yes moves both origins to a click.
    dialogs.answers = {QMessageBox::Abort};
    knopf<QPushButton>("NullpunktBtn")->click();
    EXPECT_FALSE(mainWindow().manual().calibrationRun().awaitsClick());
    dialogs.answers = {QMessageBox::Yes};
    knopf<QPushButton>("NullpunktBtn")->click();
    EXPECT_EQ(mainWindow().manual().calibrationRun().step(), CalibrationStep::Origin);
    const QPoint ursprung = schirm(100, 80);
    links(ursprung);
    EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8(kMesswerteGeloescht));
    EXPECT_EQ(state().grid(1).rowCount(), 2);
    EXPECT_EQ(state().calibration.origin.x, bild(ursprung).x());
    EXPECT_EQ(state().range.start, 4);
    EXPECT_EQ(manuell()->label3()->text(), "4");
    links(schirm(75, 25));
    EXPECT_EQ(zeile(1)[0], "0.000");
}

TEST_F(ManuellTest, TheLongFormMagnifiesThePictureUnderTheMouse) {
    starten();
    QLabel* erweitern = knopf<QLabel>("Image4");
    QTest::mouseClick(erweitern, Qt::LeftButton);
    EXPECT_EQ(manuell()->height(), ManualControlWindow::kLang);
    EXPECT_TRUE(knopf<QLabel>("Image5")->isVisible());
    EXPECT_FALSE(erweitern->isVisible());
    const QPoint p = schirm(15, 25);
    bewegen(p);
    EXPECT_EQ(knopf<QLabel>("Label8")->text(), QStringLiteral("x: %1 Pixel").arg(bild(p).x()));
    const QImage lupe = manuell()->lupenbild();
    ASSERT_FALSE(lupe.isNull());
    // The pixel under the mouse fills a 4 x 4 square in the middle, crossed by the hair.
    const QRgb unterDerMaus = overlay()->shownPicture().pixel(bild(p));
    EXPECT_EQ(lupe.pixel(lupe.width() / 2 - 1, lupe.height() / 2 - 1), unterDerMaus);
    EXPECT_EQ(QColor(lupe.pixel(lupe.width() / 2, 3)), QColor(255, 0, 255));
    // Cursor 3 for the overlay.
    QTest::mouseClick(knopf<QLabel>("Image3"), Qt::LeftButton);
    EXPECT_EQ(overlay()->cursor().hotSpot(), QPoint(15, 15));
    QTest::mouseClick(knopf<QLabel>("Image5"), Qt::LeftButton);
    EXPECT_EQ(manuell()->height(), ManualControlWindow::kKurz);
}

TEST_F(ManuellTest, ClosingRestoresTheMainWindowAndTheNextCaptureAsksAgain) {
    starten();
    dialogs.answers = {QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Ok};
    links(schirm(10, 10));
    links(schirm(10, 10));
    links(schirm(10, 110));
    windows->secondary().calibrationWindow->edit1()->setText(QStringLiteral("1"));
    QTest::keyClick(windows->secondary().calibrationWindow->edit1(), Qt::Key_Return);
    EXPECT_NE(state().calibration.factorMPerPx, 1.0);
    rechts();
    links(schirm(30, 25));
    manuell()->close();
    EXPECT_FALSE(overlay()->isVisible());
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_TRUE(windows->secondary().displayWindow->isVisible());
    EXPECT_EQ(state().calibration.factorMPerPx, 1.0);
    EXPECT_FALSE(mainWindow().manual().calibrationSettled());
    EXPECT_EQ(state().grid(1).rowCount(), 2);
    EXPECT_EQ(mainWindow().player().currentFrame(), 0);
    EXPECT_FALSE(mainWindow().manual().running());
    // The origin is the frame's bottom-left corner again, in frame pixels.
    EXPECT_EQ(state().calibration.origin.x, 0);
    EXPECT_EQ(state().calibration.origin.y, kFilmHoehe);

    starten();
    const std::size_t vorher = dialogs.messages.size();
    ohneKalibrierung();
    EXPECT_EQ(dialogs.messages.size(), vorher + 1);
    EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8(kKalibrierenFrage));
    EXPECT_EQ(zeile(1), PositionGrid::Row{});  // nothing of the last capture is left
}

TEST_F(ManuellTest, AWaitingCalibrationEndsWithTheProgram) {
    starten();
    knopf<QPushButton>("kalibrierenBtn")->click();
    links(schirm(10, 10));
    links(schirm(10, 100));
    ASSERT_TRUE(windows->secondary().calibrationWindow->isVisible());
    const std::size_t shown = dialogs.messages.size();
    knopf<QPushButton>("kalibrierenBtn")->click();  // a second start while one runs
    EXPECT_EQ(dialogs.messages.size(), shown);
    mainWindow().close();
    EXPECT_FALSE(mainWindow().manual().running());
    EXPECT_FALSE(overlay()->isVisible());
    EXPECT_FALSE(manuell()->isVisible());
    EXPECT_FALSE(windows->secondary().calibrationWindow->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    windows.reset();
}

TEST_F(ManuellTest, TheControlWindowHasItsElements) {
    ManualControlWindow* w = manuell();
    EXPECT_EQ(w->windowTitle(), "Manuell");
    EXPECT_EQ(w->width(), 141);
    const std::pair<const char*, const char*> hinweise[] = {
        {"SpeedButton1", "Play"},
        {"SpeedButton2", "Stop"},
        {"ToolButton1", "Anfang"},
        {"ToolButton2", "Bild zurück"},
        {"ToolButton3", "Bild vor"},
        {"kalibrierenBtn", "Bestimmung der wahren Abmessungen"},
        {"NullpunktBtn", "Koordinatennullpunkt verschieben"},
        {"DiagrammBtn", "Diagrammauswertung"},
        {"Image4", "Erweitern"},
        {"Image5", "Verkleinern"}};
    for (const auto& [name, hint] : hinweise) {
        QWidget* c = w->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->toolTip(), QString::fromUtf8(hint)) << name;
    }
    const std::pair<const char*, const char*> texte[] = {
        {"ToolButton1", "|<"},          {"ToolButton2", "<"},
        {"ToolButton3", ">"},           {"kalibrierenBtn", "Kalibrieren"},
        {"NullpunktBtn", " Nullpunkt"}, {"DiagrammBtn", " Auswertung"}};
    for (const auto& [name, text] : texte) {
        auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), QString::fromUtf8(text)) << name;
    }
    const std::pair<const char*, const char*> beschriftungen[] = {
        {"Label2", "Bildnummer:"}, {"Label1", "Cursorform:"},      {"Label4", "Rechte Maustaste:"},
        {"Label5", "1 Bild vor"},  {"Label6", "Linke Maustaste:"}, {"Label7", "Position erfassen"}};
    for (const auto& [name, text] : beschriftungen) {
        auto* l = w->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(l, nullptr) << name;
        EXPECT_EQ(l->text(), QString::fromUtf8(text)) << name;
    }
    for (const char* name : {"Label3", "Label8", "Label9", "Image1", "Image2", "Image3"})
        EXPECT_NE(w->findChild<QLabel*>(QString::fromLatin1(name)), nullptr) << name;
}

}  // namespace zebak::gui::test
