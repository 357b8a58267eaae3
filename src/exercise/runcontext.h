// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol.h"
#include "settings.h"
#include "uebungssitzung.h"

#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace quorvel {

class Document;
class ExerciseClock;
class RandomGenerator;

// What a running exercise tells whoever shows it.
struct ExerciseEvent {
    enum class Kind {
        Pause,    // `ms` of feedback: take no input meanwhile (the clock runs on)
        Feedback, // show `text` (`right` says the colour) until FeedbackHidden
        FeedbackHidden,
        Glide,          // card entry `entry` glides back to where its drag started, `ms` long
        ObjectChanged,  // object `object` changed its state: redraw it
        CardsChanged,   // cards shown, hidden or removed: arrange the card column again
        QueryPresented, // the next query (card, position, question) is shown
        StatusChanged,  // counters changed: refresh the status bar
        Evaluated,      // an answer was judged: `object` is the object a network
                        // participant reports with its state and fail count
        Message,        // a message to show (the time-out)
        PointOpened,    // point `object` was clicked: open it as the learning view does
        Ended,          // the run ended (`EndeGrund` says how)
    };
    Kind kind;
    int object = -1;
    int entry = -1;
    int ms = 0;
    bool right = false;
    QString text;
};

// Where a card of `AbfrageFolge` is.
enum class CardState { Shown, Hidden, Removed };

// What an action did: taken, or refused with the reason (nothing changed).
struct ActionResult {
    bool taken = true;
    QString reason;
    static ActionResult refused(const QString& why) { return {false, why}; }
};

// Whoever listens to a run; removed again by the id addObserver() gave.
using ExerciseObserver = std::function<void(const ExerciseEvent&)>;

// One run's state and what the rules of every document type work with: the
// objects of the document, the session, the cards, the protocol lines, the
// events and the pauses. A pause is a state, not a wait: steps queued behind
// it run when it is over (a timer ends it on a clock that runs by itself; a
// clock that stands still is moved on at once, so headless runs stay
// synchronous). While steps are pending the run is busy and takes no input.
class RunContext {
public:
    RunContext(Document& document, ExerciseClock& clock, RandomGenerator& random);
    RunContext(const RunContext&) = delete;
    RunContext& operator=(const RunContext&) = delete;

    Document& document;
    ExerciseClock& clock;
    RandomGenerator& random;

    UebungsSitzung run;
    bool exists = false; // a run has been started and not cleaned up
    bool busy = false;   // an evaluation (with its pauses) is under way
    UebungsrueckmeldungSettings feedback;
    ProtocolContext context;
    std::vector<QString> display; // per object
    std::vector<CardState> cards; // per entry of AbfrageFolge
    std::vector<int> slots;       // per entry: single-question slot
    std::vector<char> ticks;      // per object: tick state
    std::vector<int> places;      // per object: answer place of a tick box
    std::vector<QString> inputs;  // per object: input field text
    std::vector<int> occupant;    // cluster: per gap-table cell (row * 12 + column), -1 free
    std::vector<int> cellCard;    // cluster: the card that belongs in each cell, -1 none
    int currentQuestion = 0;
    qint64 endElapsedMs = -1; // the clock at the end, -1 while running

    const UebEinstellungen& settings() const { return run.settings; }
    bool validIndex(int index) const;
    QString displayText(int index) const;
    // The entry of `card` in AbfrageFolge (only shown ones with `shownOnly`), -1 none.
    int entryOfCard(int card, bool shownOnly) const;
    void recountOpen();
    void setState(int object, AbfrageStatus state);
    qint64 elapsedMs() const;
    // A protocol line in the body.
    void line(const QString& text, bool stamped = true);

    int addObserver(ExerciseObserver observer);
    void removeObserver(int id);
    void emitEvent(ExerciseEvent::Kind kind, int object = -1, int ms = 0, bool right = false,
                   const QString& text = {});
    void emitEvent(const ExerciseEvent& event);

    // Runs `step` now, or after the pauses queued before it.
    void then(std::function<void()> step);
    // A pause of `ms`; `announce` tells the observers (a glide tells its own).
    void wait(int ms, bool announce = true);
    // Drops every pending step and pause.
    void cancelSteps();

    // An evaluation: busy from its start until its last step has run and the
    // run went on (`afterEvaluation`, set by the run).
    void beginEvaluation() { busy = true; }
    void finishEvaluation();
    std::function<void()> afterEvaluation;

    // The feedback every document type gives.
    void rightFeedback(bool question);
    void wrongFeedback(const QString& message);
    // Closes `target` after a right answer, with the feedback the settings ask for.
    void closeRight(int target, bool question);
    // The state a right answer leaves at its target.
    AbfrageStatus rightState() const;
    // Card `card` (entry `entry`) glides back `pixels` far after a wrong drop.
    void glideBack(int card, int entry, double pixels);

private:
    struct Step {
        int ms = 0; // a pause when > 0
        bool announce = false;
        std::function<void()> action;
    };
    void startPause(int ms, bool announce);
    void resume();

    std::vector<std::pair<int, ExerciseObserver>> m_observers;
    int m_nextObserver = 1;
    std::deque<Step> m_steps;
    std::deque<Step> m_incoming; // queued by the step that runs now: they go first
    QTimer m_pauseTimer;
    bool m_paused = false;
};

} // namespace quorvel
