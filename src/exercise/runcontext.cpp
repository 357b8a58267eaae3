// SPDX-License-Identifier: GPL-3.0-or-later
#include "runcontext.h"

#include "document.h"
#include "exerciseclock.h"
#include "rounding.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kRightPause = 750;
constexpr int kQuestionRightPause = 500;
constexpr int kWrongPause = 100;

} // namespace

RunContext::RunContext(Document& document, ExerciseClock& clock, RandomGenerator& random)
    : document(document), clock(clock), random(random) {
    m_pauseTimer.setSingleShot(true);
    m_pauseTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_pauseTimer, &QTimer::timeout, &m_pauseTimer, [this] {
        m_paused = false;
        resume();
    });
}

bool RunContext::validIndex(int index) const {
    return index >= 0 && size_t(index) < document.objects.size();
}

QString RunContext::displayText(int index) const {
    if (!validIndex(index))
        return {};
    if (size_t(index) < display.size())
        return display[size_t(index)];
    return document.objects[size_t(index)].Cap;
}

int RunContext::entryOfCard(int card, bool shownOnly) const {
    const auto& order = run.AbfrageFolge;
    for (size_t e = 0; e < order.size(); ++e) {
        if (order[e].card == card && (!shownOnly || cards[e] == CardState::Shown))
            return int(e);
    }
    return -1;
}

void RunContext::recountOpen() {
    run.OffenAnz = int(
        std::count_if(document.objects.begin(), document.objects.end(),
                      [](const ObjDataTyp& o) { return o.AbfrageStatus == AbfrageStatus::Open; }));
}

void RunContext::setState(int object, AbfrageStatus state) {
    if (!validIndex(object))
        return;
    document.objects[size_t(object)].AbfrageStatus = state;
    emitEvent(ExerciseEvent::Kind::ObjectChanged, object);
}

qint64 RunContext::elapsedMs() const {
    if (endElapsedMs >= 0)
        return endElapsedMs;
    if (!exists)
        return 0;
    // A clock that went backwards (a wrapped tick count) counts as no time.
    return std::max<qint64>(0, clock.nowMs() - run.StartTick);
}

void RunContext::line(const QString& text, bool stamped) {
    writeProtocolLine(run, ProtocolText::Body, text, stamped, elapsedMs());
}

int RunContext::addObserver(ExerciseObserver observer) {
    const int id = m_nextObserver++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void RunContext::removeObserver(int id) {
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void RunContext::emitEvent(ExerciseEvent::Kind kind, int object, int ms, bool right,
                           const QString& text) {
    emitEvent(ExerciseEvent{kind, object, -1, ms, right, text});
}

void RunContext::emitEvent(const ExerciseEvent& event) {
    // An observer may come or go while the event is told: each listening
    // when it was sent hears it, unless it left meanwhile.
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers) {
        const bool still = std::any_of(m_observers.begin(), m_observers.end(),
                                       [id](const auto& entry) { return entry.first == id; });
        if (still && observer)
            observer(event);
    }
}

void RunContext::then(std::function<void()> step) {
    if (!m_paused) {
        step();
        return;
    }
    m_incoming.push_back({0, false, std::move(step)});
}

void RunContext::wait(int ms, bool announce) {
    if (ms <= 0)
        return;
    if (!m_paused) {
        startPause(ms, announce);
        return;
    }
    m_incoming.push_back({ms, announce, {}});
}

void RunContext::startPause(int ms, bool announce) {
    if (announce)
        emitEvent(ExerciseEvent::Kind::Pause, -1, ms);
    if (!clock.passesByItself()) {
        clock.skip(ms); // a clock that stands still: the pause is over at once
        return;
    }
    m_paused = true;
    m_pauseTimer.start(ms);
}

void RunContext::resume() {
    // What the step before the pause queued comes first, then the rest.
    const auto takeIncoming = [this] {
        m_steps.insert(m_steps.begin(), std::make_move_iterator(m_incoming.begin()),
                       std::make_move_iterator(m_incoming.end()));
        m_incoming.clear();
    };
    takeIncoming();
    while (!m_paused && !m_steps.empty()) {
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (step.ms > 0)
            startPause(step.ms, step.announce);
        else if (step.action)
            step.action();
        takeIncoming();
    }
}

void RunContext::cancelSteps() {
    m_pauseTimer.stop();
    m_paused = false;
    m_steps.clear();
    m_incoming.clear();
}

void RunContext::finishEvaluation() {
    then([this] {
        if (afterEvaluation)
            afterEvaluation();
    });
}

// --- feedback ----------------------------------------------------------------

void RunContext::rightFeedback(bool question) {
    emitEvent(ExerciseEvent::Kind::Feedback, -1, 0, true, feedback.RichtigText);
    wait(kRightPause);
    if (question && settings().ZuordnungFalsch != WrongAction::Silent)
        wait(kQuestionRightPause);
}

void RunContext::wrongFeedback(const QString& message) {
    emitEvent(ExerciseEvent::Kind::Feedback, -1, 0, false, message);
    wait(kWrongPause);
}

void RunContext::closeRight(int target, bool question) {
    if (settings().RiFaRueckmeldung == FeedbackTiming::AtEnd) {
        setState(target, AbfrageStatus::ClosedHidden);
        return;
    }
    if (settings().ZuordnungRichtig != RightAction::Silent)
        rightFeedback(question);
    then([this, target] {
        setState(target, rightState());
        emitEvent(ExerciseEvent::Kind::FeedbackHidden);
    });
}

AbfrageStatus RunContext::rightState() const {
    switch (settings().ZuordnungRichtig) {
    case RightAction::GreenTick:
        return AbfrageStatus::SolvedTick;
    case RightAction::Silent:
        return AbfrageStatus::ClosedHidden;
    case RightAction::ShowLabel:
        break;
    }
    return AbfrageStatus::Uncovered;
}

void RunContext::glideBack(int card, int entry, double pixels) {
    // A millisecond per two pixels of the way back; less than a pixel goes at once.
    const int ms = pixels >= 1.0 ? rnd(std::min(pixels, 1e6) / 2.0) : 0;
    then([this, card, entry, ms] {
        emitEvent(ExerciseEvent{ExerciseEvent::Kind::Glide, card, entry, ms, false, {}});
    });
    wait(ms, false);
}

} // namespace quorvel
