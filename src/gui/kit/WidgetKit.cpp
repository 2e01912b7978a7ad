#include "gui/kit/WidgetKit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QThread>

namespace zebak::gui {

QPushButton* makeButton(const QString& name, const QString& text, const QString& hint,
                        const QRect& place, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setGeometry(place);
    return button;
}

QFrame* makePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* makeLabel(const QString& name, const QString& text, const QRect& place, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

void pauseWithEvents(int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Long pauses need not spin the processor; a millisecond nap keeps the window lively.
        if (ms - clock.elapsed() > 2) QThread::msleep(1);
    } while (clock.elapsed() <= ms);
}

void setBoldFont(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(points);
    font.setBold(true);
    widget->setFont(font);
}

}  // namespace zebak::gui
