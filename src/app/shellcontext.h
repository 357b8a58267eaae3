#pragma once

#include "document.h"
#include "layoutset.h"
#include "settings.h"
#include "mainwindowstate.h"
#include "shutdownsequence.h"
#include "startenvironment.h"
#include "userprompter.h"
#include "randomgenerator.h"

#include <functional>
#include <memory>

namespace quorvel {

// Entry points that later parts of the program register with the shell. An
// empty function means that part is not there yet.
struct ShellHooks {
    // Opens an exercise-series package given on the command line.
    std::function<void(const QString& path)> openSeriesPackage;
    // Reads the topic folder and rebuilds the topic menu.
    std::function<void()> refreshTopicList;
    // Aborts the running exercise or puzzle (the mode button in modes 3 and 4).
    std::function<void()> abortRun;
    // Stops the network endpoints and timers before the settings are saved.
    std::function<void()> stopNetwork;
    // Re-lays out the view of the current mode (after a window state change).
    std::function<void()> relayout;
};

// What the main window owns and its controllers share: the one open document,
// the layouts of the document types, the window state, the settings in effect
// and the way to ask the user.
struct ShellContext {
    StartEnvironment environment;
    LayoutSet layouts = buildLayoutSet(); // the reader and the view refer to it
    Document document;
    bool documentOpen = false; // false: the start picture and the start panel are shown
    MainWindowState state;
    Settings settings;
    bool settingsLoaded = false; // only loaded settings are written back
    ShutdownHooks shutdownHooks;
    ShellHooks hooks;
    std::unique_ptr<UserPrompter> prompter;
    RandomGenerator random; // numbering and, later, the exercise draw from it

    UserPrompter& prompt() { return *prompter; }
    PageRatioPreset pageRatio() const
    {
        return {settings.SeitRatioArt, settings.SeitRatioBreite,
                settings.SeitRatioHoehe};
    }
};

} // namespace quorvel
