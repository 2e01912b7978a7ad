#include "gui/calibration/CalibrationLengthWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "gui/kit/PositionTableModel.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

CalibrationLengthWindow::CalibrationLengthWindow(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Kalibrierung"));
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);
    setGeometry(372, 216, 450, 225);
    setFixedSize(450, 225);
    makeLabel(QStringLiteral("Label1"), QStringLiteral("Welche reale Länge hat die Strecke?"),
              QRect(40, 40, 370, 24), this);
    edit1_ = new QLineEdit(QStringLiteral("0.8"), this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setGeometry(40, 84, 150, 28);
    edit1_->installEventFilter(this);
    makeLabel(QStringLiteral("Label2"), QStringLiteral("m"), QRect(200, 88, 30, 20), this);
    bitBtn1_ = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("OK"), QString(),
                          QRect(170, 150, 110, 40), this);
    bitBtn1_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(bitBtn1_, &QPushButton::clicked, this,
            [this] { Q_EMIT laengeEingegeben(edit1_->text()); });
}

void CalibrationLengthWindow::laengeErfragen() {
    waiting_ = true;
    show();
    raise();
    activateWindow();
    edit1_->setFocus();
    edit1_->selectAll();
}

void CalibrationLengthWindow::finish() {
    waiting_ = false;
    hide();
}

bool CalibrationLengthWindow::eventFilter(QObject* watched, QEvent* event) {
    // Edit1KeyPress: the number-key filter; Enter presses OK.
    if (watched == edit1_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            bitBtn1_->click();
            return true;
        }
        const QString text = numberKey(key->key(), key->text());
        if (text.isEmpty() && !key->text().isEmpty()) return true;  // discarded
        if (text != key->text()) {
            edit1_->insert(text);  // "," typed as "."
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalibrationLengthWindow::closeEvent(QCloseEvent* event) {
    // Only a length ends the wait; the window is hidden by the calibration that waits.
    if (waiting_)
        event->ignore();
    else
        event->accept();
}

}  // namespace zebak::gui
