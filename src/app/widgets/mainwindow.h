// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciserules.h"
#include "layoutset.h"
#include "mainwindowstate.h"
#include "programcursors.h"
#include "randomgenerator.h"
#include "settings.h"
#include "shell.h"
#include "shutdownsequence.h"
#include "startenvironment.h"

#include <QMainWindow>
#include <memory>

namespace quorvel {

class AboutDialog;
class BestListController;
class BoardController;
class DocumentController;
class DocumentDialogsController;
class ExerciseResultController;
class ExerciseController;
class PuzzleController;
class SeriesController;
class ExerciseSettingsController;
class LearningViewController;
class LearningViewPanel;
class LearningViewWidget;
class LinkFieldController;
class MailController;
class MainMenu;
class NetworkTeacherController;
class NotesBox;
class ParticipantController;
class QuitDialog;
class TitleBar;
class TopicMenuController;
class ViewExportController;
class ViewPrintController;
class WindowDialogs;
class WindowStateController;
class WorksheetController;

// The main window: the shell of the program. It owns the settings, the
// folders and the main mode, the menu bar with the commands, the open
// document (DocumentController) and the view, puts the subsystems' widgets
// into its layout and hands them the Shell interface, through which they
// reach everything else. Every dialog is created here once and reused.
class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT
public:
    explicit MainWindow(StartEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The shell of the subsystems.
    UserDialogs& dialogs() override { return *m_dialogs; }
    CommandRegistry& commands() override;
    DocumentSession& session() override;
    TitleStrip& titleStrip() override;
    Modus modus() const override { return m_state.modus; }
    // Switches the main mode: menu enabling, the mode button and the
    // participants follow.
    void setModus(Modus modus) override;
    Settings& settings() override { return m_settings; }
    const StartEnvironment& environment() const override { return m_environment; }
    const MainWindowState& state() const override { return m_state; }
    void setTopicFolder(const QString& folder) override { m_state.topicFolder = folder; }
    void setCurrentFolder(const QString& folder) override { m_state.currentFolder = folder; }
    RandomGenerator& random() override { return m_random; }
    // The program's mouse cursors, made at start.
    const ProgramCursors& cursors() const { return m_cursors; }
    QWidget* dialogParent() override { return this; }
    void addParticipant(ShellParticipant& participant) override;

    MainMenu& menu() const { return *m_menu; }
    TitleBar& titleBar() const { return *m_titleBar; }
    DocumentController& documents() const { return *m_documents; }
    LearningViewWidget& view() const;
    LearningViewController& learningView() const { return *m_learningView; }
    TopicMenuController& topics() const { return *m_topics; }
    ExerciseSettingsController& exerciseSettings() const { return *m_exerciseSettings; }
    // The end of a run: protocol window, result window, automatic saving.
    ExerciseResultController& exerciseResults() const { return *m_exerciseResults; }
    ExerciseController& exercise() const { return *m_exercise; }
    PuzzleController& puzzle() const { return *m_puzzle; }
    SeriesController& series() const { return *m_series; }
    // "An Netzwerk-Übung &teilnehmen...": this PC as a participant.
    ParticipantController& networkParticipant() const { return *m_networkParticipant; }
    BoardController& board() const { return *m_board; }
    BestListController& bestLists() const { return *m_bestLists; }
    // The teacher's side of the network exercise ("Lehrer&steuerung").
    NetworkTeacherController& networkTeacher() const { return *m_networkTeacher; }
    MailController& mail() const { return *m_mail; }
    // "Do&kumenteigenschaften..." and "Schrift&art...".
    DocumentDialogsController& documentDialogs() const { return *m_documentDialogs; }
    LinkFieldController& linkFields() const { return *m_linkFields; }
    NotesBox& notesBox() const { return *m_notesBox; }
    WindowStateController& windowStates() const { return *m_windowStates; }
    // Export and copy of the view ("&Exportieren...", "In &Zwischenablage kopieren").
    ViewExportController& viewExport() const { return *m_viewExport; }
    // "&Drucken..." and "D&ruckereinrichtung...": the view on paper.
    ViewPrintController& viewPrint() const { return *m_viewPrint; }
    // "&Arbeitsblatt erstellen...": the worksheet dialog and its settings.
    WorksheetController& worksheet() const { return *m_worksheet; }
    // The window's own dialogs, also while a test has replaced them.
    WindowDialogs& windowDialogs() const { return *m_windowDialogs; }
    QuitDialog* quitDialog() const { return m_quitDialog; }

    // Replaces the user dialogs (tests answer from a script).
    void setDialogs(std::unique_ptr<UserDialogs> dialogs);

    // The first activation: settings, command line, topic folder, start
    // panel. Runs once; the first show calls it.
    void activateFirstTime();
    bool activated() const { return m_activated; }

    // Shows the window maximised with its border, as the program starts.
    void showAtStart();

    // The start panel's text.
    static QString startPanelText();

Q_SIGNALS:
    // The view was painted for the first time.
    void firstPainted();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectCommands();
    void documentOpened();
    // Gives the keyboard back to this window and, unless a visible field of
    // it has the focus, to the view: not every session has a window manager
    // that does so when a dialog closes.
    void takeKeyboard();
    void documentClosed();
    void showDocumentTitle();
    void saveSettings();
    void showHelpContents();

    StartEnvironment m_environment;
    LayoutSet m_layouts = buildLayoutSet();                   // the reader and the view refer to it
    ExerciseRuleSet m_exerciseRules = buildExerciseRuleSet(); // every exercise run refers to it
    MainWindowState m_state;
    Settings m_settings;
    bool m_settingsLoaded = false; // only loaded settings are written back
    RandomGenerator m_random;
    ProgramCursors m_cursors;
    Participants m_participants;
    std::unique_ptr<WindowDialogs> m_windowDialogs;
    std::unique_ptr<UserDialogs> m_replacedDialogs;
    UserDialogs* m_dialogs = nullptr;

    MainMenu* m_menu;
    TitleBar* m_titleBar;
    QuitDialog* m_quitDialog;
    AboutDialog* m_aboutDialog;
    DocumentController* m_documents;
    LearningViewPanel* m_learningPanel;
    LearningViewController* m_learningView;
    TopicMenuController* m_topics;
    ExerciseSettingsController* m_exerciseSettings;
    ExerciseController* m_exercise;
    PuzzleController* m_puzzle;
    SeriesController* m_series;
    ParticipantController* m_networkParticipant;
    BestListController* m_bestLists;
    NetworkTeacherController* m_networkTeacher;
    ExerciseResultController* m_exerciseResults;
    BoardController* m_board;
    MailController* m_mail;
    DocumentDialogsController* m_documentDialogs;
    LinkFieldController* m_linkFields;
    NotesBox* m_notesBox;
    ViewExportController* m_viewExport;
    ViewPrintController* m_viewPrint;
    WorksheetController* m_worksheet;
    WindowStateController* m_windowStates;
    bool m_activated = false;
};

} // namespace quorvel
