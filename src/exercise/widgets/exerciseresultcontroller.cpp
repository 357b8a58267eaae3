// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseresultcontroller.h"

#include "bestlistcontroller.h"
#include "document.h"
#include "exerciseresult.h"
#include "exerciserun.h"
#include "exercisesession.h"
#include "protocolfile.h"
#include "settings.h"
#include "shell.h"
#include "tuebfertigform.h"

#include <QDateTime>
#include <QPushButton>
#include <QSysInfo>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

ExerciseResultController::ExerciseResultController(Shell& shell, BestListController& bestLists,
                                                   QObject* parent)
    : QObject(parent), m_shell(shell), m_bestLists(bestLists),
      m_protocol(new TUebProtokollForm(shell, shell.dialogParent())),
      m_result(new TUebFertigForm(shell.dialogParent())) {
    shell.commands().onTriggered(u"ProtokollderletztenUebung1"_s, this, [this] { showProtocol(); });
    connect(m_result, &TUebFertigForm::protocolRequested, this,
            &ExerciseResultController::showProtocol);
}

void ExerciseResultController::showProtocol() {
    m_protocol->exec();
}

void ExerciseResultController::setMailHandOver(MailHandOver handOver) {
    m_protocol->setMailHandOver(std::move(handOver));
}

void ExerciseResultController::connectSession(ExerciseSession& session) {
    const Settings& settings = m_shell.settings();
    session.setProtocolSaving(
        {settings.AutoProtSpeichern, settings.ProtOrdner, QSysInfo::machineHostName()});
    session.setErrorReport([this](const QString& message) { m_shell.dialogs().error(message); });
    session.setBestListEntry([this](const ExerciseRun& run) {
        return m_bestLists.enterAutomatically(run) == BestListEntry::Entered;
    });
}

void ExerciseResultController::showProtocolOf(const ExerciseRun& run, const QString& markup) {
    m_protocol->setProtocol(markup, run.document().file,
                            run.session().SitzungsArt == SessionKind::SeriesPart);
}

void ExerciseResultController::completeProtocol(ExerciseSession& session) {
    connectSession(session);
    showProtocolOf(session.run(), session.completeProtocol(QDateTime::currentDateTime()));
}

ResultChoice ExerciseResultController::showExerciseResult(ExerciseSession& session,
                                                          const Restart& restart) {
    connectSession(session);
    const ExerciseRun& run = session.run();
    const UebungsSitzung& s = run.session();
    const SessionEnd end = session.complete(QDateTime::currentDateTime());
    showProtocolOf(run, end.protocol);
    if (end.seriesPart)
        return ResultChoice::Left;

    if (!m_shell.settings().UebErgebAnzeigen && s.SitzungsArt != SessionKind::NetworkParticipant) {
        m_shell.dialogs().information(u"Die Übung ist beendet."_s);
        return ResultChoice::Left;
    }

    m_result->setResult(end.result, end.enteredInBestList, m_bestLists.canEnter(s));
    const bool individual = s.SitzungsArt == SessionKind::Individual;
    // The connections live for one showing: they refer to this run.
    QObject scope;
    connect(m_result, &TUebFertigForm::bestListRequested, &scope, [this, individual] {
        if (individual)
            m_bestLists.showIndividualList();
        else
            m_bestLists.showNetworkList();
    });
    connect(m_result, &TUebFertigForm::enterBestListRequested, &scope, [this, &run] {
        if (m_bestLists.enterFromButton(run) == BestListEntry::Entered)
            m_result->showEnteredInBestList();
    });
    for (;;) {
        if (m_result->exec() != QDialog::Accepted)
            return ResultChoice::Left;
        if (restart && restart(m_result->repetitionMode()))
            return ResultChoice::Repeated;
    }
}

} // namespace quorvel
