// SPDX-License-Identifier: GPL-3.0-or-later
#include "dashpattern.h"

#include <QLineF>
#include <QtMath>
#include <cmath>

namespace quorvel {

QList<QPolygon> dashedLines(const QList<QPolygon>& lines, const QList<double>& pattern,
                            double offset, qsizetype maxDashes) {
    if (pattern.size() < 2 || pattern.size() % 2)
        return {};
    double period = 0;
    for (double length : pattern) {
        if (!qIsFinite(length) || length < 0)
            return {};
        period += length;
    }
    if (period <= 0 || !qIsFinite(offset))
        return {};

    QList<QPolygon> dashes;
    for (const QPolygon& line : lines) {
        if (line.size() < 2)
            continue;
        // Where the pattern stands at the line's start.
        qsizetype index = 0;
        double left = pattern.at(0);
        double skip = std::fmod(std::abs(offset), period);
        while (skip > 0) {
            if (skip < left) {
                left -= skip;
                break;
            }
            skip -= left;
            index = (index + 1) % pattern.size();
            left = pattern.at(index);
        }
        QPolygonF dash;
        if (index % 2 == 0)
            dash.append(line.at(0));
        for (qsizetype i = 1; i < line.size(); ++i) {
            const QPointF from = line.at(i - 1);
            const QPointF to = line.at(i);
            const double length = QLineF(from, to).length();
            double done = 0;
            while (length - done > left) {
                done += left;
                const QPointF at = from + (to - from) * (done / length);
                if (index % 2 == 0) {
                    dash.append(at);
                    dashes.append(dash.toPolygon());
                    if (dashes.size() > maxDashes)
                        return {};
                    dash.clear();
                } else {
                    dash = QPolygonF({at});
                }
                index = (index + 1) % pattern.size();
                left = pattern.at(index);
            }
            left -= length - done;
            if (index % 2 == 0)
                dash.append(to);
        }
        if (index % 2 == 0 && dash.size() >= 2)
            dashes.append(dash.toPolygon());
    }
    return dashes;
}

} // namespace quorvel
