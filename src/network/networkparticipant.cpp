// SPDX-License-Identifier: GPL-3.0-or-later
#include "networkparticipant.h"

#include "bestlist.h"
#include "document.h"
#include "exercisesession.h"
#include "networksettings.h"
#include "protocol.h"
#include "settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace quorvel {

StartRequest participantRequest(DokTyp dokTyp, const Settings& own, const NetzUebSettings& teacher,
                                const QString& name, const QDateTime& start) {
    StartRequest request = individualRequest(dokTyp, own, CrossMatchingTime{}, start);
    applyNetzUebSettings(teacher, request.settings, request.grading);
    request.kind = SessionKind::NetworkParticipant;
    request.participantName = name;
    request.context.networkName = name;
    return request;
}

NetworkParticipant::NetworkParticipant(const ExchangeFiles& files, TMailSlotChannel* channel,
                                       const NetworkInvitation& invitation, QString name,
                                       QString computer, RandomGenerator& random, QObject* parent)
    : QObject(parent), m_link(files, channel, invitation.settings.NetzUebungMaster, invitation.key,
                              newParticipantId(random), random),
      m_name(std::move(name)), m_computer(std::move(computer)) {
    connect(&m_link, &ParticipantLink::problem, this, &NetworkParticipant::problem);
}

NetworkParticipant::~NetworkParticipant() {
    release();
}

NetStatus NetworkParticipant::statusOf(EndReason reason) {
    switch (reason) {
    case EndReason::Running:
        return NetStatus::Aktiv;
    case EndReason::Completed:
        return NetStatus::Fertig;
    case EndReason::Aborted:
        return NetStatus::Abgebrochen;
    case EndReason::TimeOut:
        return NetStatus::Timeout;
    }
    return NetStatus::Aktiv;
}

QString NetworkParticipant::timeText(const QDateTime& time) {
    return time.time().toString(QStringLiteral("HH:mm:ss"));
}

void NetworkParticipant::join(const QDateTime& start) {
    m_joined = true;
    m_link.sendInit(m_name, timeText(start));
}

void NetworkParticipant::observe(ExerciseRun& run) {
    release();
    m_run = &run;
    m_observer = run.addObserver([this](const ExerciseEvent& event) { handle(event); });
}

void NetworkParticipant::release() {
    if (m_run)
        m_run->removeObserver(m_observer);
    m_run = nullptr;
    m_observer = 0;
}

void NetworkParticipant::flush(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!m_link.idle() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void NetworkParticipant::leave() {
    // A joining whose run never started (refused) ends as aborted too, so
    // that the teacher's row does not stay "aktiv".
    if (m_joined && !m_endReported) {
        m_endReported = true;
        const bool began = m_run && m_seenRunning;
        m_link.sendEnd(NetStatus::Abgebrochen, began ? m_run->clockText() : clockText(0), {});
    }
    release();
}

void NetworkParticipant::handle(const ExerciseEvent& event) {
    // The end of a run before this joining's (an ended run leaving the
    // screen) is not this participant's.
    m_seenRunning = m_seenRunning || m_run->running();
    if (m_endReported || !m_seenRunning)
        return;
    if (event.kind == ExerciseEvent::Kind::Evaluated)
        reportAnswer(event.object);
    else if (event.kind == ExerciseEvent::Kind::Ended)
        reportEnd();
}

void NetworkParticipant::reportAnswer(int object) {
    const UebungsSitzung& s = m_run->session();
    const Document& document = m_run->document();
    TnAktionData data;
    data.objectIndex = object;
    if (object >= 0 && size_t(object) < document.objects.size()) {
        const ObjDataTyp& o = document.objects[size_t(object)];
        data.state = int(o.AbfrageStatus);
        data.wrongAttempts = o.ZielFehlversuche;
    }
    data.status = statusOf(s.EndeGrund);
    data.startTime = timeText(s.StartZeit);
    data.queryCount = s.AbfrageAnz;
    data.right = s.Richtig;
    data.wrong = s.Fehlversuche;
    data.fractional = dokTypOf(document.header) == DokTyp::MultipleChoice;
    data.open = s.OffenAnz;
    data.clock = m_run->clockText();
    UebungsSitzung now = s;
    updateQuotes(now);
    data.grade = grade(now.Gesamtleistung, s.grading);
    m_link.sendAction(data);
}

void NetworkParticipant::reportEnd() {
    const UebungsSitzung& s = m_run->session();
    const NetStatus status = statusOf(s.EndeGrund);
    if (status == NetStatus::Aktiv)
        return;
    m_endReported = true;
    QStringList bestList;
    if (status == NetStatus::Fertig || status == NetStatus::Timeout)
        bestList = tnBestlist(id(), m_name, m_computer, bestListDays(s.StartZeit),
                              m_run->elapsedMs(), s.Gesamtleistung);
    m_link.sendEnd(status, m_run->clockText(), bestList);
    release();
}

} // namespace quorvel
