#pragma once

#include "topiclist.h"

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;
class QWidgetAction;

namespace quorvel {

class DocumentController;
class MainMenu;
class TitleBar;
class TopicMenuColumns;
class TThemenlisteForm;
struct ShellContext;

// The topic folder: the "&Themenauswahl" entries of the documents of the
// folder, sixty per page (two columns above 25 entries), the commands that step
// through the list, change or re-read the folder and go back, the title of the
// open document in the title bar with its number, and the list window.
class TopicMenuController : public QObject {
    Q_OBJECT
public:
    TopicMenuController(ShellContext& context, MainMenu& menu, QMenuBar& bar,
                        DocumentController& documents, TitleBar& titleBar, QWidget* window);

    const TopicList& liste() const { return m_liste; }
    // The entry of the open document, -1 when it is not in the list.
    int currentIndex() const { return m_current; }
    int pageStart() const { return m_pageStart; }
    QAction* entryAction(int index) const;
    TopicMenuColumns* columns() const { return m_columns; }
    QMenu* menu() const { return m_topicMenu; }
    TThemenlisteForm* listWindow() const { return m_listWindow; }
    bool titleHidden() const { return m_titleHidden; }

    // Tests replace the folder dialog (empty: cancelled).
    void setFolderChooser(std::function<QString()> chooser) { m_chooseFolder = std::move(chooser); }

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
    void reopenMenu();
    void updateTitle();
    void markCurrent();
    bool askBeforeLeaving();
    void refreshUnlessDone(int refreshesBefore);
    void tellCount();
    QString listFolder() const;

    ShellContext& m_context;
    MainMenu& m_menu;
    QMenuBar& m_bar;
    DocumentController& m_documents;
    TitleBar& m_titleBar;
    QWidget* m_window;
    QMenu* m_topicMenu;
    QActionGroup* m_group;
    QWidgetAction* m_columnsAction;
    TopicMenuColumns* m_columns;
    TThemenlisteForm* m_listWindow;
    QList<QAction*> m_entries;
    TopicList m_liste;
    int m_current = -1;
    int m_pageStart = 0;
    int m_refreshes = 0;
    bool m_titleHidden = false;
    std::function<QString()> m_chooseFolder;
};

} // namespace quorvel
