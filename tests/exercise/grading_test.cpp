// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading.h"
#include "settings.h"

#include <cmath>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

// The largest value below `threshold`: just missing it.
double below(double threshold) {
    return std::nextafter(threshold, -1.0);
}

GradingTable defaultTable(GradingScale scale) {
    Settings settings;
    settings.BewertSkala = static_cast<int>(scale);
    return gradingTableOf(settings);
}

struct GradeCase {
    GradingScale scale;
    double L;
    int grade;
    const char16_t* name;
};

class GradeTable : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeTable, GradeAndNameOnTheDefaultThresholds) {
    const GradeCase& c = GetParam();
    const int g = grade(c.L, defaultTable(c.scale));
    EXPECT_EQ(g, c.grade) << "L = " << c.L;
    EXPECT_EQ(gradeName(g, c.scale), QString::fromUtf16(c.name)) << "L = " << c.L;
}

using S = GradingScale;
INSTANTIATE_TEST_SUITE_P(
    Scales, GradeTable,
    ::testing::Values(
        // 1 (best) to 6: a threshold reached earns its grade, just below it the next.
        GradeCase{S::SixGrades, 1.0, 1, u"sehr gut"},
        GradeCase{S::SixGrades, 17.0 / 20.0, 1, u"sehr gut"}, // 85 % of 20 answers
        GradeCase{S::SixGrades, below(0.85), 2, u"gut"}, GradeCase{S::SixGrades, 0.70, 2, u"gut"},
        GradeCase{S::SixGrades, below(0.70), 3, u"befriedigend"},
        GradeCase{S::SixGrades, 0.55, 3, u"befriedigend"},
        GradeCase{S::SixGrades, 0.40, 4, u"ausreichend"},
        GradeCase{S::SixGrades, 0.25, 5, u"mangelhaft"},
        GradeCase{S::SixGrades, below(0.25), 6, u"ungenügend"},
        GradeCase{S::SixGrades, 0.0, 6, u"ungenügend"},
        // 1 (best) to 5: the fifth threshold plays no part.
        GradeCase{S::FiveGrades, 0.85, 1, u"sehr gut"},
        GradeCase{S::FiveGrades, 0.40, 4, u"ausreichend"},
        GradeCase{S::FiveGrades, below(0.40), 5, u"mangelhaft"},
        GradeCase{S::FiveGrades, 0.25, 5, u"mangelhaft"},
        GradeCase{S::FiveGrades, 0.0, 5, u"mangelhaft"},
        // 1 to 5 (best): reversed, thresholds 1 to 4.
        GradeCase{S::FiveGradesBestIs5, 0.9, 5, u"sehr gut"},
        GradeCase{S::FiveGradesBestIs5, 0.85, 5, u"sehr gut"},
        GradeCase{S::FiveGradesBestIs5, below(0.85), 4, u"gut"},
        GradeCase{S::FiveGradesBestIs5, 0.55, 3, u"befriedigend"},
        GradeCase{S::FiveGradesBestIs5, 0.40, 2, u"ausreichend"},
        GradeCase{S::FiveGradesBestIs5, below(0.40), 1, u"mangelhaft"},
        GradeCase{S::FiveGradesBestIs5, 0.3, 1, u"mangelhaft"},
        // 0 to 15 points.
        GradeCase{S::FifteenPoints, 1.0, 15, u"sehr gut"},
        GradeCase{S::FifteenPoints, 0.95, 15, u"sehr gut"},
        GradeCase{S::FifteenPoints, below(0.95), 14, u"sehr gut"},
        GradeCase{S::FifteenPoints, 0.85, 13, u"sehr gut"},
        GradeCase{S::FifteenPoints, below(0.85), 12, u"gut"},
        GradeCase{S::FifteenPoints, 0.5, 6, u"ausreichend"},
        GradeCase{S::FifteenPoints, 0.25, 1, u"mangelhaft"},
        GradeCase{S::FifteenPoints, below(0.25), 0, u"ungenügend"},
        // 0 to 12 points: the same thresholds, other names.
        GradeCase{S::TwelvePoints, 1.0, 12, u"sehr gut"},
        GradeCase{S::TwelvePoints, below(0.80), 11, u"sehr gut"},
        GradeCase{S::TwelvePoints, 0.70, 10, u"sehr gut"},
        GradeCase{S::TwelvePoints, below(0.70), 9, u"gut"},
        GradeCase{S::TwelvePoints, 0.5, 6, u"befriedigend"},
        GradeCase{S::TwelvePoints, 0.25, 1, u"ausreichend"},
        GradeCase{S::TwelvePoints, 0.0, 0, u"mangelhaft"}));

TEST(Grading, EveryPointThresholdEarnsItsPointsAndJustBelowOneLess) {
    for (GradingScale scale : {S::FifteenPoints, S::TwelvePoints}) {
        const GradingTable table = defaultTable(scale);
        const int best = scale == S::FifteenPoints ? 15 : 12;
        for (int p = 1; p <= best; ++p) {
            EXPECT_EQ(grade(table.PunkteMinQuote[size_t(p)], table), p) << p;
            EXPECT_EQ(grade(below(table.PunkteMinQuote[size_t(p)]), table), p - 1) << p;
        }
    }
}

TEST(Grading, StoredThresholdsAndScaleAreUsed) {
    Settings settings;
    settings.NoteMinQuote[0] = 0.9;     // grade 1 from 90 %
    settings.PunkteMinQuote[14] = 0.99; // 15 points from 99 %
    settings.BewertSkala = 0;
    EXPECT_EQ(grade(0.85, gradingTableOf(settings)), 2);
    settings.BewertSkala = 2;
    EXPECT_EQ(grade(0.98, gradingTableOf(settings)), 14);
    // An unknown scale counts as the six grades.
    settings.BewertSkala = 9;
    EXPECT_EQ(gradingTableOf(settings).BewertSkala, S::SixGrades);
}

TEST(Grading, NamesOfGradesOutsideTheScaleAreEmpty) {
    EXPECT_EQ(gradeName(6, S::FiveGrades), QString());
    EXPECT_EQ(gradeName(0, S::SixGrades), QString());
    EXPECT_EQ(gradeName(6, S::FiveGradesBestIs5), QString());
    EXPECT_EQ(gradeName(16, S::FifteenPoints), QString());
    EXPECT_EQ(gradeName(13, S::TwelvePoints), QString());
    EXPECT_EQ(gradeName(-1, S::TwelvePoints), QString());
}

TEST(Grading, LabelsAndScaleNames) {
    EXPECT_EQ(gradeLabel(S::SixGrades), u"Note"_s);
    EXPECT_EQ(gradeLabel(S::FiveGradesBestIs5), u"Note"_s);
    EXPECT_EQ(gradeLabel(S::FifteenPoints), u"Punkte"_s);
    EXPECT_EQ(gradeLabel(S::TwelvePoints), u"Punkte"_s);
    EXPECT_EQ(scaleName(S::FiveGradesBestIs5), u" Notenskala: 1 bis 5 (beste)"_s);
}

// The scale dialog's rules.

ScaleEntry defaultEntry(GradingScale scale = S::SixGrades) {
    return scaleEntryOf(defaultTable(scale));
}

const QString kRange = u"Alle Werte müssen im Bereich von 0 bis 100% liegen.\r\n"_s;

TEST(ScaleEntryRules, TheDefaultsPass) {
    for (int scale = 0; scale <= 4; ++scale)
        EXPECT_EQ(validateScaleEntry(defaultEntry(gradingScaleOf(scale))), std::nullopt);
}

TEST(ScaleEntryRules, GradesAreCheckedBeforePointsAndTheFirstFailureIsReported) {
    ScaleEntry entry = defaultEntry();
    entry.grades[3] = 75.0; // above grade 2's 70
    entry.grades[5] = -1.0; // out of range, but later
    entry.points[15] = 10.0;
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für Note 2 darf nicht kleiner sein als der Wert für Note 3."_s);
    entry.grades[3] = 55.0;
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für Note 5 darf nicht kleiner sein als der Wert für Note 6."_s);
    entry.grades[5] = 25.0;
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für 15 Punkte darf nicht kleiner sein als der Wert für "
                       u"14 Punkte."_s);
}

TEST(ScaleEntryRules, PointsAreCheckedFromTheTopDownToOnePoint) {
    ScaleEntry entry = defaultEntry();
    entry.points[1] = -0.5; // below the fixed 0 of "0 Punkte"
    entry.points[7] = 80.0; // above 8 points' 60
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für 8 Punkte darf nicht kleiner sein als der Wert für "
                       u"7 Punkte."_s);
    entry.points[7] = 55.0;
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für 1 Punkte darf nicht kleiner sein als der Wert für "
                       u"0 Punkte."_s);
}

TEST(ScaleEntryRules, TwelvePointsIgnoresTheHiddenRows) {
    ScaleEntry entry = defaultEntry(S::TwelvePoints);
    entry.points[15] = 5.0;
    entry.points[14] = 150.0;
    EXPECT_EQ(validateScaleEntry(entry), std::nullopt);
    entry.points[12] = 100.5;
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für 12 Punkte darf nicht kleiner sein als der Wert für "
                       u"11 Punkte."_s);
}

TEST(ScaleEntryRules, TextThatIsNoNumberFailsInItsOwnRow) {
    ScaleEntry entry = defaultEntry();
    entry.grades[2] = parsePercent(u"siebzig"_s);
    EXPECT_EQ(validateScaleEntry(entry),
              kRange + u"Der Wert für Note 2 darf nicht kleiner sein als der Wert für Note 3."_s);
}

TEST(ScaleEntryRules, PercentTextWithCommaRoundTripsExactly) {
    EXPECT_EQ(percentText(0.85), u"85,0"_s);
    EXPECT_EQ(percentText(0.7), u"70,0"_s);
    EXPECT_EQ(percentText(0.0), u"0,0"_s);
    EXPECT_EQ(parsePercent(u" 85,0 "_s), 85.0);
    EXPECT_EQ(parsePercent(u"62.5"_s), 62.5);
    EXPECT_EQ(parsePercent(u""_s), std::nullopt);
    EXPECT_EQ(parsePercent(u"inf"_s), std::nullopt);

    // What the dialog shows and stores back grades as before: 85 % is still grade 1.
    Settings settings;
    ScaleEntry entry = defaultEntry();
    for (size_t row = 1; row <= 6; ++row)
        entry.grades[row] = parsePercent(percentText(*entry.grades[row] / 100.0));
    entry.scale = S::FifteenPoints;
    storeScaleEntry(entry, settings);
    EXPECT_EQ(settings.NoteMinQuote[0], 0.85);
    EXPECT_EQ(settings.BewertSkala, 2);
    settings.BewertSkala = 0;
    EXPECT_EQ(grade(0.85, gradingTableOf(settings)), 1);
}

TEST(ScaleEntryRules, RowLabelsFollowTheScale) {
    EXPECT_EQ(gradeRowLabel(S::SixGrades, 1), u"Note 1 - sehr gut"_s);
    EXPECT_EQ(gradeRowLabel(S::SixGrades, 6), u"Note 6 - ungenügend"_s);
    EXPECT_EQ(gradeRowLabel(S::FiveGrades, 6), QString());
    EXPECT_EQ(gradeRowLabel(S::FiveGradesBestIs5, 1), u"Note 5 - sehr gut"_s);
    EXPECT_EQ(gradeRowLabel(S::FiveGradesBestIs5, 5), u"Note 1 - mangelhaft"_s);
    EXPECT_EQ(gradeRowLabel(S::FiveGradesBestIs5, 6), QString());
    EXPECT_EQ(pointRowLabel(1), u"1 Punkt"_s);
    EXPECT_EQ(pointRowLabel(0), u"0 Punkte"_s);
}

} // namespace
} // namespace quorvel
