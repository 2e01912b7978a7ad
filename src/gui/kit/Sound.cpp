#include "gui/kit/Sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

// Q_INIT_RESOURCE must stand outside any namespace.
static void initZebakResources() { Q_INIT_RESOURCE(zebak); }

namespace zebak::gui {

void initResources() { initZebakResources(); }

namespace {
QString resourcePath(const QString& upperName) {
    return QStringLiteral(":/sounds/") + upperName + QStringLiteral(".wav");
}
}  // namespace

Sound::Sound(QObject* parent) : QObject(parent) {}

bool Sound::exists(const QString& name) { return QFile::exists(resourcePath(name.toUpper())); }

void Sound::play(const QString& name) {
    const QString key = name.toUpper();
    if (!exists(key)) return;
    lastPlayed_ = key;
    // Without an audio device there is nothing to play; a sound effect would still start
    // the audio backend's threads for nothing (and a test machine has no device).
    if (QMediaDevices::audioOutputs().isEmpty()) return;
    auto it = effects_.find(key);
    if (it == effects_.end()) {
        // Created on first use: a sound effect looks for an audio device when it is made.
        auto* effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath(key)));
        it = effects_.emplace(key, effect).first;
    }
    it->second->play();
}

void Sound::beep() {
    ++beeps_;
    QApplication::beep();
}

}  // namespace zebak::gui
