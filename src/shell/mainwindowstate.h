// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The main modes of the main window; 2 at start.
enum class Modus : int {
    LearningView = 2,
    Exercise = 3,
    SlidingPuzzle = 4,
};

// What the main window remembers beyond the document and the learning view,
// with the values it has when the program starts. Folders end with "/".
struct MainWindowState {
    Modus modus = Modus::LearningView;
    QString programFolder;
    QString topicFolder;
    QString currentFolder; // initial folder of the open dialog
    QString commandLineDocument;
};

} // namespace quorvel
