#include "gui/tracking/SearchSettingsFrame.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <limits>

#include "gui/kit/RadioGroup.h"
#include "gui/kit/WidgetKit.h"
#include "gui/tracking/ColourSwatch.h"
#include "gui/tracking/RgbFields.h"

namespace zebak::gui {

SearchSettingsFrame::SearchSettingsFrame(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("TFrame1"));
    resize(369, 330);
    buildSettings();
    buildSecondSearch();
    buildRegionOptions();
    swatch_ = new ColourSwatch(this);
    rgb_ = new RgbFields(this);
    radioGroup2_ = new RadioGroup(
        {QStringLiteral("Farbe1 zuweisen"), QStringLiteral("Farbe2 zuweisen")}, this);
    radioGroup2_->setObjectName(QStringLiteral("RadioGroup2"));
    radioGroup2_->setGeometry(206, 212, 144, 58);
    radioGroup2_->setItemIndex(0);
}

void SearchSettingsFrame::NumberRow::setVisible(bool sichtbar) const {
    caption->setVisible(sichtbar);
    field->setVisible(sichtbar);
}

SearchSettingsFrame::NumberRow SearchSettingsFrame::makeNumberRow(const char* caption,
                                                                  const QString& text,
                                                                  const char* field, int wert,
                                                                  int top, int indent) {
    NumberRow row;
    row.caption =
        makeLabel(QString::fromLatin1(caption), text, {indent, top + 2, 120 - indent, 20}, this);
    row.field = new QSpinBox(this);
    row.field->setObjectName(QString::fromLatin1(field));
    row.field->setValue(wert);
    row.field->setGeometry(122, top, 62, 24);
    connect(row.field, &QSpinBox::valueChanged, this, &SearchSettingsFrame::writeToSettings);
    return row;
}

void SearchSettingsFrame::buildSettings() {
    QLabel* titel = makeLabel(QStringLiteral("Label1"), QStringLiteral("Sucheinstellungen"),
                              {8, 6, 180, 18}, this);
    titel->setStyleSheet(
        QStringLiteral("color: navy; font-weight: bold; text-decoration: underline;"));
    radioGroup1_ =
        new RadioGroup({QStringLiteral("Einfach"), QStringLiteral("Position vorherbest.")}, this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    radioGroup1_->setGeometry(8, 28, 176, 58);
    connect(radioGroup1_, &RadioGroup::itemChosen, this, &SearchSettingsFrame::writeToSettings);
    tolerance_ = makeNumberRow("Label2", QStringLiteral("Toleranz:"), "FarbToleranz", 42, 96, 8);
    deviation_ =
        makeNumberRow("Label3", QStringLiteral("Mögl. Abweichung:"), "SpinEdit1", 30, 126, 8);
    checkBox1_ = makeCheckBox("CheckBox1", QStringLiteral("gezielte Zweitsuche"), 160);
    checkBox1_->setChecked(true);
}

QCheckBox* SearchSettingsFrame::makeCheckBox(const char* name, const QString& text, int top) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(8, top, 176, 20);
    connect(box, &QCheckBox::toggled, this, &SearchSettingsFrame::writeToSettings);
    return box;
}

void SearchSettingsFrame::buildSecondSearch() {
    secondTolerance_ =
        makeNumberRow("Label4", QStringLiteral("Zweittoleranz:"), "Zweit_Toleranz", 50, 186, 24);
    objectSize_ =
        makeNumberRow("Label5", QStringLiteral("Objektgrösse:"), "SpinEdit3", 20, 216, 24);
    checkBox2_ = makeCheckBox("CheckBox2", QStringLiteral("Farbübernahme"), 252);
    checkBox2_->setChecked(true);
    // Beyond the written options: a predicted-position pass that loses the object looks for
    // it in the whole area again. Off unless the user asks for it.
    reacquire_ = makeCheckBox("ObjektWiedersuchen", QStringLiteral("Objekt wiedersuchen"), 280);
    reacquire_->setToolTip(QStringLiteral(
        "Verliert die Suche mit vorherbestimmter Position das Objekt, wird das ganze "
        "Suchgebiet erneut durchsucht."));
}

void SearchSettingsFrame::buildRegionOptions() {
    // Beyond the written options: which of the matching pixels make the object, and its centre
    // with its fraction. Both off unless the user asks for them.
    connected_ = makeCheckBox("Zusammenhaengend", QStringLiteral("Zusammenhängend"), 276);
    connected_->setGeometry(206, 276, 150, 20);
    connected_->setToolTip(QStringLiteral(
        "Nur die zusammenhängende Fläche passender Bildpunkte zählt, die am nächsten an der "
        "erwarteten Stelle liegt und so groß ist wie das Objekt zuletzt (im ersten Bild: die "
        "Fläche an der Stelle, an der die Farbe gewählt wurde). Einzelne passende Punkte, "
        "Spiegelungen und ein zweites Objekt gleicher Farbe stören dann nicht mehr."));
    subpixel_ = makeCheckBox("Subpixel", QStringLiteral("Subpixel"), 300);
    subpixel_->setGeometry(206, 300, 150, 20);
    subpixel_->setToolTip(QStringLiteral(
        "Der Mittelpunkt ist der Schwerpunkt der gefundenen Bildpunkte, auf Bruchteile eines "
        "Bildpunkts genau; die Tabelle zeigt x und y ungeeicht mit zwei Nachkommastellen. "
        "Ohne „Zusammenhängend“ zählen alle passenden Bildpunkte des Suchgebiets."));
}

void SearchSettingsFrame::attach(SlotSettings& settings) {
    settings_ = nullptr;
    loading_ = true;
    radioGroup1_->setItemIndex(static_cast<int>(settings.mode));
    tolerance_.field->setValue(settings.tolerance);
    deviation_.field->setValue(settings.deviationPx);
    checkBox1_->setChecked(settings.refine);
    secondTolerance_.field->setValue(settings.refineTolerance);
    objectSize_.field->setValue(settings.objectSizePx);
    checkBox2_->setChecked(settings.adoptColour);
    reacquire_->setChecked(settings.reacquire);
    connected_->setChecked(settings.connected);
    subpixel_->setChecked(settings.subpixel);
    loading_ = false;
    settings_ = &settings;
}

void SearchSettingsFrame::applyLimits(const SlotLimits& limits) {
    tolerance_.field->setRange(limits.tolerance.min, limits.tolerance.max);
    deviation_.field->setRange(limits.deviationPx.min, limits.deviationPx.max);
    secondTolerance_.field->setRange(limits.refineTolerance.min, limits.refineTolerance.max);
    objectSize_.field->setRange(limits.objectSizePx.min, limits.objectSizePx.max);
}

void SearchSettingsFrame::writeToSettings() {
    if (loading_ || settings_ == nullptr) return;
    SlotSettings& s = *settings_;
    s.mode = radioGroup1_->itemIndex() == 0 ? SearchMode::Simple : SearchMode::Predicted;
    s.tolerance = tolerance_.field->value();
    s.deviationPx = deviation_.field->value();
    s.refine = checkBox1_->isChecked();
    s.refineTolerance = secondTolerance_.field->value();
    s.objectSizePx = objectSize_.field->value();
    s.adoptColour = checkBox2_->isChecked();
    s.reacquire = reacquire_->isChecked();
    s.connected = connected_->isChecked();
    s.subpixel = subpixel_->isChecked();
}

void SearchSettingsFrame::showSecondSearch(bool sichtbar) {
    secondTolerance_.setVisible(sichtbar);
    objectSize_.setVisible(sichtbar);
}

void SearchSettingsFrame::showDeviation(bool sichtbar) {
    deviation_.setVisible(sichtbar);
    reacquire_->setVisible(sichtbar);
}

}  // namespace zebak::gui
