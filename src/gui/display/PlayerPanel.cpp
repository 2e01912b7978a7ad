#include "gui/display/PlayerPanel.h"

#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include "gui/display/DisplayWindow.h"
#include "gui/display/FilmTimeFields.h"
#include "gui/display/MediaPlayerBar.h"
#include "gui/display/SequenceControls.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

PlayerPanel::PlayerPanel(Session& session, QWidget* area, QObject* owner)
    : QObject(owner), session_(session) {
    panel_ = makePanel(area);
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setGeometry(5, 320, 340, 230);
    mediaPlayer_ = new MediaPlayerBar(*this, panel_);
    connect(mediaPlayer_, &MediaPlayerBar::notified, this, &PlayerPanel::playerNotified);
    frameLabel_ =
        makeLabel(QStringLiteral("Label1"), QStringLiteral("0/0"), QRect(246, 12, 90, 17), panel_);
    position_ = new QScrollBar(Qt::Horizontal, panel_);
    position_->setObjectName(QStringLiteral("ScrollBar1"));
    position_->setToolTip(QStringLiteral("Aktuelle Position des Filmes"));
    position_->setRange(0, 0);
    position_->setPageStep(10);
    position_->setGeometry(8, 48, 280, 17);
    connect(position_, &QScrollBar::actionTriggered, this, [this] { positionBarScrolled(); });
    sequence_ = new SequenceControls(session_, *this, panel_);
    times_ = new FilmTimeFields(session_, panel_);
    panel_->hide();

    barTimer_ = new QTimer(this);
    barTimer_->setObjectName(QStringLiteral("Timer1"));
    barTimer_->setInterval(500);
    connect(barTimer_, &QTimer::timeout, this, &PlayerPanel::barTimerTicked);
}

void PlayerPanel::setWindows(DisplayWindow* display, std::function<void(int)> showManualFrame) {
    display_ = display;
    showManualFrame_ = std::move(showManualFrame);
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
        sequence_->requestStop();
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
    showFrameNumber();
    const int count = frameCount();
    position_->setMaximum(count);
    sequence_->filmLoaded(count);
    times_->filmLoaded(sizeText);
}

void PlayerPanel::showAfterLoad() {
    mediaPlayer_->bar()->setFixedWidth(231);
    panel_->show();
    sequence_->showLabels(frameCount());
    barTimer_->start();
    goToFrame(frameCount());
    goToFrame(0);
    goToFrame(position_->value());
    pauseWithEvents(100);
}

void PlayerPanel::stopPlayer() { mediaPlayer_->stop(); }

double PlayerPanel::filmRate() const {
    return session_.film() != nullptr ? session_.film()->description().fps : 0.0;
}

void PlayerPanel::makeFilmAppear() {
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

void PlayerPanel::showFrameNumber() {
    frameLabel_->setText(QStringLiteral("%1/%2").arg(currentFrame()).arg(frameCount()));
}

void PlayerPanel::showFrame(int position) {
    goToFrame(position);
    position_->setValue(position);
    frameLabel_->setText(QStringLiteral("%1/%2").arg(position).arg(frameCount()));
}

void PlayerPanel::followFilm() { position_->setValue(currentFrame()); }

void PlayerPanel::positionBarScrolled() {
    // The bar already stands at the scrolled position; Label1 follows at the next tick.
    const int target = position_->sliderPosition();
    showFrameNumber();
    goToFrame(target);
}

void PlayerPanel::barTimerTicked() {
    const int now = currentFrame();
    if (now != position_->value()) {
        position_->setValue(now);
        if (showManualFrame_) showManualFrame_(now);
    }
    // Also after a scroll, which leaves the bar and the film together but the label behind.
    showFrameNumber();
}

// ---- the player's own buttons ------------------------------------------------------------

void PlayerPanel::playerNotified() {
    if (showManualFrame_) showManualFrame_(currentFrame());
}

}  // namespace zebak::gui
