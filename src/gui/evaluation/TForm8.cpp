#include "gui/evaluation/TForm8.h"

namespace zebak::gui {

TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Auswertung"));
    resize(800, 600);
}

}  // namespace zebak::gui
