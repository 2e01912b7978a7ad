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
    // Taken before the point goes to the calibration, whose last point ends it.
    const bool calibrating = clickMode() != ClickMode::PickColour;
    if (startsSearchArea(point)) return;
    // A running calibration waits for its points here and then picks no colour.
    if (calibrating) return;
    picked_ = point;
    Q_EMIT colourPicked(point);
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
        case ClickMode::CalibrationWaiting:
        case ClickMode::ManualRecord:
            break;
    }
    return false;
}

void DisplayInputRouter::startAreaRectangle(int x, int y) {
    Measurement& s = session_.state();
    s.area.left = s.area.right = x;
    s.area.top = s.area.bottom = y;
    display_->drawAreaRect(x, y, x, y);
    draggingArea_ = true;
}

void DisplayInputRouter::drawArea() {
    const Measurement& s = session_.state();
    display_->drawAreaRect(s.area.left, s.area.top, s.area.right, s.area.bottom);
}

void DisplayInputRouter::displayMouseMoved(QPoint point) {
    if (!draggingArea_) return;
    drawArea();  // erases the last one
    session_.state().area.right = point.x();
    session_.state().area.bottom = point.y();
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
    session_.runControl().stopRequested = true;
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
    Measurement& s = session_.state();
    s.area.left = 0;
    s.area.top = 0;
    s.area.right = s.film.size.width;
    s.area.bottom = s.film.size.height;
    session_.dialogs().message(areaButton_->window(), MessageKind::Information, kGanzesBild,
                               QMessageBox::Ok);
}

void DisplayInputRouter::takeSearchArea() {
    Measurement& s = session_.state();
    if (s.area.right < s.area.left) std::swap(s.area.left, s.area.right);
    if (s.area.bottom < s.area.top) std::swap(s.area.top, s.area.bottom);
    const FrameSize shown = shownSize_;
    if (isReducedDisplay(shown)) {
        // Drawn on the reduced display: back to frame pixels.
        session_.sound().beep();
        const PixelPoint a = displayToFrame({s.area.left, s.area.top}, shown);
        const PixelPoint b = displayToFrame({s.area.right, s.area.bottom}, shown);
        s.area.left = a.x;
        s.area.top = a.y;
        s.area.right = b.x;
        s.area.bottom = b.y;
    }
    const QString question = QStringLiteral("Horizontal%1-%2\n\rVertikal:%3-%4")
                                 .arg(s.area.left)
                                 .arg(s.area.right)
                                 .arg(s.area.top)
                                 .arg(s.area.bottom);
    Dialogs& dialogs = session_.dialogs();
    QWidget* parent = areaButton_->window();
    if (dialogs.message(parent, MessageKind::Information, question,
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        searchWholeFrame();
}

}  // namespace zebak::gui
