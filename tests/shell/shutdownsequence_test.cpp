// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "mainwindowstate.h"
#include "scriptedprompter.h"
#include "shellparticipant.h"
#include "shutdownsequence.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

// A participant that follows a run elsewhere, leaves files behind and has
// finished its exercise as told, and records what the sequence did.
struct Scenario : ShellParticipant {
    Document document;
    int shots = 0;
    bool participant = false;
    bool exerciseFinished = false;
    QStringList calls;

    bool runFinished(Modus modus) const override {
        return modus == Modus::Exercise && exerciseFinished;
    }
    void abandonRun() override {
        if (participant)
            calls << u"netz"_s;
    }
    QString shutdownQuestion() const override {
        return shots > 0 ? QString::number(shots) + u" Bilder löschen?"_s : QString();
    }
    void shutdownQuestionConfirmed() override { calls << u"chronik loeschen"_s; }
    void saveDocument() override { calls << u"speichern"_s; }

    Participants participants() { return {this}; }
};

} // namespace

TEST(ShutdownSequence, TextsOfTheQuestions) {
    EXPECT_EQ(msgExerciseNotFinished(),
              u"Die aktuelle Übung ist noch nicht beendet.\r\nÜbung wirklich abbrechen?"_s);
    EXPECT_EQ(msgPuzzleNotSolved(), u"Das aktuelle Schiebepuzzle ist noch nicht gelöst.\r\n"
                                    u"Übung wirklich abbrechen?"_s);
    EXPECT_EQ(msgSaveChanges(u"/a/b.qvl"_s),
              u"Änderungen im aktuellen Dokument unter \"/a/b.qvl\" speichern?"_s);
    EXPECT_EQ(msgSaveChanges(QString()), u"Aktuelles Dokument speichern?"_s);
}

TEST(ShutdownSequence, AllQuestionsInOrder) {
    Scenario s;
    s.document.modified = true;
    s.document.file = u"/themen/a.qvl"_s;
    s.shots = 2;
    s.participant = true;
    test::ScriptedPrompter prompter;
    prompter.answers = {Answer::Yes, Answer::Yes, Answer::Yes};

    EXPECT_TRUE(runShutdownQuestions(Modus::Exercise, s.document, s.participants(), prompter));
    EXPECT_EQ(prompter.order,
              QStringList({msgExerciseNotFinished(), msgSaveChanges(u"/themen/a.qvl"_s),
                           u"2 Bilder löschen?"_s, u"<Beenden>"_s}));
    EXPECT_EQ(s.calls, QStringList({u"netz"_s, u"speichern"_s, u"chronik loeschen"_s}));
    for (const auto& question : prompter.asked)
        EXPECT_EQ(question.kind, MessageKind::Confirmation);
    EXPECT_EQ(prompter.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompter.asked[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(prompter.asked[2].buttons, MessageButtons::YesNoCancel);
}

TEST(ShutdownSequence, EachQuestionCanStopTheShutdown) {
    struct Case {
        const char* what;
        Modus modus;
        std::deque<Answer> answers;
        bool quit;
        int questionsAsked; // the closing dialog counts as one
    };
    const Case cases[] = {
        {"exercise kept", Modus::Exercise, {Answer::No}, true, 1},
        {"puzzle kept", Modus::SlidingPuzzle, {Answer::No}, true, 1},
        {"save cancelled", Modus::LearningView, {Answer::Cancel}, true, 1},
        {"chronicle cancelled", Modus::LearningView, {Answer::No, Answer::Cancel}, true, 2},
        {"closing dialog declined", Modus::LearningView, {Answer::No, Answer::No}, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s;
        s.document.modified = true;
        s.shots = 1;
        test::ScriptedPrompter prompter;
        prompter.answers = c.answers;
        prompter.quitAnswer = c.quit;
        EXPECT_FALSE(runShutdownQuestions(c.modus, s.document, s.participants(), prompter));
        EXPECT_EQ(prompter.order.size(), c.questionsAsked);
        EXPECT_FALSE(s.calls.contains(u"chronik loeschen"_s));
    }
}

TEST(ShutdownSequence, OnlyWhatIsPendingIsAsked) {
    Scenario s;
    s.exerciseFinished = true;
    test::ScriptedPrompter prompter;
    EXPECT_TRUE(runShutdownQuestions(Modus::Exercise, s.document, s.participants(), prompter));
    EXPECT_EQ(prompter.order, QStringList({u"<Beenden>"_s}));
    EXPECT_TRUE(s.calls.isEmpty());

    // Without any participants (nothing of those parts running) only the dialog remains.
    test::ScriptedPrompter bare;
    EXPECT_TRUE(runShutdownQuestions(Modus::LearningView, Document(), {}, bare));
    EXPECT_EQ(bare.order, QStringList({u"<Beenden>"_s}));
}

TEST(ShutdownSequence, SaveQuestionWithoutPathAndNoContinues) {
    Scenario s;
    s.document.modified = true;
    test::ScriptedPrompter prompter;
    prompter.answers = {Answer::No};
    EXPECT_TRUE(askSaveChanges(s.document, s.participants(), prompter));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, u"Aktuelles Dokument speichern?"_s);
    EXPECT_TRUE(s.calls.isEmpty());
}
