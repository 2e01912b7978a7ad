#include "gui/display/SequenceControls.h"

#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include "gui/display/PlayerPanel.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

SequenceControls::SequenceControls(Session& session, PlayerPanel& player, QWidget* panel)
    : QObject(panel), session_(session), player_(player) {
    const auto bar = [panel](const QString& name, const QString& hint, int top) {
        auto* b = new QScrollBar(Qt::Horizontal, panel);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setRange(0, 0);
        b->setPageStep(10);
        b->setGeometry(8, top, 280, 17);
        return b;
    };
    rangeStart_ = bar(QStringLiteral("ScrollBar2"),
                      QStringLiteral("Begin der eingeschränkten Filmsequenz"), 84);
    rangeEnd_ = bar(QStringLiteral("ScrollBar3"),
                    QStringLiteral("Ende der eingeschränkten Filmsequenz"), 120);
    makeLabel(QStringLiteral("AnfangLabel"), QStringLiteral("Anfang:"), QRect(8, 68, 60, 15),
              panel);
    makeLabel(QStringLiteral("EndeLabel"), QStringLiteral("Ende:"), QRect(8, 104, 60, 15), panel);
    startLabel_ =
        makeLabel(QStringLiteral("Label2"), QStringLiteral("0"), QRect(294, 84, 44, 17), panel);
    endLabel_ =
        makeLabel(QStringLiteral("Label3"), QStringLiteral("0"), QRect(294, 120, 44, 17), panel);
    connect(rangeStart_, &QScrollBar::valueChanged, this, &SequenceControls::startBarChanged);
    connect(rangeEnd_, &QScrollBar::valueChanged, this, &SequenceControls::endBarChanged);
    buildButtons(panel);
}

void SequenceControls::buildButtons(QWidget* panel) {
    // The stop button lies under the play button and comes out only while the range plays.
    for (QToolButton** button : {&stopButton_, &playRangeButton_}) {
        *button = new QToolButton(panel);
        (*button)->setGeometry(8, 148, 30, 28);
    }
    playRangeButton_->setObjectName(QStringLiteral("SpeedButton2"));
    playRangeButton_->setToolTip(QStringLiteral("Eingeschränkten Bereich abspielen"));
    playRangeButton_->setIcon(panel->style()->standardIcon(QStyle::SP_MediaSeekForward));
    stopButton_->setObjectName(QStringLiteral("SpeedButton1"));
    stopButton_->setIcon(panel->style()->standardIcon(QStyle::SP_MediaStop));
    stopButton_->hide();
    connect(playRangeButton_, &QToolButton::clicked, this, &SequenceControls::playRangeClicked);
    connect(stopButton_, &QToolButton::clicked, this, [this] { requestStop(); });
}

void SequenceControls::filmLoaded(int count) {
    for (QScrollBar* bar : {rangeStart_, rangeEnd_}) bar->setMaximum(count);
    rangeEnd_->setValue(count);
    rangeStart_->setValue(0);
}

void SequenceControls::showLabels(int count) {
    startLabel_->setText(QStringLiteral("0"));
    endLabel_->setText(QString::number(count));
}

void SequenceControls::setEndBar(int position) { rangeEnd_->setValue(position); }

void SequenceControls::setStartBar(int position) { rangeStart_->setValue(position); }

void SequenceControls::startBarChanged(int position) {
    if (position > rangeEnd_->value()) {
        rangeStart_->setValue(rangeEnd_->value());  // runs this handler again
        return;
    }
    session_.state().range.start = position;
    player_.showFrame(position);
    startLabel_->setText(QString::number(position));
}

void SequenceControls::endBarChanged(int position) {
    if (position < rangeStart_->value()) {
        rangeEnd_->setValue(rangeStart_->value());  // runs this handler again
        return;
    }
    session_.state().range.end = position;
    player_.showFrame(position);
    endLabel_->setText(QString::number(position));
}

void SequenceControls::playRangeClicked() {
    Measurement& state = session_.state();
    stopRequested_ = false;
    playRangeButton_->hide();
    stopButton_->show();
    player_.goToFrame(state.range.start);
    while (playNextFrame()) {
    }
    playRangeButton_->show();
    stopButton_->hide();
}

bool SequenceControls::playNextFrame() {
    const Measurement& state = session_.state();
    if (session_.film() == nullptr) return false;
    const int before = player_.currentFrame();
    player_.goToFrame(before + 1);
    player_.followFilm();
    session_.dialogs().loopPaused();
    pauseWithEvents(state.display.brakeMs);
    // Stops at the end bar, on the stop button, and at the end of the film (a bar moved
    // behind the film's position while it plays can then no longer be passed for ever).
    if (stopRequested_) return false;
    return player_.currentFrame() < state.range.end && player_.currentFrame() != before;
}

}  // namespace zebak::gui
