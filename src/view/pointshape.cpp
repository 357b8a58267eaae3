// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointshape.h"

#include "objdata.h"
#include "rounding.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel {

namespace {

// A title line sits this many line heights above or below the centre when a
// point has two lines.
constexpr double kTwoLineOffset = 0.475;

bool twoLines(const ObjDataTyp& point) {
    return !point.PktCap2.isEmpty();
}

int titleSize(const ObjDataTyp& point, double s) {
    return std::max(1, rnd((twoLines(point) ? 10.0 : 12.0) * s));
}

} // namespace

int ellipseCorners(double largerRadius) {
    const int multiple = 4 * rnd(0.4 * largerRadius / 4.0);
    return std::max(24, multiple);
}

QPolygonF ellipsePolygon(const QRectF& box) {
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    // Hostile sizes must not make millions of corners.
    const int corners = std::min(ellipseCorners(std::max(rx, ry)), 4096);
    const QPointF centre = box.center();
    QPolygonF polygon;
    polygon.reserve(corners);
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / corners;
        polygon.append(
            QPointF(centre.x() + rx * std::cos(angle), centre.y() + ry * std::sin(angle)));
    }
    return polygon;
}

void paintEllipse(QPainter& painter, const QRectF& box, const QColor& fill, const QColor& margin) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(fill);
    if (margin.isValid())
        painter.setPen(QPen(margin, 1.0));
    else
        painter.setPen(Qt::NoPen);
    painter.drawPolygon(ellipsePolygon(box));
    painter.restore();
}

void drawCentred(QPainter& painter, QPointF centre, const QString& text, const QFont& font,
                 const QColor& colour) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const double height = metrics.ascent() + metrics.descent();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(centre.x() - width / 2, centre.y() - height / 2 + metrics.ascent()),
                     text);
}

QFont titleFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(true);
    return font;
}

int pointDiameter(const ObjDataTyp& point, double s) {
    int diameter = std::max(1, rnd(30.0 * s));
    if (point.PktCap.size() >= 3 || point.PktCap2.size() >= 3) {
        const QFontMetricsF metrics(titleFont(titleSize(point, s)));
        diameter =
            std::max(diameter, int(std::ceil(metrics.horizontalAdvance(point.PktCap + u'X'))));
        if (twoLines(point)) {
            diameter = std::max(
                diameter,
                int(std::ceil(metrics.horizontalAdvance(point.PktCap2 + QStringLiteral("XX")))));
        }
    }
    return diameter;
}

void drawPoint(QPainter& painter, QPointF centre, int diameter, const ObjDataTyp& point, double s,
               const QColor& fill, const QColor& textColour) {
    const QRectF box(centre.x() - diameter / 2.0, centre.y() - diameter / 2.0, diameter, diameter);
    paintEllipse(painter, box, fill);
    const QFont font = titleFont(titleSize(point, s));
    if (!twoLines(point)) {
        drawCentred(painter, centre, point.PktCap, font, textColour);
        return;
    }
    const QFontMetricsF metrics(font);
    const double offset = kTwoLineOffset * (metrics.ascent() + metrics.descent());
    drawCentred(painter, QPointF(centre.x(), centre.y() - offset), point.PktCap, font, textColour);
    drawCentred(painter, QPointF(centre.x(), centre.y() + offset), point.PktCap2, font, textColour);
}

} // namespace quorvel
