// The search settings pages and the result display panel: building them over the program
// state, picking a colour from the display window, the similarity warning, the swatches, the
// typed RGB values, the current slot with its tab, and which options are offered when.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <optional>

#include "core/ColourMatch.h"
#include "gui/app/Dialogs.h"
#include "gui/app/Sound.h"
#include "gui/app/TForm1.h"
#include "gui/search/RadioGroup.h"
#include "gui/search/ResultDisplayPanel.h"
#include "gui/search/TForm3.h"
#include "gui/search/TFrame1.h"

namespace zebak::gui {

namespace {
const QString kAehnlich =
    QStringLiteral("Sie zwei ähnliche Farben gewählt!\n\rBitte wählen Sie eine andere Farbe.");

/// A typed channel: an empty text is 0, digits are their value (large ones stay large);
/// anything else, which only pasting can bring in, is no value.
std::optional<long long> kanalWert(const QString& text) {
    long long wert = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        wert = std::min(wert * 10 + (c.unicode() - '0'), 1000000LL);
    }
    return wert;
}

std::uint8_t& kanal(Rgb& farbe, int k) { return k == 0 ? farbe.r : k == 1 ? farbe.g : farbe.b; }
}  // namespace

void TForm1::baueSuchseiten() {
    PageControl1 = new QTabWidget(centralWidget());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(381, 8, 377, 364);
    for (SlotNumber n : {1, 2}) {
        auto* seite = new QWidget;
        seite->setObjectName(QStringLiteral("TabSheet%1").arg(n));
        auto* frame = new TFrame1(seite);
        frame->setObjectName(QStringLiteral("SuchEinst%1").arg(n));
        frame->move(14, 2);  // clear of the display window, which overlaps the left edge
        frame->Label2()->setText(QStringLiteral("max. Farbtoleranz:"));
        if (n == 2) frame->ohneGrenzen();
        suchEinst_.at(static_cast<std::size_t>(n - 1)) = frame;
        PageControl1->addTab(seite, QStringLiteral("Farbe %1").arg(n));
    }
    PageControl1->hide();

    panel3_ = new ResultDisplayPanel(state_.analyse.anzeige, centralWidget());
    panel3_->setGeometry(773, 8, 233, 364);
    Panel3 = panel3_;
    labelbremse = panel3_->labelbremse();
    ScrollBarBremse = panel3_->ScrollBarBremse();
    ScrollBarBremse->hide();
    labelbremse->hide();
    Panel3->hide();
    einstellungenVerbinden();
}

void TForm1::einstellungenVerbinden() {
    for (SlotNumber n : {1, 2}) {
        TFrame1* f = SuchEinst(n);
        f->verbinden(state_.settings(n));
        f->farbeSchreiben(state_.slot(n).Farbe);
        connect(f->RadioGroup1(), &RadioGroup::Click, this,
                [this, n](int item) { SuchEinstRadioGroup1Click(n, item); });
        connect(f->CheckBox1(), &QCheckBox::toggled, this,
                [this, n](bool an) { SuchEinstCheckBox1Click(n, an); });
        connect(f, &TFrame1::editTasteLos, this, [this, n](int k) { SuchEinst1Edit1KeyUp(n, k); });
        // The options' start state decides which fields are offered.
        SuchEinstRadioGroup1Click(n, f->RadioGroup1()->itemIndex());
        SuchEinstCheckBox1Click(n, f->CheckBox1()->isChecked());
    }
    connect(SuchEinst(1)->RadioGroup2(), &RadioGroup::Click, this,
            &TForm1::SuchEinst1RadioGroup2Click);
    connect(SuchEinst(2)->RadioGroup2(), &RadioGroup::Click, this,
            &TForm1::SuchEinst2RadioGroup2Click);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(panel3_->RadioGroup1(), &RadioGroup::Click, this, &TForm1::RadioGroup1Click);
    connect(panel3_->CheckBox3(), &QCheckBox::toggled, this, &TForm1::CheckBox3Click);
}

TFrame1* TForm1::SuchEinst(SlotNumber slot) const {
    return suchEinst_.at(static_cast<std::size_t>(slot - 1));
}

SlotNumber TForm1::aktuellerSlot() const {
    return SuchEinst(1)->RadioGroup2()->itemIndex() == 0 ? 1 : 2;
}

// ---- reference colours --------------------------------------------------------------------

void TForm1::clickfarbe() {
    Kontextoeffnen();
    const SlotNumber n = aktuellerSlot();
    seiteZeigen(n);
    SlotState& slot = state_.slot(n);
    slot.Farbe = fenster_.form3->bildpunkt(state_.KlickX, state_.KlickY);
    SuchEinst(n)->farbeSchreiben(slot.Farbe);
    slot.Startfarbe = slot.Farbe;
    Kontextfreigeben();
    Farbanzeige(n);
    if (n == 2) Farbkontrolle();
}

void TForm1::Farbkontrolle() {
    // Only colour 1's tolerance counts: colour 2 must not fall inside colour 1's range.
    const int t = state_.settings(1).FarbToleranz;
    if (FarbeInToleranz(state_.slot(2).Farbe, state_.slot(1).Farbe, t))
        dialogs_.message(this, MessageKind::Warning, kAehnlich, QMessageBox::Ok);
}

void TForm1::Farbanzeige(SlotNumber slot) {
    state_.slot(slot).zugewiesen = true;
    SuchEinst(slot)->farbfeldZeichnen(state_.slot(slot).Farbe);
}

void TForm1::farbeAnzeigen(SlotNumber slot, bool swatch) {
    SuchEinst(slot)->farbeSchreiben(state_.slot(slot).Farbe);
    if (swatch) Farbanzeige(slot);
}

void TForm1::SuchEinst1Edit1KeyUp(SlotNumber slot, int k) {
    QLineEdit* feld = SuchEinst(slot)->Edit(k);
    std::uint8_t& wert = kanal(state_.slot(slot).Farbe, k);
    const std::optional<long long> getippt = kanalWert(feld->text());
    if (!getippt || *getippt > 255) {
        piepen(0);
        feld->setText(QString::number(wert));
        return;
    }
    wert = static_cast<std::uint8_t>(*getippt);
    // Typing in either page takes both colours as the user's own and marks both slots.
    for (SlotNumber n : {1, 2}) {
        SuchEinst(n)->farbeSchreiben(state_.slot(n).Farbe);
        state_.slot(n).Startfarbe = state_.slot(n).Farbe;
    }
    Farbanzeige(1);
    Farbanzeige(2);
}

void TForm1::piepen(int typ) {
    Q_UNUSED(typ)  // the toolkit offers one beep for both kinds
    ++piepser_;
    Sound::beep();
}

// ---- current slot and tabs ----------------------------------------------------------------

void TForm1::SuchEinst1RadioGroup2Click(int item) {
    SuchEinst(2)->RadioGroup2()->setItemIndex(item);
    PageControl1->setCurrentIndex(item != 0 ? 1 : 0);
}

void TForm1::SuchEinst2RadioGroup2Click(int item) {
    // Changing the first group runs its own handler, which shows the tab.
    SuchEinst(1)->RadioGroup2()->setItemIndex(item);
}

void TForm1::PageControl1Change(int index) {
    if (index == 0) SuchEinst(1)->RadioGroup2()->setItemIndex(0);
    if (index == 1) SuchEinst(2)->RadioGroup2()->setItemIndex(1);
}

void TForm1::seiteZeigen(SlotNumber slot) {
    PageControl1->setCurrentIndex(slot - 1);
    PageControl1Change(slot - 1);
}

// ---- which options are offered ------------------------------------------------------------

void TForm1::SuchEinstRadioGroup1Click(SlotNumber slot, int item) {
    QCheckBox* abweichung = panel3_->CheckBox4();
    if (item == 1) {
        SuchEinst(slot)->abweichungZeigen(true);
        const bool analysiert =
            (slot == 1 ? panel3_->CheckBox1() : panel3_->CheckBox2())->isChecked();
        if (analysiert && panel3_->CheckBox3()->isChecked()) abweichung->show();
    } else if (item == 0) {
        SuchEinst(slot)->abweichungZeigen(false);
        abweichung->hide();
    }
}

void TForm1::SuchEinstCheckBox1Click(SlotNumber slot, bool checked) {
    QCheckBox* objektgroesse = panel3_->CheckBox5();
    SuchEinst(slot)->zweitsucheZeigen(checked);
    if (!checked) {
        objektgroesse->hide();
        return;
    }
    const bool farbe2 = slot == 1 || panel3_->CheckBox2()->isChecked();
    if (panel3_->CheckBox3()->isChecked() && farbe2) objektgroesse->show();
}

void TForm1::RadioGroup1Click(int item) {
    panel3_->RadioButton1()->setVisible(item == 0);
    panel3_->RadioButton2()->setVisible(item == 0);
}

void TForm1::CheckBox3Click(bool checked) {
    QCheckBox* abweichung = panel3_->CheckBox4();
    QCheckBox* objektgroesse = panel3_->CheckBox5();
    if (!checked) {
        abweichung->hide();
        abweichung->setChecked(false);
        objektgroesse->hide();
        objektgroesse->setChecked(false);
        return;
    }
    const auto beide = [this](auto bedingung) {
        return bedingung(SuchEinst(1)) && bedingung(SuchEinst(2));
    };
    const bool vorherbestimmt =
        beide([](TFrame1* f) { return f->RadioGroup1()->itemIndex() == 1; });
    const bool zweitsuche = beide([](TFrame1* f) { return f->CheckBox1()->isChecked(); });
    abweichung->setVisible(vorherbestimmt);
    if (zweitsuche) objektgroesse->show();
    abweichung->setChecked(vorherbestimmt);
}

}  // namespace zebak::gui
