#include "gui/tracking/SettingsPages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <optional>

#include "core/ColourMatch.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/RadioGroup.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/tracking/ColourSwatch.h"
#include "gui/tracking/ResultDisplayPanel.h"
#include "gui/tracking/RgbFields.h"
#include "gui/tracking/SearchSettingsFrame.h"

namespace zebak::gui {

namespace {
const QString kAehnlich =
    QStringLiteral("Sie zwei ähnliche Farben gewählt!\n\rBitte wählen Sie eine andere Farbe.");

/// A typed channel: an empty text is 0, digits are their value (large ones stay large);
/// anything else, which only pasting can bring in, is no value.
std::optional<long long> channelValue(const QString& text) {
    long long value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = std::min(value * 10 + (c.unicode() - '0'), 1000000LL);
    }
    return value;
}

std::uint8_t& channel(Rgb& colour, int k) {
    return k == 0 ? colour.r : k == 1 ? colour.g : colour.b;
}
}  // namespace

SettingsPages::SettingsPages(Session& session, QWidget* area, QObject* owner)
    : QObject(owner), session_(session) {
    pages_ = new QTabWidget(area);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->setGeometry(381, 8, 377, 364);
    for (SlotNumber n : {1, 2}) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(n));
        auto* frame = new SearchSettingsFrame(page);
        frame->setObjectName(QStringLiteral("SuchEinst%1").arg(n));
        frame->move(14, 2);  // clear of the display window, which overlaps the left edge
        frame->label2()->setText(QStringLiteral("max. Farbtoleranz:"));
        if (n == 2) frame->withoutLimits();
        frames_.at(static_cast<std::size_t>(n - 1)) = frame;
        pages_->addTab(page, QStringLiteral("Farbe %1").arg(n));
    }
    panel3_ = new ResultDisplayPanel(session_.state().analyse.anzeige, area);
    panel3_->setGeometry(773, 8, 233, 364);
    connectControls();
    setShown(false);
}

void SettingsPages::connectControls() {
    ProgramState& state = session_.state();
    for (SlotNumber n : {1, 2}) {
        SearchSettingsFrame* f = settingsFrame(n);
        f->attach(state.settings(n));
        f->rgb().writeColour(state.slot(n).Farbe);
        connect(f->radioGroup1(), &RadioGroup::itemChosen, this, [this, n] { modeClicked(n); });
        connect(f->checkBox1(), &QCheckBox::toggled, this, [this, n] { refineClicked(n); });
        connect(&f->rgb(), &RgbFields::keyReleased, this,
                [this, n](int k) { colourValueTyped(n, k); });
        const auto index = static_cast<std::size_t>(n - 1);
        f->swatch().offerSample([this, index] { return medians_[index]; },
                                [this, n] { return session_.state().slot(n).Farbe; },
                                [this, n](Rgb c) { takeColour(n, c); });
        // The options' start state decides which fields are offered.
        modeClicked(n);
        refineClicked(n);
    }
    connect(settingsFrame(1)->radioGroup2(), &RadioGroup::itemChosen, this,
            &SettingsPages::slotChoiceClicked);
    // Changing the first group runs its own handler, which shows the tab.
    connect(settingsFrame(2)->radioGroup2(), &RadioGroup::itemChosen, this,
            [this](int item) { settingsFrame(1)->radioGroup2()->setItemIndex(item); });
    connect(pages_, &QTabWidget::currentChanged, this, &SettingsPages::pageChanged);
    connect(panel3_->radioGroup1(), &RadioGroup::itemChosen, this,
            &SettingsPages::displayModeClicked);
    connect(panel3_->checkBox3(), &QCheckBox::toggled, this, &SettingsPages::checkBox3Clicked);
}

SearchSettingsFrame* SettingsPages::settingsFrame(SlotNumber slot) const {
    return frames_.at(static_cast<std::size_t>(slot - 1));
}

void SettingsPages::setShown(bool shown) {
    pages_->setVisible(shown);
    panel3_->setVisible(shown);
    panel3_->brakeBar()->setVisible(shown);
    panel3_->labelbremse()->setVisible(shown);
}

// ---- reference colours -------------------------------------------------------------------

void SettingsPages::clickfarbe() {
    ProgramState& state = session_.state();
    session_.openPixelContext();
    const SlotNumber n = currentSlot_;
    showPage(n);
    SlotState& slot = state.slot(n);
    // The film's own pixel, not the scaled picture's: on the reduced display the picture is
    // a blend of several frame pixels, a colour the searches never see.
    slot.Farbe = display_->filmPixel(state.KlickX, state.KlickY);
    medians_[static_cast<std::size_t>(n - 1)] = display_->filmMedian(state.KlickX, state.KlickY);
    settingsFrame(n)->rgb().writeColour(slot.Farbe);
    slot.Startfarbe = slot.Farbe;
    session_.releasePixelContext();
    showSlotColour(n);
    if (n == 2) checkColourDistance();
}

void SettingsPages::takeColour(SlotNumber n, Rgb colour) {
    SlotState& slot = session_.state().slot(n);
    slot.Farbe = colour;
    settingsFrame(n)->rgb().writeColour(slot.Farbe);
    slot.Startfarbe = slot.Farbe;
    showSlotColour(n);
    if (n == 2) checkColourDistance();
}

void SettingsPages::checkColourDistance() {
    // Only colour 1's tolerance counts: colour 2 must not fall inside colour 1's range.
    const ProgramState& state = session_.state();
    const int t = state.settings(1).FarbToleranz;
    if (FarbeInToleranz(state.slot(2).Farbe, state.slot(1).Farbe, t))
        session_.dialogs().message(pages_->window(), MessageKind::Warning, kAehnlich,
                                   QMessageBox::Ok);
}

void SettingsPages::showSlotColour(SlotNumber slot) {
    session_.state().slot(slot).zugewiesen = true;
    settingsFrame(slot)->swatch().draw(session_.state().slot(slot).Farbe);
}

void SettingsPages::showColour(SlotNumber slot, bool swatch) {
    settingsFrame(slot)->rgb().writeColour(session_.state().slot(slot).Farbe);
    if (swatch) showSlotColour(slot);
}

void SettingsPages::colourValueTyped(SlotNumber slot, int k) {
    ProgramState& state = session_.state();
    QLineEdit* field = settingsFrame(slot)->rgb().channelEdit(k);
    std::uint8_t& value = channel(state.slot(slot).Farbe, k);
    const std::optional<long long> typed = channelValue(field->text());
    if (!typed || *typed > 255) {
        session_.sound().beep();
        field->setText(QString::number(value));
        return;
    }
    value = static_cast<std::uint8_t>(*typed);
    takeTypedColours();
}

void SettingsPages::takeTypedColours() {
    // Typing in either page takes both colours as the user's own and marks both slots.
    ProgramState& state = session_.state();
    for (SlotNumber n : {1, 2}) {
        settingsFrame(n)->rgb().writeColour(state.slot(n).Farbe);
        state.slot(n).Startfarbe = state.slot(n).Farbe;
    }
    showSlotColour(1);
    showSlotColour(2);
}

// ---- current slot and tabs ---------------------------------------------------------------

void SettingsPages::slotChoiceClicked(int item) {
    currentSlot_ = item == 0 ? 1 : 2;
    settingsFrame(2)->radioGroup2()->setItemIndex(item);
    pages_->setCurrentIndex(item != 0 ? 1 : 0);
}

void SettingsPages::pageChanged(int index) {
    if (index == 0) settingsFrame(1)->radioGroup2()->setItemIndex(0);
    if (index == 1) settingsFrame(2)->radioGroup2()->setItemIndex(1);
}

void SettingsPages::showPage(SlotNumber slot) {
    pages_->setCurrentIndex(slot - 1);
    pageChanged(slot - 1);
}

// ---- which options are offered -----------------------------------------------------------

void SettingsPages::modeClicked(SlotNumber slot) {
    const ProgramState& state = session_.state();
    const ResultDisplay& display = state.analyse.anzeige;
    const bool predicted = state.settings(slot).modus == SearchMode::PositionVorherbestimmt;
    settingsFrame(slot)->showDeviation(predicted);
    if (!predicted) {
        panel3_->checkBox4()->hide();
        return;
    }
    const bool analysed = slot == 1 ? display.farbe1Analysieren : display.farbe2Analysieren;
    if (analysed && display.suchgebiete) panel3_->checkBox4()->show();
}

void SettingsPages::refineClicked(SlotNumber slot) {
    const ProgramState& state = session_.state();
    const bool refine = state.settings(slot).gezielteZweitsuche;
    settingsFrame(slot)->showSecondSearch(refine);
    if (!refine) {
        panel3_->checkBox5()->hide();
        return;
    }
    const bool colour2 = slot == 1 || state.analyse.anzeige.farbe2Analysieren;
    if (state.analyse.anzeige.suchgebiete && colour2) panel3_->checkBox5()->show();
}

void SettingsPages::displayModeClicked() {
    const bool centre = !session_.state().analyse.anzeige.gefundeneBildpunkte;
    panel3_->radioButton1()->setVisible(centre);
    panel3_->radioButton2()->setVisible(centre);
}

void SettingsPages::checkBox3Clicked() {
    const ProgramState& state = session_.state();
    QCheckBox* deviation = panel3_->checkBox4();
    QCheckBox* objectSize = panel3_->checkBox5();
    if (!state.analyse.anzeige.suchgebiete) {
        for (QCheckBox* box : {deviation, objectSize}) {
            box->hide();
            box->setChecked(false);
        }
        return;
    }
    const bool predicted = state.settings(1).modus == SearchMode::PositionVorherbestimmt &&
                           state.settings(2).modus == SearchMode::PositionVorherbestimmt;
    const bool refine =
        state.settings(1).gezielteZweitsuche && state.settings(2).gezielteZweitsuche;
    deviation->setVisible(predicted);
    if (refine) objectSize->show();
    deviation->setChecked(predicted);
}

}  // namespace zebak::gui
