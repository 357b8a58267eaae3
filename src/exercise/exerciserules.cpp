// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciserules.h"

#include "answertext.h"
#include "crossmatchinglayout.h"
#include "document.h"
#include "queryorder.h"
#include "randomgenerator.h"

#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

// --- defaults ----------------------------------------------------------------

int ExerciseRules::openQueries(Document& document, const UebEinstellungen& settings,
                               RepetitionMode mode) const {
    int total = 0;
    for (ObjDataTyp& o : document.objects) {
        if (!isQuery(o.Typ, settings.AbfrageModus))
            continue;
        ++total;
        o.AbfrageStatus =
            rulesteps::opensAgain(o, mode) ? AbfrageStatus::Open : AbfrageStatus::Uncovered;
    }
    return total;
}

void ExerciseRules::countOpen(RunContext& context, bool) const {
    context.recountOpen();
}

ActionResult ExerciseRules::click(RunContext&, int) const {
    return ActionResult::refused(u"this exercise has nothing to click"_s);
}

ActionResult ExerciseRules::confirm(RunContext&) const {
    return ActionResult::refused(u"this exercise has no \"Weiter\" button"_s);
}

int ExerciseRules::reportedObject(const RunContext& context) const {
    return context.run.Zielobjekt;
}

// --- the set -----------------------------------------------------------------

void ExerciseRuleSet::set(DokTyp dokTyp, ExerciseRulesPtr rules) {
    m_rules[dokTyp] = std::move(rules);
}

void ExerciseRuleSet::setFallback(ExerciseRulesPtr rules) {
    m_fallback = std::move(rules);
}

const ExerciseRules& ExerciseRuleSet::of(DokTyp dokTyp) const {
    const auto it = m_rules.find(dokTyp);
    if (it != m_rules.end() && it->second)
        return *it->second;
    if (!m_fallback) {
        // A set built without fallback still runs unknown types as labelling.
        static const ExerciseRulesPtr labelling = labellingRules(DokTyp::PictureLabelling);
        return *labelling;
    }
    return *m_fallback;
}

ExerciseRuleSet buildExerciseRuleSet() {
    ExerciseRuleSet set;
    for (DokTyp d : {DokTyp::PictureLabelling, DokTyp::Cloze, DokTyp::Crossword})
        set.set(d, labellingRules(d));
    set.set(DokTyp::SingleQuestions, singleQuestionRules());
    set.set(DokTyp::MultipleChoice, multipleChoiceRules());
    set.set(DokTyp::Cluster, clusterRules());
    set.set(DokTyp::CrossMatching, crossMatchingRules(&prepareCrossMatching));
    // Codes the program does not know: cards dragged onto positions.
    set.setFallback(labellingRules(DokTyp(-1)));
    return set;
}

QString instructionText(DokTyp dokTyp, QueryMode mode) {
    static const ExerciseRuleSet rules = buildExerciseRuleSet();
    return rules.of(dokTyp).instruction(mode);
}

// --- shared steps ------------------------------------------------------------

namespace rulesteps {

bool opensAgain(const ObjDataTyp& object, RepetitionMode mode) {
    switch (mode) {
    case RepetitionMode::Complete:
        return true;
    case RepetitionMode::OnlyMissed:
        return object.ZielFehlversuche > 0 || object.KartFehlversuche > 0;
    case RepetitionMode::Nothing:
        break;
    }
    return false;
}

void orderCards(RunContext& context, bool alwaysAlphabetical) {
    auto& order = context.run.AbfrageFolge;
    shuffleCards(order, context.random);
    if (context.settings().Zuordnungstexte == CardOrder::Alphabetical || alwaysAlphabetical) {
        const size_t n = context.document.objects.size();
        std::vector<QString> normalised(n);
        for (size_t i = 0; i < n; ++i)
            normalised[i] = normalisedText(context.display[i]);
        sortCardsByText(order, normalised);
    }
}

void orderTargets(RunContext& context, bool sortOrdered) {
    auto& order = context.run.AbfrageFolge;
    const auto& objects = context.document.objects;
    if (context.settings().Zuordnungsziele != TargetNumbering::Ordered) {
        shuffleTargets(order, context.random);
    } else if (sortOrdered) {
        if (numberingOrderOf(context.document.header) == NumberingOrder::Alphabetical) {
            std::vector<QString> raw(objects.size());
            for (size_t i = 0; i < objects.size(); ++i)
                raw[i] = objects[i].Cap;
            sortTargetsByText(order, raw);
        } else {
            sortTargetsByPosition(order, objects);
        }
    }
}

bool advance(RunContext& context, const std::function<bool(const QueryPair&)>& wanted) {
    const auto& order = context.run.AbfrageFolge;
    const int n = int(order.size());
    for (int step = 1; step <= n; ++step) {
        const int e = (context.run.AktIndex + step) % n;
        if (wanted(order[size_t(e)])) {
            context.run.AktIndex = e;
            return true;
        }
    }
    return false;
}

AbfrageStatus stateOf(const RunContext& context, int index) {
    return context.validIndex(index) ? context.document.objects[size_t(index)].AbfrageStatus
                                     : AbfrageStatus::Covered;
}

void showSingleCard(RunContext& context) {
    std::replace(context.cards.begin(), context.cards.end(), CardState::Shown, CardState::Hidden);
    context.cards[size_t(context.run.AktIndex)] = CardState::Shown;
}

bool advanceSingleCard(RunContext& context) {
    const auto& order = context.run.AbfrageFolge;
    const bool atEnd = context.settings().RiFaRueckmeldung == FeedbackTiming::AtEnd;
    return advance(context, [&](const QueryPair& p) {
        const size_t entry = size_t(&p - order.data());
        if (context.cards[entry] == CardState::Removed)
            return false;
        return atEnd || stateOf(context, p.card) == AbfrageStatus::Open;
    });
}

CardState usedCard(const RunContext& context, bool destroyed) {
    if (destroyed || context.settings().RiFaRueckmeldung == FeedbackTiming::AtEnd ||
        context.settings().AbfrageModus != QueryMode::SingleCard)
        return CardState::Removed;
    return CardState::Hidden;
}

} // namespace rulesteps

} // namespace quorvel
