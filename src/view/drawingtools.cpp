// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawingtools.h"

#include "viewcomposer.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace quorvel {

namespace {

constexpr int kMarkerWidth = 25;
constexpr int kGlyphUnit = 32;     // stamps and eraser: this many pixels per thickness step
constexpr int kOverlayMargin = 15; // the blend box reaches this far around a drawing
constexpr double kOverlayOpacity = 0.5;

QRect aroundLine(QPoint from, QPoint to, int width) {
    const int r = width / 2 + 2;
    return QRect(from, to).normalized().adjusted(-r, -r, r, r);
}

QPolygonF triangle(const QRectF& box) {
    return QPolygonF({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
}

// The filled head of an arrow pointing from `from` to `to`.
QPolygonF arrowHead(QPointF from, QPointF to, int width) {
    const QLineF line(to, from);
    if (line.length() < 1.0)
        return {};
    const double length = 3.0 * width + 10.0;
    const double angle = std::atan2(from.y() - to.y(), from.x() - to.x());
    const double spread = 0.45;
    return QPolygonF({to, to + QPointF(std::cos(angle + spread), std::sin(angle + spread)) * length,
                      to + QPointF(std::cos(angle - spread), std::sin(angle - spread)) * length});
}

QPainterPath outline(Tool tool, QPoint start, QPoint endPoint) {
    QPainterPath path;
    const QRectF box = QRectF(QRect(start, endPoint).normalized());
    switch (tool) {
    case Tool::Line:
    case Tool::Arrow:
    case Tool::DoubleArrow:
        path.moveTo(start);
        path.lineTo(endPoint);
        break;
    case Tool::Rectangle:
    case Tool::FilledRectangle:
        path.addRect(box);
        break;
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        path.addEllipse(box);
        break;
    case Tool::Triangle:
    case Tool::FilledTriangle:
        path.addPolygon(triangle(box));
        path.closeSubpath();
        break;
    default:
        break;
    }
    return path;
}

void invert(QImage& picture, const QImage& mask, QPoint offset) {
    for (int y = 0; y < mask.height(); ++y) {
        const int zy = y + offset.y();
        if (zy < 0 || zy >= picture.height())
            continue;
        const uchar* m = mask.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(zy));
        for (int x = 0; x < mask.width(); ++x) {
            const int zx = x + offset.x();
            if (m[x] >= 128 && zx >= 0 && zx < picture.width())
                line[zx] ^= 0x00FFFFFF;
        }
    }
}

} // namespace

QRect drawShape(QPainter& p, Tool tool, QPoint start, QPoint endPoint, int width,
                const QColor& colour) {
    if (!isShapeTool(tool))
        return QRect();
    const QRectF box = QRectF(QRect(start, endPoint).normalized());
    QRect area = aroundLine(start, endPoint, width);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(isFilledShape(tool) ? QBrush(colour) : QBrush(Qt::NoBrush));
    switch (tool) {
    case Tool::Line:
        p.drawLine(start, endPoint);
        break;
    case Tool::Arrow:
    case Tool::DoubleArrow: {
        p.drawLine(start, endPoint);
        p.setBrush(colour);
        const QPolygonF tip = arrowHead(start, endPoint, width);
        p.drawPolygon(tip);
        area |= tip.boundingRect().toAlignedRect();
        if (tool == Tool::DoubleArrow) {
            const QPolygonF rear = arrowHead(endPoint, start, width);
            p.drawPolygon(rear);
            area |= rear.boundingRect().toAlignedRect();
        }
        break;
    }
    case Tool::Rectangle:
    case Tool::FilledRectangle:
        p.drawRect(box);
        break;
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        p.drawEllipse(box);
        break;
    default:
        p.drawPolygon(triangle(box));
        break;
    }
    p.restore();
    return area;
}

QImage& DrawingTools::surface() {
    return isTransparentColour(m_state.colourIndex) ? m_composer.overlayForDrawing()
                                                    : m_composer.viewForDrawing();
}

QRect DrawingTools::finishStroke(const QRect& drawn) {
    QImage& view = m_composer.viewForDrawing();
    if (!isTransparentColour(m_state.colourIndex))
        return drawn & view.rect();
    QImage& overlay = m_composer.overlayForDrawing();
    const QRect box =
        drawn.adjusted(-kOverlayMargin, -kOverlayMargin, kOverlayMargin, kOverlayMargin) &
        view.rect() & overlay.rect();
    if (box.isEmpty())
        return QRect();
    // Within one action the overlay collects the whole stroke and is blended
    // over the picture as it was before the action, so overlapping segments
    // do not darken each other; separate actions stack like a real marker.
    const bool wholeAction = m_snapshot.size() == view.size();
    {
        QPainter p(&view);
        if (wholeAction) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(box.topLeft(), m_snapshot, box);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        p.setOpacity(kOverlayOpacity);
        p.drawImage(box.topLeft(), overlay, box);
    }
    if (!wholeAction) {
        QPainter clear(&overlay);
        clear.setCompositionMode(QPainter::CompositionMode_Source);
        clear.fillRect(box, Qt::transparent);
    }
    return box;
}

QRect DrawingTools::penStroke(QPoint from, QPoint to) {
    const int width = strokeWidth(m_state.thicknessIndex);
    const QColor colour = drawingColour(m_state.colourIndex);
    {
        QPainter p(&surface());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(from, to);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(from), width / 2.0, width / 2.0);
    }
    return finishStroke(aroundLine(from, to, width));
}

QRect DrawingTools::markerStroke(QPoint from, QPoint to, bool yellow) {
    QImage& view = m_composer.viewForDrawing();
    {
        QPainter p(&view);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.setPen(QPen(yellow ? QColor(255, 255, 0) : QColor(0, 255, 0), kMarkerWidth, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(from, to);
    }
    return aroundLine(from, to, kMarkerWidth) & view.rect();
}

QRect DrawingTools::erase(QPoint centre) {
    const int page = kGlyphUnit * std::clamp(m_state.thicknessIndex, 1, 4);
    QImage& view = m_composer.viewForDrawing();
    const QImage& clean = m_composer.visibleSection();
    const QRect square =
        QRect(centre - QPoint(page / 2, page / 2), QSize(page, page)) & view.rect() & clean.rect();
    if (square.isEmpty())
        return QRect();
    QPainter p(&view);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(square.topLeft(), clean, square);
    return square;
}

QRect DrawingTools::drawTextAt(QPoint centre, const QString& text, const QFont& font,
                               const QColor& colour) {
    QImage& target = surface();
    QPainter p(&target);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(colour);
    const QRect mass = p.fontMetrics().boundingRect(text);
    const int w = mass.width() + 4, h = p.fontMetrics().height() + 4;
    const QRect box(centre - QPoint(w / 2, h / 2), QSize(w, h));
    p.drawText(box, Qt::AlignCenter, text);
    return box;
}

QRect DrawingTools::stamp(QPoint centre) {
    const int number = std::clamp(m_state.stamp, 1, kStampCount);
    const Glyph glyph = stampGlyph(m_state.stamps[size_t(number - 1)]);
    QFont font(glyph.font);
    font.setPixelSize(kGlyphUnit * std::clamp(m_state.thicknessIndex, 1, 4));
    return finishStroke(drawTextAt(centre, glyph.text, font, drawingColour(m_state.colourIndex)));
}

QRect DrawingTools::cross(QPoint centre) {
    const Glyph glyph = stampGlyph(Stamp{QStringLiteral("Wingdings"), kCrossCharacter});
    QFont font(glyph.font);
    font.setPixelSize(kGlyphUnit);
    // The cross is always opaque red, whatever colour is chosen.
    QImage& view = m_composer.viewForDrawing();
    QPainter p(&view);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(crossColour());
    const int w = p.fontMetrics().horizontalAdvance(glyph.text) + 4;
    const int h = p.fontMetrics().height() + 4;
    const QRect box(centre - QPoint(w / 2, h / 2), QSize(w, h));
    p.drawText(box, Qt::AlignCenter, glyph.text);
    return box & view.rect();
}

QRect DrawingTools::text(QPoint topLeftCorner, const QString& text, const QFont& font) {
    if (text.isEmpty())
        return QRect();
    QImage& target = surface();
    QRect box;
    {
        QPainter p(&target);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(drawingColour(m_state.colourIndex));
        box = QRect(topLeftCorner, QSize(p.fontMetrics().horizontalAdvance(text) + 4,
                                         p.fontMetrics().height() + 2));
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    return finishStroke(box);
}

QRect DrawingTools::form(Tool tool, QPoint start, QPoint endPoint) {
    if (!isShapeTool(tool))
        return QRect();
    const int width = strokeWidth(m_state.thicknessIndex);
    QRect area;
    {
        QPainter p(&surface());
        area = drawShape(p, tool, start, endPoint, width, drawingColour(m_state.colourIndex));
    }
    const int margin = width + 2;
    return finishStroke(area.adjusted(-margin, -margin, margin, margin));
}

QRect DrawingTools::removePreview() {
    if (m_previewArea.isEmpty())
        return QRect();
    const QRect old = m_previewArea;
    QImage& view = m_composer.viewForDrawing();
    if (m_previewBackup.size() == old.size()) {
        QPainter p(&view);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(old.topLeft(), m_previewBackup);
    }
    m_previewArea = QRect();
    m_previewBackup = QImage();
    return old;
}

QRect DrawingTools::preview(Tool tool, QPoint start, QPoint endPoint) {
    QRect changed = removePreview();
    QImage& view = m_composer.viewForDrawing();
    const QRect area = QRect(start, endPoint).normalized().adjusted(-1, -1, 1, 1) & view.rect();
    if (area.isEmpty() || !isShapeTool(tool))
        return changed;
    m_previewArea = area;
    m_previewBackup = view.copy(area);
    QImage mask(area.size(), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.translate(-area.topLeft());
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(outline(tool, start, endPoint));
    }
    invert(view, mask, area.topLeft());
    return changed | area;
}

void DrawingTools::rememberState() {
    m_composer.overlayForDrawing().fill(Qt::transparent);
    m_snapshot = m_composer.view();
    m_snapshotZoom = m_composer.state().zoomLevel;
}

QRect DrawingTools::undo() {
    if (m_snapshot.isNull())
        return QRect();
    QImage& view = m_composer.viewForDrawing();
    QRect changed;
    if (m_snapshot.size() == view.size()) {
        view = m_snapshot;
        m_composer.overlayForDrawing().fill(Qt::transparent);
        changed = view.rect();
    }
    m_snapshot = QImage();
    m_previewArea = QRect();
    return changed;
}

QRect DrawingTools::removeAll() {
    m_composer.overlayForDrawing().fill(Qt::transparent);
    QImage& view = m_composer.viewForDrawing();
    view = m_composer.visibleSection().copy();
    m_previewArea = QRect();
    return view.rect();
}

} // namespace quorvel
