// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "grading.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace quorvel {

// Who runs the exercise (`SitzungsArt`).
enum class SessionKind : int {
    Individual = 0,
    NetworkParticipant = 1,
    NetworkTeacher = 2,
    SeriesPart = 10
};

// Why the run ended (`EndeGrund`).
enum class EndReason : int { Running = 0, Completed = 1, Aborted = 2, TimeOut = 3 };

// Which queries a start asks: every one, only those missed at the first
// attempt of the run before, or none (a start that only shows the page).
enum class RepetitionMode : int { Complete = 0, OnlyMissed = 1, Nothing = 2 };

// One entry of `AbfrageFolge`: the object offered as card and the object it
// belongs to as target (-1: a distractor card without target).
struct QueryPair {
    int card = -1;
    int target = -1;
    friend bool operator==(const QueryPair&, const QueryPair&) = default;
};

// The one exercise run, reset at each start.
struct UebungsSitzung {
    SessionKind SitzungsArt = SessionKind::Individual;
    int AbfrageAnz = 0;
    int AbfrageAnzGesamt = 0;
    int FalschwortAnz = 0;
    double Richtig = 0.0;
    double Fehlversuche = 0.0;
    double Erfolgsquote = 0.0;
    double Gesamtleistung = 0.0;
    int OffenAnz = 0;
    EndReason EndeGrund = EndReason::Running;
    qint64 StartTick = 0; // on the run's clock
    QDateTime StartZeit;
    int Restzeit = 0;
    std::vector<QueryPair> AbfrageFolge;
    int AktIndex = 0;
    int Zielobjekt = -1;
    int Zweitobjekt = -1;
    QString TeilnehmerName;
    QString preamble; // the protocol texts
    // UTF-8: the one text that grows with every answer, kept at about a byte
    // a character.
    QByteArray body;
    QString seriesText;
    int Note = 0;

    UebEinstellungen settings; // the snapshot this run works with
    GradingTable grading;
};

// The figures of the status bar after every evaluation: `Erfolgsquote` and
// `Gesamtleistung` from the counters (0 when the sum is 0).
void updateQuotes(UebungsSitzung& run);

} // namespace quorvel
