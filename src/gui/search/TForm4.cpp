#include "gui/search/TForm4.h"

#include <QLabel>
#include <QPixmap>

namespace zebak::gui {

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Suchergebnisse"));
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resize(400, 320);
}

void TForm4::bildLoeschen(int w, int h) {
    bild_ = QImage(qMax(w, 1), qMax(h, 1), QImage::Format_RGB32);
    bild_.fill(Qt::white);
    image1_->setGeometry(0, 0, bild_.width(), bild_.height());
    image1_->setPixmap(QPixmap::fromImage(bild_));
}

}  // namespace zebak::gui
