#include "gui/positions/TForm6.h"

#include <QLabel>

namespace zebak::gui {

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Manuell"));
    label3_ = new QLabel(QStringLiteral("0"), this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setGeometry(8, 8, 80, 17);
    resize(240, 200);
}

}  // namespace zebak::gui
