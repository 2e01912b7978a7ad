#include "gui/tracking/ColourSwatch.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace zebak::gui {

namespace {
/// The swatch is a square of this many pixels.
constexpr int kFarbfeld = 97;
}  // namespace

QString medianHint(Rgb colour) {
    return QStringLiteral(
               "Mittlere Farbe der 5×5 Bildpunkte um den letzten Klick: "
               "R %1, G %2, B %3\nRechtsklick übernimmt sie als Suchfarbe.")
        .arg(colour.r)
        .arg(colour.g)
        .arg(colour.b);
}

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setGeometry(206, 8, kFarbfeld + 4, kFarbfeld + 4);
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(2, 2, kFarbfeld, kFarbfeld);
}

void ColourSwatch::draw(Rgb colour) {
    QPixmap bild(kFarbfeld, kFarbfeld);
    bild.fill(palette().color(QPalette::Button));
    QPainter p(&bild);
    // The colour bar from (7, 7) to (20, 88), the right and bottom edge excluded.
    const QRect balken(7, 7, 13, 81);
    p.fillRect(balken, QColor(colour.r, colour.g, colour.b));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(balken.adjusted(0, 0, -1, -1));
    // Tracks 5 pixels wide from x 30 to 81; a full channel (255 div 5 = 51) fills its track.
    const int zeilen[] = {18, 50, 79};
    const int werte[] = {colour.r, colour.g, colour.b};
    const QColor farben[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255)};
    for (int k = 0; k < 3; ++k) {
        p.setPen(QPen(palette().color(QPalette::Base), 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(30, zeilen[k], 81, zeilen[k]);
        const int ende = 30 + werte[k] / 5;
        if (werte[k] == 0 || ende == 30) continue;  // no bar, or one of length 0
        p.setPen(QPen(farben[k], 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(30, zeilen[k], ende, zeilen[k]);
    }
    p.end();
    image1_->setPixmap(bild);
}

void ColourSwatch::offerSample(std::function<std::optional<Rgb>()> median,
                               std::function<Rgb()> current, std::function<void(Rgb)> take) {
    median_ = std::move(median);
    current_ = std::move(current);
    take_ = std::move(take);
    image1_->setAttribute(Qt::WA_Hover);
    image1_->installEventFilter(this);
}

bool ColourSwatch::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<Rgb> sample = median_();
    switch (event->type()) {
        case QEvent::Enter:
            image1_->setToolTip(sample ? medianHint(*sample) : QString());
            if (sample) draw(*sample);
            break;
        case QEvent::Leave:
            if (sample) draw(current_());
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && sample) {
                take_(*sample);
                return true;
            }
            break;
        default:
            break;
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace zebak::gui
