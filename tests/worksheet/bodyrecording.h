// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

// A paint device of page units that records what is drawn on it: text runs
// with their position, size and colour, lines, rectangles and pictures with
// their target rectangles, all in page units.
struct RecordedText {
    QString text;
    QPointF at; // baseline start
    int pixelSize = 0;
    QColor colour;
};

struct RecordedPicture {
    QRectF target;
    QRectF source;
    QSize size; // of the picture drawn
};

struct Recording {
    std::vector<RecordedText> texts;
    std::vector<QLineF> lines;
    std::vector<QRectF> rects;
    std::vector<RecordedPicture> pictures;
};

class RecordingEngine final : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    Recording recording;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyPen)
            m_pen = state.pen();
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        recording.texts.push_back(
            {item.text(), m_transform.map(p), item.font().pixelSize(), m_pen.color()});
    }
    void drawLines(const QLineF* l, int count) override {
        for (int i = 0; i < count; ++i)
            recording.lines.push_back(m_transform.map(l[i]));
    }
    void drawLines(const QLine* l, int count) override {
        for (int i = 0; i < count; ++i)
            recording.lines.push_back(m_transform.map(QLineF(l[i])));
    }
    void drawRects(const QRectF* r, int count) override {
        for (int i = 0; i < count; ++i)
            recording.rects.push_back(m_transform.mapRect(r[i]));
    }
    void drawRects(const QRect* r, int count) override {
        for (int i = 0; i < count; ++i)
            recording.rects.push_back(m_transform.mapRect(QRectF(r[i])));
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
        recording.pictures.push_back({m_transform.mapRect(r), sr, pm.size()});
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags) override {
        recording.pictures.push_back({m_transform.mapRect(r), sr, image.size()});
    }

private:
    QPen m_pen;
    QTransform m_transform;
};

class RecordingDevice final : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size = QSize(1000, 1625)) : m_size(size) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    RecordingEngine& engine() { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        }
        return 0;
    }

private:
    QSize m_size;
    mutable RecordingEngine m_engine;
};
