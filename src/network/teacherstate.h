// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bestlist.h"
#include "lessoncode.h"
#include "netmessages.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace quorvel {

// The teacher's view of a running network exercise: one row per participant
// in order of joining, updated by every message from either transport. Pure
// state: the caller receives, shows and appends the best-list entries.
//
// Everything that arrives is hostile: a message with missing lines, an
// unknown ID or a strict number that is no number changes nothing; a message
// that arrives twice never adds a second row or a second best-list entry for
// the same ID; the rows stop at kMaxParticipants.
class TeacherState {
public:
    // The participant rows a display shows at most; "TN-INIT" beyond is ignored
    // (and counted), so a flood of forged joins cannot grow the grid without end.
    static constexpr int kMaxParticipants = 250;
    // Cells are cut to this many characters; names are 20 in the start dialog.
    static constexpr int kMaxCellLength = 64;

    struct Setup {
        int fieldCount = 0;              // per-field columns (0 in text-input mode)
        std::vector<int> teacherNumbers; // per object index: the teacher's query number
        bool timeLimit = false;          // column 5 reads "Restzeit"
        QString gradeHeader = QStringLiteral("Note");
        LessonKey key; // inactive: the plain wire format
    };

    // What a field shows for one participant.
    struct FieldResult {
        int wrongAttempts = 0;
        bool solved = false;
        bool answered = false;
    };

    struct Participant {
        QString id;
        QStringList cells; // 13 + fieldCount
        std::vector<FieldResult> fields;
        bool bestListed = false;
        QSet<quint32> sequences; // tag sequence numbers seen (with a lesson code)
    };

    // What one message changed.
    struct Update {
        int row = -1; // 0-based participant row; -1 when nothing changed
        bool rowAdded = false;
        QList<int> columns;
        std::optional<BestListDataTyp> bestListEntry;
    };

    explicit TeacherState(Setup setup);

    Update handle(const QString& computer, const QString& user, const QString& text);

    const QList<Participant>& participants() const { return m_participants; }
    int columnCount() const { return 13 + m_setup.fieldCount; }
    int fieldCount() const { return m_setup.fieldCount; }
    // Per object index: the teacher's query number of that object.
    const std::vector<int>& teacherNumbers() const { return m_setup.teacherNumbers; }
    QStringList headers() const;
    // The grid as the control display shows it: the header row, then one row
    // per participant, at least one (empty) data row.
    QList<QStringList> grid() const;

    // Messages dropped for a missing or wrong lesson-code tag or a replayed
    // sequence number.
    int rejectedCount() const { return m_rejected; }
    // "TN-INIT" messages refused because the grid was full.
    int refusedJoins() const { return m_refusedJoins; }

private:
    Participant* find(const QString& id, int* row);
    Update init(const QString& computer, const QStringList& lines);
    Update action(const QStringList& lines);
    Update finish(const QStringList& lines);
    Update bestList(const QStringList& lines);
    bool authentic(QStringList& lines);

    Setup m_setup;
    QList<Participant> m_participants;
    QHash<QString, int> m_rows;
    std::optional<quint32> m_pendingSequence; // of a "TN-INIT" being handled
    int m_rejected = 0;
    int m_refusedJoins = 0;
};

// The ID rule: 30 letters A to Z.
bool isParticipantId(const QString& id);

} // namespace quorvel
