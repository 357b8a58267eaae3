// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QSoundEffect;

namespace quorvel {

class Shell;

// Plays the feedback sounds. The right sound plays asynchronously; the wrong
// sound is waited for, taking no input meanwhile, so the exercise goes on
// after it. With the sound switched off nothing plays and a playing sound
// stops. A missing file gives its message each time; without an audio
// device the sounds are looked up but nothing is heard.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // `folders`: where names without folder are looked up, in order
    // (soundFolders()). The shell's settings say whether "&Tonausgabe" is
    // on; its dialogs show the missing-file message.
    SoundPlayer(Shell& shell, QStringList folders, QObject* parent = nullptr);
    ~SoundPlayer() override;

    void playRight(const QString& nameAsSet);
    void playWrong(const QString& nameAsSet);
    void stop();

    // The file last started (also without an audio device); empty when none.
    QString lastPlayed() const { return m_lastPlayed; }
    const QStringList& folders() const { return m_folders; }

private:
    // The file to play, or empty after its message (or with the sound off).
    QString prepare(const QString& nameAsSet);
    QSoundEffect* effect();

    Shell& m_shell;
    QStringList m_folders;
    QSoundEffect* m_effect = nullptr;
    QString m_lastPlayed;
};

} // namespace quorvel
