#include "exerciseclock.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace quorvel {

MonotonicClock::MonotonicClock() {
    m_timer.start();
}

qint64 MonotonicClock::nowMs() const {
    return m_timer.elapsed();
}

void MonotonicClock::pause(int ms) {
    // Repaints may go on during the pause; clicks and keys wait until it ends.
    const qint64 end = m_timer.elapsed() + ms;
    while (m_timer.elapsed() < end) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::ExcludeSocketNotifiers,
                                        int(end - m_timer.elapsed()));
    }
}

} // namespace quorvel
