#pragma once

#include <QWidget>

class QLabel;

namespace zebak::gui {

/// Manual capture control window: frame number, stepping, calibration during hand capture.
class TForm6 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm6(QWidget* parent = nullptr);

    /// Frame number label that the main window keeps in step with the film.
    QLabel* Label3() const { return label3_; }

  private:
    QLabel* label3_ = nullptr;
};

}  // namespace zebak::gui
