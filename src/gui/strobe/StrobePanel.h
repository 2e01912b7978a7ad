#pragma once

#include <QObject>

#include "core/Stroboscope.h"

class QCheckBox;
class QPushButton;
class QWidget;

namespace zebak::gui {

/// The stroboscope panel Panel4 of the main window: the button "Stroboskopbild" and the
/// check boxes "Objekte Einfarbig?", "Mit Rand?" and "Mittelpunktsfarbe?" in silver on black.
class StrobePanel : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden panel Panel4 on `area` with the button and the check boxes.
    StrobePanel(QWidget* area, QObject* owner);

    /// Shows the panel at (5, 600) (mode on) or hides it (mode off).
    void setModeShown(bool on);
    /// How the picture marks each position, as the check boxes say.
    StroboOptions options() const;
    QPushButton* startButton() const { return start_; }

  private:
    QWidget* panel_;
    QPushButton* start_ = nullptr;
    QCheckBox* einfarbig_ = nullptr;
    QCheckBox* rand_ = nullptr;
    QCheckBox* mittelpunkt_ = nullptr;
};

}  // namespace zebak::gui
