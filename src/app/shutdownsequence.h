#pragma once

#include "userprompter.h"

#include <QString>

#include <functional>

namespace quorvel {

class Document;

// What the shutdown and the closing of a document need from subsystems that
// the shell does not own. Each is filled by the part of the program that owns
// the state; an empty hook means "nothing of that kind is going on".
struct ShutdownHooks {
    // Mode 3: whether the exercise run has ended (no question then).
    std::function<bool()> exerciseFinished;
    // Mode 4: whether the sliding puzzle is solved.
    std::function<bool()> puzzleSolved;
    // Whether this computer takes part in a network exercise, and telling the
    // teacher's computer that the run was aborted.
    std::function<bool()> networkParticipant;
    std::function<void()> reportNetworkAbort;
    // Chronicle screenshots stored since the start: count, folder, delete them
    // (and empty the chronicle menu).
    std::function<int()> chronicleShotCount;
    std::function<QString()> chronicleFolder;
    std::function<void()> deleteChronicleShots;
    // The "&Speichern" command. This program writes nothing there, so "Ja" to
    // the save question simply continues.
    std::function<void()> saveDocument;
};

QString msgExerciseNotFinished();
QString msgPuzzleNotSolved();
QString msgSaveChanges(const QString& path); // empty path: the short question
QString msgChronicleShots(int count, const QString& folder);

// Step 1: in mode 3 or 4 with the run not over, asks whether to abort it.
// False when the user keeps the run.
bool askAbortRun(int modus, const ShutdownHooks& hooks, UserPrompter& prompter);

// Step 3: asks about unsaved changes of a modified document. False on
// "Abbrechen"; "Ja" runs the save hook.
bool askSaveChanges(const Document& document, const ShutdownHooks& hooks, UserPrompter& prompter);

// The questions before the program ends, in order: running exercise or puzzle,
// network participation (no question), unsaved changes, chronicle screenshots,
// then the closing dialog. False when any of them cancels the shutdown.
bool runShutdownQuestions(int modus, const Document& document, const ShutdownHooks& hooks,
                          UserPrompter& prompter);

} // namespace quorvel
