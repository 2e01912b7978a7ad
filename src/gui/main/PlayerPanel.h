#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QLabel;
class QScrollBar;
class QSpinBox;
class QTimer;
class QToolButton;
class QWidget;

namespace zebak::gui {

class MediaPlayerBar;
class Session;
class TForm3;
class TForm6;

/// The player panel of the main window (Panel1): the player's own buttons, the position bar,
/// the bars of the restricted sequence, range playback, the frame labels, "Bilder/s" and the
/// timer that keeps the position bar in step with the film. Every move of the film goes
/// through it, so the display window follows.
class PlayerPanel : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden panel on `area`; the session must outlive it.
    PlayerPanel(Session& session, QWidget* area, QObject* owner);

    /// The display window redrawn after each move and the manual window's frame label.
    void setWindows(TForm3* display, TForm6* manual);
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
    /// The end bar of the restricted sequence moves to `position` (its handler follows).
    void setEndBar(int position);
    /// The start bar of the restricted sequence moves to `position` (its handler follows).
    void setStartBar(int position);
    /// Stops the player's own playback.
    void stopPlayer();
    /// "Zeiten aus dem Film" set by the program (after the question on loading an unevenly
    /// spaced film); the state follows.
    void setTimesFromFilm(bool on);
    /// The film's own rate, frames per second; 0 without a film or when it gives none.
    double filmRate() const;
    /// Filmerscheine: redraws the current frame by going to the end and back.
    void Filmerscheine();
    /// True when the current frame shows a picture (not one flat colour along the diagonal).
    bool filmSichtbar() const;

  private:
    /// One step of range playback: the next frame, the bar, the brake's pause. False when
    /// the playback is to stop (stop button, end bar, end of the film).
    bool playNextFrame();
    void buildBars();
    void buildRangePlayback();
    void Bildnummer();
    void setFrameLabels(int position);
    void ScrollBar1Scroll();
    void ScrollBar2Change(int position);
    void ScrollBar3Change(int position);
    void SpeedButton2Click();
    void Timer1Timer();
    void MediaPlayer1Notify();

    Session& session_;
    TForm3* display_ = nullptr;
    TForm6* manual_ = nullptr;
    QWidget* panel_ = nullptr;
    MediaPlayerBar* mediaPlayer_ = nullptr;
    QScrollBar* position_ = nullptr;
    QScrollBar* rangeStart_ = nullptr;
    QScrollBar* rangeEnd_ = nullptr;
    QLabel* frameLabel_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    QToolButton* playRangeButton_ = nullptr;
    QSpinBox* frameRate_ = nullptr;
    QCheckBox* timesFromFilm_ = nullptr;
    QTimer* barTimer_ = nullptr;
};

}  // namespace zebak::gui
