// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlist.h"
#include "capitalsdocument.h"
#include "document.h"
#include "exerciseclock.h"
#include "exercisesession.h"
#include "localidentity.h"
#include "networkparticipant.h"
#include "networkteacher.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

template <typename Done> bool runUntil(Done done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Three labels, covered and numbered 1 to 3 in document order.
Document cities() {
    Document document = test::capitalsDocument();
    RandomGenerator random(1);
    coverAndNumber(document, NumberingOrdered, random);
    return document;
}

// One participant PC: its own copy of the document, its session on a
// virtual clock and the driver that reports the run.
struct Pupil {
    Pupil(const ExchangeFiles& files, TMailSlotChannel* channel,
          const NetworkInvitation& invitation, const Document& copy, const QString& name, int seed)
        : document(copy), random(quint64(seed)), session(document, rules, clock, random),
          participant(files, channel, invitation, name, u"pc-"_s + name, random) {
        const QDateTime start = QDateTime::currentDateTime();
        participant.join(start);
        participant.observe(session.run());
        const StartRequest request = participantRequest(dokTypOf(document.header), Settings{},
                                                        invitation.settings, name, start);
        started = session.start(request, false).started();
    }
    Document document;
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    VirtualClock clock;
    RandomGenerator random;
    ExerciseSession session;
    NetworkParticipant participant;
    bool started = false;
};

class ParticipantRun : public ::testing::TestWithParam<NetworkTeacher::Method> {};

} // namespace

// Two pupils against a teacher in this process: one finishes after a wrong
// drop, the other closes the program during the run. The teacher's grid follows every answer, gets
// both ends and exactly one best-list entry; the pupils leave the exchange files to the teacher.
TEST_P(ParticipantRun, ReportsEveryAnswerAndTheEndToTheTeacher) {
    const bool combined = GetParam() == NetworkTeacher::Method::Combined;
    for (const QString& code : {QString(), u"K7X2"_s}) {
        SCOPED_TRACE(code.toStdString());
        QTemporaryDir dir;
        const QString channel = combined ? u"QVTN1"_s : u"QVTN2"_s;
        Document document = cities();
        NetworkTeacher teacher;
        NetworkTeacher::Publication p;
        p.folder = dir.path();
        p.channel = channel;
        p.method = GetParam();
        p.settings.NetzUebungMaster = u"localhost"_s;
        p.settings.ZeitLimitIndex = 1; // a limit: the clock counts down from 2:00
        p.settings.ZeitLimitWert = 120;
        p.state.fieldCount = 3;
        p.state.teacherNumbers = {1, 2, 3};
        p.lessonCode = code;
        p.scanIntervalMs = 20;
        ASSERT_TRUE(teacher.initiate(document, p));
        const ExchangeFiles files(dir.path(), channel);
        NetworkInvitation invitation;
        ASSERT_TRUE(readInvitation(files, code, invitation));

        TMailSlotChannel out;
        out.setMailBox(channel);
        TMailSlotChannel* send = combined ? &out : nullptr;
        qint64 elapsedAtEnd = -1;
        {
            Pupil anna(files, send, invitation, document, u"Anna"_s, 1);
            Pupil ben(files, send, invitation, document, u"Ben"_s, 2);
            ASSERT_TRUE(anna.started && ben.started);
            ExerciseRun& run = anna.session.run();
            ASSERT_TRUE(run.drop(0, 1).taken); // wrong: Rom is not Paris
            anna.clock.advance(5000);
            ASSERT_TRUE(run.drop(0, 0).taken);
            ASSERT_TRUE(run.drop(1, 1).taken);
            ASSERT_TRUE(ben.session.run().drop(2, 2).taken);
            // The program closes: Ben's end goes out as an abort, his run untouched.
            ben.participant.leave();
            EXPECT_TRUE(ben.session.run().running());
            EXPECT_TRUE(ben.participant.endReported());
            anna.clock.advance(5000);
            ASSERT_TRUE(run.drop(2, 2).taken);
            EXPECT_EQ(run.session().EndeGrund, EndReason::Completed);
            const QString clockAtEnd = run.clockText();
            elapsedAtEnd = run.elapsedMs();
            EXPECT_TRUE(anna.participant.endReported());
            // Nothing after the end: the abort of an ended run is not a second
            // end, nor the end of a later joining that watches the same run.
            NetworkParticipant later(files, send, invitation, u"Carl"_s, u"pc"_s, anna.random);
            later.observe(run);
            anna.session.abort();
            EXPECT_FALSE(later.endReported());

            const TeacherState* state = teacher.state();
            ASSERT_TRUE(runUntil([&] {
                return state->participants().size() == 2 &&
                       state->participants().at(0).bestListed &&
                       state->participants().at(1).cells.at(3) == u"abgebr."_s &&
                       anna.participant.idle() && ben.participant.idle();
            }));
            const QStringList& a = state->participants().at(0).cells;
            EXPECT_EQ(a.at(1), hostName());
            EXPECT_EQ(a.at(2), u"Anna"_s);
            EXPECT_EQ(a.at(3), u"fertig"_s);
            EXPECT_EQ(a.at(5), clockAtEnd);
            EXPECT_LT(clockAtEnd, u"01:50"_s) << "the remaining time, counted down";
            EXPECT_EQ(a.at(6), u"3"_s);
            EXPECT_EQ(a.at(7), u"3"_s);
            EXPECT_EQ(a.at(8), u"1"_s);
            EXPECT_EQ(a.at(9), u"75.0 %"_s);
            EXPECT_EQ(a.at(10), u"0"_s);
            EXPECT_EQ(a.at(13), u"ok"_s);
            EXPECT_EQ(a.at(14), u"f ok"_s) << "the wrong drop counts on its target";
            EXPECT_EQ(a.at(15), u"ok"_s);
            const QStringList& b = state->participants().at(1).cells;
            EXPECT_EQ(b.at(2), u"Ben"_s);
            EXPECT_EQ(b.at(7), u"1"_s);
            EXPECT_EQ(b.at(15), u"ok"_s);
            EXPECT_FALSE(state->participants().at(1).bestListed);
            EXPECT_EQ(state->rejectedCount(), 0);
        }
        EXPECT_TRUE(files.available()) << "only the teacher clears the exchange files";
        teacher.end();
        QList<BestListDataTyp> best;
        ASSERT_TRUE(readBestList(files.bestListPath(), BestListKind::Network, best));
        ASSERT_EQ(best.size(), 1);
        EXPECT_EQ(best.at(0).Name, u"Anna"_s);
        EXPECT_EQ(best.at(0).Rechner, u"pc-Anna"_s);
        EXPECT_EQ(best.at(0).Dauer, elapsedAtEnd);
        EXPECT_DOUBLE_EQ(best.at(0).Leistung, 0.75);
    }
}

INSTANTIATE_TEST_SUITE_P(BothMethods, ParticipantRun,
                         ::testing::Values(NetworkTeacher::Method::Folder,
                                           NetworkTeacher::Method::Combined));

// The teacher's options win over the participant's own; its own grading
// stays where the teacher's file has none.
TEST(ParticipantRequest, TakesTheTeachersOptionsOverItsOwn) {
    Settings own;
    NetzUebSettings teacher;
    teacher.AbfrageModusItemIndex = 2;
    teacher.ZeitLimitIndex = 1;
    teacher.ZeitLimitWert = 90;
    teacher.BewertSkala = 2;
    const QDateTime start(QDate(2026, 12, 10), QTime(10, 0));
    const StartRequest r =
        participantRequest(DokTyp::PictureLabelling, own, teacher, u"Eva"_s, start);
    EXPECT_EQ(r.kind, SessionKind::NetworkParticipant);
    EXPECT_EQ(r.participantName, u"Eva"_s);
    EXPECT_EQ(r.context.networkName, u"Eva"_s) << "the protocol names the registered name";
    EXPECT_EQ(r.startTime, start);
    EXPECT_EQ(int(r.settings.AbfrageModus), 2);
    EXPECT_EQ(r.settings.Zeitlimit, TimeMode::Limit);
    EXPECT_EQ(r.settings.ZeitlimitSek, 90);
    EXPECT_EQ(int(r.grading.BewertSkala), 2);
    EXPECT_EQ(r.grading.NoteMinQuote, gradingTableOf(own).NoteMinQuote);
}
