// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciserun.h"
#include "grading.h"
#include "uebungssitzung.h"

#include <QString>

namespace quorvel {

// What the result window "Übung beendet" shows of an ended run, as text.
struct ExerciseResult {
    QString richtig;        // "7  von  8"
    QString fehlversuche;   // "1"
    QString erfolgsquote;   // "87.5 %"
    QString timeLabel;      // "Verbliebene Zeit:" with a time limit, else "Benötigte Zeit:"
    QString timeValue;      // "01:05"
    QString offen;          // "0"
    QString gesamtleistung; // "87.5 %"
    QString bewertung;      // "gut"
    QString gradeLabel;     // "Note:" or "Punkte:"
    QString gradeValue;     // "2"
    double leistung = 0.0;  // `Gesamtleistung`, for the chart
    GradingTable grading;   // the run's scale and thresholds
    // The choice between a complete and a partial repetition is offered only
    // after failed attempts of an individual run; else the complete one.
    bool repetitionChoice = false;
};

ExerciseResult exerciseResultOf(const ExerciseRun& run);

// The request that starts `run` again after its end, as "Übung wiederholen"
// does: `previous` (the same kind and settings) with `repetitionMode` where
// the result window offers the choice and a complete run elsewhere, starting
// at `start`.
StartRequest repetitionRequest(const ExerciseRun& run, StartRequest previous,
                               RepetitionMode repetitionMode, const QDateTime& start);

} // namespace quorvel
