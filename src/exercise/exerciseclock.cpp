// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseclock.h"

namespace quorvel {

MonotonicClock::MonotonicClock() {
    m_timer.start();
}

qint64 MonotonicClock::nowMs() const {
    return m_timer.elapsed();
}

} // namespace quorvel
