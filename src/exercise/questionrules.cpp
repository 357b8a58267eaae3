// SPDX-License-Identifier: GPL-3.0-or-later
// Single questions (an answer card clicked) and multiple choice (boxes
// ticked, then "Weiter"): one question at a time.
#include "answerplaces.h"
#include "answertext.h"
#include "document.h"
#include "exerciserules.h"
#include "randomgenerator.h"
#include "runrules.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWrongSettlePause = 900;
constexpr int kTickCounterPause = 1900;
constexpr int kFurtherAnswers = 5;
constexpr int kAnswerTries = 100;

// What both question types share: the question asked now and the next one.
class QuestionRules : public ExerciseRules {
public:
    bool showsAllCards(QueryMode) const override { return false; }

    void begin(RunContext& context) const override {
        const auto& order = context.run.AbfrageFolge;
        if (!order.empty() && context.validIndex(order.front().target))
            context.currentQuestion =
                context.document.objects[size_t(order.front().target)].FrageNummer;
    }

    bool next(RunContext& context) const override {
        if (!rulesteps::advance(context, [&](const QueryPair& p) {
                return rulesteps::stateOf(context, p.target) == AbfrageStatus::Open;
            }))
            return false;
        const int target = context.run.AbfrageFolge[size_t(context.run.AktIndex)].target;
        context.currentQuestion = context.document.objects[size_t(target)].FrageNummer;
        return true;
    }

protected:
    // The question's text object of `typ`.
    static QString questionText(const RunContext& context, Typ typ) {
        for (const ObjDataTyp& o : context.document.objects) {
            if (typOf(o) == typ && o.FrageNummer == context.currentQuestion)
                return normalisedText(o.Cap);
        }
        return {};
    }
};

class SingleQuestionRules final : public QuestionRules {
public:
    bool isQuery(int typ, QueryMode) const override { return typ == codeOf(Typ::QuestionAnswer); }
    QString instruction(QueryMode) const override { return u"Klicke auf die richtige Antwort!"_s; }
    void order(RunContext& context) const override {
        rulesteps::orderCards(context, true);
        rulesteps::orderTargets(context, true);
    }
    bool present(RunContext& context) const override;
    ActionResult click(RunContext& context, int object) const override;

private:
    void judge(RunContext& context, int entry) const;
};

bool SingleQuestionRules::present(RunContext& context) const {
    const auto& order = context.run.AbfrageFolge;
    const int n = int(order.size());
    const int target = order[size_t(context.run.AktIndex)].target;
    auto& cards = context.cards;
    std::replace(cards.begin(), cards.end(), CardState::Shown, CardState::Hidden);
    std::fill(context.slots.begin(), context.slots.end(), -1);
    QStringList shownTexts;
    std::vector<int> shown;
    const auto show = [&](int e) {
        cards[size_t(e)] = CardState::Shown;
        shown.push_back(e);
        shownTexts << normalisedText(context.displayText(order[size_t(e)].card));
    };
    int rightEntry = context.entryOfCard(target, false);
    if (rightEntry < 0)
        rightEntry = context.run.AktIndex;
    show(rightEntry);
    for (int k = 0; k < kFurtherAnswers; ++k) {
        for (int attempt = 0; attempt < kAnswerTries; ++attempt) {
            const int e = context.random.bounded(n);
            if (cards[size_t(e)] != CardState::Hidden ||
                shownTexts.contains(normalisedText(context.displayText(order[size_t(e)].card))))
                continue;
            show(e);
            break;
        }
    }
    // Slots in the order of the card column, or random free ones.
    std::sort(shown.begin(), shown.end());
    std::vector<int> freeSlots;
    for (int k = 0; k < int(shown.size()); ++k)
        freeSlots.push_back(k);
    for (int e : shown) {
        size_t pick = 0;
        if (context.settings().Zuordnungstexte == CardOrder::Random)
            pick = size_t(context.random.bounded(int(freeSlots.size())));
        context.slots[size_t(e)] = freeSlots[pick];
        freeSlots.erase(freeSlots.begin() + std::ptrdiff_t(pick));
    }
    std::sort(shown.begin(), shown.end(), [&context](int a, int b) {
        return context.slots[size_t(a)] < context.slots[size_t(b)];
    });
    QStringList answers;
    for (int e : shown) {
        QString answer = quoted(normalisedText(context.displayText(order[size_t(e)].card)));
        if (e == rightEntry)
            answer += u" (Lösung)"_s;
        answers << answer;
    }
    context.line(QString(), false);
    context.line(u"Frage Nr. "_s + QString::number(context.currentQuestion) + u"\r\n"_s +
                 questionText(context, Typ::QuestionText));
    context.line(u"Antwortmöglichkeiten: "_s + answers.join(u", "_s));
    return true;
}

ActionResult SingleQuestionRules::click(RunContext& context, int object) const {
    const int entry = context.entryOfCard(object, true);
    if (entry < 0)
        return ActionResult::refused(u"object %1 is no answer shown now"_s.arg(object));
    judge(context, entry);
    return {};
}

void SingleQuestionRules::judge(RunContext& context, int entry) const {
    context.beginEvaluation();
    const UebEinstellungen& s = context.settings();
    const int target = context.run.AbfrageFolge[size_t(context.run.AktIndex)].target;
    context.run.Zielobjekt = target;
    const int card = context.run.AbfrageFolge[size_t(entry)].card;
    const QString x = normalisedText(context.displayText(card));
    const bool right =
        context.validIndex(target) && x == normalisedText(context.displayText(target));
    RunContext* c = &context;
    const auto hideAnswers = [c] {
        std::replace(c->cards.begin(), c->cards.end(), CardState::Shown, CardState::Hidden);
        std::fill(c->slots.begin(), c->slots.end(), -1);
    };
    if (right) {
        context.line(u"RICHTIG - Gewählte Antwort: "_s + quoted(x));
        context.closeRight(target, true);
        context.then([c, hideAnswers] {
            hideAnswers();
            c->run.Richtig += 1.0;
        });
    } else {
        context.line(u"FALSCH - Gewählte Antwort: "_s + quoted(x));
        if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            context.setState(target, AbfrageStatus::ClosedHidden);
        } else {
            const bool silent = s.ZuordnungFalsch == WrongAction::Silent;
            if (!silent)
                context.wrongFeedback(context.feedback.FalschText);
            if (s.ZuordnungFalsch != WrongAction::TryAgain)
                context.then(
                    [c, target] { c->setState(target, AbfrageStatus::QuestionClosedWrong); });
            if (!silent) {
                context.wait(kWrongSettlePause);
                context.then([c] { c->emitEvent(ExerciseEvent::Kind::FeedbackHidden); });
            }
        }
        context.then([c, target, hideAnswers] {
            hideAnswers();
            if (c->validIndex(target))
                c->document.objects[size_t(target)].ZielFehlversuche += 1;
            c->run.Fehlversuche += 1.0;
        });
    }
    context.then([c] { c->emitEvent(ExerciseEvent::Kind::CardsChanged); });
    context.finishEvaluation();
}

class MultipleChoiceRules final : public QuestionRules {
public:
    bool isQuery(int typ, QueryMode) const override {
        return typ == codeOf(Typ::MCQuestion) || typ == codeOf(Typ::MCPictureQuestion);
    }
    QString instruction(QueryMode) const override {
        return u"Markiere alle zutreffenden Antworten!"_s;
    }
    void placeAnswers(RunContext& context) const override;
    void order(RunContext& context) const override { rulesteps::orderTargets(context, false); }
    bool present(RunContext& context) const override;
    bool hasTickBoxes() const override { return true; }
    ActionResult confirm(RunContext& context) const override {
        judge(context);
        return {};
    }

private:
    // The boxes of the question asked now, in the order they are shown.
    static std::vector<int> shownBoxes(const RunContext& context);
    void judge(RunContext& context) const;
};

void MultipleChoiceRules::placeAnswers(RunContext& context) const {
    auto& objects = context.document.objects;
    context.places = dealAnswerPlaces(
        objects, context.settings().Zuordnungstexte == CardOrder::Random, context.random);
    moveAnswers(objects, context.places, false);
}

std::vector<int> MultipleChoiceRules::shownBoxes(const RunContext& context) {
    const auto& objects = context.document.objects;
    std::vector<int> boxes;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (typOf(objects[i]) == Typ::MCAnswerBox &&
            objects[i].FrageNummer == context.currentQuestion)
            boxes.push_back(int(i));
    }
    std::stable_sort(boxes.begin(), boxes.end(), [&context](int a, int b) {
        return context.places[size_t(a)] < context.places[size_t(b)];
    });
    return boxes;
}

bool MultipleChoiceRules::present(RunContext& context) const {
    const auto& objects = context.document.objects;
    bool picture = false;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjDataTyp& o = objects[i];
        if (typOf(o) == Typ::MCAnswerBox)
            context.ticks[i] = 0;
        else if (typOf(o) == Typ::MCQuestionPicture && o.FrageNummer == context.currentQuestion)
            picture = true;
    }
    QStringList answers;
    for (int box : shownBoxes(context)) {
        QString answer = quoted(
            normalisedText(context.validIndex(box + 1) ? objects[size_t(box + 1)].Cap : QString()));
        if (objects[size_t(box)].Cap == u"+"_s)
            answer += u" (zutreffend)"_s;
        answers << answer;
    }
    context.line(QString(), false);
    context.line(u"Frage Nr. "_s + QString::number(context.currentQuestion) + u"\r\n"_s +
                 questionText(context, Typ::MCQuestionText) + (picture ? u" (Bild)"_s : QString()));
    context.line(u"Antwortmöglichkeiten: "_s + answers.join(u", "_s));
    return true;
}

void MultipleChoiceRules::judge(RunContext& context) const {
    context.beginEvaluation();
    const UebEinstellungen& s = context.settings();
    const int target = context.run.AbfrageFolge[size_t(context.run.AktIndex)].target;
    context.run.Zielobjekt = target;
    const auto& objects = context.document.objects;
    int c = 0, r = 0, f = 0, m = 0;
    QStringList chosen;
    for (int box : shownBoxes(context)) {
        const bool correct = objects[size_t(box)].Cap == u"+"_s;
        const bool on = context.ticks[size_t(box)] != 0;
        c += correct;
        r += correct && on;
        f += !correct && on;
        m += correct && !on;
        if (on)
            chosen << quoted(normalisedText(
                context.validIndex(box + 1) ? objects[size_t(box + 1)].Cap : QString()));
    }
    const QString list = chosen.isEmpty() ? u"- keine -"_s : chosen.join(u", "_s);
    const QString ticks =
        u"Häkchen - richtig: %1 - falsch: %2 - fehlend: %3"_s.arg(r).arg(f).arg(m);
    RunContext* ctx = &context;
    const auto hideBoxes = [ctx] { ctx->emitEvent(ExerciseEvent::Kind::CardsChanged); };
    if (f + m == 0) {
        context.line(u"RICHTIG - Gewählte Antwort(en): "_s + list);
        context.line(ticks);
        context.closeRight(target, true);
        context.then([ctx, hideBoxes] {
            hideBoxes();
            ctx->run.Richtig += 1.0;
        });
    } else {
        context.line(u"FALSCH bzw. NICHT KOMPLETT RICHTIG - Gewählte Antwort(en): "_s + list);
        context.line(ticks);
        if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            context.setState(target, AbfrageStatus::ClosedHidden);
        } else {
            const bool silent = s.ZuordnungFalsch == WrongAction::Silent;
            if (!silent) {
                const UebungsrueckmeldungSettings& fb = context.feedback;
                const QString counters = c > 0 ? u"%1 %2\n%3 %4\n%5 %6"_s.arg(fb.MCRichtigText)
                                                     .arg(r)
                                                     .arg(fb.MCFalschText)
                                                     .arg(f)
                                                     .arg(fb.MCFehlendText)
                                                     .arg(m)
                                               : fb.FalschText;
                context.wrongFeedback(counters);
            }
            if (s.ZuordnungFalsch != WrongAction::TryAgain)
                context.then(
                    [ctx, target] { ctx->setState(target, AbfrageStatus::QuestionClosedWrong); });
            if (!silent)
                context.wait(c > 0 ? kTickCounterPause : kWrongSettlePause);
            context.then([ctx, hideBoxes, silent] {
                hideBoxes();
                if (!silent)
                    ctx->emitEvent(ExerciseEvent::Kind::FeedbackHidden);
            });
        }
        const double earned = c > 0 ? double(std::max(r - f, 0)) / double(c) : 0.0;
        context.then([ctx, target, earned] {
            if (ctx->validIndex(target))
                ctx->document.objects[size_t(target)].ZielFehlversuche += 1;
            ctx->run.Richtig += earned;
            ctx->run.Fehlversuche += 1.0 - earned;
        });
    }
    context.finishEvaluation();
}

} // namespace

ExerciseRulesPtr singleQuestionRules() {
    return std::make_shared<SingleQuestionRules>();
}

ExerciseRulesPtr multipleChoiceRules() {
    return std::make_shared<MultipleChoiceRules>();
}

} // namespace quorvel
