// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriescontroller.h"

#include "commandregistry.h"
#include "document.h"
#include "documentsession.h"
#include "exercisecontroller.h"
#include "exerciseresultcontroller.h"
#include "exercisesession.h"
#include "seriespart.h"
#include "settings.h"
#include "shell.h"
#include "tnameeingabeform.h"
#include "tuebprotokollform.h"
#include "tuebseriefertigform.h"
#include "tuebungsserieform.h"
#include "uebstatuspan.h"
#include "userdialogs.h"

#include <QDateTime>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

const QString kCreate = u"UebungsSerieerstellen1"_s;
const QString kRun = u"UebungsTestserieausfuehren1"_s;

} // namespace

SeriesController::SeriesController(Shell& shell, ExerciseController& exercise,
                                   ExerciseResultController& results)
    : QObject(shell.dialogParent()), m_shell(shell), m_exercise(exercise), m_results(results),
      m_form(new TUebungsserieForm(shell, shell.dialogParent())),
      m_summary(new TUebSerieFertigForm(shell.dialogParent())) {
    m_shell.addParticipant(*this);
    m_shell.commands().onTriggered(kCreate, this, [this] { createSeries(); });
    m_shell.commands().onTriggered(kRun, this, [this] { runPackage(); });
    connect(m_summary, &TUebSerieFertigForm::protocolRequested, this,
            [this] { m_results.showProtocol(); });
}

SeriesController::~SeriesController() = default;

void SeriesController::createSeries() {
    if (m_shell.modus() != Modus::LearningView) {
        m_shell.dialogs().information(msgExerciseRunning());
        return;
    }
    m_form->prepare();
    if (m_form->exec() != QDialog::Accepted)
        return;
    run(m_form->startedSeries(), QString());
}

void SeriesController::runPackage() {
    if (m_shell.modus() != Modus::LearningView) {
        m_shell.dialogs().information(msgExerciseRunning());
        return;
    }
    FileChoice choice;
    choice.title = u"Quorvel-Übungs-Serien-Paket öffnen"_s;
    choice.filter = u"Quorvel-Übungs-Serien-Paket (*.qvusp)|*.qvusp|Alle Dateien (*.*)|*.*"_s;
    choice.defaultSuffix = u"qvusp"_s;
    const QString path = m_shell.dialogs().chooseOpenFile(choice);
    if (!path.isEmpty())
        openPackage(path);
}

bool SeriesController::openPackage(const QString& path) {
    SeriesPackage series;
    const IoResult read = readSeriesPackage(path, series);
    if (!read.ok) {
        for (const QString& message : read.messages)
            m_shell.dialogs().error(message);
        return false;
    }
    // Asked once control returns, so that a package from the command line is
    // asked about over the program's window rather than before it shows.
    QTimer::singleShot(0, this, [this, series = std::move(series), path]() mutable {
        QString information = series.information;
        information.replace(u"<tab>"_s, u" "_s);
        const QString question = u"Die Übungs-Serie wird jetzt gestartet. Fortfahren?\r\n\r\n"_s +
                                 series.title + u"\r\n\r\n"_s + information;
        if (m_shell.dialogs().ask(MessageKind::Confirmation, question, MessageButtons::YesNo) ==
            Answer::Yes)
            run(std::move(series), path);
    });
    return true;
}

bool SeriesController::run(SeriesPackage series, const QString& packagePath) {
    m_run = std::make_unique<SeriesRun>(std::move(series), packagePath);
    if (m_run->partCount() == 0) {
        m_run.reset();
        return false;
    }
    m_name.clear();
    // A package is a test: the name is always asked.
    if (!packagePath.isEmpty() || m_shell.settings().UebNameEingabe)
        m_name = m_exercise.nameForm()->ask(QString());
    return startPart();
}

bool SeriesController::startPart() {
    m_switching = true;
    const UebungsserieDokTyp& entry = m_run->currentEntry();
    DocumentSession& documents = m_shell.session();
    const bool read = m_run->packagePath().isEmpty()
                          ? documents.readAsCurrent(entry.Datei)
                          : documents.readPackagePart(m_run->packagePath(), entry.PaketOffset);
    bool started = false;
    if (read) {
        const Document& document = documents.document();
        const StartRequest request =
            seriesPartRequest(*m_run, dokTypOf(document.header), m_shell.settings(),
                              CrossMatchingTime{}, QDateTime::currentDateTime(), m_name);
        started = m_exercise.startRequest(request);
    }
    m_switching = false;
    if (!started) {
        end();
        return false;
    }
    m_exercise.statusPanel()->setSeriesPart(m_run->currentPart() + 1, m_run->partCount());
    return true;
}

bool SeriesController::partEnded(ExerciseSession& session) {
    if (!m_run)
        return false;
    const UebungsSitzung& part = session.run().session();
    const QString message =
        m_run->partEnded(part.Gesamtleistung, part.preamble, QString::fromUtf8(part.body));
    m_shell.dialogs().information(message);
    if (!m_run->finished())
        return startPart();
    finish();
    return false;
}

void SeriesController::finish() {
    const GradingTable table = gradingTableOf(m_shell.settings());
    const SeriesResult result = m_run->result(table, m_name);
    m_results.protocolWindow()->setProtocol(result.protocol, m_run->packagePath(), true);
    m_summary->setResult(result, table);
    const bool fromPackage = !m_run->packagePath().isEmpty();
    end();
    m_summary->exec();
    // A package's documents live only inside it: the start screen comes back.
    if (fromPackage)
        QTimer::singleShot(0, this, [this] { m_shell.session().showEmptyState(); });
}

void SeriesController::end() {
    m_run.reset();
    m_exercise.statusPanel()->setSeriesPart(0, 0);
}

void SeriesController::modusChanged(Modus modus) {
    // Leaving the exercise other than between two parts (an abort) ends the series.
    if (modus == Modus::LearningView && m_run && !m_switching)
        end();
}

} // namespace quorvel
