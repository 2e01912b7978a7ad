#pragma once

#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace zebak::gui {

/// A push button with its object name, caption, hint and place on the parent.
QPushButton* makeButton(const QString& name, const QString& text, const QString& hint,
                        const QRect& place, QWidget* parent);
/// A raised panel that paints its own background.
QFrame* makePanel(QWidget* parent);
/// A label with its object name, text and place on the parent.
QLabel* makeLabel(const QString& name, const QString& text, const QRect& place, QWidget* parent);

/// Gives the widget its font in bold at `points` points (the large buttons).
void setBoldFont(QWidget* widget, int points);

/// Waits ms milliseconds while the program keeps handling events (at least once; a pause of
/// 0 lasts until the millisecond clock has moved on).
void pauseWithEvents(int ms);

}  // namespace zebak::gui
