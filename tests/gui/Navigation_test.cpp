// The player panel: the three bars and their rules, range playback with its stop, the player's
// own buttons, the pause, and what the display window shows.
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/SequenceControls.h"
#include "gui/manual/ManualControlWindow.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui::test {

class NavigationTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        loadFilm("gui640.avi");  // 50 frames
        bar1 = part<QScrollBar>("ScrollBar1");
        bar2 = part<QScrollBar>("ScrollBar2");
        bar3 = part<QScrollBar>("ScrollBar3");
    }
    QString label(const char* name) { return part<QLabel>(name)->text(); }
    /// One tick of the bar timer, as its interval would bring it.
    void tick() { QMetaObject::invokeMethod(part<QTimer>("Timer1"), "timeout"); }

    QScrollBar* bar1 = nullptr;
    QScrollBar* bar2 = nullptr;
    QScrollBar* bar3 = nullptr;
};

TEST_F(NavigationTest, StartAndEndBarsCannotCross) {
    bar3->setValue(30);
    EXPECT_EQ(mainWindow().player().currentFrame(), 30);
    EXPECT_EQ(bar1->value(), 30);
    EXPECT_EQ(label("Label3"), "30");
    EXPECT_EQ(label("Label1"), "30/50");

    bar2->setValue(40);  // past the end bar: lands on it
    EXPECT_EQ(bar2->value(), 30);
    EXPECT_EQ(label("Label2"), "30");
    EXPECT_EQ(mainWindow().player().currentFrame(), 30);

    bar2->setValue(10);
    EXPECT_EQ(mainWindow().player().currentFrame(), 10);
    EXPECT_EQ(bar1->value(), 10);
    EXPECT_EQ(label("Label1"), "10/50");
    bar3->setValue(4);  // before the start bar: moves up to it
    EXPECT_EQ(bar3->value(), 10);
    EXPECT_EQ(label("Label3"), "10");
}

TEST_F(NavigationTest, PositionBarSeeksAndTheTimerCatchesUp) {
    bar1->setSliderPosition(12);
    bar1->triggerAction(QAbstractSlider::SliderMove);
    bar1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar1->value(), 13);
    EXPECT_EQ(mainWindow().player().currentFrame(), 13);
    EXPECT_EQ(mainWindow().film()->frame(), [] {
        auto f = FfmsFrameSource::open(film("gui640.avi").toStdString());
        f->seek(13);
        return f->frame();
    }());
    // Label1 shows the frame from before the scroll until the next tick.
    EXPECT_EQ(label("Label1"), "12/50");
    tick();
    EXPECT_EQ(label("Label1"), "13/50");

    // A film moved by other means: the tick brings bar and manual window along.
    mainWindow().player().goToFrame(7);
    tick();
    EXPECT_EQ(bar1->value(), 7);
    EXPECT_EQ(windows->secondary().manualWindow->label3()->text(), "7");
}

TEST_F(NavigationTest, RangePlaybackStopsAtTheEndBar) {
    bar3->setValue(15);
    bar2->setValue(10);
    part<QToolButton>("SpeedButton2")->click();
    EXPECT_EQ(mainWindow().player().currentFrame(), 15);
    EXPECT_EQ(bar1->value(), 15);
    EXPECT_FALSE(part<QToolButton>("SpeedButton2")->isHidden());
    EXPECT_TRUE(part<QToolButton>("SpeedButton1")->isHidden());

    // Start equal to end: one step and done, never a run past the end of the film.
    bar2->setValue(15);
    part<QToolButton>("SpeedButton2")->click();
    EXPECT_EQ(mainWindow().player().currentFrame(), 16);
}

TEST_F(NavigationTest, RangePlaybackStopsOnTheStopButtonWithTheBrake) {
    part<QPushButton>("AutomatischBtn")->click();
    part<QScrollBar>("ScrollBarBremse")->setValue(40);
    bar2->setValue(0);
    bool stopSichtbar = false;
    // The stop button is clicked at the fifth frame's pause.
    dialogs.onLoopPause = [&](int pause) {
        if (pause != 5) return;
        stopSichtbar = part<QToolButton>("SpeedButton1")->isVisible() &&
                       !part<QToolButton>("SpeedButton2")->isVisible();
        part<QToolButton>("SpeedButton1")->click();
    };
    QElapsedTimer uhr;
    uhr.start();
    part<QToolButton>("SpeedButton2")->click();
    dialogs.onLoopPause = nullptr;
    EXPECT_TRUE(stopSichtbar);
    EXPECT_EQ(mainWindow().player().currentFrame(), 5);
    // Every frame waited for the brake, the one stopped in too.
    EXPECT_GE(uhr.elapsed(), 5 * 40);
    EXPECT_EQ(mainWindow().player().sequence().stopRequested(), true);
    EXPECT_TRUE(part<QToolButton>("SpeedButton2")->isVisible());
}

TEST_F(NavigationTest, PlayerButtonsPlayPauseAndJump) {
    part<QToolButton>("btPrev")->click();
    EXPECT_EQ(mainWindow().player().currentFrame(), 0);
    part<QToolButton>("btPlay")->click();
    // 25 frames/s: a few frames on, then paused.
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainWindow().player().currentFrame() >= 3; }, 10000));
    part<QToolButton>("btPause")->click();
    const int angehalten = mainWindow().player().currentFrame();
    EXPECT_GE(angehalten, 3);
    EXPECT_LE(angehalten, 20);
    EXPECT_EQ(windows->secondary().manualWindow->label3()->text(), QString::number(angehalten));
    QTest::qWait(200);
    EXPECT_EQ(mainWindow().player().currentFrame(), angehalten);
    part<QToolButton>("btNext")->click();
    EXPECT_EQ(mainWindow().player().currentFrame(), 50);
    part<QToolButton>("btPlay")->click();  // at the end: nothing to play
    QTest::qWait(100);
    EXPECT_EQ(mainWindow().player().currentFrame(), 50);
}

TEST_F(NavigationTest, PauseHandlesEventsAndWaitsAtLeastOneTick) {
    bool gelaufen = false;
    QTimer::singleShot(0, &mainWindow(), [&] { gelaufen = true; });
    QElapsedTimer uhr;
    uhr.start();
    pauseWithEvents(0);
    EXPECT_TRUE(gelaufen);
    EXPECT_GE(uhr.elapsed(), 1);
    pauseWithEvents(50);
    EXPECT_GE(uhr.elapsed(), 50);
}

TEST_F(NavigationTest, DisplayWindowDrawsTheCurrentFrame) {
    loadFilm("gui320.avi");  // shown unscaled: window pixel = frame pixel
    bar2->setValue(5);
    DisplayWindow* anzeige = windows->secondary().displayWindow;
    const QImage bild = anzeige->grab().toImage();
    ASSERT_EQ(bild.size(), QSize(320, 240));
    const RgbFrame& f = mainWindow().film()->frame();
    for (const QPoint p : {QPoint(10, 10), QPoint(100, 60), QPoint(250, 200)}) {
        const QColor c = bild.pixelColor(p);
        EXPECT_EQ(
            toColorRef(Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                           static_cast<std::uint8_t>(c.blue())}),
            f.pixel(p.x(), p.y()));
    }
}

TEST_F(NavigationTest, FilmVisibleTestAndRedrawKeepThePosition) {
    EXPECT_TRUE(mainWindow().player().filmSichtbar());
    bar2->setValue(6);
    mainWindow().player().makeFilmAppear();
    EXPECT_EQ(mainWindow().player().currentFrame(), 6);
    loadFilm("flat.avi");
    EXPECT_FALSE(mainWindow().player().filmSichtbar());
}

}  // namespace zebak::gui::test
