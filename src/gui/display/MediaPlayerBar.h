#pragma once

#include <QObject>

class QTimer;
class QWidget;

namespace zebak::gui {

class PlayerPanel;

/// The player's own buttons (MediaPlayer1): play runs at the film's rate, pause and stop both
/// halt where the film stands (nothing rewinds), next goes to the end and previous back to
/// the first frame. Single frames are stepped with the position bar's arrows.
class MediaPlayerBar : public QObject {
    Q_OBJECT
  public:
    /// Builds the bar on the player panel, which must outlive it.
    MediaPlayerBar(PlayerPanel& player, QWidget* panel);

    QWidget* bar() const { return bar_; }
    /// Halts the playback.
    void stop();

  Q_SIGNALS:
    /// A button of the bar was pressed (MediaPlayer1Notify).
    void notified();

  private:
    void play();
    void step();

    PlayerPanel& player_;
    QWidget* bar_ = nullptr;
    QTimer* clock_ = nullptr;
};

}  // namespace zebak::gui
