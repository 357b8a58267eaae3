#include "bestlistcontroller.h"

#include "document.h"
#include "settings.h"
#include "shell.h"
#include "tbestlistform.h"

using namespace Qt::StringLiterals;

namespace quorvel {

BestListController::BestListController(Shell& shell, QObject* parent)
    : QObject(parent), m_shell(shell) {
    shell.commands().onTriggered(u"BestenlisteIndividualUebung1"_s, this,
                                 [this] { showIndividualList(); });
}

void BestListController::showIndividualList() {
    const QString documentPath = m_shell.session().document().file;
    if (documentPath.isEmpty()) {
        m_shell.dialogs().information(
            u"Da das aktuelle Dokument nicht gespeichert wurde, bzw. kein Dokument geöffnet wurde, ist keine Bestenliste verfügbar."_s);
        return;
    }
    QList<BestListDataTyp> entries;
    const IoResult result =
        readBestList(individualBestListPath(m_shell.settings().BestListOrdner, documentPath),
                     BestListKind::Individual, entries);
    for (const QString& message : result.messages) {
        if (result)
            m_shell.dialogs().information(message);
        else
            m_shell.dialogs().error(message);
    }
    rankBestList(entries);
    if (!m_form)
        m_form = new TBestListForm(m_shell, m_shell.dialogParent());
    m_form->setList(u"Bestenliste - Individual-Übung"_s, entries,
                    u"Teil-Wiederholungen werden nicht berücksichtigt."_s);
    m_form->exec();
}

} // namespace quorvel
