// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "grading.h"
#include "shellparticipant.h"

#include <QObject>
#include <functional>

namespace quorvel {

class Shell;
class SoundPlayer;
class TKennzInfoBox;
class TNotenskalaForm;
class TUebOptForm;
class TUebOptFragenForm;
class TUebOptKorbForm;
class TUebOptKreuzverbindungForm;
class TUebungsrueckmeldungForm;

// The exercise settings, the grading scale and the feedback: their dialogs
// (made once), the commands "Übungs&einstellungen...", "Notens&kala...",
// "Übungsrückmeldung..." and "&Tonausgabe", the snapshot an exercise starts
// with and the feedback sounds. Registers itself with the shell; the shell's
// window is its parent.
class ExerciseSettingsController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    explicit ExerciseSettingsController(Shell& shell);
    ~ExerciseSettingsController() override;

    // Shows the settings dialog of `dokTyp`, filled from the settings; what
    // the user set stays when it closes. True for "Übung starten". To
    // initiate a network exercise the dialog shows its network panel (the
    // labelling dialog also the group of the right/wrong feedback).
    bool showSettingsDialog(DokTyp dokTyp, bool networkInitiation = false);
    // The check box " Dieses Dialogfenster vor jeder Übung anzeigen ".
    bool showBeforeEachExercise() const;

    // What a run of a document of `dokTyp` starts with.
    UebEinstellungen snapshot(DokTyp dokTyp) const;
    // The snapshot of the network exercise just initiated: with the feedback
    // timing the labelling dialog offered.
    UebEinstellungen networkSnapshot(DokTyp dokTyp) const;
    GradingTable gradingTable() const;
    const CrossMatchingTime& crossMatchingTime() const { return m_crossMatching; }

    // What "Übung starten" in the menu's dialog starts; nothing until the
    // exercise run is there.
    void setStartHandler(std::function<void()> start) { m_start = std::move(start); }

    SoundPlayer& sounds() const { return *m_sounds; }
    // "Information zu den Kennzahlen", for the "?" button of the status bar.
    void showFiguresHelp();

    TUebOptForm* labellingForm() const { return m_labelling; }
    TUebOptFragenForm* questionsForm() const { return m_questions; }
    TUebOptKorbForm* clusterForm() const { return m_cluster; }
    TUebOptKreuzverbindungForm* crossMatchingForm() const { return m_crossMatchingForm; }
    TNotenskalaForm* gradingScaleForm() const { return m_gradingScale; }
    TUebungsrueckmeldungForm* feedbackForm() const { return m_feedback; }

private:
    void openSettingsCommand();
    void editScale();
    void editFeedback();

    Shell& m_shell;
    CrossMatchingTime m_crossMatching;
    std::function<void()> m_start;
    TUebOptForm* m_labelling;
    TUebOptFragenForm* m_questions;
    TUebOptKorbForm* m_cluster;
    TUebOptKreuzverbindungForm* m_crossMatchingForm;
    TNotenskalaForm* m_gradingScale;
    TUebungsrueckmeldungForm* m_feedback;
    TKennzInfoBox* m_figuresInfo;
    SoundPlayer* m_sounds;
};

} // namespace quorvel
