// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "runcontext.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace quorvel {

class Document;
class RandomGenerator;
struct ObjDataTyp;

// The exercise of one document type: what is a query, how a run is
// prepared, how an answer is judged and what is presented next. The run
// (ExerciseRun) keeps the session, the clock, the counters, the protocol and
// the events and asks these rules for everything that differs by type. Rules
// hold no state of their own: everything lives in the RunContext.
class ExerciseRules {
public:
    virtual ~ExerciseRules() = default;

    // --- what is a query
    virtual bool isQuery(int typ, QueryMode mode) const = 0;
    // The instruction above the card column; empty where there is none.
    virtual QString instruction(QueryMode mode) const = 0;
    // Whether the run counts pairs: two elements make one query.
    virtual bool countsPairs() const { return false; }

    // --- how a run is prepared
    // Before anything is counted (documents that need an object of the run).
    virtual void addRunObjects(Document&, const UebEinstellungen&) const {}
    // Marks the query objects open by the repetition mode and returns how
    // many take part; objects that cannot be asked are closed.
    virtual int openQueries(Document& document, const UebEinstellungen& settings,
                            RepetitionMode mode) const;
    // The state of a non-query object for the run (unchanged by default).
    virtual void settleOther(ObjDataTyp&, const UebEinstellungen&) const {}
    // Builds the page for the run (`exercise`) or back for the learning view.
    virtual void layOut(Document&, bool /*exercise*/, RandomGenerator&) const {}
    // Decides the answers' places before the display texts are drawn.
    virtual void placeAnswers(RunContext&) const {}
    // Whether cards without target join the run (a cloze's distractors).
    virtual bool hasDistractors(const Document&, QueryMode) const { return false; }
    // Orders the cards and targets of `AbfrageFolge`.
    virtual void order(RunContext& context) const = 0;
    // The state of a target once it takes part.
    virtual AbfrageStatus targetState() const { return AbfrageStatus::Open; }
    // After the order is numbered: what the judging needs.
    virtual void prepareTargets(RunContext&) const {}
    // Whether every card is shown from the start.
    virtual bool showsAllCards(QueryMode mode) const = 0;
    // Whether the run asks typed text instead of cards.
    virtual bool textInput(QueryMode) const { return false; }
    // The open count at the start and after each answer.
    virtual void countOpen(RunContext& context, bool atStart) const;
    // Where the run begins: `AktIndex` and the question.
    virtual void begin(RunContext&) const {}

    // --- what is presented
    // Moves `AktIndex` to the next query to present; false when none is left.
    virtual bool next(RunContext& context) const = 0;
    // Shows the query at `AktIndex`; false when there is nothing to show.
    virtual bool present(RunContext& context) const = 0;
    // The position asked alone, or -1 when every open one takes cards.
    virtual bool asksOnePosition(QueryMode) const { return false; }

    // --- how an answer is judged: each starts an evaluation on the context,
    // queues its steps (feedback, pauses, states, counters) and finishes it.
    // Whether cards are dropped on positions.
    virtual bool takesDrops(QueryMode) const { return false; }
    virtual void judgeDrop(RunContext&, int /*entry*/, int /*target*/,
                           double /*glidePixels*/) const {}
    virtual bool hasBaskets() const { return false; }
    virtual void judgeBasket(RunContext&, int /*entry*/, int /*basket*/,
                             double /*glidePixels*/) const {}
    // A click on an element that is no point; the default refuses.
    virtual ActionResult click(RunContext& context, int object) const;
    virtual bool hasTickBoxes() const { return false; }
    // The "Weiter" button; the default refuses.
    virtual ActionResult confirm(RunContext& context) const;
    // At a time-out: judges what is still open and returns true (the
    // evaluation ends the run), or false: the run simply ends.
    virtual bool judgeAtTimeOut(RunContext&) const { return false; }
    // The object an evaluation is reported with.
    virtual int reportedObject(const RunContext& context) const;
};

using ExerciseRulesPtr = std::shared_ptr<const ExerciseRules>;

// The rules of every document type as one value, built once
// (buildExerciseRuleSet) and handed to each run. Types without an entry of
// their own run as labelling. Copies share the (stateless) rules.
class ExerciseRuleSet {
public:
    // Sets the rules of `dokTyp`, replacing earlier ones.
    void set(DokTyp dokTyp, ExerciseRulesPtr rules);
    // The rules of types without an entry.
    void setFallback(ExerciseRulesPtr rules);
    const ExerciseRules& of(DokTyp dokTyp) const;

private:
    std::map<DokTyp, ExerciseRulesPtr> m_rules;
    ExerciseRulesPtr m_fallback;
};

// How the cross-matching elements are laid out for a run and back.
using MatchingLayout = std::function<void(Document&, bool exercise, RandomGenerator&)>;

ExerciseRulesPtr labellingRules(DokTyp dokTyp);
ExerciseRulesPtr singleQuestionRules();
ExerciseRulesPtr multipleChoiceRules();
ExerciseRulesPtr clusterRules();
ExerciseRulesPtr crossMatchingRules(MatchingLayout layout);

// Steps that several rules share.
namespace rulesteps {
// Whether a query object is asked again by `mode`.
bool opensAgain(const ObjDataTyp& object, RepetitionMode mode);
// Shuffles the card column, then sorts it by text when the settings ask for
// alphabetical cards or `alwaysAlphabetical`.
void orderCards(RunContext& context, bool alwaysAlphabetical);
// Shuffles the targets, or with ordered targets sorts them (by text or
// position) when `sortOrdered`.
void orderTargets(RunContext& context, bool sortOrdered);
// Moves `AktIndex` to the next entry after it (cyclically) that `wanted`
// takes; false when there is none.
bool advance(RunContext& context, const std::function<bool(const QueryPair&)>& wanted);
// The state of object `index`, Covered for none.
AbfrageStatus stateOf(const RunContext& context, int index);
// Shows the card at `AktIndex` alone.
void showSingleCard(RunContext& context);
// Single-card mode: moves `AktIndex` to the next card still to be asked.
// With feedback at the end every answer uses its card up, whatever its
// object's state, so every card left in play is asked.
bool advanceSingleCard(RunContext& context);
// The card an answer used up: with feedback at the end (or when `destroyed`)
// it leaves play for good, else single-card mode hides it until asked again.
CardState usedCard(const RunContext& context, bool destroyed);
} // namespace rulesteps

// The rules of every document type the program knows, with the
// cross-matching layout of the layouts library.
ExerciseRuleSet buildExerciseRuleSet();

// The instruction above the card column: by document type and query mode;
// empty where there is none (text input of labelling documents).
QString instructionText(DokTyp dokTyp, QueryMode mode);

} // namespace quorvel
