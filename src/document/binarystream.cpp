// SPDX-License-Identifier: GPL-3.0-or-later
#include "binarystream.h"

#include "cp1252.h"

#include <QtEndian>
#include <cstring>

namespace quorvel {

namespace {
// Sequential devices cannot say how much is left; a string longer than this
// from such a device is treated as corrupt rather than allocated.
constexpr qint64 kMaxUncheckedStringBytes = 64 * 1024 * 1024;
} // namespace

BinaryReader::BinaryReader(QIODevice& device) : m_device(device) {}

qint64 BinaryReader::remaining() const {
    if (m_device.isSequential())
        return -1;
    return m_device.size() - m_device.pos();
}

void BinaryReader::fail(const QString& what) {
    if (!m_error.isEmpty())
        return;
    m_errorOffset = m_device.pos();
    m_error = QStringLiteral("%1 (Byte %2)").arg(what).arg(m_errorOffset);
}

bool BinaryReader::readExact(char* into, qint64 size) {
    if (!ok())
        return false;
    if (m_device.read(into, size) != size) {
        fail(QStringLiteral("Datei endet vorzeitig"));
        return false;
    }
    return true;
}

qint32 BinaryReader::readInt() {
    char bytes[4];
    if (!readExact(bytes, 4))
        return 0;
    return qFromLittleEndian<qint32>(bytes);
}

double BinaryReader::readReal() {
    char bytes[8];
    if (!readExact(bytes, 8))
        return 0.0;
    const quint64 bits = qFromLittleEndian<quint64>(bytes);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray BinaryReader::readRawString() {
    const qint32 length = readInt();
    if (!ok())
        return {};
    if (length < 0) {
        fail(QStringLiteral("negative Zeichenkettenlänge %1").arg(length));
        return {};
    }
    const qint64 left = remaining();
    if ((left >= 0 && length > left) || (left < 0 && length > kMaxUncheckedStringBytes)) {
        fail(QStringLiteral("Zeichenkettenlänge %1 über das Dateiende hinaus").arg(length));
        return {};
    }
    QByteArray bytes(length, Qt::Uninitialized);
    if (!readExact(bytes.data(), length))
        return {};
    return bytes;
}

QString BinaryReader::readString() {
    return decodeCp1252(readRawString());
}

void BinaryWriter::put(const char* data, qint64 size) {
    if (m_ok && m_device.write(data, size) != size)
        m_ok = false;
}

void BinaryWriter::writeInt(qint32 value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    put(bytes, 4);
}

void BinaryWriter::writeReal(double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian<quint64>(bits, bytes);
    put(bytes, 8);
}

void BinaryWriter::writeRawString(const QByteArray& bytes) {
    writeInt(static_cast<qint32>(bytes.size()));
    put(bytes.constData(), bytes.size());
}

void BinaryWriter::writeString(const QString& text) {
    writeRawString(encodeCp1252(text));
}

void BinaryWriter::writeBytes(const QByteArray& bytes) {
    put(bytes.constData(), bytes.size());
}

} // namespace quorvel
