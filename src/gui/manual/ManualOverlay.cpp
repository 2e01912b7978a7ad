#include "gui/manual/ManualOverlay.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/FrameSource.h"
#include "gui/display/FrameImage.h"

namespace zebak::gui {

ManualOverlay::ManualOverlay(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Form7"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the live coordinates follow the mouse without a button held
    setWindowState(Qt::WindowMaximized);
}

void ManualOverlay::setSource(const FrameSource* source) {
    source_ = source;
    shownFrame_ = -1;
    update();
}

PictureRect ManualOverlay::picture() const {
    if (source_ == nullptr || source_->frame().empty()) return {};
    const RgbFrame& f = source_->frame();
    return letterbox({f.width(), f.height()}, {width(), height()});
}

const QImage& ManualOverlay::shownPicture() {
    const PictureRect r = picture();
    const int frame = source_ != nullptr ? source_->currentFrame() : -1;
    const QSize size(r.width, r.height);
    if (shownSource_ == source_ && shownFrame_ == frame && shownSize_ == size) return shown_;
    shownSource_ = source_;
    shownFrame_ = frame;
    shownSize_ = size;
    if (size.isEmpty()) {
        shown_ = QImage();
        return shown_;
    }
    // The image only borrows the frame's bytes until it is scaled.
    shown_ = borrowFrame(source_->frame())
                 .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_RGB32);
    return shown_;
}

void ManualOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const PictureRect r = picture();
    const QImage& image = shownPicture();
    if (!image.isNull()) painter.drawImage(r.left, r.top, image);
}

void ManualOverlay::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const std::optional<PixelPoint> inPicture = screenToPicture({p.x(), p.y()}, picture());
    Q_EMIT mousePressed(event->button(), inPicture ? QPoint(inPicture->x, inPicture->y) : QPoint(),
                        inPicture.has_value());
}

void ManualOverlay::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const std::optional<PixelPoint> inPicture = screenToPicture({p.x(), p.y()}, picture()))
        Q_EMIT mouseMoved(QPoint(inPicture->x, inPicture->y));
}

void ManualOverlay::closeEvent(QCloseEvent* event) {
    // The overlay goes with the window "Manuell", which puts the main window back.
    if (isVisible()) {
        event->ignore();
        Q_EMIT schliessenGewuenscht();
        return;
    }
    event->accept();
}

}  // namespace zebak::gui
