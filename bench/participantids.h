// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Participant IDs for the benchmarks' classes: participant n's 30 letters.
#include "netmessages.h"

#include <QString>

namespace quorvel {

inline QString participantId(int n) {
    QString id;
    for (int k = 0; k < kParticipantIdLength; ++k, n /= 26)
        id += QChar(u'A' + n % 26);
    return id;
}

} // namespace quorvel
