#include "gui/main/SwatchSample.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "gui/search/TFrame1.h"

namespace zebak::gui {

QString medianHint(Rgb colour) {
    return QStringLiteral(
               "Mittlere Farbe der 5×5 Bildpunkte um den letzten Klick: "
               "R %1, G %2, B %3\nRechtsklick übernimmt sie als Suchfarbe.")
        .arg(colour.r)
        .arg(colour.g)
        .arg(colour.b);
}

SwatchSample::SwatchSample(TFrame1* frame, std::function<std::optional<Rgb>()> median,
                           std::function<Rgb()> current, std::function<void(Rgb)> take)
    : QObject(frame),
      frame_(frame),
      median_(std::move(median)),
      current_(std::move(current)),
      take_(std::move(take)) {
    frame_->Image1()->setAttribute(Qt::WA_Hover);
    frame_->Image1()->installEventFilter(this);
}

bool SwatchSample::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<Rgb> sample = median_();
    switch (event->type()) {
        case QEvent::Enter:
            frame_->Image1()->setToolTip(sample ? medianHint(*sample) : QString());
            if (sample) frame_->drawSwatch(*sample);
            break;
        case QEvent::Leave:
            if (sample) frame_->drawSwatch(current_());
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
    return QObject::eventFilter(watched, event);
}

}  // namespace zebak::gui
