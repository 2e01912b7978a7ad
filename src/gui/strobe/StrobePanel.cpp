#include "gui/strobe/StrobePanel.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QWidget>

#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

namespace {

QCheckBox* makeCheckBox(const QString& name, const QString& text, const QRect& place,
                        QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

}  // namespace

StrobePanel::StrobePanel(QWidget* area, QObject* owner) : QObject(owner), panel_(makePanel(area)) {
    QWidget* panel = panel_;
    panel->setObjectName(QStringLiteral("Panel4"));
    panel->setGeometry(5, 600, 521, 57);
    panel->hide();
    // Black for the panel alone, so the button keeps its own look; captions in silver. The
    // check boxes keep their own white indicators, which a black background would hide.
    panel->setStyleSheet(
        QStringLiteral("QFrame#Panel4 { background: black; } "
                       "QCheckBox { color: silver; }"));
    start_ = makeButton(QStringLiteral("Stroboskopbild"), QStringLiteral("Stroboskopbild"),
                        QStringLiteral("Stroboskopbild starten"), QRect(8, 12, 137, 33), panel);
    einfarbig_ = makeCheckBox(QStringLiteral("CheckBox7"), QStringLiteral("Objekte Einfarbig?"),
                              QRect(160, 6, 170, 20), panel);
    rand_ = makeCheckBox(QStringLiteral("CheckBox8"), QStringLiteral("Mit Rand?"),
                         QRect(160, 31, 170, 20), panel);
    rand_->setChecked(true);
    mittelpunkt_ = makeCheckBox(QStringLiteral("CheckBox9"), QStringLiteral("Mittelpunktsfarbe?"),
                                QRect(340, 6, 170, 20), panel);
    mittelpunkt_->setEnabled(false);
    connect(einfarbig_, &QCheckBox::toggled, mittelpunkt_, &QCheckBox::setEnabled);
}

void StrobePanel::setModeShown(bool on) {
    if (on) {
        panel_->move(5, 600);
        panel_->show();
        panel_->raise();
    } else {
        panel_->hide();
    }
}

StroboOptions StrobePanel::options() const {
    return {einfarbig_->isChecked(), rand_->isChecked(),
            einfarbig_->isChecked() && mittelpunkt_->isChecked()};
}

}  // namespace zebak::gui
