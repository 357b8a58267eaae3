// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "aboutdialog.h"
#include "areaselectiontool.h"
#include "bestlistcontroller.h"
#include "boardcontroller.h"
#include "documentcontroller.h"
#include "documentdialogscontroller.h"
#include "exercisecontroller.h"
#include "exerciseresultcontroller.h"
#include "exercisesettingscontroller.h"
#include "learningviewcontroller.h"
#include "learningviewpanel.h"
#include "learningviewwidget.h"
#include "linkfieldcontroller.h"
#include "mailcontroller.h"
#include "mainmenu.h"
#include "networkteachercontroller.h"
#include "notesbox.h"
#include "optionsmenubinding.h"
#include "participantcontroller.h"
#include "puzzlecontroller.h"
#include "quitdialog.h"
#include "rounding.h"
#include "seriescontroller.h"
#include "startplan.h"
#include "titlebar.h"
#include "toolbar.h"
#include "topicmenucontroller.h"
#include "viewcomposer.h"
#include "viewexportcontroller.h"
#include "viewprintcontroller.h"
#include "windowdialogs.h"
#include "windowstatecontroller.h"
#include "worksheetcontroller.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

QString MainWindow::startPanelText() {
    return u"Um ein Quorvel-Dokument anzuzeigen,\r\n\r\nrufen Sie das Menü \"Themenauswahl\" oder "
           u"\"Datei / Öffnen\" auf.\r\n\r\n\r\n\r\nFür einen neuen Tafelanschrieb\r\n\r\n"
           u"klicken Sie auf den Knopf \"Neues Blatt\" (rechts bei Tafelanschrieb).\r\n"_s;
}

MainWindow::MainWindow(StartEnvironment environment, QWidget* parent)
    : QMainWindow(parent), m_environment(std::move(environment)),
      m_cursors(ProgramCursors::create()) {
    setObjectName(u"HauptForm"_s);
    m_state.programFolder = m_environment.baseFolder;
    m_settings = defaultSettings(m_environment.baseFolder);

    auto* central = new QWidget(this);
    m_titleBar = new TitleBar(central);
    m_menu = new MainMenu(menuBar(), this);

    // Every dialog of the shell, created once and reused.
    m_quitDialog = new QuitDialog(this);
    m_aboutDialog = new AboutDialog(this);
    m_windowDialogs = std::make_unique<WindowDialogs>(this, m_quitDialog);
    m_dialogs = m_windowDialogs.get();

    m_documents = new DocumentController(*this, m_state, m_participants, m_layouts, this);
    connect(m_documents, &DocumentController::opened, this, &MainWindow::documentOpened);
    connect(m_documents, &DocumentController::closed, this, &MainWindow::documentClosed);

    // The subsystems: the learning view beside its tool bar, the topic menu, the
    // exercise settings.
    m_learningPanel = new LearningViewPanel(m_documents->document(), m_layouts, central);
    m_learningView = new LearningViewController(*this, *m_learningPanel, m_cursors);
    m_topics = new TopicMenuController(*this);
    m_exerciseSettings = new ExerciseSettingsController(*this);
    m_bestLists = new BestListController(*this, this);
    m_exerciseResults = new ExerciseResultController(*this, *m_bestLists, this);
    ExerciseHost exerciseHost;
    exerciseHost.viewArea = &m_learningPanel->view();
    exerciseHost.addToolBarSection = [this](QWidget* section) {
        m_learningPanel->addToolBarSection(section);
    };
    exerciseHost.addStatusSection = [this](QWidget* section) { m_titleBar->addSection(section); };
    exerciseHost.enter = [this] { m_learningView->setTool(Tool::Pointer); };
    exerciseHost.leave = [this] {
        m_learningView->setTool(Tool::Pointer);
        m_learningView->setZoomLevel(0);
        m_learningView->number(m_learningView->state().numberingMode);
    };
    exerciseHost.openPoint = [this](int index) { m_learningView->openPoint(index); };
    m_exercise = new ExerciseController(*this, *m_exerciseSettings, m_layouts, m_exerciseRules,
                                        exerciseHost);
    // The end of a run: the protocol, the best list and the result window,
    // whose "Übung wiederholen" starts the exercise again on screen.
    // A series part goes on with the series: the next part or its summary.
    m_series = new SeriesController(*this, *m_exercise, *m_exerciseResults);
    m_exercise->setEndHandler([this](ExerciseSession& session) {
        const ResultChoice choice = m_exerciseResults->showExerciseResult(
            session, [this](int mode) { return m_exercise->restart(RepetitionMode(mode)); });
        if (session.run().session().SitzungsArt == SessionKind::SeriesPart)
            return m_series->partEnded(session);
        return choice == ResultChoice::Repeated;
    });
    m_networkParticipant =
        new ParticipantController(*this, *m_exercise, exerciseHost.addToolBarSection);
    PuzzleHost puzzleHost;
    puzzleHost.viewArea = exerciseHost.viewArea;
    puzzleHost.picture = [this] { return view().composer().view(); };
    puzzleHost.addStatusSection = exerciseHost.addStatusSection;
    puzzleHost.pressStartButton = [this](bool down) {
        m_exercise->startButton()->setChecked(down);
    };
    puzzleHost.enter = exerciseHost.enter;
    puzzleHost.leave = exerciseHost.leave;
    m_puzzle = new PuzzleController(*this, m_exerciseSettings->sounds(), puzzleHost);
    // The teacher of a network exercise runs no exercise of its own.
    m_networkTeacher = new NetworkTeacherController(*this, *m_exerciseSettings);
    m_networkTeacher->setComposedPage([this] { return view().composer().page(); });
    m_networkParticipant->setTeaching([this] { return m_networkTeacher->teaching(); });
    m_exercise->setStartRefusal(
        [this] { return m_networkTeacher->teaching() ? msgNetworkInitiatedHere() : QString(); });
    m_board = new BoardController(*this, *m_learningView);
    m_mail = new MailController(*this, this);
    m_documentDialogs = new DocumentDialogsController(*this, *m_learningView, this);
    m_notesBox = new NotesBox(*this, this);
    // The link fields V1-V3 below the tool bar; the keyboard button is the
    // blackboard's.
    m_linkFields = new LinkFieldController(*this, this);
    m_learningPanel->addToolBarSection(m_linkFields->section());
    m_linkFields->attachButton(kKeyboardLinkField, m_board->button(u"TastaturBtn"_s));
    // The protocol window mails its saved protocol the way the document goes.
    m_exerciseResults->setMailHandOver(
        [this](const QString& subject, const QString& body, const QStringList& attachments) {
            sendMailAndReport(dialogs(), m_mail, {subject, body, attachments}, m_mail->options());
        });
    m_viewExport = new ViewExportController(m_learningPanel->view(), *this, this);
    m_viewExport->setSelection([this] { return m_board->areaSelection().selection().rect(); });
    // The view print takes the same picture: the selected area, else the view.
    m_viewPrint = new ViewPrintController(
        *this, [this] { return m_viewExport->viewPicture(); }, this);
    // Worksheets print on the program's printer; a cross matching's view is
    // numbered anew after its sheet shuffled the items.
    m_worksheet = new WorksheetController(
        *this, m_layouts, [this]() -> QPrinter& { return m_viewPrint->printer(); },
        [this] { m_learningView->number(m_learningView->state().numberingMode); }, this);
    m_windowStates = new WindowStateController(*this, [this] {
        for (ShellParticipant* participant : m_participants)
            participant->relayout();
    });

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_learningPanel, 1);
    setCentralWidget(central);

    connect(&view(), &LearningViewWidget::firstPainted, this, &MainWindow::firstPainted);
    // The open dialog takes longer to make than the rest of the window: it is
    // made once, right after the window first shows.
    connect(
        &view(), &LearningViewWidget::firstPainted, this,
        [this] { m_windowDialogs->fileDialog(documentOpenChoice(m_state.currentFolder), false); },
        Qt::QueuedConnection);
    connect(m_titleBar, &TitleBar::abortRequested, this, [this] {
        for (ShellParticipant* participant : m_participants)
            participant->abortRun();
    });
    connect(m_titleBar, &TitleBar::previousRequested, this,
            [this] { m_menu->trigger(u"VorherigesDokumentderListe1"_s); });
    connect(m_titleBar, &TitleBar::nextRequested, this,
            [this] { m_menu->trigger(u"NaechstesDokumentderListe1"_s); });
    connectCommands();
    bindOptionItems(*m_menu, m_settings);
    showOptionSettings(*m_menu, m_settings);

    // The start state: learning view, start picture, empty document.
    setModus(Modus::LearningView);
    view().setStartText(startPanelText());
    m_documents->showEmptyState();
    m_documents->document().previousFile.clear();
    // Sees every dialog of the program close (see eventFilter()).
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    // The participants are children of the window and go with it.
    m_participants.clear();
}

CommandRegistry& MainWindow::commands() {
    return *m_menu;
}

DocumentSession& MainWindow::session() {
    return *m_documents;
}

TitleStrip& MainWindow::titleStrip() {
    return *m_titleBar;
}

LearningViewWidget& MainWindow::view() const {
    return m_learningPanel->view();
}

void MainWindow::addParticipant(ShellParticipant& participant) {
    m_participants.push_back(&participant);
}

void MainWindow::connectCommands() {
    const auto command = [this](const QString& name, auto handler) {
        m_menu->onTriggered(name, this, handler);
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

    m_menu->addKey(u"FesteGroesse1"_s, QKeySequence(u"Shift+Alt+G"_s), false, this,
                   [this] { m_windowStates->fixedSize(); });
}

void MainWindow::setDialogs(std::unique_ptr<UserDialogs> dialogs) {
    m_replacedDialogs = std::move(dialogs);
    m_dialogs = m_replacedDialogs ? m_replacedDialogs.get() : m_windowDialogs.get();
}

void MainWindow::setModus(Modus modus) {
    m_state.modus = modus;
    m_menu->applyModus(modus);
    m_titleBar->setModus(modus);
    // Exercises and the puzzle leave the tool bar as it is: no folding meanwhile.
    if (QToolButton* fold = m_learningView->toolBar().button(QStringLiteral("KlappPan")))
        fold->setVisible(modus == Modus::LearningView);
    for (ShellParticipant* participant : m_participants)
        participant->modusChanged(modus);
}

void MainWindow::activateFirstTime() {
    if (m_activated)
        return;
    m_activated = true;

    // Settings: the user's store, then the central file over it.
    const std::unique_ptr<QSettings> store = openUserSettings(m_environment);
    StartPlan plan = planStart(m_environment, *store);
    m_settings = std::move(plan.settings);
    m_settingsLoaded = true;
    if (const QScreen* shown = screen())
        m_settings.LogPixels = rnd(shown->logicalDotsPerInch());
    m_documents->document().header.Schriftart = m_settings.Schriftart;
    showOptionSettings(*m_menu, m_settings);
    setModus(Modus::LearningView);
    // The start picture's page follows the page ratio just loaded.
    if (!m_documents->isOpen()) {
        m_documents->applyStartPageRatio();
        m_learningView->rebuild();
    }

    // The command line: a folder, a document or a series package.
    m_state.topicFolder = plan.topicFolder;
    switch (plan.argument.kind) {
    case CommandLineArgument::Kind::None:
    case CommandLineArgument::Kind::Folder:
        break;
    case CommandLineArgument::Kind::DocumentFile:
        m_state.commandLineDocument = plan.argument.file;
        m_documents->readAsCurrent(plan.argument.file);
        break;
    case CommandLineArgument::Kind::SeriesPackage:
        for (ShellParticipant* participant : m_participants) {
            if (participant->openPackage(plan.argument.file))
                break;
        }
        break;
    }
    m_state.currentFolder = m_state.topicFolder;

    view().setStartPanelVisible(!m_documents->isOpen());
    for (ShellParticipant* participant : m_participants)
        participant->shellActivated();
}

void MainWindow::showAtStart() {
    if (QScreen* target = screen())
        setGeometry(target->availableGeometry());
    showMaximized();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    activateFirstTime();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A dialog of the active program closes: the keyboard goes back to this
    // window once the dialog's own event loop has ended. (Without a window
    // manager Qt no longer counts the dialog as the active window by then.)
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() &&
            QGuiApplication::applicationState() == Qt::ApplicationActive) {
            // A dialog opened from another window gives the keyboard back there.
            QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : this;
            QTimer::singleShot(0, owner, [this, owner] {
                if (owner != this && owner->isVisible())
                    owner->activateWindow();
                else
                    takeKeyboard();
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::takeKeyboard() {
    // Another dialog still open (one that opened this one) keeps it.
    if (!isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active != this && active->isVisible())
        return;
    activateWindow();
    const QWidget* focused = focusWidget();
    if (!focused || !focused->isVisible() || !focused->isEnabled())
        view().setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_activated &&
        !runShutdownQuestions(m_state.modus, m_documents->document(), m_participants, dialogs())) {
        event->ignore();
        return;
    }
    for (ShellParticipant* participant : m_participants)
        participant->stopForShutdown();
    saveSettings();
    event->accept();
}

void MainWindow::saveSettings() {
    // Settings that were never read are not written: that would replace the
    // user's values by the defaults.
    if (!m_settingsLoaded)
        return;
    for (ShellParticipant* participant : m_participants)
        participant->saveSettings(m_settings);
    m_settings.Schriftart = m_documents->document().header.Schriftart;
    const std::unique_ptr<QSettings> store = openUserSettings(m_environment);
    saveSettingsTo(*store, m_settings);
    store->sync();
}

void MainWindow::showDocumentTitle() {
    const Document& document = m_documents->document();
    const bool open = m_documents->isOpen();
    setWindowTitle(windowCaption(open ? document.file : QString()));
    QString title;
    if (open) {
        title = document.header.titel.trimmed();
        if (title.isEmpty())
            title = u"(ohne Titel)"_s;
    }
    m_titleBar->setDocumentTitle(title);
}

void MainWindow::documentOpened() {
    showDocumentTitle();
    for (ShellParticipant* participant : m_participants)
        participant->documentOpened();
    // The keyboard goes to the new document, wherever the command came from.
    if (isVisible()) {
        activateWindow();
        view().setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::documentClosed() {
    showDocumentTitle();
    for (ShellParticipant* participant : m_participants)
        participant->documentClosed();
}

void MainWindow::showHelpContents() {
    const QString index = m_state.programFolder + u"hilfe/index.html"_s;
    if (!QFileInfo::exists(index) || !QDesktopServices::openUrl(QUrl::fromLocalFile(index)))
        dialogs().information(u"Die Hilfe \""_s + index + u"\" wurde nicht gefunden."_s);
}

} // namespace quorvel
