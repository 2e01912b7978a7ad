#include "gui/display/DisplayInputRouter.h"

#include <QApplication>
#include <QPushButton>
#include <utility>

#include "core/FilmLoad.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/PlayerPanel.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"

namespace zebak::gui {

namespace {
const QString kEinschraenken = QStringLiteral(
    "Möchten Sie den Suchbereich einschränken? Dann ziehen Sie bitte einen Markierungsrahmen "
    "auf dem Video.");
const QString kGanzesBild =
    QStringLiteral("Abbruch: Das Programm untersucht den ganzen Bildbereich");
}  // namespace

DisplayInputRouter::DisplayInputRouter(Session& session, PlayerPanel& player, QObject* owner)
    : QObject(owner), session_(session), player_(player) {}

void DisplayInputRouter::attach(DisplayWindow* display, QPushButton* areaButton) {
    display_ = display;
    areaButton_ = areaButton;
    connect(display, &DisplayWindow::mousePressed, this, &DisplayInputRouter::displayMousePressed);
    connect(display, &DisplayWindow::mouseMoved, this, &DisplayInputRouter::displayMouseMoved);
    connect(display, &DisplayWindow::mouseReleased, this,
            &DisplayInputRouter::displayMouseReleased);
    connect(display, &DisplayWindow::keyPressed, this, &DisplayInputRouter::displayKeyPressed);
    connect(areaButton, &QPushButton::clicked, this,
            &DisplayInputRouter::suchbereicheinschraenkenClick);
}

ClickMode DisplayInputRouter::clickMode() const {
    if (areaArmed_) return ClickMode::SearchAreaCorner;
    switch (session_.state().Eichschritt) {
        case 1:
            return ClickMode::CalibrationStart;
        case 2:
            return ClickMode::CalibrationEnd;
        case 3:
            return ClickMode::CalibrationOrigin;
        default:
            return ClickMode::PickColour;
    }
}

void DisplayInputRouter::suchbereicheinschraenkenClick() {
    if (session_.dialogs().message(areaButton_->window(), MessageKind::Information, kEinschraenken,
                                   QMessageBox::Yes | QMessageBox::Abort) == QMessageBox::Abort)
        return;
    areaArmed_ = true;
    areaButton_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    display_->confineCursor(true);
}

void DisplayInputRouter::displayMousePressed(Qt::MouseButton button, QPoint point) {
    if (button == Qt::RightButton) {
        player_.goToFrame(player_.currentFrame() + 1);
        return;
    }
    ProgramState& s = session_.state();
    // Taken before the point goes to the calibration, whose last point ends it.
    const bool calibrating = s.EichungLaeuft != 0;
    if (startsSearchArea(point)) return;
    // A running calibration waits for its points here and then picks no colour.
    if (calibrating) return;
    s.KlickX = point.x();
    s.KlickY = point.y();
    Q_EMIT colourPicked();
}

bool DisplayInputRouter::startsSearchArea(QPoint point) {
    switch (clickMode()) {
        case ClickMode::SearchAreaCorner:
            startAreaRectangle(point.x(), point.y());
            return true;
        case ClickMode::CalibrationStart:
        case ClickMode::CalibrationEnd:
        case ClickMode::CalibrationOrigin:
            // The running calibration takes the point (in display pixels) and stores it.
            Q_EMIT calibrationClicked(point);
            return false;
        case ClickMode::PickColour:
        case ClickMode::ManualRecord:
            break;
    }
    return false;
}

void DisplayInputRouter::startAreaRectangle(int x, int y) {
    ProgramState& s = session_.state();
    s.SuchbereichLinks = s.SuchbereichRechts = x;
    s.SuchbereichOben = s.SuchbereichUnten = y;
    display_->drawAreaRect(x, y, x, y);
    draggingArea_ = true;
}

void DisplayInputRouter::drawArea() {
    const ProgramState& s = session_.state();
    display_->drawAreaRect(s.SuchbereichLinks, s.SuchbereichOben, s.SuchbereichRechts,
                           s.SuchbereichUnten);
}

void DisplayInputRouter::displayMouseMoved(QPoint point) {
    if (!draggingArea_) return;
    drawArea();  // erases the last one
    session_.state().SuchbereichRechts = point.x();
    session_.state().SuchbereichUnten = point.y();
    drawArea();
}

void DisplayInputRouter::displayMouseReleased(Qt::MouseButton, QPoint) {
    // Only the release that ends a drawn rectangle ends the selection: the release of a right
    // click, which steps a frame, leaves the selection armed. The corner is the last move's.
    if (!areaArmed_ || !draggingArea_) return;
    draggingArea_ = false;
    areaArmed_ = false;
    QApplication::restoreOverrideCursor();
    areaButton_->setEnabled(true);
    drawArea();
    display_->confineCursor(false);
    takeSearchArea();
}

void DisplayInputRouter::displayKeyPressed(int key) {
    // Any key stops a running analysis; Escape also gives up an armed search-area selection.
    session_.state().Abbruch = true;
    if (key == Qt::Key_Escape && areaArmed_) cancelSearchArea();
}

void DisplayInputRouter::cancelSearchArea() {
    // As the answer No to the area question: the mouse is free and the whole frame is searched.
    if (draggingArea_) drawArea();  // erases the rectangle being drawn
    draggingArea_ = false;
    areaArmed_ = false;
    QApplication::restoreOverrideCursor();
    areaButton_->setEnabled(true);
    display_->confineCursor(false);
    searchWholeFrame();
}

void DisplayInputRouter::searchWholeFrame() {
    ProgramState& s = session_.state();
    s.SuchbereichLinks = 0;
    s.SuchbereichOben = 0;
    s.SuchbereichRechts = s.Videobreite;
    s.SuchbereichUnten = s.Videohoehe;
    session_.dialogs().message(areaButton_->window(), MessageKind::Information, kGanzesBild,
                               QMessageBox::Ok);
}

void DisplayInputRouter::takeSearchArea() {
    ProgramState& s = session_.state();
    if (s.SuchbereichRechts < s.SuchbereichLinks)
        std::swap(s.SuchbereichLinks, s.SuchbereichRechts);
    if (s.SuchbereichUnten < s.SuchbereichOben) std::swap(s.SuchbereichOben, s.SuchbereichUnten);
    const FrameSize shown{s.Anzeigebreite, s.Anzeigehoehe};
    if (isReducedDisplay(shown)) {
        // Drawn on the reduced display: back to frame pixels.
        session_.sound().beep();
        const PixelPoint a = displayToFrame({s.SuchbereichLinks, s.SuchbereichOben}, shown);
        const PixelPoint b = displayToFrame({s.SuchbereichRechts, s.SuchbereichUnten}, shown);
        s.SuchbereichLinks = a.x;
        s.SuchbereichOben = a.y;
        s.SuchbereichRechts = b.x;
        s.SuchbereichUnten = b.y;
    }
    const QString question = QStringLiteral("Horizontal%1-%2\n\rVertikal:%3-%4")
                                 .arg(s.SuchbereichLinks)
                                 .arg(s.SuchbereichRechts)
                                 .arg(s.SuchbereichOben)
                                 .arg(s.SuchbereichUnten);
    Dialogs& dialogs = session_.dialogs();
    QWidget* parent = areaButton_->window();
    if (dialogs.message(parent, MessageKind::Information, question,
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        searchWholeFrame();
}

}  // namespace zebak::gui
