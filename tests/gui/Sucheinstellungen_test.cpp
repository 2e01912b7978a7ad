// The settings pages and the result display panel: every named component, the values the user
// sees at start, ranges, the state following every control, and which fields are offered.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include "GuiTest.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/RadioGroup.h"
#include "gui/tracking/ResultDisplayPanel.h"
#include "gui/tracking/SearchSettingsFrame.h"

namespace zebak::gui::test {

class SucheinstellungenTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        loadFilm("gui320.avi");
        part<QPushButton>("AutomatischBtn")->click();
    }
    SearchSettingsFrame* frame(int n) {
        return mainWindow().findChild<SearchSettingsFrame*>(QStringLiteral("SuchEinst%1").arg(n));
    }
    template <typename T>
    T* in(QWidget* eltern, const char* name) {
        T* w = eltern->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QWidget* panel3() { return part<QWidget>("Panel3"); }
    QCheckBox* kasten(const char* name) { return in<QCheckBox>(panel3(), name); }
    /// Shown as far as the widget itself decides (its page may be hidden).
    bool offen(QWidget* w) { return !w->isHidden(); }
    bool zweitsucheOffen(int n) {
        return offen(in<QSpinBox>(frame(n), "Zweit_Toleranz")) &&
               offen(in<QSpinBox>(frame(n), "SpinEdit3")) &&
               offen(in<QLabel>(frame(n), "Label4")) && offen(in<QLabel>(frame(n), "Label5"));
    }
    bool abweichungOffen(int n) {
        return offen(in<QSpinBox>(frame(n), "SpinEdit1")) && offen(in<QLabel>(frame(n), "Label3"));
    }
    const SlotSettings& settings(int n) { return mainWindow().state().settings(n); }
};

TEST_F(SucheinstellungenTest, EveryNamedComponentExistsWithItsKind) {
    auto* seiten = part<QTabWidget>("PageControl1");
    ASSERT_EQ(seiten->count(), 2);
    EXPECT_EQ(seiten->tabText(0), "Farbe 1");
    EXPECT_EQ(seiten->tabText(1), "Farbe 2");
    for (int n : {1, 2}) {
        SearchSettingsFrame* f = frame(n);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->parentWidget()->objectName(), QStringLiteral("TabSheet%1").arg(n));
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6",
                                 "Label7", "Label8", "Image1"})
            in<QLabel>(f, name);
        for (const char* name : {"RadioGroup1", "RadioGroup2"}) in<RadioGroup>(f, name);
        for (const char* name : {"FarbToleranz", "SpinEdit1", "Zweit_Toleranz", "SpinEdit3"})
            in<QSpinBox>(f, name);
        for (const char* name : {"CheckBox1", "CheckBox2"}) in<QCheckBox>(f, name);
        for (const char* name : {"Edit1", "Edit2", "Edit3"}) in<QLineEdit>(f, name);
        in<QFrame>(f, "Panel1");
    }
    in<QGroupBox>(panel3(), "GroupBox1");
    for (const char* name : {"CheckBox1", "CheckBox2"})
        in<QCheckBox>(in<QGroupBox>(panel3(), "GroupBox1"), name);
    for (const char* name : {"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"})
        in<QCheckBox>(panel3(), name);
    in<RadioGroup>(panel3(), "RadioGroup1");
    for (const char* name : {"RadioButton1", "RadioButton2"}) in<QRadioButton>(panel3(), name);
    for (const char* name : {"Label7", "labelbremse"}) in<QLabel>(panel3(), name);
    in<QScrollBar>(panel3(), "ScrollBarBremse");
    for (const char* name : {"tabelle1", "Tabelle2"}) part<QTableView>(name);
    EXPECT_EQ(in<QLabel>(panel3(), "Label7")->text(), "Anzeige der Suchergebnisse");
    EXPECT_EQ(part<QPushButton>("suchbereicheinschraenken")->toolTip(), "Suchgegbiet einschränken");
}

TEST_F(SucheinstellungenTest, PagesStartWithTheirOwnValuesAndRanges) {
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        SearchSettingsFrame* f = frame(n);
        EXPECT_EQ(f->radioGroup1()->itemIndex(), 1);
        EXPECT_EQ(in<QLabel>(f, "Label2")->text(), "max. Farbtoleranz:");
        EXPECT_EQ(in<QSpinBox>(f, "FarbToleranz")->value(), 40);
        EXPECT_EQ(in<QSpinBox>(f, "SpinEdit1")->value(), 60);
        EXPECT_FALSE(f->checkBox1()->isChecked());
        EXPECT_EQ(in<QSpinBox>(f, "Zweit_Toleranz")->value(), 60);
        EXPECT_EQ(in<QSpinBox>(f, "SpinEdit3")->value(), 16);
        EXPECT_FALSE(in<QCheckBox>(f, "CheckBox2")->isChecked());
        EXPECT_EQ(f->radioGroup2()->itemIndex(), 0);
        in<QSpinBox>(f, "FarbToleranz")->setValue(300);
        EXPECT_EQ(settings(n).tolerance, 255);
    }
    // Page 1 bounds deviation and object size to 0..500; page 2 takes any number.
    in<QSpinBox>(frame(1), "SpinEdit1")->setValue(900);
    in<QSpinBox>(frame(1), "SpinEdit3")->setValue(-3);
    in<QSpinBox>(frame(2), "SpinEdit1")->setValue(900);
    in<QSpinBox>(frame(2), "SpinEdit3")->setValue(-3);
    EXPECT_EQ(settings(1).deviationPx, 500);
    EXPECT_EQ(settings(1).objectSizePx, 0);
    EXPECT_EQ(settings(2).deviationPx, 900);
    EXPECT_EQ(settings(2).objectSizePx, -3);

    EXPECT_TRUE(kasten("CheckBox1")->isChecked());
    EXPECT_FALSE(kasten("CheckBox2")->isChecked());
    EXPECT_EQ(in<RadioGroup>(panel3(), "RadioGroup1")->itemIndex(), 1);
    EXPECT_TRUE(in<QRadioButton>(panel3(), "RadioButton1")->isChecked());
}

TEST_F(SucheinstellungenTest, EveryControlChangeReachesTheStateAtOnce) {
    SearchSettingsFrame* f = frame(2);
    f->radioGroup1()->button(0)->click();
    in<QSpinBox>(f, "FarbToleranz")->setValue(77);
    f->checkBox1()->click();
    in<QSpinBox>(f, "Zweit_Toleranz")->setValue(12);
    in<QCheckBox>(f, "CheckBox2")->click();
    EXPECT_EQ(settings(2).mode, SearchMode::Simple);
    EXPECT_EQ(settings(2).tolerance, 77);
    EXPECT_TRUE(settings(2).refine);
    EXPECT_EQ(settings(2).refineTolerance, 12);
    EXPECT_TRUE(settings(2).adoptColour);
    EXPECT_EQ(settings(1).tolerance, 40);  // the other page keeps its own

    const ResultDisplay& a = mainWindow().state().display;
    kasten("CheckBox2")->click();
    kasten("CheckBox6")->click();
    in<RadioGroup>(panel3(), "RadioGroup1")->button(0)->click();
    in<QRadioButton>(panel3(), "RadioButton2")->click();
    in<QScrollBar>(panel3(), "ScrollBarBremse")->setValue(250);
    EXPECT_TRUE(a.analyseColour2);
    EXPECT_TRUE(a.background);
    EXPECT_FALSE(a.showFoundPixels);
    EXPECT_TRUE(a.dotMarker);
    EXPECT_EQ(a.brakeMs, 250);

    // The player panel's range and rate feed the time column.
    part<QScrollBar>("ScrollBar3")->setValue(30);
    part<QScrollBar>("ScrollBar2")->setValue(35);  // cannot pass the end bar
    part<QSpinBox>("SpinEdit1")->setValue(50);
    EXPECT_EQ(mainWindow().state().range.end, 30);
    EXPECT_EQ(mainWindow().state().range.start, 30);
    EXPECT_EQ(mainWindow().state().film.timing.framesPerSecond, 50);
}

TEST_F(SucheinstellungenTest, SecondSearchFieldsFollowTheirBoxAndOfferObjectSize) {
    EXPECT_FALSE(zweitsucheOffen(1));
    EXPECT_FALSE(zweitsucheOffen(2));
    EXPECT_FALSE(offen(kasten("CheckBox5")));
    frame(1)->checkBox1()->click();
    EXPECT_TRUE(zweitsucheOffen(1));
    EXPECT_FALSE(zweitsucheOffen(2));
    EXPECT_FALSE(offen(kasten("CheckBox5")));  // "Suchgebiete" is off

    kasten("CheckBox3")->click();
    EXPECT_FALSE(offen(kasten("CheckBox5")));  // page 2 has no second search
    // Page 2's box offers it only while colour 2 is analysed.
    frame(2)->checkBox1()->click();
    EXPECT_TRUE(zweitsucheOffen(2));
    EXPECT_FALSE(offen(kasten("CheckBox5")));
    frame(2)->checkBox1()->click();
    kasten("CheckBox2")->click();
    frame(2)->checkBox1()->click();
    EXPECT_TRUE(offen(kasten("CheckBox5")));
    EXPECT_FALSE(kasten("CheckBox5")->isChecked());  // offered, never checked for the user

    // Unchecking either page's box withdraws it; page 1's box offers it again.
    frame(1)->checkBox1()->click();
    EXPECT_FALSE(zweitsucheOffen(1));
    EXPECT_FALSE(offen(kasten("CheckBox5")));
    kasten("CheckBox2")->click();
    frame(1)->checkBox1()->click();
    EXPECT_TRUE(offen(kasten("CheckBox5")));
}

TEST_F(SucheinstellungenTest, DeviationFollowsTheModeAndSearchAreasTheBoxes) {
    QCheckBox* abweichung = kasten("CheckBox4");
    EXPECT_TRUE(abweichungOffen(1));
    EXPECT_FALSE(offen(abweichung));

    // Both pages predict: "Suchgebiete" offers and checks "Abweichung".
    kasten("CheckBox3")->click();
    EXPECT_TRUE(offen(abweichung));
    EXPECT_TRUE(abweichung->isChecked());
    EXPECT_FALSE(offen(kasten("CheckBox5")));  // no page has the second search

    frame(2)->radioGroup1()->button(0)->click();  // page 2 "Einfach"
    EXPECT_FALSE(abweichungOffen(2));
    EXPECT_TRUE(abweichungOffen(1));
    EXPECT_FALSE(offen(abweichung));
    EXPECT_TRUE(abweichung->isChecked());         // hidden, still chosen
    frame(2)->radioGroup1()->button(1)->click();  // colour 2 is not analysed
    EXPECT_TRUE(abweichungOffen(2));
    EXPECT_FALSE(offen(abweichung));
    frame(1)->radioGroup1()->button(0)->click();
    frame(1)->radioGroup1()->button(1)->click();  // colour 1 is analysed
    EXPECT_TRUE(offen(abweichung));

    // "Suchgebiete" off withdraws and unchecks both; on with one "Einfach" page keeps
    // "Abweichung" away but offers "Objektgrösse" when both pages search twice.
    kasten("CheckBox5")->setChecked(true);
    kasten("CheckBox3")->click();
    EXPECT_FALSE(offen(abweichung));
    EXPECT_FALSE(abweichung->isChecked());
    EXPECT_FALSE(kasten("CheckBox5")->isChecked());
    frame(1)->radioGroup1()->button(0)->click();
    frame(1)->checkBox1()->click();
    frame(2)->checkBox1()->click();
    kasten("CheckBox3")->click();
    EXPECT_FALSE(offen(abweichung));
    EXPECT_FALSE(abweichung->isChecked());
    EXPECT_TRUE(offen(kasten("CheckBox5")));
    EXPECT_FALSE(mainWindow().state().display.showDeviation);
}

TEST_F(SucheinstellungenTest, MarkerButtonsOnlyWithTheCentreDisplay) {
    auto* gruppe = in<RadioGroup>(panel3(), "RadioGroup1");
    auto* plus = in<QRadioButton>(panel3(), "RadioButton1");
    auto* punkt = in<QRadioButton>(panel3(), "RadioButton2");
    EXPECT_FALSE(offen(plus));
    gruppe->button(0)->click();
    EXPECT_TRUE(offen(plus));
    EXPECT_TRUE(offen(punkt));
    punkt->click();
    gruppe->button(1)->click();
    EXPECT_FALSE(offen(plus));
    EXPECT_FALSE(offen(punkt));
    EXPECT_TRUE(mainWindow().state().display.dotMarker);  // the choice stays in force
}

// "Objekt wiedersuchen" is off at start, belongs to the predicted pass (hidden with
// "Einfach") and the state of its slot follows it.
TEST_F(SucheinstellungenTest, ReacquireIsAnOptionOfThePredictedPassPerSlot) {
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        auto* box = in<QCheckBox>(frame(n), "ObjektWiedersuchen");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Objekt wiedersuchen"));
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(settings(n).reacquire);
        box->setChecked(true);
        EXPECT_TRUE(settings(n).reacquire);
        EXPECT_FALSE(settings(3 - n).reacquire);
        EXPECT_TRUE(offen(box));
        frame(n)->radioGroup1()->setItemIndex(0);  // "Einfach"
        EXPECT_FALSE(offen(box));
        frame(n)->radioGroup1()->setItemIndex(1);
        EXPECT_TRUE(offen(box));
        box->setChecked(false);
    }
}

// "Zusammenhängend" and "Subpixel" are off at start, explained in a tooltip, and each page's
// boxes set its own slot.
TEST_F(SucheinstellungenTest, RegionOptionsPerSlotAndThePickedPoint) {
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        auto* connected = in<QCheckBox>(frame(n), "Zusammenhaengend");
        auto* subpixel = in<QCheckBox>(frame(n), "Subpixel");
        ASSERT_NE(connected, nullptr);
        ASSERT_NE(subpixel, nullptr);
        EXPECT_EQ(connected->text(), QStringLiteral("Zusammenhängend"));
        EXPECT_FALSE(connected->isChecked() || subpixel->isChecked());
        EXPECT_FALSE(connected->toolTip().isEmpty() || subpixel->toolTip().isEmpty());
        connected->setChecked(true);
        subpixel->setChecked(true);
        EXPECT_TRUE(settings(n).connected && settings(n).subpixel);
        EXPECT_FALSE(settings(3 - n).connected || settings(3 - n).subpixel);
        connected->setChecked(false);
        subpixel->setChecked(false);
    }
}

}  // namespace zebak::gui::test
