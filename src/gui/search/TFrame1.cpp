#include "gui/search/TFrame1.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <limits>

#include "gui/search/RadioGroup.h"

namespace zebak::gui {

namespace {
/// The swatch is a square of this many pixels.
constexpr int kFarbfeld = 97;
}  // namespace

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

TFrame1::TFrame1(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("TFrame1"));
    resize(369, 330);
    buildSettings();
    buildSecondSearch();
    buildSwatch();
    buildRgbFields();
}

QLabel* TFrame1::makeCaption(const char* name, const QString& text, const QRect& place) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    return l;
}

QSpinBox* TFrame1::makeNumberField(const char* name, int wert, const QRect& place) {
    auto* s = new QSpinBox(this);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, 255);
    s->setValue(wert);
    s->setGeometry(place);
    connect(s, &QSpinBox::valueChanged, this, &TFrame1::writeToSettings);
    return s;
}

void TFrame1::buildSettings() {
    QLabel* titel = makeCaption("Label1", QStringLiteral("Sucheinstellungen"), {8, 6, 180, 18});
    titel->setStyleSheet(
        QStringLiteral("color: navy; font-weight: bold; text-decoration: underline;"));
    radioGroup1_ =
        new RadioGroup({QStringLiteral("Einfach"), QStringLiteral("Position vorherbest.")}, this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    radioGroup1_->setGeometry(8, 28, 176, 58);
    connect(radioGroup1_, &RadioGroup::Click, this, &TFrame1::writeToSettings);
    label2_ = makeCaption("Label2", QStringLiteral("Toleranz:"), {8, 98, 112, 20});
    farbToleranz_ = makeNumberField("FarbToleranz", 42, {122, 96, 62, 24});
    label3_ = makeCaption("Label3", QStringLiteral("Mögl. Abweichung:"), {8, 128, 112, 20});
    spinEdit1_ = makeNumberField("SpinEdit1", 30, {122, 126, 62, 24});
    spinEdit1_->setRange(0, 500);
    checkBox1_ = new QCheckBox(QStringLiteral("gezielte Zweitsuche"), this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setGeometry(8, 160, 176, 20);
    checkBox1_->setChecked(true);
    connect(checkBox1_, &QCheckBox::toggled, this, &TFrame1::writeToSettings);
}

void TFrame1::buildSecondSearch() {
    label4_ = makeCaption("Label4", QStringLiteral("Zweittoleranz:"), {24, 188, 96, 20});
    zweitToleranz_ = makeNumberField("Zweit_Toleranz", 50, {122, 186, 62, 24});
    label5_ = makeCaption("Label5", QStringLiteral("Objektgrösse:"), {24, 218, 96, 20});
    spinEdit3_ = makeNumberField("SpinEdit3", 20, {122, 216, 62, 24});
    spinEdit3_->setRange(0, 500);
    checkBox2_ = new QCheckBox(QStringLiteral("Farbübernahme"), this);
    checkBox2_->setObjectName(QStringLiteral("CheckBox2"));
    checkBox2_->setGeometry(8, 252, 176, 20);
    checkBox2_->setChecked(true);
    connect(checkBox2_, &QCheckBox::toggled, this, &TFrame1::writeToSettings);
    // Beyond the written options: a predicted-position pass that loses the object looks for
    // it in the whole area again. Off unless the user asks for it.
    reacquire_ = new QCheckBox(QStringLiteral("Objekt wiedersuchen"), this);
    reacquire_->setObjectName(QStringLiteral("ObjektWiedersuchen"));
    reacquire_->setGeometry(8, 280, 176, 20);
    reacquire_->setToolTip(QStringLiteral(
        "Verliert die Suche mit vorherbestimmter Position das Objekt, wird das ganze "
        "Suchgebiet erneut durchsucht."));
    connect(reacquire_, &QCheckBox::toggled, this, &TFrame1::writeToSettings);
}

void TFrame1::buildSwatch() {
    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1->setGeometry(206, 8, kFarbfeld + 4, kFarbfeld + 4);
    image1_ = new QLabel(panel1);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(2, 2, kFarbfeld, kFarbfeld);
}

void TFrame1::buildRgbFields() {
    const char* labels[] = {"Label6", "Label7", "Label8"};
    const char* edits[] = {"Edit1", "Edit2", "Edit3"};
    const QString texte[] = {QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B")};
    const QString farben[] = {QStringLiteral("red"), QStringLiteral("green"),
                              QStringLiteral("blue")};
    const QString werte[] = {QStringLiteral("200"), QStringLiteral("100"), QStringLiteral("100")};
    for (int k = 0; k < 3; ++k) {
        const int oben = 118 + 28 * k;
        QLabel* l = makeCaption(labels[k], texte[k], {212, oben + 2, 16, 20});
        const QString stil = QStringLiteral("color: %1; font-weight: bold;").arg(farben[k]);
        l->setStyleSheet(stil);
        auto* e = new QLineEdit(werte[k], this);
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
    radioGroup2_ = new RadioGroup(
        {QStringLiteral("Farbe1 zuweisen"), QStringLiteral("Farbe2 zuweisen")}, this);
    radioGroup2_->setObjectName(QStringLiteral("RadioGroup2"));
    radioGroup2_->setGeometry(206, 212, 144, 58);
    radioGroup2_->setItemIndex(0);
}

void TFrame1::attach(SearchSettings& settings) {
    settings_ = nullptr;
    loading_ = true;
    radioGroup1_->setItemIndex(static_cast<int>(settings.modus));
    farbToleranz_->setValue(settings.FarbToleranz);
    spinEdit1_->setValue(settings.moeglicheAbweichung);
    checkBox1_->setChecked(settings.gezielteZweitsuche);
    zweitToleranz_->setValue(settings.ZweitToleranz);
    spinEdit3_->setValue(settings.Objektgroesse);
    checkBox2_->setChecked(settings.Farbuebernahme);
    reacquire_->setChecked(settings.reacquire);
    loading_ = false;
    settings_ = &settings;
}

void TFrame1::withoutLimits() {
    for (QSpinBox* s : {spinEdit1_, spinEdit3_})
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

void TFrame1::writeToSettings() {
    if (loading_ || settings_ == nullptr) return;
    SearchSettings& s = *settings_;
    s.modus =
        radioGroup1_->itemIndex() == 0 ? SearchMode::Einfach : SearchMode::PositionVorherbestimmt;
    s.FarbToleranz = farbToleranz_->value();
    s.moeglicheAbweichung = spinEdit1_->value();
    s.gezielteZweitsuche = checkBox1_->isChecked();
    s.ZweitToleranz = zweitToleranz_->value();
    s.Objektgroesse = spinEdit3_->value();
    s.Farbuebernahme = checkBox2_->isChecked();
    s.reacquire = reacquire_->isChecked();
}

void TFrame1::writeColour(Rgb colour) {
    const int kanaele[] = {colour.r, colour.g, colour.b};
    for (int k = 0; k < 3; ++k) {
        // An unchanged text is left alone, so the cursor of the edit being typed in stays put.
        const QString text = QString::number(kanaele[k]);
        if (Edit(k)->text() != text) Edit(k)->setText(text);
    }
}

void TFrame1::drawSwatch(Rgb colour) {
    QPixmap bild(kFarbfeld, kFarbfeld);
    bild.fill(palette().color(QPalette::Button));
    QPainter p(&bild);
    // The colour bar from (7, 7) to (20, 88), the right and bottom edge excluded.
    const QRect balken(7, 7, 13, 81);
    p.fillRect(balken, QColor(colour.r, colour.g, colour.b));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(balken.adjusted(0, 0, -1, -1));
    // Tracks 5 pixels wide from x 30 to 81; a full channel (255 div 5 = 51) fills its track.
    const int zeilen[] = {18, 50, 79};
    const int werte[] = {colour.r, colour.g, colour.b};
    const QColor farben[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255)};
    for (int k = 0; k < 3; ++k) {
        p.setPen(QPen(palette().color(QPalette::Base), 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(30, zeilen[k], 81, zeilen[k]);
        const int ende = 30 + werte[k] / 5;
        if (werte[k] == 0 || ende == 30) continue;  // no bar, or one of length 0
        p.setPen(QPen(farben[k], 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(30, zeilen[k], ende, zeilen[k]);
    }
    p.end();
    image1_->setPixmap(bild);
}

void TFrame1::showSecondSearch(bool sichtbar) {
    for (QWidget* w : std::initializer_list<QWidget*>{label4_, zweitToleranz_, label5_, spinEdit3_})
        w->setVisible(sichtbar);
}

void TFrame1::showDeviation(bool sichtbar) {
    label3_->setVisible(sichtbar);
    spinEdit1_->setVisible(sichtbar);
    reacquire_->setVisible(sichtbar);
}

bool TFrame1::eventFilter(QObject* watched, QEvent* event) {
    const bool taste = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    for (int k = 0; k < 3 && taste; ++k) {
        if (watched != Edit(k)) continue;
        const auto* t = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress)
            return !rgbTasteZulassen(t->key(), t->text(), t->modifiers());
        // Windows reports one release at the end of a held key; Qt one per repeat.
        if (!t->isAutoRepeat()) Q_EMIT editKeyReleased(k);
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace zebak::gui
