#include "mainwindow.h"

#include "quitdialog.h"
#include "documentcontroller.h"
#include "aboutdialog.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "messageboxprompter.h"
#include "optionsmenubinding.h"
#include "rounding.h"
#include "startplan.h"
#include "titlebar.h"
#include "topicmenucontroller.h"
#include "viewexportcontroller.h"
#include "windowstatecontroller.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

QString MainWindow::startPanelText()
{
    return u"Um ein Quorvel-Dokument anzuzeigen,\r\n\r\nrufen Sie das Menü \"Themenauswahl\" oder "
           u"\"Datei / Öffnen\" auf.\r\n\r\n\r\n\r\nFür einen neuen Tafelanschrieb\r\n\r\n"
           u"klicken Sie auf den Knopf \"Neues Blatt\" (rechts bei Tafelanschrieb).\r\n"_s;
}

MainWindow::MainWindow(StartEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , m_cursors(ProgramCursors::create())
{
    setObjectName(u"HauptForm"_s);
    m_context.environment = std::move(environment);
    m_context.state.programFolder = m_context.environment.baseFolder;
    m_context.settings = defaultEinstellungen(m_context.environment.baseFolder);

    auto* central = new QWidget(this);
    m_titleBar = new TitleBar(central);
    m_view = new LearningViewWidget(m_context.document, m_context.layouts, central);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_view, 1);
    setCentralWidget(central);

    m_menu = new MainMenu(menuBar(), this);

    // Every dialog of the shell, created once and reused.
    m_quitDialog = new QuitDialog(this);
    m_aboutDialog = new AboutDialog(this);
    m_documents = new DocumentController(m_context, *m_view, this);
    m_topics = new TopicMenuController(m_context, *m_menu, *menuBar(), *m_documents, *m_titleBar,
                                       this);
    m_viewExport = new ViewExportController(
        *m_view, [this]() -> UserPrompter& { return m_context.prompt(); }, this);
    m_windowStates = new WindowStateController(*this, [this] {
        if (m_context.hooks.relayout)
            m_context.hooks.relayout();
    });
    m_context.prompter = std::make_unique<MessageBoxPrompter>(this, m_quitDialog);

    connect(m_documents, &DocumentController::documentChanged, this, &MainWindow::documentChanged);
    connect(m_view, &LearningViewWidget::firstPainted, this, &MainWindow::firstPainted);
    // The file dialog takes longer to make than the rest of the window: it is
    // made once, right after the window first shows.
    connect(m_view, &LearningViewWidget::firstPainted, this, [this] { m_documents->openDialog(); },
            Qt::QueuedConnection);
    connect(m_titleBar, &TitleBar::abortRequested, this, [this] {
        if (m_context.hooks.abortRun)
            m_context.hooks.abortRun();
    });
    connectCommands();
    bindOptionItems(*m_menu, m_context.settings);
    showOptionSettings(*m_menu, m_context.settings);
    // Tool bar, mouse, commands and points of the learning view.
    new LearningViewController(*this);

    // The start state: learning view, start picture, empty document.
    setModus(ModeLearningView);
    m_view->setStartText(startPanelText());
    m_documents->showEmptyState();
    m_context.document.previousFile.clear();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectCommands()
{
    const auto command = [this](const QString& name, auto handler) {
        m_menu->setAvailable(name, true);
        connect(m_menu->action(name), &QAction::triggered, this, handler);
    };
    command(u"Oeffnen1"_s, [this] { m_documents->openDocument(); });
    command(u"Schliessen1"_s, [this] { m_documents->closeDocument(); });
    command(u"Beenden1"_s, [this] { close(); });
    command(u"Exportieren1"_s, [this] { m_viewExport->exportView(); });
    command(u"InZwischenablagekopieren1"_s, [this] { m_viewExport->copyView(); });
    command(u"Vollbild1"_s, [this] { m_windowStates->toggleFullScreen(); });
    command(u"Fenster1"_s, [this] { m_windowStates->toggleWindowFrame(); });
    command(u"Minimieren1"_s, [this] { m_windowStates->minimise(); });
    command(u"Inhalt1"_s, [this] { showHelpContents(); });
    command(u"Info1"_s, [this] { m_aboutDialog->exec(); });

    auto* fixedSize = new QShortcut(QKeySequence(u"Shift+Alt+G"_s), this);
    fixedSize->setObjectName(u"FesteGroesse1"_s);
    connect(fixedSize, &QShortcut::activated, m_windowStates, &WindowStateController::festeGroesse);
}

void MainWindow::setPrompter(std::unique_ptr<UserPrompter> prompter)
{
    m_context.prompter = std::move(prompter);
}

void MainWindow::setModus(int modus)
{
    m_context.state.Modus = modus;
    m_menu->applyModus(modus);
    m_titleBar->setModus(modus);
}

void MainWindow::activateFirstTime()
{
    if (m_activated)
        return;
    m_activated = true;

    // Settings: the user's store, then the central file over it.
    {
        const std::unique_ptr<QSettings> store = openUserSettings(m_context.environment);
        StartPlan plan = planStart(m_context.environment, *store);
        m_context.settings = std::move(plan.settings);
        m_context.settingsLoaded = true;
        if (const QScreen* shown = screen())
            m_context.settings.LogPixels = rnd(shown->logicalDotsPerInch());
        m_context.document.header.Schriftart = m_context.settings.Schriftart;

        MainWindowState& state = m_context.state;
        state.zoomLevel = 0;
        state.zoomFactor = 1.0;
        state.werkzeug = WerkzeugZeiger;
        showOptionSettings(*m_menu, m_context.settings);
        setModus(ModeLearningView);
        // The start picture's page follows the page ratio just loaded.
        if (!m_context.documentOpen) {
            m_documents->applyStartPageRatio();
            m_documents->rebuildView();
        }

        // The command line: a folder, a document or a series package.
        state.topicFolder = plan.topicFolder;
        switch (plan.argument.kind) {
        case CommandLineArgument::Kind::None:
        case CommandLineArgument::Kind::Folder:
            break;
        case CommandLineArgument::Kind::DocumentFile:
            state.commandLineDocument = plan.argument.datei;
            m_documents->readAsCurrent(plan.argument.datei);
            break;
        case CommandLineArgument::Kind::SeriesPackage:
            if (m_context.hooks.openSeriesPackage)
                m_context.hooks.openSeriesPackage(plan.argument.datei);
            break;
        }
        state.currentFolder = state.topicFolder;
    }

    m_view->setStartPanelVisible(!m_context.documentOpen);
    if (m_context.hooks.refreshTopicList)
        m_context.hooks.refreshTopicList();
}

void MainWindow::showAtStart()
{
    if (QScreen* target = screen())
        setGeometry(target->availableGeometry());
    showMaximized();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    activateFirstTime();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_activated
        && !runShutdownQuestions(m_context.state.Modus, m_context.document,
                                 m_context.shutdownHooks, m_context.prompt())) {
        event->ignore();
        return;
    }
    if (m_context.hooks.stopNetwork)
        m_context.hooks.stopNetwork();
    saveSettings();
    event->accept();
}

void MainWindow::saveSettings()
{
    // Settings that were never read are not written: that would replace the
    // user's values by the defaults.
    if (!m_context.settingsLoaded)
        return;
    m_context.settings.Schriftart = m_context.document.header.Schriftart;
    const std::unique_ptr<QSettings> store = openUserSettings(m_context.environment);
    saveSettingsTo(*store, m_context.settings);
    store->sync();
}

void MainWindow::documentChanged()
{
    const Document& document = m_context.document;
    setWindowTitle(windowCaption(m_context.documentOpen ? document.datei : QString()));
    QString title;
    if (m_context.documentOpen) {
        title = document.header.titel.trimmed();
        if (title.isEmpty())
            title = u"(ohne Titel)"_s;
    }
    m_titleBar->setDocumentTitle(title);
    if (m_activated && m_context.hooks.refreshTopicList)
        m_context.hooks.refreshTopicList();
}

void MainWindow::showHelpContents()
{
    const QString index = m_context.state.programFolder + u"hilfe/index.html"_s;
    if (!QFileInfo::exists(index) || !QDesktopServices::openUrl(QUrl::fromLocalFile(index)))
        m_context.prompt().information(u"Die Hilfe \""_s + index + u"\" wurde nicht gefunden."_s);
}

} // namespace quorvel
