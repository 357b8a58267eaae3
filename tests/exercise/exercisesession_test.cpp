// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "exerciseclock.h"
#include "exercisesession.h"
#include "randomgenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;
using K = ExerciseEvent::Kind;

// Three labels on a page, asked in free mode.
Document cities() {
    Document document;
    for (const QString& name : {u"Rom"_s, u"Paris"_s, u"Oslo"_s}) {
        ObjDataTyp o;
        o.Typ = codeOf(Typ::QueryLabel);
        o.Cap = name;
        document.objects.push_back(o);
    }
    return document;
}

StartRequest request() {
    StartRequest r;
    r.participantName = u"aus der Anfrage"_s;
    r.startTime = QDateTime(QDate(2026, 12, 10), QTime(9, 30));
    return r;
}

// A whole exercise without a window: two observers hear every event, the
// name is asked once, the end completes protocol, result and best list,
// and the partial repetition asks only what was missed.
TEST(ExerciseSession, RunsAWholeExerciseForTwoObserversWithoutAWindow) {
    Document document = cities();
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    VirtualClock clock;
    RandomGenerator random{4};
    ExerciseSession session(document, rules, clock, random);
    std::vector<K> window, participant;
    const int windowId =
        session.run().addObserver([&](const ExerciseEvent& e) { window.push_back(e.kind); });
    session.run().addObserver([&](const ExerciseEvent& e) { participant.push_back(e.kind); });
    QStringList asked;
    session.setNameEntry([&](const QString& last) {
        asked << last;
        return u"Jörg"_s;
    });
    std::vector<double> entered;
    session.setBestListEntry([&](const ExerciseRun& run) {
        entered.push_back(run.session().Gesamtleistung);
        return true;
    });

    ASSERT_TRUE(session.start(request(), true).started());
    EXPECT_EQ(asked, QStringList{QString()});
    EXPECT_EQ(session.run().session().TeilnehmerName, u"Jörg"_s);
    ExerciseRun& run = session.run();
    EXPECT_FALSE(session.canRepeat());
    ASSERT_TRUE(run.drop(0, 1).taken); // Rom on Paris: wrong
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(run.drop(i, i).taken);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(window, participant);
    EXPECT_EQ(std::count(window.begin(), window.end(), K::Evaluated), 4);
    EXPECT_EQ(window.back(), K::Ended);

    const SessionEnd end = session.complete(QDateTime(QDate(2026, 12, 10), QTime(9, 40)));
    EXPECT_FALSE(end.seriesPart);
    EXPECT_TRUE(end.enteredInBestList);
    ASSERT_EQ(entered.size(), 1u);
    EXPECT_DOUBLE_EQ(entered[0], 0.75);
    EXPECT_EQ(end.result.richtig, u"3  von  3"_s);
    EXPECT_TRUE(end.result.repetitionChoice);
    EXPECT_TRUE(end.protocol.contains(u"Teilnehmername:\tJörg"_s)) << end.protocol.toStdString();
    EXPECT_TRUE(end.errors.isEmpty());

    // The window leaves; the participant goes on hearing the repetition.
    run.removeObserver(windowId);
    const size_t heard = window.size();
    ASSERT_TRUE(session.canRepeat());
    ASSERT_TRUE(session.repeat(RepetitionMode::OnlyMissed, request().startTime).started());
    EXPECT_EQ(asked.size(), 1) << "the same participant: the name is not asked again";
    EXPECT_EQ(run.session().TeilnehmerName, u"Jörg"_s);
    EXPECT_EQ(run.session().AbfrageAnz, 2) << "Rom and Paris, missed at the first attempt";
    ASSERT_TRUE(run.drop(0, 0).taken);
    ASSERT_TRUE(run.drop(1, 1).taken);
    EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
    EXPECT_EQ(window.size(), heard);
    EXPECT_EQ(participant.back(), K::Ended);
    EXPECT_FALSE(session.complete(QDateTime::currentDateTime()).result.repetitionChoice);
}

TEST(ExerciseSession, RefusesToRepeatARunningOrAbortedRunAndKeepsARefusedStartsObjects) {
    Document document = cities();
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    VirtualClock clock;
    RandomGenerator random{4};
    ExerciseSession session(document, rules, clock, random);
    bool askedName = false;
    session.setNameEntry([&](const QString&) {
        askedName = true;
        return u"X"_s;
    });
    ASSERT_TRUE(session.start(request(), false).started());
    EXPECT_FALSE(askedName) << "no name entry unless asked for";
    EXPECT_EQ(session.run().session().TeilnehmerName, u"aus der Anfrage"_s);
    EXPECT_EQ(session.repeat(RepetitionMode::Complete, {}).status, StartOutcome::Status::Refused);
    session.abort();
    EXPECT_FALSE(session.canRepeat());

    // Nothing to ask: refused before the name is asked, nothing changed.
    for (ObjDataTyp& o : document.objects)
        o.Typ = codeOf(Typ::FixedLabel);
    const StartOutcome refused = session.start(request(), true);
    EXPECT_EQ(refused.message, u"Dieses Dokument enthält keine Abfrageobjekte."_s);
    EXPECT_FALSE(askedName);
}

// The program's clock: a pause is a state of the run, ended by a timer in
// the event loop. Meanwhile the run is busy and refuses input, and what
// follows the pause (the target's red cross) comes only after it.
TEST(ExercisePause, IsAStateThatATimerEndsWithoutANestedEventLoop) {
    int argc = 0;
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, nullptr);
    Document document = cities();
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    MonotonicClock clock;
    RandomGenerator random{4};
    ExerciseRun run(document, rules, clock, random);
    std::vector<K> events;
    run.addObserver([&](const ExerciseEvent& e) { events.push_back(e.kind); });
    StartRequest r = request();
    r.settings.ZuordnungFalsch = WrongAction::RedCross;
    ASSERT_TRUE(run.start(r).started());
    events.clear();

    const qint64 before = clock.nowMs();
    ASSERT_TRUE(run.drop(0, 1).taken);
    EXPECT_LT(clock.nowMs() - before, 100) << "drop() returns at once";
    EXPECT_TRUE(run.busy());
    EXPECT_EQ(run.drop(2, 2).reason, u"an evaluation is under way"_s);
    EXPECT_EQ(document.objects[1].AbfrageStatus, AbfrageStatus::Open);
    EXPECT_EQ(events, (std::vector<K>{K::Feedback, K::Pause}));

    QElapsedTimer waited;
    waited.start();
    while (run.busy() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(run.busy());
    EXPECT_GE(clock.nowMs() - before, 100);
    EXPECT_EQ(document.objects[1].AbfrageStatus, AbfrageStatus::ClosedWrong);
    EXPECT_EQ(events.back(), K::Evaluated);

    // An abort during a pause drops what was still to come.
    ASSERT_TRUE(run.drop(2, 2).taken);
    ASSERT_TRUE(run.busy()) << "the feedback of a right answer";
    run.abort();
    EXPECT_FALSE(run.busy());
    const size_t afterAbort = events.size();
    waited.restart();
    while (waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(events.size(), afterAbort) << "no step of the given-up run runs later";
}

} // namespace
} // namespace quorvel
