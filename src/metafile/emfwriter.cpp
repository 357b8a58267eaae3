// SPDX-License-Identifier: GPL-3.0-or-later
#include "emfwriter.h"

#include "dibencoding.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

// Record types of the enhanced metafile format.
enum EmfRecord : quint32 {
    EmrHeader = 1,
    EmrPolygon = 3,
    EmrPolyline = 4,
    EmrPolyPolyline = 7,
    EmrPolyPolygon = 8,
    EmrEof = 14,
    EmrSetMapMode = 17,
    EmrSetBkMode = 18,
    EmrSetPolyFillMode = 19,
    EmrSetStretchBltMode = 21,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrIntersectClipRect = 30,
    EmrSaveDc = 33,
    EmrRestoreDc = 34,
    EmrSelectObject = 37,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrStretchDibits = 81,
    EmrExtCreateFontIndirectW = 82,
    EmrExtTextOutW = 84,
    EmrExtCreatePen = 95,
};

constexpr quint32 kHeaderSize = 108; // the header with both extensions
constexpr quint32 kSignature = 0x464D4520;
constexpr quint32 kGeometricPen = 0x00010000;
constexpr quint32 kSourceCopy = 0x00CC0020;
// Pictures keep at most this many pixels; a page of them stays a few megabytes each.
constexpr qint64 kMaxImagePixels = 4'000'000;

QRect boundsOf(const QList<QPolygon>& polygons) {
    QRect bounds;
    for (const QPolygon& polygon : polygons)
        bounds |= polygon.boundingRect();
    return bounds;
}

} // namespace

EmfWriter::EmfWriter(const QSize& deviceSize, const QSizeF& millimetres, qsizetype sizeLimit)
    : MetafileSink(1, 1 << 26), m_out(sizeLimit), m_deviceSize(deviceSize),
      m_millimetres(millimetres) {
    header();
    simpleRecord(EmrSetMapMode, 1);        // device units
    simpleRecord(EmrSetBkMode, 1);         // text without a background box
    simpleRecord(EmrSetTextAlign, 24);     // reference point on the baseline, left
    simpleRecord(EmrSetStretchBltMode, 4); // pictures scaled smoothly
}

qsizetype EmfWriter::beginRecord(quint32 type) {
    const qsizetype start = m_out.size();
    m_out.u32(type);
    m_out.u32(0); // patched by endRecord
    return start;
}

void EmfWriter::endRecord(qsizetype start) {
    m_out.padTo(4);
    m_out.patchU32(start + 4, quint32(m_out.size() - start));
    ++m_records;
}

void EmfWriter::simpleRecord(quint32 type, quint32 value) {
    const qsizetype start = beginRecord(type);
    m_out.u32(value);
    endRecord(start);
}

void EmfWriter::rectl(const QRect& rect) {
    m_out.i32(rect.left());
    m_out.i32(rect.top());
    m_out.i32(rect.right());
    m_out.i32(rect.bottom());
}

void EmfWriter::points(const QPolygon& polygon) {
    for (const QPoint& point : polygon) {
        m_out.i32(point.x());
        m_out.i32(point.y());
    }
}

void EmfWriter::header() {
    const QString description =
        QStringLiteral("Quorvel") + QChar(0) + QStringLiteral("Arbeitsblatt") + QChar(0) + QChar(0);
    const qsizetype start = beginRecord(EmrHeader);
    rectl(QRect(QPoint(0, 0), m_deviceSize)); // bounds: the whole page
    // The frame in hundredths of a millimetre, inclusive.
    m_out.i32(0);
    m_out.i32(0);
    m_out.i32(qint32(std::lround(m_millimetres.width() * 100)) - 1);
    m_out.i32(qint32(std::lround(m_millimetres.height() * 100)) - 1);
    m_out.u32(kSignature);
    m_out.u32(0x00010000); // version
    m_out.u32(0);          // bytes, patched by finish
    m_out.u32(0);          // records, patched by finish
    m_out.u16(0);          // handles, patched by finish
    m_out.u16(0);
    m_out.u32(quint32(description.size()));
    m_out.u32(kHeaderSize);
    m_out.u32(0); // palette entries
    m_out.i32(m_deviceSize.width());
    m_out.i32(m_deviceSize.height());
    m_out.i32(qint32(std::lround(m_millimetres.width())));
    m_out.i32(qint32(std::lround(m_millimetres.height())));
    m_out.u32(0); // no pixel format
    m_out.u32(0);
    m_out.u32(0); // no OpenGL
    m_out.i32(qint32(std::lround(m_millimetres.width() * 1000)));
    m_out.i32(qint32(std::lround(m_millimetres.height() * 1000)));
    for (QChar c : description)
        m_out.u16(c.unicode());
    endRecord(start);
}

void EmfWriter::polyRecord(quint32 type, const QList<QPolygon>& polygons) {
    const qsizetype start = beginRecord(type);
    rectl(boundsOf(polygons));
    if (type == EmrPolyline || type == EmrPolygon) {
        m_out.u32(quint32(polygons.constFirst().size()));
        points(polygons.constFirst());
    } else {
        quint32 total = 0;
        for (const QPolygon& polygon : polygons)
            total += quint32(polygon.size());
        m_out.u32(quint32(polygons.size()));
        m_out.u32(total);
        for (const QPolygon& polygon : polygons)
            m_out.u32(quint32(polygon.size()));
        for (const QPolygon& polygon : polygons)
            points(polygon);
    }
    endRecord(start);
}

void EmfWriter::polylines(const QList<QPolygon>& lines) {
    if (lines.isEmpty())
        return;
    polyRecord(lines.size() == 1 ? EmrPolyline : EmrPolyPolyline, lines);
}

void EmfWriter::polygons(const QList<QPolygon>& shapes) {
    if (shapes.isEmpty())
        return;
    polyRecord(shapes.size() == 1 ? EmrPolygon : EmrPolyPolygon, shapes);
}

void EmfWriter::rectangle(const QRect& rect) {
    const qsizetype start = beginRecord(EmrRectangle);
    rectl(rect);
    endRecord(start);
}

void EmfWriter::ellipse(const QRect& rect) {
    const qsizetype start = beginRecord(EmrEllipse);
    rectl(rect);
    endRecord(start);
}

void EmfWriter::text(const QPoint& baseline, const QString& text, const QList<int>& advances) {
    constexpr quint32 kFixedSize = 76; // up to the string
    const auto chars = quint32(text.size());
    const quint32 stringBytes = (chars * 2 + 3) / 4 * 4;
    const qsizetype start = beginRecord(EmrExtTextOutW);
    rectl(QRect(QPoint(0, 0), QPoint(-1, -1))); // bounds not computed
    m_out.u32(1);                               // compatible graphics mode
    m_out.u32(0);                               // scales, unused in that mode
    m_out.u32(0);
    m_out.i32(baseline.x());
    m_out.i32(baseline.y());
    m_out.u32(chars);
    m_out.u32(kFixedSize);
    m_out.u32(0); // no options: neither clipped nor opaque
    rectl(QRect(QPoint(0, 0), QPoint(-1, -1)));
    m_out.u32(kFixedSize + stringBytes);
    for (QChar c : text)
        m_out.u16(c.unicode());
    m_out.padTo(4);
    for (qsizetype i = 0; i < text.size(); ++i)
        m_out.i32(i < advances.size() ? advances.at(i) : 0);
    endRecord(start);
}

void EmfWriter::image(const QRect& target, const QImage& image) {
    const QSize maxSize(std::clamp(target.width(), 1, 8192), std::clamp(target.height(), 1, 8192));
    const Dib dib = encodeDib(image, maxSize, kMaxImagePixels);
    if (dib.bits.isEmpty())
        return;
    constexpr quint32 kFixedSize = 80;
    const auto headerSize = quint32(dib.header.size());
    const qsizetype start = beginRecord(EmrStretchDibits);
    rectl(target);
    m_out.i32(target.left());
    m_out.i32(target.top());
    m_out.i32(0);
    m_out.i32(0);
    m_out.i32(dib.size.width());
    m_out.i32(dib.size.height());
    m_out.u32(kFixedSize);
    m_out.u32(headerSize);
    m_out.u32(kFixedSize + headerSize);
    m_out.u32(quint32(dib.bits.size()));
    m_out.u32(0); // colours are RGB values
    m_out.u32(kSourceCopy);
    m_out.i32(target.width());
    m_out.i32(target.height());
    m_out.bytes(dib.header);
    m_out.bytes(dib.bits);
    endRecord(start);
}

void EmfWriter::createPen(int handle, const MetafilePen& pen) {
    const qsizetype start = beginRecord(EmrExtCreatePen);
    m_out.u32(quint32(handle));
    m_out.u32(0); // no pattern bitmap
    m_out.u32(0);
    m_out.u32(0);
    m_out.u32(0);
    const bool geometric = pen.width > 0 && pen.style != MetafilePen::Null;
    m_out.u32(pen.style | (geometric ? kGeometricPen | pen.cap | pen.join : 0));
    m_out.u32(geometric ? quint32(pen.width) : 1); // a cosmetic pen is one pixel wide
    m_out.u32(0);                                  // solid
    m_out.u32(colorRef(pen.color));
    m_out.u32(0);
    m_out.u32(0); // no style entries
    endRecord(start);
}

void EmfWriter::createBrush(int handle, const MetafileBrush& brush) {
    const qsizetype start = beginRecord(EmrCreateBrushIndirect);
    m_out.u32(quint32(handle));
    m_out.u32(brush.style);
    m_out.u32(colorRef(brush.color));
    m_out.u32(brush.hatch);
    endRecord(start);
}

void EmfWriter::createFont(int handle, const MetafileFont& font) {
    const qsizetype start = beginRecord(EmrExtCreateFontIndirectW);
    m_out.u32(quint32(handle));
    m_out.i32(font.height);
    m_out.i32(0); // width: the font's own
    m_out.i32(font.escapement);
    m_out.i32(font.escapement);
    m_out.i32(font.weight);
    m_out.u8(font.italic);
    m_out.u8(font.underline);
    m_out.u8(font.strikeOut);
    m_out.u8(1); // default character set: the text is Unicode
    m_out.u8(0); // default output precision
    m_out.u8(0); // default clipping precision
    m_out.u8(4); // antialiased quality
    m_out.u8(font.pitchAndFamily);
    for (int i = 0; i < 32; ++i)
        m_out.u16(i < font.family.size() ? font.family.at(i).unicode() : 0);
    endRecord(start);
}

void EmfWriter::selectObject(int handle) {
    simpleRecord(EmrSelectObject, quint32(handle));
}

void EmfWriter::deleteObject(int handle) {
    simpleRecord(EmrDeleteObject, quint32(handle));
}

void EmfWriter::writeTextColor(QRgb color) {
    simpleRecord(EmrSetTextColor, colorRef(color));
}

void EmfWriter::writeFillMode(bool winding) {
    simpleRecord(EmrSetPolyFillMode, winding ? 2 : 1);
}

void EmfWriter::writeSave() {
    endRecord(beginRecord(EmrSaveDc));
}

void EmfWriter::writeRestore() {
    simpleRecord(EmrRestoreDc, quint32(-1));
}

void EmfWriter::writeIntersectClip(const QRect& rect) {
    // The clip rectangle excludes its right and bottom edges.
    const qsizetype start = beginRecord(EmrIntersectClipRect);
    m_out.i32(rect.left());
    m_out.i32(rect.top());
    m_out.i32(rect.left() + rect.width());
    m_out.i32(rect.top() + rect.height());
    endRecord(start);
}

QByteArray EmfWriter::finish() {
    const qsizetype start = beginRecord(EmrEof);
    m_out.u32(0);  // no palette
    m_out.u32(16); // palette offset
    m_out.u32(20); // this record's size, repeated last
    endRecord(start);
    if (m_out.overflowed())
        return {};
    m_out.patchU32(48, quint32(m_out.size()));
    m_out.patchU32(52, m_records);
    m_out.patchU16(56, quint16(std::min(handleCount(), 0xFFFF)));
    return m_out.bytes();
}

} // namespace quorvel
