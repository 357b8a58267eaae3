// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseclock.h"
#include "exerciserun.h"
#include "exercisesession.h"
#include "shellparticipant.h"
#include "uebungpan.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class QToolButton;

namespace quorvel {

class ExerciseSettingsController;
class Shell;
class TNameEingabeForm;
class UebStatusPan;
class ViewLayouts;

// "Die aktuelle Übung ist noch nicht beendet. …": the refusal of whatever
// would start while an exercise or puzzle runs.
QString msgExerciseRunning();

// What the exercise needs of the main window's learning view. Every hook
// may be empty.
struct ExerciseHost {
    QWidget* viewArea = nullptr; // the learning view that the exercise panel covers
    std::function<void(QWidget*)> addToolBarSection;
    std::function<void(QWidget*)> addStatusSection; // the status bar's place
    std::function<void()> enter;                    // the learning view gives way (pointer tool)
    std::function<void()> leave;                    // the learning view comes back
    std::function<void(int)> openPoint;             // a point or link clicked during the exercise
};

// The individual exercise on screen: "Individual-&Übung" (F7) and "Übung
// &abbrechen" with their refusals and questions, the settings dialog and
// the name entry before a start, the exercise panel over the learning view,
// the status bar with the clock, the sounds, and the end. The run decides
// everything; this class asks the user and shows. Registers itself with the
// shell; the shell's window is its parent.
class ExerciseController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    ExerciseController(Shell& shell, ExerciseSettingsController& settings,
                       const ViewLayouts& layouts, const ExerciseRuleSet& rules, ExerciseHost host);
    ~ExerciseController() override;

    // Tests run the exercise on a clock of their own (before a start).
    void setClock(ExerciseClock* clock);
    // What shows the end of a completed run; the default is the message
    // "Die Übung ist beendet.". The run has ended when it is called. It
    // returns true when it started the run again (restart()); otherwise the
    // learning view comes back after it returns.
    void setEndHandler(std::function<bool(ExerciseSession&)> handler);
    // "Übung wiederholen" after the end: the same exercise again with the
    // participant's name and settings, completely or only what was not
    // solved at the first attempt where that is offered; true when it runs.
    bool restart(RepetitionMode mode);

    // Asked before every start: a text refuses it (shown as information), for
    // example while this computer is the teacher of a network exercise.
    void setStartRefusal(std::function<QString()> refusal) { m_refusal = std::move(refusal); }
    // "Individual-&Übung": true when the exercise runs. With `askSettings`
    // the settings dialog comes first when its check box says so; the
    // dialog's own "Übung starten" starts without it.
    bool startExercise(bool askSettings = true);
    // Starts a run whose settings the caller made (a network participant's,
    // with the teacher's settings, or a series part's): no settings dialog,
    // no name entry.
    bool startRequest(const StartRequest& request);
    // "Übung &abbrechen": asks while the run is unfinished; true when the
    // exercise is left.
    bool abortExercise();
    // The 100 ms clock of the exercise.
    void tick();

    ExerciseRun& run() { return m_session->run(); }
    ExerciseSession& session() { return *m_session; }
    UebungPan* panel() const { return m_panel; }
    UebStatusPan* statusPanel() const { return m_status; }
    TNameEingabeForm* nameForm() const { return m_nameForm; }
    QToolButton* startButton() const { return m_startButton; }
    bool active() const { return m_active; }

    // Another document in place of the exercise's (the user agreed to give
    // the run up): the exercise is left.
    void documentOpened() override;
    void documentClosed() override;
    void abortRun() override;
    bool runFinished(Modus modus) const override;
    void stopForShutdown() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeSession();
    void onEvent(const ExerciseEvent& event);
    // Shows a started run; a refusal shows its message.
    bool shown(const StartOutcome& outcome);
    void enter();
    void leave();
    void showEnd();
    // The time-out message; the end waits until it is acknowledged.
    void showMessage();
    // The settings dialog before a start when its check box says so; false
    // when it was not left with "Übung starten".
    bool settingsAgreed(DokTyp dokTyp);
    void placePanel();
    void refreshStatus();
    void playSound(bool right);

    Shell& m_shell;
    ExerciseSettingsController& m_settings;
    ExerciseHost m_host;
    MonotonicClock m_monotonic;
    ExerciseClock* m_clock = &m_monotonic;
    const ExerciseRuleSet& m_rules;
    std::unique_ptr<ExerciseSession> m_session;
    int m_observer = 0;
    std::function<bool(ExerciseSession&)> m_endHandler;
    std::function<QString()> m_refusal;
    const ViewLayouts& m_layouts;
    QPointer<QWidget> m_cover; // `LernKartPan`: covers the learning view
    QPointer<UebungPan> m_panel;
    UebStatusPan* m_status;
    QWidget* m_section;
    QToolButton* m_startButton;
    TNameEingabeForm* m_nameForm;
    QTimer m_timer;
    bool m_active = false;  // the panel is shown (exercise mode)
    bool m_leaving = false; // the clean-up runs
    bool m_endQueued = false;
    QString m_message;          // a message waiting to be shown
    bool m_messageOpen = false; // the message is on screen
    bool m_endAfterMessage = false;
};

} // namespace quorvel
