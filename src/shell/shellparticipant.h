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
    // An exercise-series package from the command line; false when this
    // part does not open packages.
    virtual bool openSeriesPackage(const QString& /*path*/) { return false; }

    // The questions before the shutdown and the closing of a document.
    // Whether the run of `modus` (3 exercise, 4 sliding puzzle) that this part
    // owns has ended; a run nobody reports as ended counts as going on.
    virtual bool runFinished(Modus /*modus*/) const { return false; }
    // A network participant marks its run as aborted and tells the teacher's
    // computer.
    virtual void reportNetworkAbort() {}
    // Chronicle screenshots stored since the start: how many, where, and
    // deleting them (which empties the chronicle menu).
    virtual int chronicleShotCount() const { return 0; }
    virtual QString chronicleFolder() const { return {}; }
    virtual void deleteChronicleShots() {}
    // The "&Speichern" command after "Ja" to the save question. This program
    // writes nothing there.
    virtual void saveDocument() {}

    // The last steps of the shutdown: stop network endpoints and timers, then
    // put this part's settings into `settings` before they are written.
    virtual void stopForShutdown() {}
    virtual void saveSettings(Settings& /*settings*/) {}
};

} // namespace quorvel
