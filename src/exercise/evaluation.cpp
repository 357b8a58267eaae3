// SPDX-License-Identifier: GPL-3.0-or-later
// The actions of a running exercise and their evaluation.
#include "answertext.h"
#include "clusterlayout.h"
#include "document.h"
#include "exerciseclock.h"
#include "exerciserun.h"
#include "randomgenerator.h"
#include "rounding.h"
#include "runrules.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kRightPause = 750;
constexpr int kQuestionRightPause = 500;
constexpr int kWrongPause = 100;
constexpr int kWrongSettlePause = 900;
constexpr int kTickCounterPause = 1900;
constexpr int kMaxInput = 255;

// Points that open during an exercise: info, link, document and picture
// links only when the author allowed it, the question's info and link
// buttons always.
bool reactsInExercise(const ObjDataTyp& o) {
    switch (typOf(o)) {
    case Typ::InfoPoint:
    case Typ::ExternalLink:
    case Typ::DocumentLink:
    case Typ::PictureLink:
    case Typ::TablePictureLink:
        return o.PunktInUebung != 0;
    case Typ::MCInfoPoint:
    case Typ::MCLinkPoint:
        return true;
    default:
        return false;
    }
}

} // namespace

// --- the lines -------------------------------------------------------------

QString ExerciseRun::rightLine(const QString& x, const QString& p) const {
    const DokTyp d = dokTyp();
    const QueryMode mode = m_run.settings.AbfrageModus;
    if (d == DokTyp::Cloze) {
        if (mode == QueryMode::SingleCard)
            return u"RICHTIG - Lückentext "_s + quoted(x) + u" wird richtig zugeordnet"_s;
        if (mode == QueryMode::SinglePosition)
            return u"RICHTIG - Der Lücke "_s + quoted(p) +
                   u" wird der richtige Lückentext zugeordnet"_s;
        return u"RICHTIG - Lückentext "_s + quoted(x) + u" wird der richtigen Lücke zugeordnet"_s;
    }
    const QString card = d == DokTyp::Crossword ? u"Buchstabenkärtchen"_s : u"Text-/Bildkärtchen"_s;
    if (mode == QueryMode::SingleCard)
        return u"RICHTIG - "_s + card + u' ' + quoted(x) + u" wird richtig zugeordnet"_s;
    if (mode == QueryMode::SinglePosition)
        return u"RICHTIG - Der Position von "_s + quoted(p) + u" wird das richtige "_s + card +
               u" zugeordnet"_s;
    return u"RICHTIG - "_s + card + u' ' + quoted(x) + u" wird der richtigen Position zugeordnet"_s;
}

QString ExerciseRun::wrongLine(const QString& x, const QString& p) const {
    const DokTyp d = dokTyp();
    const bool position = m_run.settings.AbfrageModus == QueryMode::SinglePosition;
    if (d == DokTyp::Cloze) {
        if (position)
            return u"FALSCH - Der Lücke "_s + quoted(p) + u" wird der Lückentext "_s + quoted(x) +
                   u" zugeordnet"_s;
        return u"FALSCH - Lückentext "_s + quoted(x) + u" wird der Lücke von "_s + quoted(p) +
               u" zugeordnet"_s;
    }
    const QString card = d == DokTyp::Crossword ? u"Buchstabenkärtchen"_s : u"Text-/Bildkärtchen"_s;
    if (position)
        return u"FALSCH - Der Position von "_s + quoted(p) + u" wird das "_s + card + u' ' +
               quoted(x) + u" zugeordnet"_s;
    return u"FALSCH - "_s + card + u' ' + quoted(x) + u" wird der Position von "_s + quoted(p) +
           u" zugeordnet"_s;
}

// --- feedback ----------------------------------------------------------------

void ExerciseRun::rightFeedback(bool question) {
    emitEvent(ExerciseEvent::Kind::Feedback, -1, 0, true, m_feedback.RichtigText);
    pause(kRightPause);
    if (question && m_run.settings.ZuordnungFalsch != WrongAction::Silent)
        pause(kQuestionRightPause);
}

void ExerciseRun::wrongFeedback(const QString& message) {
    emitEvent(ExerciseEvent::Kind::Feedback, -1, 0, false, message);
    pause(kWrongPause);
}

void ExerciseRun::closeRight(int target, bool question) {
    if (m_run.settings.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
        setState(target, QueryState::ClosedHidden);
        return;
    }
    if (m_run.settings.ZuordnungRichtig != RightAction::Silent)
        rightFeedback(question);
    setState(target, rightState());
    emitEvent(ExerciseEvent::Kind::FeedbackHidden);
}

int ExerciseRun::rightState() const {
    switch (m_run.settings.ZuordnungRichtig) {
    case RightAction::GreenTick:
        return QueryState::SolvedTick;
    case RightAction::Silent:
        return QueryState::ClosedHidden;
    case RightAction::ShowLabel:
        break;
    }
    return QueryState::Solved;
}

void ExerciseRun::glideBack(int card, int entry, double pixels) {
    // A millisecond per two pixels of the way back; less than a pixel goes at once.
    const int ms = pixels >= 1.0 ? rnd(std::min(pixels, 1e6) / 2.0) : 0;
    if (m_listener)
        m_listener({ExerciseEvent::Kind::Glide, card, entry, ms, false, {}});
    m_clock.pause(ms);
}

// --- actions -------------------------------------------------------------------

ActionResult ExerciseRun::drop(int card, int target, double glidePixels) {
    const DokTyp d = dokTyp();
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (m_busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    if (!isLabellingDoc(d) || textInputMode())
        return ActionResult::refused(u"this exercise has no cards to drop on positions"_s);
    const int entry = entryOfCard(card, true);
    if (entry < 0)
        return ActionResult::refused(u"object %1 is no card in the card column"_s.arg(card));
    if (target < 0)
        return {}; // released over nothing: the card stays where it was dropped
    if (!validIndex(target))
        return ActionResult::refused(u"object %1 does not exist"_s.arg(target));
    const ObjDataTyp& t = m_document.objects[size_t(target)];
    const bool candidate =
        isCardTarget(typOf(t)) && t.AbfrageNummer >= 0 && t.AbfrageStatus == QueryState::Open &&
        (m_run.settings.AbfrageModus != QueryMode::SinglePosition || target == currentTarget());
    if (!candidate)
        return ActionResult::refused(u"object %1 is no open position"_s.arg(target));
    evaluateCard(entry, target, glidePixels);
    return {};
}

ActionResult ExerciseRun::dropInBasket(int card, int basket, double glidePixels) {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (m_busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    if (dokTyp() != DokTyp::Cluster)
        return ActionResult::refused(u"this exercise has no baskets"_s);
    const int entry = entryOfCard(card, true);
    if (entry < 0)
        return ActionResult::refused(u"object %1 is no card in the card column"_s.arg(card));
    const int columns = std::clamp(m_document.header.LueckenTabelleSpalten, 0, kGapTableMaxColumns);
    if (basket < 1 || basket > columns)
        return ActionResult::refused(u"there is no basket %1"_s.arg(basket));
    evaluateCluster(entry, basket, glidePixels);
    return {};
}

ActionResult ExerciseRun::click(int object) {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (m_busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    const DokTyp d = dokTyp();
    if (validIndex(object) && reactsInExercise(m_document.objects[size_t(object)])) {
        // Opens as in the learning view; the run itself does not change.
        emitEvent(ExerciseEvent::Kind::PointOpened, object);
        return {};
    }
    if (d == DokTyp::SingleQuestions) {
        const int entry = entryOfCard(object, true);
        if (entry < 0)
            return ActionResult::refused(u"object %1 is no answer shown now"_s.arg(object));
        evaluateQuestion(entry);
        return {};
    }
    if (d != DokTyp::CrossMatching)
        return ActionResult::refused(u"this exercise has nothing to click"_s);
    const int entry = entryOfCard(object, true);
    if (entry < 0 ||
        m_document.objects[size_t(object)].AbfrageStatus != QueryState::MatchingElement)
        return ActionResult::refused(u"object %1 is no element taking part"_s.arg(object));
    const int first = m_run.Zweitobjekt;
    const int firstEntry = first >= 0 ? entryOfCard(first, true) : -1;
    if (firstEntry < 0 || (firstEntry % 2) == (entry % 2)) {
        m_run.Zweitobjekt = object; // selects, or moves the selection within its column
        emitEvent(ExerciseEvent::Kind::ObjectChanged, object);
        return {};
    }
    m_run.Zielobjekt = object;
    evaluateMatching(first, object);
    return {};
}

ActionResult ExerciseRun::tick(int box) {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (dokTyp() != DokTyp::MultipleChoice || !validIndex(box) ||
        typOf(m_document.objects[size_t(box)]) != Typ::MCAnswerBox ||
        m_document.objects[size_t(box)].FrageNummer != m_currentQuestion)
        return ActionResult::refused(u"object %1 is no tick box of this question"_s.arg(box));
    if (m_busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    m_ticks[size_t(box)] = m_ticks[size_t(box)] ? 0 : 1;
    emitEvent(ExerciseEvent::Kind::ObjectChanged, box);
    return {};
}

ActionResult ExerciseRun::weiter() {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (m_busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    if (textInputMode()) {
        m_run.Zielobjekt = -999;
        evaluateInputs();
        return {};
    }
    if (dokTyp() != DokTyp::MultipleChoice)
        return ActionResult::refused(u"this exercise has no \"Weiter\" button"_s);
    evaluateMultipleChoice();
    return {};
}

ActionResult ExerciseRun::type(int target, const QString& text) {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (!textInputMode())
        return ActionResult::refused(u"this exercise has no input fields"_s);
    if (entryOfCard(target, true) < 0 || !isTextInputTyp(m_document.objects[size_t(target)].Typ))
        return ActionResult::refused(u"object %1 has no input field"_s.arg(target));
    m_inputs[size_t(target)] = text.left(kMaxInput);
    return {};
}

// --- evaluation ---------------------------------------------------------------

void ExerciseRun::evaluateCard(int entry, int target, double glidePixels) {
    m_busy = true;
    m_run.Zielobjekt = target;
    const UebEinstellungen& s = m_run.settings;
    const int card = m_run.AbfrageFolge[size_t(entry)].card;
    const QString x = normalisedText(displayText(card));
    const QString p = normalisedText(displayText(target));
    const bool singleCard = s.AbfrageModus == QueryMode::SingleCard;
    if (x == p) {
        line(rightLine(x, p));
        closeRight(target, false);
        m_cards[size_t(entry)] = singleCard ? CardState::Hidden : CardState::Removed;
        m_run.Richtig += 1.0;
    } else {
        line(wrongLine(x, p));
        if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            m_cards[size_t(entry)] = CardState::Removed;
            setState(target, QueryState::ClosedHidden);
        } else {
            const bool silent = s.ZuordnungFalsch == WrongAction::Silent;
            if (!silent)
                wrongFeedback(m_feedback.FalschText);
            if (!singleCard && !silent) {
                // The glide back takes a millisecond per two pixels of its way.
                glideBack(card, entry, glidePixels);
            }
            if (singleCard) {
                pause(kWrongSettlePause);
                m_cards[size_t(entry)] = CardState::Hidden;
            }
            if (s.ZuordnungFalsch == WrongAction::RedCross)
                setState(target, QueryState::ClosedWrong);
            if (silent) {
                setState(target, QueryState::ClosedHidden);
                m_cards[size_t(entry)] = CardState::Hidden;
            }
            if (!silent)
                emitEvent(ExerciseEvent::Kind::FeedbackHidden);
        }
        m_document.objects[size_t(target)].ZielFehlversuche += 1;
        if (validIndex(card))
            m_document.objects[size_t(card)].KartFehlversuche += 1;
        m_run.Fehlversuche += 1.0;
    }
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    afterEvaluation();
}

void ExerciseRun::evaluateCluster(int entry, int basket, double glidePixels) {
    m_busy = true;
    const UebEinstellungen& s = m_run.settings;
    const int card = m_run.AbfrageFolge[size_t(entry)].card;
    const QString x = normalisedText(displayText(card));
    const int column = basket - 1;
    const int rows = std::clamp(m_document.header.LueckenTabelleZeilen, 0, kGapTableMaxRows);
    int hit = -1;
    for (int row = 0; row < rows && hit < 0; ++row) {
        const auto& cell = m_document.header.LueckenTabelle[size_t(row)][size_t(column)];
        const size_t at = size_t(row * kGapTableMaxColumns + column);
        const QString expected = clusterCellCaption(cell);
        if ((cell.Art == 1 || cell.Art == 3) && !expected.trimmed().isEmpty() &&
            m_occupant[at] < 0 && normalisedText(expected) == x)
            hit = int(at);
    }
    const bool singleCard = s.AbfrageModus == QueryMode::SingleCard;
    const bool lines = s.AbfrageModus != QueryMode::SinglePosition;
    if (hit >= 0) {
        m_occupant[size_t(hit)] = card;
        const int target = m_cellCard[size_t(hit)] >= 0 ? m_cellCard[size_t(hit)] : card;
        m_run.Zielobjekt = target;
        if (lines)
            line(u"RICHTIG - Text-/Bildkärtchen "_s + quoted(x) +
                 u" wird dem richtigen Korb zugeordnet"_s);
        closeRight(target, false);
        m_cards[size_t(entry)] = singleCard ? CardState::Hidden : CardState::Removed;
        m_run.Richtig += 1.0;
    } else {
        m_run.Zielobjekt = card;
        if (lines)
            line(u"FALSCH - Text-/Bildkärtchen "_s + quoted(x) +
                 u" wird dem falschen Korb zugeordnet"_s);
        wrongFeedback(m_feedback.FalschText);
        if (singleCard) {
            pause(kWrongSettlePause);
            m_cards[size_t(entry)] = CardState::Hidden;
        } else {
            glideBack(card, entry, glidePixels);
        }
        emitEvent(ExerciseEvent::Kind::FeedbackHidden);
        m_document.objects[size_t(card)].ZielFehlversuche += 1;
        m_document.objects[size_t(card)].KartFehlversuche += 1;
        m_run.Fehlversuche += 1.0;
    }
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    afterEvaluation();
}

void ExerciseRun::evaluateQuestion(int entry) {
    m_busy = true;
    const UebEinstellungen& s = m_run.settings;
    const int target = m_run.AbfrageFolge[size_t(m_run.AktIndex)].target;
    m_run.Zielobjekt = target;
    const int card = m_run.AbfrageFolge[size_t(entry)].card;
    const QString x = normalisedText(displayText(card));
    const bool right = validIndex(target) && x == normalisedText(displayText(target));
    const auto hideAnswers = [this] {
        std::replace(m_cards.begin(), m_cards.end(), CardState::Shown, CardState::Hidden);
        std::fill(m_slots.begin(), m_slots.end(), -1);
    };
    if (right) {
        line(u"RICHTIG - Gewählte Antwort: "_s + quoted(x));
        closeRight(target, true);
        hideAnswers();
        m_run.Richtig += 1.0;
    } else {
        line(u"FALSCH - Gewählte Antwort: "_s + quoted(x));
        if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            setState(target, QueryState::ClosedHidden);
        } else {
            const bool silent = s.ZuordnungFalsch == WrongAction::Silent;
            if (!silent)
                wrongFeedback(m_feedback.FalschText);
            if (s.ZuordnungFalsch != WrongAction::TryAgain)
                setState(target, QueryState::QuestionClosedWrong);
            if (!silent)
                pause(kWrongSettlePause);
            if (!silent)
                emitEvent(ExerciseEvent::Kind::FeedbackHidden);
        }
        hideAnswers();
        if (validIndex(target))
            m_document.objects[size_t(target)].ZielFehlversuche += 1;
        m_run.Fehlversuche += 1.0;
    }
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    afterEvaluation();
}

void ExerciseRun::evaluateMultipleChoice() {
    m_busy = true;
    const UebEinstellungen& s = m_run.settings;
    const int target = m_run.AbfrageFolge[size_t(m_run.AktIndex)].target;
    m_run.Zielobjekt = target;
    const auto& objects = m_document.objects;
    // The boxes of the question in the order they are shown.
    std::vector<int> boxes;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (typOf(objects[i]) == Typ::MCAnswerBox && objects[i].FrageNummer == m_currentQuestion)
            boxes.push_back(int(i));
    }
    std::stable_sort(boxes.begin(), boxes.end(),
                     [this](int a, int b) { return answerPlace(a) < answerPlace(b); });
    int c = 0, r = 0, f = 0, m = 0;
    QStringList chosen;
    for (int box : boxes) {
        const bool correct = objects[size_t(box)].Cap == u"+"_s;
        const bool on = ticked(box);
        c += correct;
        r += correct && on;
        f += !correct && on;
        m += correct && !on;
        if (on)
            chosen << quoted(
                normalisedText(validIndex(box + 1) ? objects[size_t(box + 1)].Cap : QString()));
    }
    const QString list = chosen.isEmpty() ? u"- keine -"_s : chosen.join(u", "_s);
    const QString ticks =
        u"Häkchen - richtig: %1 - falsch: %2 - fehlend: %3"_s.arg(r).arg(f).arg(m);
    const auto hideBoxes = [this] { emitEvent(ExerciseEvent::Kind::CardsChanged); };
    if (f + m == 0) {
        line(u"RICHTIG - Gewählte Antwort(en): "_s + list);
        line(ticks);
        closeRight(target, true);
        hideBoxes();
        m_run.Richtig += 1.0;
    } else {
        line(u"FALSCH bzw. NICHT KOMPLETT RICHTIG - Gewählte Antwort(en): "_s + list);
        line(ticks);
        if (s.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            setState(target, QueryState::ClosedHidden);
        } else {
            const bool silent = s.ZuordnungFalsch == WrongAction::Silent;
            if (!silent) {
                const QString counters =
                    c > 0 ? u"%1 %2\n%3 %4\n%5 %6"_s.arg(m_feedback.MCRichtigText)
                                .arg(r)
                                .arg(m_feedback.MCFalschText)
                                .arg(f)
                                .arg(m_feedback.MCFehlendText)
                                .arg(m)
                          : m_feedback.FalschText;
                wrongFeedback(counters);
            }
            if (s.ZuordnungFalsch != WrongAction::TryAgain)
                setState(target, QueryState::QuestionClosedWrong);
            if (!silent)
                pause(c > 0 ? kTickCounterPause : kWrongSettlePause);
            hideBoxes();
            if (!silent)
                emitEvent(ExerciseEvent::Kind::FeedbackHidden);
        }
        if (validIndex(target))
            m_document.objects[size_t(target)].ZielFehlversuche += 1;
        const double earned = c > 0 ? double(std::max(r - f, 0)) / double(c) : 0.0;
        m_run.Richtig += earned;
        m_run.Fehlversuche += 1.0 - earned;
    }
    afterEvaluation();
}

void ExerciseRun::evaluateMatching(int first, int second) {
    m_busy = true;
    auto& objects = m_document.objects;
    ObjDataTyp& a = objects[size_t(first)];
    ObjDataTyp& b = objects[size_t(second)];
    const QString x = normalisedText(displayText(first));
    const QString p = normalisedText(displayText(second));
    const bool right = a.BildKenn.isEmpty() ? (a.Partner == second || b.Partner == first)
                                            : a.BildKenn == b.BildKenn;
    if (right) {
        m_run.OffenAnz -= 1;
        line(u"RICHTIG - "_s + quoted(x) + u" wird mit "_s + quoted(p) + u" verbunden"_s);
        if (m_run.settings.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
            setState(second, QueryState::ClosedHidden);
        } else {
            if (m_run.settings.ZuordnungRichtig != RightAction::Silent)
                rightFeedback(false);
            m_cards[size_t(entryOfCard(first, false))] = CardState::Removed;
            m_cards[size_t(entryOfCard(second, false))] = CardState::Removed;
            // The element further right draws the connection.
            ObjDataTyp& right = b.Kx > a.Kx ? b : a;
            right.Sline = 5;
            setState(first, QueryState::Solved);
            setState(second, QueryState::Solved);
            emitEvent(ExerciseEvent::Kind::FeedbackHidden);
        }
        m_run.Richtig += 1.0;
    } else {
        line(u"FALSCH - "_s + quoted(x) + u" wird mit "_s + quoted(p) + u" verbunden"_s);
        if (m_run.settings.ZuordnungFalsch != WrongAction::Silent)
            wrongFeedback(m_feedback.FalschText);
        pause(kWrongSettlePause);
        emitEvent(ExerciseEvent::Kind::FeedbackHidden);
        for (ObjDataTyp* o : {&a, &b}) {
            o->ZielFehlversuche += 1;
            o->KartFehlversuche += 1;
        }
        m_run.Fehlversuche += 1.0;
    }
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    afterEvaluation();
}

void ExerciseRun::evaluateInputs() {
    m_busy = true;
    auto& objects = m_document.objects;
    for (const QueryPair& pair : m_run.AbfrageFolge) {
        if (!validIndex(pair.target) || !isTextInputTyp(objects[size_t(pair.target)].Typ))
            continue;
        ObjDataTyp& t = objects[size_t(pair.target)];
        const QString typed = m_inputs[size_t(pair.target)];
        const QString p = normalisedText(displayText(pair.target));
        if (normalisedText(typed) == p) {
            line(u"RICHTIG - Texteingabe "_s + quoted(p) + u" wurde richtig eingegeben"_s);
            m_run.Richtig += 1.0;
        } else if (typOf(t) == Typ::ClozeGap && matchesAlternative(typed, t.BildKenn)) {
            line(u"RICHTIG - alternative Texteingabe "_s + quoted(typed) + u" für "_s + quoted(p) +
                 u" eingegeben"_s);
            m_run.Richtig += 1.0;
        } else {
            line(u"FALSCH - Texteingabe "_s + quoted(typed) + u" statt "_s + quoted(p) +
                 u" eingegeben"_s);
            m_run.Fehlversuche += 1.0;
            t.ZielFehlversuche += 1;
        }
    }
    for (const QueryPair& pair : m_run.AbfrageFolge)
        setState(pair.target, QueryState::Solved);
    if (m_run.Fehlversuche != 0.0) {
        emitEvent(ExerciseEvent::Kind::Feedback, -1, 0, false, QString());
        pause(kWrongPause);
    } else {
        rightFeedback(false);
    }
    emitEvent(ExerciseEvent::Kind::FeedbackHidden);
    afterEvaluation();
}

// --- after an answer --------------------------------------------------------------

void ExerciseRun::afterEvaluation() {
    if (dokTyp() != DokTyp::CrossMatching)
        recountOpen();
    updateQuotes(m_run);
    emitEvent(ExerciseEvent::Kind::StatusChanged);
    // Cross matching reports the element selected second, or the first when
    // the second belongs to a question.
    int reported = m_run.Zielobjekt;
    if (dokTyp() == DokTyp::CrossMatching && validIndex(reported) &&
        m_document.objects[size_t(reported)].FrageNummer > 0)
        reported = m_run.Zweitobjekt;
    emitEvent(ExerciseEvent::Kind::Evaluated, reported);
    m_run.Zielobjekt = -1;
    m_run.Zweitobjekt = -1;
    m_busy = false;
    if (m_run.OffenAnz > 0)
        presentNext();
    else if (m_run.EndeGrund == EndReason::Running || m_run.EndeGrund == EndReason::TimeOut)
        end();
}

} // namespace quorvel
