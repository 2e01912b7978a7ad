#pragma once

#include <QWidget>

namespace zebak::gui {

/// Evaluation window: kinematics tables, diagrams, trend line and export.
class TForm8 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm8(QWidget* parent = nullptr);
};

}  // namespace zebak::gui
