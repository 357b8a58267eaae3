#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QSoundEffect;

namespace quorvel {

class UserPrompter;

// Plays the feedback sounds. The right sound plays asynchronously; the wrong
// sound is waited for, taking no input meanwhile, so the exercise goes on
// after it. With the sound switched off nothing plays and a playing sound
// stops. A missing file gives its message each time; without an audio
// device the sounds are looked up but nothing is heard.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // `folders`: where names without folder are looked up, in order
    // (soundFolders()); `soundOn` tells whether "&Tonausgabe" is on.
    // `prompter` must outlive the player.
    SoundPlayer(UserPrompter& prompter, QStringList folders, std::function<bool()> soundOn,
                QObject* parent = nullptr);
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

    UserPrompter& m_prompter;
    QStringList m_folders;
    std::function<bool()> m_soundOn;
    QSoundEffect* m_effect = nullptr;
    QString m_lastPlayed;
};

} // namespace quorvel
