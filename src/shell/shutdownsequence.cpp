// SPDX-License-Identifier: GPL-3.0-or-later
#include "shutdownsequence.h"

#include "document.h"
#include "shellparticipant.h"

namespace quorvel {

QString msgExerciseNotFinished() {
    return QStringLiteral("Die aktuelle Übung ist noch nicht beendet.\r\n"
                          "Übung wirklich abbrechen?");
}

QString msgPuzzleNotSolved() {
    return QStringLiteral(
        "Das aktuelle Schiebepuzzle ist noch nicht gelöst.\r\nÜbung wirklich abbrechen?");
}

QString msgSaveChanges(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("Aktuelles Dokument speichern?");
    return QStringLiteral("Änderungen im aktuellen Dokument unter \"") + path +
           QStringLiteral("\" speichern?");
}

bool askAbortRun(Modus modus, const Participants& participants, UserPrompter& prompter) {
    if (modus != Modus::Exercise && modus != Modus::SlidingPuzzle)
        return true;
    for (const ShellParticipant* participant : participants) {
        if (participant->runFinished(modus))
            return true;
    }
    const QString question =
        modus == Modus::Exercise ? msgExerciseNotFinished() : msgPuzzleNotSolved();
    return prompter.ask(MessageKind::Confirmation, question, MessageButtons::YesNo) == Answer::Yes;
}

bool askSaveChanges(const Document& document, const Participants& participants,
                    UserPrompter& prompter) {
    if (!document.modified)
        return true;
    const Answer answer = prompter.ask(MessageKind::Confirmation, msgSaveChanges(document.file),
                                       MessageButtons::YesNoCancel);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes) {
        for (ShellParticipant* participant : participants)
            participant->saveDocument();
    }
    return true;
}

bool runShutdownQuestions(Modus modus, const Document& document, const Participants& participants,
                          UserPrompter& prompter) {
    if (!askAbortRun(modus, participants, prompter))
        return false;
    for (ShellParticipant* participant : participants)
        participant->abandonRun();
    if (!askSaveChanges(document, participants, prompter))
        return false;
    for (ShellParticipant* participant : participants) {
        const QString question = participant->shutdownQuestion();
        if (question.isEmpty())
            continue;
        const Answer answer =
            prompter.ask(MessageKind::Confirmation, question, MessageButtons::YesNoCancel);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes)
            participant->shutdownQuestionConfirmed();
    }
    return prompter.confirmQuit();
}

} // namespace quorvel
