#include "gui/display/CrossOverlay.h"

#include <QEvent>
#include <QPainter>

#include "core/FrameSource.h"
#include "gui/display/DisplayWindow.h"

namespace zebak::gui {

CrossOverlay::CrossOverlay(DisplayWindow* anzeige) : QWidget(anzeige), anzeige_(anzeige) {
    setObjectName(QStringLiteral("Kreuze"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(anzeige->rect());
    anzeige->installEventFilter(this);
    show();
}

void CrossOverlay::addCross(int x, int y) {
    const FrameSource* film = anzeige_->source();
    if (film == nullptr) return;
    frameShownAt(film->currentFrame());
    marks_.emplace_back(x, y);
    update();
}

void CrossOverlay::frameShownAt(int n) {
    if (n == bild_) return;
    bild_ = n;
    if (!marks_.empty()) update();
    marks_.clear();
}

bool CrossOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == anzeige_ && event->type() == QEvent::Resize) setGeometry(anzeige_->rect());
    return QWidget::eventFilter(watched, event);
}

void CrossOverlay::paintEvent(QPaintEvent*) {
    const FrameSource* film = anzeige_->source();
    if (marks_.empty() || film == nullptr || film->currentFrame() != bild_) return;
    // The film's size, not its frame's: reading the frame would convert all its pixels.
    const int fw = film->width();
    const int fh = film->height();
    if (fw <= 0 || fh <= 0) return;
    // Frame pixels to window pixels: 1:1 at full size, scaled on the reduced display.
    const double sx = static_cast<double>(width()) / fw;
    const double sy = static_cast<double>(height()) / fh;
    QPainter painter(this);
    const auto punkt = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= fw || y >= fh) return;  // parts off the frame are not drawn
        painter.fillRect(QRectF(x * sx, y * sy, sx, sy), Qt::white);
    };
    for (const QPoint& k : marks_) {
        for (int d = -2; d <= 2; ++d) {
            punkt(k.x() + d, k.y());
            punkt(k.x(), k.y() + d);
        }
    }
}

}  // namespace zebak::gui
