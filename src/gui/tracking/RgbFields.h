#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "core/Colour.h"

class QEvent;
class QLineEdit;
class QWidget;

namespace zebak::gui {

/// The typed reference colour of a settings frame: the red, green and blue edits (Edit1,
/// Edit2, Edit3) with their captions (Label6, Label7, Label8). Only digits reach the edits,
/// typed or pasted; every release of a key in one of them is reported with its channel.
class RgbFields : public QObject {
    Q_OBJECT
  public:
    /// Builds the captions and edits on `frame` with the start colour 200, 100, 100.
    explicit RgbFields(QWidget* frame);

    /// Writes the colour into the edits as decimal numbers.
    void writeColour(Rgb colour);
    /// Edit1, Edit2, Edit3: the red, green and blue edit (kanal 0, 1, 2) (`Edit`).
    QLineEdit* channelEdit(int kanal) const { return edits_.at(static_cast<std::size_t>(kanal)); }

  Q_SIGNALS:
    /// A key was released in the edit of the channel (0 red, 1 green, 2 blue).
    void keyReleased(int kanal);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QLineEdit*, 3> edits_{};
};

/// The key filter of the RGB edits: digits and backspace pass, as do keys that type no
/// character (arrows, Delete), focus keys and the edit's own shortcuts (Ctrl+A, C, X, V, Z,
/// Y, Ctrl/Shift+Insert); every other key is discarded.
bool rgbTasteZulassen(int key, const QString& text,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace zebak::gui
