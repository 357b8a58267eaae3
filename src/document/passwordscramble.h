// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel {

// The picture password is stored with every byte combined with one fixed key
// byte by exclusive-or; the same call turns it back.
inline QByteArray scramblePassword(QByteArray bytes) {
    constexpr char kKey = static_cast<char>(0x5A);
    for (char& b : bytes)
        b = static_cast<char>(b ^ kKey);
    return bytes;
}

} // namespace quorvel
