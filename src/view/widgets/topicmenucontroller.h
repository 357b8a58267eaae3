// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shellparticipant.h"
#include "topiclist.h"

#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QWidgetAction;

namespace quorvel {

class Shell;
class TopicMenuColumns;
class TThemenlisteForm;

// The topic folder: the "&Themenauswahl" entries of the documents of the
// folder, sixty per page (two columns above 25 entries), the commands that step
// through the list, change or re-read the folder and go back, the title of the
// open document in the title strip with its number, and the list window. The
// list is read anew after the first activation and whenever a document is
// opened or closed.
class TopicMenuController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    // Registers itself with `shell`, whose main window is its parent.
    explicit TopicMenuController(Shell& shell);

    const TopicList& list() const { return m_list; }
    // The entry of the open document, -1 when it is not in the list.
    int currentIndex() const { return m_current; }
    int pageStart() const { return m_pageStart; }
    QAction* entryAction(int index) const;
    TopicMenuColumns* columns() const { return m_columns; }
    QMenu* menu() const { return m_topicMenu; }
    TThemenlisteForm* listWindow() const { return m_listWindow; }

    void shellActivated() override;
    void documentOpened() override;
    void documentClosed() override;

public Q_SLOTS:
    // Reads the folder (of the open document, else the current folder) anew.
    void refresh();
    void openEntry(int index);
    void nextDocument();
    void previousDocument();
    void showPreviousPage();
    void showNextPage();
    void startPage();
    void previouslyShown();
    void chooseFolder();
    void reReadFolder();
    void showListWindow();
    void toggleTitle();

private:
    void rebuildEntries();
    void showPage();
    void updateTitle();
    void markCurrent();
    void refreshUnlessDone(int refreshesBefore);
    void tellCount();
    QString listFolder() const;

    Shell& m_shell;
    QMenu* m_topicMenu;
    QActionGroup* m_group;
    QWidgetAction* m_columnsAction;
    TopicMenuColumns* m_columns;
    TThemenlisteForm* m_listWindow;
    QList<QAction*> m_entries;
    TopicList m_list;
    int m_current = -1;
    int m_pageStart = 0;
    int m_refreshes = 0;
    bool m_activated = false;
    bool m_titleHidden = false;
};

} // namespace quorvel
