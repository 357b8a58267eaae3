// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindowstate.h"

#include <QString>

namespace quorvel {

struct Settings;

// A part of the program that the shell tells about its life cycle and asks
// before the program ends or the document closes. Every method has a default
// that stands for "nothing of that kind here", so a part overrides only what
// it has. Participants are registered with the shell and called in the order
// of registration.
class ShellParticipant {
public:
    virtual ~ShellParticipant() = default;

    // The first activation is done: the settings are loaded and the command
    // line is handled.
    virtual void shellActivated() {}
    // A document was read as the current one, or the empty start state
    // (start picture, empty document) took its place.
    virtual void documentOpened() {}
    virtual void documentClosed() {}
    virtual void modusChanged(Modus /*modus*/) {}
    // The window state changed: lay out again what is shown in this mode.
    virtual void relayout() {}
    // The mode button during an exercise or puzzle: end the run.
    virtual void abortRun() {}
    // A package from the command line (an exercise series); false when this
    // part does not open packages.
    virtual bool openPackage(const QString& /*path*/) { return false; }

    // The questions before the shutdown and the closing of a document.
    // Whether the run of `modus` (3 exercise, 4 sliding puzzle) that this part
    // owns has ended; a run nobody reports as ended counts as going on.
    virtual bool runFinished(Modus /*modus*/) const { return false; }
    // The shutdown went past the run question: a part whose run others
    // follow marks it as aborted and tells them.
    virtual void abandonRun() {}
    // What this part leaves behind, as a question with "Ja", "Nein" and
    // "Abbrechen" asked after the save question; empty when there is nothing.
    // "Ja" calls shutdownQuestionConfirmed().
    virtual QString shutdownQuestion() const { return {}; }
    virtual void shutdownQuestionConfirmed() {}
    // The "&Speichern" command after "Ja" to the save question. This program
    // writes nothing there.
    virtual void saveDocument() {}

    // The last steps of the shutdown: stop network endpoints and timers, then
    // put this part's settings into `settings` before they are written.
    virtual void stopForShutdown() {}
    virtual void saveSettings(Settings& /*settings*/) {}
};

} // namespace quorvel
