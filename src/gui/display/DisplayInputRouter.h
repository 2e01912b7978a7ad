#pragma once

#include <QObject>
#include <QPoint>

#include "core/VideoSize.h"

class QPushButton;

namespace zebak::gui {

class PlayerPanel;
class Session;
class DisplayWindow;

/// What a left click on the display window means next.
enum class ClickMode {
    /// Take the clicked pixel's colour for the current slot.
    PickColour,
    /// Start the search-area rectangle ("Suchgebiet" was confirmed).
    SearchAreaCorner,
    /// The calibration line's start point (Eichschritt 1).
    CalibrationStart,
    /// The calibration line's end point (Eichschritt 2).
    CalibrationEnd,
    /// The origin of the coordinates (Eichschritt 3).
    CalibrationOrigin,
    /// A calibration runs but awaits no click (`EichungLaeuft`): the click picks no colour.
    CalibrationWaiting,
    /// A position recorded by hand (clicks on the manual overlay, not on this window).
    ManualRecord,
};

/// The display window's input: one click mode decides what a left click means; the right
/// button steps one frame; a drag draws the search-area rectangle, which the release takes
/// (scaled from a reduced display) after asking; any key asks a running analysis to stop.
class DisplayInputRouter : public QObject {
    Q_OBJECT
  public:
    DisplayInputRouter(Session& session, PlayerPanel& player, QObject* owner);

    /// Connects the display window's mouse and key events; `areaButton` is "Suchgebiet",
    /// shown disabled while a rectangle is awaited.
    void attach(DisplayWindow* display, QPushButton* areaButton);
    /// The meaning of the next left click: a confirmed search-area selection first, then the
    /// mode set by the command that owns the click (a calibration step), else a colour pick.
    ClickMode clickMode() const { return areaArmed_ ? ClickMode::SearchAreaCorner : mode_; }
    /// The command that owns the next clicks sets what they mean; PickColour gives them back.
    void setClickMode(ClickMode mode) { mode_ = mode; }
    /// The point whose colour was picked last (`KlickX`, `KlickY`), display pixels.
    QPoint pickedPoint() const { return picked_; }
    /// The size of the picture the user clicks in (`Anzeigebreite`, `Anzeigehoehe`): the film's
    /// frame, or the manual overlay's picture while manual capture runs.
    FrameSize shownSize() const { return shownSize_; }
    void setShownSize(FrameSize size) { shownSize_ = size; }
    /// "Suchgebiet": asks, then awaits a rectangle on the display window.
    void suchbereicheinschraenkenClick();

  Q_SIGNALS:
    /// A left click on the display window while a calibration awaits a point (display pixels).
    void calibrationClicked(QPoint point);
    /// A left click picked the colour at `point` (display pixels).
    void colourPicked(QPoint point);

  private:
    /// `Form3MouseDown`.
    void displayMousePressed(Qt::MouseButton button, QPoint point);
    /// Hands a left click to what the click mode gives it to: true when it started the
    /// search-area rectangle; a calibration point is passed on and the click goes on.
    bool startsSearchArea(QPoint point);
    /// The first corner of the search area at (x, y): the rectangle follows the mouse.
    void startAreaRectangle(int x, int y);
    /// `Form3MouseMove`.
    void displayMouseMoved(QPoint point);
    /// `Form3MouseUp`.
    void displayMouseReleased(Qt::MouseButton button, QPoint point);
    void takeSearchArea();
    /// `Form3KeyDown`.
    void displayKeyPressed(int key);
    void cancelSearchArea();
    void searchWholeFrame();
    void drawArea();

    Session& session_;
    PlayerPanel& player_;
    DisplayWindow* display_ = nullptr;
    QPushButton* areaButton_ = nullptr;
    /// True from the confirmed "Suchgebiet" question until the rectangle is released.
    bool areaArmed_ = false;
    /// A search-area rectangle is being dragged on the display window (`RahmenZiehen`).
    bool draggingArea_ = false;
    ClickMode mode_ = ClickMode::PickColour;
    QPoint picked_;
    FrameSize shownSize_;
};

}  // namespace zebak::gui
