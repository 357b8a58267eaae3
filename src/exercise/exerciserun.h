// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerect.h"
#include "protocol.h"
#include "settings.h"
#include "uebungssitzung.h"

#include <QString>
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

// Start's answer: runs, refused with a message, or waits for the user to
// confirm that the running exercise may be given up.
struct StartOutcome {
    enum class Status { Started, Refused, NeedsConfirmation };
    Status status = Status::Refused;
    QString message;
    bool started() const { return status == Status::Started; }
};

struct StartRequest {
    UebEinstellungen settings; // the snapshot (for a network participant: the network's)
    GradingTable grading;
    UebungsrueckmeldungSettings feedback;
    int repetitionMode = 0; // 0 complete, 1 only what was missed, else nothing to ask
    SessionKind kind = SessionKind::Individual;
    QString participantName;
    QDateTime startTime;         // `StartZeit` (kept for a network participant)
    bool abortConfirmed = false; // the user agreed to give up the running exercise
    // The name entry: asked once the document has passed every refusal and
    // before the clock starts; its answer replaces `participantName`.
    std::function<QString()> askName;
    ProtocolContext context;
};

// The exercise engine: one run of the open document, without a window. It
// works on the document's objects (their runtime fields), reads the time from
// `clock` and draws every random choice from `random`; all three must outlive
// it. Actions go in (drop, click, tick, "Weiter", typing, timer ticks, abort);
// the state is read back and every change is told through the listener.
// Object arguments are indices into `Document::objects`; an index that names
// nothing suitable is refused with a reason and changes nothing.
// The instruction above the card column: by document type and query mode;
// empty where there is none (text input of labelling documents).
QString instructionText(DokTyp dokTyp, QueryMode mode);

class ExerciseRun {
public:
    ExerciseRun(Document& document, ExerciseClock& clock, RandomGenerator& random);

    void setListener(std::function<void(const ExerciseEvent&)> listener);
    // The cross-matching layout: called with true when a run prepares the
    // elements for the exercise, with false when an aborted run rebuilds the
    // learning view's layout. None: the elements stay where they are.
    void setMatchingLayout(std::function<void(Document&, bool exercise)> layout);

    StartOutcome start(const StartRequest& request);
    // Whether a run exists that has not ended (`EndeGrund` 0).
    bool running() const;
    // Whether an evaluation is under way (its pauses take no input).
    bool busy() const { return m_busy; }

    // Card object `card` released over target object `target` (-1: over
    // nothing, ignored). `glidePixels` is the way back to where its drag
    // started, should it be wrong.
    ActionResult drop(int card, int target, double glidePixels = 0.0);
    // A cluster card released over basket `basket` (from 1).
    ActionResult dropInBasket(int card, int basket, double glidePixels = 0.0);
    // A click on an answer card (single questions), an element (cross
    // matching) or a point that opens during exercises.
    ActionResult click(int object);
    // Toggles a multiple-choice tick box.
    ActionResult tick(int box);
    // The "Weiter" button (multiple choice: evaluates the question; text
    // input: evaluates every field).
    ActionResult weiter();
    // Sets the text of the input field at target `target` (text input), as
    // typed: at most 255 characters are kept.
    ActionResult type(int target, const QString& text);
    // The 100 ms timer: updates the remaining time and ends the run when the
    // time limit is reached. Ignored during an evaluation.
    void timerTick();
    // Gives up the run (the caller has asked the user) and cleans up: the
    // learning view's states come back.
    void abort();

    const UebungsSitzung& session() const { return m_run; }
    const Document& document() const { return m_document; }
    // The text cards and protocol lines show for object `index`.
    QString displayText(int index) const;
    CardState cardState(int entry) const;
    // Multiple choice: whether box `index` is ticked; the place an answer is
    // shown at (the permutation).
    bool ticked(int index) const;
    int answerPlace(int box) const;
    // Single questions: the slot (0..5) of a shown answer card, -1 none.
    int answerSlot(int entry) const;
    // Text input: the field's text.
    QString input(int target) const;
    // The target under a card dragged to `card` (page fractions): the first
    // open candidate whose card rectangle holds the middle of the card's left
    // edge, else the first that overlaps it; -1 none. Cluster cards find
    // baskets instead (the caller's basket under the card's centre).
    int targetUnder(const PageRect& card) const;
    // The objects a dragged card may be released on now, in the order the
    // target search tries them (empty during an evaluation).
    std::vector<int> targetCandidates() const;
    // The question asked now (`FrageNummer`), 0 when none.
    int currentQuestion() const { return m_currentQuestion; }
    // The position asked now in single-position mode, else -1.
    int currentTarget() const;
    qint64 elapsedMs() const;
    // The clock as the status bar shows it (remaining time with a limit).
    QString clockText() const;
    // The protocol as it stands, completed with the figures of this moment.
    QString protocol() const;
    // The four figures of the status bar ("?" while they would tell the answers).
    QStringList statusFigures() const;

private:
    void emitEvent(ExerciseEvent::Kind kind, int object = -1, int ms = 0, bool right = false,
                   const QString& text = {});
    void pause(int ms);
    void line(const QString& text, bool stamped = true);
    void end();
    void timeOut();
    void afterEvaluation();
    void presentNext();
    void presentCurrent();
    void presentQuestion();
    void presentMultipleChoice();
    void recountOpen();
    int entryOfCard(int card, bool shownOnly) const;
    bool isQueryTyp(int typ) const;
    bool validIndex(int index) const;
    DokTyp dokTyp() const;
    bool textInputMode() const;

    // evaluation
    void evaluateCard(int entry, int target, double glidePixels);
    void evaluateCluster(int entry, int basket, double glidePixels);
    void evaluateQuestion(int entry);
    void evaluateMultipleChoice();
    void evaluateMatching(int first, int second);
    void evaluateInputs();
    void rightFeedback(bool question);
    void wrongFeedback(const QString& message);
    void setState(int object, int state);
    // Closes `target` after a right answer, with the feedback the settings ask for.
    void closeRight(int target, bool question);
    // The state a right answer leaves at its target.
    int rightState() const;
    void glideBack(int card, int entry, double pixels);
    QString rightLine(const QString& x, const QString& p) const;
    QString wrongLine(const QString& x, const QString& p) const;

    Document& m_document;
    ExerciseClock& m_clock;
    RandomGenerator& m_random;
    std::function<void(const ExerciseEvent&)> m_listener;
    std::function<void(Document&, bool)> m_matchingLayout;

    UebungsSitzung m_run;
    bool m_exists = false; // a run has been started and not cleaned up
    bool m_busy = false;
    UebungsrueckmeldungSettings m_feedback;
    ProtocolContext m_context;
    std::vector<QString> m_display; // per object
    std::vector<CardState> m_cards; // per entry of AbfrageFolge
    std::vector<int> m_slots;       // per entry: single-question slot
    std::vector<char> m_ticks;      // per object: tick state
    std::vector<int> m_places;      // per object: answer place of a tick box
    std::vector<QString> m_inputs;  // per object: input field text
    std::vector<int> m_occupant;    // cluster: per gap-table cell (row * 12 + column), -1 free
    std::vector<int> m_cellCard;    // cluster: the card that belongs in each cell, -1 none
    int m_currentQuestion = 0;
    qint64 m_endElapsedMs = -1; // the clock at the end, -1 while running
};

} // namespace quorvel
