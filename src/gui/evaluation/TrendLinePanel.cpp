#include "gui/evaluation/TrendLinePanel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Diagrams.h"
#include "gui/evaluation/EvaluationView.h"

namespace zebak::gui {

namespace {
const QString kAus = QStringLiteral("Trendlinie aus");
const QString kAn = QStringLiteral("Trendlinie an");
}  // namespace

StrengthSpinBox::StrengthSpinBox(QWidget* parent) : QSpinBox(parent) {
    setRange(1, 9);
    setSingleStep(2);
    setValue(5);
    lineEdit()->setReadOnly(true);
}

void StrengthSpinBox::keyPressEvent(QKeyEvent* event) {
    // Only stepping changes the number; anything typed is swallowed.
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        return QSpinBox::keyPressEvent(event);
    event->accept();
}

TrendLinePanel::TrendLinePanel(EvaluationView& view, QWidget* area, QObject* owner)
    : QObject(owner), view_(view) {
    auto* frame = new QFrame(area);
    frame->setObjectName(QStringLiteral("Panel2"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(14, 288, 105, 73);
    panel_ = frame;
    button_ = new QPushButton(kAus, frame);
    button_->setObjectName(QStringLiteral("Trendlinie"));
    button_->setGeometry(4, 4, 97, 25);
    auto* label2 = new QLabel(QStringLiteral("Stärke der"), frame);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(4, 34, 64, 16);
    auto* label1 = new QLabel(QStringLiteral("Glättung:"), frame);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(4, 50, 64, 16);
    spin_ = new StrengthSpinBox(frame);
    spin_->setObjectName(QStringLiteral("SpinEdit1"));
    spin_->setGeometry(68, 38, 34, 26);
    spin_->setToolTip(QStringLiteral("Stärke der Glättung"));
    // The hint is off, as in the window's design.
    spin_->setToolTipDuration(0);
    connect(spin_, &QSpinBox::valueChanged, this, &TrendLinePanel::strengthEdited);
    connect(button_, &QPushButton::clicked, this, &TrendLinePanel::trendLineClicked);
}

void TrendLinePanel::showStrength() {
    loading_ = true;
    spin_->setValue(view_.strength);
    loading_ = false;
}

void TrendLinePanel::setShown(bool shown) { panel_->setVisible(shown); }

void TrendLinePanel::strengthEdited(int value) {
    if (loading_) return;
    // In "x - t" and "y - t" the line joins the raw points: the strength stays 1.
    if (view_.diagram && joinsPoints(*view_.diagram)) {
        view_.strength = 1;
        showStrength();
        return;
    }
    view_.strength = value;
    Q_EMIT strengthChanged();
}

void TrendLinePanel::trendLineClicked() {
    // The caption names the action of the next click.
    view_.linesOn = !view_.linesOn;
    button_->setText(view_.linesOn ? kAus : kAn);
    Q_EMIT linesToggled(view_.linesOn);
}

}  // namespace zebak::gui
