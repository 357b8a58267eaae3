// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradingchart.h"

#include "colorconversion.h"
#include "protocol.h"
#include "rounding.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMargin = 12;
constexpr int kTickLength = 3;
constexpr int kPercentGap = 7; // between the threshold text and the bar
constexpr int kAchievedLine = 10;
constexpr int kAchievedGap = 15; // between the bar and the achieved value
constexpr double kBandFontPoints = 7.0;
constexpr double kAchievedFontPoints = 8.0;

// The chart is a picture of its own: points at the 96 dots per inch the
// layout was made for, whatever the paint device says.
QFont chartFont(double points) {
    QFont font(u"Arial"_s);
    font.setPixelSize(std::max(1, rnd(points * 96.0 / 72.0)));
    font.setBold(true);
    return font;
}

double clamped(double fraction) {
    if (!std::isfinite(fraction))
        return 0.0;
    return std::clamp(fraction, 0.0, 1.0);
}

// Adds a band below those already there: a band never reaches above the
// lowest edge so far, so that thresholds out of order show what grade()
// gives (the better grade wins where they overlap).
void addBand(std::vector<GradingBand>& bands, double& ceiling, double upper, double lower,
             int colour, int label) {
    upper = std::min(clamped(upper), ceiling);
    lower = clamped(lower);
    if (upper > lower)
        bands.push_back({upper, lower, colour, label});
    ceiling = std::min(ceiling, lower);
}

// `text` in a rectangle of its own height centred on row `y`, moved inside
// the picture where it would stick out at the top or bottom.
QRect textRow(const QFontMetrics& metrics, int y, int left, int right, int height) {
    const int h = metrics.height();
    const int top = std::clamp(y - h / 2, 0, std::max(0, height - h));
    return {left, top, std::max(0, right - left), h};
}

} // namespace

std::vector<GradingBand> gradingBands(const GradingTable& table) {
    std::vector<GradingBand> bands;
    double ceiling = 1.0;
    switch (table.BewertSkala) {
    case GradingScale::SixGrades:
    case GradingScale::FiveGrades:
    case GradingScale::FiveGradesBestIs5: {
        const int n = table.BewertSkala == GradingScale::SixGrades ? 6 : 5;
        const bool reversed = table.BewertSkala == GradingScale::FiveGradesBestIs5;
        for (int i = 1; i <= n; ++i) {
            // The lowest grade reaches the bottom: every performance earns it.
            const double lower = i == n ? 0.0 : table.NoteMinQuote[size_t(i)];
            addBand(bands, ceiling, table.NoteMinQuote[size_t(i - 1)], lower, i,
                    reversed ? 6 - i : i);
        }
        break;
    }
    case GradingScale::FifteenPoints:
    case GradingScale::TwelvePoints: {
        const int best = table.BewertSkala == GradingScale::TwelvePoints ? 12 : 15;
        for (int p = best; p >= 0; --p) {
            const double upper = p == best ? 1.0 : table.PunkteMinQuote[size_t(p + 1)];
            const double lower = p == 0 ? 0.0 : table.PunkteMinQuote[size_t(p)];
            addBand(bands, ceiling, upper, lower, (18 - p) / 3, p);
        }
        break;
    }
    }
    return bands;
}

QColor gradeColour(int number) {
    static constexpr ColourValue colours[] = {0x00FF00, 0x00FFBF, 0x00FFFF,
                                              0x00E0FF, 0x00A0FF, 0x0000FF};
    return colourFromValue(colours[std::clamp(number, 1, 6) - 1]);
}

GradingChartGeometry::GradingChartGeometry(QSize s)
    : size(s), top(kMargin), bottom(std::max(kMargin, s.height() - kMargin)),
      barLeft(rnd(s.width() * 0.4)), barRight(rnd(s.width() * 0.6)) {}

int GradingChartGeometry::y(double fraction) const {
    return top + rnd((1.0 - clamped(fraction)) * (bottom - top));
}

void paintGradingChart(QPainter& painter, QSize size, const GradingTable& table, double leistung,
                       const QColor& background) {
    const GradingChartGeometry g(size);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), background);

    const std::vector<GradingBand> bands = gradingBands(table);
    const QFont bandFont = chartFont(kBandFontPoints);
    const QFontMetrics bandMetrics(bandFont);
    painter.setFont(bandFont);
    painter.setPen(Qt::black);
    for (const GradingBand& band : bands) {
        const QRect rect(g.barLeft, g.y(band.upper), g.barRight - g.barLeft,
                         g.y(band.lower) - g.y(band.upper));
        painter.fillRect(rect, gradeColour(band.colour));
        // A band thinner than its number stays without one.
        if (rect.height() >= bandMetrics.ascent())
            painter.drawText(rect, Qt::AlignCenter, QString::number(band.label));
    }
    for (const GradingBand& band : bands) {
        const int y = g.y(band.upper);
        painter.drawLine(g.barLeft - kTickLength, y, g.barLeft - 1, y);
        const QRect text = textRow(bandMetrics, y, 0, g.barLeft - kPercentGap, size.height());
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(rnd(band.upper * 100.0)) + u'%');
    }

    const double achieved = clamped(leistung);
    const int y = g.y(achieved);
    painter.drawLine(g.barRight, y, g.barRight + kAchievedLine - 1, y);
    const QFont valueFont = chartFont(kAchievedFontPoints);
    painter.setFont(valueFont);
    const QRect value =
        textRow(QFontMetrics(valueFont), y, g.barRight + kAchievedGap, size.width(), size.height());
    painter.drawText(value, Qt::AlignLeft | Qt::AlignVCenter,
                     fixedText(achieved * 100.0, 1) + u'%');
    painter.restore();
}

} // namespace quorvel
