// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciserun.h"

#include "answerplaces.h"
#include "answertext.h"
#include "document.h"
#include "exerciseclock.h"
#include "queryorder.h"
#include "randomgenerator.h"
#include "runrules.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNoQueries = u"Dieses Dokument enthält keine Abfrageobjekte."_s;

bool hasDistractors(const Document& document, QueryMode mode) {
    return dokTypOf(document.header) == DokTyp::Cloze &&
           (document.header.DokUnterTyp == 3 || document.header.DokUnterTyp == 4) &&
           (mode == QueryMode::Free || mode == QueryMode::SinglePosition);
}

} // namespace

ExerciseRun::ExerciseRun(Document& document, ExerciseClock& clock, RandomGenerator& random)
    : m_document(document), m_clock(clock), m_random(random) {}

void ExerciseRun::setListener(std::function<void(const ExerciseEvent&)> listener) {
    m_listener = std::move(listener);
}

void ExerciseRun::setMatchingLayout(std::function<void(Document&, bool)> layout) {
    m_matchingLayout = std::move(layout);
}

void ExerciseRun::emitEvent(ExerciseEvent::Kind kind, int object, int ms, bool right,
                            const QString& text) {
    if (m_listener)
        m_listener(ExerciseEvent{kind, object, -1, ms, right, text});
}

void ExerciseRun::pause(int ms) {
    if (ms <= 0)
        return;
    emitEvent(ExerciseEvent::Kind::Pause, -1, ms);
    m_clock.pause(ms);
}

void ExerciseRun::line(const QString& text, bool stamped) {
    writeProtocolLine(m_run, ProtocolText::Body, text, stamped, elapsedMs());
}

bool ExerciseRun::running() const {
    return m_exists && m_run.EndeGrund == EndReason::Running;
}

DokTyp ExerciseRun::dokTyp() const {
    return dokTypOf(m_document.header);
}

bool ExerciseRun::textInputMode() const {
    return isLabellingDoc(dokTyp()) && m_run.settings.AbfrageModus == QueryMode::TextInput;
}

bool ExerciseRun::validIndex(int index) const {
    return index >= 0 && size_t(index) < m_document.objects.size();
}

bool ExerciseRun::isQueryTyp(int typ) const {
    switch (dokTyp()) {
    case DokTyp::SingleQuestions:
        return typ == codeOf(Typ::QuestionAnswer);
    case DokTyp::MultipleChoice:
        return typ == codeOf(Typ::MCQuestion) || typ == codeOf(Typ::MCPictureQuestion);
    case DokTyp::Cluster:
        return typ == codeOf(Typ::ClusterQueryText) || typ == codeOf(Typ::ClusterQueryPicture);
    case DokTyp::CrossMatching:
        return typ == codeOf(Typ::MatchingQueryText) || typ == codeOf(Typ::MatchingQueryPicture);
    default:
        if (m_run.settings.AbfrageModus == QueryMode::TextInput)
            return isTextInputTyp(typ);
        return isTextInputTyp(typ) || typ == codeOf(Typ::QueryPicture) ||
               typ == codeOf(Typ::TableQueryPicture) || typ == codeOf(Typ::TableQueryText);
    }
}

StartOutcome ExerciseRun::start(const StartRequest& request) {
    using S = StartOutcome::Status;
    if (m_exists && m_run.SitzungsArt == SessionKind::NetworkParticipant &&
        request.kind != SessionKind::NetworkParticipant)
        return {S::Refused, u"Die aktuelle Netzwerk-Übung muss zunächst beendet werden, um eine "
                            u"eigene Übung starten zu können."_s};
    if (m_exists && m_run.SitzungsArt == SessionKind::NetworkTeacher &&
        request.kind != SessionKind::NetworkTeacher)
        return {S::Refused, u"Auf diesem Rechner wurde eine Netzwerk-Übung initiiert, die zuerst "
                            u"beendet werden muss. Daher kann im Moment keine eigene Übung "
                            u"gestartet werden."_s};
    if (running() && !request.abortConfirmed)
        return {S::NeedsConfirmation,
                u"Die aktuelle Übung ist noch nicht beendet.\r\nÜbung wirklich abbrechen?"_s};

    const DokTyp d = dokTyp();
    const UebEinstellungen& s = request.settings;
    const UebEinstellungen previous = m_run.settings;
    m_run.settings = s; // isQueryTyp reads the mode
    auto& objects = m_document.objects;

    // Text input offers a "Weiter" card; documents without an "OK" object get one.
    if (isLabellingDoc(d) && s.AbfrageModus == QueryMode::TextInput &&
        std::none_of(objects.begin(), objects.end(),
                     [](const ObjDataTyp& o) { return typOf(o) == Typ::MCOkButton; })) {
        const int ok =
            m_document.addGeneratedObject(Typ::MCOkButton, 0, u"OK"_s, -1, 0.0, 0.0, 0, 0);
        objects[size_t(ok)].AbfrageStatus = QueryState::Covered;
    }
    const size_t n = objects.size();

    // A refusal below leaves the objects as they were.
    struct Saved {
        int status, zf, kf;
    };
    std::vector<Saved> saved;
    saved.reserve(n);
    for (const ObjDataTyp& o : objects)
        saved.push_back({o.AbfrageStatus, o.ZielFehlversuche, o.KartFehlversuche});

    // A cross-matching element is right only with the other element of its
    // pair key; when that one is static (it takes no click) the pair can never
    // be made, so the element is not asked; otherwise its pair would stay open
    // and the run could never end.
    QHash<QString, int> keyCount;
    if (d == DokTyp::CrossMatching) {
        for (const ObjDataTyp& o : objects)
            if (isQueryTyp(o.Typ))
                ++keyCount[o.BildKenn];
    }
    const auto unpairable = [&](const ObjDataTyp& o) {
        return d == DokTyp::CrossMatching && keyCount.value(o.BildKenn) < 2;
    };
    int total = 0;
    for (size_t i = 0; i < n; ++i) {
        ObjDataTyp& o = objects[i];
        if (!isQueryTyp(o.Typ))
            continue;
        if (unpairable(o)) {
            o.AbfrageStatus = QueryState::Solved;
            continue;
        }
        ++total;
        int state = QueryState::Solved;
        if (request.repetitionMode == 0)
            state = QueryState::Open;
        else if (request.repetitionMode == 1 && (o.ZielFehlversuche > 0 || o.KartFehlversuche > 0))
            state = QueryState::Open;
        if (o.AbfrageStatus == QueryState::Open && d == DokTyp::CrossMatching)
            continue; // opened as a partner already
        o.AbfrageStatus = state;
        if (state == QueryState::Open && d == DokTyp::CrossMatching && validIndex(o.Partner) &&
            size_t(o.Partner) != i)
            objects[size_t(o.Partner)].AbfrageStatus = QueryState::Open;
    }
    for (ObjDataTyp& o : objects) {
        if (isQueryTyp(o.Typ))
            o.ZielFehlversuche = o.KartFehlversuche = 0;
        const Typ t = typOf(o);
        if (isLabellingDoc(d) && s.AbfrageModus == QueryMode::TextInput &&
            (t == Typ::QueryPicture || t == Typ::TableQueryPicture || t == Typ::TableQueryText))
            o.AbfrageStatus = QueryState::Solved;
        if ((d == DokTyp::Cluster || d == DokTyp::CrossMatching) &&
            (t == Typ::QueryLabel || t == Typ::QueryPicture))
            o.AbfrageStatus = QueryState::Solved;
    }
    std::vector<int> open;
    for (size_t i = 0; i < n; ++i) {
        if (isQueryTyp(objects[i].Typ) && objects[i].AbfrageStatus == QueryState::Open)
            open.push_back(int(i));
    }
    const int count = d == DokTyp::CrossMatching ? int(open.size()) / 2 : int(open.size());
    if (count < 1 && request.kind != SessionKind::SeriesPart) {
        for (size_t i = 0; i < n; ++i) {
            objects[i].AbfrageStatus = saved[i].status;
            objects[i].ZielFehlversuche = saved[i].zf;
            objects[i].KartFehlversuche = saved[i].kf;
        }
        m_run.settings = previous;
        return {S::Refused, kNoQueries};
    }

    if (d == DokTyp::CrossMatching && m_matchingLayout)
        m_matchingLayout(m_document, true);

    // The run from here on.
    m_run = UebungsSitzung{};
    m_run.settings = s;
    m_run.grading = request.grading;
    m_feedback = request.feedback;
    m_context = request.context;
    m_exists = true;
    m_endElapsedMs = -1;
    m_currentQuestion = 0;
    m_run.TeilnehmerName = (request.askName ? request.askName() : request.participantName).left(30);
    m_run.AbfrageAnz = count;
    m_run.AbfrageAnzGesamt = d == DokTyp::CrossMatching ? total / 2 : total;

    // Multiple choice: where each answer is shown (an earlier run's answers
    // go home first).
    moveAnswers(objects, m_places, true);
    m_places.assign(n, -1);
    m_ticks.assign(n, 0);
    if (d == DokTyp::MultipleChoice) {
        m_places = dealAnswerPlaces(objects, s.Zuordnungstexte == CardOrder::Random, m_random);
        moveAnswers(objects, m_places, false);
    }

    // Display texts, the order of cards and targets, target numbers.
    m_display.assign(n, QString());
    for (size_t i = 0; i < n; ++i)
        m_display[i] = objects[i].Cap;
    auto& order = m_run.AbfrageFolge;
    for (int i : open) {
        order.push_back({i, i});
        const Typ t = typOf(objects[size_t(i)]);
        if (t == Typ::QueryPicture || t == Typ::TableQueryPicture)
            m_display[size_t(i)] = pictureIdentifier(objects[size_t(i)], m_random);
        else if (t == Typ::MatchingQueryPicture)
            m_display[size_t(i)] = matchingPictureText(objects[size_t(i)]);
    }
    if (hasDistractors(m_document, s.AbfrageModus)) {
        for (size_t i = 0; i < n; ++i) {
            if (typOf(objects[i]) == Typ::DistractorCard) {
                order.push_back({int(i), -1});
                ++m_run.FalschwortAnz;
            }
        }
    }
    if (!textInputMode() && d != DokTyp::CrossMatching) {
        if (d != DokTyp::MultipleChoice) {
            shuffleCards(order, m_random);
            if (s.Zuordnungstexte == CardOrder::Alphabetical || d == DokTyp::SingleQuestions) {
                std::vector<QString> normalised(n);
                for (size_t i = 0; i < n; ++i)
                    normalised[i] = normalisedText(m_display[i]);
                sortCardsByText(order, normalised);
            }
        }
        if (s.Zuordnungsziele != TargetNumbering::Ordered) {
            shuffleTargets(order, m_random);
        } else if (d != DokTyp::MultipleChoice) {
            if (m_document.header.GeordnetArt == 1) {
                std::vector<QString> raw(n);
                for (size_t i = 0; i < n; ++i)
                    raw[i] = objects[i].Cap;
                sortTargetsByText(order, raw);
            } else {
                sortTargetsByPosition(order, objects);
            }
        }
    }
    numberTargets(order, objects, s.Zuordnungsziele == TargetNumbering::QuestionMarks);
    for (const QueryPair& pair : order) {
        if (!validIndex(pair.target))
            continue;
        ObjDataTyp& t = objects[size_t(pair.target)];
        t.AbfrageStatus =
            d == DokTyp::CrossMatching ? QueryState::MatchingElement : QueryState::Open;
        t.ZielFehlversuche = t.KartFehlversuche = 0;
    }

    // Cluster: the cells the open cards belong in are free, the others taken.
    m_occupant.assign(size_t(kGapTableMaxRows * kGapTableMaxColumns), -1);
    m_cellCard.assign(m_occupant.size(), -1);
    if (d == DokTyp::Cluster) {
        for (size_t i = 0; i < n; ++i) {
            const ObjDataTyp& o = objects[i];
            if (!isQueryTyp(o.Typ) || o.CellRow < 0 || o.CellRow >= kGapTableMaxRows ||
                o.CellColumn < 0 || o.CellColumn >= kGapTableMaxColumns)
                continue;
            const size_t cell = size_t(o.CellRow * kGapTableMaxColumns + o.CellColumn);
            m_cellCard[cell] = int(i);
            m_occupant[cell] = o.AbfrageStatus == QueryState::Open ? -1 : int(i);
        }
    }

    // The cards, the input fields and the clock.
    m_inputs.assign(n, QString());
    if (textInputMode() && s.AnzZeichenVorgeben) {
        for (const QueryPair& pair : order) {
            if (validIndex(pair.target))
                m_inputs[size_t(pair.target)] =
                    u'<' + QString::number(objects[size_t(pair.target)].Cap.size()) + u'>';
        }
    }
    m_slots.assign(order.size(), -1);
    const bool allShown =
        d != DokTyp::SingleQuestions && d != DokTyp::MultipleChoice &&
        !(isLabellingDoc(d) || d == DokTyp::Cluster ? s.AbfrageModus == QueryMode::SingleCard
                                                    : false);
    m_cards.assign(order.size(), allShown ? CardState::Shown : CardState::Hidden);

    m_run.SitzungsArt = request.kind;
    m_run.OffenAnz = d == DokTyp::CrossMatching ? int(order.size()) / 2 : 0;
    if (d != DokTyp::CrossMatching)
        recountOpen();
    m_run.StartTick = m_clock.nowMs();
    m_run.StartZeit =
        request.startTime.isValid() ? request.startTime : QDateTime::currentDateTime();
    m_run.Restzeit = s.ZeitlimitSek;
    m_run.AktIndex = 0;
    if (s.AbfrageModus == QueryMode::SinglePosition && isLabellingDoc(d)) {
        const auto first = std::find_if(order.begin(), order.end(), [&](const QueryPair& p) {
            return validIndex(p.target) &&
                   objects[size_t(p.target)].AbfrageStatus == QueryState::Open;
        });
        m_run.AktIndex = first == order.end() ? 0 : int(first - order.begin());
    }
    line(u"Übung wird gestartet"_s);
    if ((d == DokTyp::SingleQuestions || d == DokTyp::MultipleChoice) && !order.empty() &&
        validIndex(order.front().target))
        m_currentQuestion = objects[size_t(order.front().target)].FrageNummer;
    if (!order.empty())
        presentCurrent();
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    emitEvent(ExerciseEvent::Kind::StatusChanged);
    // A series part without queries says so and ends at once.
    if (m_run.OffenAnz == 0) {
        end();
        return {S::Started, kNoQueries};
    }
    return {S::Started, {}};
}

int ExerciseRun::entryOfCard(int card, bool shownOnly) const {
    const auto& order = m_run.AbfrageFolge;
    for (size_t e = 0; e < order.size(); ++e) {
        if (order[e].card == card && (!shownOnly || m_cards[e] == CardState::Shown))
            return int(e);
    }
    return -1;
}

void ExerciseRun::recountOpen() {
    m_run.OffenAnz =
        int(std::count_if(m_document.objects.begin(), m_document.objects.end(),
                          [](const ObjDataTyp& o) { return o.AbfrageStatus == QueryState::Open; }));
}

void ExerciseRun::setState(int object, int state) {
    if (!validIndex(object))
        return;
    m_document.objects[size_t(object)].AbfrageStatus = state;
    emitEvent(ExerciseEvent::Kind::ObjectChanged, object);
}

qint64 ExerciseRun::elapsedMs() const {
    if (m_endElapsedMs >= 0)
        return m_endElapsedMs;
    if (!m_exists)
        return 0;
    // A clock that went backwards (a wrapped tick count) counts as no time.
    return std::max<qint64>(0, m_clock.nowMs() - m_run.StartTick);
}

QString ExerciseRun::clockText() const {
    const qint64 elapsed = elapsedMs();
    if (m_run.settings.Zeitlimit == TimeMode::Limit) {
        const double rest = double(m_run.settings.ZeitlimitSek) - double(elapsed) / 1000.0;
        return quorvel::clockText(std::max<qint64>(0, qint64(std::trunc(rest))));
    }
    return quorvel::clockText(elapsed / 1000);
}

int ExerciseRun::currentTarget() const {
    const auto& order = m_run.AbfrageFolge;
    if (!m_exists || !isLabellingDoc(dokTyp()) ||
        m_run.settings.AbfrageModus != QueryMode::SinglePosition || m_run.AktIndex < 0 ||
        size_t(m_run.AktIndex) >= order.size())
        return -1;
    return order[size_t(m_run.AktIndex)].target;
}

QString ExerciseRun::displayText(int index) const {
    if (!validIndex(index))
        return {};
    if (size_t(index) < m_display.size())
        return m_display[size_t(index)];
    return m_document.objects[size_t(index)].Cap;
}

CardState ExerciseRun::cardState(int entry) const {
    return entry >= 0 && size_t(entry) < m_cards.size() ? m_cards[size_t(entry)]
                                                        : CardState::Removed;
}

bool ExerciseRun::ticked(int index) const {
    return index >= 0 && size_t(index) < m_ticks.size() && m_ticks[size_t(index)] != 0;
}

int ExerciseRun::answerPlace(int box) const {
    return box >= 0 && size_t(box) < m_places.size() ? m_places[size_t(box)] : -1;
}

int ExerciseRun::answerSlot(int entry) const {
    return entry >= 0 && size_t(entry) < m_slots.size() ? m_slots[size_t(entry)] : -1;
}

QString ExerciseRun::input(int target) const {
    return target >= 0 && size_t(target) < m_inputs.size() ? m_inputs[size_t(target)] : QString();
}

void ExerciseRun::timerTick() {
    if (!running() || m_busy)
        return;
    const double rest = double(m_run.settings.ZeitlimitSek) - double(elapsedMs()) / 1000.0;
    m_run.Restzeit = int(std::max(0.0, std::min(std::trunc(rest), 2147483647.0)));
    if (m_run.settings.Zeitlimit == TimeMode::Limit && m_run.Restzeit < 1)
        timeOut();
}

void ExerciseRun::timeOut() {
    m_run.EndeGrund = EndReason::TimeOut;
    const QString message = u"Das Zeitlimit ist erreicht, die Übung wird beendet."_s;
    line(message);
    emitEvent(ExerciseEvent::Kind::Message, -1, 0, false, message);
    if (textInputMode())
        evaluateInputs();
    else
        end();
}

void ExerciseRun::end() {
    m_endElapsedMs = std::max<qint64>(0, m_clock.nowMs() - m_run.StartTick);
    if (m_run.EndeGrund == EndReason::Running)
        m_run.EndeGrund = EndReason::Completed;
    if (m_run.settings.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
        for (size_t i = 0; i < m_document.objects.size(); ++i) {
            ObjDataTyp& o = m_document.objects[i];
            if (o.AbfrageStatus == QueryState::Solved || o.AbfrageStatus == QueryState::Covered)
                continue;
            if (o.ZielFehlversuche < 1)
                o.AbfrageStatus = m_run.settings.ZuordnungRichtig == RightAction::GreenTick
                                      ? QueryState::SolvedTick
                                      : QueryState::Solved;
            else
                o.AbfrageStatus = QueryState::ClosedWrong;
            emitEvent(ExerciseEvent::Kind::ObjectChanged, int(i));
        }
    }
    updateQuotes(m_run);
    m_run.Note = grade(m_run.Gesamtleistung, m_run.grading);
    m_run.preamble = protocolPreamble(m_run, m_document, m_context, clockText());
    emitEvent(ExerciseEvent::Kind::Ended);
}

void ExerciseRun::abort() {
    if (!m_exists)
        return;
    const bool wasRunning = running();
    if (wasRunning) {
        m_run.EndeGrund = EndReason::Aborted;
        m_endElapsedMs = std::max<qint64>(0, m_clock.nowMs() - m_run.StartTick);
        updateQuotes(m_run);
        m_run.Note = grade(m_run.Gesamtleistung, m_run.grading);
        m_run.preamble = protocolPreamble(m_run, m_document, m_context, clockText());
    }
    m_run.SitzungsArt = SessionKind::Individual;
    m_cards.assign(m_cards.size(), CardState::Removed);
    moveAnswers(m_document.objects, m_places, true);
    m_places.clear();
    for (ObjDataTyp& o : m_document.objects) {
        if (o.AbfrageStatus != QueryState::Covered)
            o.AbfrageStatus = QueryState::Solved;
    }
    if (wasRunning) {
        m_currentQuestion = 1;
        if (dokTyp() == DokTyp::CrossMatching && m_matchingLayout)
            m_matchingLayout(m_document, false);
        for (ObjDataTyp& o : m_document.objects) {
            if (typOf(o) == Typ::MatchingQueryText || typOf(o) == Typ::MatchingQueryPicture)
                o.AbfrageStatus = QueryState::Solved;
        }
    }
    m_exists = false;
    emitEvent(ExerciseEvent::Kind::CardsChanged);
    emitEvent(ExerciseEvent::Kind::Ended);
}

QString ExerciseRun::protocol() const {
    if (!m_run.preamble.isEmpty())
        return m_run.preamble + m_run.body;
    UebungsSitzung now = m_run;
    updateQuotes(now);
    now.Note = grade(now.Gesamtleistung, now.grading);
    return completedProtocol(now, m_document, m_context, clockText());
}

QStringList ExerciseRun::statusFigures() const {
    const bool hidden =
        (m_run.settings.RiFaRueckmeldung == FeedbackTiming::AtEnd && m_run.OffenAnz > 0) ||
        m_run.settings.ZuordnungFalsch == WrongAction::Silent;
    if (hidden)
        return {u"?"_s, u"?"_s, u"?"_s, u"?"_s};
    const DokTyp d = dokTyp();
    return {countFigure(m_run, d, m_run.Richtig), countFigure(m_run, d, m_run.Fehlversuche),
            percentFigure(m_run.Erfolgsquote), percentFigure(m_run.Gesamtleistung)};
}

} // namespace quorvel
