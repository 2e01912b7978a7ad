#include "gui/kit/Cursors.h"

#include <QApplication>
#include <QPixmap>
#include <QString>

namespace zebak::gui {

QCursor programCursor(int number) {
    struct Shape {
        int number;
        int hotX;
        int hotY;
    };
    static constexpr Shape kShapes[] = {{1, 16, 15}, {2, 15, 15}, {3, 15, 15}, {6, 9, 9}};
    for (const Shape& shape : kShapes)
        if (shape.number == number)
            return QCursor(QPixmap(QStringLiteral(":/cursors/cursor%1.png").arg(number)),
                           shape.hotX, shape.hotY);
    return QCursor(Qt::ArrowCursor);
}

void MeasuringCursor::set(bool on) {
    if (on == on_) return;
    on_ = on;
    if (on)
        QApplication::setOverrideCursor(measuringCursor());
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace zebak::gui
