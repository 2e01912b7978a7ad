#include "gui/tracking/RgbFields.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

bool rgbTasteZulassen(int key, const QString& text, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) return true;
    // The edit's own shortcuts: select all, copy, cut, paste, undo, redo. What a paste brings
    // is checked by the edit's validator.
    if (modifiers & Qt::ControlModifier)
        return key == Qt::Key_A || key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V ||
               key == Qt::Key_Z || key == Qt::Key_Y || key == Qt::Key_Insert;
    if ((modifiers & Qt::ShiftModifier) && key == Qt::Key_Insert) return true;
    if (text.isEmpty()) return true;
    const QChar c = text.front();
    return c == QChar(8) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

RgbFields::RgbFields(QWidget* frame) : QObject(frame) {
    const char* labels[] = {"Label6", "Label7", "Label8"};
    const char* edits[] = {"Edit1", "Edit2", "Edit3"};
    const QString texte[] = {QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B")};
    const QString farben[] = {QStringLiteral("red"), QStringLiteral("green"),
                              QStringLiteral("blue")};
    const QString werte[] = {QStringLiteral("200"), QStringLiteral("100"), QStringLiteral("100")};
    for (int k = 0; k < 3; ++k) {
        const int oben = 118 + 28 * k;
        QLabel* l =
            makeLabel(QString::fromLatin1(labels[k]), texte[k], {212, oben + 2, 16, 20}, frame);
        const QString stil = QStringLiteral("color: %1; font-weight: bold;").arg(farben[k]);
        l->setStyleSheet(stil);
        auto* e = new QLineEdit(werte[k], frame);
        e->setObjectName(QString::fromLatin1(edits[k]));
        e->setGeometry(232, oben, 60, 24);
        e->setStyleSheet(stil);
        e->installEventFilter(this);
        // Pasted text must be digits too; values above 255 are refused by
        // the page as typed ones are.
        e->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
        edits_.at(static_cast<std::size_t>(k)) = e;
    }
}

void RgbFields::writeColour(Rgb colour) {
    const int kanaele[] = {colour.r, colour.g, colour.b};
    for (int k = 0; k < 3; ++k) {
        // An unchanged text is left alone, so the cursor of the edit being typed in stays put.
        const QString text = QString::number(kanaele[k]);
        if (channelEdit(k)->text() != text) channelEdit(k)->setText(text);
    }
}

bool RgbFields::eventFilter(QObject* watched, QEvent* event) {
    const bool taste = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    for (int k = 0; k < 3 && taste; ++k) {
        if (watched != channelEdit(k)) continue;
        const auto* t = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress)
            return !rgbTasteZulassen(t->key(), t->text(), t->modifiers());
        // Windows reports one release at the end of a held key; Qt one per repeat.
        if (!t->isAutoRepeat()) Q_EMIT keyReleased(k);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zebak::gui
