#include "topicmenucontroller.h"

#include "documentcontroller.h"
#include "mainmenu.h"
#include "programfolders.h"
#include "shellcontext.h"
#include "topiclistreport.h"
#include "titlebar.h"
#include "topicmenucolumns.h"
#include "themenlisteform.h"
#include "topicmenupages.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidgetAction>

namespace quorvel {

namespace {

QString samePathKey(const QString& path) {
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

TopicMenuController::TopicMenuController(ShellContext& context, MainMenu& menu, QMenuBar& bar,
                                         DocumentController& documents, TitleBar& titleBar,
                                         QWidget* window)
    : QObject(window), m_context(context), m_menu(menu), m_bar(bar), m_documents(documents),
      m_titleBar(titleBar), m_window(window),
      m_topicMenu(menu.menu(QStringLiteral("Themenauswahl1"))), m_group(new QActionGroup(this)),
      m_columnsAction(new QWidgetAction(this)), m_columns(new TopicMenuColumns),
      m_listWindow(new TThemenlisteForm(window)) {
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    m_columnsAction->setObjectName(QStringLiteral("ThemenSpaltenItem"));
    m_columnsAction->setDefaultWidget(m_columns);
    m_columnsAction->setVisible(false);
    m_topicMenu->addAction(m_columnsAction);
    connect(m_columns, &TopicMenuColumns::entryChosen, this,
            [this](QAction* entry) { openEntry(entry->data().toInt()); });
    m_listWindow->setPrompter([this]() -> UserPrompter& { return m_context.prompt(); });

    const auto command = [this](const char16_t* name, void (TopicMenuController::*handler)()) {
        const QString objectName = QString::fromUtf16(name);
        m_menu.setAvailable(objectName, true);
        connect(m_menu.action(objectName), &QAction::triggered, this, handler);
    };
    command(u"Startseite1", &TopicMenuController::startPage);
    command(u"ZuvorangezeigtesDokument1", &TopicMenuController::previouslyShown);
    command(u"VorherigesDokumentderListe1", &TopicMenuController::previousDocument);
    command(u"NaechstesDokumentderListe1", &TopicMenuController::nextDocument);
    command(u"AktuellenOrdnerneueinlesen1", &TopicMenuController::reReadFolder);
    command(u"Ordnerwaehlen1", &TopicMenuController::chooseFolder);
    command(u"Themenlistedrucken1", &TopicMenuController::showListWindow);
    command(u"Vorherige60Dokumente1", &TopicMenuController::showPreviousPage);
    command(u"Naechste60Dokumente1", &TopicMenuController::showNextPage);

    connect(&m_titleBar, &TitleBar::previousRequested, this,
            &TopicMenuController::previousDocument);
    connect(&m_titleBar, &TitleBar::nextRequested, this, &TopicMenuController::nextDocument);
    connect(&m_titleBar, &TitleBar::titleClicked, this, &TopicMenuController::toggleTitle);

    m_context.hooks.refreshTopicList = [this] { refresh(); };
    showPage();
}

QAction* TopicMenuController::entryAction(int index) const {
    return index >= 0 && index < m_entries.size() ? m_entries[index] : nullptr;
}

QString TopicMenuController::listFolder() const {
    if (m_context.documentOpen && !m_context.document.datei.isEmpty())
        return withTrailingSlash(QFileInfo(m_context.document.datei).absolutePath());
    const MainWindowState& state = m_context.state;
    return state.currentFolder.isEmpty() ? state.topicFolder : state.currentFolder;
}

void TopicMenuController::refresh() {
    ++m_refreshes;
    m_liste = readTopicList(listFolder());
    rebuildEntries();
    markCurrent();
    m_pageStart = 0;
    if (m_current >= 0)
        m_pageStart = pageStartFor(m_current, m_pageStart, int(m_liste.size()));
    showPage();
    updateTitle();
}

void TopicMenuController::rebuildEntries() {
    // The items are reused: the one whose command re-reads the list is still
    // running when this happens. Surplus items go once control returns.
    const int count = int(m_liste.size());
    while (m_entries.size() > count) {
        QAction* surplus = m_entries.takeLast();
        m_topicMenu->removeAction(surplus);
        m_group->removeAction(surplus);
        surplus->deleteLater();
    }
    for (int index = 0; index < count; ++index) {
        QAction* action = nullptr;
        if (index < m_entries.size()) {
            action = m_entries[index];
        } else {
            action = new QAction(m_topicMenu);
            action->setObjectName(QStringLiteral("MenueThemaItem") + QString::number(index));
            action->setData(index);
            action->setCheckable(true);
            m_group->addAction(action);
            connect(action, &QAction::triggered, this,
                    [this, action] { openEntry(action->data().toInt()); });
            m_topicMenu->insertAction(m_columnsAction, action);
            m_entries.append(action);
        }
        action->setText(topicMenuCaption(index, shownTitle(m_liste[size_t(index)])));
        action->setVisible(false);
    }
}

void TopicMenuController::markCurrent() {
    m_current = -1;
    if (m_context.documentOpen) {
        const QString open = samePathKey(m_context.document.datei);
        for (size_t i = 0; i < m_liste.size(); ++i) {
            if (samePathKey(m_liste[i].datei) == open) {
                m_current = int(i);
                break;
            }
        }
    }
    for (QAction* action : std::as_const(m_entries))
        action->setChecked(action->data().toInt() == m_current);
}

void TopicMenuController::showPage() {
    const int count = int(m_liste.size());
    m_pageStart = clampPageStart(m_pageStart, count);
    const TopicMenuPage seite = topicMenuPage(m_pageStart, count);
    m_pageStart = seite.start;

    QAction* previous = m_menu.action(QStringLiteral("Vorherige60Dokumente1"));
    QAction* next = m_menu.action(QStringLiteral("Naechste60Dokumente1"));
    previous->setText(seite.previousCaption);
    next->setText(seite.nextCaption);
    m_menu.setAvailable(previous->objectName(), seite.previousEnabled);
    m_menu.setAvailable(next->objectName(), seite.nextEnabled);

    // Up to 25 entries stand in the menu itself; more go into the two columns.
    const bool twoColumns = seite.columnBreakBefore >= 0;
    QList<QAction*> shown;
    for (int i = 0; i < count; ++i) {
        const bool onPage = i >= seite.start && i < seite.end;
        m_entries[i]->setVisible(onPage && !twoColumns);
        if (onPage)
            shown.append(m_entries[i]);
    }
    m_columns->setEntries(twoColumns ? shown : QList<QAction*>(),
                          twoColumns ? seite.columnBreakBefore - seite.start : -1);
    m_columnsAction->setVisible(twoColumns);
}

void TopicMenuController::reopenMenu() {
    // The menu closed when the paging item ran; it opens again at the new page.
    QTimer::singleShot(0, this, [this] {
        if (m_bar.isVisible() && m_topicMenu->menuAction()->isEnabled())
            m_bar.setActiveAction(m_topicMenu->menuAction());
    });
}

void TopicMenuController::showPreviousPage() {
    m_pageStart = clampPageStart(m_pageStart - kTopicsPerPage, int(m_liste.size()));
    showPage();
    reopenMenu();
}

void TopicMenuController::showNextPage() {
    m_pageStart = clampPageStart(m_pageStart + kTopicsPerPage, int(m_liste.size()));
    showPage();
    reopenMenu();
}

void TopicMenuController::updateTitle() {
    if (!m_context.documentOpen) {
        m_titleBar.setTitleHint(QString());
        return;
    }
    if (m_titleHidden) {
        m_titleBar.setDocumentTitle(QStringLiteral("?"));
        m_titleBar.setTitleHint(QStringLiteral("Titel anzeigen"));
        return;
    }
    QString title = m_context.document.header.titel.trimmed();
    if (title.isEmpty())
        title = QStringLiteral("(ohne Titel)");
    if (m_current >= 0)
        title = u'(' + QString::number(m_current + 1) + QStringLiteral(") ") + title;
    m_titleBar.setDocumentTitle(title);
    m_titleBar.setTitleHint(QStringLiteral("Titel verbergen"));
}

void TopicMenuController::toggleTitle() {
    if (!m_context.documentOpen)
        return;
    m_titleHidden = !m_titleHidden;
    updateTitle();
}

bool TopicMenuController::askBeforeLeaving() {
    return askAbortRun(m_context.state.Modus, m_context.shutdownHooks, m_context.prompt()) &&
           askSaveChanges(m_context.document, m_context.shutdownHooks, m_context.prompt());
}

void TopicMenuController::refreshUnlessDone(int refreshesBefore) {
    // Opening or closing a document re-reads the list through the main window;
    // where nothing changed (or before the window's first activation) it is read here.
    if (m_refreshes == refreshesBefore)
        refresh();
}

void TopicMenuController::openEntry(int index) {
    if (index < 0 || index >= int(m_liste.size()))
        return;
    const QString path = m_liste[size_t(index)].datei;
    const int before = m_refreshes;
    if (askBeforeLeaving())
        m_documents.readAsCurrent(path);
    refreshUnlessDone(before);
    markCurrent(); // a cancelled opening leaves the radio mark where it was
}

void TopicMenuController::nextDocument() {
    if (m_context.state.Modus != ModeLearningView)
        return;
    const int target = neighbourEntry(m_current, 1, int(m_liste.size()));
    if (target >= 0 && target != m_current)
        openEntry(target);
}

void TopicMenuController::previousDocument() {
    if (m_context.state.Modus != ModeLearningView)
        return;
    const int target = neighbourEntry(m_current, -1, int(m_liste.size()));
    if (target >= 0 && target != m_current)
        openEntry(target);
}

void TopicMenuController::startPage() {
    if (!askBeforeLeaving())
        return;
    MainWindowState& state = m_context.state;
    const int before = m_refreshes;
    if (!state.commandLineDocument.isEmpty()) {
        m_documents.readAsCurrent(state.commandLineDocument);
    } else {
        state.topicFolder = state.currentFolder;
        m_documents.showEmptyState();
    }
    refreshUnlessDone(before);
}

void TopicMenuController::previouslyShown() {
    const QString previous = m_context.document.previousFile;
    if (m_context.state.Modus != ModeLearningView || previous.isEmpty())
        return;
    if (!askBeforeLeaving())
        return;
    const int before = m_refreshes;
    m_documents.readAsCurrent(previous);
    refreshUnlessDone(before);
}

void TopicMenuController::tellCount() {
    m_context.prompt().information(
        QString::number(m_liste.size()) + QStringLiteral(" Themendokument(e) eingelesen.\r\n") +
        QStringLiteral("Wählen Sie das gewünschte Dokument im Menü \"Themenauswahl\"."));
}

void TopicMenuController::chooseFolder() {
    MainWindowState& state = m_context.state;
    QString folder;
    if (m_chooseFolder)
        folder = m_chooseFolder();
    else
        folder = QFileDialog::getExistingDirectory(
            m_window, QStringLiteral("Aktuellen Ordner wählen"), state.currentFolder);
    if (folder.isEmpty() || !askBeforeLeaving())
        return;
    state.currentFolder = withTrailingSlash(folder);
    const int before = m_refreshes;
    m_documents.showEmptyState();
    refreshUnlessDone(before);
    tellCount();
}

void TopicMenuController::reReadFolder() {
    refresh();
    tellCount();
}

void TopicMenuController::showListWindow() {
    m_listWindow->setReport(topicListReport(m_liste));
    m_listWindow->show();
    m_listWindow->raise();
    m_listWindow->activateWindow();
}

} // namespace quorvel
