// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace quorvel {

// Reads the primitives of the program's binary files from a device:
// little-endian 32-bit ints, binary64 reals and length-prefixed Windows-1252
// strings. Every length is checked against what the device still holds before
// anything is allocated. The first failure is kept (with the byte offset where
// it happened) and every later read returns a neutral value, so callers may
// read a whole record and test ok() once.
class BinaryReader {
public:
    explicit BinaryReader(QIODevice& device);

    qint32 readInt();
    double readReal();
    QString readString();
    QByteArray readRawString();

    bool ok() const { return m_error.isEmpty(); }
    // Marks the stream as failed with a description of what was wrong.
    void fail(const QString& what);
    // A short German description of the first failure with its byte offset;
    // callers show it as detail below the documented message.
    const QString& error() const { return m_error; }
    // The device position of the first failure; -1 while there is none.
    qint64 errorOffset() const { return m_errorOffset; }
    QIODevice& device() { return m_device; }
    // Bytes left in the device, or -1 when it cannot tell (sequential device).
    qint64 remaining() const;

private:
    bool readExact(char* into, qint64 size);

    QIODevice& m_device;
    QString m_error;
    qint64 m_errorOffset = -1;
};

// Writes the same primitives. Write errors are kept like read errors.
class BinaryWriter {
public:
    explicit BinaryWriter(QIODevice& device) : m_device(device) {}

    void writeInt(qint32 value);
    void writeReal(double value);
    void writeString(const QString& text);
    void writeRawString(const QByteArray& bytes);
    void writeBytes(const QByteArray& bytes);

    bool ok() const { return m_ok; }
    // For parts written straight to the device (pictures): records their failure.
    void markFailed() { m_ok = false; }
    QIODevice& device() { return m_device; }

private:
    void put(const char* data, qint64 size);

    QIODevice& m_device;
    bool m_ok = true;
};

} // namespace quorvel
