// SPDX-License-Identifier: GPL-3.0-or-later
// Cluster (cards dropped into baskets) and cross matching (elements clicked
// in pairs).
#include "answertext.h"
#include "clusterlayout.h"
#include "document.h"
#include "exerciserules.h"
#include "runrules.h"

#include <QHash>
#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWrongSettlePause = 900;

// Labels and pictures of these pages are no queries: they stay shown.
void uncoverLabels(ObjDataTyp& o) {
    const Typ t = typOf(o);
    if (t == Typ::QueryLabel || t == Typ::QueryPicture)
        o.AbfrageStatus = AbfrageStatus::Uncovered;
}

class ClusterRules final : public ExerciseRules {
public:
    bool isQuery(int typ, QueryMode) const override {
        return typ == codeOf(Typ::ClusterQueryText) || typ == codeOf(Typ::ClusterQueryPicture);
    }
    QString instruction(QueryMode mode) const override {
        switch (mode) {
        case QueryMode::Free:
            return u"Ziehe die Kärtchen in den jeweils richtigen Korb!"_s;
        case QueryMode::SingleCard:
            return u"Ziehe das Kärtchen in den richtigen Korb!"_s;
        case QueryMode::SinglePosition:
            return u"Ziehe ein passendes Kärtchen an die markierte Position!"_s;
        case QueryMode::TextInput:
            break;
        }
        return {};
    }
    void settleOther(ObjDataTyp& o, const UebEinstellungen&) const override { uncoverLabels(o); }
    void order(RunContext& context) const override {
        rulesteps::orderCards(context, false);
        rulesteps::orderTargets(context, true);
    }
    // The cells the open cards belong in are free, the others taken.
    void prepareTargets(RunContext& context) const override {
        const auto& objects = context.document.objects;
        for (size_t i = 0; i < objects.size(); ++i) {
            const ObjDataTyp& o = objects[i];
            if (!isQuery(o.Typ, context.settings().AbfrageModus) || o.CellRow < 0 ||
                o.CellRow >= kGapTableMaxRows || o.CellColumn < 0 ||
                o.CellColumn >= kGapTableMaxColumns)
                continue;
            const size_t cell = size_t(o.CellRow * kGapTableMaxColumns + o.CellColumn);
            context.cellCard[cell] = int(i);
            context.occupant[cell] = o.AbfrageStatus == AbfrageStatus::Open ? -1 : int(i);
        }
    }
    bool showsAllCards(QueryMode mode) const override { return mode != QueryMode::SingleCard; }
    bool next(RunContext& context) const override {
        return context.settings().AbfrageModus == QueryMode::SingleCard &&
               rulesteps::advanceSingleCard(context);
    }
    bool present(RunContext& context) const override {
        if (context.settings().AbfrageModus != QueryMode::SingleCard)
            return false;
        rulesteps::showSingleCard(context);
        const int card = context.run.AbfrageFolge[size_t(context.run.AktIndex)].card;
        context.line(u"Text-/Bildkärtchen "_s + quoted(normalisedText(context.displayText(card))) +
                     u" soll dem richtigen Korb zugeordnet werden"_s);
        return true;
    }
    bool hasBaskets() const override { return true; }
    void judgeBasket(RunContext& context, int entry, int basket, double glidePixels) const override;

private:
    void closeWrongAtEnd(RunContext& context, int entry, const QString& text) const;
};

// With feedback at the end a wrong card is used up and closes an open place
// of its own text: its own when still open, else the one a card of the same
// text took from it. So one place closes per card and the last card closes
// the last place.
void ClusterRules::closeWrongAtEnd(RunContext& context, int entry, const QString& text) const {
    const int card = context.run.AbfrageFolge[size_t(entry)].card;
    int closed = -1;
    size_t cell = context.occupant.size();
    const auto& objects = context.document.objects;
    for (size_t at = 0; at < context.cellCard.size(); ++at) {
        const int owner = context.cellCard[at];
        if (owner < 0 || context.occupant[at] >= 0 || !context.validIndex(owner) ||
            objects[size_t(owner)].AbfrageStatus != AbfrageStatus::Open)
            continue;
        if (owner == card) {
            closed = owner;
            cell = at;
            break;
        }
        if (closed < 0 && normalisedText(context.displayText(owner)) == text) {
            closed = owner;
            cell = at;
        }
    }
    if (closed < 0)
        closed = card;
    else
        context.occupant[cell] = card;
    context.run.Zielobjekt = closed;
    context.cards[size_t(entry)] = CardState::Removed;
    context.setState(closed, AbfrageStatus::ClosedHidden);
    context.document.objects[size_t(closed)].ZielFehlversuche += 1;
    context.document.objects[size_t(card)].KartFehlversuche += 1;
    context.run.Fehlversuche += 1.0;
}

void ClusterRules::judgeBasket(RunContext& context, int entry, int basket,
                               double glidePixels) const {
    context.beginEvaluation();
    const UebEinstellungen& s = context.settings();
    const auto& header = context.document.header;
    const int card = context.run.AbfrageFolge[size_t(entry)].card;
    const QString x = normalisedText(context.displayText(card));
    const int column = basket - 1;
    const int rows = std::clamp(header.LueckenTabelleZeilen, 0, kGapTableMaxRows);
    int hit = -1;
    for (int row = 0; row < rows && hit < 0; ++row) {
        const auto& cell = header.LueckenTabelle[size_t(row)][size_t(column)];
        const size_t at = size_t(row * kGapTableMaxColumns + column);
        const QString expected = clusterCellCaption(cell);
        if ((cell.Art == codeOf(CardCellKind::QueryText) ||
             cell.Art == codeOf(CardCellKind::QueryPicture)) &&
            !expected.trimmed().isEmpty() && context.occupant[at] < 0 &&
            normalisedText(expected) == x)
            hit = int(at);
    }
    const bool singleCard = s.AbfrageModus == QueryMode::SingleCard;
    const bool lines = s.AbfrageModus != QueryMode::SinglePosition;
    RunContext* c = &context;
    if (hit >= 0) {
        context.occupant[size_t(hit)] = card;
        const int target =
            context.cellCard[size_t(hit)] >= 0 ? context.cellCard[size_t(hit)] : card;
        context.run.Zielobjekt = target;
        if (lines)
            context.line(u"RICHTIG - Text-/Bildkärtchen "_s + quoted(x) +
                         u" wird dem richtigen Korb zugeordnet"_s);
        context.closeRight(target, false);
        context.then([c, entry] {
            c->cards[size_t(entry)] = rulesteps::usedCard(*c, false);
            c->run.Richtig += 1.0;
        });
    } else if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
        if (lines)
            context.line(u"FALSCH - Text-/Bildkärtchen "_s + quoted(x) +
                         u" wird dem falschen Korb zugeordnet"_s);
        closeWrongAtEnd(context, entry, x);
    } else {
        context.run.Zielobjekt = card;
        if (lines)
            context.line(u"FALSCH - Text-/Bildkärtchen "_s + quoted(x) +
                         u" wird dem falschen Korb zugeordnet"_s);
        context.wrongFeedback(context.feedback.FalschText);
        if (singleCard) {
            context.wait(kWrongSettlePause);
            context.then([c, entry] { c->cards[size_t(entry)] = CardState::Hidden; });
        } else {
            context.glideBack(card, entry, glidePixels);
        }
        context.then([c, card] {
            c->emitEvent(ExerciseEvent::Kind::FeedbackHidden);
            c->document.objects[size_t(card)].ZielFehlversuche += 1;
            c->document.objects[size_t(card)].KartFehlversuche += 1;
            c->run.Fehlversuche += 1.0;
        });
    }
    context.then([c] { c->emitEvent(ExerciseEvent::Kind::CardsChanged); });
    context.finishEvaluation();
}

class CrossMatchingRules final : public ExerciseRules {
public:
    explicit CrossMatchingRules(MatchingLayout layout) : m_layout(std::move(layout)) {}

    bool isQuery(int typ, QueryMode) const override {
        return typ == codeOf(Typ::MatchingQueryText) || typ == codeOf(Typ::MatchingQueryPicture);
    }
    QString instruction(QueryMode) const override {
        return u"Klicke zusammen- gehörige Elemente nacheinander an, um diese mit einer Linie "
               u"zu verbinden!"_s;
    }
    bool countsPairs() const override { return true; }
    int openQueries(Document& document, const UebEinstellungen& settings,
                    RepetitionMode mode) const override;
    void settleOther(ObjDataTyp& o, const UebEinstellungen&) const override { uncoverLabels(o); }
    void layOut(Document& document, bool exercise, RandomGenerator& random) const override {
        if (m_layout)
            m_layout(document, exercise, random);
    }
    void order(RunContext&) const override {} // the layout has shuffled the elements
    AbfrageStatus targetState() const override { return AbfrageStatus::MatchingElement; }
    bool showsAllCards(QueryMode) const override { return true; }
    // Pairs are counted as they are made.
    void countOpen(RunContext& context, bool atStart) const override {
        if (atStart)
            context.run.OffenAnz = int(context.run.AbfrageFolge.size()) / 2;
    }
    bool next(RunContext&) const override { return false; }
    bool present(RunContext&) const override { return false; }
    ActionResult click(RunContext& context, int object) const override;
    // The element selected second, or the first when the second belongs to a question.
    int reportedObject(const RunContext& context) const override {
        const int reported = context.run.Zielobjekt;
        if (context.validIndex(reported) &&
            context.document.objects[size_t(reported)].FrageNummer > 0)
            return context.run.Zweitobjekt;
        return reported;
    }

private:
    void judge(RunContext& context, int first, int second) const;
    // Feedback at the end: both elements close without a visible result and
    // take no further click; the end shows what they were.
    static void useUpPair(RunContext& context, int first, int second) {
        for (int i : {first, second}) {
            context.cards[size_t(context.entryOfCard(i, false))] = CardState::Removed;
            context.setState(i, AbfrageStatus::ClosedHidden);
        }
    }

    MatchingLayout m_layout;
};

int CrossMatchingRules::openQueries(Document& document, const UebEinstellungen& settings,
                                    RepetitionMode mode) const {
    auto& objects = document.objects;
    // An element is right only with the other element of its pair key; when
    // that one is static (it takes no click) the pair can never be made, so
    // the element is not asked; otherwise its pair would stay open and the
    // run could never end.
    QHash<QString, int> keyCount;
    for (const ObjDataTyp& o : objects)
        if (isQuery(o.Typ, settings.AbfrageModus))
            ++keyCount[o.BildKenn];
    int total = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        ObjDataTyp& o = objects[i];
        if (!isQuery(o.Typ, settings.AbfrageModus))
            continue;
        if (keyCount.value(o.BildKenn) < 2) {
            o.AbfrageStatus = AbfrageStatus::Uncovered;
            continue;
        }
        ++total;
        if (o.AbfrageStatus == AbfrageStatus::Open)
            continue; // opened as a partner already
        const bool open = rulesteps::opensAgain(o, mode);
        o.AbfrageStatus = open ? AbfrageStatus::Open : AbfrageStatus::Uncovered;
        if (open && o.Partner >= 0 && size_t(o.Partner) < objects.size() && size_t(o.Partner) != i)
            objects[size_t(o.Partner)].AbfrageStatus = AbfrageStatus::Open;
    }
    return total;
}

ActionResult CrossMatchingRules::click(RunContext& context, int object) const {
    const int entry = context.entryOfCard(object, true);
    if (entry < 0 ||
        context.document.objects[size_t(object)].AbfrageStatus != AbfrageStatus::MatchingElement)
        return ActionResult::refused(u"object %1 is no element taking part"_s.arg(object));
    const int first = context.run.Zweitobjekt;
    const int firstEntry = first >= 0 ? context.entryOfCard(first, true) : -1;
    if (firstEntry < 0 || (firstEntry % 2) == (entry % 2)) {
        context.run.Zweitobjekt = object; // selects, or moves the selection within its column
        context.emitEvent(ExerciseEvent::Kind::ObjectChanged, object);
        return {};
    }
    context.run.Zielobjekt = object;
    judge(context, first, object);
    return {};
}

void CrossMatchingRules::judge(RunContext& context, int first, int second) const {
    context.beginEvaluation();
    auto& objects = context.document.objects;
    const ObjDataTyp& a = objects[size_t(first)];
    const ObjDataTyp& b = objects[size_t(second)];
    const QString x = normalisedText(context.displayText(first));
    const QString p = normalisedText(context.displayText(second));
    const bool right = a.BildKenn.isEmpty() ? (a.Partner == second || b.Partner == first)
                                            : a.BildKenn == b.BildKenn;
    RunContext* c = &context;
    if (right) {
        context.run.OffenAnz -= 1;
        context.line(u"RICHTIG - "_s + quoted(x) + u" wird mit "_s + quoted(p) + u" verbunden"_s);
        if (context.settings().RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            useUpPair(context, first, second);
        } else {
            if (context.settings().ZuordnungRichtig != RightAction::Silent)
                context.rightFeedback(false);
            context.then([c, first, second] {
                auto& objects = c->document.objects;
                c->cards[size_t(c->entryOfCard(first, false))] = CardState::Removed;
                c->cards[size_t(c->entryOfCard(second, false))] = CardState::Removed;
                // The element further right draws the connection.
                ObjDataTyp& a = objects[size_t(first)];
                ObjDataTyp& b = objects[size_t(second)];
                (b.Kx > a.Kx ? b : a).Sline = 5;
                c->setState(first, AbfrageStatus::Uncovered);
                c->setState(second, AbfrageStatus::Uncovered);
                c->emitEvent(ExerciseEvent::Kind::FeedbackHidden);
            });
        }
        context.then([c] { c->run.Richtig += 1.0; });
    } else if (context.settings().RiFaRueckmeldung == FeedbackTiming::AtEnd) {
        // A wrong line uses its two elements up as well: their partners are
        // left to be joined with each other, so the run still comes to an end.
        context.line(u"FALSCH - "_s + quoted(x) + u" wird mit "_s + quoted(p) + u" verbunden"_s);
        context.run.OffenAnz -= 1;
        useUpPair(context, first, second);
        for (int i : {first, second}) {
            objects[size_t(i)].ZielFehlversuche += 1;
            objects[size_t(i)].KartFehlversuche += 1;
        }
        context.run.Fehlversuche += 1.0;
    } else {
        context.line(u"FALSCH - "_s + quoted(x) + u" wird mit "_s + quoted(p) + u" verbunden"_s);
        if (context.settings().ZuordnungFalsch != WrongAction::Silent)
            context.wrongFeedback(context.feedback.FalschText);
        context.wait(kWrongSettlePause);
        context.then([c, first, second] {
            c->emitEvent(ExerciseEvent::Kind::FeedbackHidden);
            for (int i : {first, second}) {
                c->document.objects[size_t(i)].ZielFehlversuche += 1;
                c->document.objects[size_t(i)].KartFehlversuche += 1;
            }
            c->run.Fehlversuche += 1.0;
        });
    }
    context.then([c] { c->emitEvent(ExerciseEvent::Kind::CardsChanged); });
    context.finishEvaluation();
}

} // namespace

ExerciseRulesPtr clusterRules() {
    return std::make_shared<ClusterRules>();
}

ExerciseRulesPtr crossMatchingRules(MatchingLayout layout) {
    return std::make_shared<CrossMatchingRules>(std::move(layout));
}

} // namespace quorvel
