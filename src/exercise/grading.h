// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace quorvel {

struct Settings;

// The five school scales (`BewertSkala`).
enum class GradingScale : int {
    SixGrades = 0,         // 1 (best) to 6
    FiveGrades = 1,        // 1 (best) to 5
    FifteenPoints = 2,     // 0 to 15 (best)
    FiveGradesBestIs5 = 3, // 1 to 5 (best)
    TwelvePoints = 4,      // 0 to 12 (best)
};

// The scale of a stored code; an unknown code counts as SixGrades.
GradingScale gradingScaleOf(int bewertSkala);

// The grading settings one run works with (copied at its start). The
// thresholds are fractions 0..1: NoteMinQuote[i] is the lowest overall
// performance that still earns grade i, PunkteMinQuote[p] the lowest that
// earns p points. Index 0 and 6 (grades) and 0 and 16 (points) are fixed.
struct GradingTable {
    GradingScale BewertSkala = GradingScale::SixGrades;
    std::array<double, 7> NoteMinQuote = {1.0, 0.85, 0.70, 0.55, 0.40, 0.25, 0.0};
    std::array<double, 17> PunkteMinQuote = defaultPunkteMinQuote();

    static std::array<double, 17> defaultPunkteMinQuote();
};

GradingTable gradingTableOf(const Settings& settings);

// The grade of overall performance `L` (0..1), compared exactly with the
// thresholds (no rounding of L).
int grade(double L, const GradingTable& table);

// "sehr gut" .. "ungenügend" for grade `g` on `scale`; empty for a grade the
// scale does not have.
QString gradeName(int g, GradingScale scale);

// "Note" or "Punkte".
QString gradeLabel(GradingScale scale);

// The scale's name in the scale dialog, e.g. " Notenskala: 1 (beste) bis 6 ".
QString scaleName(GradingScale scale);

// The scale dialog's texts and rules ---------------------------------------

// A threshold fraction as the dialog shows it: percent with one decimal and
// a comma ("85,0").
QString percentText(double fraction);
// The dialog's percent text as a number: a comma or a point as decimal
// separator; no value for anything else.
std::optional<double> parsePercent(const QString& text);

// The label of grade row `row` (1..6) of " Notengrenzen bezüglich
// Erfolgsquote ": "Note 1 - sehr gut" ..; reversed for FiveGradesBestIs5, empty
// where the scale has no such grade.
QString gradeRowLabel(GradingScale scale, int row);
// The label of point row `points` (15..0): "15 Punkte" .., "1 Punkt", "0 Punkte".
QString pointRowLabel(int points);
// The number of point rows shown above "0 Punkte" (15, or 12 for TwelvePoints).
int shownPointRows(GradingScale scale);

// What the user entered in the scale dialog, in percent: grades[1..6]
// (grades[6] is the fixed lower bound of grade 5), points[0..15] (points[0]
// the fixed 0). No value: the text was not a number.
struct ScaleEntry {
    GradingScale scale = GradingScale::SixGrades;
    std::array<std::optional<double>, 7> grades{};
    std::array<std::optional<double>, 16> points{};
};

// The entry the dialog opens with for `table`.
ScaleEntry scaleEntryOf(const GradingTable& table);

// Checks `entry` in the dialog's order and returns the message of the first
// failure, or nothing when it may be stored.
std::optional<QString> validateScaleEntry(const ScaleEntry& entry);

// Stores a valid `entry` into `settings` (thresholds as value / 100, the scale).
void storeScaleEntry(const ScaleEntry& entry, Settings& settings);

} // namespace quorvel
