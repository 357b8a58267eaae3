// SPDX-License-Identifier: GPL-3.0-or-later
#include "wmfwriter.h"

#include "cp1252.h"
#include "dibencoding.h"

#include <algorithm>

namespace quorvel {

namespace {

// Record functions of the Windows metafile format.
enum WmfRecord : quint16 {
    MetaEof = 0x0000,
    MetaSaveDc = 0x001E,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetPolyFillMode = 0x0106,
    MetaRestoreDc = 0x0127,
    MetaSelectObject = 0x012D,
    MetaSetTextAlign = 0x012E,
    MetaDeleteObject = 0x01F0,
    MetaSetTextColor = 0x0209,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaIntersectClipRect = 0x0416,
    MetaEllipse = 0x0418,
    MetaRectangle = 0x041B,
    MetaPolyPolygon = 0x0538,
    MetaExtTextOut = 0x0A32,
    MetaStretchDib = 0x0F43,
};

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kHeaderSize = 18;
constexpr quint32 kSourceCopy = 0x00CC0020;
constexpr qint64 kMaxImagePixels = 4'000'000;
// Points per polyline or polygon record; readers count them in 16 bits.
constexpr qsizetype kMaxPoints = 8000;
// Polygons per poly-polygon record, counted in 16 bits as well.
constexpr qsizetype kMaxParts = 0x7FFF;
constexpr int kCoordinateLimit = 32000;

// A polygon with more points than a record holds, thinned out evenly.
QPolygon thinned(const QPolygon& polygon) {
    if (polygon.size() <= kMaxPoints)
        return polygon;
    QPolygon result;
    result.reserve(kMaxPoints);
    for (qsizetype i = 0; i < kMaxPoints; ++i)
        result.append(polygon.at(i * polygon.size() / kMaxPoints));
    return result;
}

} // namespace

WmfWriter::WmfWriter(const QSize& deviceSize, int unitsPerInch, qsizetype sizeLimit)
    : MetafileSink(0, kCoordinateLimit), m_out(sizeLimit) {
    const auto width = qint16(std::clamp(deviceSize.width(), 1, kCoordinateLimit));
    const auto height = qint16(std::clamp(deviceSize.height(), 1, kCoordinateLimit));
    const quint16 inch = quint16(std::clamp(unitsPerInch, 1, 0xFFFF));
    const quint16 words[10] = {quint16(kPlaceableKey & 0xFFFF),
                               quint16(kPlaceableKey >> 16),
                               0,
                               0,
                               0,
                               quint16(width),
                               quint16(height),
                               inch,
                               0,
                               0};
    quint16 checksum = 0;
    for (quint16 word : words) {
        m_out.u16(word);
        checksum ^= word;
    }
    m_out.u16(checksum);

    m_out.u16(1); // in memory
    m_out.u16(9); // header words
    m_out.u16(0x0300);
    m_out.u32(0); // size in words, patched by finish
    m_out.u16(0); // objects, patched by finish
    m_out.u32(0); // largest record, patched by finish
    m_out.u16(0);

    qsizetype start = beginRecord(MetaSetWindowOrg);
    m_out.i16(0);
    m_out.i16(0);
    endRecord(start);
    start = beginRecord(MetaSetWindowExt);
    m_out.i16(height);
    m_out.i16(width);
    endRecord(start);
    start = beginRecord(MetaSetMapMode);
    m_out.u16(8); // anisotropic: the reader fits the window to the placeable box
    endRecord(start);
    textModes();
}

void WmfWriter::textModes() {
    qsizetype start = beginRecord(MetaSetBkMode);
    m_out.u16(1); // text without a background box
    endRecord(start);
    start = beginRecord(MetaSetTextAlign);
    m_out.u16(24); // reference point on the baseline, left
    endRecord(start);
}

qsizetype WmfWriter::beginRecord(quint16 function) {
    const qsizetype start = m_out.size();
    m_out.u32(0); // size in words, patched by endRecord
    m_out.u16(function);
    return start;
}

void WmfWriter::endRecord(qsizetype start) {
    m_out.padTo(2);
    const auto words = quint32((m_out.size() - start) / 2);
    m_out.patchU32(start, words);
    m_maxRecordWords = std::max(m_maxRecordWords, words);
}

void WmfWriter::coordinate(int value) {
    m_out.i16(qint16(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

void WmfWriter::boxRecord(quint16 function, const QRect& rect) {
    const qsizetype start = beginRecord(function);
    coordinate(rect.bottom());
    coordinate(rect.right());
    coordinate(rect.top());
    coordinate(rect.left());
    endRecord(start);
}

void WmfWriter::polylines(const QList<QPolygon>& lines) {
    for (const QPolygon& line : lines) {
        if (line.isEmpty())
            continue;
        // Long lines go in pieces that share their end points.
        qsizetype from = 0;
        do {
            const qsizetype count = std::min(kMaxPoints, line.size() - from);
            const qsizetype start = beginRecord(MetaPolyline);
            m_out.i16(qint16(count));
            for (qsizetype i = from; i < from + count; ++i) {
                coordinate(line.at(i).x());
                coordinate(line.at(i).y());
            }
            endRecord(start);
            from += count - 1;
        } while (from + 1 < line.size());
    }
}

void WmfWriter::polygons(const QList<QPolygon>& shapes) {
    if (shapes.isEmpty())
        return;
    // The record counts its polygons in 16 bits: a shape of more parts keeps
    // the first ones.
    QList<QPolygon> parts;
    for (qsizetype i = 0; i < std::min<qsizetype>(shapes.size(), kMaxParts); ++i)
        parts.append(thinned(shapes.at(i)));
    const bool single = parts.size() == 1;
    const qsizetype start = beginRecord(single ? MetaPolygon : MetaPolyPolygon);
    if (single) {
        m_out.i16(qint16(parts.constFirst().size()));
    } else {
        m_out.u16(quint16(parts.size()));
        for (const QPolygon& part : parts)
            m_out.u16(quint16(part.size()));
    }
    for (const QPolygon& part : parts) {
        for (const QPoint& point : part) {
            coordinate(point.x());
            coordinate(point.y());
        }
    }
    endRecord(start);
}

void WmfWriter::rectangle(const QRect& rect) {
    boxRecord(MetaRectangle, rect);
}

void WmfWriter::ellipse(const QRect& rect) {
    boxRecord(MetaEllipse, rect);
}

void WmfWriter::text(const QPoint& baseline, const QString& text, const QList<int>& advances) {
    // One byte per character: a surrogate pair becomes one "?" whose advance
    // is the pair's.
    const QByteArray bytes = encodeCp1252(text);
    QList<int> byteAdvances;
    byteAdvances.reserve(bytes.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        int advance = i < advances.size() ? advances.at(i) : 0;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            advance += ++i < advances.size() ? advances.at(i) : 0;
        byteAdvances.append(advance);
    }
    const qsizetype start = beginRecord(MetaExtTextOut);
    coordinate(baseline.y());
    coordinate(baseline.x());
    m_out.i16(qint16(std::min<qsizetype>(bytes.size(), 0x7FFF)));
    m_out.u16(0); // no options, so no rectangle
    m_out.bytes(bytes.left(0x7FFF));
    m_out.padTo(2);
    for (qsizetype i = 0; i < std::min<qsizetype>(bytes.size(), 0x7FFF); ++i)
        m_out.i16(
            qint16(std::clamp(i < byteAdvances.size() ? byteAdvances.at(i) : 0, -0x7FFF, 0x7FFF)));
    endRecord(start);
}

void WmfWriter::image(const QRect& target, const QImage& image) {
    const QSize maxSize(std::clamp(target.width(), 1, 8192), std::clamp(target.height(), 1, 8192));
    const Dib dib = encodeDib(image, maxSize, kMaxImagePixels);
    if (dib.bits.isEmpty())
        return;
    const qsizetype start = beginRecord(MetaStretchDib);
    m_out.u32(kSourceCopy);
    m_out.u16(0); // colours are RGB values
    m_out.i16(qint16(dib.size.height()));
    m_out.i16(qint16(dib.size.width()));
    m_out.i16(0);
    m_out.i16(0);
    coordinate(target.height());
    coordinate(target.width());
    coordinate(target.top());
    coordinate(target.left());
    m_out.bytes(dib.header);
    m_out.bytes(dib.bits);
    endRecord(start);
}

void WmfWriter::createPen(int, const MetafilePen& pen) {
    const qsizetype start = beginRecord(MetaCreatePenIndirect);
    m_out.u16(quint16(pen.style | pen.cap | pen.join));
    m_out.i16(qint16(std::clamp(pen.width, 0, kCoordinateLimit)));
    m_out.i16(0);
    m_out.u32(colorRef(pen.color));
    endRecord(start);
}

void WmfWriter::createBrush(int, const MetafileBrush& brush) {
    const qsizetype start = beginRecord(MetaCreateBrushIndirect);
    m_out.u16(quint16(brush.style));
    m_out.u32(colorRef(brush.color));
    m_out.u16(quint16(brush.hatch));
    endRecord(start);
}

void WmfWriter::createFont(int, const MetafileFont& font) {
    const qsizetype start = beginRecord(MetaCreateFontIndirect);
    m_out.i16(qint16(std::clamp(font.height, -kCoordinateLimit, kCoordinateLimit)));
    m_out.i16(0); // width: the font's own
    m_out.i16(qint16(font.escapement));
    m_out.i16(qint16(font.escapement));
    m_out.i16(qint16(font.weight));
    m_out.u8(font.italic);
    m_out.u8(font.underline);
    m_out.u8(font.strikeOut);
    m_out.u8(0); // ANSI character set: Windows-1252, as the text is written
    m_out.u8(0); // default output precision
    m_out.u8(0); // default clipping precision
    m_out.u8(4); // antialiased quality
    m_out.u8(font.pitchAndFamily);
    QByteArray face = encodeCp1252(font.family).left(31);
    face.append(32 - face.size(), '\0');
    m_out.bytes(face);
    endRecord(start);
}

void WmfWriter::selectObject(int handle) {
    const qsizetype start = beginRecord(MetaSelectObject);
    m_out.u16(quint16(handle));
    endRecord(start);
}

void WmfWriter::deleteObject(int handle) {
    const qsizetype start = beginRecord(MetaDeleteObject);
    m_out.u16(quint16(handle));
    endRecord(start);
}

void WmfWriter::writeTextColor(QRgb color) {
    const qsizetype start = beginRecord(MetaSetTextColor);
    m_out.u32(colorRef(color));
    endRecord(start);
}

void WmfWriter::writeFillMode(bool winding) {
    const qsizetype start = beginRecord(MetaSetPolyFillMode);
    m_out.u16(winding ? 2 : 1);
    endRecord(start);
}

void WmfWriter::writeSave() {
    endRecord(beginRecord(MetaSaveDc));
    // Some readers start a saved state with the default text modes.
    textModes();
}

void WmfWriter::writeRestore() {
    const qsizetype start = beginRecord(MetaRestoreDc);
    m_out.i16(-1);
    endRecord(start);
    textModes();
}

void WmfWriter::writeIntersectClip(const QRect& rect) {
    // The clip rectangle excludes its right and bottom edges.
    boxRecord(MetaIntersectClipRect, rect.adjusted(0, 0, 1, 1));
}

QByteArray WmfWriter::finish() {
    endRecord(beginRecord(MetaEof));
    if (m_out.overflowed())
        return {};
    const auto words = quint32((m_out.size() - kPlaceableSize) / 2);
    m_out.patchU16(kPlaceableSize + 6, quint16(words & 0xFFFF));
    m_out.patchU16(kPlaceableSize + 8, quint16(words >> 16));
    m_out.patchU16(kPlaceableSize + 10, quint16(std::min(handleCount(), 0xFFFF)));
    m_out.patchU16(kPlaceableSize + 12, quint16(m_maxRecordWords & 0xFFFF));
    m_out.patchU16(kPlaceableSize + 14, quint16(m_maxRecordWords >> 16));
    static_assert(kPlaceableSize + kHeaderSize == 40);
    return m_out.bytes();
}

} // namespace quorvel
