// SPDX-License-Identifier: GPL-3.0-or-later
// Presenting the next query, and what the exercise panel asks of the run.
#include "answertext.h"
#include "document.h"
#include "exerciserun.h"
#include "randomgenerator.h"
#include "runrules.h"

#include <QStringList>
#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kFurtherAnswers = 5;
constexpr int kAnswerTries = 100;

} // namespace

std::vector<int> ExerciseRun::targetCandidates() const {
    std::vector<int> candidates;
    if (!running() || m_busy)
        return candidates;
    const auto& objects = m_document.objects;
    const int onlyTarget =
        isLabellingDoc(dokTyp()) && m_run.settings.AbfrageModus == QueryMode::SinglePosition
            ? currentTarget()
            : -1;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjDataTyp& o = objects[i];
        const Typ t = typOf(o);
        if (!isCardTarget(t) || o.AbfrageNummer < 0 || o.AbfrageStatus != QueryState::Open)
            continue;
        if ((t == Typ::QuestionAnswer || t == Typ::MCAnswerBox) &&
            o.FrageNummer != m_currentQuestion)
            continue;
        if (onlyTarget < 0 || int(i) == onlyTarget)
            candidates.push_back(int(i));
    }
    return candidates;
}

int ExerciseRun::targetUnder(const PageRect& card) const {
    const auto& objects = m_document.objects;
    const std::vector<int> candidates = targetCandidates();
    const double midY = (card.top + card.bottom) / 2.0;
    for (int i : candidates) {
        const PageRect& r = objects[size_t(i)].KartRect;
        if (card.left >= r.left && card.left <= r.right && midY >= r.top && midY <= r.bottom)
            return i;
    }
    for (int i : candidates) {
        const PageRect& r = objects[size_t(i)].KartRect;
        if (card.left < r.right && r.left < card.right && card.top < r.bottom &&
            r.top < card.bottom)
            return i;
    }
    return -1;
}

QString instructionText(DokTyp dokTyp, QueryMode mode) {
    const int m = int(mode);
    const auto pick = [m](std::initializer_list<const char16_t*> texts) {
        return m >= 0 && size_t(m) < texts.size() ? QString::fromUtf16(texts.begin()[m])
                                                  : QString();
    };
    switch (dokTyp) {
    case DokTyp::Cloze:
        return pick({u"Ziehe die Lückentexte an die jeweils richtige Position!",
                     u"Ziehe den Lückentext an die richtige Position!",
                     u"Ziehe den richtigen Lückentext an die markierte Position!",
                     u"Fülle die Textlücken richtig aus!"});
    case DokTyp::SingleQuestions:
        return u"Klicke auf die richtige Antwort!"_s;
    case DokTyp::MultipleChoice:
        return u"Markiere alle zutreffenden Antworten!"_s;
    case DokTyp::Cluster:
        return pick({u"Ziehe die Kärtchen in den jeweils richtigen Korb!",
                     u"Ziehe das Kärtchen in den richtigen Korb!",
                     u"Ziehe ein passendes Kärtchen an die markierte Position!"});
    case DokTyp::CrossMatching:
        return u"Klicke zusammen- gehörige Elemente nacheinander an, um diese mit einer Linie "
               u"zu verbinden!"_s;
    default:
        return pick({u"Ziehe die Kärtchen an die jeweils richtige Position!",
                     u"Ziehe das Kärtchen an die richtige Position!",
                     u"Ziehe das richtige Kärtchen an die markierte Position!"});
    }
}

void ExerciseRun::presentNext() {
    const DokTyp d = dokTyp();
    const auto& order = m_run.AbfrageFolge;
    const auto& objects = m_document.objects;
    const int n = int(order.size());
    const QueryMode mode = m_run.settings.AbfrageModus;
    const auto stateOf = [&](int index) {
        return validIndex(index) ? objects[size_t(index)].AbfrageStatus : QueryState::Covered;
    };
    const auto advance = [&](auto wanted) {
        for (int step = 1; step <= n; ++step) {
            const int e = (m_run.AktIndex + step) % n;
            if (wanted(order[size_t(e)])) {
                m_run.AktIndex = e;
                return true;
            }
        }
        return false;
    };
    if ((isLabellingDoc(d) || d == DokTyp::Cluster) && mode == QueryMode::SingleCard) {
        if (advance([&](const QueryPair& p) { return stateOf(p.card) == QueryState::Open; }))
            presentCurrent();
    } else if (isLabellingDoc(d) && mode == QueryMode::SinglePosition) {
        if (advance([&](const QueryPair& p) { return stateOf(p.target) == QueryState::Open; }))
            presentCurrent();
    } else if (d == DokTyp::SingleQuestions || d == DokTyp::MultipleChoice) {
        if (advance([&](const QueryPair& p) { return stateOf(p.target) == QueryState::Open; })) {
            m_currentQuestion = objects[size_t(order[size_t(m_run.AktIndex)].target)].FrageNummer;
            presentCurrent();
        }
    }
}

void ExerciseRun::presentCurrent() {
    const DokTyp d = dokTyp();
    const QueryMode mode = m_run.settings.AbfrageModus;
    const auto& order = m_run.AbfrageFolge;
    const int at = m_run.AktIndex;
    if (at < 0 || size_t(at) >= order.size())
        return;
    if (d == DokTyp::SingleQuestions) {
        presentQuestion();
    } else if (d == DokTyp::MultipleChoice) {
        presentMultipleChoice();
    } else if ((isLabellingDoc(d) || d == DokTyp::Cluster) && mode == QueryMode::SingleCard) {
        std::replace(m_cards.begin(), m_cards.end(), CardState::Shown, CardState::Hidden);
        m_cards[size_t(at)] = CardState::Shown;
        const QString x = quoted(normalisedText(displayText(order[size_t(at)].card)));
        switch (d) {
        case DokTyp::Cloze:
            line(u"Lückentext "_s + x + u" soll der richtigen Lücke zugeordnet werden"_s);
            break;
        case DokTyp::Cluster:
            line(u"Text-/Bildkärtchen "_s + x + u" soll dem richtigen Korb zugeordnet werden"_s);
            break;
        case DokTyp::Crossword:
            line(u"Buchstabenkärtchen "_s + x +
                 u" soll der richtigen Position zugeordnet werden"_s);
            break;
        default:
            line(u"Text-/Bildkärtchen "_s + x +
                 u" soll der richtigen Position zugeordnet werden"_s);
            break;
        }
    } else if (isLabellingDoc(d) && mode == QueryMode::SinglePosition) {
        const QString p = quoted(normalisedText(displayText(order[size_t(at)].target)));
        switch (d) {
        case DokTyp::Cloze:
            line(u"Der Lücke "_s + p + u" soll der richtige Lückentext zugeordnet werden"_s);
            break;
        case DokTyp::Crossword:
            line(u"Der Position "_s + p +
                 u" soll das richtige Buchstabenkärtchen zugeordnet werden"_s);
            break;
        default:
            line(u"Der Position "_s + p +
                 u" soll das richtige Text- oder Bildkärtchen zugeordnet werden"_s);
            break;
        }
    } else {
        return;
    }
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    emitEvent(ExerciseEvent::Kind::QueryPresented, order[size_t(at)].target);
}

void ExerciseRun::presentQuestion() {
    const auto& order = m_run.AbfrageFolge;
    const auto& objects = m_document.objects;
    const int n = int(order.size());
    const int target = order[size_t(m_run.AktIndex)].target;
    std::replace(m_cards.begin(), m_cards.end(), CardState::Shown, CardState::Hidden);
    std::fill(m_slots.begin(), m_slots.end(), -1);
    QStringList shownTexts;
    std::vector<int> shown;
    const auto show = [&](int e) {
        m_cards[size_t(e)] = CardState::Shown;
        shown.push_back(e);
        shownTexts << normalisedText(displayText(order[size_t(e)].card));
    };
    int rightEntry = entryOfCard(target, false);
    if (rightEntry < 0)
        rightEntry = m_run.AktIndex;
    show(rightEntry);
    for (int k = 0; k < kFurtherAnswers; ++k) {
        for (int attempt = 0; attempt < kAnswerTries; ++attempt) {
            const int e = m_random.bounded(n);
            if (m_cards[size_t(e)] != CardState::Hidden ||
                shownTexts.contains(normalisedText(displayText(order[size_t(e)].card))))
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
        if (m_run.settings.Zuordnungstexte == CardOrder::Random)
            pick = size_t(m_random.bounded(int(freeSlots.size())));
        m_slots[size_t(e)] = freeSlots[pick];
        freeSlots.erase(freeSlots.begin() + std::ptrdiff_t(pick));
    }
    std::sort(shown.begin(), shown.end(),
              [this](int a, int b) { return m_slots[size_t(a)] < m_slots[size_t(b)]; });
    QString question;
    for (const ObjDataTyp& o : objects) {
        if (typOf(o) == Typ::QuestionText && o.FrageNummer == m_currentQuestion) {
            question = normalisedText(o.Cap);
            break;
        }
    }
    QStringList answers;
    for (int e : shown) {
        QString answer = quoted(normalisedText(displayText(order[size_t(e)].card)));
        if (e == rightEntry)
            answer += u" (Lösung)"_s;
        answers << answer;
    }
    line(QString(), false);
    line(u"Frage Nr. "_s + QString::number(m_currentQuestion) + u"\r\n"_s + question);
    line(u"Antwortmöglichkeiten: "_s + answers.join(u", "_s));
}

void ExerciseRun::presentMultipleChoice() {
    const auto& objects = m_document.objects;
    std::vector<int> boxes;
    QString question;
    bool picture = false;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjDataTyp& o = objects[i];
        if (typOf(o) == Typ::MCAnswerBox) {
            m_ticks[i] = 0;
            if (o.FrageNummer == m_currentQuestion)
                boxes.push_back(int(i));
        } else if (typOf(o) == Typ::MCQuestionText && o.FrageNummer == m_currentQuestion) {
            question = normalisedText(o.Cap);
        } else if (typOf(o) == Typ::MCQuestionPicture && o.FrageNummer == m_currentQuestion) {
            picture = true;
        }
    }
    std::stable_sort(boxes.begin(), boxes.end(),
                     [this](int a, int b) { return answerPlace(a) < answerPlace(b); });
    QStringList answers;
    for (int box : boxes) {
        QString answer =
            quoted(normalisedText(validIndex(box + 1) ? objects[size_t(box + 1)].Cap : QString()));
        if (objects[size_t(box)].Cap == u"+"_s)
            answer += u" (zutreffend)"_s;
        answers << answer;
    }
    line(QString(), false);
    line(u"Frage Nr. "_s + QString::number(m_currentQuestion) + u"\r\n"_s + question +
         (picture ? u" (Bild)"_s : QString()));
    line(u"Antwortmöglichkeiten: "_s + answers.join(u", "_s));
}

} // namespace quorvel
