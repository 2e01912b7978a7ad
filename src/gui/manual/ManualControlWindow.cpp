#include "gui/manual/ManualControlWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

namespace {
constexpr int kBreite = 141;
/// Side of the magnifier, pixels; it shows a quarter of that from the picture.
constexpr int kLupe = 132;
constexpr int kVergroesserung = 4;
}  // namespace

ManualControlWindow::ManualControlWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Manuell"));
    makeLabel(QStringLiteral("Label2"), QStringLiteral("Bildnummer:"), QRect(8, 6, 80, 17), this);
    label3_ = makeLabel(QStringLiteral("Label3"), QStringLiteral("0"), QRect(88, 6, 50, 17), this);
    label8_ = makeLabel(QStringLiteral("Label8"), QString(), QRect(8, 26, 130, 17), this);
    label9_ = makeLabel(QStringLiteral("Label9"), QString(), QRect(8, 44, 130, 17), this);
    buildButtons();
    buildLongForm();
    setFixedSize(kBreite, kKurz);
}

void ManualControlWindow::buildButtons() {
    const auto tool = [this](const char* name, const QString& text, const QString& hint,
                             const QRect& place) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setGeometry(place);
        return b;
    };
    QToolButton* play = tool("SpeedButton1", QString(), QStringLiteral("Play"), {8, 66, 30, 26});
    play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    QToolButton* stop = tool("SpeedButton2", QString(), QStringLiteral("Stop"), {42, 66, 30, 26});
    stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    QToolButton* anfang =
        tool("ToolButton1", QStringLiteral("|<"), QStringLiteral("Anfang"), {8, 98, 38, 26});
    QToolButton* zurueck =
        tool("ToolButton2", QStringLiteral("<"), QStringLiteral("Bild zurück"), {51, 98, 38, 26});
    QToolButton* vor =
        tool("ToolButton3", QStringLiteral(">"), QStringLiteral("Bild vor"), {94, 98, 38, 26});
    QPushButton* kalibrieren =
        makeButton(QStringLiteral("kalibrierenBtn"), QStringLiteral("Kalibrieren"),
                   QStringLiteral("Bestimmung der wahren Abmessungen"), {8, 132, 125, 28}, this);
    QPushButton* nullpunkt =
        makeButton(QStringLiteral("NullpunktBtn"), QStringLiteral(" Nullpunkt"),
                   QStringLiteral("Koordinatennullpunkt verschieben"), {8, 164, 125, 28}, this);
    QPushButton* diagramm =
        makeButton(QStringLiteral("DiagrammBtn"), QStringLiteral(" Auswertung"),
                   QStringLiteral("Diagrammauswertung"), {8, 196, 125, 28}, this);
    connect(play, &QToolButton::clicked, this, &ManualControlWindow::playClicked);
    connect(stop, &QToolButton::clicked, this, &ManualControlWindow::stopClicked);
    connect(anfang, &QToolButton::clicked, this, &ManualControlWindow::anfangClicked);
    connect(zurueck, &QToolButton::clicked, this, &ManualControlWindow::zurueckClicked);
    connect(vor, &QToolButton::clicked, this, &ManualControlWindow::vorClicked);
    connect(kalibrieren, &QPushButton::clicked, this, &ManualControlWindow::kalibrierenClicked);
    connect(nullpunkt, &QPushButton::clicked, this, &ManualControlWindow::nullpunktClicked);
    connect(diagramm, &QPushButton::clicked, this, &ManualControlWindow::diagrammClicked);
    const QRect toggle(60, 230, 22, 20);
    image4_ = clickablePicture("Image4", style()->standardPixmap(QStyle::SP_ArrowDown), toggle,
                               QStringLiteral("Erweitern"), this);
    image5_ = clickablePicture("Image5", style()->standardPixmap(QStyle::SP_ArrowUp), toggle,
                               QStringLiteral("Verkleinern"), this);
    image5_->hide();
}

void ManualControlWindow::buildLongForm() {
    auto* panel = makePanel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(4, 256, 133, 64);
    makeLabel(QStringLiteral("Label1"), QStringLiteral("Cursorform:"), QRect(4, 2, 120, 15), panel);
    for (int n = 1; n <= 3; ++n) {
        const QString name = QStringLiteral("Image%1").arg(n);
        QLabel* picture = clickablePicture(name.toLatin1().constData(),
                                           QPixmap(QStringLiteral(":/cursors/cursor%1.png").arg(n)),
                                           QRect(4 + 44 * (n - 1), 20, 33, 33), QString(), panel);
        picture->setFrameStyle(QFrame::Box);
        picture->setAlignment(Qt::AlignCenter);
        picture->setStyleSheet(QStringLiteral("background: white;"));
        picture->setProperty("cursorNummer", n);
    }
    makeLabel(QStringLiteral("Label4"), QStringLiteral("Rechte Maustaste:"), {8, 326, 130, 16},
              this);
    makeLabel(QStringLiteral("Label5"), QStringLiteral("1 Bild vor"), {8, 342, 130, 16}, this);
    makeLabel(QStringLiteral("Label6"), QStringLiteral("Linke Maustaste:"), {8, 362, 130, 16},
              this);
    makeLabel(QStringLiteral("Label7"), QStringLiteral("Position erfassen"), {8, 378, 130, 16},
              this);
    makeLabel(QStringLiteral("LupeLabel"), QStringLiteral("Lupe (4fach):"), {8, 400, 130, 16},
              this);
    lupe_ = new QLabel(this);
    lupe_->setObjectName(QStringLiteral("Lupe"));
    lupe_->setGeometry((kBreite - kLupe) / 2, 418, kLupe, kLupe);
    lupe_->setStyleSheet(QStringLiteral("background: black;"));
}

QLabel* ManualControlWindow::clickablePicture(const char* name, const QPixmap& pixmap,
                                              const QRect& place, const QString& hint,
                                              QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setPixmap(pixmap);
    picture->setGeometry(place);
    picture->setToolTip(hint);
    picture->setCursor(Qt::PointingHandCursor);
    picture->installEventFilter(this);
    return picture;
}

bool ManualControlWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return QWidget::eventFilter(watched, event);
    if (watched == image4_)
        setLongForm(true);
    else if (watched == image5_)
        setLongForm(false);
    else if (const int n = watched->property("cursorNummer").toInt(); n != 0)
        Q_EMIT cursorGewaehlt(n);
    return true;
}

void ManualControlWindow::setLongForm(bool on) {
    longForm_ = on;
    image4_->setVisible(!on);
    image5_->setVisible(on);
    setFixedSize(kBreite, on ? kLang : kKurz);
}

void ManualControlWindow::setShrunk(bool shrunk) {
    if (shrunk) {
        if (heightBeforeShrink_ == 0) heightBeforeShrink_ = height();
        setFixedSize(kBreite, 1);
    } else if (heightBeforeShrink_ != 0) {
        setFixedSize(kBreite, heightBeforeShrink_);
        heightBeforeShrink_ = 0;
    }
}

void ManualControlWindow::setCoordinates(const QString& x, const QString& y) {
    label8_->setText(x);
    label9_->setText(y);
}

void ManualControlWindow::zeigeLupe(const QImage& picture, QPoint centre) {
    if (!longForm_ || picture.isNull()) return;
    // The part of the picture the magnifier shows, centred on the mouse; outside is black.
    const int seite = kLupe / kVergroesserung;
    QImage ausschnitt(seite, seite, QImage::Format_RGB32);
    ausschnitt.fill(Qt::black);
    QPainter p(&ausschnitt);
    p.drawImage(QPoint(seite / 2 - centre.x(), seite / 2 - centre.y()), picture);
    p.end();
    QImage gross = ausschnitt.scaled(kLupe, kLupe, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPainter addCross(&gross);
    addCross.setPen(QPen(QColor(255, 0, 255), 1));
    // The centre pixel's square spans [mitte, mitte + 4): the lines run through its middle.
    const int mitte = (seite / 2) * kVergroesserung + kVergroesserung / 2;
    addCross.drawLine(mitte, 0, mitte, kLupe - 1);
    addCross.drawLine(0, mitte, kLupe - 1, mitte);
    addCross.end();
    lupe_->setPixmap(QPixmap::fromImage(gross));
}

QImage ManualControlWindow::lupenbild() const { return lupe_->pixmap().toImage(); }

void ManualControlWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT closed();
}

}  // namespace zebak::gui
