#include "gui/display/DisplayWindow.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "core/FrameSource.h"
#include "gui/display/FrameImage.h"

namespace zebak::gui {

DisplayWindow::DisplayWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Moves are reported while a rectangle is dragged; a drag holds a button down anyway,
    // but the first corner may follow a plain press.
    setMouseTracking(true);
    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(0, 0, 1, 1);
    panel1_->hide();
    cursorTrap_ = new QTimer(this);
    cursorTrap_->setInterval(10);
    connect(cursorTrap_, &QTimer::timeout, this, &DisplayWindow::releaseCursor);
    resize(320, 240);
}

void DisplayWindow::setSource(const FrameSource* source) {
    source_ = source;
    canvasFrame_ = -1;
    update();
}

void DisplayWindow::setClientSize(int w, int h) { setFixedSize(w, h); }

void DisplayWindow::refreshCanvas() {
    const int bild = source_ != nullptr ? source_->currentFrame() : -1;
    // On a high-density screen the picture is made at the screen's own pixels, so the film is
    // scaled once, and only as far as the window's size requires.
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (!canvas_.isNull() && canvas_.size() == target && canvasFrame_ == bild &&
        canvasSource_ == source_)
        return;
    canvasFrame_ = bild;
    canvasSource_ = source_;
    canvas_ = QImage(target, QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(ratio);
    if (source_ == nullptr || source_->frame().empty()) {
        canvas_.fill(Qt::black);
        return;
    }
    const RgbFrame& f = source_->frame();
    // The image only borrows the frame's bytes until it is converted.
    const QImage image = borrowFrame(f);
    // Smoothed only where the picture shrinks; enlarged, every film pixel stays a sharp block.
    const bool shrinks = target.width() < image.width() || target.height() < image.height();
    if (image.size() == target)
        canvas_ = image.convertToFormat(QImage::Format_RGB32);
    else
        canvas_ = image
                      .scaled(target, Qt::IgnoreAspectRatio,
                              shrinks ? Qt::SmoothTransformation : Qt::FastTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(ratio);
}

void DisplayWindow::paintEvent(QPaintEvent*) {
    refreshCanvas();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

Rgb DisplayWindow::shownPixel(int x, int y) {
    refreshCanvas();
    if (!rect().contains(x, y)) return Rgb{255, 255, 255};
    const qreal ratio = canvas_.devicePixelRatio();
    const QPoint at(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
    if (!canvas_.rect().contains(at)) return Rgb{255, 255, 255};
    const QRgb p = canvas_.pixel(at);
    return Rgb{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
               static_cast<std::uint8_t>(qBlue(p))};
}

std::optional<QPoint> DisplayWindow::framePoint(int x, int y) const {
    if (source_ == nullptr || source_->frame().empty()) return std::nullopt;
    const RgbFrame& frame = source_->frame();
    const QSize shown = size();
    if (shown.isEmpty() || x < 0 || y < 0) return std::nullopt;
    // Products first, then the truncating division, as the display-to-frame mapping does.
    const long long fx = static_cast<long long>(x) * frame.width() / shown.width();
    const long long fy = static_cast<long long>(y) * frame.height() / shown.height();
    return QPoint(static_cast<int>(fx), static_cast<int>(fy));
}

Rgb DisplayWindow::filmPixel(int x, int y) const {
    const std::optional<QPoint> p = framePoint(x, y);
    if (!p) return Rgb{255, 255, 255};
    return source_->frame().rgb(p->x(), p->y());
}

std::optional<Rgb> DisplayWindow::filmMedian(int x, int y) const {
    const std::optional<QPoint> p = framePoint(x, y);
    if (!p) return std::nullopt;
    return medianAround(source_->frame(), p->x(), p->y(), 2);
}

void DisplayWindow::drawAreaRect(int x1, int y1, int x2, int y2) {
    refreshCanvas();
    QPainter p(&canvas_);
    // Not-xor of a white pen inverts the pixels under the dashes; a second pass undoes it.
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    // The outline runs through both corners: a 1-pixel pen draws a rect one wider than it is.
    p.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(0, 0, -1, -1));
    p.end();
    update();
}

void DisplayWindow::confineCursor(bool an) {
    if (an)
        cursorTrap_->start();
    else
        cursorTrap_->stop();
}

bool DisplayWindow::cursorEingeschraenkt() const { return cursorTrap_->isActive(); }

void DisplayWindow::releaseCursor() {
    // Qt cannot confine the cursor to a window; putting it back at once comes close.
    const QRect r = frameGeometry();
    const QPoint p = QCursor::pos();
    const QPoint innen(qBound(r.left(), p.x(), r.right()), qBound(r.top(), p.y(), r.bottom()));
    if (innen != p) QCursor::setPos(innen);
}

QPoint DisplayWindow::toClient(QPoint p) const {
    // A drag that leaves the window still reports its moves; the corner stays inside.
    return {qBound(0, p.x(), width() - 1), qBound(0, p.y(), height() - 1)};
}

void DisplayWindow::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(event->button(), toClient(event->position().toPoint()));
}

void DisplayWindow::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(toClient(event->position().toPoint()));
}

void DisplayWindow::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT mouseReleased(event->button(), toClient(event->position().toPoint()));
}

void DisplayWindow::keyPressEvent(QKeyEvent* event) { Q_EMIT keyPressed(event->key()); }

void DisplayWindow::closeEvent(QCloseEvent* event) {
    if (source_ != nullptr && !programEnds_)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

}  // namespace zebak::gui
