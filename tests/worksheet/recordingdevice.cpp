// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordingdevice.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPixmap>
#include <algorithm>
#include <array>

namespace quorvel::test {

namespace {

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(std::vector<DrawnItem>& items)
        : QPaintEngine(QPaintEngine::AllFeatures), m_items(items) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
        if (state.state() & QPaintEngine::DirtyPen)
            m_pen = state.pen();
        if (state.state() & QPaintEngine::DirtyBrush)
            m_brush = state.brush();
    }

    void drawTextItem(const QPointF& p, const QTextItem& textItem) override {
        DrawnItem item = make(DrawnItem::Kind::Text);
        item.text = textItem.text();
        item.position = m_transform.map(p);
        item.font = textItem.font();
        m_items.push_back(item);
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            DrawnItem item = make(DrawnItem::Kind::Line);
            item.line = m_transform.map(lines[i]);
            m_items.push_back(item);
        }
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i)
            drawLines(std::array{QLineF(lines[i])}.data(), 1);
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            DrawnItem item = make(DrawnItem::Kind::Rect);
            item.rect = m_transform.mapRect(rects[i]);
            item.filled = m_brush.style() != Qt::NoBrush;
            m_items.push_back(item);
        }
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i)
            drawRects(std::array{QRectF(rects[i])}.data(), 1);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& s,
                   Qt::ImageConversionFlags) override {
        DrawnItem item = make(DrawnItem::Kind::Image);
        item.rect = m_transform.mapRect(r);
        item.source = s;
        item.size = image.size();
        item.colour = image.isNull() ? QColor() : image.pixelColor(0, 0);
        m_items.push_back(item);
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& s) override {
        drawImage(r, pixmap.toImage(), s, Qt::AutoColor);
    }
    // A recorded picture keeps lines as two-point polylines and rectangles
    // as closed polygons or paths; they are told apart by their points.
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        drawPoints(QPolygonF(QList<QPointF>(points, points + count)));
    }
    void drawPath(const QPainterPath& path) override { drawPoints(path.toFillPolygon()); }

private:
    void drawPoints(QPolygonF polygon) {
        polygon = m_transform.map(polygon);
        if (polygon.size() == 2) {
            DrawnItem item = make(DrawnItem::Kind::Line);
            item.line = QLineF(polygon[0], polygon[1]);
            m_items.push_back(item);
            return;
        }
        if (polygon.size() == 5 && polygon.front() == polygon.back())
            polygon.removeLast();
        const QRectF bounds = polygon.boundingRect();
        const bool rect = polygon.size() == 4 &&
                          std::all_of(polygon.begin(), polygon.end(), [&bounds](const QPointF& p) {
                              return (p.x() == bounds.left() || p.x() == bounds.right()) &&
                                     (p.y() == bounds.top() || p.y() == bounds.bottom());
                          });
        DrawnItem item = make(rect ? DrawnItem::Kind::Rect : DrawnItem::Kind::Other);
        item.rect = bounds;
        item.filled = m_brush.style() != Qt::NoBrush;
        m_items.push_back(item);
    }

    DrawnItem make(DrawnItem::Kind kind) const {
        DrawnItem item;
        item.kind = kind;
        item.colour = m_pen.color();
        return item;
    }

    std::vector<DrawnItem>& m_items;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
};

} // namespace

RecordingDevice::RecordingDevice(QSize size)
    : m_size(size), m_engine(std::make_unique<RecordingEngine>(items)) {}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const {
    return m_engine.get();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return m_size.width() / 4;
    case PdmHeightMM:
        return m_size.height() / 4;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 32;
    default:
        return QPaintDevice::metric(metric);
    }
}

std::vector<DrawnItem> RecordingDevice::replay(const QPicture& picture, QSize size) {
    RecordingDevice device(size);
    QPainter painter(&device);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return device.items;
}

} // namespace quorvel::test
