// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciserun.h"
#include "netmessages.h"
#include "participantlink.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace quorvel {

class RandomGenerator;
struct Settings;

// The run a participant PC starts: its own settings for the document type
// with the teacher's options and grading over them, as a network
// participant's run, named `name`, started at `start` (the joining time).
StartRequest participantRequest(DokTyp dokTyp, const Settings& own, const NetzUebSettings& teacher,
                                const QString& name, const QDateTime& start);

// A participant PC's side of a network exercise, without a window: it joins
// ("TN-INIT") and listens to the run it is given as one of its observers,
// reporting every judged answer ("TN-AKTION") and the end ("TN-FERTIG", and
// "TN-BESTLIST" for a completed or timed-out run). One object per joining:
// the end is reported once, and nothing after it. It never clears the
// exchange files; only the teacher does.
class NetworkParticipant : public QObject {
    Q_OBJECT
public:
    // `channel` null: the folder-only method (message files). The channel
    // only sends, so it need not be active. `computer` is what the best-list
    // entry names as this participant's computer.
    NetworkParticipant(const ExchangeFiles& files, TMailSlotChannel* channel,
                       const NetworkInvitation& invitation, QString name, QString computer,
                       RandomGenerator& random, QObject* parent = nullptr);
    ~NetworkParticipant() override;

    const QString& id() const { return m_link.id(); }
    const QString& name() const { return m_name; }
    ParticipantLink& link() { return m_link; }

    // "TN-INIT" with the time of day of `start`.
    void join(const QDateTime& start);
    // Reports the answers and the end of `run` until it ends; `run` must
    // outlive this object or be released first.
    void observe(ExerciseRun& run);
    void release();
    // The program closes, or the run could not start: a joining whose end
    // was not reported yet is reported as aborted (status 2) without
    // touching the run, and nothing more is reported.
    void leave();

    // The end went out (or is queued).
    bool endReported() const { return m_endReported; }
    // Nothing waits to be sent.
    bool idle() const { return m_link.idle(); }
    // Sends what is queued, waiting at most `ms` (the program's exit).
    void flush(int ms);

    // The status code of a run's end reason.
    static NetStatus statusOf(EndReason reason);
    // The time of day as the messages carry it.
    static QString timeText(const QDateTime& time);

Q_SIGNALS:
    // A message file could not be written.
    void problem(const QString& message);

private:
    void handle(const ExerciseEvent& event);
    void reportAnswer(int object);
    void reportEnd();

    ParticipantLink m_link;
    QString m_name;
    QString m_computer;
    ExerciseRun* m_run = nullptr;
    int m_observer = 0;
    bool m_joined = false;
    bool m_endReported = false;
    bool m_seenRunning = false; // the run of this joining has begun
};

} // namespace quorvel
