#include "document.h"
#include "mainwindowstate.h"
#include "scriptedprompter.h"
#include "shutdownsequence.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

// Hooks that report a network participation, unsaved chronicle shots and
// record what the sequence did.
struct Scenario {
    Document document;
    int shots = 0;
    bool participant = false;
    QStringList calls;

    ShutdownHooks hooks()
    {
        ShutdownHooks h;
        h.networkParticipant = [this] { return participant; };
        h.reportNetworkAbort = [this] { calls << u"netz"_s; };
        h.chronicleShotCount = [this] { return shots; };
        h.chronicleFolder = [] { return u"/basis/chronik/"_s; };
        h.deleteChronicleShots = [this] { calls << u"chronik loeschen"_s; };
        h.saveDocument = [this] { calls << u"speichern"_s; };
        return h;
    }
};

} // namespace

TEST(ShutdownSequence, TextsOfTheQuestions)
{
    EXPECT_EQ(msgExerciseNotFinished(),
              u"Die aktuelle Übung ist noch nicht beendet.\r\nÜbung wirklich abbrechen?"_s);
    EXPECT_EQ(msgPuzzleNotSolved(),
              u"Das aktuelle Schiebepuzzle ist noch nicht gelöst.\r\n"
              u"Übung wirklich abbrechen?"_s);
    EXPECT_EQ(msgSaveChanges(u"/a/b.qvl"_s),
              u"Änderungen im aktuellen Dokument unter \"/a/b.qvl\" speichern?"_s);
    EXPECT_EQ(msgSaveChanges(QString()), u"Aktuelles Dokument speichern?"_s);
    EXPECT_EQ(msgChronicleShots(1, u"/c/"_s),
              u"1 Chronik-Screenshot wurde im Ordner /c/ als PNG-Bilddatei abgelegt.\r\n"
              u"Soll diese jetzt gelöscht werden?"_s);
    EXPECT_EQ(msgChronicleShots(3, u"/c/"_s),
              u"3 Chronik-Screenshots wurden im Ordner /c/ als PNG-Bilddateien abgelegt.\r\n"
              u"Sollen diese jetzt gelöscht werden?"_s);
}

TEST(ShutdownSequence, AllQuestionsInOrder)
{
    Scenario s;
    s.document.modified = true;
    s.document.datei = u"/themen/a.qvl"_s;
    s.shots = 2;
    s.participant = true;
    test::ScriptedPrompter prompter;
    prompter.answers = {Answer::Yes, Answer::Yes, Answer::Yes};

    EXPECT_TRUE(runShutdownQuestions(ModeExercise, s.document, s.hooks(), prompter));
    EXPECT_EQ(prompter.order,
              QStringList({msgExerciseNotFinished(), msgSaveChanges(u"/themen/a.qvl"_s),
                           msgChronicleShots(2, u"/basis/chronik/"_s), u"<Beenden>"_s}));
    EXPECT_EQ(s.calls, QStringList({u"netz"_s, u"speichern"_s, u"chronik loeschen"_s}));
    for (const auto& question : prompter.asked)
        EXPECT_EQ(question.kind, MessageKind::Confirmation);
    EXPECT_EQ(prompter.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompter.asked[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(prompter.asked[2].buttons, MessageButtons::YesNoCancel);
}

TEST(ShutdownSequence, EachQuestionCanStopTheShutdown)
{
    struct Case {
        const char* what;
        int modus;
        std::deque<Answer> answers;
        bool quit;
        int questionsAsked; // the closing dialog counts as one
    };
    const Case cases[] = {
        {"exercise kept", ModeExercise, {Answer::No}, true, 1},
        {"puzzle kept", ModeSlidingPuzzle, {Answer::No}, true, 1},
        {"save cancelled", ModeLearningView, {Answer::Cancel}, true, 1},
        {"chronicle cancelled", ModeLearningView, {Answer::No, Answer::Cancel}, true, 2},
        {"closing dialog declined", ModeLearningView, {Answer::No, Answer::No}, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s;
        s.document.modified = true;
        s.shots = 1;
        test::ScriptedPrompter prompter;
        prompter.answers = c.answers;
        prompter.quitAnswer = c.quit;
        EXPECT_FALSE(runShutdownQuestions(c.modus, s.document, s.hooks(), prompter));
        EXPECT_EQ(prompter.order.size(), c.questionsAsked);
        EXPECT_FALSE(s.calls.contains(u"chronik loeschen"_s));
    }
}

TEST(ShutdownSequence, OnlyWhatIsPendingIsAsked)
{
    Scenario s;
    ShutdownHooks hooks = s.hooks();
    hooks.exerciseFinished = [] { return true; };
    test::ScriptedPrompter prompter;
    EXPECT_TRUE(runShutdownQuestions(ModeExercise, s.document, hooks, prompter));
    EXPECT_EQ(prompter.order, QStringList({u"<Beenden>"_s}));
    EXPECT_TRUE(s.calls.isEmpty());

    // Without any hooks (nothing of those parts running) only the dialog remains.
    test::ScriptedPrompter bare;
    EXPECT_TRUE(runShutdownQuestions(ModeLearningView, Document(), {}, bare));
    EXPECT_EQ(bare.order, QStringList({u"<Beenden>"_s}));
}

TEST(ShutdownSequence, SaveQuestionWithoutPathAndNoContinues)
{
    Scenario s;
    s.document.modified = true;
    test::ScriptedPrompter prompter;
    prompter.answers = {Answer::No};
    EXPECT_TRUE(askSaveChanges(s.document, s.hooks(), prompter));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, u"Aktuelles Dokument speichern?"_s);
    EXPECT_TRUE(s.calls.isEmpty());
}
