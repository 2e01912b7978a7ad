// Reference colours: picking by a click on the display window of a film with known pixels,
// the similarity warning, typed RGB values with their key filter, the swatch, and the
// current slot kept equal to the shown tab.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <QClipboard>
#include <QScrollBar>
#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/RadioGroup.h"
#include "gui/tracking/ColourSwatch.h"
#include "gui/tracking/RgbFields.h"
#include "gui/tracking/SearchSettingsFrame.h"

namespace zebak::gui::test {

namespace {
constexpr Rgb kRot{225, 32, 26};     // square at x 40..79, y 40..79 of farben320.avi
constexpr Rgb kRotNah{230, 40, 30};  // square at x 120..159
constexpr Rgb kBlau{30, 60, 200};    // square at x 200..239
const QString kWarnung =
    QStringLiteral("Sie zwei ähnliche Farben gewählt!\n\rBitte wählen Sie eine andere Farbe.");

QRgb qrgb(Rgb c) { return qRgb(c.r, c.g, c.b); }
}  // namespace

class SuchfarbenTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        loadFilm("farben320.avi");
        part<QPushButton>("AutomatischBtn")->click();
    }
    SearchSettingsFrame* frame(int n) {
        return mainWindow().findChild<SearchSettingsFrame*>(QStringLiteral("SuchEinst%1").arg(n));
    }
    QStringList edits(int n) {
        return {frame(n)->rgb().channelEdit(0)->text(), frame(n)->rgb().channelEdit(1)->text(),
                frame(n)->rgb().channelEdit(2)->text()};
    }
    void klick(int x, int y) {
        QTest::mouseClick(windows->secondary().displayWindow, Qt::LeftButton, {}, QPoint(x, y));
    }
    void slotWaehlen(int n) { frame(1)->radioGroup2()->button(n - 1)->click(); }
    QTabWidget* seiten() { return part<QTabWidget>("PageControl1"); }
    const ColourSlot& slot(int n) { return mainWindow().state().colour(n); }
    const Rgb& working(int n) { return mainWindow().state().trace(n).workingColour; }
};

TEST_F(SuchfarbenTest, AClickOnTheFilmPicksTheColourOfTheCurrentSlot) {
    EXPECT_FALSE(slot(1).assigned);
    EXPECT_EQ(edits(1), QStringList({"100", "100", "100"}));
    klick(50, 50);
    EXPECT_EQ(mainWindow().input().pickedPoint().x(), 50);
    EXPECT_EQ(mainWindow().input().pickedPoint().y(), 50);
    EXPECT_EQ(working(1), kRot);
    EXPECT_EQ(slot(1).picked, kRot);
    EXPECT_TRUE(slot(1).assigned);
    EXPECT_FALSE(slot(2).assigned);
    EXPECT_EQ(edits(1), QStringList({"225", "32", "26"}));
    EXPECT_EQ(edits(2), QStringList({"100", "100", "100"}));
    EXPECT_FALSE(mainWindow().session().pixelContextOpen());

    // Slot 2 chosen: the next click picks colour 2 and shows its page.
    slotWaehlen(2);
    seiten()->setCurrentIndex(1);
    klick(210, 60);
    EXPECT_EQ(working(2), kBlau);
    EXPECT_EQ(slot(2).picked, kBlau);
    EXPECT_EQ(working(1), kRot);
    EXPECT_EQ(edits(2), QStringList({"30", "60", "200"}));
    EXPECT_EQ(seiten()->currentIndex(), 1);
    EXPECT_TRUE(dialogs.messages.empty());  // blue is far from red
}

TEST_F(SuchfarbenTest, OnlyColour2CloseToColour1WithinColour1sToleranceIsWarnedOf) {
    klick(50, 50);  // colour 1: red
    slotWaehlen(2);
    // Colour 2's own tolerance plays no part; colour 1's 40 covers the near red.
    frame(2)->toleranceField()->setValue(1);
    klick(130, 50);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kWarnung);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(working(2), kRotNah);  // nothing is undone
    EXPECT_TRUE(slot(2).assigned);

    // Channels differ by 5, 8 and 4: a tolerance of 5 is not enough, of 9 it is.
    frame(1)->toleranceField()->setValue(5);
    klick(130, 50);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    frame(1)->toleranceField()->setValue(9);
    klick(130, 50);
    EXPECT_EQ(dialogs.messages.size(), 2u);

    // Colour 1 picked equal to colour 2 is never checked.
    slotWaehlen(1);
    klick(130, 50);
    EXPECT_EQ(working(1), kRotNah);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(SuchfarbenTest, TypedValuesAboveTheByteBeepAndRestoreTheOldValue) {
    klick(50, 50);
    QLineEdit* rot = frame(1)->rgb().channelEdit(0);
    const int vorher = mainWindow().session().sound().beeps();
    rot->end(false);
    QTest::keyClick(rot, Qt::Key_6);  // 2256
    EXPECT_EQ(mainWindow().session().sound().beeps(), vorher + 1);
    EXPECT_EQ(rot->text(), "225");
    EXPECT_EQ(working(1), kRot);
    EXPECT_EQ(slot(1).picked, kRot);
    EXPECT_FALSE(slot(2).assigned);  // nothing else changed

    // Letters and signs cannot be typed; digits can.
    rot->setText(QString());
    QTest::keyClicks(rot, "a-7x");
    EXPECT_EQ(rot->text(), "7");
    EXPECT_EQ(working(1).r, 7);
    EXPECT_EQ(mainWindow().session().sound().beeps(), vorher + 1);
}

TEST_F(SuchfarbenTest, TypingInSlot1TakesBothColoursAndMarksBothSlots) {
    slotWaehlen(2);
    klick(210, 50);  // colour 2 picked: blue
    slotWaehlen(1);
    QLineEdit* gruen = frame(1)->rgb().channelEdit(1);
    gruen->setText(QString());
    QTest::keyClicks(gruen, "007");
    EXPECT_EQ(gruen->text(), "7");  // leading zeros go
    EXPECT_EQ(working(1), (Rgb{100, 7, 100}));
    EXPECT_EQ(slot(1).picked, (Rgb{100, 7, 100}));
    EXPECT_EQ(slot(2).picked, kBlau);
    EXPECT_TRUE(slot(1).assigned);
    EXPECT_TRUE(slot(2).assigned);

    // An emptied field is channel 0 and shows 0; a cursor key alone takes the value too.
    gruen->selectAll();
    QTest::keyClick(gruen, Qt::Key_Backspace);
    EXPECT_EQ(gruen->text(), "0");
    EXPECT_EQ(working(1).g, 0);
    mainWindow().state().trace(2).workingColour.b = 123;  // as colour adoption would leave it
    QTest::keyClick(frame(2)->rgb().channelEdit(0), Qt::Key_Left);
    EXPECT_EQ(frame(2)->rgb().channelEdit(2)->text(), "123");
    EXPECT_EQ(slot(2).picked.b, 123);
}

TEST_F(SuchfarbenTest, TheSwatchShowsTheColourAndOneLevelBarPerChannel) {
    klick(50, 50);  // 225, 32, 26: bars of 45, 6 and 5 pixels from x 30
    QImage bild = frame(1)->swatch().image1()->pixmap().toImage();
    ASSERT_EQ(bild.size(), QSize(97, 97));
    EXPECT_EQ(bild.pixel(13, 47), qrgb(kRot));
    EXPECT_EQ(bild.pixel(7, 47), qRgb(0, 0, 0));  // the bar's black outline
    EXPECT_EQ(bild.pixel(31, 18), qRgb(255, 0, 0));
    EXPECT_EQ(bild.pixel(74, 18), qRgb(255, 0, 0));
    EXPECT_NE(bild.pixel(76, 18), qRgb(255, 0, 0));
    EXPECT_EQ(bild.pixel(35, 50), qRgb(0, 128, 0));
    EXPECT_NE(bild.pixel(37, 50), qRgb(0, 128, 0));
    EXPECT_EQ(bild.pixel(34, 79), qRgb(0, 0, 255));

    // A full channel fills its track to x 81; 0 and 4 draw no bar at all.
    mainWindow().state().trace(1).workingColour = Rgb{255, 4, 0};
    mainWindow().pages().showColour(1, true);
    EXPECT_EQ(frame(1)->rgb().channelEdit(0)->text(), "255");
    bild = frame(1)->swatch().image1()->pixmap().toImage();
    EXPECT_EQ(bild.pixel(80, 18), qRgb(255, 0, 0));
    EXPECT_NE(bild.pixel(30, 50), qRgb(0, 128, 0));
    EXPECT_NE(bild.pixel(30, 79), qRgb(0, 0, 255));
}

TEST_F(SuchfarbenTest, BothRadioGroupsAndTheTabAlwaysShowTheSameSlot) {
    RadioGroup* gruppe1 = frame(1)->radioGroup2();
    RadioGroup* gruppe2 = frame(2)->radioGroup2();
    EXPECT_EQ(gruppe1->itemIndex(), 0);
    EXPECT_EQ(gruppe2->itemIndex(), 0);
    EXPECT_EQ(seiten()->currentIndex(), 0);

    gruppe1->button(1)->click();  // "Farbe2 zuweisen" on page "Farbe 1"
    EXPECT_EQ(gruppe2->itemIndex(), 1);
    EXPECT_EQ(seiten()->currentIndex(), 1);

    seiten()->setCurrentIndex(0);  // the user goes back to "Farbe 1"
    EXPECT_EQ(gruppe1->itemIndex(), 0);
    EXPECT_EQ(gruppe2->itemIndex(), 0);

    gruppe2->button(1)->click();  // on page "Farbe 2"'s own group
    EXPECT_EQ(gruppe1->itemIndex(), 1);
    EXPECT_EQ(seiten()->currentIndex(), 1);

    mainWindow().pages().showPage(1);
    EXPECT_EQ(seiten()->currentIndex(), 0);
    EXPECT_EQ(gruppe2->itemIndex(), 0);
    klick(50, 50);
    EXPECT_EQ(working(1), kRot);
}

// Select-all, typing over a selection and paste work in the R/G/B fields; what is not a
// number is still refused.
TEST_F(SuchfarbenTest, TheRgbFieldsTakeSelectAllTypingOverAndPaste) {
    QLineEdit* red = frame(1)->rgb().channelEdit(0);
    red->setFocus();
    red->setText(QStringLiteral("200"));
    QTest::keyClick(red, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(red->selectedText(), QStringLiteral("200"));
    QTest::keyClick(red, Qt::Key_7);
    EXPECT_EQ(red->text(), QStringLiteral("7"));
    QTest::keyClick(red, Qt::Key_X);  // a letter is refused
    EXPECT_EQ(red->text(), QStringLiteral("7"));
    QApplication::clipboard()->setText(QStringLiteral("12"));
    red->selectAll();
    QTest::keyClick(red, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(red->text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("ab"));
    red->selectAll();
    QTest::keyClick(red, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(red->text(), QStringLiteral("12"));
    EXPECT_TRUE(rgbTasteZulassen(Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier));
    EXPECT_FALSE(rgbTasteZulassen(Qt::Key_B, QStringLiteral("\x02"), Qt::ControlModifier));
    EXPECT_FALSE(rgbTasteZulassen(Qt::Key_A, QStringLiteral("a")));
}

// The brake says how long it pauses.
TEST_F(SuchfarbenTest, TheBrakeShowsItsValueInMilliseconds) {
    auto* brake = part<QScrollBar>("ScrollBarBremse");
    auto* label = part<QLabel>("labelbremse");
    EXPECT_EQ(label->text(), QStringLiteral("Bremse: %1 ms").arg(brake->value()));
    brake->setValue(120);
    EXPECT_EQ(label->text(), QStringLiteral("Bremse: 120 ms"));
    EXPECT_EQ(mainWindow().state().display.brakeMs, 120);
}

}  // namespace zebak::gui::test
