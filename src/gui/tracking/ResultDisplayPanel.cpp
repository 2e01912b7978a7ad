#include "gui/tracking/ResultDisplayPanel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include "gui/kit/RadioGroup.h"

namespace zebak::gui {

ResultDisplayPanel::ResultDisplayPanel(ResultDisplay& anzeige, QWidget* parent)
    : QFrame(parent), anzeige_(anzeige) {
    setObjectName(QStringLiteral("Panel3"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* titel = new QLabel(QStringLiteral("Anzeige der Suchergebnisse"), this);
    titel->setObjectName(QStringLiteral("Label7"));
    titel->setGeometry(8, 6, 217, 20);
    titel->setStyleSheet(
        QStringLiteral("color: navy; font-weight: bold; text-decoration: underline;"));
    buildColourAndMarkerChoice();
    buildSearchAreaBoxes();
    buildBrake();
}

QCheckBox* ResultDisplayPanel::addCheckBox(const char* name, const QString& text,
                                           const QRect& place, QWidget* in) {
    auto* k = new QCheckBox(text, in);
    k->setObjectName(QString::fromLatin1(name));
    k->setGeometry(place);
    connect(k, &QCheckBox::toggled, this, &ResultDisplayPanel::writeToSettings);
    return k;
}

void ResultDisplayPanel::buildColourAndMarkerChoice() {
    groupBox1_ = new QGroupBox(this);
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1_->setGeometry(8, 32, 217, 62);
    checkBox1_ = addCheckBox("CheckBox1", QStringLiteral("Farbe 1 analysieren"), {10, 8, 190, 20},
                             groupBox1_);
    checkBox2_ = addCheckBox("CheckBox2", QStringLiteral("Farbe 2 analysieren"), {10, 34, 190, 20},
                             groupBox1_);
    radioGroup1_ = new RadioGroup(
        {QStringLiteral("Mittelpunkt"), QStringLiteral("gefundene Bildpunkte")}, this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    radioGroup1_->setGeometry(8, 102, 180, 58);
    connect(radioGroup1_, &RadioGroup::itemChosen, this, &ResultDisplayPanel::writeToSettings);
    // The markers stand beside the group; a parent of their own keeps them one choice.
    radioButton1_ = new QRadioButton(QStringLiteral("+"), this);
    radioButton1_->setObjectName(QStringLiteral("RadioButton1"));
    radioButton1_->setGeometry(194, 108, 34, 20);
    radioButton2_ = new QRadioButton(QStringLiteral("."), this);
    radioButton2_->setObjectName(QStringLiteral("RadioButton2"));
    radioButton2_->setGeometry(194, 134, 34, 20);
    connect(radioButton2_, &QRadioButton::toggled, this, &ResultDisplayPanel::writeToSettings);

    checkBox1_->setChecked(anzeige_.analyseColour1);
    checkBox2_->setChecked(anzeige_.analyseColour2);
    radioGroup1_->setItemIndex(anzeige_.showFoundPixels ? 1 : 0);
    (anzeige_.dotMarker ? radioButton2_ : radioButton1_)->setChecked(true);
    radioButton1_->hide();
    radioButton2_->hide();
}

void ResultDisplayPanel::buildSearchAreaBoxes() {
    checkBox3_ = addCheckBox("CheckBox3", QStringLiteral("Suchgebiete"), {8, 172, 200, 20}, this);
    checkBox4_ = addCheckBox("CheckBox4", QStringLiteral("Abweichung"), {24, 198, 120, 20}, this);
    checkBox4_->setStyleSheet(QStringLiteral("background: yellow;"));
    checkBox5_ = addCheckBox("CheckBox5", QStringLiteral("Objektgrösse"), {24, 224, 120, 20}, this);
    checkBox5_->setStyleSheet(QStringLiteral("background: aqua;"));
    checkBox6_ = addCheckBox("CheckBox6", QStringLiteral("Hintergrund"), {8, 258, 200, 20}, this);
    checkBox3_->setChecked(anzeige_.showSearchAreas);
    checkBox4_->setChecked(anzeige_.showDeviation);
    checkBox5_->setChecked(anzeige_.showObjectSize);
    checkBox6_->setChecked(anzeige_.background);
    checkBox4_->hide();
    checkBox5_->hide();
}

void ResultDisplayPanel::buildBrake() {
    // The label says how long the pause is, so nobody has to guess the bar's milliseconds.
    labelbremse_ = new QLabel(this);
    labelbremse_->setObjectName(QStringLiteral("labelbremse"));
    labelbremse_->setGeometry(8, 306, 217, 17);
    scrollBarBremse_ = new QScrollBar(Qt::Horizontal, this);
    scrollBarBremse_->setObjectName(QStringLiteral("ScrollBarBremse"));
    scrollBarBremse_->setToolTip(QStringLiteral("Pause nach jedem untersuchten Bild"));
    scrollBarBremse_->setRange(0, 1000);
    scrollBarBremse_->setValue(anzeige_.brakeMs);
    scrollBarBremse_->setGeometry(8, 326, 217, 17);
    connect(scrollBarBremse_, &QScrollBar::valueChanged, this,
            &ResultDisplayPanel::writeToSettings);
    connect(scrollBarBremse_, &QScrollBar::valueChanged, this, &ResultDisplayPanel::showBrake);
    showBrake(scrollBarBremse_->value());
}

void ResultDisplayPanel::showBrake(int ms) {
    labelbremse_->setText(QStringLiteral("Bremse: %1 ms").arg(ms));
}

void ResultDisplayPanel::writeToSettings() {
    // Called by every control while the panel is built, too; the controls then hold the
    // options' own values, so writing them back changes nothing.
    if (scrollBarBremse_ == nullptr) return;
    anzeige_.analyseColour1 = checkBox1_->isChecked();
    anzeige_.analyseColour2 = checkBox2_->isChecked();
    anzeige_.showFoundPixels = radioGroup1_->itemIndex() == 1;
    anzeige_.dotMarker = radioButton2_->isChecked();
    anzeige_.showSearchAreas = checkBox3_->isChecked();
    anzeige_.showDeviation = checkBox4_->isChecked();
    anzeige_.showObjectSize = checkBox5_->isChecked();
    anzeige_.background = checkBox6_->isChecked();
    anzeige_.brakeMs = scrollBarBremse_->value();
}

}  // namespace zebak::gui
