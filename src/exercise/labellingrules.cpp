// SPDX-License-Identifier: GPL-3.0-or-later
// Cards dragged onto positions, or text typed into them: picture labelling,
// cloze, crossword and every type the program does not know.
#include "answertext.h"
#include "cardcolumn.h"
#include "document.h"
#include "exerciserules.h"
#include "runrules.h"

#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWrongSettlePause = 900;
constexpr int kWrongPause = 100;

class LabellingRules final : public ExerciseRules {
public:
    explicit LabellingRules(DokTyp dokTyp) : m_dokTyp(dokTyp) {}

    bool isQuery(int typ, QueryMode mode) const override {
        if (mode == QueryMode::TextInput)
            return isTextInputTyp(typ);
        return isTextInputTyp(typ) || typ == codeOf(Typ::QueryPicture) ||
               typ == codeOf(Typ::TableQueryPicture) || typ == codeOf(Typ::TableQueryText);
    }

    QString instruction(QueryMode mode) const override {
        const int m = int(mode);
        const auto pick = [m](std::initializer_list<const char16_t*> texts) {
            return m >= 0 && size_t(m) < texts.size() ? QString::fromUtf16(texts.begin()[m])
                                                      : QString();
        };
        if (m_dokTyp == DokTyp::Cloze)
            return pick({u"Ziehe die Lückentexte an die jeweils richtige Position!",
                         u"Ziehe den Lückentext an die richtige Position!",
                         u"Ziehe den richtigen Lückentext an die markierte Position!",
                         u"Fülle die Textlücken richtig aus!"});
        return pick({u"Ziehe die Kärtchen an die jeweils richtige Position!",
                     u"Ziehe das Kärtchen an die richtige Position!",
                     u"Ziehe das richtige Kärtchen an die markierte Position!"});
    }

    // Text input offers a "Weiter" card; documents without an "OK" object get one.
    void addRunObjects(Document& document, const UebEinstellungen& settings) const override {
        auto& objects = document.objects;
        if (settings.AbfrageModus != QueryMode::TextInput ||
            std::any_of(objects.begin(), objects.end(),
                        [](const ObjDataTyp& o) { return typOf(o) == Typ::MCOkButton; }))
            return;
        const int ok = document.addGeneratedObject(Typ::MCOkButton, 0, u"OK"_s, -1, 0.0, 0.0, 0, 0);
        objects[size_t(ok)].AbfrageStatus = AbfrageStatus::Covered;
    }

    void settleOther(ObjDataTyp& o, const UebEinstellungen& settings) const override {
        const Typ t = typOf(o);
        if (settings.AbfrageModus == QueryMode::TextInput &&
            (t == Typ::QueryPicture || t == Typ::TableQueryPicture || t == Typ::TableQueryText))
            o.AbfrageStatus = AbfrageStatus::Uncovered;
    }

    bool hasDistractors(const Document& document, QueryMode mode) const override {
        return m_dokTyp == DokTyp::Cloze &&
               quorvel::hasDistractors(documentSubtypeOf(document.header)) &&
               (mode == QueryMode::Free || mode == QueryMode::SinglePosition);
    }

    void order(RunContext& context) const override {
        if (textInput(context.settings().AbfrageModus))
            return;
        rulesteps::orderCards(context, false);
        rulesteps::orderTargets(context, true);
    }

    bool showsAllCards(QueryMode mode) const override { return mode != QueryMode::SingleCard; }
    bool textInput(QueryMode mode) const override { return mode == QueryMode::TextInput; }
    bool asksOnePosition(QueryMode mode) const override {
        return mode == QueryMode::SinglePosition;
    }

    void begin(RunContext& context) const override {
        if (!asksOnePosition(context.settings().AbfrageModus))
            return;
        const auto& order = context.run.AbfrageFolge;
        const auto first = std::find_if(order.begin(), order.end(), [&](const QueryPair& p) {
            return rulesteps::stateOf(context, p.target) == AbfrageStatus::Open;
        });
        context.run.AktIndex = first == order.end() ? 0 : int(first - order.begin());
    }

    bool next(RunContext& context) const override {
        const QueryMode mode = context.settings().AbfrageModus;
        if (mode == QueryMode::SingleCard)
            return rulesteps::advanceSingleCard(context);
        if (mode == QueryMode::SinglePosition)
            return rulesteps::advance(context, [&](const QueryPair& p) {
                return rulesteps::stateOf(context, p.target) == AbfrageStatus::Open;
            });
        return false;
    }

    bool present(RunContext& context) const override {
        const QueryMode mode = context.settings().AbfrageModus;
        const QueryPair& pair = context.run.AbfrageFolge[size_t(context.run.AktIndex)];
        if (mode == QueryMode::SingleCard) {
            rulesteps::showSingleCard(context);
            const QString x = quoted(normalisedText(context.displayText(pair.card)));
            if (m_dokTyp == DokTyp::Cloze)
                context.line(u"Lückentext "_s + x +
                             u" soll der richtigen Lücke zugeordnet werden"_s);
            else
                context.line(cardNoun() + u' ' + x +
                             u" soll der richtigen Position zugeordnet werden"_s);
            return true;
        }
        if (mode == QueryMode::SinglePosition) {
            const QString p = quoted(normalisedText(context.displayText(pair.target)));
            if (m_dokTyp == DokTyp::Cloze)
                context.line(u"Der Lücke "_s + p +
                             u" soll der richtige Lückentext zugeordnet werden"_s);
            else if (m_dokTyp == DokTyp::Crossword)
                context.line(u"Der Position "_s + p +
                             u" soll das richtige Buchstabenkärtchen zugeordnet werden"_s);
            else
                context.line(u"Der Position "_s + p +
                             u" soll das richtige Text- oder Bildkärtchen zugeordnet werden"_s);
            return true;
        }
        return false;
    }

    bool takesDrops(QueryMode mode) const override { return !textInput(mode); }

    void judgeDrop(RunContext& context, int entry, int target, double glidePixels) const override;

    ActionResult confirm(RunContext& context) const override {
        if (!textInput(context.settings().AbfrageModus))
            return ExerciseRules::confirm(context);
        context.run.Zielobjekt = -999;
        judgeInputs(context);
        return {};
    }

    bool judgeAtTimeOut(RunContext& context) const override {
        if (!textInput(context.settings().AbfrageModus))
            return false;
        judgeInputs(context);
        return true;
    }

private:
    QString cardNoun() const {
        return m_dokTyp == DokTyp::Crossword ? u"Buchstabenkärtchen"_s : u"Text-/Bildkärtchen"_s;
    }
    QString rightLine(QueryMode mode, const QString& x, const QString& p) const;
    QString wrongLine(QueryMode mode, const QString& x, const QString& p) const;
    void judgeInputs(RunContext& context) const;

    DokTyp m_dokTyp;
};

QString LabellingRules::rightLine(QueryMode mode, const QString& x, const QString& p) const {
    if (m_dokTyp == DokTyp::Cloze) {
        if (mode == QueryMode::SingleCard)
            return u"RICHTIG - Lückentext "_s + quoted(x) + u" wird richtig zugeordnet"_s;
        if (mode == QueryMode::SinglePosition)
            return u"RICHTIG - Der Lücke "_s + quoted(p) +
                   u" wird der richtige Lückentext zugeordnet"_s;
        return u"RICHTIG - Lückentext "_s + quoted(x) + u" wird der richtigen Lücke zugeordnet"_s;
    }
    const QString card = cardNoun();
    if (mode == QueryMode::SingleCard)
        return u"RICHTIG - "_s + card + u' ' + quoted(x) + u" wird richtig zugeordnet"_s;
    if (mode == QueryMode::SinglePosition)
        return u"RICHTIG - Der Position von "_s + quoted(p) + u" wird das richtige "_s + card +
               u" zugeordnet"_s;
    return u"RICHTIG - "_s + card + u' ' + quoted(x) + u" wird der richtigen Position zugeordnet"_s;
}

QString LabellingRules::wrongLine(QueryMode mode, const QString& x, const QString& p) const {
    const bool position = mode == QueryMode::SinglePosition;
    if (m_dokTyp == DokTyp::Cloze) {
        if (position)
            return u"FALSCH - Der Lücke "_s + quoted(p) + u" wird der Lückentext "_s + quoted(x) +
                   u" zugeordnet"_s;
        return u"FALSCH - Lückentext "_s + quoted(x) + u" wird der Lücke von "_s + quoted(p) +
               u" zugeordnet"_s;
    }
    const QString card = cardNoun();
    if (position)
        return u"FALSCH - Der Position von "_s + quoted(p) + u" wird das "_s + card + u' ' +
               quoted(x) + u" zugeordnet"_s;
    return u"FALSCH - "_s + card + u' ' + quoted(x) + u" wird der Position von "_s + quoted(p) +
           u" zugeordnet"_s;
}

void LabellingRules::judgeDrop(RunContext& context, int entry, int target,
                               double glidePixels) const {
    context.beginEvaluation();
    context.run.Zielobjekt = target;
    const UebEinstellungen& s = context.settings();
    const int card = context.run.AbfrageFolge[size_t(entry)].card;
    const QString x = normalisedText(context.displayText(card));
    const QString p = normalisedText(context.displayText(target));
    const bool singleCard = s.AbfrageModus == QueryMode::SingleCard;
    RunContext* c = &context;
    if (x == p) {
        context.line(rightLine(s.AbfrageModus, x, p));
        context.closeRight(target, false);
        context.then([c, entry] {
            c->cards[size_t(entry)] = rulesteps::usedCard(*c, false);
            c->run.Richtig += 1.0;
        });
    } else {
        context.line(wrongLine(s.AbfrageModus, x, p));
        if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            context.cards[size_t(entry)] = CardState::Removed;
            context.setState(target, AbfrageStatus::ClosedHidden);
        } else {
            const bool silent = s.ZuordnungFalsch == WrongAction::Silent;
            const bool redCross = s.ZuordnungFalsch == WrongAction::RedCross;
            if (!silent)
                context.wrongFeedback(context.feedback.FalschText);
            // The glide back takes a millisecond per two pixels of its way.
            if (!singleCard && !silent)
                context.glideBack(card, entry, glidePixels);
            if (singleCard) {
                context.wait(kWrongSettlePause);
                context.then([c, entry] { c->cards[size_t(entry)] = CardState::Hidden; });
            }
            context.then([c, entry, target, silent, redCross] {
                if (redCross)
                    c->setState(target, AbfrageStatus::ClosedWrong);
                if (silent) {
                    c->setState(target, AbfrageStatus::ClosedHidden);
                    c->cards[size_t(entry)] = CardState::Hidden;
                }
                if (!silent)
                    c->emitEvent(ExerciseEvent::Kind::FeedbackHidden);
            });
        }
        context.then([c, card, target] {
            c->document.objects[size_t(target)].ZielFehlversuche += 1;
            if (c->validIndex(card))
                c->document.objects[size_t(card)].KartFehlversuche += 1;
            c->run.Fehlversuche += 1.0;
        });
    }
    context.then([c] { c->emitEvent(ExerciseEvent::Kind::CardsChanged); });
    context.finishEvaluation();
}

void LabellingRules::judgeInputs(RunContext& context) const {
    context.beginEvaluation();
    auto& objects = context.document.objects;
    for (const QueryPair& pair : context.run.AbfrageFolge) {
        if (!context.validIndex(pair.target) || !isTextInputTyp(objects[size_t(pair.target)].Typ))
            continue;
        ObjDataTyp& t = objects[size_t(pair.target)];
        const QString typed = context.inputs[size_t(pair.target)];
        const QString p = normalisedText(context.displayText(pair.target));
        if (normalisedText(typed) == p) {
            context.line(u"RICHTIG - Texteingabe "_s + quoted(p) + u" wurde richtig eingegeben"_s);
            context.run.Richtig += 1.0;
        } else if (typOf(t) == Typ::ClozeGap && matchesAlternative(typed, t.BildKenn)) {
            context.line(u"RICHTIG - alternative Texteingabe "_s + quoted(typed) + u" für "_s +
                         quoted(p) + u" eingegeben"_s);
            context.run.Richtig += 1.0;
        } else {
            context.line(u"FALSCH - Texteingabe "_s + quoted(typed) + u" statt "_s + quoted(p) +
                         u" eingegeben"_s);
            context.run.Fehlversuche += 1.0;
            t.ZielFehlversuche += 1;
        }
    }
    for (const QueryPair& pair : context.run.AbfrageFolge)
        context.setState(pair.target, AbfrageStatus::Uncovered);
    if (context.run.Fehlversuche != 0.0) {
        context.emitEvent(ExerciseEvent::Kind::Feedback, -1, 0, false, QString());
        context.wait(kWrongPause);
    } else {
        context.rightFeedback(false);
    }
    RunContext* c = &context;
    context.then([c] { c->emitEvent(ExerciseEvent::Kind::FeedbackHidden); });
    context.finishEvaluation();
}

} // namespace

ExerciseRulesPtr labellingRules(DokTyp dokTyp) {
    return std::make_shared<LabellingRules>(dokTyp);
}

} // namespace quorvel
