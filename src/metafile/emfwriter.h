// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metafilesink.h"
#include "recordbuffer.h"

#include <QSize>
#include <QSizeF>

namespace quorvel {

// Writes the records of an enhanced metafile. Logical and device units are
// the same (the default mapping); the header's reference device is the page
// in those units, its millimetre size the page's physical size.
class EmfWriter final : public MetafileSink {
public:
    // `deviceSize` is the page in device units, `millimetres` its size on paper.
    EmfWriter(const QSize& deviceSize, const QSizeF& millimetres, qsizetype sizeLimit);

    void polylines(const QList<QPolygon>& lines) override;
    void polygons(const QList<QPolygon>& shapes) override;
    void rectangle(const QRect& rect) override;
    void ellipse(const QRect& rect) override;
    void text(const QPoint& baseline, const QString& text, const QList<int>& advances) override;
    void image(const QRect& target, const QImage& image) override;
    QByteArray finish() override;
    bool overflowed() const override { return m_out.overflowed(); }

protected:
    void createPen(int handle, const MetafilePen& pen) override;
    void createBrush(int handle, const MetafileBrush& brush) override;
    void createFont(int handle, const MetafileFont& font) override;
    void selectObject(int handle) override;
    void deleteObject(int handle) override;
    void writeTextColor(QRgb color) override;
    void writeFillMode(bool winding) override;
    void writeSave() override;
    void writeRestore() override;
    void writeIntersectClip(const QRect& rect) override;

private:
    qsizetype beginRecord(quint32 type);
    void endRecord(qsizetype start);
    void simpleRecord(quint32 type, quint32 value);
    void rectl(const QRect& rect);
    void points(const QPolygon& polygon);
    void polyRecord(quint32 type, const QList<QPolygon>& polygons);
    void header();

    RecordBuffer m_out;
    QSize m_deviceSize;
    QSizeF m_millimetres;
    quint32 m_records = 0;
};

} // namespace quorvel
