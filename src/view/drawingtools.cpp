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
constexpr int kGlyphenEinheit = 32; // stamps and eraser: this many pixels per thickness step
constexpr int kOverlayMargin = 15;  // the blend box reaches this far around a drawing
constexpr double kOverlayOpacity = 0.5;

QRect aroundLine(QPoint von, QPoint bis, int width) {
    const int r = width / 2 + 2;
    return QRect(von, bis).normalized().adjusted(-r, -r, r, r);
}

QPolygonF triangle(const QRectF& box) {
    return QPolygonF({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
}

// The filled head of an arrow pointing from `von` to `bis`.
QPolygonF arrowHead(QPointF von, QPointF bis, int width) {
    const QLineF line(bis, von);
    if (line.length() < 1.0)
        return {};
    const double length = 3.0 * width + 10.0;
    const double winkel = std::atan2(von.y() - bis.y(), von.x() - bis.x());
    const double spreizung = 0.45;
    return QPolygonF(
        {bis, bis + QPointF(std::cos(winkel + spreizung), std::sin(winkel + spreizung)) * length,
         bis + QPointF(std::cos(winkel - spreizung), std::sin(winkel - spreizung)) * length});
}

QPainterPath umriss(Tool tool, QPoint start, QPoint ende) {
    QPainterPath path;
    const QRectF box = QRectF(QRect(start, ende).normalized());
    switch (tool) {
    case Tool::Line:
    case Tool::Arrow:
    case Tool::DoubleArrow:
        path.moveTo(start);
        path.lineTo(ende);
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

void invertiere(QImage& picture, const QImage& maske, QPoint offset) {
    for (int y = 0; y < maske.height(); ++y) {
        const int zy = y + offset.y();
        if (zy < 0 || zy >= picture.height())
            continue;
        const uchar* m = maske.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(zy));
        for (int x = 0; x < maske.width(); ++x) {
            const int zx = x + offset.x();
            if (m[x] >= 128 && zx >= 0 && zx < picture.width())
                line[zx] ^= 0x00FFFFFF;
        }
    }
}

} // namespace

QImage& DrawingTools::flaeche() {
    return isTransparentColour(m_state.colourIndex) ? m_composer.overlayForDrawing()
                                                    : m_composer.viewForDrawing();
}

QRect DrawingTools::finishStroke(const QRect& drawn) {
    QImage& view = m_composer.viewForDrawing();
    if (!isTransparentColour(m_state.colourIndex))
        return drawn & view.rect();
    QImage& ueberlagerung = m_composer.overlayForDrawing();
    const QRect box =
        drawn.adjusted(-kOverlayMargin, -kOverlayMargin, kOverlayMargin, kOverlayMargin) &
        view.rect() & ueberlagerung.rect();
    if (box.isEmpty())
        return QRect();
    // Within one action the overlay collects the whole stroke and is blended
    // over the picture as it was before the action, so overlapping segments
    // do not darken each other; separate actions stack like a real marker.
    const bool ganzeAktion = m_schnappschuss.size() == view.size();
    {
        QPainter p(&view);
        if (ganzeAktion) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(box.topLeft(), m_schnappschuss, box);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        p.setOpacity(kOverlayOpacity);
        p.drawImage(box.topLeft(), ueberlagerung, box);
    }
    if (!ganzeAktion) {
        QPainter clear(&ueberlagerung);
        clear.setCompositionMode(QPainter::CompositionMode_Source);
        clear.fillRect(box, Qt::transparent);
    }
    return box;
}

QRect DrawingTools::penStroke(QPoint von, QPoint bis) {
    const int width = strokeWidth(m_state.thicknessIndex);
    const QColor colour = drawingColour(m_state.colourIndex);
    {
        QPainter p(&flaeche());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(von, bis);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(von), width / 2.0, width / 2.0);
    }
    return finishStroke(aroundLine(von, bis, width));
}

QRect DrawingTools::markerStroke(QPoint von, QPoint bis, bool gelb) {
    QImage& view = m_composer.viewForDrawing();
    {
        QPainter p(&view);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.setPen(QPen(gelb ? QColor(255, 255, 0) : QColor(0, 255, 0), kMarkerWidth, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(von, bis);
    }
    return aroundLine(von, bis, kMarkerWidth) & view.rect();
}

QRect DrawingTools::erase(QPoint centre) {
    const int page = kGlyphenEinheit * std::clamp(m_state.thicknessIndex, 1, 4);
    QImage& view = m_composer.viewForDrawing();
    const QImage& sauber = m_composer.visibleSection();
    const QRect quadrat =
        QRect(centre - QPoint(page / 2, page / 2), QSize(page, page)) & view.rect() & sauber.rect();
    if (quadrat.isEmpty())
        return QRect();
    QPainter p(&view);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(quadrat.topLeft(), sauber, quadrat);
    return quadrat;
}

QRect DrawingTools::drawTextAt(QPoint centre, const QString& text, const QFont& font,
                               const QColor& colour) {
    QImage& target = flaeche();
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
    const Glyph glyphe = stampGlyph(m_state.stamps[size_t(number - 1)]);
    QFont font(glyphe.font);
    font.setPixelSize(kGlyphenEinheit * std::clamp(m_state.thicknessIndex, 1, 4));
    return finishStroke(drawTextAt(centre, glyphe.text, font, drawingColour(m_state.colourIndex)));
}

QRect DrawingTools::kreuz(QPoint centre) {
    const Glyph glyphe = stampGlyph(Stamp{QStringLiteral("Wingdings"), kCrossCharacter});
    QFont font(glyphe.font);
    font.setPixelSize(kGlyphenEinheit);
    // The cross is always opaque red, whatever colour is chosen.
    QImage& view = m_composer.viewForDrawing();
    QPainter p(&view);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(crossColour());
    const int w = p.fontMetrics().horizontalAdvance(glyphe.text) + 4;
    const int h = p.fontMetrics().height() + 4;
    const QRect box(centre - QPoint(w / 2, h / 2), QSize(w, h));
    p.drawText(box, Qt::AlignCenter, glyphe.text);
    return box & view.rect();
}

QRect DrawingTools::text(QPoint topLeftCorner, const QString& text, const QFont& font) {
    if (text.isEmpty())
        return QRect();
    QImage& target = flaeche();
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

QRect DrawingTools::form(Tool tool, QPoint start, QPoint ende) {
    if (!isShapeTool(tool))
        return QRect();
    const int width = strokeWidth(m_state.thicknessIndex);
    const QColor colour = drawingColour(m_state.colourIndex);
    const QRectF box = QRectF(QRect(start, ende).normalized());
    QRect area = aroundLine(start, ende, width);
    {
        QPainter p(&flaeche());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const bool gefuellt = isFilledShape(tool);
        p.setBrush(gefuellt ? QBrush(colour) : QBrush(Qt::NoBrush));
        switch (tool) {
        case Tool::Line:
            p.drawLine(start, ende);
            break;
        case Tool::Arrow:
        case Tool::DoubleArrow: {
            p.drawLine(start, ende);
            p.setBrush(colour);
            const QPolygonF spitze = arrowHead(start, ende, width);
            p.drawPolygon(spitze);
            area |= spitze.boundingRect().toAlignedRect();
            if (tool == Tool::DoubleArrow) {
                const QPolygonF hinten = arrowHead(ende, start, width);
                p.drawPolygon(hinten);
                area |= hinten.boundingRect().toAlignedRect();
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

QRect DrawingTools::preview(Tool tool, QPoint start, QPoint ende) {
    QRect changed = removePreview();
    QImage& view = m_composer.viewForDrawing();
    const QRect area = QRect(start, ende).normalized().adjusted(-1, -1, 1, 1) & view.rect();
    if (area.isEmpty() || !isShapeTool(tool))
        return changed;
    m_previewArea = area;
    m_previewBackup = view.copy(area);
    QImage maske(area.size(), QImage::Format_Alpha8);
    maske.fill(0);
    {
        QPainter p(&maske);
        p.translate(-area.topLeft());
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(umriss(tool, start, ende));
    }
    invertiere(view, maske, area.topLeft());
    return changed | area;
}

void DrawingTools::rememberState() {
    m_composer.overlayForDrawing().fill(Qt::transparent);
    m_schnappschuss = m_composer.view();
    m_schnappschussZoom = m_composer.state().zoomLevel;
}

QRect DrawingTools::undo() {
    if (m_schnappschuss.isNull())
        return QRect();
    QImage& view = m_composer.viewForDrawing();
    QRect changed;
    if (m_schnappschuss.size() == view.size()) {
        view = m_schnappschuss;
        m_composer.overlayForDrawing().fill(Qt::transparent);
        changed = view.rect();
    }
    m_schnappschuss = QImage();
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
