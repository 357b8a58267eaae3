// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading.h"

#include <QColor>
#include <QSize>
#include <vector>

class QPainter;

namespace quorvel {

// One band of the grading chart: the performance fractions at its upper and
// lower edge (upper > lower, both 0..1), its grade colour number (1 best ..
// 6 worst) and the number written into it.
struct GradingBand {
    double upper = 1.0;
    double lower = 0.0;
    int colour = 1;
    int label = 1;
    friend bool operator==(const GradingBand&, const GradingBand&) = default;
};

// The bands of `table`'s scale from the top (100 %) down. Grade scales: one
// band per grade between consecutive thresholds (the lowest grade reaches
// 0 %); point scales: one band per point value, the top one bounded by 100 %.
// Thresholds are clamped to 0..1, a band is cut where a better one lies
// already and empty bands are left out, so that thresholds out of order still
// show the grade that grade() gives at every height.
std::vector<GradingBand> gradingBands(const GradingTable& table);

// Grade colour 1..6: green, yellow-green, yellow, light orange, orange, red.
QColor gradeColour(int number);

// Where the chart of `size` draws: the vertical scale runs from 100 % at
// `top` to 0 % at `bottom` (12 pixels inside the picture), the bar from
// 40 % to 60 % of the width.
struct GradingChartGeometry {
    explicit GradingChartGeometry(QSize size);
    // The pixel row of performance `fraction` (clamped to 0..1).
    int y(double fraction) const;

    QSize size;
    int top = 0;
    int bottom = 0;
    int barLeft = 0;
    int barRight = 0; // first column right of the bar
};

// Paints the whole chart for `table` into `size` pixels on `background`:
// the bands with their numbers, a tick and the threshold in whole percent at
// each band's upper edge left of the bar, and the achieved performance
// `leistung` as a line right of the bar with its value ("87.5%").
void paintGradingChart(QPainter& painter, QSize size, const GradingTable& table, double leistung,
                       const QColor& background);

} // namespace quorvel
