#pragma once

#include "programcursors.h"
#include "shellcontext.h"

#include <QMainWindow>

#include <memory>

namespace quorvel {

class DocumentController;
class MainMenu;
class LearningViewWidget;
class QuitDialog;
class AboutDialog;
class TitleBar;
class TopicMenuController;
class ViewExportController;
class WindowStateController;

// The main window: owns the document, the window state and the settings
// (ShellContext), the menu bar and the view, and hands each command to the
// controller it belongs to. Every dialog is created here once and reused.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(StartEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    ShellContext& context() { return m_context; }
    MainMenu& menu() const { return *m_menu; }
    LearningViewWidget& view() const { return *m_view; }
    TitleBar& titleBar() const { return *m_titleBar; }
    DocumentController& documents() { return *m_documents; }
    WindowStateController& windowStates() const { return *m_windowStates; }
    TopicMenuController& topics() const { return *m_topics; }
    // Export and copy of the view (menu items here, tool-bar buttons connect to its slots).
    ViewExportController& viewExport() const { return *m_viewExport; }
    QuitDialog* quitDialog() const { return m_quitDialog; }
    AboutDialog* aboutDialog() const { return m_aboutDialog; }
    const ProgramCursors& cursors() const { return m_cursors; }

    // Replaces the way the user is asked (tests answer from a script).
    void setPrompter(std::unique_ptr<UserPrompter> prompter);

    // Switches the main mode: menu enabling and the mode button follow.
    void setModus(int modus);

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
    void closeEvent(QCloseEvent* event) override;

private:
    void connectCommands();
    void documentChanged();
    void saveSettings();
    void showHelpContents();

    ShellContext m_context;
    ProgramCursors m_cursors;
    MainMenu* m_menu;
    TitleBar* m_titleBar;
    LearningViewWidget* m_view;
    DocumentController* m_documents;
    WindowStateController* m_windowStates;
    TopicMenuController* m_topics;
    ViewExportController* m_viewExport;
    QuitDialog* m_quitDialog;
    AboutDialog* m_aboutDialog;
    bool m_activated = false;
};

} // namespace quorvel
