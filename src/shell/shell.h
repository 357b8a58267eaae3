// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandregistry.h"
#include "documentsession.h"
#include "mainwindowstate.h"
#include "shellparticipant.h"
#include "titlestrip.h"
#include "userdialogs.h"

class QWidget;

namespace quorvel {

class RandomGenerator;
struct Settings;
struct StartEnvironment;

// What a subsystem's widgets may use of the main window: the user dialogs,
// the commands, the open document, the title strip, the main mode, the
// settings and folders, and the participants it tells about its life cycle.
// The main window implements it; only the application's widgets know that
// class. Everything handed out lives as long as the main window.
class Shell {
public:
    virtual UserDialogs& dialogs() = 0;
    virtual CommandRegistry& commands() = 0;
    virtual DocumentSession& session() = 0;
    virtual TitleStrip& titleStrip() = 0;

    // The main mode. Switching enables the menus of the mode, shows its
    // mode button and tells the participants.
    virtual Modus modus() const = 0;
    virtual void setModus(Modus modus) = 0;

    // The user settings in effect (loaded at the first activation, written at
    // shutdown after the participants' saveSettings()).
    virtual Settings& settings() = 0;
    virtual const StartEnvironment& environment() const = 0;
    // The program folder, the topic folder, the current folder (where the
    // open dialog starts) and the command-line document; folders end with "/".
    virtual const MainWindowState& state() const = 0;
    virtual void setTopicFolder(const QString& folder) = 0;
    virtual void setCurrentFolder(const QString& folder) = 0;

    // Numbering and the exercise draw from this generator.
    virtual RandomGenerator& random() = 0;
    // The parent of a subsystem's windows and dialogs.
    virtual QWidget* dialogParent() = 0;

    // `participant` must live as long as the main window; the window's
    // children do (the window forgets its participants before it deletes
    // its children).
    virtual void addParticipant(ShellParticipant& participant) = 0;

protected:
    ~Shell() = default;
};

} // namespace quorvel
