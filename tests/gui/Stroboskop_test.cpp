// The stroboscope mode of the main window: the menu entry, Panel4 and its boxes, the picture
// built by a run (equal to what the headless tool writes), and a key stopping a run.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "GuiTest.h"
#include "gui/display/ResultWindow.h"
#include "support/Process.h"
#include "support/StrobeFilm.h"

namespace zebak::gui::test {

using zebak::test::StrobeFilm;

class StroboskopTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        filmPath = dir.filePath(QStringLiteral("throw.mkv"));
        ASSERT_TRUE(StrobeFilm::make(filmPath.toStdString()));
        ASSERT_TRUE(mainWindow().loadFilm(filmPath));
        part<QPushButton>("AutomatischBtn")->click();
        for (SlotNumber slot : {1, 2}) {
            mainWindow().state().colour(slot).picked =
                slot == 1 ? Rgb{200, 50, 50} : Rgb{50, 50, 200};
            mainWindow().state().colour(slot).assigned = true;
            part<QWidget>("Panel3")
                ->findChild<QCheckBox*>(slot == 1 ? "CheckBox1" : "CheckBox2")
                ->setChecked(true);
        }
    }
    /// The picture zebak-analyse strobe writes for the film with `options`.
    RgbFrame headless(const std::string& options) {
        const std::string out = dir.filePath(QStringLiteral("cli.png")).toStdString();
        const auto r =
            zebak::test::runCommand(std::string(ZEBAK_ANALYSE) + " strobe " +
                                    zebak::test::shellQuote(filmPath.toStdString()) + " " +
                                    options + " -o " + zebak::test::shellQuote(out));
        EXPECT_EQ(r.status, 0);
        return zebak::test::readPicture(out, 640, 480);
    }
    void modeOn() { part<QAction>("Stroboskopbild1")->trigger(); }

    QTemporaryDir dir;
    QString filmPath;
};

TEST_F(StroboskopTest, MenuEntryShowsPanel4WithItsPartsAndHidesAuswertung) {
    auto* panel = part<QWidget>("Panel4");
    EXPECT_FALSE(panel->isVisible());
    modeOn();
    EXPECT_TRUE(part<QAction>("Stroboskopbild1")->isChecked());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->pos(), QPoint(5, 600));
    EXPECT_FALSE(part<QPushButton>("DiagrammBtn")->isVisible());
    EXPECT_FALSE(part<QWidget>("tabelle1")->isVisible());
    auto* button = panel->findChild<QPushButton*>("Stroboskopbild");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Stroboskopbild"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Stroboskopbild starten"));
    auto* c7 = panel->findChild<QCheckBox*>("CheckBox7");
    auto* c8 = panel->findChild<QCheckBox*>("CheckBox8");
    auto* c9 = panel->findChild<QCheckBox*>("CheckBox9");
    ASSERT_TRUE(c7 && c8 && c9);
    EXPECT_EQ(c7->text(), QStringLiteral("Objekte Einfarbig?"));
    EXPECT_FALSE(c7->isChecked());
    EXPECT_TRUE(c8->isChecked());
    EXPECT_FALSE(c9->isEnabled());
    c7->click();
    EXPECT_TRUE(c9->isEnabled());
    c7->click();
    EXPECT_FALSE(c9->isEnabled());

    modeOn();  // off again
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(part<QPushButton>("DiagrammBtn")->isVisible());
    modeOn();
    ASSERT_TRUE(mainWindow().loadFilm(filmPath));  // a new film ends the mode
    EXPECT_FALSE(part<QAction>("Stroboskopbild1")->isChecked());
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(StroboskopTest, PicturesEqualTheHeadlessToolInBothModes) {
    modeOn();
    auto* panel = part<QWidget>("Panel4");
    // The background is the frame shown; after loading the film stands at its last frame.
    const std::string shown =
        " --background " + std::to_string(std::min(mainWindow().film()->currentFrame(), 9));
    panel->findChild<QPushButton*>("Stroboskopbild")->click();
    EXPECT_EQ(mainWindow().state().resultImage,
              headless("--colour1 200,50,50 --colour2 50,50,200" + shown));
    EXPECT_TRUE(windows->secondary().resultWindow->isVisible());
    EXPECT_FALSE(part<QPushButton>("AbbrechenBtn")->isVisible());

    panel->findChild<QCheckBox*>("CheckBox7")->click();
    panel->findChild<QCheckBox*>("CheckBox9")->click();
    mainWindow().state().settings(1).deviationPx = 10;
    // The run starts from the frame now shown: the last one drawn.
    panel->findChild<QPushButton*>("Stroboskopbild")->click();
    EXPECT_EQ(mainWindow().state().resultImage,
              headless("--colour1 200,50,50 --colour2 50,50,200 --circles --centre-colour "
                       "--background 9"));
}

// "Bild speichern …" under "Datei" and in the result window's context menu writes the picture
// at the film's size, pixel for pixel; a failed write is reported, a cancelled dialog silent.
TEST_F(StroboskopTest, ThePictureIsSavedFromTheMenuAndTheContextMenu) {
    modeOn();
    part<QWidget>("Panel4")->findChild<QPushButton*>("Stroboskopbild")->click();
    const RgbFrame& picture = mainWindow().state().resultImage;
    ASSERT_EQ(picture.width(), 640);
    auto* save = part<QAction>("Bildspeichern1");
    part<QMenu>("Datei1")->popup(QPoint(0, 0));  // the menu checks for a picture as it opens
    EXPECT_TRUE(save->isEnabled());
    part<QMenu>("Datei1")->hide();
    const QString png = dir.filePath(QStringLiteral("strobo"));  // the suffix is added
    dialogs.saveNames = {png, dir.filePath(QStringLiteral("fehlt/strobo.png")), QString()};
    save->trigger();
    EXPECT_EQ(zebak::test::readPicture((png + ".png").toStdString(), 640, 480), picture);
    EXPECT_TRUE(dialogs.messages.empty());
    save->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("fehlt/strobo.png")));
    save->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u) << "a cancelled dialog says nothing";

    // The context menu of the result window offers the same.
    ResultWindow* resultWindow = windows->secondary().resultWindow;
    const QString viaMenu = dir.filePath(QStringLiteral("kontext.png"));
    dialogs.saveNames = {viaMenu};
    QTimer::singleShot(0, resultWindow, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* item = menu->findChild<QAction*>(QStringLiteral("Bildspeichern2"));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QStringLiteral("Bild speichern …"));
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            resultWindow->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(resultWindow, &event);
    EXPECT_EQ(zebak::test::readPicture(viaMenu.toStdString(), 640, 480), picture);
}

TEST_F(StroboskopTest, AKeyInTheResultWindowStopsTheRun) {
    modeOn();
    // A key at the run's every pause: each colour's run stops after its first frame.
    dialogs.onLoopPause = [this](int) {
        QTest::keyClick(windows->secondary().resultWindow, Qt::Key_Escape);
    };
    part<QWidget>("Panel4")->findChild<QPushButton*>("Stroboskopbild")->click();
    dialogs.onLoopPause = nullptr;
    // Each colour stopped at its first frame.
    const RgbFrame& picture = mainWindow().state().resultImage;
    EXPECT_NE(picture, headless("--colour1 200,50,50 --colour2 50,50,200 --background 9"));
    // The red mark of frame 8 was never drawn: the background (frame 9) shows ground there.
    EXPECT_EQ(picture.rgb(StrobeFilm::redX(8), StrobeFilm::redY(8)), picture.rgb(0, 0));
}

}  // namespace zebak::gui::test
