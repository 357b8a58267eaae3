// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafileengine.h"

#include "dashpattern.h"
#include "metafilesink.h"
#include "metafilestyle.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

// Text runs longer than this are written in pieces; readers differ in the
// longest string they accept.
constexpr qsizetype kMaxRunLength = 1000;
// Dashes per drawn shape; beyond them the shape is drawn solid.
constexpr qsizetype kMaxDashes = 20000;
// A tiled or turned picture is drawn into an image of at most this size.
constexpr int kMaxImageSide = 2048;

int clamped(double value, int limit) {
    if (!qIsFinite(value))
        return 0;
    return int(std::lround(std::clamp(value, double(-limit), double(limit))));
}

bool visible(const QPen& pen) {
    return pen.style() != Qt::NoPen;
}

// Characters that lay out as nothing or as a break become spaces, so that
// readers draw neither boxes nor line breaks.
QString printable(QString text) {
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return text;
}

// The corners of `polygon` when it is an upright rectangle (four corners,
// perhaps closed by a fifth), as a recorded picture keeps rectangles.
bool uprightCorners(const QPolygon& polygon, QRect* corners) {
    qsizetype count = polygon.size();
    if (count == 5 && polygon.constFirst() == polygon.constLast())
        count = 4;
    if (count != 4)
        return false;
    bool horizontalFirst = polygon.at(0).y() == polygon.at(1).y();
    for (int i = 0; i < 4; ++i) {
        const QPoint a = polygon.at(i);
        const QPoint b = polygon.at((i + 1) % 4);
        const bool horizontal = (i % 2 == 0) == horizontalFirst;
        if (horizontal ? a.y() != b.y() : a.x() != b.x())
            return false;
    }
    *corners = QRect(polygon.at(0), polygon.at(2)).normalized();
    return true;
}

} // namespace

MetafilePaintEngine::MetafilePaintEngine(MetafileSink& sink, double deviceScale)
    : QPaintEngine(QPaintEngine::AllFeatures), m_sink(sink), m_deviceScale(deviceScale),
      m_transform(QTransform::fromScale(deviceScale, deviceScale)) {}

bool MetafilePaintEngine::begin(QPaintDevice* device) {
    m_device = device;
    m_clipDirty = true;
    return true;
}

bool MetafilePaintEngine::end() {
    // A clip still set is ended, so that every saved state is restored.
    m_sink.useClip(std::nullopt);
    return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        m_transform = state.transform() * QTransform::fromScale(m_deviceScale, m_deviceScale);
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyOpacity)
        m_opacity = qIsFinite(state.opacity()) ? std::clamp(state.opacity(), 0.0, 1.0) : 1.0;
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
        m_clipDirty = true;
}

QPoint MetafilePaintEngine::toDevice(const QPointF& point) const {
    const QPointF mapped = m_transform.map(point);
    const int limit = m_sink.coordinateLimit();
    return QPoint(clamped(mapped.x(), limit), clamped(mapped.y(), limit));
}

QPolygon MetafilePaintEngine::toDevice(const QPolygonF& polygon) const {
    QPolygon result;
    result.reserve(polygon.size());
    for (const QPointF& point : polygon)
        result.append(toDevice(point));
    return result;
}

bool MetafilePaintEngine::uprightRect(const QRectF& rect, QRect* corners) const {
    if (m_transform.type() > QTransform::TxScale)
        return false;
    const QPoint a = toDevice(rect.topLeft());
    const QPoint b = toDevice(rect.bottomRight());
    *corners = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    return true;
}

void MetafilePaintEngine::applyClip() {
    if (!m_clipDirty)
        return;
    m_clipDirty = false;
    QPainter* p = painter();
    if (!p || !p->hasClipping()) {
        m_sink.useClip(std::nullopt);
        return;
    }
    // The formats clip to rectangles: a clip of another shape becomes the
    // rectangle around it, which hides nothing the painter would show.
    const QPolygonF area = m_transform.map(p->clipPath()).toFillPolygon();
    const QRectF box = area.boundingRect();
    const int limit = m_sink.coordinateLimit();
    const QPoint topLeft(clamped(box.left(), limit), clamped(box.top(), limit));
    const QPoint bottomRight(clamped(box.right(), limit), clamped(box.bottom(), limit));
    m_sink.useClip(QRect(topLeft, QSize(std::max(0, bottomRight.x() - topLeft.x()),
                                        std::max(0, bottomRight.y() - topLeft.y()))));
}

double MetafilePaintEngine::penWidth() const {
    if (m_pen.isCosmetic())
        return std::max(1.0, m_pen.widthF()) * m_deviceScale;
    return m_pen.widthF() * std::sqrt(std::abs(m_transform.determinant()));
}

void MetafilePaintEngine::usePen() {
    QPen pen = m_pen;
    if (dashedPen())
        pen.setStyle(Qt::SolidLine); // the dashes are drawn as lines of their own
    const double widthScale = std::sqrt(std::abs(m_transform.determinant()));
    m_sink.usePen(metafilePen(pen, m_opacity, widthScale, m_deviceScale));
}

bool MetafilePaintEngine::dashedPen() const {
    return m_pen.style() != Qt::SolidLine && m_pen.style() != Qt::NoPen;
}

void MetafilePaintEngine::stroke(const QList<QPolygon>& lines) {
    if (!visible(m_pen) || lines.isEmpty())
        return;
    usePen();
    if (!dashedPen()) {
        m_sink.polylines(lines);
        return;
    }
    // The pattern counts in pen widths, a thin pen's in page units.
    const double unit = std::max(penWidth(), m_deviceScale);
    QList<double> pattern;
    for (qreal length : m_pen.dashPattern())
        pattern.append(length * unit);
    const QList<QPolygon> dashes =
        dashedLines(lines, pattern, m_pen.dashOffset() * unit, kMaxDashes);
    m_sink.polylines(dashes.isEmpty() ? lines : dashes);
}

void MetafilePaintEngine::useBrush() {
    m_sink.useBrush(metafileBrush(m_brush, m_opacity));
}

void MetafilePaintEngine::useNoPen() {
    m_sink.usePen(metafilePen(QPen(Qt::NoPen), 1, 1, 1));
}

void MetafilePaintEngine::shapes(const QList<QPolygon>& polygons, bool closed, bool winding) {
    if (polygons.isEmpty())
        return;
    applyClip();
    QRect corners;
    if (closed && !dashedPen() && polygons.size() == 1 &&
        uprightCorners(polygons.constFirst(), &corners)) {
        usePen();
        useBrush();
        m_sink.rectangle(corners);
        return;
    }
    const bool filled = metafileBrush(m_brush, m_opacity).style != MetafileBrush::Null;
    const bool outlined = closed && !dashedPen();
    if (filled) {
        // The formats outline a filled shape all round with a solid pen; an
        // open or dashed outline is drawn on its own.
        if (outlined)
            usePen();
        else
            useNoPen();
        useBrush();
        m_sink.useWindingFill(winding);
        m_sink.polygons(polygons);
    }
    if (!filled || !outlined) {
        QList<QPolygon> outlines = polygons;
        if (closed) {
            for (QPolygon& outline : outlines) {
                if (outline.constFirst() != outline.constLast())
                    outline.append(outline.constFirst());
            }
        }
        stroke(outlines);
    }
}

void MetafilePaintEngine::drawPath(const QPainterPath& path) {
    if (path.isEmpty())
        return;
    QList<QPolygon> polygons;
    bool closed = true;
    for (const QPolygonF& subpath : path.toSubpathPolygons(m_transform)) {
        if (subpath.size() < 2)
            continue;
        closed = closed && subpath.isClosed();
        QPolygon polygon;
        polygon.reserve(subpath.size());
        const int limit = m_sink.coordinateLimit();
        for (const QPointF& point : subpath)
            polygon.append(QPoint(clamped(point.x(), limit), clamped(point.y(), limit)));
        polygons.append(polygon);
    }
    shapes(polygons, closed, path.fillRule() == Qt::WindingFill);
}

void MetafilePaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 2)
        return;
    QPolygon polygon = toDevice(QPolygonF(QList<QPointF>(points, points + count)));
    if (mode == PolylineMode) {
        applyClip();
        stroke({polygon});
        return;
    }
    shapes({polygon}, true, mode != OddEvenMode);
}

void MetafilePaintEngine::drawLines(const QLineF* lines, int count) {
    if (count < 1 || !visible(m_pen))
        return;
    QList<QPolygon> polylines;
    polylines.reserve(count);
    for (int i = 0; i < count; ++i)
        polylines.append(QPolygon({toDevice(lines[i].p1()), toDevice(lines[i].p2())}));
    applyClip();
    stroke(polylines);
}

void MetafilePaintEngine::drawRects(const QRectF* rects, int count) {
    for (int i = 0; i < count; ++i) {
        QRect corners;
        if (dashedPen() || !uprightRect(rects[i], &corners)) {
            QPainterPath path;
            path.addRect(rects[i]);
            drawPath(path);
            continue;
        }
        applyClip();
        usePen();
        useBrush();
        m_sink.rectangle(corners);
    }
}

void MetafilePaintEngine::drawEllipse(const QRectF& rect) {
    QRect corners;
    if (dashedPen() || !uprightRect(rect, &corners)) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    applyClip();
    usePen();
    useBrush();
    m_sink.ellipse(corners);
}

void MetafilePaintEngine::drawPoints(const QPointF* points, int count) {
    if (count < 1 || !visible(m_pen))
        return;
    // A point is a line one device unit long, which the pen's caps widen to a dot.
    QList<QPolygon> dots;
    dots.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QPoint at = toDevice(points[i]);
        dots.append(QPolygon({at, at + QPoint(1, 0)}));
    }
    applyClip();
    usePen();
    m_sink.polylines(dots);
}

void MetafilePaintEngine::picture(const QRectF& target, const QImage& image) {
    if (image.isNull() || !target.isValid())
        return;
    applyClip();
    QRect corners;
    if (uprightRect(target, &corners)) {
        // A mirroring transform mirrors the picture.
        const bool mirrorX = m_transform.m11() < 0;
        const bool mirrorY = m_transform.m22() < 0;
        m_sink.image(QRect(corners.topLeft(), QSize(corners.width() - 1, corners.height() - 1)),
                     mirrorX || mirrorY ? image.mirrored(mirrorX, mirrorY) : image);
        return;
    }
    // Turned or sheared: the picture turned in about its own pixels, placed in
    // the upright box around it.
    const QTransform toDeviceShape =
        QTransform::fromScale(target.width() / image.width(), target.height() / image.height()) *
        QTransform(m_transform.m11(), m_transform.m12(), m_transform.m21(), m_transform.m22(), 0,
                   0);
    const double density = std::sqrt(std::abs(toDeviceShape.determinant()));
    if (!qIsFinite(density) || density <= 0)
        return;
    QTransform turn = toDeviceShape * QTransform::fromScale(1 / density, 1 / density);
    const QRectF turnedBox = turn.mapRect(QRectF(image.rect()));
    const double side = std::max(turnedBox.width(), turnedBox.height());
    if (!qIsFinite(side) || side <= 0)
        return;
    if (side > kMaxImageSide)
        turn *= QTransform::fromScale(kMaxImageSide / side, kMaxImageSide / side);
    const QImage turned = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                              .transformed(turn, Qt::SmoothTransformation);
    const QRectF box = m_transform.map(QPolygonF(target)).boundingRect();
    const int limit = m_sink.coordinateLimit();
    const QPoint topLeft(clamped(box.left(), limit), clamped(box.top(), limit));
    const QPoint bottomRight(clamped(box.right(), limit), clamped(box.bottom(), limit));
    m_sink.image(
        QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())),
        turned);
}

void MetafilePaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                    Qt::ImageConversionFlags) {
    const QRect part = source.toAlignedRect().intersected(image.rect());
    if (part.isEmpty())
        return;
    picture(target, part == image.rect() ? image : image.copy(part));
}

void MetafilePaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap,
                                     const QRectF& source) {
    drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void MetafilePaintEngine::drawTiledPixmap(const QRectF& target, const QPixmap& pixmap,
                                          const QPointF& offset) {
    if (pixmap.isNull() || !target.isValid() || !qIsFinite(target.width()) ||
        !qIsFinite(target.height()))
        return;
    // The tiles at their own size in page units, at most a bounded image.
    const QSize size(std::clamp(int(std::ceil(target.width())), 1, kMaxImageSide),
                     std::clamp(int(std::ceil(target.height())), 1, kMaxImageSide));
    QImage tiles(size, QImage::Format_ARGB32_Premultiplied);
    tiles.fill(Qt::transparent);
    QPainter tilePainter(&tiles);
    tilePainter.scale(size.width() / target.width(), size.height() / target.height());
    tilePainter.drawTiledPixmap(QRectF(QPointF(0, 0), target.size()), pixmap, offset);
    tilePainter.end();
    picture(target, tiles);
}

void MetafilePaintEngine::drawTextItem(const QPointF& origin, const QTextItem& item) {
    const QString text = printable(item.text());
    if (text.isEmpty() || !m_device)
        return;
    const QFont font = item.font();
    const QFontMetricsF metrics(font, m_device);
    const double em = font.pixelSize() > 0 ? font.pixelSize()
                                           : font.pointSizeF() * m_device->logicalDpiY() / 72.0;
    const QLineF baseline = m_transform.map(QLineF(0, 0, 1, 0));
    const QLineF upright = m_transform.map(QLineF(0, 0, 0, 1));
    const double angle = qRadiansToDegrees(std::atan2(baseline.dy(), baseline.dx()));

    // Where each character starts, in page units along the baseline, scaled so
    // that the run is as wide as Qt laid it out.
    QList<double> offsets(text.size() + 1, 0.0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        double advance = 0;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            advance = metrics.horizontalAdvance(text.mid(i, 2));
        else if (!text.at(i).isLowSurrogate())
            advance = metrics.horizontalAdvance(text.at(i));
        offsets[i + 1] = offsets[i] + advance;
    }
    const double laidOut = item.width();
    if (offsets.constLast() > 0 && laidOut > 0 && qIsFinite(laidOut)) {
        const double factor = laidOut / offsets.constLast();
        for (double& offset : offsets)
            offset *= factor;
    }

    applyClip();
    const QColor color = m_pen.style() == Qt::NoPen ? QColor(Qt::transparent) : m_pen.color();
    if (color.alphaF() * m_opacity < 1.0 / 64)
        return;
    m_sink.useTextColor(onPaper(color.rgb(), color.alphaF() * m_opacity));
    m_sink.useFont(metafileFont(font, em * upright.length(), angle));

    for (qsizetype from = 0; from < text.size();) {
        qsizetype to = std::min(text.size(), from + kMaxRunLength);
        if (to < text.size() && text.at(to).isLowSurrogate())
            --to;
        textRun(origin, text, offsets, from, to);
        from = to;
    }
}

void MetafilePaintEngine::textRun(const QPointF& origin, const QString& text,
                                  const QList<double>& offsets, qsizetype from, qsizetype to) {
    const double scale = m_transform.map(QLineF(0, 0, 1, 0)).length();
    QList<int> advances;
    advances.reserve(to - from);
    long long placed = 0;
    for (qsizetype i = from; i < to; ++i) {
        // Rounded positions, not rounded advances, so that a long run does not drift.
        const double end = (offsets.at(i + 1) - offsets.at(from)) * scale;
        const long long position = qIsFinite(end) ? std::llround(std::clamp(end, -1e9, 1e9)) : 0;
        advances.append(int(std::clamp(position - placed, -1000000LL, 1000000LL)));
        placed = position;
    }
    m_sink.text(toDevice(origin + QPointF(offsets.at(from), 0)), text.mid(from, to - from),
                advances);
}

MetafileDevice::MetafileDevice(const QSize& pageSize, double unitsPerInch, int dpi,
                               MetafilePaintEngine* engine)
    : m_pageSize(pageSize), m_unitsPerInch(unitsPerInch), m_dpi(dpi), m_engine(engine) {}

int MetafileDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_pageSize.width();
    case PdmHeight:
        return m_pageSize.height();
    case PdmWidthMM:
        return int(std::lround(m_pageSize.width() * 25.4 / m_unitsPerInch));
    case PdmHeightMM:
        return int(std::lround(m_pageSize.height() * 25.4 / m_unitsPerInch));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace quorvel
