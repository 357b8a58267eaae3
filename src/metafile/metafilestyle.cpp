// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafilestyle.h"

#include <QBrush>
#include <QFont>
#include <QFontInfo>
#include <QGradient>
#include <QImage>
#include <QPen>
#include <QtMath>
#include <algorithm>

namespace quorvel {

namespace {

// Below this alpha a colour does not show on paper.
constexpr double kInvisibleAlpha = 1.0 / 64;

// Qt's hatch patterns as hatch styles: horizontal, vertical, "\", "/", cross,
// diagonal cross. The dense patterns have none and are drawn solid.
bool hatchOf(Qt::BrushStyle style, quint32* hatch) {
    switch (style) {
    case Qt::HorPattern:
        *hatch = 0;
        return true;
    case Qt::VerPattern:
        *hatch = 1;
        return true;
    case Qt::FDiagPattern:
        *hatch = 2;
        return true;
    case Qt::BDiagPattern:
        *hatch = 3;
        return true;
    case Qt::CrossPattern:
        *hatch = 4;
        return true;
    case Qt::DiagCrossPattern:
        *hatch = 5;
        return true;
    default:
        return false;
    }
}

// The one colour that stands for a brush whose fill the formats cannot hold.
QColor representativeColor(const QBrush& brush) {
    if (const QGradient* gradient = brush.gradient()) {
        const QGradientStops stops = gradient->stops();
        return stops.isEmpty() ? QColor(Qt::black) : stops.constFirst().second;
    }
    if (brush.style() == Qt::TexturePattern) {
        const QImage texture = brush.textureImage();
        if (texture.isNull())
            return brush.color();
        return texture.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0);
    }
    return brush.color();
}

qint32 roundedWidth(double width) {
    if (!qIsFinite(width) || width <= 0)
        return 0;
    return qint32(std::min(width + 0.5, 10000.0));
}

} // namespace

QRgb onPaper(QRgb color, double alpha) {
    const double a = std::clamp(alpha, 0.0, 1.0);
    auto mix = [a](int channel) { return int(channel * a + 255 * (1 - a) + 0.5); };
    return qRgb(mix(qRed(color)), mix(qGreen(color)), mix(qBlue(color)));
}

MetafilePen metafilePen(const QPen& pen, double opacity, double widthScale, double cosmeticScale) {
    MetafilePen result;
    const QColor color = representativeColor(pen.brush());
    const double alpha = color.alphaF() * opacity;
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush || alpha < kInvisibleAlpha) {
        result.style = MetafilePen::Null;
        return result;
    }
    result.color = onPaper(color.rgb(), alpha);
    switch (pen.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine:
        result.style = MetafilePen::Dash;
        break;
    case Qt::DotLine:
        result.style = MetafilePen::Dot;
        break;
    case Qt::DashDotLine:
        result.style = MetafilePen::DashDot;
        break;
    case Qt::DashDotDotLine:
        result.style = MetafilePen::DashDotDot;
        break;
    default:
        result.style = MetafilePen::Solid;
    }
    switch (pen.capStyle()) {
    case Qt::FlatCap:
        result.cap = MetafilePen::FlatCap;
        break;
    case Qt::RoundCap:
        result.cap = MetafilePen::RoundCap;
        break;
    default:
        result.cap = MetafilePen::SquareCap;
    }
    switch (pen.joinStyle()) {
    case Qt::RoundJoin:
        result.join = MetafilePen::RoundJoin;
        break;
    case Qt::BevelJoin:
        result.join = MetafilePen::BevelJoin;
        break;
    default:
        result.join = MetafilePen::MiterJoin;
    }
    // A cosmetic pen is measured in pixels of the output, width 0 being one
    // pixel; a page unit stands in for a pixel, as readers differ in what a
    // pixel of the file is.
    result.width = pen.isCosmetic() ? roundedWidth(std::max(1.0, pen.widthF()) * cosmeticScale)
                                    : std::max(1, roundedWidth(pen.widthF() * widthScale));
    return result;
}

MetafileBrush metafileBrush(const QBrush& brush, double opacity) {
    MetafileBrush result;
    const QColor color = representativeColor(brush);
    const double alpha = color.alphaF() * opacity;
    if (brush.style() == Qt::NoBrush || alpha < kInvisibleAlpha) {
        result.style = MetafileBrush::Null;
        return result;
    }
    result.color = onPaper(color.rgb(), alpha);
    if (hatchOf(brush.style(), &result.hatch))
        result.style = MetafileBrush::Hatched;
    return result;
}

MetafileFont metafileFont(const QFont& font, double emHeight, double angleDegrees) {
    MetafileFont result;
    result.family = font.family();
    if (result.family.isEmpty())
        result.family = QFontInfo(font).family();
    result.family.truncate(31); // the face name holds 31 characters and the terminator
    const double height = qIsFinite(emHeight) ? std::clamp(emHeight, 1.0, 30000.0) : 1.0;
    result.height = -qint32(height + 0.5);
    if (qIsFinite(angleDegrees)) {
        // Qt turns clockwise on the page, the formats counter-clockwise.
        double tenths = std::fmod(-angleDegrees * 10, 3600.0);
        if (tenths < 0)
            tenths += 3600;
        result.escapement = qint32(tenths + 0.5) % 3600;
    }
    result.weight = std::clamp(int(font.weight()), 1, 1000);
    result.italic = font.italic();
    result.underline = font.underline();
    result.strikeOut = font.strikeOut();
    // Pitch in the low bits (1 fixed, 2 variable), family in the high ones
    // (0x10 roman, 0x20 swiss, 0x30 modern, 0x40 script, 0x50 decorative).
    quint8 family = 0;
    switch (font.styleHint()) {
    case QFont::Serif:
        family = 0x10;
        break;
    case QFont::SansSerif:
        family = 0x20;
        break;
    case QFont::Monospace:
    case QFont::TypeWriter:
        family = 0x30;
        break;
    case QFont::Cursive:
        family = 0x40;
        break;
    case QFont::Decorative:
        family = 0x50;
        break;
    default:
        break;
    }
    result.pitchAndFamily = quint8(family | (font.fixedPitch() ? 1 : 0));
    return result;
}

} // namespace quorvel
