#include "gui/display/MediaPlayerBar.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "gui/display/PlayerPanel.h"

namespace zebak::gui {

MediaPlayerBar::MediaPlayerBar(PlayerPanel& player, QWidget* panel)
    : QObject(&player), player_(player) {
    bar_ = new QWidget(panel);
    bar_->setObjectName(QStringLiteral("MediaPlayer1"));
    bar_->setToolTip(QStringLiteral("Steuerungsleiste für den Film"));
    bar_->setGeometry(8, 6, 231, 30);
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    const auto button = [this, row](const char* name, QStyle::StandardPixmap icon,
                                    const std::function<void()>& handler) {
        auto* b = new QToolButton(bar_);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(bar_->style()->standardIcon(icon));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        row->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, handler] {
            handler();
            Q_EMIT notified();
        });
    };
    button("btPlay", QStyle::SP_MediaPlay, [this] { play(); });
    button("btPause", QStyle::SP_MediaPause, [this] { stop(); });
    button("btStop", QStyle::SP_MediaStop, [this] { stop(); });
    button("btNext", QStyle::SP_MediaSkipForward, [this] {
        stop();
        player_.goToFrame(player_.frameCount());
    });
    button("btPrev", QStyle::SP_MediaSkipBackward, [this] {
        stop();
        player_.goToFrame(0);
    });
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &MediaPlayerBar::step);
}

void MediaPlayerBar::stop() { clock_->stop(); }

void MediaPlayerBar::play() {
    if (player_.currentFrame() >= player_.frameCount() - 1) return;
    const double fps = player_.filmRate();
    clock_->start(std::max(1, static_cast<int>(1000.0 / (fps > 0.0 ? fps : 25.0))));
}

void MediaPlayerBar::step() {
    // Plays frame after frame, each one decoded in order, and halts on the last frame.
    if (player_.frameCount() == 0 || player_.currentFrame() >= player_.frameCount() - 1) {
        stop();
        return;
    }
    player_.goToFrame(player_.currentFrame() + 1);
}

}  // namespace zebak::gui
