#pragma once

#include <QWidget>

namespace zebak::gui {

/// Manual overlay: a borderless full-screen window on which positions are clicked by hand.
class TForm7 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm7(QWidget* parent = nullptr);
};

}  // namespace zebak::gui
