// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafilereader.h"

#include "cp1252.h"

#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace metafilecheck {

namespace {

// Bounds-checked little-endian reads; a read past the end reads zero and
// leaves `overrun` set.
class Bytes {
public:
    explicit Bytes(const QByteArray& data) : m_data(data) {}
    qsizetype size() const { return m_data.size(); }
    bool overrun = false;

    bool has(qsizetype offset, qsizetype count) const {
        return offset >= 0 && count >= 0 && offset <= m_data.size() &&
               count <= m_data.size() - offset;
    }
    quint32 u32(qsizetype offset) { return read<quint32>(offset); }
    qint32 i32(qsizetype offset) { return read<qint32>(offset); }
    quint16 u16(qsizetype offset) { return read<quint16>(offset); }
    qint16 i16(qsizetype offset) { return read<qint16>(offset); }
    quint8 u8(qsizetype offset) { return read<quint8>(offset); }
    QByteArray slice(qsizetype offset, qsizetype count) {
        if (!has(offset, count)) {
            overrun = true;
            return {};
        }
        return m_data.mid(offset, count);
    }

private:
    template <typename T> T read(qsizetype offset) {
        if (!has(offset, sizeof(T))) {
            overrun = true;
            return 0;
        }
        return qFromLittleEndian<T>(m_data.constData() + offset);
    }
    const QByteArray& m_data;
};

QString utf16(Bytes& bytes, qsizetype offset, qsizetype units) {
    QString text;
    for (qsizetype i = 0; i < units; ++i)
        text.append(QChar(bytes.u16(offset + 2 * i)));
    return text;
}

// The 40-byte information header of an embedded bitmap and the pixel bytes
// it needs.
bool readDib(Bytes& bytes, qsizetype header, qsizetype headerSize, qsizetype bitsSize,
             Picture* picture, QString* problem) {
    if (headerSize < 40 || bytes.u32(header) != 40) {
        *problem = QStringLiteral("bitmap header is not 40 bytes");
        return false;
    }
    const qint32 width = bytes.i32(header + 4);
    const qint32 height = bytes.i32(header + 8);
    const int bitCount = bytes.u16(header + 14);
    if (width <= 0 || height == 0 || bytes.u16(header + 12) != 1 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)) {
        *problem = QStringLiteral("bitmap header has no valid size or depth");
        return false;
    }
    const qint64 stride = (qint64(width) * bitCount + 31) / 32 * 4;
    if (bytes.u32(header + 16) == 0 && stride * std::abs(qint64(height)) > bitsSize) {
        *problem = QStringLiteral("bitmap bits shorter than its rows");
        return false;
    }
    picture->pixels = QSize(width, std::abs(height));
    picture->bitCount = bitCount;
    return true;
}

void noteCoordinate(Contents& contents, int value) {
    contents.largestCoordinate = std::max(contents.largestCoordinate, std::abs(value));
}

// One enhanced-metafile record of `type` and `size` at `at`; false with a
// problem when its inner offsets point outside it.
bool readEmfRecord(Bytes& b, qsizetype at, quint32 type, quint32 size, Contents& c) {
    auto fail = [&c](const QString& why) {
        c.problem = why;
        return false;
    };
    auto handleValid = [&c](quint32 handle) { return handle >= 1 && handle < quint32(c.handles); };
    switch (type) {
    case EmfPolygon:
    case EmfPolyline: {
        const quint32 count = b.u32(at + 24);
        if (quint64(count) * 8 + 28 != size)
            return fail(QStringLiteral("poly record not the size of its points"));
        for (quint32 i = 0; i < 2 * count; ++i)
            noteCoordinate(c, b.i32(at + 28 + 4 * i));
        c.polylines += type == EmfPolyline;
        return true;
    }
    case EmfPolyPolyline:
    case EmfPolyPolygon: {
        const quint32 polygons = b.u32(at + 24);
        const quint32 total = b.u32(at + 28);
        if (quint64(polygons) * 4 + quint64(total) * 8 + 32 != size)
            return fail(QStringLiteral("poly-poly record not the size of its points"));
        quint64 sum = 0;
        for (quint32 i = 0; i < polygons; ++i)
            sum += b.u32(at + 32 + 4 * i);
        if (sum != total)
            return fail(QStringLiteral("poly-poly counts do not add up"));
        for (quint32 i = 0; i < 2 * total; ++i)
            noteCoordinate(c, b.i32(at + 32 + 4 * polygons + 4 * i));
        if (type == EmfPolyPolyline)
            c.polylines += int(polygons);
        return true;
    }
    case EmfRectangle:
    case EmfEllipse:
        if (size != 24)
            return fail(QStringLiteral("box record of wrong size"));
        for (int i = 0; i < 4; ++i)
            noteCoordinate(c, b.i32(at + 8 + 4 * i));
        return true;
    case EmfSelectObject:
    case EmfDeleteObject: {
        const quint32 handle = b.u32(at + 8);
        if (!(handle & 0x80000000u) && !handleValid(handle))
            return fail(QStringLiteral("object index outside the handle table"));
        return true;
    }
    case EmfCreatePen:
    case EmfCreateBrush:
        if (!handleValid(b.u32(at + 8)))
            return fail(QStringLiteral("new object outside the handle table"));
        return true;
    case EmfCreateFont: {
        if (!handleValid(b.u32(at + 8)) || size < 104)
            return fail(QStringLiteral("font record invalid"));
        Font font;
        font.height = b.i32(at + 12);
        font.escapement = b.i32(at + 20);
        font.weight = b.i32(at + 28);
        font.charset = b.u8(at + 35);
        font.face = utf16(b, at + 40, 32);
        font.face.truncate(font.face.indexOf(QChar(0)));
        c.fonts.append(font);
        return true;
    }
    case EmfTextOut: {
        TextRun run;
        run.origin = QPoint(b.i32(at + 36), b.i32(at + 40));
        const quint32 chars = b.u32(at + 44);
        const quint32 offString = b.u32(at + 48);
        const quint32 offDx = b.u32(at + 72);
        if (quint64(offString) + quint64(chars) * 2 > size ||
            (offDx && quint64(offDx) + quint64(chars) * 4 > size))
            return fail(QStringLiteral("text outside its record"));
        run.text = utf16(b, at + offString, chars);
        for (quint32 i = 0; offDx && i < chars; ++i)
            run.advances.append(b.i32(at + offDx + 4 * i));
        noteCoordinate(c, run.origin.x());
        noteCoordinate(c, run.origin.y());
        c.texts.append(run);
        return true;
    }
    case EmfStretchDibits: {
        const quint32 offBmi = b.u32(at + 48), cbBmi = b.u32(at + 52);
        const quint32 offBits = b.u32(at + 56), cbBits = b.u32(at + 60);
        if (quint64(offBmi) + cbBmi > size || quint64(offBits) + cbBits > size)
            return fail(QStringLiteral("bitmap outside its record"));
        Picture picture;
        picture.target = QRect(b.i32(at + 24), b.i32(at + 28), b.i32(at + 72), b.i32(at + 76));
        if (!readDib(b, at + offBmi, cbBmi, cbBits, &picture, &c.problem))
            return false;
        if (b.i32(at + 40) != picture.pixels.width() || b.i32(at + 44) != picture.pixels.height())
            return fail(QStringLiteral("bitmap source size differs from the bitmap"));
        c.pictures.append(picture);
        return true;
    }
    case EmfClipRegion: {
        const quint32 dataSize = b.u32(at + 8);
        if (quint64(dataSize) + 16 > size)
            return fail(QStringLiteral("region outside its record"));
        if (dataSize && (b.u32(at + 16) != 32 || quint64(b.u32(at + 24)) * 16 + 32 > dataSize))
            return fail(QStringLiteral("region header invalid"));
        return true;
    }
    default:
        return true;
    }
}

} // namespace

QString Contents::allText() const {
    QString text;
    for (const TextRun& run : texts)
        text += run.text;
    return text;
}

Contents readEmf(const QByteArray& data) {
    Contents c;
    Bytes b(data);
    if (data.size() < 88 || b.u32(0) != 1 || b.u32(40) != 0x464D4520) {
        c.problem = QStringLiteral("no enhanced metafile header");
        return c;
    }
    c.bounds = QRect(QPoint(b.i32(8), b.i32(12)), QPoint(b.i32(16), b.i32(20)));
    c.frame = QRect(QPoint(b.i32(24), b.i32(28)), QPoint(b.i32(32), b.i32(36)));
    const quint32 declaredBytes = b.u32(48);
    const quint32 declaredRecords = b.u32(52);
    c.handles = b.u16(56);
    c.device = QSize(b.i32(72), b.i32(76));
    c.millimetres = QSize(b.i32(80), b.i32(84));
    if (declaredBytes != quint32(data.size())) {
        c.problem = QStringLiteral("header declares %1 bytes, file has %2")
                        .arg(declaredBytes)
                        .arg(data.size());
        return c;
    }
    qsizetype at = 0;
    quint32 lastType = 0;
    while (at < data.size()) {
        const quint32 type = b.u32(at);
        const quint32 size = b.u32(at + 4);
        if (size < 8 || size % 4 || !b.has(at, size)) {
            c.problem =
                QStringLiteral("record %1 at %2 has invalid size %3").arg(type).arg(at).arg(size);
            return c;
        }
        if ((at == 0) != (type == 1)) {
            c.problem = QStringLiteral("the header is not the first record alone");
            return c;
        }
        ++c.records;
        ++c.recordCounts[int(type)];
        if (!readEmfRecord(b, at, type, size, c))
            return c;
        lastType = type;
        at += size;
    }
    if (lastType != 14)
        c.problem = QStringLiteral("the last record is not the end record");
    else if (declaredRecords != quint32(c.records))
        c.problem = QStringLiteral("header declares %1 records, file has %2")
                        .arg(declaredRecords)
                        .arg(c.records);
    else if (b.overrun)
        c.problem = QStringLiteral("a read went past the end");
    return c;
}

Contents readWmf(const QByteArray& data) {
    Contents c;
    Bytes b(data);
    if (data.size() < 40 || b.u32(0) != 0x9AC6CDD7) {
        c.problem = QStringLiteral("no placeable header");
        return c;
    }
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= b.u16(2 * i);
    if (checksum != b.u16(20)) {
        c.problem = QStringLiteral("placeable header checksum wrong");
        return c;
    }
    c.box = QRect(QPoint(b.i16(6), b.i16(8)), QPoint(b.i16(10), b.i16(12)));
    c.unitsPerInch = b.u16(14);
    constexpr qsizetype header = 22;
    if (b.u16(header) != 1 || b.u16(header + 2) != 9 || b.u16(header + 4) != 0x0300) {
        c.problem = QStringLiteral("metafile header invalid");
        return c;
    }
    const quint32 words = b.u32(header + 6);
    c.objects = b.u16(header + 10);
    const quint32 maxRecord = b.u32(header + 12);
    if (quint64(words) * 2 != quint64(data.size() - header)) {
        c.problem =
            QStringLiteral("header declares %1 words, file has %2 bytes after the placeable header")
                .arg(words)
                .arg(data.size() - header);
        return c;
    }
    // The object table as a reader fills it: lowest free slot first.
    QList<bool> table(c.objects, false);
    auto fail = [&c](const QString& why) {
        c.problem = why;
        return c;
    };
    quint32 largest = 0;
    quint16 lastFunction = 0xFFFF;
    qsizetype at = header + 18;
    while (at < data.size()) {
        const quint32 sizeWords = b.u32(at);
        const quint16 function = b.u16(at + 4);
        if (sizeWords < 3 || !b.has(at, qint64(sizeWords) * 2))
            return fail(QStringLiteral("record %1 at %2 has invalid size").arg(function).arg(at));
        const qsizetype size = qsizetype(sizeWords) * 2;
        largest = std::max(largest, sizeWords);
        ++c.records;
        ++c.recordCounts[function];
        const qsizetype p = at + 6; // parameters
        switch (function) {
        case WmfCreatePen:
        case WmfCreateBrush:
        case WmfCreateFont: {
            const qsizetype slot = table.indexOf(false);
            if (slot < 0)
                return fail(QStringLiteral("more objects than the header declares"));
            table[slot] = true;
            if (function == WmfCreateFont) {
                if (size < 6 + 18 + 1)
                    return fail(QStringLiteral("font record too short"));
                Font font;
                font.height = b.i16(p);
                font.escapement = b.i16(p + 4);
                font.weight = b.i16(p + 8);
                font.charset = b.u8(p + 13);
                QByteArray face = b.slice(p + 18, std::min<qsizetype>(32, size - 6 - 18));
                face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
                font.face = quorvel::decodeCp1252(face);
                c.fonts.append(font);
            }
            break;
        }
        case 0x012D: // select object
        case 0x01F0: // delete object
        {
            const quint16 index = b.u16(p);
            if (index >= table.size() || !table.at(index))
                return fail(QStringLiteral("object %1 does not exist").arg(index));
            if (function == 0x01F0)
                table[index] = false;
            break;
        }
        case WmfPolyline:
        case WmfPolygon: {
            const qint16 count = b.i16(p);
            if (count < 0 || 2 + qsizetype(count) * 4 != size - 6)
                return fail(QStringLiteral("poly record not the size of its points"));
            for (int i = 0; i < 2 * count; ++i)
                noteCoordinate(c, b.i16(p + 2 + 2 * i));
            c.polylines += function == WmfPolyline;
            break;
        }
        case WmfPolyPolygon: {
            const quint16 polygons = b.u16(p);
            qsizetype total = 0;
            for (int i = 0; i < polygons; ++i)
                total += b.u16(p + 2 + 2 * i);
            if (2 + 2 * qsizetype(polygons) + 4 * total != size - 6)
                return fail(QStringLiteral("poly-polygon not the size of its points"));
            break;
        }
        case WmfRectangle:
        case WmfEllipse:
            for (int i = 0; i < 4; ++i)
                noteCoordinate(c, b.i16(p + 2 * i));
            break;
        case WmfExtTextOut: {
            TextRun run;
            run.origin = QPoint(b.i16(p + 2), b.i16(p));
            const qint16 length = b.i16(p + 4);
            const quint16 options = b.u16(p + 6);
            const qsizetype string = p + 8 + ((options & 0x0006) ? 8 : 0);
            const qsizetype padded = (qsizetype(length) + 1) / 2 * 2;
            if (length < 0 || string + padded > at + size)
                return fail(QStringLiteral("text outside its record"));
            run.text = quorvel::decodeCp1252(b.slice(string, length));
            const qsizetype dx = string + padded;
            if (dx + 2 * qsizetype(length) <= at + size) {
                for (int i = 0; i < length; ++i)
                    run.advances.append(b.i16(dx + 2 * i));
            }
            c.texts.append(run);
            break;
        }
        case WmfTextOut: {
            TextRun run;
            const qint16 length = b.i16(p);
            const qsizetype padded = (qsizetype(length) + 1) / 2 * 2;
            if (length < 0 || p + 2 + padded + 4 > at + size)
                return fail(QStringLiteral("text outside its record"));
            run.text = quorvel::decodeCp1252(b.slice(p + 2, length));
            run.origin = QPoint(b.i16(p + 2 + padded + 2), b.i16(p + 2 + padded));
            c.texts.append(run);
            break;
        }
        case WmfStretchDib: {
            Picture picture;
            picture.target = QRect(b.i16(p + 20), b.i16(p + 18), b.i16(p + 16), b.i16(p + 14));
            const qsizetype dib = p + 22;
            if (dib + 40 > at + size)
                return fail(QStringLiteral("bitmap outside its record"));
            if (!readDib(b, dib, 40, at + size - dib - 40, &picture, &c.problem))
                return c;
            if (b.i16(p + 8) != picture.pixels.width() || b.i16(p + 6) != picture.pixels.height())
                return fail(QStringLiteral("bitmap source size differs from the bitmap"));
            c.pictures.append(picture);
            break;
        }
        default:
            break;
        }
        lastFunction = function;
        at += size;
    }
    if (lastFunction != 0 || b.u32(data.size() - 6) != 3)
        return fail(QStringLiteral("the last record is not the end record"));
    if (largest != maxRecord)
        return fail(QStringLiteral("header declares largest record %1 words, file has %2")
                        .arg(maxRecord)
                        .arg(largest));
    if (b.overrun)
        return fail(QStringLiteral("a read went past the end"));
    return c;
}

} // namespace metafilecheck
