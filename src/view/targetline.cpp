// SPDX-License-Identifier: GPL-3.0-or-later
#include "targetline.h"

#include "cardplacement.h"
#include "colorconversion.h"
#include "objdata.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace quorvel {

namespace {

// The convex hull of a few points, counter-clockwise (monotone chain).
QPolygonF convexHull(std::array<QPointF, 8> points) {
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    const auto cross = [](const QPointF& o, const QPointF& a, const QPointF& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QPolygonF hull(16);
    int k = 0;
    for (const QPointF& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (int i = int(points.size()) - 2, bottom = k + 1; i >= 0; --i) {
        const QPointF& p = points[size_t(i)];
        while (k >= bottom && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    hull.resize(std::max(0, k - 1));
    return hull;
}

// Where the line from `from` towards `at` first reaches `box` (which holds
// `at`); nullopt when `from` lies in the box too.
std::optional<QPoint> entry(QPoint from, QPoint at, const QRectF& box) {
    if (box.contains(QPointF(from)))
        return std::nullopt;
    // The last moment the line is outside on any axis is where it enters.
    double t = 0.0;
    const double d[2] = {double(at.x() - from.x()), double(at.y() - from.y())};
    const double p[2] = {double(from.x()), double(from.y())};
    const double lo[2] = {box.left(), box.top()};
    const double hi[2] = {box.right(), box.bottom()};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] > 0 && p[axis] < lo[axis])
            t = std::max(t, (lo[axis] - p[axis]) / d[axis]);
        else if (d[axis] < 0 && p[axis] > hi[axis])
            t = std::max(t, (hi[axis] - p[axis]) / d[axis]);
    }
    // Round towards `from`, so that the end stays outside.
    const auto end = [&](int axis) {
        const double v = p[axis] + t * d[axis];
        return int(d[axis] > 0 ? std::floor(v) : std::ceil(v));
    };
    return QPoint(end(0), end(1));
}

} // namespace

void drawTargetLine(QPainter& painter, const ObjDataTyp& o, QSize pagePicture, const QRect& card) {
    const int thickness = std::clamp(o.LinieDicke, 1, 5);
    const QPoint from = pagePoint(o.Sx, o.Sy, pagePicture);
    QPoint at = cardPoint(o, pagePicture);
    if (card.isValid() && card.contains(at)) {
        // A centred card: the line ends at its edge, where the band's end
        // square no longer reaches into the card.
        const double reach = thickness - thickness / 2;
        const std::optional<QPoint> edge =
            entry(from, at, QRectF(card).adjusted(-reach, -reach, reach, reach));
        if (!edge)
            return;
        at = *edge;
    }
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    if (antialiased)
        painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = colourFromValue(o.LinieFarbe);
    if (thickness == 1) {
        painter.setPen(QPen(colour, 0));
        painter.drawLine(from, at);
    } else {
        // The parallel lines together cover the band that a square of
        // thickness x thickness pixels sweeps from one end to the other: the convex
        // hull of the square at both ends. Filling it is one span per row.
        const int lo = -(thickness / 2);
        const int hi = lo + thickness;
        const QPoint corners[4] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
        std::array<QPointF, 8> points;
        for (int i = 0; i < 4; ++i) {
            points[size_t(i)] = QPointF(from + corners[i]);
            points[size_t(i + 4)] = QPointF(at + corners[i]);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(convexHull(points));
        painter.setBrush(Qt::NoBrush);
    }
    if (antialiased)
        painter.setRenderHint(QPainter::Antialiasing, true);
}

} // namespace quorvel
