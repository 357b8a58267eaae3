// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace quorvel {

class CommandRegistry;
class LearningViewController;
class LearningViewPanel;

// Ties the learning view's tool bar, its "&Lernansicht" menu commands and the
// window keys of the learning view (the question keys Left, Right, Home, End
// and the zoom keys Ctrl+Plus, Ctrl+Minus of the numeric keypad) to the
// controller, and shows the controller's state (tool, drawing settings,
// layers, zoom level, numbering) on the tool bar and in the menu. The tool
// bar's export, copy and mail buttons run the menu commands of the same name.
class ToolBarBinding : public QObject {
    Q_OBJECT
public:
    ToolBarBinding(CommandRegistry& commands, LearningViewPanel& panel,
                   LearningViewController& controller);

private:
    void connectToolBar();
    void connectCommands();
    void connectKeys();
    void showControllerState();

    CommandRegistry& m_commands;
    LearningViewPanel& m_panel;
    LearningViewController& m_controller;
};

} // namespace quorvel
