// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace quorvel {

// The bytes of a metafile: every number little-endian. Stops growing at
// `limit` bytes and remembers that it overflowed, so that a page of countless
// objects ends in an error instead of exhausting memory.
class RecordBuffer {
public:
    explicit RecordBuffer(qsizetype limit) : m_limit(limit) {}

    bool overflowed() const { return m_overflowed; }
    qsizetype size() const { return m_bytes.size(); }
    const QByteArray& bytes() const { return m_bytes; }

    void u8(quint8 value) { raw(&value, 1); }
    void u16(quint16 value) { put<quint16>(value); }
    void i16(qint16 value) { put<qint16>(value); }
    void u32(quint32 value) { put<quint32>(value); }
    void i32(qint32 value) { put<qint32>(value); }
    void bytes(const QByteArray& data) { raw(data.constData(), data.size()); }
    void zeros(qsizetype count) {
        if (fits(count))
            m_bytes.append(count, '\0');
    }
    void padTo(int alignment) {
        const qsizetype rest = m_bytes.size() % alignment;
        if (rest)
            zeros(alignment - rest);
    }
    void patchU32(qsizetype offset, quint32 value) {
        if (offset >= 0 && offset + 4 <= m_bytes.size())
            qToLittleEndian(value, m_bytes.data() + offset);
    }
    void patchU16(qsizetype offset, quint16 value) {
        if (offset >= 0 && offset + 2 <= m_bytes.size())
            qToLittleEndian(value, m_bytes.data() + offset);
    }

private:
    template <typename T> void put(T value) {
        char data[sizeof(T)];
        qToLittleEndian(value, data);
        raw(data, sizeof(T));
    }
    void raw(const void* data, qsizetype count) {
        if (fits(count))
            m_bytes.append(static_cast<const char*>(data), count);
    }
    bool fits(qsizetype count) {
        if (m_overflowed || count > m_limit - m_bytes.size()) {
            m_overflowed = true;
            return false;
        }
        return true;
    }

    QByteArray m_bytes;
    qsizetype m_limit;
    bool m_overflowed = false;
};

} // namespace quorvel
