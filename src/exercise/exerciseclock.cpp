// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseclock.h"

#include <QEventLoop>
#include <QTimer>

namespace quorvel {

MonotonicClock::MonotonicClock() {
    m_timer.start();
}

qint64 MonotonicClock::nowMs() const {
    return m_timer.elapsed();
}

void MonotonicClock::pause(int ms) {
    if (ms <= 0)
        return;
    // Repaints go on during the pause; clicks, keys and network input wait
    // until it ends.
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

} // namespace quorvel
