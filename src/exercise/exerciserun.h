// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciserules.h"
#include "pagerect.h"
#include "protocol.h"
#include "runcontext.h"
#include "settings.h"
#include "uebungssitzung.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace quorvel {

class Document;
class ExerciseClock;
class RandomGenerator;

// Start's answer: runs, refused with a message, or waits for the user to
// confirm that the running exercise may be given up.
struct StartOutcome {
    enum class Status { Started, Refused, NeedsConfirmation };
    Status status = Status::Refused;
    QString message;
    bool started() const { return status == Status::Started; }
};

// Why a computer that initiated a network exercise starts no exercise of its own.
QString msgNetworkInitiatedHere();

struct StartRequest {
    UebEinstellungen settings; // the snapshot (for a network participant: the network's)
    GradingTable grading;
    UebungsrueckmeldungSettings feedback;
    RepetitionMode repetitionMode = RepetitionMode::Complete;
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
// works on the document's objects (their runtime fields), asks `rules` for
// everything that differs by document type, reads the time from `clock` and
// draws every random choice from `random`; the document, the rules, the
// clock and the generator must outlive it. Actions go in (drop, click, tick, "Weiter",
// typing, timer ticks, abort); the state is read back and every change is
// told to the observers. Object arguments are indices into
// `Document::objects`; an index that names nothing suitable is refused with a
// reason and changes nothing.
class ExerciseRun {
public:
    ExerciseRun(Document& document, const ExerciseRuleSet& rules, ExerciseClock& clock,
                RandomGenerator& random);

    // Several may listen (the window, a network participant, a protocol);
    // the id removes the observer again.
    int addObserver(ExerciseObserver observer) { return m_ctx.addObserver(std::move(observer)); }
    void removeObserver(int id) { m_ctx.removeObserver(id); }

    StartOutcome start(const StartRequest& request);
    // Whether a run exists that has not ended (`EndeGrund` 0).
    bool running() const;
    // Whether an evaluation is under way (its pauses take no input).
    bool busy() const { return m_ctx.busy; }

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
    ActionResult confirm();
    // Sets the text of the input field at target `target` (text input), as
    // typed: at most 255 characters are kept.
    ActionResult type(int target, const QString& text);
    // The 100 ms timer: updates the remaining time and ends the run when the
    // time limit is reached. Ignored during an evaluation.
    void timerTick();
    // Gives up the run (the caller has asked the user) and cleans up: the
    // learning view's states come back.
    void abort();

    const UebungsSitzung& session() const { return m_ctx.run; }
    const Document& document() const { return m_ctx.document; }
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
    int currentQuestion() const { return m_ctx.currentQuestion; }
    // The position asked now in single-position mode, else -1.
    int currentTarget() const;
    qint64 elapsedMs() const;
    // The clock as the status bar shows it (remaining time with a limit).
    QString clockText() const;
    // The protocol as it stands, completed with the figures of this moment.
    QString protocol() const;
    // The same as UTF-8, without a second copy of the body.
    QByteArray protocolUtf8() const;
    // The protocol's preamble with the figures of this moment (the body
    // follows it: session().body).
    QString preambleNow() const;
    // A run whose protocol body grows past `bytes` (UTF-8) ends after the
    // answer that passed it, with protocolFullMessage(): endless wrong
    // answers must not eat the memory.
    void setProtocolLimit(qsizetype bytes) { m_protocolLimit = bytes; }
    // The four figures of the status bar ("?" while they would tell the answers).
    QStringList statusFigures() const;

private:
    const ExerciseRules& rules() const;
    // The refusal of an action while no run takes input, else empty.
    std::optional<ActionResult> refusesInput() const;
    // Prepares the objects and the order of a run that passed the refusals.
    void prepare(const StartRequest& request, const std::vector<int>& open, int total);
    void end();
    void endOverlong();
    void timeOut();
    void afterEvaluation();
    void presentNext();
    void presentCurrent();
    bool textInputMode() const;

    RunContext m_ctx;
    const ExerciseRuleSet& m_rules;
    // Far beyond any real exercise (a long one writes well under a megabyte).
    qsizetype m_protocolLimit = qsizetype(64) << 20;
};

// The message and protocol line of a run ended by its protocol's length.
QString protocolFullMessage();

} // namespace quorvel
