#include "gui/positions/TForm5.h"

namespace zebak::gui {

TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Kalibrierung"));
    resize(300, 120);
}

}  // namespace zebak::gui
