// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindowstate.h"
#include "userprompter.h"

#include <QString>
#include <vector>

namespace quorvel {

class Document;
class ShellParticipant;

// The parts of the program that are asked, in order of registration.
using Participants = std::vector<ShellParticipant*>;

QString msgExerciseNotFinished();
QString msgPuzzleNotSolved();
QString msgSaveChanges(const QString& path); // empty path: the short question

// Step 1: in mode 3 or 4 with the run not over, asks whether to abort it.
// False when the user keeps the run.
bool askAbortRun(Modus modus, const Participants& participants, UserPrompter& prompter);

// Step 3: asks about unsaved changes of a modified document. False on
// "Abbrechen"; "Ja" runs the participants' save command.
bool askSaveChanges(const Document& document, const Participants& participants,
                    UserPrompter& prompter);

// The questions before the program ends, in order: running exercise or puzzle,
// abandoning the run elsewhere (no question), unsaved changes, the participants'
// own questions (what they leave behind),
// then the closing dialog. False when any of them cancels the shutdown.
bool runShutdownQuestions(Modus modus, const Document& document, const Participants& participants,
                          UserPrompter& prompter);

} // namespace quorvel
