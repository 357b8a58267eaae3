// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseresult.h"
#include "exerciserun.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace quorvel {

struct Settings;

// The request of an individual exercise on this computer: the snapshot of
// the settings for the document's type, the grading, the feedback texts and
// the protocol context, starting at `start`.
StartRequest individualRequest(DokTyp dokTyp, const Settings& settings,
                               const CrossMatchingTime& crossMatching, const QDateTime& start);

// What the end of a run left: the completed protocol, the figures of the
// result window and what became of the best-list entry.
struct SessionEnd {
    QString protocol;
    ExerciseResult result;
    bool enteredInBestList = false;
    QStringList errors;      // the automatic protocol save failed
    bool seriesPart = false; // a series part: no result, the series goes on
};

// Runs exercises from the request to the result, without a window: the
// refusals, the name, the start, the end with grade, protocol and best-list
// entry, and "Übung wiederholen" (complete or only what was missed). The
// exercise window, the tool, the tests (and a network participant or a
// series) drive it alike; whoever shows the run listens to run() as one of
// its observers.
class ExerciseSession {
public:
    // Where the protocol goes at the end.
    struct ProtocolSaving {
        bool automatic = false; // "Opt-AutoProtSpeichern"
        QString folder;
        QString computer;
    };

    ExerciseSession(Document& document, const ExerciseRuleSet& rules, ExerciseClock& clock,
                    RandomGenerator& random);

    // How the surroundings answer; each may be left empty. The name entry
    // is asked once the document passed every refusal, with the name given
    // last; empty: the request's name.
    void setNameEntry(std::function<QString(const QString& last)> ask) {
        m_askName = std::move(ask);
    }
    // Enters an ended individual run into the best list when that is on;
    // true when it was entered.
    void setBestListEntry(std::function<bool(const ExerciseRun&)> enter) {
        m_enterBestList = std::move(enter);
    }
    // A failure of the automatic protocol save, told at once.
    void setErrorReport(std::function<void(const QString&)> report) {
        m_reportError = std::move(report);
    }
    void setProtocolSaving(ProtocolSaving saving) { m_saving = std::move(saving); }

    ExerciseRun& run() { return m_run; }
    const ExerciseRun& run() const { return m_run; }

    // Starts `request`; with `asksName` the name entry replaces the
    // request's name. The request is kept for a repetition.
    StartOutcome start(StartRequest request, bool asksName);
    // Whether the run has ended so that it can be repeated.
    bool canRepeat() const;
    // "Übung wiederholen": the same kind, the partial repetition only where
    // the result window offers it. `fresh` is the request as a start would
    // take it now (the settings dialog may have changed the settings); without
    // it the last settings and participant stay. With `asksName` the name
    // entry is asked again, as at a start.
    StartOutcome repeat(RepetitionMode mode, const QDateTime& start, bool asksName = false,
                        const StartRequest* fresh = nullptr);
    // The completed protocol of the ended run, saved when that is on.
    QString completeProtocol(const QDateTime& now, QStringList* errors = nullptr);
    // Completes an ended run: the protocol and, unless it is a series part,
    // the result and the best-list entry.
    SessionEnd complete(const QDateTime& now);
    // Gives the run up (the caller has asked) and brings the learning view back.
    void abort() { m_run.abort(); }

private:
    StartOutcome begin(const StartRequest& request);

    ExerciseRun m_run;
    std::function<QString(const QString&)> m_askName;
    std::function<bool(const ExerciseRun&)> m_enterBestList;
    std::function<void(const QString&)> m_reportError;
    ProtocolSaving m_saving;
    StartRequest m_request; // the last start, for a repetition
    QString m_lastName;
};

} // namespace quorvel
