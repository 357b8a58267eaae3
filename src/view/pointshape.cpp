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
constexpr double kZweizeilenVersatz = 0.475;

bool zweiZeilig(const ObjDataTyp& punkt) {
    return !punkt.PktCap2.isEmpty();
}

int titelGroesse(const ObjDataTyp& punkt, double s) {
    return std::max(1, rnd((zweiZeilig(punkt) ? 10.0 : 12.0) * s));
}

} // namespace

int ellipseCorners(double groessererRadius) {
    const int vielfaches = 4 * rnd(0.4 * groessererRadius / 4.0);
    return std::max(24, vielfaches);
}

QPolygonF ellipsePolygon(const QRectF& box) {
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    // Hostile sizes must not make millions of corners.
    const int ecken = std::min(ellipseCorners(std::max(rx, ry)), 4096);
    const QPointF mitte = box.center();
    QPolygonF polygon;
    polygon.reserve(ecken);
    for (int i = 0; i < ecken; ++i) {
        const double winkel = 2.0 * std::numbers::pi * i / ecken;
        polygon.append(
            QPointF(mitte.x() + rx * std::cos(winkel), mitte.y() + ry * std::sin(winkel)));
    }
    return polygon;
}

void paintEllipse(QPainter& painter, const QRectF& box, const QColor& fuellung,
                  const QColor& rand) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(fuellung);
    if (rand.isValid())
        painter.setPen(QPen(rand, 1.0));
    else
        painter.setPen(Qt::NoPen);
    painter.drawPolygon(ellipsePolygon(box));
    painter.restore();
}

void drawCentred(QPainter& painter, QPointF mitte, const QString& text, const QFont& font,
                 const QColor& farbe) {
    const QFontMetricsF metrics(font);
    const double breite = metrics.horizontalAdvance(text);
    const double hoehe = metrics.ascent() + metrics.descent();
    painter.setFont(font);
    painter.setPen(farbe);
    painter.drawText(QPointF(mitte.x() - breite / 2, mitte.y() - hoehe / 2 + metrics.ascent()),
                     text);
}

QFont titleFont(int pixelGroesse) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixelGroesse));
    font.setBold(true);
    return font;
}

int pointDiameter(const ObjDataTyp& punkt, double s) {
    int durchmesser = std::max(1, rnd(30.0 * s));
    if (punkt.PktCap.size() >= 3 || punkt.PktCap2.size() >= 3) {
        const QFontMetricsF metrics(titleFont(titelGroesse(punkt, s)));
        durchmesser =
            std::max(durchmesser, int(std::ceil(metrics.horizontalAdvance(punkt.PktCap + u'X'))));
        if (zweiZeilig(punkt)) {
            durchmesser = std::max(
                durchmesser,
                int(std::ceil(metrics.horizontalAdvance(punkt.PktCap2 + QStringLiteral("XX")))));
        }
    }
    return durchmesser;
}

void drawPoint(QPainter& painter, QPointF mitte, int durchmesser, const ObjDataTyp& punkt, double s,
               const QColor& fuellung, const QColor& textFarbe) {
    const QRectF box(mitte.x() - durchmesser / 2.0, mitte.y() - durchmesser / 2.0, durchmesser,
                     durchmesser);
    paintEllipse(painter, box, fuellung);
    const QFont font = titleFont(titelGroesse(punkt, s));
    if (!zweiZeilig(punkt)) {
        drawCentred(painter, mitte, punkt.PktCap, font, textFarbe);
        return;
    }
    const QFontMetricsF metrics(font);
    const double versatz = kZweizeilenVersatz * (metrics.ascent() + metrics.descent());
    drawCentred(painter, QPointF(mitte.x(), mitte.y() - versatz), punkt.PktCap, font, textFarbe);
    drawCentred(painter, QPointF(mitte.x(), mitte.y() + versatz), punkt.PktCap2, font, textFarbe);
}

} // namespace quorvel
