// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading.h"

#include "settings.h"

#include <QLocale>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The grade names, index 1..6.
const std::array<QString, 7> kGradeNames = {
    QString(),        u"sehr gut"_s,   u"gut"_s,        u"befriedigend"_s,
    u"ausreichend"_s, u"mangelhaft"_s, u"ungenügend"_s,
};

QString nameAt(int index) {
    return index >= 1 && index <= 6 ? kGradeNames[size_t(index)] : QString();
}

bool isPointScale(GradingScale scale) {
    return scale == GradingScale::FifteenPoints || scale == GradingScale::TwelvePoints;
}

int bestPoints(GradingScale scale) {
    return scale == GradingScale::TwelvePoints ? 12 : 15;
}

bool inPercentRange(const std::optional<double>& value) {
    return value && *value >= 0.0 && *value <= 100.0;
}

// Row `at` may keep its value when it lies in 0..100 and not below the row
// under it; a row under it that is no number reports itself.
bool rowValid(const std::optional<double>& at, const std::optional<double>& below) {
    return inPercentRange(at) && (!below || *at >= *below);
}

const QString kRangeMessage = u"Alle Werte müssen im Bereich von 0 bis 100% liegen.\r\n"_s;

} // namespace

GradingScale gradingScaleOf(int bewertSkala) {
    return bewertSkala >= 0 && bewertSkala <= 4 ? static_cast<GradingScale>(bewertSkala)
                                                : GradingScale::SixGrades;
}

std::array<double, 17> GradingTable::defaultPunkteMinQuote() {
    std::array<double, 17> quotes{};
    const std::array<double, 15> stored = Settings::defaultPunkteMinQuote();
    for (size_t p = 1; p <= stored.size(); ++p)
        quotes[p] = stored[p - 1];
    quotes[0] = 0.0;
    quotes[16] = 1.0;
    return quotes;
}

GradingTable gradingTableOf(const Settings& settings) {
    GradingTable table;
    table.BewertSkala = gradingScaleOf(settings.BewertSkala);
    for (size_t i = 0; i < settings.NoteMinQuote.size(); ++i)
        table.NoteMinQuote[i + 1] = settings.NoteMinQuote[i];
    for (size_t p = 0; p < settings.PunkteMinQuote.size(); ++p)
        table.PunkteMinQuote[p + 1] = settings.PunkteMinQuote[p];
    return table;
}

int grade(double L, const GradingTable& table) {
    const GradingScale scale = table.BewertSkala;
    if (isPointScale(scale)) {
        for (int p = bestPoints(scale); p >= 0; --p) {
            if (L >= table.PunkteMinQuote[size_t(p)])
                return p;
        }
        return 0;
    }
    const bool reversed = scale == GradingScale::FiveGradesBestIs5;
    const int n = scale == GradingScale::SixGrades ? 6 : 5;
    for (int i = 1; i <= n - 1; ++i) {
        if (L >= table.NoteMinQuote[size_t(i)])
            return reversed ? 6 - i : i;
    }
    return reversed ? 1 : n;
}

QString gradeName(int g, GradingScale scale) {
    switch (scale) {
    case GradingScale::SixGrades:
        return nameAt(g);
    case GradingScale::FiveGrades:
        return g <= 5 ? nameAt(g) : QString();
    case GradingScale::FiveGradesBestIs5:
        return g >= 1 && g <= 5 ? nameAt(6 - g) : QString();
    case GradingScale::FifteenPoints:
        return g >= 0 && g <= 15 ? nameAt((18 - g) / 3) : QString();
    case GradingScale::TwelvePoints:
        return g >= 0 && g <= 12 ? nameAt((15 - g) / 3) : QString();
    }
    return {};
}

QString gradeLabel(GradingScale scale) {
    return isPointScale(scale) ? u"Punkte"_s : u"Note"_s;
}

QString scaleName(GradingScale scale) {
    switch (scale) {
    case GradingScale::SixGrades:
        return u" Notenskala: 1 (beste) bis 6 "_s;
    case GradingScale::FiveGrades:
        return u" Notenskala: 1 (beste) bis 5 "_s;
    case GradingScale::FifteenPoints:
        return u" Punkteskala: 0 bis 15 (beste)"_s;
    case GradingScale::FiveGradesBestIs5:
        return u" Notenskala: 1 bis 5 (beste)"_s;
    case GradingScale::TwelvePoints:
        return u" Punkteskala: 0 bis 12 (beste)"_s;
    }
    return {};
}

QString percentText(double fraction) {
    return QString::number(fraction * 100.0, 'f', 1).replace(u'.', u',');
}

std::optional<double> parsePercent(const QString& text) {
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(normalised, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString gradeRowLabel(GradingScale scale, int row) {
    if (row < 1 || row > 6)
        return {};
    if (scale == GradingScale::FiveGradesBestIs5) {
        if (row == 6)
            return {};
        return u"Note %1 - %2"_s.arg(6 - row).arg(nameAt(row));
    }
    if (scale == GradingScale::FiveGrades && row == 6)
        return {};
    return u"Note %1 - %2"_s.arg(row).arg(nameAt(row));
}

QString pointRowLabel(int points) {
    return points == 1 ? u"1 Punkt"_s : u"%1 Punkte"_s.arg(points);
}

int shownPointRows(GradingScale scale) {
    return bestPoints(scale);
}

ScaleEntry scaleEntryOf(const GradingTable& table) {
    ScaleEntry entry;
    entry.scale = table.BewertSkala;
    for (size_t i = 1; i < entry.grades.size(); ++i)
        entry.grades[i] = table.NoteMinQuote[i] * 100.0;
    for (size_t p = 0; p < entry.points.size(); ++p)
        entry.points[p] = table.PunkteMinQuote[p] * 100.0;
    return entry;
}

std::optional<QString> validateScaleEntry(const ScaleEntry& entry) {
    for (int n = 1; n <= 5; ++n) {
        if (!rowValid(entry.grades[size_t(n)], entry.grades[size_t(n + 1)]))
            return kRangeMessage + u"Der Wert für Note %1 darf nicht kleiner sein als der Wert "
                                   u"für Note %2."_s.arg(n)
                                       .arg(n + 1);
    }
    for (int p = bestPoints(entry.scale); p >= 1; --p) {
        if (!rowValid(entry.points[size_t(p)], entry.points[size_t(p - 1)]))
            return kRangeMessage + u"Der Wert für %1 Punkte darf nicht kleiner sein als der Wert "
                                   u"für %2 Punkte."_s.arg(p)
                                       .arg(p - 1);
    }
    return std::nullopt;
}

void storeScaleEntry(const ScaleEntry& entry, Settings& settings) {
    for (size_t i = 0; i < settings.NoteMinQuote.size(); ++i) {
        if (const std::optional<double>& value = entry.grades[i + 1])
            settings.NoteMinQuote[i] = *value / 100.0;
    }
    for (size_t p = 0; p < settings.PunkteMinQuote.size(); ++p) {
        if (const std::optional<double>& value = entry.points[p + 1])
            settings.PunkteMinQuote[p] = *value / 100.0;
    }
    settings.BewertSkala = static_cast<int>(entry.scale);
}

} // namespace quorvel
