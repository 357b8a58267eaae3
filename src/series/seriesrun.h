// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading.h"
#include "seriespackage.h"

#include <QString>

namespace quorvel {

// What a series has when its last part ended.
struct SeriesResult {
    double performance = 0.0; // weighted overall performance, 0..1
    int grade = 0;
    QString gradeName;  // "Bewertung:"
    QString gradeLabel; // "Note:" or "Punkte:"
    QString protocol;   // the series protocol (markup text, CR LF)
};

// The state of one exercise series while it runs: which part is due, the
// weights and the weighted performances so far, and the part protocols.
// Whoever shows the parts (the window, the tool) starts each part's
// exercise with partSettings() and tells partEnded() how it went.
class SeriesRun {
public:
    // `series.entries` are the parts in order (inactive ones are left out);
    // `packagePath` is empty when the series runs from the dialog.
    SeriesRun(SeriesPackage series, QString packagePath);

    int partCount() const { return static_cast<int>(m_series.entries.size()); }
    // The 0-based part due next; partCount() when every part has ended.
    int currentPart() const { return m_current; }
    bool finished() const { return m_current >= partCount(); }
    const UebungsserieDokTyp& currentEntry() const;
    const SeriesPackage& series() const { return m_series; }
    const QString& packagePath() const { return m_packagePath; }

    // What the current entry sets for its exercise.
    SeriesPartSettings partSettings() const;

    // Records the ended current part with its overall performance (0..1)
    // and its protocol; returns the message shown between parts
    // ("Teilübung Nr. 1 von 3 ist beendet." ...).
    QString partEnded(double gesamtleistung, const QString& preamble, const QString& body);

    // The result after the last part, graded on `table`, for participant
    // `name` (empty: "(kein Name)").
    SeriesResult result(const GradingTable& table, const QString& name) const;

private:
    SeriesPackage m_series;
    QString m_packagePath;
    int m_current = 0;
    double m_weightSum = 0.0;
    double m_weightedSum = 0.0;
    QString m_partProtocols;
};

} // namespace quorvel
