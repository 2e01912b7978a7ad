#pragma once

#include <QWidget>

namespace zebak::gui {

/// Calibration length window: asks for the real length of the calibration line.
class TForm5 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm5(QWidget* parent = nullptr);
};

}  // namespace zebak::gui
