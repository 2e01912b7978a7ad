// The player panel: the player's own buttons, the position bar, the bars of the restricted
// sequence, range playback with the brake, the frame labels, frames per second and the timer
// that keeps the position bar in step with the film; plus the frame-source helpers.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include "gui/app/Dialogs.h"
#include "gui/app/TForm1.h"
#include "gui/positions/TForm6.h"
#include "gui/search/TForm3.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui {

void TForm1::bauePanel1() {
    Panel1 = tafel(centralWidget());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(5, 320, 340, 210);
    Panel1->setAutoFillBackground(true);
    baueMediaPlayer();
    baueBalken();
    baueBereichswiedergabe();
    Panel1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::baueBalken() {
    Label1 = beschriftung(QStringLiteral("Label1"), QStringLiteral("0/0"), QRect(246, 12, 90, 17),
                          Panel1);
    const auto bar = [this](const QString& name, const QString& hint, int top) {
        auto* b = new QScrollBar(Qt::Horizontal, Panel1);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setRange(0, 0);
        b->setPageStep(10);
        b->setGeometry(8, top, 280, 17);
        return b;
    };
    ScrollBar1 =
        bar(QStringLiteral("ScrollBar1"), QStringLiteral("Aktuelle Position des Filmes"), 48);
    ScrollBar2 = bar(QStringLiteral("ScrollBar2"),
                     QStringLiteral("Begin der eingeschränkten Filmsequenz"), 84);
    ScrollBar3 = bar(QStringLiteral("ScrollBar3"),
                     QStringLiteral("Ende der eingeschränkten Filmsequenz"), 120);
    beschriftung(QStringLiteral("AnfangLabel"), QStringLiteral("Anfang:"), QRect(8, 68, 60, 15),
                 Panel1);
    beschriftung(QStringLiteral("EndeLabel"), QStringLiteral("Ende:"), QRect(8, 104, 60, 15),
                 Panel1);
    Label2 =
        beschriftung(QStringLiteral("Label2"), QStringLiteral("0"), QRect(294, 84, 44, 17), Panel1);
    Label3 = beschriftung(QStringLiteral("Label3"), QStringLiteral("0"), QRect(294, 120, 44, 17),
                          Panel1);
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, [this] { ScrollBar1Scroll(); });
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm1::ScrollBar2Change);
    connect(ScrollBar3, &QScrollBar::valueChanged, this, &TForm1::ScrollBar3Change);
}

void TForm1::baueBereichswiedergabe() {
    // The stop button lies under the play button and comes out only while the range plays.
    for (QToolButton** knopf : {&SpeedButton1, &SpeedButton2}) {
        *knopf = new QToolButton(Panel1);
        (*knopf)->setGeometry(8, 148, 30, 28);
    }
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Eingeschränkten Bereich abspielen"));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    SpeedButton1->hide();
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);

    SpinEdit1 = new QSpinBox(Panel1);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 100000);  // a rate of 0 or less would make every time undefined
    SpinEdit1->setValue(25);
    SpinEdit1->setGeometry(170, 150, 60, 24);
    // The time column of the tables is computed from this rate: the state follows every change.
    connect(SpinEdit1, &QSpinBox::valueChanged, this,
            [this](int bilder) { state_.analyse.bilderProSekunde = bilder; });
    beschriftung(QStringLiteral("BilderProSekunde"), QStringLiteral("Bilder/s"),
                 QRect(236, 154, 60, 17), Panel1);
    Label5 = beschriftung(QStringLiteral("Label5"), QString(), QRect(8, 186, 320, 17), Panel1);
}

void TForm1::baueMediaPlayer() {
    MediaPlayer1 = new QWidget(Panel1);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setToolTip(QStringLiteral("Steuerungsleiste für den Film"));
    MediaPlayer1->setGeometry(8, 6, 231, 30);
    auto* reihe = new QHBoxLayout(MediaPlayer1);
    reihe->setContentsMargins(0, 0, 0, 0);
    reihe->setSpacing(1);
    const auto knopf = [this, reihe](const char* name, QStyle::StandardPixmap bild, auto handler) {
        auto* b = new QToolButton(MediaPlayer1);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(bild));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        reihe->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, handler] {
            (this->*handler)();
            MediaPlayer1Notify();
        });
    };
    // Like a film player: play runs at the film's rate, pause and stop both halt where the film
    // stands (nothing rewinds), next goes to the end and previous back to the first frame.
    // Single frames are stepped with the position bar's arrows.
    knopf("btPlay", QStyle::SP_MediaPlay, &TForm1::spielerPlay);
    knopf("btPause", QStyle::SP_MediaPause, &TForm1::spielerHalt);
    knopf("btStop", QStyle::SP_MediaStop, &TForm1::spielerHalt);
    knopf("btNext", QStyle::SP_MediaSkipForward, &TForm1::spielerEnde);
    knopf("btPrev", QStyle::SP_MediaSkipBackward, &TForm1::spielerAnfang);
    abspielTakt_ = new QTimer(this);
    connect(abspielTakt_, &QTimer::timeout, this, &TForm1::spielerSchritt);
}

// ---- frame source -------------------------------------------------------------------------

void TForm1::gehezu(int n) {
    if (!film_) return;
    try {
        film_->seek(n);
    } catch (const std::exception& fehler) {
        // A film that breaks off while it is read: say so once and stop any playback.
        spielerHalt();
        state_.AbspielenStopp = 1;
        dialogs_.message(this, MessageKind::Error, QString::fromUtf8(fehler.what()),
                         QMessageBox::Ok);
    }
    fenster_.form3->update();
}

int TForm1::aktuellesBild() const { return film_ ? film_->currentFrame() : 0; }

int TForm1::bildanzahl() const { return film_ ? film_->frameCount() : 0; }

void TForm1::Pause(int ms) {
    QElapsedTimer uhr;
    uhr.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Long pauses need not spin the processor; a millisecond nap keeps the window lively.
        if (ms - uhr.elapsed() > 2) QThread::msleep(1);
    } while (uhr.elapsed() <= ms);
}

void TForm1::Filmerscheine() {
    const int gemerkt = ScrollBar1->value();
    gehezu(bildanzahl());
    Pause(40);
    gehezu(gemerkt);
    Pause(40);
}

bool TForm1::filmSichtbar() const {
    if (!film_) return false;
    const RgbFrame& bild = film_->frame();
    for (int i = 1; i <= 10; ++i)
        if (bild.pixel(10 * i, 10 * i) != bild.pixel(10 * (i + 1), 10 * (i + 1))) return true;
    return false;
}

void TForm1::Kontextoeffnen() { state_.KontextOffen = true; }

void TForm1::Kontextfreigeben() { state_.KontextOffen = false; }

// ---- navigation ---------------------------------------------------------------------------

void TForm1::Bildnummer() {
    Label1->setText(QStringLiteral("%1/%2").arg(aktuellesBild()).arg(bildanzahl()));
}

void TForm1::ScrollBar1Scroll() {
    // The bar already stands at the scrolled position; Label1 follows at the next tick.
    const int ziel = ScrollBar1->sliderPosition();
    Bildnummer();
    gehezu(ziel);
}

void TForm1::ScrollBar2Change(int position) {
    if (position > ScrollBar3->value()) {
        ScrollBar2->setValue(ScrollBar3->value());  // runs this handler again
        return;
    }
    state_.analyse.sequenzAnfang = position;
    gehezu(position);
    ScrollBar1->setValue(position);
    Label2->setText(QString::number(position));
    Label1->setText(QStringLiteral("%1/%2").arg(position).arg(bildanzahl()));
}

void TForm1::ScrollBar3Change(int position) {
    if (position < ScrollBar2->value()) {
        ScrollBar3->setValue(ScrollBar2->value());  // runs this handler again
        return;
    }
    state_.analyse.sequenzEnde = position;
    gehezu(position);
    ScrollBar1->setValue(position);
    Label3->setText(QString::number(position));
    Label1->setText(QStringLiteral("%1/%2").arg(position).arg(bildanzahl()));
}

void TForm1::Timer1Timer() {
    const int aktuell = aktuellesBild();
    if (aktuell != ScrollBar1->value()) {
        ScrollBar1->setValue(aktuell);
        if (fenster_.form6 != nullptr) fenster_.form6->Label3()->setText(QString::number(aktuell));
    }
    // Also after a scroll, which leaves the bar and the film together but the label behind.
    Bildnummer();
}

void TForm1::SpeedButton2Click() {
    state_.AbspielenStopp = 0;
    SpeedButton2->hide();
    SpeedButton1->show();
    gehezu(ScrollBar2->value());
    // Stops at the end bar, on the stop button, and at the end of the film (a bar moved
    // behind the film's position while it plays can then no longer be passed for ever).
    while (film_) {
        const int vorher = aktuellesBild();
        gehezu(vorher + 1);
        ScrollBar1->setValue(aktuellesBild());
        Pause(ScrollBarBremse->value());
        if (state_.AbspielenStopp == 1) break;
        if (aktuellesBild() >= ScrollBar3->value() || aktuellesBild() == vorher) break;
    }
    SpeedButton2->show();
    SpeedButton1->hide();
}

void TForm1::SpeedButton1Click() { state_.AbspielenStopp = 1; }

// ---- the player's own buttons -------------------------------------------------------------

void TForm1::MediaPlayer1Notify() {
    if (fenster_.form6 != nullptr)
        fenster_.form6->Label3()->setText(QString::number(aktuellesBild()));
}

void TForm1::spielerPlay() {
    if (!film_ || aktuellesBild() >= bildanzahl() - 1) return;
    const double fps = film_->info().fps > 0.0 ? film_->info().fps : 25.0;
    abspielTakt_->start(std::max(1, static_cast<int>(1000.0 / fps)));
}

void TForm1::spielerSchritt() {
    // Plays frame after frame, each one decoded in order, and halts on the last frame.
    if (!film_ || aktuellesBild() >= bildanzahl() - 1) {
        spielerHalt();
        return;
    }
    gehezu(aktuellesBild() + 1);
}

void TForm1::spielerHalt() { abspielTakt_->stop(); }

void TForm1::spielerEnde() {
    spielerHalt();
    gehezu(bildanzahl());
}

void TForm1::spielerAnfang() {
    spielerHalt();
    gehezu(0);
}

}  // namespace zebak::gui
