// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "networkteacher.h"
#include "shellparticipant.h"
#include "typecodes.h"

#include <QImage>
#include <QObject>
#include <functional>

namespace quorvel {

class ExerciseOptionsDialog;
class ExerciseSettingsController;
class LessonCodeField;
class Shell;
class TKommVerzForm;
class TMasterProtForm;

// The teacher's side of the network exercise in the program: the menu
// "Lehrer&steuerung" (initiate through the exercise settings dialog of the
// document's type, end, the control display) and "Netzwerk-&Kommunikation...",
// the control display fed live, and the end of the exercise when the program
// closes. Registers itself with the shell; the shell's window is its parent.
class NetworkTeacherController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    NetworkTeacherController(Shell& shell, ExerciseSettingsController& exerciseSettings);
    ~NetworkTeacherController() override;

    // "&Netzwerk-Übung initiieren...": true when a new exercise runs.
    bool initiate();
    // "Netzwerk-Übung &beenden" and the display's button: asks first; true
    // when the exercise ended.
    bool end();
    // "&Kontrollanzeige...".
    void showDisplay();
    // "Netzwerk-&Kommunikation...".
    void editCommunication();
    // Where the class picture takes the learning view's composed page from.
    void setComposedPage(std::function<QImage()> page) { m_composedPage = std::move(page); }

    // This computer is the teacher of a running network exercise.
    bool teaching() const { return m_teacher.running(); }
    NetworkTeacher& teacher() { return m_teacher; }
    TMasterProtForm* display() const { return m_display; }
    // Null until "Netzwerk-&Kommunikation..." was first chosen.
    TKommVerzForm* communicationForm() const { return m_communication; }
    // The lesson code field in the network panel of the settings dialog of
    // `dokTyp`.
    LessonCodeField* lessonCodeField(DokTyp dokTyp) const;

    void modusChanged(Modus modus) override;
    // The program closes: the exercise ends and its exchange files go; the
    // best list stays.
    void stopForShutdown() override;

private:
    void updateCommands();
    void showProblem(const QString& message);

    Shell& m_shell;
    ExerciseSettingsController& m_exerciseSettings;
    NetworkTeacher m_teacher;
    TMasterProtForm* m_display;
    TKommVerzForm* m_communication = nullptr;
    bool m_showingProblem = false;
    std::function<QImage()> m_composedPage;
};

} // namespace quorvel
