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
    checkBoxes_[0] = addCheckBox("CheckBox1", QStringLiteral("Farbe 1 analysieren"),
                                 {10, 8, 190, 20}, groupBox1_);
    checkBoxes_[1] = addCheckBox("CheckBox2", QStringLiteral("Farbe 2 analysieren"),
                                 {10, 34, 190, 20}, groupBox1_);
    radioGroup1_ = new RadioGroup(
        {QStringLiteral("Mittelpunkt"), QStringLiteral("gefundene Bildpunkte")}, this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    radioGroup1_->setGeometry(8, 102, 180, 58);
    connect(radioGroup1_, &RadioGroup::itemChosen, this, &ResultDisplayPanel::writeToSettings);
    // The markers stand beside the group; a parent of their own keeps them one choice.
    radioButtons_[0] = new QRadioButton(QStringLiteral("+"), this);
    radioButtons_[0]->setObjectName(QStringLiteral("RadioButton1"));
    radioButtons_[0]->setGeometry(194, 108, 34, 20);
    radioButtons_[1] = new QRadioButton(QStringLiteral("."), this);
    radioButtons_[1]->setObjectName(QStringLiteral("RadioButton2"));
    radioButtons_[1]->setGeometry(194, 134, 34, 20);
    connect(radioButtons_[1], &QRadioButton::toggled, this, &ResultDisplayPanel::writeToSettings);

    checkBoxes_[0]->setChecked(anzeige_.analyseColour1);
    checkBoxes_[1]->setChecked(anzeige_.analyseColour2);
    radioGroup1_->setItemIndex(anzeige_.showFoundPixels ? 1 : 0);
    (anzeige_.dotMarker ? radioButtons_[1] : radioButtons_[0])->setChecked(true);
    radioButtons_[0]->hide();
    radioButtons_[1]->hide();
}

void ResultDisplayPanel::buildSearchAreaBoxes() {
    checkBoxes_[2] =
        addCheckBox("CheckBox3", QStringLiteral("Suchgebiete"), {8, 172, 200, 20}, this);
    checkBoxes_[3] =
        addCheckBox("CheckBox4", QStringLiteral("Abweichung"), {24, 198, 120, 20}, this);
    checkBoxes_[3]->setStyleSheet(QStringLiteral("background: yellow;"));
    checkBoxes_[4] =
        addCheckBox("CheckBox5", QStringLiteral("Objektgrösse"), {24, 224, 120, 20}, this);
    checkBoxes_[4]->setStyleSheet(QStringLiteral("background: aqua;"));
    checkBoxes_[5] =
        addCheckBox("CheckBox6", QStringLiteral("Hintergrund"), {8, 258, 200, 20}, this);
    checkBoxes_[2]->setChecked(anzeige_.showSearchAreas);
    checkBoxes_[3]->setChecked(anzeige_.showDeviation);
    checkBoxes_[4]->setChecked(anzeige_.showObjectSize);
    checkBoxes_[5]->setChecked(anzeige_.background);
    checkBoxes_[3]->hide();
    checkBoxes_[4]->hide();
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

void ResultDisplayPanel::showOptions() {
    // Each control writes every control's value back as it changes; the options wanted are
    // kept aside, and once every control shows them the options are the same again.
    const ResultDisplay wanted = anzeige_;
    checkBoxes_[0]->setChecked(wanted.analyseColour1);
    checkBoxes_[1]->setChecked(wanted.analyseColour2);
    radioGroup1_->setItemIndex(wanted.showFoundPixels ? 1 : 0);
    (wanted.dotMarker ? radioButtons_[1] : radioButtons_[0])->setChecked(true);
    checkBoxes_[2]->setChecked(wanted.showSearchAreas);
    checkBoxes_[3]->setChecked(wanted.showDeviation);
    checkBoxes_[4]->setChecked(wanted.showObjectSize);
    checkBoxes_[5]->setChecked(wanted.background);
    scrollBarBremse_->setValue(wanted.brakeMs);
    anzeige_ = wanted;
}

void ResultDisplayPanel::writeToSettings() {
    // Called by every control while the panel is built, too; the controls then hold the
    // options' own values, so writing them back changes nothing.
    if (scrollBarBremse_ == nullptr) return;
    anzeige_.analyseColour1 = checkBoxes_[0]->isChecked();
    anzeige_.analyseColour2 = checkBoxes_[1]->isChecked();
    anzeige_.showFoundPixels = radioGroup1_->itemIndex() == 1;
    anzeige_.dotMarker = radioButtons_[1]->isChecked();
    anzeige_.showSearchAreas = checkBoxes_[2]->isChecked();
    anzeige_.showDeviation = checkBoxes_[3]->isChecked();
    anzeige_.showObjectSize = checkBoxes_[4]->isChecked();
    anzeige_.background = checkBoxes_[5]->isChecked();
    anzeige_.brakeMs = scrollBarBremse_->value();
}

}  // namespace zebak::gui
