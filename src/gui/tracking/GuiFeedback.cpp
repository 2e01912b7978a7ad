#include "gui/tracking/GuiFeedback.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "core/FilmLoad.h"
#include "core/WindowLayout.h"
#include "gui/display/CrossOverlay.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/PlayerPanel.h"
#include "gui/display/ResultWindow.h"
#include "gui/display/SequenceControls.h"
#include "gui/tracking/PositionTables.h"
#include "gui/tracking/SettingsPages.h"

namespace zebak::gui {

namespace {
/// Display window top while a film taller than 288 rows is shown at full size, relative to
/// the main window's top.
constexpr int kVollbildOben = 20;

QRect toQt(const ScreenRect& r) { return {r.x, r.y, r.width, r.height}; }
}  // namespace

ScreenLayoutInput GuiDisplayFeedback::layoutInput() const {
    const Measurement& state = state_;
    ScreenLayoutInput in;
    const QScreen* screen = parts_.mainWindow->screen();
    const QRect available =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    in.screen = {available.x(), available.y(), available.width(), available.height()};
    const QPoint client = parts_.tables->area()->mapToGlobal(QPoint(0, 0));
    in.clientX = client.x();
    in.clientY = client.y();
    const QPoint display = fullSize_ ? displayPos_ : parts_.displayWindow->pos();
    in.displayX = display.x();
    in.displayY = isReducedDisplay({state.film.size.width, state.film.size.height})
                      ? parts_.mainWindow->y() + kVollbildOben
                      : display.y();
    in.frame = {state.film.size.width, state.film.size.height};
    in.tablesShown = parts_.tables->shown();
    // Without a window manager (offscreen, a bare X server) windows have no title bar.
    const QWidget* results = parts_.resultWindow;
    const int measured = results->frameGeometry().height() - results->geometry().height();
    const bool managed = QGuiApplication::platformName() != QStringLiteral("offscreen");
    in.titleBar = std::max(measured, managed ? 30 : 0);
    return in;
}

// The cross layer is a child of the display window, which deletes it.
GuiDisplayFeedback::GuiDisplayFeedback(const Measurement& state, const AnalysisParts& parts)
    : state_(state), parts_(parts), crosses_(new CrossOverlay(parts.displayWindow)) {}

void GuiDisplayFeedback::commandStarted() { resultPlaced_ = false; }

void GuiDisplayFeedback::commandEnded() {
    showAbortButton(false);
    showFoundIndicator(false);
    setBusyCursor(false);
}

void GuiDisplayFeedback::showFound(bool gefunden) {
    const QString text = QString::fromUtf8(gefunden ? kErkannt : kNichtErkannt);
    if (parts_.foundIndicator->text() == text) return;  // no restyling for an unchanged state
    parts_.foundIndicator->setText(text);
    QPalette farbe = parts_.foundIndicator->palette();
    farbe.setColor(QPalette::Window, gefunden ? QColor(0, 128, 0) : QColor(255, 0, 0));
    parts_.foundIndicator->setPalette(farbe);
}

void GuiDisplayFeedback::showAbortButton(bool visible) { parts_.abortButton->setVisible(visible); }

void GuiDisplayFeedback::showFoundIndicator(bool visible) {
    parts_.foundIndicator->setVisible(visible);
}

void GuiDisplayFeedback::setBusyCursor(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void GuiDisplayFeedback::showResultWindow(bool visible) {
    ResultWindow* ergebnis = parts_.resultWindow;
    if (!visible) {
        ergebnis->hide();
        return;
    }
    // Sized and placed once per command; shown again after the second-search question it
    // stays where the user may have moved it.
    // The place comes from the screen: on the screen, clear of the tables and of the display
    // window during the analysis, the picture scaled down where the frame is larger.
    if (!resultPlaced_) {
        const ResultWindowPlace place = placeResultWindow(layoutInput());
        const QRect window = toQt(place.window);
        ergebnis->setClientSize(window.width(), window.height());
        ergebnis->move(window.topLeft());
        parts_.tables->setTablesHeight(place.tablesHeight);
        resultPlaced_ = true;
    }
    ergebnis->show();
    ergebnis->raise();
    ergebnis->pictureChanged();
}

void GuiDisplayFeedback::resultImageChanged() { parts_.resultWindow->pictureChanged(); }

void GuiDisplayFeedback::setDisplayFullSize(bool fullSize) { showFullFrame(fullSize, true); }

void GuiDisplayFeedback::showFullFrame(bool fullSize, bool clearOfTables) {
    DisplayWindow* anzeige = parts_.displayWindow;
    if (fullSize == fullSize_) return;
    if (fullSize) {
        const ScreenLayoutInput in = layoutInput();
        const ScreenRect place = clearOfTables ? analysisDisplay(in) : fullFrameDisplay(in);
        fullSize_ = true;
        displayPos_ = anzeige->pos();
        displaySize_ = anzeige->clientSize();
        // The full frame, scaled to fit left of the tables and above "Abbrechen" where it is
        // larger; the pixels are read from the decoded frame, not from the window.
        anzeige->setClientSize(std::max(place.width, 1), std::max(place.height, 1));
        anzeige->move(place.x, place.y);
    } else {
        fullSize_ = false;
        anzeige->setClientSize(displaySize_.width(), displaySize_.height());
        anzeige->move(displayPos_);
    }
    anzeige->raise();
    anzeige->update();
}

void GuiDisplayFeedback::showDisplayWindow(bool visible) {
    parts_.displayWindow->setVisible(visible);
    if (visible) parts_.displayWindow->update();
}

void GuiDisplayFeedback::paintDisplayCross(int x, int y) { crosses_->addCross(x, y); }

void GuiDisplayFeedback::frameShown(int n) {
    crosses_->frameShownAt(n);
    parts_.displayWindow->update();
}

void GuiDisplayFeedback::endBarMoved(int position) {
    // The bar's change handler goes to that frame and updates the labels.
    parts_.player->sequence().setEndBar(position);
}

GuiTableFeedback::GuiTableFeedback(PositionTables& tables, SettingsPages& pages)
    : tables_(tables), pages_(pages) {}

void GuiTableFeedback::flush() {
    for (SlotNumber slot : {1, 2}) {
        std::vector<int>& rows = pendingRows_[static_cast<std::size_t>(slot - 1)];
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) tables_.refresh(slot, *it);
        if (!rows.empty()) tables_.followRow(slot, rows.back());
        rows.clear();
    }
}

void GuiTableFeedback::workingColourChanged(SlotNumber slot, bool swatch) {
    pages_.showColour(slot, swatch);
}

void GuiTableFeedback::showSettingsPage(SlotNumber slot) { pages_.showPage(slot); }

void GuiTableFeedback::positionTablesPrepared() {
    for (std::vector<int>& rows : pendingRows_) rows.clear();
    tables_.refresh(1, -1);
    tables_.refresh(2, -1);
    tables_.showPrepared();
}

void GuiTableFeedback::positionRowWritten(SlotNumber slot, int row) {
    // Outside a command (nothing would show the row later) the table follows at once.
    if (!collecting_) {
        tables_.refresh(slot, row);
        tables_.followRow(slot, row);
        return;
    }
    pendingRows_[slot == 2 ? 1 : 0].push_back(row);
}

}  // namespace zebak::gui
