// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchangefiles.h"
#include "ioresult.h"
#include "lessoncode.h"
#include "netmessages.h"
#include "netsettingsfile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <deque>

namespace quorvel {

class RandomGenerator;
class TMailSlotChannel;

// What a participant PC takes from the communication folder before it joins:
// the teacher's settings and the document copy, checked against the lesson
// code when the teacher set one. The document is read once into memory, so
// what was checked is what is shown.
struct NetworkInvitation {
    NetzUebSettings settings;
    QByteArray document;
    LessonKey key;
};

// Reads and checks the invitation. Failures carry the program's message:
// "Fehler beim Einlesen der Datei" with the path for a settings file that
// cannot be read, "Der Unterrichtscode ist falsch." for a wrong or missing
// code, and msgCannotRead for a document copy that cannot be read or does not
// match the teacher's tag.
IoResult readInvitation(const ExchangeFiles& files, const QString& lessonCode,
                        NetworkInvitation& invitation);

QString msgWrongLessonCode();

// A new participant ID: 30 letters A to Z.
QString newParticipantId(RandomGenerator& random);

// Sends a participant's messages to the teacher over the exercise's method.
// Datagrams can be lost: the join and the end messages go out several times
// (the teacher keeps one of each), and the end waits as it always has before
// "TN-FERTIG" and "TN-BESTLIST". With a lesson code every message carries its
// tag and a sequence number of its own. Message files go out one at a time,
// each once the teacher took the one before (see pump()).
class ParticipantLink : public QObject {
    Q_OBJECT
public:
    // `channel` null: the folder-only method, message files in `files`.
    ParticipantLink(ExchangeFiles files, TMailSlotChannel* channel, QString master, LessonKey key,
                    QString id, RandomGenerator& random, QObject* parent = nullptr);

    const QString& id() const { return m_id; }
    // The names a message file carries; the login and host names by default.
    void setLocalNames(const QString& user, const QString& computer);

    void sendInit(const QString& name, const QString& startTime);
    void sendAction(const TnAktionData& data);
    // "TN-FERTIG", then for a completed or timed-out run "TN-BESTLIST".
    void sendEnd(NetStatus status, const QString& clock, const QStringList& bestList);

    // Nothing is waiting to be sent.
    bool idle() const { return m_queue.empty(); }
    // How often a message that must arrive is sent over the channel.
    static constexpr int kRepeats = 3;

Q_SIGNALS:
    void allSent();
    // A message file could not be written.
    void problem(const QString& message);

private:
    struct Pending {
        QStringList lines;
        int delayMs;
    };
    void send(const QStringList& lines);
    void enqueue(const QStringList& lines, int delayMs, bool repeat);
    void pump();
    // The folder-only method: the last message file is still there.
    bool waitsForTeacher() const;

    ExchangeFiles m_files;
    TMailSlotChannel* m_channel;
    QString m_master;
    LessonKey m_key;
    QString m_id;
    RandomGenerator& m_random;
    QString m_user;
    QString m_computer;
    quint32 m_sequence = 0;
    std::deque<Pending> m_queue;
    bool m_pumping = false;
    QString m_lastFile;
    QElapsedTimer m_lastWritten;
};

} // namespace quorvel
