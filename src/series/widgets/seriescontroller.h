// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seriesrun.h"
#include "shellparticipant.h"

#include <QObject>
#include <memory>

namespace quorvel {

class ExerciseController;
class ExerciseResultController;
class ExerciseSession;
class Shell;
class TUebSerieFertigForm;
class TUebungsserieForm;

// The exercise series on screen: "Übungs-Serie erstellen..." with its
// dialog, "Übungs-/Testserie ausführen..." and a package named on the
// command line, then the parts one after the other in the exercise window,
// the message between parts, the summary window and the series protocol in
// the protocol window. Aborting a part ends the series. Registers itself
// with the shell.
class SeriesController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    SeriesController(Shell& shell, ExerciseController& exercise, ExerciseResultController& results);
    ~SeriesController() override;

    // "Übungs-Serie erstellen...": refused during an exercise.
    void createSeries();
    // "Übungs-/Testserie ausführen...": the open dialog, then openPackage().
    void runPackage();
    // Reads the package; once control returns, asks to start it and runs it.
    // False when it cannot be read.
    bool openPackage(const QString& path) override;
    // Runs `series` (`packagePath` empty: from the dialog); false when its
    // first part did not start.
    bool run(SeriesPackage series, const QString& packagePath);

    // The end of a series part (its protocol is complete): the message, then
    // the next part or the summary. True when the next part runs.
    bool partEnded(ExerciseSession& session);

    bool running() const { return m_run != nullptr; }
    const SeriesRun* seriesRun() const { return m_run.get(); }
    TUebungsserieForm* form() const { return m_form; }
    TUebSerieFertigForm* summary() const { return m_summary; }

    void modusChanged(Modus modus) override;

private:
    bool startPart();
    void finish();
    void end();

    Shell& m_shell;
    ExerciseController& m_exercise;
    ExerciseResultController& m_results;
    TUebungsserieForm* m_form;
    TUebSerieFertigForm* m_summary;
    std::unique_ptr<SeriesRun> m_run;
    QString m_name;
    bool m_switching = false; // a part is being started: the learning view comes back on the way
};

} // namespace quorvel
