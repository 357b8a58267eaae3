// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlist.h"
#include "document.h"
#include "documentio.h"
#include "networkteacher.h"
#include "participantlink.h"
#include "randomgenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

template <typename Done> bool runUntil(Done done, int ms = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

NetworkTeacher::Publication publication(const QString& folder, const QString& channel,
                                        NetworkTeacher::Method method, const QString& code) {
    NetworkTeacher::Publication p;
    p.folder = folder;
    p.channel = channel;
    p.method = method;
    p.settings.NetzUebungMaster = QStringLiteral("localhost");
    p.settings.ZeitLimitWert = 120;
    p.state.fieldCount = 2;
    p.state.teacherNumbers = {1, 2};
    p.lessonCode = code;
    p.scanIntervalMs = 20;
    return p;
}

// One participant through a whole run: join, two answers, the end.
void playParticipant(const NetworkInvitation& invitation, const ExchangeFiles& files,
                     TMailSlotChannel* channel, RandomGenerator& random, const QString& name) {
    ParticipantLink link(files, channel, invitation.settings.NetzUebungMaster, invitation.key,
                         newParticipantId(random), random);
    link.sendInit(name, QStringLiteral("10:00:00"));
    TnAktionData answer;
    answer.objectIndex = 0;
    answer.state = 0;
    answer.wrongAttempts = 1;
    answer.queryCount = 2;
    answer.right = 1;
    answer.wrong = 1;
    answer.open = 1;
    answer.clock = QStringLiteral("00:10");
    link.sendAction(answer);
    answer.objectIndex = 1;
    answer.wrongAttempts = 0;
    answer.right = 2;
    answer.open = 0;
    link.sendAction(answer);
    link.sendEnd(NetStatus::Fertig, QStringLiteral("00:20"),
                 tnBestlist(link.id(), name, QStringLiteral("pc"), 46000.5, 20000, 2.0 / 3.0));
    ASSERT_TRUE(runUntil([&] { return link.idle(); }));
}

class NetworkRun : public ::testing::TestWithParam<NetworkTeacher::Method> {};

} // namespace

TEST_P(NetworkRun, ParticipantsReachTheTeachersGridAndBestList) {
    const bool combined = GetParam() == NetworkTeacher::Method::Combined;
    for (const QString& code : {QString(), QStringLiteral("AB12CD")}) {
        SCOPED_TRACE(code.toStdString());
        QTemporaryDir dir;
        const QString channel = combined ? QStringLiteral("QVNET1") : QStringLiteral("QVNET2");
        Document document;
        NetworkTeacher teacher;
        const IoResult started =
            teacher.initiate(document, publication(dir.path(), channel, GetParam(), code));
        ASSERT_TRUE(started) << started.detail.toStdString();
        ASSERT_TRUE(started.messages.isEmpty());
        const ExchangeFiles files(dir.path(), channel);
        ASSERT_TRUE(files.available());

        NetworkInvitation invitation;
        if (!code.isEmpty()) {
            const IoResult wrong = readInvitation(files, QStringLiteral("AB12CE"), invitation);
            EXPECT_EQ(wrong.messages, QStringList{msgWrongLessonCode()});
            EXPECT_FALSE(readInvitation(files, QString(), invitation));
        }
        ASSERT_TRUE(readInvitation(files, code.toLower(), invitation));
        EXPECT_EQ(invitation.key.active(), !code.isEmpty());

        TMailSlotChannel channelOut;
        channelOut.setMailBox(channel);
        RandomGenerator random(5);
        playParticipant(invitation, files, combined ? &channelOut : nullptr, random,
                        QStringLiteral("Anna"));
        playParticipant(invitation, files, combined ? &channelOut : nullptr, random,
                        QStringLiteral("Ben"));
        const TeacherState* state = teacher.state();
        ASSERT_TRUE(runUntil([&] {
            return state->participants().size() == 2 &&
                   state->participants().at(1).cells.at(3) == QStringLiteral("fertig") &&
                   state->participants().at(1).bestListed;
        }));
        EXPECT_EQ(state->participants().at(0).cells.at(13), QStringLiteral("f ok"));
        EXPECT_EQ(state->participants().at(0).cells.at(14), QStringLiteral("ok"));
        EXPECT_EQ(state->rejectedCount(), 0);

        teacher.end();
        EXPECT_FALSE(files.available());
        EXPECT_TRUE(files.messageFiles().isEmpty());
        QList<BestListDataTyp> best;
        ASSERT_TRUE(readBestList(files.bestListPath(), BestListKind::Network, best));
        ASSERT_EQ(best.size(), 2) << "each end went out three times, entered once";
        EXPECT_EQ(best.at(0).Name, QStringLiteral("Anna"));
    }
}

INSTANTIATE_TEST_SUITE_P(BothMethods, NetworkRun,
                         ::testing::Values(NetworkTeacher::Method::Folder,
                                           NetworkTeacher::Method::Combined));

TEST(NetworkInvitation, ACopyReplacedBySomeoneElseIsRefused) {
    QTemporaryDir dir;
    Document document;
    NetworkTeacher teacher;
    ASSERT_TRUE(teacher.initiate(document, publication(dir.path(), QStringLiteral("QVNET3"),
                                                       NetworkTeacher::Method::Folder,
                                                       QStringLiteral("XY7"))));
    const ExchangeFiles files(dir.path(), QStringLiteral("QVNET3"));
    QFile copy(files.documentPath());
    ASSERT_TRUE(copy.open(QIODevice::Append));
    copy.write("x");
    copy.close();
    NetworkInvitation invitation;
    const IoResult read = readInvitation(files, QStringLiteral("XY7"), invitation);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.messages, QStringList{msgCannotRead(files.documentPath())});

    // A settings file that cannot be read ends the join with its message.
    QFile::remove(files.settingsPath());
    QFile broken(files.settingsPath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xff\xff\xff\x7f");
    broken.close();
    EXPECT_EQ(readInvitation(files, QString(), invitation).messages,
              QStringList{msgNetworkFileRead(files.settingsPath())});
}
