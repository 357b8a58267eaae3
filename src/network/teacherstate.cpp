// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacherstate.h"

#include "mailslotwire.h"

namespace quorvel {

namespace {

// One line of a grid cell: no tabs or line breaks (they would split the
// grid's text), no control characters, bounded length.
QString cellText(const QString& text) {
    QString cell = text.left(TeacherState::kMaxCellLength);
    for (QChar& c : cell) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return cell;
}

QString fieldText(const TeacherState::FieldResult& field) {
    QString text = QString(qMin(field.wrongAttempts, 99), QLatin1Char('f'));
    if (field.solved)
        text += QStringLiteral(" ok");
    return text.trimmed();
}

} // namespace

bool isParticipantId(const QString& id) {
    if (id.size() != kParticipantIdLength)
        return false;
    for (const QChar c : id) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return false;
    }
    return true;
}

TeacherState::TeacherState(Setup setup) : m_setup(std::move(setup)) {
    m_setup.fieldCount = qBound(0, m_setup.fieldCount, 100000);
}

QStringList TeacherState::headers() const {
    QStringList row{QStringLiteral("Nr."),
                    QStringLiteral("Rechner"),
                    QStringLiteral("Teilnehmer"),
                    QStringLiteral("Status"),
                    QStringLiteral("Beginn"),
                    m_setup.timeLimit ? QStringLiteral("Restzeit") : QStringLiteral("Zeit"),
                    QStringLiteral("Anz."),
                    QStringLiteral("Richtig"),
                    QStringLiteral("Falsch"),
                    QStringLiteral("Quote"),
                    QStringLiteral("Offen"),
                    QStringLiteral("Leistung"),
                    m_setup.gradeHeader};
    for (int k = 1; k <= m_setup.fieldCount; ++k)
        row << QString::number(k);
    return row;
}

QList<QStringList> TeacherState::grid() const {
    QList<QStringList> rows{headers()};
    for (const Participant& p : m_participants)
        rows << p.cells;
    if (m_participants.isEmpty())
        rows << QStringList(columnCount(), QString());
    return rows;
}

TeacherState::Participant* TeacherState::find(const QString& id, int* row) {
    const auto it = m_rows.constFind(id);
    if (it == m_rows.constEnd())
        return nullptr;
    *row = *it;
    return &m_participants[*it];
}

bool TeacherState::authentic(QStringList& lines) {
    if (!m_setup.key.active())
        return true;
    const std::optional<quint32> sequence = m_setup.key.verifyMessage(lines);
    if (!sequence) {
        ++m_rejected;
        return false;
    }
    // A replay of a message already taken is dropped; the ID is checked by
    // the handler (a replayed "TN-INIT" is a known ID).
    if (lines.size() > 1) {
        int row = -1;
        if (Participant* p = find(lines.at(1), &row)) {
            if (p->sequences.contains(*sequence)) {
                ++m_rejected;
                return false;
            }
            p->sequences.insert(*sequence);
        } else if (lines.constFirst() == QLatin1String("TN-INIT")) {
            m_pendingSequence = *sequence;
        }
    }
    return true;
}

TeacherState::Update TeacherState::handle(const QString& computer, const QString&,
                                          const QString& text) {
    if (text.size() > kMaxDatagram)
        return {};
    QStringList lines = messageLines(text);
    m_pendingSequence.reset();
    if (lines.isEmpty() || !authentic(lines))
        return {};
    const QString& name = lines.constFirst();
    if (name == QLatin1String("TN-INIT"))
        return init(computer, lines);
    if (name == QLatin1String("TN-AKTION"))
        return action(lines);
    if (name == QLatin1String("TN-FERTIG"))
        return finish(lines);
    if (name == QLatin1String("TN-BESTLIST"))
        return bestList(lines);
    return {};
}

TeacherState::Update TeacherState::init(const QString& computer, const QStringList& lines) {
    if (lines.size() < 4 || !isParticipantId(lines.at(1)) || m_rows.contains(lines.at(1)))
        return {};
    if (m_participants.size() >= kMaxParticipants) {
        ++m_refusedJoins;
        return {};
    }
    Participant p;
    p.id = lines.at(1);
    p.cells = QStringList(columnCount(), QString());
    p.fields.resize(static_cast<std::size_t>(m_setup.fieldCount));
    const int row = static_cast<int>(m_participants.size());
    p.cells[0] = QString::number(row + 1);
    p.cells[1] = cellText(computer);
    p.cells[2] = cellText(lines.at(2));
    p.cells[3] = netStatusName(NetStatus::Aktiv);
    p.cells[4] = cellText(lines.at(3));
    if (m_pendingSequence)
        p.sequences.insert(*m_pendingSequence);
    m_rows.insert(p.id, row);
    m_participants << std::move(p);
    return {row, true, {0, 1, 2, 3, 4}, std::nullopt};
}

TeacherState::Update TeacherState::action(const QStringList& lines) {
    int row = -1;
    Participant* p = lines.size() >= 15 ? find(lines.at(1), &row) : nullptr;
    if (!p)
        return {};
    const std::optional<qint64> index = strictInt(lines.at(2));
    if (!index)
        return {};
    Update update{row, false, {}, std::nullopt};
    // Only cells whose text changes are reported, so that only they repaint.
    const auto set = [&](int column, const QString& text) {
        if (p->cells[column] == text)
            return;
        p->cells[column] = text;
        update.columns << column;
    };
    const int status = lenientInt(lines.at(5));
    if (status >= 0 && status <= 3)
        set(3, netStatusName(static_cast<NetStatus>(status)));
    const struct {
        int column;
        int line;
        const char* suffix;
    } copies[] = {{4, 6, ""},    {5, 11, ""},  {6, 7, ""},     {7, 8, ""},  {8, 9, ""},
                  {9, 12, " %"}, {10, 10, ""}, {11, 13, " %"}, {12, 14, ""}};
    for (const auto& copy : copies)
        set(copy.column, cellText(lines.at(copy.line) + QLatin1String(copy.suffix)));
    const auto& numbers = m_setup.teacherNumbers;
    if (*index >= 0 && *index < static_cast<qint64>(numbers.size())) {
        const int number = numbers[static_cast<std::size_t>(*index)];
        if (number > 0 && number <= m_setup.fieldCount) {
            FieldResult& field = p->fields[static_cast<std::size_t>(number - 1)];
            field.wrongAttempts = qBound(0, lenientInt(lines.at(4)), 99);
            field.solved = lines.at(3) == QLatin1String("0") || lines.at(3) == QLatin1String("-2");
            field.answered = true;
            // Reported even when its text stays: its colour may change.
            p->cells[12 + number] = fieldText(field);
            update.columns << 12 + number;
        }
    }
    return update;
}

TeacherState::Update TeacherState::finish(const QStringList& lines) {
    int row = -1;
    Participant* p = lines.size() >= 4 ? find(lines.at(1), &row) : nullptr;
    if (!p)
        return {};
    Update update{row, false, {}, std::nullopt};
    const int status = lenientInt(lines.at(2));
    if (status >= 0 && status <= 3) {
        p->cells[3] = netStatusName(static_cast<NetStatus>(status));
        update.columns << 3;
    }
    p->cells[5] = cellText(lines.at(3));
    update.columns << 5;
    return update;
}

TeacherState::Update TeacherState::bestList(const QStringList& lines) {
    int row = -1;
    Participant* p = lines.size() >= 7 ? find(lines.at(1), &row) : nullptr;
    if (!p || p->bestListed)
        return {};
    const std::optional<double> start = strictReal(lines.at(4));
    const std::optional<qint64> duration = strictInt(lines.at(5));
    const std::optional<double> performance = strictReal(lines.at(6));
    if (!start || !duration || !performance || *duration < 0 || *duration > INT32_MAX ||
        *performance < 0.0 || *performance > 1.0 || *start < 0.0 || *start > 3e6)
        return {};
    p->bestListed = true;
    BestListDataTyp entry;
    entry.Name = cellText(lines.at(2));
    entry.Rechner = cellText(lines.at(3));
    entry.Beginn = *start;
    entry.Dauer = static_cast<qint32>(*duration);
    entry.Leistung = *performance;
    return {row, false, {}, entry};
}

} // namespace quorvel
