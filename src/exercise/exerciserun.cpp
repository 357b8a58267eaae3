// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciserun.h"

#include "answerplaces.h"
#include "answertext.h"
#include "document.h"
#include "exerciseclock.h"
#include "queryorder.h"
#include "randomgenerator.h"
#include "runrules.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNoQueries = u"Dieses Dokument enthält keine Abfrageobjekte."_s;

} // namespace

ExerciseRun::ExerciseRun(Document& document, const ExerciseRuleSet& rules, ExerciseClock& clock,
                         RandomGenerator& random)
    : m_ctx(document, clock, random), m_rules(rules) {
    m_ctx.afterEvaluation = [this] { afterEvaluation(); };
}

const ExerciseRules& ExerciseRun::rules() const {
    return m_rules.of(dokTypOf(m_ctx.document.header));
}

bool ExerciseRun::running() const {
    return m_ctx.exists && m_ctx.run.EndeGrund == EndReason::Running;
}

bool ExerciseRun::textInputMode() const {
    return rules().textInput(m_ctx.settings().AbfrageModus);
}

QString msgNetworkInitiatedHere() {
    return u"Auf diesem Rechner wurde eine Netzwerk-Übung initiiert, die zuerst beendet werden "
           u"muss. Daher kann im Moment keine eigene Übung gestartet werden."_s;
}

StartOutcome ExerciseRun::start(const StartRequest& request) {
    using S = StartOutcome::Status;
    UebungsSitzung& run = m_ctx.run;
    if (m_ctx.exists && run.SitzungsArt == SessionKind::NetworkParticipant &&
        request.kind != SessionKind::NetworkParticipant)
        return {S::Refused, u"Die aktuelle Netzwerk-Übung muss zunächst beendet werden, um eine "
                            u"eigene Übung starten zu können."_s};
    if (m_ctx.exists && run.SitzungsArt == SessionKind::NetworkTeacher &&
        request.kind != SessionKind::NetworkTeacher)
        return {S::Refused, msgNetworkInitiatedHere()};
    if (running() && !request.abortConfirmed)
        return {S::NeedsConfirmation,
                u"Die aktuelle Übung ist noch nicht beendet.\r\nÜbung wirklich abbrechen?"_s};

    const ExerciseRules& r = rules();
    const UebEinstellungen& s = request.settings;
    auto& objects = m_ctx.document.objects;
    r.addRunObjects(m_ctx.document, s);

    // A refusal below leaves the objects as they were.
    struct Saved {
        AbfrageStatus status;
        int zf, kf;
    };
    std::vector<Saved> saved;
    saved.reserve(objects.size());
    for (const ObjDataTyp& o : objects)
        saved.push_back({o.AbfrageStatus, o.ZielFehlversuche, o.KartFehlversuche});

    const int total = r.openQueries(m_ctx.document, s, request.repetitionMode);
    // The open queries as they are now: the layout may make the page anew.
    std::vector<int> open;
    for (size_t i = 0; i < objects.size(); ++i) {
        ObjDataTyp& o = objects[i];
        const bool query = r.isQuery(o.Typ, s.AbfrageModus);
        if (query)
            o.ZielFehlversuche = o.KartFehlversuche = 0;
        r.settleOther(o, s);
        if (query && o.AbfrageStatus == AbfrageStatus::Open)
            open.push_back(int(i));
    }
    const int count = r.countsPairs() ? int(open.size()) / 2 : int(open.size());
    if (count < 1 && request.kind != SessionKind::SeriesPart) {
        for (size_t i = 0; i < objects.size(); ++i) {
            objects[i].AbfrageStatus = saved[i].status;
            objects[i].ZielFehlversuche = saved[i].zf;
            objects[i].KartFehlversuche = saved[i].kf;
        }
        return {S::Refused, kNoQueries};
    }
    r.layOut(m_ctx.document, true, m_ctx.random);
    prepare(request, open, r.countsPairs() ? total / 2 : total);

    m_ctx.line(u"Übung wird gestartet"_s);
    r.begin(m_ctx);
    if (!run.AbfrageFolge.empty())
        presentCurrent();
    m_ctx.emitEvent(ExerciseEvent::Kind::CardsChanged);
    m_ctx.emitEvent(ExerciseEvent::Kind::StatusChanged);
    // A series part without queries says so and ends at once.
    if (run.OffenAnz == 0) {
        end();
        return {S::Started, kNoQueries};
    }
    return {S::Started, {}};
}

void ExerciseRun::prepare(const StartRequest& request, const std::vector<int>& open, int total) {
    const ExerciseRules& r = rules();
    const UebEinstellungen& s = request.settings;
    auto& objects = m_ctx.document.objects;
    const size_t n = objects.size();
    m_ctx.cancelSteps();
    UebungsSitzung& run = m_ctx.run;
    run = UebungsSitzung{};
    run.settings = s;
    run.grading = request.grading;
    m_ctx.busy = false;
    m_ctx.feedback = request.feedback;
    m_ctx.context = request.context;
    m_ctx.exists = true;
    m_ctx.endElapsedMs = -1;
    m_ctx.currentQuestion = 0;
    run.TeilnehmerName = (request.askName ? request.askName() : request.participantName).left(30);
    run.AbfrageAnz = r.countsPairs() ? int(open.size()) / 2 : int(open.size());
    run.AbfrageAnzGesamt = total;

    // An earlier run's answers go home first.
    moveAnswers(m_ctx.document.objects, m_ctx.places, true);
    m_ctx.places.assign(n, -1);
    m_ctx.ticks.assign(n, 0);
    r.placeAnswers(m_ctx);

    // Display texts, the order of cards and targets, target numbers.
    m_ctx.display.assign(n, QString());
    for (size_t i = 0; i < n; ++i)
        m_ctx.display[i] = objects[i].Cap;
    auto& order = run.AbfrageFolge;
    for (int index : open) {
        const size_t i = size_t(index);
        if (i >= n)
            continue;
        order.push_back({index, index});
        const Typ t = typOf(objects[i]);
        if (t == Typ::QueryPicture || t == Typ::TableQueryPicture)
            m_ctx.display[i] = pictureIdentifier(objects[i], m_ctx.random);
        else if (t == Typ::MatchingQueryPicture)
            m_ctx.display[i] = matchingPictureText(objects[i]);
    }
    if (r.hasDistractors(m_ctx.document, s.AbfrageModus)) {
        for (size_t i = 0; i < n; ++i) {
            if (typOf(objects[i]) == Typ::DistractorCard) {
                order.push_back({int(i), -1});
                ++run.FalschwortAnz;
            }
        }
    }
    r.order(m_ctx);
    numberTargets(order, objects, s.Zuordnungsziele == TargetNumbering::QuestionMarks);
    for (const QueryPair& pair : order) {
        if (!m_ctx.validIndex(pair.target))
            continue;
        ObjDataTyp& t = objects[size_t(pair.target)];
        t.AbfrageStatus = r.targetState();
        t.ZielFehlversuche = t.KartFehlversuche = 0;
    }
    m_ctx.occupant.assign(size_t(kGapTableMaxRows * kGapTableMaxColumns), -1);
    m_ctx.cellCard.assign(m_ctx.occupant.size(), -1);
    r.prepareTargets(m_ctx);

    // The cards, the input fields and the clock.
    m_ctx.inputs.assign(n, QString());
    if (r.textInput(s.AbfrageModus) && s.AnzZeichenVorgeben) {
        for (const QueryPair& pair : order) {
            if (m_ctx.validIndex(pair.target))
                m_ctx.inputs[size_t(pair.target)] =
                    u'<' + QString::number(objects[size_t(pair.target)].Cap.size()) + u'>';
        }
    }
    m_ctx.slots.assign(order.size(), -1);
    m_ctx.cards.assign(order.size(),
                       r.showsAllCards(s.AbfrageModus) ? CardState::Shown : CardState::Hidden);
    run.SitzungsArt = request.kind;
    r.countOpen(m_ctx, true);
    run.StartTick = m_ctx.clock.nowMs();
    run.StartZeit = request.startTime.isValid() ? request.startTime : QDateTime::currentDateTime();
    run.Restzeit = s.ZeitlimitSek;
    run.AktIndex = 0;
}

qint64 ExerciseRun::elapsedMs() const {
    return m_ctx.elapsedMs();
}

QString ExerciseRun::clockText() const {
    const qint64 elapsed = elapsedMs();
    if (m_ctx.settings().Zeitlimit == TimeMode::Limit) {
        const double rest = double(m_ctx.settings().ZeitlimitSek) - double(elapsed) / 1000.0;
        return quorvel::clockText(std::max<qint64>(0, qint64(std::trunc(rest))));
    }
    return quorvel::clockText(elapsed / 1000);
}

int ExerciseRun::currentTarget() const {
    const auto& order = m_ctx.run.AbfrageFolge;
    const int at = m_ctx.run.AktIndex;
    if (!m_ctx.exists || !rules().asksOnePosition(m_ctx.settings().AbfrageModus) || at < 0 ||
        size_t(at) >= order.size())
        return -1;
    return order[size_t(at)].target;
}

QString ExerciseRun::displayText(int index) const {
    return m_ctx.displayText(index);
}

CardState ExerciseRun::cardState(int entry) const {
    const auto& cards = m_ctx.cards;
    return entry >= 0 && size_t(entry) < cards.size() ? cards[size_t(entry)] : CardState::Removed;
}

bool ExerciseRun::ticked(int index) const {
    const auto& ticks = m_ctx.ticks;
    return index >= 0 && size_t(index) < ticks.size() && ticks[size_t(index)] != 0;
}

int ExerciseRun::answerPlace(int box) const {
    const auto& places = m_ctx.places;
    return box >= 0 && size_t(box) < places.size() ? places[size_t(box)] : -1;
}

int ExerciseRun::answerSlot(int entry) const {
    const auto& slots = m_ctx.slots;
    return entry >= 0 && size_t(entry) < slots.size() ? slots[size_t(entry)] : -1;
}

QString ExerciseRun::input(int target) const {
    const auto& inputs = m_ctx.inputs;
    return target >= 0 && size_t(target) < inputs.size() ? inputs[size_t(target)] : QString();
}

void ExerciseRun::timerTick() {
    if (!running() || m_ctx.busy)
        return;
    UebungsSitzung& run = m_ctx.run;
    const double rest = double(run.settings.ZeitlimitSek) - double(elapsedMs()) / 1000.0;
    run.Restzeit = int(std::max(0.0, std::min(std::trunc(rest), 2147483647.0)));
    if (run.settings.Zeitlimit == TimeMode::Limit && run.Restzeit < 1)
        timeOut();
}

void ExerciseRun::timeOut() {
    m_ctx.run.EndeGrund = EndReason::TimeOut;
    const QString message = u"Das Zeitlimit ist erreicht, die Übung wird beendet."_s;
    m_ctx.line(message);
    m_ctx.emitEvent(ExerciseEvent::Kind::Message, -1, 0, false, message);
    if (!rules().judgeAtTimeOut(m_ctx))
        end();
}

void ExerciseRun::end() {
    UebungsSitzung& run = m_ctx.run;
    m_ctx.endElapsedMs = std::max<qint64>(0, m_ctx.clock.nowMs() - run.StartTick);
    if (run.EndeGrund == EndReason::Running)
        run.EndeGrund = EndReason::Completed;
    if (run.settings.RiFaRueckmeldung == FeedbackTiming::AtEnd) {
        auto& objects = m_ctx.document.objects;
        for (size_t i = 0; i < objects.size(); ++i) {
            ObjDataTyp& o = objects[i];
            if (o.AbfrageStatus == AbfrageStatus::Uncovered ||
                o.AbfrageStatus == AbfrageStatus::Covered)
                continue;
            if (o.ZielFehlversuche < 1)
                o.AbfrageStatus = run.settings.ZuordnungRichtig == RightAction::GreenTick
                                      ? AbfrageStatus::SolvedTick
                                      : AbfrageStatus::Uncovered;
            else
                o.AbfrageStatus = AbfrageStatus::ClosedWrong;
            m_ctx.emitEvent(ExerciseEvent::Kind::ObjectChanged, int(i));
        }
    }
    updateQuotes(run);
    run.Note = grade(run.Gesamtleistung, run.grading);
    run.preamble = protocolPreamble(run, m_ctx.document, m_ctx.context, clockText());
    m_ctx.emitEvent(ExerciseEvent::Kind::Ended);
}

void ExerciseRun::abort() {
    if (!m_ctx.exists)
        return;
    m_ctx.cancelSteps();
    m_ctx.busy = false;
    UebungsSitzung& run = m_ctx.run;
    const bool wasRunning = running();
    if (wasRunning) {
        run.EndeGrund = EndReason::Aborted;
        m_ctx.endElapsedMs = std::max<qint64>(0, m_ctx.clock.nowMs() - run.StartTick);
        updateQuotes(run);
        run.Note = grade(run.Gesamtleistung, run.grading);
        run.preamble = protocolPreamble(run, m_ctx.document, m_ctx.context, clockText());
    }
    run.SitzungsArt = SessionKind::Individual;
    m_ctx.cards.assign(m_ctx.cards.size(), CardState::Removed);
    moveAnswers(m_ctx.document.objects, m_ctx.places, true);
    m_ctx.places.clear();
    for (ObjDataTyp& o : m_ctx.document.objects) {
        if (o.AbfrageStatus != AbfrageStatus::Covered)
            o.AbfrageStatus = AbfrageStatus::Uncovered;
    }
    if (wasRunning) {
        m_ctx.currentQuestion = 1;
        rules().layOut(m_ctx.document, false, m_ctx.random);
        for (ObjDataTyp& o : m_ctx.document.objects) {
            if (typOf(o) == Typ::MatchingQueryText || typOf(o) == Typ::MatchingQueryPicture)
                o.AbfrageStatus = AbfrageStatus::Uncovered;
        }
    }
    m_ctx.exists = false;
    m_ctx.emitEvent(ExerciseEvent::Kind::CardsChanged);
    m_ctx.emitEvent(ExerciseEvent::Kind::Ended);
}

QString ExerciseRun::protocol() const {
    const UebungsSitzung& run = m_ctx.run;
    return preambleNow() + QString::fromUtf8(run.body);
}

QByteArray ExerciseRun::protocolUtf8() const {
    QByteArray protocol = preambleNow().toUtf8();
    protocol.reserve(protocol.size() + m_ctx.run.body.size());
    protocol += m_ctx.run.body;
    return protocol;
}

QString ExerciseRun::preambleNow() const {
    const UebungsSitzung& run = m_ctx.run;
    if (!run.preamble.isEmpty())
        return run.preamble;
    UebungsSitzung now = run;
    updateQuotes(now);
    now.Note = grade(now.Gesamtleistung, now.grading);
    return protocolPreamble(now, m_ctx.document, m_ctx.context, clockText());
}

void ExerciseRun::endOverlong() {
    const QString message = protocolFullMessage();
    m_ctx.line(message);
    m_ctx.emitEvent(ExerciseEvent::Kind::Message, -1, 0, false, message);
    end();
}

QString protocolFullMessage() {
    return u"Das Übungsprotokoll ist zu lang geworden, die Übung wird beendet."_s;
}

QStringList ExerciseRun::statusFigures() const {
    const UebungsSitzung& run = m_ctx.run;
    const bool hidden =
        (run.settings.RiFaRueckmeldung == FeedbackTiming::AtEnd && run.OffenAnz > 0) ||
        run.settings.ZuordnungFalsch == WrongAction::Silent;
    if (hidden)
        return {u"?"_s, u"?"_s, u"?"_s, u"?"_s};
    const DokTyp d = dokTypOf(m_ctx.document.header);
    return {countFigure(run, d, run.Richtig), countFigure(run, d, run.Fehlversuche),
            percentFigure(run.Erfolgsquote), percentFigure(run.Gesamtleistung)};
}

} // namespace quorvel
