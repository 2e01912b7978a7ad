#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QScrollBar;
class QTimer;
class QWidget;

namespace zebak::gui {

class FilmTimeFields;
class MediaPlayerBar;
class SequenceControls;
class Session;
class DisplayWindow;

/// The player panel of the main window (Panel1): the player's own buttons, the position bar
/// with the frame label, the restricted sequence with range playback, the film's timing and
/// the timer that keeps the position bar in step with the film. Every move of the film goes
/// through it, so the display window follows.
class PlayerPanel : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden panel on `area`; the session must outlive it.
    PlayerPanel(Session& session, QWidget* area, QObject* owner);

    /// The display window redrawn after each move, and where the manual window's frame label
    /// is told the current frame (Label3 of `TForm6`).
    void setWindows(DisplayWindow* display, std::function<void(int)> showManualFrame);
    QWidget* panel() const { return panel_; }

    /// Moves the film to frame n (clamped by the film); a film that breaks off is reported
    /// once and stops any playback.
    void goToFrame(int n);
    /// The film's position and frame count (0 without a film).
    int currentFrame() const;
    int frameCount() const;
    /// A film was loaded and the state set up for it: bars, labels, rate and the size text.
    void filmLoaded(const QString& sizeText);
    /// Shows the panel after a load and runs the film to its end and back to the bar.
    void showAfterLoad();
    /// Goes to frame `position` with the position bar and Label1 following at once.
    void showFrame(int position);
    /// Moves the position bar to the film's current frame (Label1 follows at the next tick).
    void followFilm();
    /// The bars of the restricted sequence and range playback.
    SequenceControls& sequence() const { return *sequence_; }
    /// Stops the player's own playback.
    void stopPlayer();
    /// "Bilder/s", the size text and "Zeiten aus dem Film".
    FilmTimeFields& times() const { return *times_; }
    /// The film's own rate, frames per second; 0 without a film or when it gives none.
    double filmRate() const;
    /// Filmerscheine: redraws the current frame by going to the end and back.
    void makeFilmAppear();
    /// True when the current frame shows a picture (not one flat colour along the diagonal).
    bool filmSichtbar() const;

  private:
    /// `Bildnummer`.
    void showFrameNumber();
    /// `ScrollBar1Scroll`.
    void positionBarScrolled();
    /// `Timer1Timer`.
    void barTimerTicked();
    /// `MediaPlayer1Notify`.
    void playerNotified();

    Session& session_;
    DisplayWindow* display_ = nullptr;
    std::function<void(int)> showManualFrame_;
    QWidget* panel_ = nullptr;
    MediaPlayerBar* mediaPlayer_ = nullptr;
    QScrollBar* position_ = nullptr;
    QLabel* frameLabel_ = nullptr;
    SequenceControls* sequence_ = nullptr;
    FilmTimeFields* times_ = nullptr;
    QTimer* barTimer_ = nullptr;
};

}  // namespace zebak::gui
