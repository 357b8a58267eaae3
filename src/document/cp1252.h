// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

// Windows-1252, the code page of every binary file the program reads and writes.
// Decoding maps each byte to one character (the five undefined bytes map to the
// C1 control of the same value, as Windows does). Encoding writes "?" for any
// character that Windows-1252 cannot hold; a surrogate pair becomes one "?".
QString decodeCp1252(const char* data, qsizetype size);
inline QString decodeCp1252(const QByteArray& bytes) {
    return decodeCp1252(bytes.constData(), bytes.size());
}
QByteArray encodeCp1252(const QString& text);

} // namespace quorvel
