#include "gui/search/TForm3.h"

#include <QImage>
#include <QPainter>

#include "core/FrameSource.h"

namespace zebak::gui {

TForm3::TForm3(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(0, 0, 1, 1);
    panel1_->hide();
    resize(320, 240);
}

void TForm3::setSource(const FrameSource* source) {
    source_ = source;
    update();
}

void TForm3::setClientSize(int w, int h) { setFixedSize(w, h); }

void TForm3::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (source_ == nullptr || source_->frame().empty()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const RgbFrame& f = source_->frame();
    // The image only borrows the frame's bytes for the length of this paint.
    const QImage image(f.bytes().data(), f.width(), f.height(), f.width() * 3,
                       QImage::Format_RGB888);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, size() != image.size());
    painter.drawImage(rect(), image);
}

}  // namespace zebak::gui
