// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBrush>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

namespace quorvel {

class MetafileSink;

// Turns what a QPainter draws into metafile records: coordinates through the
// painter's transform and the device scale, clamped to what the format holds;
// text as text runs with their advances; pictures embedded.
class MetafilePaintEngine final : public QPaintEngine {
public:
    // `deviceScale` device units per page unit.
    MetafilePaintEngine(MetafileSink& sink, double deviceScale);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return QPaintEngine::User; }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    void drawTiledPixmap(const QRectF& target, const QPixmap& pixmap,
                         const QPointF& offset) override;
    void drawTextItem(const QPointF& origin, const QTextItem& item) override;

private:
    QPoint toDevice(const QPointF& point) const;
    QPolygon toDevice(const QPolygonF& polygon) const;
    // The corners of `rect` in device units, when the transform keeps
    // rectangles upright.
    bool uprightRect(const QRectF& rect, QRect* corners) const;
    void applyClip();
    void usePen();
    void useBrush();
    void useNoPen();
    bool dashedPen() const;
    double penWidth() const; // in device units
    // Draws `lines` with the pen, its dashes cut out as lines of their own.
    void stroke(const QList<QPolygon>& lines);
    void shapes(const QList<QPolygon>& polygons, bool closed, bool winding);
    void picture(const QRectF& target, const QImage& image);
    void textRun(const QPointF& origin, const QString& text, const QList<double>& offsets,
                 qsizetype from, qsizetype to);

    MetafileSink& m_sink;
    QPaintDevice* m_device = nullptr;
    double m_deviceScale;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    double m_opacity = 1;
    bool m_clipDirty = true;
};

// The page as a paint device: its size in page units and the resolution the
// recorded picture used, so that its fonts replay at their recorded sizes.
class MetafileDevice final : public QPaintDevice {
public:
    MetafileDevice(const QSize& pageSize, double unitsPerInch, int dpi,
                   MetafilePaintEngine* engine);
    QPaintEngine* paintEngine() const override { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_pageSize;
    double m_unitsPerInch;
    int m_dpi;
    MetafilePaintEngine* m_engine;
};

} // namespace quorvel
