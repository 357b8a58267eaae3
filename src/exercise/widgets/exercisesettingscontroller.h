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
    // initiate a network exercise the labelling dialog shows its network
    // panel and group.
    bool showSettingsDialog(DokTyp dokTyp, bool networkInitiation = false);
    // The check box " Dieses Dialogfenster vor jeder Übung anzeigen ".
    bool showBeforeEachExercise() const;

    // What a run of a document of `dokTyp` starts with.
    UebEinstellungen snapshot(DokTyp dokTyp) const;
    GradingTable gradingTable() const;
    const CrossMatchingTime& crossMatchingTime() const { return m_crossMatching; }

    // What "Übung starten" in the menu's dialog starts; nothing until the
    // exercise run is there.
    void setStartHandler(std::function<void()> start) { m_start = std::move(start); }

    SoundPlayer& sounds() const { return *m_sounds; }
    // "Information zu den Kennzahlen", for the "?" button of the status bar.
    void showFiguresHelp();

    TUebOptForm* uebOptForm() const { return m_uebOpt; }
    TUebOptFragenForm* fragenForm() const { return m_fragen; }
    TUebOptKorbForm* korbForm() const { return m_korb; }
    TUebOptKreuzverbindungForm* kreuzverbindungForm() const { return m_kreuz; }
    TNotenskalaForm* notenskalaForm() const { return m_notenskala; }
    TUebungsrueckmeldungForm* rueckmeldungForm() const { return m_rueckmeldung; }
    TKennzInfoBox* kennzInfoBox() const { return m_kennzInfo; }

private:
    void openSettingsCommand();
    void editScale();
    void editFeedback();

    Shell& m_shell;
    CrossMatchingTime m_crossMatching;
    std::function<void()> m_start;
    TUebOptForm* m_uebOpt;
    TUebOptFragenForm* m_fragen;
    TUebOptKorbForm* m_korb;
    TUebOptKreuzverbindungForm* m_kreuz;
    TNotenskalaForm* m_notenskala;
    TUebungsrueckmeldungForm* m_rueckmeldung;
    TKennzInfoBox* m_kennzInfo;
    SoundPlayer* m_sounds;
};

} // namespace quorvel
