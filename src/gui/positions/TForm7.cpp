#include "gui/positions/TForm7.h"

namespace zebak::gui {

TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Form7"));
    setWindowState(Qt::WindowMaximized);
}

}  // namespace zebak::gui
