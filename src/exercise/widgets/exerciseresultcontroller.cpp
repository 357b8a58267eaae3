// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseresultcontroller.h"

#include "bestlistcontroller.h"
#include "document.h"
#include "exerciseresult.h"
#include "exerciserun.h"
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

void ExerciseResultController::completeProtocol(const ExerciseRun& run) {
    const QString markup = run.protocol();
    const UebungsSitzung& s = run.session();
    m_protocol->setProtocol(markup, run.document().file, s.SitzungsArt == SessionKind::SeriesPart);
    const Settings& settings = m_shell.settings();
    if (!settings.AutoProtSpeichern)
        return;
    const IoResult saved = autoSaveProtocol(settings.ProtOrdner, QSysInfo::machineHostName(),
                                            QDateTime::currentDateTime(), markup);
    for (const QString& message : saved.messages)
        m_shell.dialogs().error(message);
}

ResultChoice ExerciseResultController::showExerciseResult(const ExerciseRun& run,
                                                          const Restart& restart) {
    completeProtocol(run);
    const UebungsSitzung& s = run.session();
    if (s.SitzungsArt == SessionKind::SeriesPart)
        return ResultChoice::Left;

    const ExerciseResult result = exerciseResultOf(run);
    const bool entered = m_bestLists.enterAutomatically(run) == BestListEntry::Entered;

    if (!m_shell.settings().UebErgebAnzeigen && s.SitzungsArt != SessionKind::NetworkParticipant) {
        m_shell.dialogs().information(u"Die Übung ist beendet."_s);
        return ResultChoice::Left;
    }

    m_result->setResult(result, entered, m_bestLists.canEnter(s));
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
