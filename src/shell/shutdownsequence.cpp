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

QString msgChronicleShots(int count, const QString& folder) {
    if (count == 1)
        return QStringLiteral("1 Chronik-Screenshot wurde im Ordner ") + folder +
               QStringLiteral(" als PNG-Bilddatei abgelegt.\r\n"
                              "Soll diese jetzt gelöscht werden?");
    return QString::number(count) + QStringLiteral(" Chronik-Screenshots wurden im Ordner ") +
           folder +
           QStringLiteral(" als PNG-Bilddateien abgelegt.\r\n"
                          "Sollen diese jetzt gelöscht werden?");
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
        participant->reportNetworkAbort();
    if (!askSaveChanges(document, participants, prompter))
        return false;
    for (ShellParticipant* participant : participants) {
        const int shots = participant->chronicleShotCount();
        if (shots <= 0)
            continue;
        const Answer answer = prompter.ask(MessageKind::Confirmation,
                                           msgChronicleShots(shots, participant->chronicleFolder()),
                                           MessageButtons::YesNoCancel);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes)
            participant->deleteChronicleShots();
    }
    return prompter.confirmQuit();
}

} // namespace quorvel
