// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "metafilesink.h"
#include "recordbuffer.h"

#include <QSize>

namespace quorvel {

// Writes a placeable Windows metafile: the placeable header with the page's
// box and units per inch, the metafile header, then the records, all in
// 16-bit coordinates. Text is written in Windows-1252 with a font of that
// code page, so that German text keeps its umlauts.
class WmfWriter final : public MetafileSink {
public:
    // `deviceSize` is the page in logical units, at `unitsPerInch` of them.
    WmfWriter(const QSize& deviceSize, int unitsPerInch, qsizetype sizeLimit);

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
    qsizetype beginRecord(quint16 function);
    void endRecord(qsizetype start);
    void coordinate(int value);
    void boxRecord(quint16 function, const QRect& rect);
    void textModes();

    RecordBuffer m_out;
    quint32 m_maxRecordWords = 0;
};

} // namespace quorvel
