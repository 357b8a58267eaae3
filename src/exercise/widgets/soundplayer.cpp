// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundplayer.h"

#include "settings.h"
#include "shell.h"
#include "soundfile.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace quorvel {

namespace {

// The longest wait for the wrong sound when its length cannot be read.
constexpr int kLongestWaitMs = 5000;

int waitFor(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 duration = wavDurationMs(file);
    return duration < 0 ? kLongestWaitMs : int(std::min<qint64>(duration, kLongestWaitMs)) + 250;
}

} // namespace

SoundPlayer::SoundPlayer(Shell& shell, QStringList folders, QObject* parent)
    : QObject(parent), m_shell(shell), m_folders(std::move(folders)) {}

SoundPlayer::~SoundPlayer() = default;

QSoundEffect* SoundPlayer::effect() {
    // Without an audio device there is nothing to play on; the multimedia
    // back end is not even started then.
    if (QMediaDevices::audioOutputs().isEmpty())
        return nullptr;
    if (!m_effect)
        m_effect = new QSoundEffect(this);
    return m_effect;
}

QString SoundPlayer::prepare(const QString& nameAsSet) {
    if (!m_shell.settings().Sound) {
        stop();
        return {};
    }
    const SoundFile file = resolveSoundFile(nameAsSet, m_folders);
    if (file.path.isEmpty()) {
        m_shell.dialogs().error(file.error);
        return {};
    }
    stop();
    m_lastPlayed = file.path;
    return file.path;
}

void SoundPlayer::playRight(const QString& nameAsSet) {
    const QString path = prepare(nameAsSet);
    QSoundEffect* sound = path.isEmpty() ? nullptr : effect();
    if (!sound)
        return;
    sound->setSource(QUrl::fromLocalFile(path));
    sound->play();
}

void SoundPlayer::playWrong(const QString& nameAsSet) {
    const QString path = prepare(nameAsSet);
    QSoundEffect* sound = path.isEmpty() ? nullptr : effect();
    if (!sound)
        return;
    // Wait until it has played (or failed, or its time is over) while the
    // window repaints but takes no input.
    QEventLoop wait;
    bool started = false;
    connect(sound, &QSoundEffect::playingChanged, &wait, [&] {
        if (sound->isPlaying())
            started = true;
        else if (started)
            wait.quit();
    });
    connect(sound, &QSoundEffect::statusChanged, &wait, [&] {
        if (sound->status() == QSoundEffect::Error)
            wait.quit();
    });
    QTimer::singleShot(waitFor(path), &wait, &QEventLoop::quit);
    sound->setSource(QUrl::fromLocalFile(path));
    sound->play();
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void SoundPlayer::stop() {
    if (m_effect)
        m_effect->stop();
}

} // namespace quorvel
