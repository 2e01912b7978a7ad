#pragma once

#include <QObject>
#include <QString>
#include <map>

class QSoundEffect;

namespace zebak::gui {

/// Plays the program's three short WAVE clips ("SNDFEHLER", "SNDFEHLER2", "SNDGEFUNDEN").
class Sound : public QObject {
    Q_OBJECT
  public:
    explicit Sound(QObject* parent = nullptr);

    /// Starts the clip of that name (any letter case) without waiting; an unknown name
    /// does nothing. Without an audio device the clip stays silent.
    void play(const QString& name);
    /// True when a clip of that name is built into the program.
    static bool exists(const QString& name);
    /// Name of the clip play() started last (upper case), empty before the first; lets the
    /// program and its tests see what was asked for even where nothing can be heard.
    const QString& lastPlayed() const { return lastPlayed_; }

    /// The short system beep (for refused input and doubtful frames).
    void beep();
    /// Number of beeps sounded so far; the tests listen through it.
    int beeps() const { return beeps_; }

  private:
    std::map<QString, QSoundEffect*> effects_;
    QString lastPlayed_;
    int beeps_ = 0;
};

/// Makes the program's built-in resources (clips, pictures) available; call once at start.
void initResources();

}  // namespace zebak::gui
