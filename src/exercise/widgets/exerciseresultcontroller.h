// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tuebprotokollform.h"

#include <QObject>
#include <functional>

namespace quorvel {

class BestListController;
class ExerciseRun;
class ExerciseSession;
class Shell;
class TUebFertigForm;

// What the user chose at the end of a run.
enum class ResultChoice {
    Repeated, // "Übung wiederholen": the run was started again
    Left,     // "Zur Lernansicht", or no result window: leave the exercise
};

// The end of an exercise run on screen: completes the protocol into the
// protocol window (kept until the next run ends), saves it automatically
// when "Opt-AutoProtSpeichern" is on, enters an individual result into the
// best list when "Opt-ErgebBestListEintragen" is on, and runs the result
// window loop. Also "&Protokoll der letzten Übung...". The windows are made
// once and reused.
class ExerciseResultController : public QObject {
    Q_OBJECT
public:
    ExerciseResultController(Shell& shell, BestListController& bestLists,
                             QObject* parent = nullptr);

    // Starts the run again with `repetitionMode` (0 complete, 1 only what was
    // not solved at the first attempt) and the same kind; true when it runs.
    // Without a window: session.repeat(); the exercise on screen goes through
    // its own start.
    using Restart = std::function<bool(int repetitionMode)>;

    // Call once the session's run has ended (`EndeGrund` 1 or 3), before its
    // clean-up. The session completes the protocol, the result and the
    // best-list entry; this shows them.
    // Shows the result window modally (a network participant always gets it;
    // otherwise as "Übungs&ergebnisfenster anzeigen" says, else the message
    // "Die Übung ist beendet."). "Übung wiederholen" calls `restart`; when
    // that fails the window shows again. A series part only completes its
    // protocol and returns Left: the series goes on. On Left the caller runs
    // the clean-up of an abort and returns to the learning view.
    ResultChoice showExerciseResult(ExerciseSession& session, const Restart& restart);

    // Completes the protocol of the session's run into the protocol window
    // and saves it automatically when that is on (the first steps of
    // showExerciseResult()).
    void completeProtocol(ExerciseSession& session);

    // The protocol window, modally.
    void showProtocol();

    // Where the protocol goes by mail (the mail dispatch).
    void setMailHandOver(MailHandOver handOver);

    TUebProtokollForm* protocolWindow() const { return m_protocol; }
    TUebFertigForm* resultWindow() const { return m_result; }

private:
    // The settings of this moment and the shell's answers, for `session`.
    void connectSession(ExerciseSession& session);
    void showProtocolOf(const ExerciseRun& run, const QString& markup);

    Shell& m_shell;
    BestListController& m_bestLists;
    TUebProtokollForm* m_protocol;
    TUebFertigForm* m_result;
};

} // namespace quorvel
