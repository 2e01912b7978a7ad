#include "gui/main/PlayerPanel.h"

#include <QCheckBox>

#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "gui/app/Dialogs.h"
#include "gui/app/Session.h"
#include "gui/app/WidgetKit.h"
#include "gui/main/MediaPlayerBar.h"
#include "gui/positions/TForm6.h"
#include "gui/search/TForm3.h"

namespace zebak::gui {

PlayerPanel::PlayerPanel(Session& session, QWidget* area, QObject* owner)
    : QObject(owner), session_(session) {
    panel_ = makePanel(area);
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setGeometry(5, 320, 340, 230);
    mediaPlayer_ = new MediaPlayerBar(*this, panel_);
    connect(mediaPlayer_, &MediaPlayerBar::notified, this, &PlayerPanel::MediaPlayer1Notify);
    buildBars();
    buildRangePlayback();
    panel_->hide();

    barTimer_ = new QTimer(this);
    barTimer_->setObjectName(QStringLiteral("Timer1"));
    barTimer_->setInterval(500);
    connect(barTimer_, &QTimer::timeout, this, &PlayerPanel::Timer1Timer);
}

void PlayerPanel::setWindows(TForm3* display, TForm6* manual) {
    display_ = display;
    manual_ = manual;
}

void PlayerPanel::buildBars() {
    frameLabel_ =
        makeLabel(QStringLiteral("Label1"), QStringLiteral("0/0"), QRect(246, 12, 90, 17), panel_);
    const auto bar = [this](const QString& name, const QString& hint, int top) {
        auto* b = new QScrollBar(Qt::Horizontal, panel_);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setRange(0, 0);
        b->setPageStep(10);
        b->setGeometry(8, top, 280, 17);
        return b;
    };
    position_ =
        bar(QStringLiteral("ScrollBar1"), QStringLiteral("Aktuelle Position des Filmes"), 48);
    rangeStart_ = bar(QStringLiteral("ScrollBar2"),
                      QStringLiteral("Begin der eingeschränkten Filmsequenz"), 84);
    rangeEnd_ = bar(QStringLiteral("ScrollBar3"),
                    QStringLiteral("Ende der eingeschränkten Filmsequenz"), 120);
    makeLabel(QStringLiteral("AnfangLabel"), QStringLiteral("Anfang:"), QRect(8, 68, 60, 15),
              panel_);
    makeLabel(QStringLiteral("EndeLabel"), QStringLiteral("Ende:"), QRect(8, 104, 60, 15), panel_);
    startLabel_ =
        makeLabel(QStringLiteral("Label2"), QStringLiteral("0"), QRect(294, 84, 44, 17), panel_);
    endLabel_ =
        makeLabel(QStringLiteral("Label3"), QStringLiteral("0"), QRect(294, 120, 44, 17), panel_);
    connect(position_, &QScrollBar::actionTriggered, this, [this] { ScrollBar1Scroll(); });
    connect(rangeStart_, &QScrollBar::valueChanged, this, &PlayerPanel::ScrollBar2Change);
    connect(rangeEnd_, &QScrollBar::valueChanged, this, &PlayerPanel::ScrollBar3Change);
}

void PlayerPanel::buildRangePlayback() {
    // The stop button lies under the play button and comes out only while the range plays.
    for (QToolButton** button : {&stopButton_, &playRangeButton_}) {
        *button = new QToolButton(panel_);
        (*button)->setGeometry(8, 148, 30, 28);
    }
    playRangeButton_->setObjectName(QStringLiteral("SpeedButton2"));
    playRangeButton_->setToolTip(QStringLiteral("Eingeschränkten Bereich abspielen"));
    playRangeButton_->setIcon(panel_->style()->standardIcon(QStyle::SP_MediaSeekForward));
    stopButton_->setObjectName(QStringLiteral("SpeedButton1"));
    stopButton_->setIcon(panel_->style()->standardIcon(QStyle::SP_MediaStop));
    stopButton_->hide();
    connect(playRangeButton_, &QToolButton::clicked, this, &PlayerPanel::SpeedButton2Click);
    connect(stopButton_, &QToolButton::clicked, this,
            [this] { session_.state().AbspielenStopp = 1; });

    frameRate_ = new QSpinBox(panel_);
    frameRate_->setObjectName(QStringLiteral("SpinEdit1"));
    frameRate_->setRange(1, 100000);  // a rate of 0 or less would make every time undefined
    frameRate_->setValue(25);
    frameRate_->setGeometry(170, 150, 60, 24);
    // The time column of the tables is computed from this rate: the state follows every change.
    connect(frameRate_, &QSpinBox::valueChanged, this,
            [this](int rate) { session_.state().analyse.framesPerSecond = rate; });
    makeLabel(QStringLiteral("BilderProSekunde"), QStringLiteral("Bilder/s"),
              QRect(236, 154, 60, 17), panel_);
    sizeLabel_ = makeLabel(QStringLiteral("Label5"), QString(), QRect(8, 186, 320, 17), panel_);
    // Frame times from the film instead of "Bilder/s", for films whose frames are unevenly
    // spaced; usable whenever the film gives its frames' times.
    timesFromFilm_ = new QCheckBox(QStringLiteral("Zeiten aus dem Film"), panel_);
    timesFromFilm_->setObjectName(QStringLiteral("ZeitenAusDemFilm"));
    timesFromFilm_->setGeometry(8, 206, 200, 20);
    timesFromFilm_->setEnabled(false);
    connect(timesFromFilm_, &QCheckBox::toggled, this,
            [this](bool on) { session_.state().analyse.timesFromFilm = on; });
}

// ---- the film ----------------------------------------------------------------------------

void PlayerPanel::goToFrame(int n) {
    FrameSource* film = session_.film();
    if (film == nullptr) return;
    try {
        film->seek(n);
    } catch (const std::exception& error) {
        // A film that breaks off while it is read: say so once and stop any playback.
        stopPlayer();
        session_.state().AbspielenStopp = 1;
        session_.dialogs().message(panel_->window(), MessageKind::Error,
                                   QString::fromUtf8(error.what()), QMessageBox::Ok);
    }
    if (display_ != nullptr) display_->update();
}

int PlayerPanel::currentFrame() const {
    return session_.film() != nullptr ? session_.film()->currentFrame() : 0;
}

int PlayerPanel::frameCount() const {
    return session_.film() != nullptr ? session_.film()->frameCount() : 0;
}

void PlayerPanel::filmLoaded(const QString& sizeText) {
    sizeLabel_->setText(sizeText);
    Bildnummer();
    const int count = frameCount();
    for (QScrollBar* bar : {position_, rangeStart_, rangeEnd_}) bar->setMaximum(count);
    rangeEnd_->setValue(count);
    rangeStart_->setValue(0);
    frameRate_->setValue(session_.state().analyse.framesPerSecond);
    timesFromFilm_->setEnabled(!session_.state().analyse.frameTimesS.empty());
    setTimesFromFilm(session_.state().analyse.timesFromFilm);
}

void PlayerPanel::setTimesFromFilm(bool on) {
    timesFromFilm_->setChecked(on);
    session_.state().analyse.timesFromFilm = on;
}

void PlayerPanel::showAfterLoad() {
    mediaPlayer_->bar()->setFixedWidth(231);
    panel_->show();
    startLabel_->setText(QStringLiteral("0"));
    endLabel_->setText(QString::number(frameCount()));
    barTimer_->start();
    goToFrame(frameCount());
    goToFrame(0);
    goToFrame(position_->value());
    pauseWithEvents(100);
}

void PlayerPanel::setEndBar(int position) { rangeEnd_->setValue(position); }

void PlayerPanel::setStartBar(int position) { rangeStart_->setValue(position); }

void PlayerPanel::stopPlayer() { mediaPlayer_->stop(); }

double PlayerPanel::filmRate() const {
    return session_.film() != nullptr ? session_.film()->description().fps : 0.0;
}

void PlayerPanel::Filmerscheine() {
    const int kept = position_->value();
    goToFrame(frameCount());
    pauseWithEvents(40);
    goToFrame(kept);
    pauseWithEvents(40);
}

bool PlayerPanel::filmSichtbar() const {
    if (session_.film() == nullptr) return false;
    const RgbFrame& frame = session_.film()->frame();
    for (int i = 1; i <= 10; ++i)
        if (frame.pixel(10 * i, 10 * i) != frame.pixel(10 * (i + 1), 10 * (i + 1))) return true;
    return false;
}

// ---- navigation --------------------------------------------------------------------------

void PlayerPanel::Bildnummer() {
    frameLabel_->setText(QStringLiteral("%1/%2").arg(currentFrame()).arg(frameCount()));
}

void PlayerPanel::setFrameLabels(int position) {
    goToFrame(position);
    position_->setValue(position);
    frameLabel_->setText(QStringLiteral("%1/%2").arg(position).arg(frameCount()));
}

void PlayerPanel::ScrollBar1Scroll() {
    // The bar already stands at the scrolled position; Label1 follows at the next tick.
    const int target = position_->sliderPosition();
    Bildnummer();
    goToFrame(target);
}

void PlayerPanel::ScrollBar2Change(int position) {
    if (position > rangeEnd_->value()) {
        rangeStart_->setValue(rangeEnd_->value());  // runs this handler again
        return;
    }
    session_.state().analyse.sequenceStart = position;
    setFrameLabels(position);
    startLabel_->setText(QString::number(position));
}

void PlayerPanel::ScrollBar3Change(int position) {
    if (position < rangeStart_->value()) {
        rangeEnd_->setValue(rangeStart_->value());  // runs this handler again
        return;
    }
    session_.state().analyse.sequenceEnd = position;
    setFrameLabels(position);
    endLabel_->setText(QString::number(position));
}

void PlayerPanel::Timer1Timer() {
    const int now = currentFrame();
    if (now != position_->value()) {
        position_->setValue(now);
        if (manual_ != nullptr) manual_->Label3()->setText(QString::number(now));
    }
    // Also after a scroll, which leaves the bar and the film together but the label behind.
    Bildnummer();
}

void PlayerPanel::SpeedButton2Click() {
    ProgramState& state = session_.state();
    state.AbspielenStopp = 0;
    playRangeButton_->hide();
    stopButton_->show();
    goToFrame(state.analyse.sequenceStart);
    while (playNextFrame()) {
    }
    playRangeButton_->show();
    stopButton_->hide();
}

bool PlayerPanel::playNextFrame() {
    const ProgramState& state = session_.state();
    if (session_.film() == nullptr) return false;
    const int before = currentFrame();
    goToFrame(before + 1);
    position_->setValue(currentFrame());
    pauseWithEvents(state.analyse.anzeige.bremseMs);
    // Stops at the end bar, on the stop button, and at the end of the film (a bar moved
    // behind the film's position while it plays can then no longer be passed for ever).
    if (state.AbspielenStopp == 1) return false;
    return currentFrame() < state.analyse.sequenceEnd && currentFrame() != before;
}

// ---- the player's own buttons ------------------------------------------------------------

void PlayerPanel::MediaPlayer1Notify() {
    if (manual_ != nullptr) manual_->Label3()->setText(QString::number(currentFrame()));
}

}  // namespace zebak::gui
