// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bestlist.h"
#include "exerciserun.h"

#include <QObject>

namespace quorvel {

class Shell;
class TBestListForm;
class TBestListVerzForm;

// What entering a run's result came to.
enum class BestListEntry {
    Entered,     // the entry is in the list
    NotEligible, // not a complete, ended individual run of a saved document: nothing done
    Failed,      // no folder set or every attempt failed; the message has been shown
    Unreadable,  // the list's file is damaged and stays as it was; the read error has been shown
};

// The line of the result window after a successful entry.
QString msgBestListEntered();

// The best lists of the program: the list window for the individual and the
// network list, entering a finished run's result, and the folder dialog
// "&Dateiordner...".
class BestListController : public QObject {
    Q_OBJECT
public:
    explicit BestListController(Shell& shell, QObject* parent = nullptr);

    // "&Bestenliste Individual-Übung...": refused during a network
    // participation and for a document without a file.
    void showIndividualList();
    // "Besten&liste Netzwerk-Übung..." and the teacher menu's item: the list
    // in the communication folder.
    void showNetworkList();
    // "&Dateiordner...": true when the folders were stored.
    bool showFolders();

    // Whether `run` may enter the best list of the open document: an
    // individual run that asked the complete exercise and ended (completed
    // or timed out, not aborted), of a document that has a file.
    bool canEnter(const UebungsSitzung& run) const;
    // Appends the result of the finished `run` (`elapsedMs` its duration) to
    // the open document's list, up to five attempts 100 ms apart, with the
    // busy cursor. A failure shows the write error.
    BestListEntry enterResult(const UebungsSitzung& run, qint64 elapsedMs);
    // The end of a run: enters it when "Opt-ErgebBestListEintragen" is on.
    // Entered: the result window shows "Das Ergebnis wurde in die
    // Bestenliste eingetragen." and no button; otherwise (option off:
    // NotEligible) it offers the button when canEnter().
    BestListEntry enterAutomatically(const UebungsSitzung& run, qint64 elapsedMs);
    // The result window's "In Bestenliste eintragen": a failure opens the
    // folder dialog after its message, unless the list's file is damaged
    // (another folder would not mend it).
    BestListEntry enterFromButton(const UebungsSitzung& run, qint64 elapsedMs);

    // The same for the engine's finished run.
    BestListEntry enterResult(const ExerciseRun& run) {
        return enterResult(run.session(), run.elapsedMs());
    }
    BestListEntry enterAutomatically(const ExerciseRun& run) {
        return enterAutomatically(run.session(), run.elapsedMs());
    }
    BestListEntry enterFromButton(const ExerciseRun& run) {
        return enterFromButton(run.session(), run.elapsedMs());
    }

    // While this computer takes part in a network exercise, the individual
    // list is not shown.
    void setNetworkParticipation(bool participating) { m_participating = participating; }

    TBestListForm* form() const { return m_form; }
    TBestListVerzForm* folderForm() const { return m_folderForm; }

private:
    void showList(const QString& path, BestListKind kind, const QString& caption,
                  const QString& note);

    Shell& m_shell;
    TBestListForm* m_form = nullptr;
    TBestListVerzForm* m_folderForm = nullptr;
    bool m_participating = false;
};

} // namespace quorvel
