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
    // Whether time passes by itself: a pause of the evaluation then ends by
    // a timer while the program goes on (painting, the clock label stays).
    // A clock that stands still lets a pause pass at once by skip().
    virtual bool passesByItself() const = 0;
    virtual void skip(int ms) = 0;
};

// The program's clock.
class MonotonicClock final : public ExerciseClock {
public:
    MonotonicClock();
    qint64 nowMs() const override;
    bool passesByItself() const override { return true; }
    void skip(int) override {}

private:
    QElapsedTimer m_timer;
};

// A clock that stands still until advanced; a pause advances it.
class VirtualClock final : public ExerciseClock {
public:
    qint64 nowMs() const override { return m_now; }
    bool passesByItself() const override { return false; }
    void skip(int ms) override { advance(ms); }
    // Negative steps are ignored: time never runs backwards here.
    void advance(qint64 ms) { m_now += ms > 0 ? ms : 0; }
    void set(qint64 ms) { m_now = ms; }

private:
    qint64 m_now = 0;
};

} // namespace quorvel
