// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

namespace quorvel {

// The time an exercise runs on, in milliseconds from an arbitrary zero. The
// program uses the monotonic clock; tests and the tool a virtual one that
// moves only when told, so that a replay is the same every time.
class ExerciseClock {
public:
    virtual ~ExerciseClock() = default;
    virtual qint64 nowMs() const = 0;
    // A pause of the evaluation: the pupil sees the feedback, no input is
    // taken. Returns when `ms` have passed on this clock.
    virtual void pause(int ms) = 0;
};

// The program's clock. A pause keeps painting going but takes no input.
class MonotonicClock final : public ExerciseClock {
public:
    MonotonicClock();
    qint64 nowMs() const override;
    void pause(int ms) override;

private:
    QElapsedTimer m_timer;
};

// A clock that stands still until advanced; a pause advances it.
class VirtualClock final : public ExerciseClock {
public:
    qint64 nowMs() const override { return m_now; }
    void pause(int ms) override { advance(ms); }
    // Negative steps are ignored: time never runs backwards here.
    void advance(qint64 ms) { m_now += ms > 0 ? ms : 0; }
    void set(qint64 ms) { m_now = ms; }

private:
    qint64 m_now = 0;
};

} // namespace quorvel
