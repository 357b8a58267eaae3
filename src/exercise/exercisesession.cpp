// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercisesession.h"

#include "document.h"
#include "protocolfile.h"
#include "settings.h"

namespace quorvel {

StartRequest individualRequest(DokTyp dokTyp, const Settings& settings,
                               const CrossMatchingTime& crossMatching, const QDateTime& start) {
    StartRequest request;
    request.settings = takeSnapshot(dokTyp, settings, crossMatching);
    request.grading = gradingTableOf(settings);
    request.feedback = settings.Uebungsrueckmeldung;
    request.repetitionMode = RepetitionMode::Complete;
    request.kind = SessionKind::Individual;
    request.startTime = start;
    request.context = localProtocolContext();
    return request;
}

ExerciseSession::ExerciseSession(Document& document, const ExerciseRuleSet& rules,
                                 ExerciseClock& clock, RandomGenerator& random)
    : m_run(document, rules, clock, random) {}

StartOutcome ExerciseSession::start(StartRequest request, bool asksName) {
    if (asksName && m_askName) {
        // Asked only once the document has passed every refusal.
        request.askName = [this] {
            m_lastName = m_askName(m_lastName);
            return m_lastName;
        };
    } else {
        request.askName = {};
    }
    const StartOutcome outcome = m_run.start(request);
    if (outcome.started()) {
        m_request = request;
        m_request.askName = {};
        m_request.participantName = m_run.session().TeilnehmerName;
    }
    return outcome;
}

bool ExerciseSession::canRepeat() const {
    const EndReason end = m_run.session().EndeGrund;
    return !m_run.running() && (end == EndReason::Completed || end == EndReason::TimeOut);
}

StartOutcome ExerciseSession::repeat(RepetitionMode mode, const QDateTime& start, bool asksName,
                                     const StartRequest* fresh) {
    if (!canRepeat())
        return {StartOutcome::Status::Refused, {}};
    StartRequest request = repetitionRequest(m_run, fresh ? *fresh : m_request, mode, start);
    request.kind = m_request.kind;
    if (!fresh && !asksName)
        return begin(request); // the same participant, not asked again
    return this->start(std::move(request), asksName);
}

StartOutcome ExerciseSession::begin(const StartRequest& request) {
    const StartOutcome outcome = m_run.start(request);
    if (outcome.started())
        m_request = request;
    return outcome;
}

QString ExerciseSession::completeProtocol(const QDateTime& now, QStringList* errors) {
    const QString markup = m_run.protocol();
    if (!m_saving.automatic)
        return markup;
    const IoResult saved = autoSaveProtocol(m_saving.folder, m_saving.computer, now, markup);
    for (const QString& message : saved.messages) {
        if (errors)
            *errors << message;
        if (m_reportError)
            m_reportError(message);
    }
    return markup;
}

SessionEnd ExerciseSession::complete(const QDateTime& now) {
    SessionEnd end;
    end.protocol = completeProtocol(now, &end.errors);
    end.seriesPart = m_run.session().SitzungsArt == SessionKind::SeriesPart;
    if (end.seriesPart)
        return end;
    end.result = exerciseResultOf(m_run);
    end.enteredInBestList = m_enterBestList && m_enterBestList(m_run);
    return end;
}

} // namespace quorvel
