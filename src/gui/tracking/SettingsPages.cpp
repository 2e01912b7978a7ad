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
        frame->Label2()->setText(QStringLiteral("max. Farbtoleranz:"));
        if (n == 2) frame->withoutLimits();
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
        SearchSettingsFrame* f = SuchEinst(n);
        f->attach(state.settings(n));
        f->rgb().writeColour(state.trace(n).workingColour);
        connect(f->RadioGroup1(), &RadioGroup::Click, this,
                [this, n] { SuchEinstRadioGroup1Click(n); });
        connect(f->CheckBox1(), &QCheckBox::toggled, this,
                [this, n] { SuchEinstCheckBox1Click(n); });
        connect(&f->rgb(), &RgbFields::keyReleased, this,
                [this, n](int k) { SuchEinst1Edit1KeyUp(n, k); });
        const auto index = static_cast<std::size_t>(n - 1);
        f->swatch().offerSample([this, index] { return medians_[index]; },
                                [this, n] { return session_.state().trace(n).workingColour; },
                                [this, n](Rgb c) { takeColour(n, c); });
        // The options' start state decides which fields are offered.
        SuchEinstRadioGroup1Click(n);
        SuchEinstCheckBox1Click(n);
    }
    connect(SuchEinst(1)->RadioGroup2(), &RadioGroup::Click, this,
            &SettingsPages::SuchEinst1RadioGroup2Click);
    // Changing the first group runs its own handler, which shows the tab.
    connect(SuchEinst(2)->RadioGroup2(), &RadioGroup::Click, this,
            [this](int item) { SuchEinst(1)->RadioGroup2()->setItemIndex(item); });
    connect(pages_, &QTabWidget::currentChanged, this, &SettingsPages::PageControl1Change);
    connect(panel3_->RadioGroup1(), &RadioGroup::Click, this, &SettingsPages::RadioGroup1Click);
    connect(panel3_->CheckBox3(), &QCheckBox::toggled, this, &SettingsPages::CheckBox3Click);
}

SearchSettingsFrame* SettingsPages::SuchEinst(SlotNumber slot) const {
    return frames_.at(static_cast<std::size_t>(slot - 1));
}

void SettingsPages::setShown(bool shown) {
    pages_->setVisible(shown);
    panel3_->setVisible(shown);
    panel3_->ScrollBarBremse()->setVisible(shown);
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
    SuchEinst(n)->rgb().writeColour(working);
    state.colour(n).picked = working;
    session_.releasePixelContext();
    Farbanzeige(n);
    if (n == 2) Farbkontrolle();
}

void SettingsPages::takeColour(SlotNumber n, Rgb colour) {
    Measurement& state = session_.state();
    state.trace(n).workingColour = colour;
    SuchEinst(n)->rgb().writeColour(colour);
    state.colour(n).picked = colour;
    Farbanzeige(n);
    if (n == 2) Farbkontrolle();
}

void SettingsPages::Farbkontrolle() {
    // Only colour 1's tolerance counts: colour 2 must not fall inside colour 1's range.
    const Measurement& state = session_.state();
    const int t = state.settings(1).tolerance;
    if (colourMatches(state.trace(2).workingColour, state.trace(1).workingColour, t))
        session_.dialogs().message(pages_->window(), MessageKind::Warning, kAehnlich,
                                   QMessageBox::Ok);
}

void SettingsPages::Farbanzeige(SlotNumber slot) {
    session_.state().colour(slot).assigned = true;
    SuchEinst(slot)->swatch().draw(session_.state().trace(slot).workingColour);
}

void SettingsPages::showColour(SlotNumber slot, bool swatch) {
    SuchEinst(slot)->rgb().writeColour(session_.state().trace(slot).workingColour);
    if (swatch) Farbanzeige(slot);
}

void SettingsPages::SuchEinst1Edit1KeyUp(SlotNumber slot, int k) {
    Measurement& state = session_.state();
    QLineEdit* field = SuchEinst(slot)->rgb().Edit(k);
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
        SuchEinst(n)->rgb().writeColour(state.trace(n).workingColour);
        state.colour(n).picked = state.trace(n).workingColour;
    }
    Farbanzeige(1);
    Farbanzeige(2);
}

// ---- current slot and tabs ---------------------------------------------------------------

void SettingsPages::SuchEinst1RadioGroup2Click(int item) {
    currentSlot_ = item == 0 ? 1 : 2;
    SuchEinst(2)->RadioGroup2()->setItemIndex(item);
    pages_->setCurrentIndex(item != 0 ? 1 : 0);
}

void SettingsPages::PageControl1Change(int index) {
    if (index == 0) SuchEinst(1)->RadioGroup2()->setItemIndex(0);
    if (index == 1) SuchEinst(2)->RadioGroup2()->setItemIndex(1);
}

void SettingsPages::showPage(SlotNumber slot) {
    pages_->setCurrentIndex(slot - 1);
    PageControl1Change(slot - 1);
}

// ---- which options are offered -----------------------------------------------------------

void SettingsPages::SuchEinstRadioGroup1Click(SlotNumber slot) {
    const Measurement& state = session_.state();
    const ResultDisplay& display = state.display;
    const bool predicted = state.settings(slot).mode == SearchMode::Predicted;
    SuchEinst(slot)->showDeviation(predicted);
    if (!predicted) {
        panel3_->CheckBox4()->hide();
        return;
    }
    const bool analysed = slot == 1 ? display.analyseColour1 : display.analyseColour2;
    if (analysed && display.showSearchAreas) panel3_->CheckBox4()->show();
}

void SettingsPages::SuchEinstCheckBox1Click(SlotNumber slot) {
    const Measurement& state = session_.state();
    const bool refine = state.settings(slot).refine;
    SuchEinst(slot)->showSecondSearch(refine);
    if (!refine) {
        panel3_->CheckBox5()->hide();
        return;
    }
    const bool colour2 = slot == 1 || state.display.analyseColour2;
    if (state.display.showSearchAreas && colour2) panel3_->CheckBox5()->show();
}

void SettingsPages::RadioGroup1Click() {
    const bool centre = !session_.state().display.showFoundPixels;
    panel3_->RadioButton1()->setVisible(centre);
    panel3_->RadioButton2()->setVisible(centre);
}

void SettingsPages::CheckBox3Click() {
    const Measurement& state = session_.state();
    QCheckBox* deviation = panel3_->CheckBox4();
    QCheckBox* objectSize = panel3_->CheckBox5();
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
