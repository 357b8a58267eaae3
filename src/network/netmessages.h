// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

// The four messages a participant sends to the teacher, as line lists (the
// channel or the message file carries them joined with CR LF).

// The exercise status of a participant.
enum class NetStatus { Aktiv = 0, Fertig = 1, Abgebrochen = 2, Timeout = 3 };
// "aktiv", "fertig", "abgebr.", "timeout".
QString netStatusName(NetStatus status);

// A participant's ID: 30 letters A to Z, made once per joining.
inline constexpr int kParticipantIdLength = 30;

struct TnAktionData {
    QString id;
    int objectIndex = -1;  // the object answered, in document order
    int state = 0;         // its state after the evaluation
    int wrongAttempts = 0; // wrong attempts on it so far
    NetStatus status = NetStatus::Aktiv;
    QString startTime; // time of day, long format
    int queryCount = 0;
    double right = 0; // fractions only for multiple choice
    double wrong = 0;
    bool fractional = false;
    int open = 0;
    QString clock; // "mm:ss" as the participant sees it
    int grade = 0; // grade or points of the performance
};

QStringList tnInit(const QString& id, const QString& name, const QString& startTime);
QStringList tnAktion(const TnAktionData& data);
QStringList tnFertig(const QString& id, NetStatus status, const QString& clock);
// `startDays`: days since 30 December 1899 with the time of day as fraction.
QStringList tnBestlist(const QString& id, const QString& name, const QString& computer,
                       double startDays, qint64 durationMs, double performance);

// Quota and performance lines: one decimal with a point, 0.0 when undefined.
QString quotaText(double right, double wrong);
QString performanceText(double right, double wrong, int open);

// Status codes and counts as the teacher reads them: blanks removed, the
// rest rounded to the nearest integer, anything else 0.
int lenientInt(const QString& text);
// Numbers that must be right or the message is ignored; a decimal comma or
// point is accepted alike (the sender's locale decides which it wrote).
std::optional<qint64> strictInt(const QString& text);
std::optional<double> strictReal(const QString& text);

} // namespace quorvel
