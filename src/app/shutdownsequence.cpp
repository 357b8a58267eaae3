#include "shutdownsequence.h"

#include "document.h"
#include "mainwindowstate.h"

namespace quorvel {

QString msgExerciseNotFinished()
{
    return QStringLiteral("Die aktuelle Übung ist noch nicht beendet.\r\n"
                          "Übung wirklich abbrechen?");
}

QString msgPuzzleNotSolved()
{
    return QStringLiteral(
        "Das aktuelle Schiebepuzzle ist noch nicht gelöst.\r\nÜbung wirklich abbrechen?");
}

QString msgSaveChanges(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("Aktuelles Dokument speichern?");
    return QStringLiteral("Änderungen im aktuellen Dokument unter \"") + path
           + QStringLiteral("\" speichern?");
}

QString msgChronicleShots(int count, const QString& folder)
{
    if (count == 1)
        return QStringLiteral("1 Chronik-Screenshot wurde im Ordner ") + folder
               + QStringLiteral(" als PNG-Bilddatei abgelegt.\r\n"
                                "Soll diese jetzt gelöscht werden?");
    return QString::number(count) + QStringLiteral(" Chronik-Screenshots wurden im Ordner ")
           + folder
           + QStringLiteral(" als PNG-Bilddateien abgelegt.\r\n"
                            "Sollen diese jetzt gelöscht werden?");
}

bool askAbortRun(int modus, const ShutdownHooks& hooks, UserPrompter& prompter)
{
    QString question;
    if (modus == ModeExercise && !(hooks.exerciseFinished && hooks.exerciseFinished()))
        question = msgExerciseNotFinished();
    else if (modus == ModeSlidingPuzzle && !(hooks.puzzleSolved && hooks.puzzleSolved()))
        question = msgPuzzleNotSolved();
    if (question.isEmpty())
        return true;
    return prompter.ask(MessageKind::Confirmation, question, MessageButtons::YesNo) == Answer::Yes;
}

bool askSaveChanges(const Document& document, const ShutdownHooks& hooks, UserPrompter& prompter)
{
    if (!document.modified)
        return true;
    const Answer answer = prompter.ask(MessageKind::Confirmation,
                                       msgSaveChanges(document.datei),
                                       MessageButtons::YesNoCancel);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes && hooks.saveDocument)
        hooks.saveDocument();
    return true;
}

bool runShutdownQuestions(int modus, const Document& document, const ShutdownHooks& hooks,
                          UserPrompter& prompter)
{
    if (!askAbortRun(modus, hooks, prompter))
        return false;
    if (hooks.networkParticipant && hooks.networkParticipant() && hooks.reportNetworkAbort)
        hooks.reportNetworkAbort();
    if (!askSaveChanges(document, hooks, prompter))
        return false;
    const int shots = hooks.chronicleShotCount ? hooks.chronicleShotCount() : 0;
    if (shots > 0) {
        const QString folder = hooks.chronicleFolder ? hooks.chronicleFolder() : QString();
        const Answer answer = prompter.ask(MessageKind::Confirmation,
                                           msgChronicleShots(shots, folder),
                                           MessageButtons::YesNoCancel);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes && hooks.deleteChronicleShots)
            hooks.deleteChronicleShots();
    }
    return prompter.confirmQuit();
}

} // namespace quorvel
