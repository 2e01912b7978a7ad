#pragma once

#include <QObject>

class QLabel;
class QScrollBar;
class QToolButton;
class QWidget;

namespace zebak::gui {

class PlayerPanel;
class Session;

/// The restricted sequence on the player panel: its start and end bars (ScrollBar2 with
/// Label2, ScrollBar3 with Label3; the start never passes the end) and range playback, which
/// plays the sequence through the brake's pauses until the end bar, the stop button
/// (SpeedButton1, shown under the play button SpeedButton2 while it plays) or the film's end.
class SequenceControls : public QObject {
    Q_OBJECT
  public:
    /// Builds the bars, their labels and the two buttons on `panel`; the session and the
    /// player must outlive them.
    SequenceControls(Session& session, PlayerPanel& player, QWidget* panel);

    /// Asks a running range playback to stop at its next frame (`AbspielenStopp`).
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }

    /// A film of `count` frames was loaded: the bars span it, the sequence is all of it.
    void filmLoaded(int count);
    /// Writes the bars' labels for a freshly shown film of `count` frames.
    void showLabels(int count);
    /// The end bar moves to `position` (its handler follows).
    void setEndBar(int position);
    /// The start bar moves to `position` (its handler follows).
    void setStartBar(int position);

  private:
    void buildButtons(QWidget* panel);
    /// One step of range playback: the next frame, the bar, the brake's pause. False when
    /// the playback is to stop (stop button, end bar, end of the film).
    bool playNextFrame();
    /// `ScrollBar2Change`.
    void startBarChanged(int position);
    /// `ScrollBar3Change`.
    void endBarChanged(int position);
    /// `SpeedButton2Click`.
    void playRangeClicked();

    Session& session_;
    PlayerPanel& player_;
    QScrollBar* rangeStart_ = nullptr;
    QScrollBar* rangeEnd_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    QToolButton* playRangeButton_ = nullptr;
    /// The stop request of the range playback.
    bool stopRequested_ = false;
};

}  // namespace zebak::gui
