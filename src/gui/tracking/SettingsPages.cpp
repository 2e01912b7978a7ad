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
        frame->applyLimits(slotLimits(n));
        frames_.at(static_cast<std::size_t>(n - 1)) = frame;
        pages_->addTab(page, QStringLiteral("Farbe %1").arg(n));
    }
    panel3_ = new ResultDisplayPanel(session_.state().display, area);
    panel3_->setGeometry(773, 8, 233, 364);
    connectControls();
    setShown(false);
}

void SettingsPages::connectControls() {
    Measurement& state = session_.state();
    for (SlotNumber n : {1, 2}) {
        SearchSettingsFrame* f = settingsFrame(n);
        f->attach(state.settings(n));
        f->rgb().writeColour(state.trace(n).workingColour);
        connect(f->radioGroup1(), &RadioGroup::itemChosen, this, [this, n] { modeClicked(n); });
        connect(f->checkBox1(), &QCheckBox::toggled, this, [this, n] { refineClicked(n); });
        connect(&f->rgb(), &RgbFields::keyReleased, this,
                [this, n](int k) { colourValueTyped(n, k); });
        const auto index = static_cast<std::size_t>(n - 1);
        f->swatch().offerSample([this, index] { return medians_[index]; },
                                [this, n] { return session_.state().trace(n).workingColour; },
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

void SettingsPages::showSaved() {
    Measurement& state = session_.state();
    panel3_->showOptions();
    for (SlotNumber n : {1, 2}) {
        settingsFrame(n)->attach(state.settings(n));
        showColour(n, state.colour(n).assigned);
        modeClicked(n);
        refineClicked(n);
    }
    displayModeClicked();
}

void SettingsPages::setShown(bool shown) {
    pages_->setVisible(shown);
    panel3_->setVisible(shown);
    panel3_->brakeBar()->setVisible(shown);
    panel3_->labelbremse()->setVisible(shown);
}

// ---- reference colours -------------------------------------------------------------------

void SettingsPages::clickfarbe(QPoint point) {
    Measurement& state = session_.state();
    session_.openPixelContext();
    const SlotNumber n = currentSlot_;
    showPage(n);
    Rgb& working = state.trace(n).workingColour;
    // The film's own pixel, not the scaled picture's: on the reduced display the picture is
    // a blend of several frame pixels, a colour the searches never see.
    working = display_->filmPixel(point.x(), point.y());
    medians_[static_cast<std::size_t>(n - 1)] = display_->filmMedian(point.x(), point.y());
    settingsFrame(n)->rgb().writeColour(working);
    state.colour(n).picked = working;
    // The region search starts from the object under the click.
    if (const std::optional<QPoint> p = display_->framePoint(point.x(), point.y())) {
        state.colour(n).pickedAtKnown = true;
        state.colour(n).pickedAt = {p->x(), p->y()};
    }
    session_.releasePixelContext();
    showSlotColour(n);
    if (n == 2) checkColourDistance();
}

void SettingsPages::takeColour(SlotNumber n, Rgb colour) {
    Measurement& state = session_.state();
    state.trace(n).workingColour = colour;
    settingsFrame(n)->rgb().writeColour(colour);
    state.colour(n).picked = colour;
    showSlotColour(n);
    if (n == 2) checkColourDistance();
}

void SettingsPages::checkColourDistance() {
    // Only colour 1's tolerance counts: colour 2 must not fall inside colour 1's range.
    const Measurement& state = session_.state();
    const int t = state.settings(1).tolerance;
    if (colourMatches(state.trace(2).workingColour, state.trace(1).workingColour, t))
        session_.dialogs().message(pages_->window(), MessageKind::Warning, kAehnlich,
                                   QMessageBox::Ok);
}

void SettingsPages::showSlotColour(SlotNumber slot) {
    session_.state().colour(slot).assigned = true;
    settingsFrame(slot)->swatch().draw(session_.state().trace(slot).workingColour);
}

void SettingsPages::showColour(SlotNumber slot, bool swatch) {
    settingsFrame(slot)->rgb().writeColour(session_.state().trace(slot).workingColour);
    if (swatch) showSlotColour(slot);
}

void SettingsPages::colourValueTyped(SlotNumber slot, int k) {
    Measurement& state = session_.state();
    QLineEdit* field = settingsFrame(slot)->rgb().channelEdit(k);
    std::uint8_t& value = channel(state.trace(slot).workingColour, k);
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
    Measurement& state = session_.state();
    for (SlotNumber n : {1, 2}) {
        settingsFrame(n)->rgb().writeColour(state.trace(n).workingColour);
        state.colour(n).picked = state.trace(n).workingColour;
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
    const Measurement& state = session_.state();
    const ResultDisplay& display = state.display;
    const bool predicted = state.settings(slot).mode == SearchMode::Predicted;
    settingsFrame(slot)->showDeviation(predicted);
    if (!predicted) {
        panel3_->checkBox4()->hide();
        return;
    }
    const bool analysed = slot == 1 ? display.analyseColour1 : display.analyseColour2;
    if (analysed && display.showSearchAreas) panel3_->checkBox4()->show();
}

void SettingsPages::refineClicked(SlotNumber slot) {
    const Measurement& state = session_.state();
    const bool refine = state.settings(slot).refine;
    settingsFrame(slot)->showSecondSearch(refine);
    if (!refine) {
        panel3_->checkBox5()->hide();
        return;
    }
    const bool colour2 = slot == 1 || state.display.analyseColour2;
    if (state.display.showSearchAreas && colour2) panel3_->checkBox5()->show();
}

void SettingsPages::displayModeClicked() {
    const bool centre = !session_.state().display.showFoundPixels;
    panel3_->radioButton1()->setVisible(centre);
    panel3_->radioButton2()->setVisible(centre);
}

void SettingsPages::checkBox3Clicked() {
    const Measurement& state = session_.state();
    QCheckBox* deviation = panel3_->checkBox4();
    QCheckBox* objectSize = panel3_->checkBox5();
    if (!state.display.showSearchAreas) {
        for (QCheckBox* box : {deviation, objectSize}) {
            box->hide();
            box->setChecked(false);
        }
        return;
    }
    const bool predicted = state.settings(1).mode == SearchMode::Predicted &&
                           state.settings(2).mode == SearchMode::Predicted;
    const bool refine = state.settings(1).refine && state.settings(2).refine;
    deviation->setVisible(predicted);
    if (refine) objectSize->show();
    deviation->setChecked(predicted);
}

}  // namespace zebak::gui
