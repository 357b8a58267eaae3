#include "drawingtools.h"

#include "viewcomposer.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace quorvel {

namespace {

constexpr int kMarkerBreite = 25;
constexpr int kGlyphenEinheit = 32;     // stamps and eraser: this many pixels per thickness step
constexpr int kUeberlagerungsRand = 15; // the blend box reaches this far around a drawing
constexpr double kUeberlagerungsDeckung = 0.5;

QRect umLinie(QPoint von, QPoint bis, int breite) {
    const int r = breite / 2 + 2;
    return QRect(von, bis).normalized().adjusted(-r, -r, r, r);
}

QPolygonF dreieck(const QRectF& box) {
    return QPolygonF({QPointF(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
}

// The filled head of an arrow pointing from `von` to `bis`.
QPolygonF pfeilspitze(QPointF von, QPointF bis, int breite) {
    const QLineF linie(bis, von);
    if (linie.length() < 1.0)
        return {};
    const double laenge = 3.0 * breite + 10.0;
    const double winkel = std::atan2(von.y() - bis.y(), von.x() - bis.x());
    const double spreizung = 0.45;
    return QPolygonF(
        {bis, bis + QPointF(std::cos(winkel + spreizung), std::sin(winkel + spreizung)) * laenge,
         bis + QPointF(std::cos(winkel - spreizung), std::sin(winkel - spreizung)) * laenge});
}

QPainterPath umriss(Tool tool, QPoint start, QPoint ende) {
    QPainterPath pfad;
    const QRectF box = QRectF(QRect(start, ende).normalized());
    switch (tool) {
    case Tool::Line:
    case Tool::Arrow:
    case Tool::DoubleArrow:
        pfad.moveTo(start);
        pfad.lineTo(ende);
        break;
    case Tool::Rectangle:
    case Tool::FilledRectangle:
        pfad.addRect(box);
        break;
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        pfad.addEllipse(box);
        break;
    case Tool::Triangle:
    case Tool::FilledTriangle:
        pfad.addPolygon(dreieck(box));
        pfad.closeSubpath();
        break;
    default:
        break;
    }
    return pfad;
}

void invertiere(QImage& bild, const QImage& maske, QPoint versatz) {
    for (int y = 0; y < maske.height(); ++y) {
        const int zy = y + versatz.y();
        if (zy < 0 || zy >= bild.height())
            continue;
        const uchar* m = maske.constScanLine(y);
        auto* zeile = reinterpret_cast<QRgb*>(bild.scanLine(zy));
        for (int x = 0; x < maske.width(); ++x) {
            const int zx = x + versatz.x();
            if (m[x] >= 128 && zx >= 0 && zx < bild.width())
                zeile[zx] ^= 0x00FFFFFF;
        }
    }
}

} // namespace

QImage& DrawingTools::flaeche() {
    return isTransparentColour(m_zustand.colourIndex) ? m_composer.overlayForDrawing()
                                                      : m_composer.viewForDrawing();
}

QRect DrawingTools::finishStroke(const QRect& gezeichnet) {
    QImage& ansicht = m_composer.viewForDrawing();
    if (!isTransparentColour(m_zustand.colourIndex))
        return gezeichnet & ansicht.rect();
    QImage& ueberlagerung = m_composer.overlayForDrawing();
    const QRect box = gezeichnet.adjusted(-kUeberlagerungsRand, -kUeberlagerungsRand,
                                          kUeberlagerungsRand, kUeberlagerungsRand) &
                      ansicht.rect() & ueberlagerung.rect();
    if (box.isEmpty())
        return QRect();
    // Within one action the overlay collects the whole stroke and is blended
    // over the picture as it was before the action, so overlapping segments
    // do not darken each other; separate actions stack like a real marker.
    const bool ganzeAktion = m_schnappschuss.size() == ansicht.size();
    {
        QPainter p(&ansicht);
        if (ganzeAktion) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(box.topLeft(), m_schnappschuss, box);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        p.setOpacity(kUeberlagerungsDeckung);
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
    const int breite = strokeWidth(m_zustand.thicknessIndex);
    const QColor farbe = drawingColour(m_zustand.colourIndex);
    {
        QPainter p(&flaeche());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(farbe, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(von, bis);
        p.setPen(Qt::NoPen);
        p.setBrush(farbe);
        p.drawEllipse(QPointF(von), breite / 2.0, breite / 2.0);
    }
    return finishStroke(umLinie(von, bis, breite));
}

QRect DrawingTools::markerStroke(QPoint von, QPoint bis, bool gelb) {
    QImage& ansicht = m_composer.viewForDrawing();
    {
        QPainter p(&ansicht);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.setPen(QPen(gelb ? QColor(255, 255, 0) : QColor(0, 255, 0), kMarkerBreite, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(von, bis);
    }
    return umLinie(von, bis, kMarkerBreite) & ansicht.rect();
}

QRect DrawingTools::erase(QPoint mitte) {
    const int seite = kGlyphenEinheit * std::clamp(m_zustand.thicknessIndex, 1, 4);
    QImage& ansicht = m_composer.viewForDrawing();
    const QImage& sauber = m_composer.visibleSection();
    const QRect quadrat = QRect(mitte - QPoint(seite / 2, seite / 2), QSize(seite, seite)) &
                          ansicht.rect() & sauber.rect();
    if (quadrat.isEmpty())
        return QRect();
    QPainter p(&ansicht);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(quadrat.topLeft(), sauber, quadrat);
    return quadrat;
}

QRect DrawingTools::drawTextAt(QPoint mitte, const QString& text, const QFont& font,
                               const QColor& farbe) {
    QImage& ziel = flaeche();
    QPainter p(&ziel);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(farbe);
    const QRect mass = p.fontMetrics().boundingRect(text);
    const int w = mass.width() + 4, h = p.fontMetrics().height() + 4;
    const QRect box(mitte - QPoint(w / 2, h / 2), QSize(w, h));
    p.drawText(box, Qt::AlignCenter, text);
    return box;
}

QRect DrawingTools::stamp(QPoint mitte) {
    const int nummer = std::clamp(m_zustand.stempel, 1, kStampCount);
    const Glyph glyphe = stampGlyph(m_zustand.stamps[size_t(nummer - 1)]);
    QFont font(glyphe.font);
    font.setPixelSize(kGlyphenEinheit * std::clamp(m_zustand.thicknessIndex, 1, 4));
    return finishStroke(drawTextAt(mitte, glyphe.text, font, drawingColour(m_zustand.colourIndex)));
}

QRect DrawingTools::kreuz(QPoint mitte) {
    const Glyph glyphe = stampGlyph(Stamp{QStringLiteral("Wingdings"), kCrossCharacter});
    QFont font(glyphe.font);
    font.setPixelSize(kGlyphenEinheit);
    // The cross is always opaque red, whatever colour is chosen.
    QImage& ansicht = m_composer.viewForDrawing();
    QPainter p(&ansicht);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(crossColour());
    const int w = p.fontMetrics().horizontalAdvance(glyphe.text) + 4;
    const int h = p.fontMetrics().height() + 4;
    const QRect box(mitte - QPoint(w / 2, h / 2), QSize(w, h));
    p.drawText(box, Qt::AlignCenter, glyphe.text);
    return box & ansicht.rect();
}

QRect DrawingTools::text(QPoint obenLinks, const QString& text, const QFont& font) {
    if (text.isEmpty())
        return QRect();
    QImage& ziel = flaeche();
    QRect box;
    {
        QPainter p(&ziel);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(drawingColour(m_zustand.colourIndex));
        box = QRect(obenLinks, QSize(p.fontMetrics().horizontalAdvance(text) + 4,
                                     p.fontMetrics().height() + 2));
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    return finishStroke(box);
}

QRect DrawingTools::form(Tool tool, QPoint start, QPoint ende) {
    if (!isShapeTool(tool))
        return QRect();
    const int breite = strokeWidth(m_zustand.thicknessIndex);
    const QColor farbe = drawingColour(m_zustand.colourIndex);
    const QRectF box = QRectF(QRect(start, ende).normalized());
    QRect bereich = umLinie(start, ende, breite);
    {
        QPainter p(&flaeche());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(farbe, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const bool gefuellt = isFilledShape(tool);
        p.setBrush(gefuellt ? QBrush(farbe) : QBrush(Qt::NoBrush));
        switch (tool) {
        case Tool::Line:
            p.drawLine(start, ende);
            break;
        case Tool::Arrow:
        case Tool::DoubleArrow: {
            p.drawLine(start, ende);
            p.setBrush(farbe);
            const QPolygonF spitze = pfeilspitze(start, ende, breite);
            p.drawPolygon(spitze);
            bereich |= spitze.boundingRect().toAlignedRect();
            if (tool == Tool::DoubleArrow) {
                const QPolygonF hinten = pfeilspitze(ende, start, breite);
                p.drawPolygon(hinten);
                bereich |= hinten.boundingRect().toAlignedRect();
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
            p.drawPolygon(dreieck(box));
            break;
        }
    }
    const int rand = breite + 2;
    return finishStroke(bereich.adjusted(-rand, -rand, rand, rand));
}

QRect DrawingTools::removePreview() {
    if (m_vorschauBereich.isEmpty())
        return QRect();
    const QRect alt = m_vorschauBereich;
    QImage& ansicht = m_composer.viewForDrawing();
    if (m_vorschauSicherung.size() == alt.size()) {
        QPainter p(&ansicht);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(alt.topLeft(), m_vorschauSicherung);
    }
    m_vorschauBereich = QRect();
    m_vorschauSicherung = QImage();
    return alt;
}

QRect DrawingTools::preview(Tool tool, QPoint start, QPoint ende) {
    QRect geaendert = removePreview();
    QImage& ansicht = m_composer.viewForDrawing();
    const QRect bereich = QRect(start, ende).normalized().adjusted(-1, -1, 1, 1) & ansicht.rect();
    if (bereich.isEmpty() || !isShapeTool(tool))
        return geaendert;
    m_vorschauBereich = bereich;
    m_vorschauSicherung = ansicht.copy(bereich);
    QImage maske(bereich.size(), QImage::Format_Alpha8);
    maske.fill(0);
    {
        QPainter p(&maske);
        p.translate(-bereich.topLeft());
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(umriss(tool, start, ende));
    }
    invertiere(ansicht, maske, bereich.topLeft());
    return geaendert | bereich;
}

void DrawingTools::rememberState() {
    m_composer.overlayForDrawing().fill(Qt::transparent);
    m_schnappschuss = m_composer.ansicht();
    m_schnappschussZoom = m_composer.state().zoomLevel;
}

QRect DrawingTools::undo() {
    if (m_schnappschuss.isNull())
        return QRect();
    QImage& ansicht = m_composer.viewForDrawing();
    QRect geaendert;
    if (m_schnappschuss.size() == ansicht.size()) {
        ansicht = m_schnappschuss;
        m_composer.overlayForDrawing().fill(Qt::transparent);
        geaendert = ansicht.rect();
    }
    m_schnappschuss = QImage();
    m_vorschauBereich = QRect();
    return geaendert;
}

QRect DrawingTools::removeAll() {
    m_composer.overlayForDrawing().fill(Qt::transparent);
    QImage& ansicht = m_composer.viewForDrawing();
    ansicht = m_composer.visibleSection().copy();
    m_vorschauBereich = QRect();
    return ansicht.rect();
}

} // namespace quorvel
