// SPDX-License-Identifier: GPL-3.0-or-later
#include "topicmenucontroller.h"

#include "document.h"
#include "programfolders.h"
#include "shell.h"
#include "themenlisteform.h"
#include "topiclistreport.h"
#include "topicmenucolumns.h"
#include "topicmenupages.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidgetAction>

namespace quorvel {

namespace {

QString samePathKey(const QString& path) {
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

TopicMenuController::TopicMenuController(Shell& shell)
    : QObject(shell.dialogParent()), m_shell(shell),
      m_topicMenu(shell.commands().menu(QStringLiteral("Themenauswahl1"))),
      m_group(new QActionGroup(this)), m_columnsAction(new QWidgetAction(this)),
      m_columns(new TopicMenuColumns),
      m_listWindow(new TThemenlisteForm(shell, shell.dialogParent())) {
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    m_columnsAction->setObjectName(QStringLiteral("ThemenSpaltenItem"));
    m_columnsAction->setDefaultWidget(m_columns);
    m_columnsAction->setVisible(false);
    m_topicMenu->addAction(m_columnsAction);
    connect(m_columns, &TopicMenuColumns::entryChosen, this,
            [this](QAction* entry) { openEntry(entry->data().toInt()); });

    CommandRegistry& commands = m_shell.commands();
    const auto command = [this, &commands](const char16_t* name,
                                           void (TopicMenuController::*handler)()) {
        commands.onTriggered(QString::fromUtf16(name), this,
                             [this, handler] { (this->*handler)(); });
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
    m_shell.titleStrip().onTitleClicked(this, [this] { toggleTitle(); });

    m_shell.addParticipant(*this);
    showPage();
}

void TopicMenuController::shellActivated() {
    m_activated = true;
    refresh();
}

void TopicMenuController::documentOpened() {
    if (m_activated)
        refresh();
}

void TopicMenuController::documentClosed() {
    if (m_activated)
        refresh();
}

QAction* TopicMenuController::entryAction(int index) const {
    return index >= 0 && index < m_entries.size() ? m_entries[index] : nullptr;
}

QString TopicMenuController::listFolder() const {
    const DocumentSession& session = m_shell.session();
    const QString open = m_shell.session().document().file;
    if (session.isOpen() && !open.isEmpty())
        return withTrailingSlash(QFileInfo(open).absolutePath());
    const MainWindowState& state = m_shell.state();
    return state.currentFolder.isEmpty() ? state.topicFolder : state.currentFolder;
}

void TopicMenuController::refresh() {
    ++m_refreshes;
    m_list = readTopicList(listFolder());
    rebuildEntries();
    markCurrent();
    m_pageStart = 0;
    if (m_current >= 0)
        m_pageStart = pageStartFor(m_current, m_pageStart, int(m_list.size()));
    showPage();
    updateTitle();
}

void TopicMenuController::rebuildEntries() {
    // The items are reused: the one whose command re-reads the list is still
    // running when this happens. Surplus items go once control returns.
    const int count = int(m_list.size());
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
        action->setText(topicMenuCaption(index, shownTitle(m_list[size_t(index)])));
        action->setVisible(false);
    }
}

void TopicMenuController::markCurrent() {
    m_current = -1;
    if (m_shell.session().isOpen()) {
        const QString open = samePathKey(m_shell.session().document().file);
        for (size_t i = 0; i < m_list.size(); ++i) {
            if (samePathKey(m_list[i].file) == open) {
                m_current = int(i);
                break;
            }
        }
    }
    for (QAction* action : std::as_const(m_entries))
        action->setChecked(action->data().toInt() == m_current);
}

void TopicMenuController::showPage() {
    const int count = int(m_list.size());
    m_pageStart = clampPageStart(m_pageStart, count);
    const TopicMenuPage page = topicMenuPage(m_pageStart, count);
    m_pageStart = page.start;

    CommandRegistry& commands = m_shell.commands();
    const QString previous = QStringLiteral("Vorherige60Dokumente1");
    const QString next = QStringLiteral("Naechste60Dokumente1");
    commands.setText(previous, page.previousCaption);
    commands.setText(next, page.nextCaption);
    commands.setAvailable(previous, page.previousEnabled);
    commands.setAvailable(next, page.nextEnabled);

    // Up to 25 entries stand in the menu itself; more go into the two columns.
    const bool twoColumns = page.columnBreakBefore >= 0;
    QList<QAction*> shown;
    for (int i = 0; i < count; ++i) {
        const bool onPage = i >= page.start && i < page.end;
        m_entries[i]->setVisible(onPage && !twoColumns);
        if (onPage)
            shown.append(m_entries[i]);
    }
    m_columns->setEntries(twoColumns ? shown : QList<QAction*>(),
                          twoColumns ? page.columnBreakBefore - page.start : -1);
    m_columnsAction->setVisible(twoColumns);
}

void TopicMenuController::showPreviousPage() {
    m_pageStart = clampPageStart(m_pageStart - kTopicsPerPage, int(m_list.size()));
    showPage();
    m_shell.commands().reopenMenu(QStringLiteral("Themenauswahl1"));
}

void TopicMenuController::showNextPage() {
    m_pageStart = clampPageStart(m_pageStart + kTopicsPerPage, int(m_list.size()));
    showPage();
    m_shell.commands().reopenMenu(QStringLiteral("Themenauswahl1"));
}

void TopicMenuController::updateTitle() {
    TitleStrip& strip = m_shell.titleStrip();
    if (!m_shell.session().isOpen()) {
        strip.setTitleHint(QString());
        return;
    }
    if (m_titleHidden) {
        strip.setDocumentTitle(QStringLiteral("?"));
        strip.setTitleHint(QStringLiteral("Titel anzeigen"));
        return;
    }
    QString title = m_shell.session().document().header.titel.trimmed();
    if (title.isEmpty())
        title = QStringLiteral("(ohne Titel)");
    if (m_current >= 0)
        title = u'(' + QString::number(m_current + 1) + QStringLiteral(") ") + title;
    strip.setDocumentTitle(title);
    strip.setTitleHint(QStringLiteral("Titel verbergen"));
}

void TopicMenuController::toggleTitle() {
    if (!m_shell.session().isOpen())
        return;
    m_titleHidden = !m_titleHidden;
    updateTitle();
}

void TopicMenuController::refreshUnlessDone(int refreshesBefore) {
    // Opening or closing a document re-reads the list through the main window;
    // where nothing changed (or before the window's first activation) it is read here.
    if (m_refreshes == refreshesBefore)
        refresh();
}

void TopicMenuController::openEntry(int index) {
    if (index < 0 || index >= int(m_list.size()))
        return;
    const QString path = m_list[size_t(index)].file;
    const int before = m_refreshes;
    if (m_shell.session().askBeforeLeaving())
        m_shell.session().readAsCurrent(path);
    refreshUnlessDone(before);
    markCurrent(); // a cancelled opening leaves the radio mark where it was
}

void TopicMenuController::nextDocument() {
    if (m_shell.modus() != Modus::LearningView)
        return;
    const int target = neighbourEntry(m_current, 1, int(m_list.size()));
    if (target >= 0 && target != m_current)
        openEntry(target);
}

void TopicMenuController::previousDocument() {
    if (m_shell.modus() != Modus::LearningView)
        return;
    const int target = neighbourEntry(m_current, -1, int(m_list.size()));
    if (target >= 0 && target != m_current)
        openEntry(target);
}

void TopicMenuController::startPage() {
    if (!m_shell.session().askBeforeLeaving())
        return;
    const MainWindowState& state = m_shell.state();
    const int before = m_refreshes;
    if (!state.commandLineDocument.isEmpty()) {
        m_shell.session().readAsCurrent(state.commandLineDocument);
    } else {
        m_shell.setTopicFolder(state.currentFolder);
        m_shell.session().showEmptyState();
    }
    refreshUnlessDone(before);
}

void TopicMenuController::previouslyShown() {
    const QString previous = m_shell.session().previouslyShownDocument();
    if (m_shell.modus() != Modus::LearningView || previous.isEmpty())
        return;
    if (!m_shell.session().askBeforeLeaving())
        return;
    const int before = m_refreshes;
    m_shell.session().readAsCurrent(previous);
    refreshUnlessDone(before);
}

void TopicMenuController::tellCount() {
    m_shell.dialogs().information(
        QString::number(m_list.size()) + QStringLiteral(" Themendokument(e) eingelesen.\r\n") +
        QStringLiteral("Wählen Sie das gewünschte Dokument im Menü \"Themenauswahl\"."));
}

void TopicMenuController::chooseFolder() {
    const QString folder = m_shell.dialogs().chooseFolder(QStringLiteral("Aktuellen Ordner wählen"),
                                                          m_shell.state().currentFolder);
    if (folder.isEmpty() || !m_shell.session().askBeforeLeaving())
        return;
    m_shell.setCurrentFolder(withTrailingSlash(folder));
    const int before = m_refreshes;
    m_shell.session().showEmptyState();
    refreshUnlessDone(before);
    tellCount();
}

void TopicMenuController::reReadFolder() {
    refresh();
    tellCount();
}

void TopicMenuController::showListWindow() {
    m_listWindow->setReport(topicListReport(m_list));
    m_listWindow->show();
    m_listWindow->raise();
    m_listWindow->activateWindow();
}

} // namespace quorvel
