// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlistcontroller.h"

#include "document.h"
#include "resultfolders.h"
#include "settings.h"
#include "shell.h"
#include "tbestlistform.h"
#include "tbestlistverzform.h"

#include <QApplication>
#include <QCursor>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace quorvel {

QString msgBestListEntered() {
    return u"Das Ergebnis wurde in die Bestenliste eingetragen."_s;
}

BestListController::BestListController(Shell& shell, QObject* parent)
    : QObject(parent), m_shell(shell) {
    CommandRegistry& commands = shell.commands();
    commands.onTriggered(u"BestenlisteIndividualUebung1"_s, this, [this] { showIndividualList(); });
    commands.onTriggered(u"BestenlisteNetzwerkUebung1"_s, this, [this] { showNetworkList(); });
    commands.onTriggered(u"BestenlisteNetzwerkbung1"_s, this, [this] { showNetworkList(); });
    commands.onTriggered(u"Dateiordner1"_s, this, [this] { showFolders(); });
}

void BestListController::showIndividualList() {
    if (m_participating) {
        m_shell.dialogs().information(
            u"Während der Netzwerk-Übung ist die Bestenliste der Individual-Übung nicht einsehbar."_s);
        return;
    }
    const QString documentPath = m_shell.session().document().file;
    if (documentPath.isEmpty()) {
        m_shell.dialogs().information(
            u"Da das aktuelle Dokument nicht gespeichert wurde, bzw. kein Dokument geöffnet wurde, ist keine Bestenliste verfügbar."_s);
        return;
    }
    showList(individualBestListPath(m_shell.settings().BestListOrdner, documentPath),
             BestListKind::Individual, u"Bestenliste - Individual-Übung"_s,
             u"Teil-Wiederholungen werden nicht berücksichtigt."_s);
}

void BestListController::showNetworkList() {
    const Settings& settings = m_shell.settings();
    showList(networkBestListPath(settings.NetzKomOrdner, settings.NetzKomKanal),
             BestListKind::Network, u"Bestenliste - Netzwerk-Übung"_s, {});
}

void BestListController::showList(const QString& path, BestListKind kind, const QString& caption,
                                  const QString& note) {
    QList<BestListDataTyp> entries;
    const IoResult result = readBestList(path, kind, entries);
    for (const QString& message : result.messages) {
        if (result)
            m_shell.dialogs().information(message);
        else
            m_shell.dialogs().error(message);
    }
    rankBestList(entries);
    if (!m_form)
        m_form = new TBestListForm(m_shell, m_shell.dialogParent());
    m_form->setList(caption, entries, note);
    m_form->exec();
}

bool BestListController::showFolders() {
    if (!m_folderForm)
        m_folderForm = new TBestListVerzForm(m_shell, m_shell.dialogParent());
    m_folderForm->load();
    return m_folderForm->exec() == QDialog::Accepted;
}

bool BestListController::canEnter(const UebungsSitzung& run) const {
    const bool ended = run.EndeGrund == EndReason::Completed || run.EndeGrund == EndReason::TimeOut;
    return ended && entersBestList(run.SitzungsArt, run.AbfrageAnz, run.AbfrageAnzGesamt) &&
           !m_shell.session().document().file.isEmpty();
}

BestListEntry BestListController::enterResult(const UebungsSitzung& run, qint64 elapsedMs) {
    if (!canEnter(run))
        return BestListEntry::NotEligible;
    // An empty folder setting would put the list into whatever folder the
    // program was started from.
    if (m_shell.settings().BestListOrdner.trimmed().isEmpty()) {
        m_shell.dialogs().error(msgInvalidResultFolder(ResultFolder::BestLists));
        return BestListEntry::Failed;
    }
    const QString path = individualBestListPath(m_shell.settings().BestListOrdner,
                                                m_shell.session().document().file);
    ResultFolderTexts folder;
    folder[int(ResultFolder::BestLists)] = m_shell.settings().BestListOrdner;
    createDefaultResultFolders(folder, m_shell.state().programFolder);
    const BestListDataTyp entry =
        individualBestListEntry(run.TeilnehmerName, QSysInfo::machineHostName(), run.StartZeit,
                                elapsedMs, run.Gesamtleistung);
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const IoResult result = appendBestListEntry(path, BestListKind::Individual, entry);
    QApplication::restoreOverrideCursor();
    if (result)
        return BestListEntry::Entered;
    for (const QString& message : result.messages)
        m_shell.dialogs().error(message);
    return bestListUnreadable(result) ? BestListEntry::Unreadable : BestListEntry::Failed;
}

BestListEntry BestListController::enterAutomatically(const UebungsSitzung& run, qint64 elapsedMs) {
    if (!m_shell.settings().ErgebBestListEintragen)
        return BestListEntry::NotEligible;
    return enterResult(run, elapsedMs);
}

BestListEntry BestListController::enterFromButton(const UebungsSitzung& run, qint64 elapsedMs) {
    const BestListEntry outcome = enterResult(run, elapsedMs);
    if (outcome == BestListEntry::Failed)
        showFolders();
    return outcome;
}

} // namespace quorvel
