// SPDX-License-Identifier: GPL-3.0-or-later
#include "mailslotwire.h"
#include "tmailslotchannel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace quorvel;

namespace {

struct Received {
    QString computer, user, text;
};

// Runs the event loop until `count` messages came or two seconds passed.
void waitFor(const std::vector<Received>& got, std::size_t count) {
    QElapsedTimer timer;
    timer.start();
    while (got.size() < count && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void sendRaw(quint16 port, const QByteArray& bytes) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(fd, bytes.constData(), static_cast<size_t>(bytes.size()), 0,
             reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(fd);
}

} // namespace

TEST(MailSlotWire, PortAndNames) {
    // CRC-32 of the upper-cased name, mod 1000, above 47000.
    EXPECT_EQ(mailSlotPort(QStringLiteral("MASTER-1")), 47710);
    EXPECT_EQ(mailSlotPort(QStringLiteral("master-1")), 47710);
    EXPECT_EQ(mailSlotPort(QStringLiteral("RBK-1")), 47148);
    const struct {
        const char* name;
        bool plain;
    } cases[] = {{"MASTER-1", true}, {"MASTER-12", false}, {"", false},
                 {"..", false},      {".", false},         {"a/b", false},
                 {"a\\b", false},    {"x\ty", false},      {"KLASSE7B", true}};
    for (const auto& c : cases)
        EXPECT_EQ(isPlainMailBoxName(QString::fromUtf8(c.name)), c.plain) << c.name;
}

TEST(MailSlotWire, FramingAndLines) {
    const QByteArray bytes =
        encodeChannelMessage(QStringLiteral("anna"), QStringLiteral("pc7"),
                             {QStringLiteral("TN-FERTIG"), QStringLiteral("ID"),
                              QStringLiteral("1"), QStringLiteral("03:12")});
    EXPECT_EQ(bytes, QByteArray("Message\r\nanna\r\npc7\r\nTN-FERTIG\r\nID\r\n1\r\n03:12\r\n"));
    const auto decoded = decodeChannelMessage(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->user, QStringLiteral("anna"));
    EXPECT_EQ(decoded->computer, QStringLiteral("pc7"));
    EXPECT_EQ(decoded->text, QStringLiteral("TN-FERTIG\r\nID\r\n1\r\n03:12\r\n"));

    // No caller lines: an empty text; a foreign header or a cut header: nothing.
    const auto empty =
        decodeChannelMessage(encodeChannelMessage(QStringLiteral("u"), QStringLiteral("c"), {}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->text.isEmpty());
    EXPECT_FALSE(decodeChannelMessage("Massage\r\nu\r\nc\r\nX\r\n"));
    EXPECT_FALSE(decodeChannelMessage("Message\r\nu\r\n"));
    // Bare CR and LF end lines too.
    EXPECT_EQ(messageLines(QStringLiteral("a\rb\nc\r\nd")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d")}));
}

TEST(MailSlotChannel, DeliversOldestFirstAndRefusesASecondHolder) {
    TMailSlotChannel teacher;
    ASSERT_TRUE(teacher.setMailBox(QStringLiteral("QVTEST1")));
    EXPECT_FALSE(teacher.setMailBox(QStringLiteral("QVTEST123")));
    EXPECT_EQ(teacher.MailBox(), QStringLiteral("QVTEST1"));
    teacher.setCheckInterval(20);
    teacher.setActive(true);
    ASSERT_TRUE(teacher.Active()) << "port " << mailSlotPort(QStringLiteral("QVTEST1"))
                                  << " taken on this machine";

    TMailSlotChannel second;
    second.setMailBox(QStringLiteral("QVTEST1"));
    second.setActive(true);
    EXPECT_FALSE(second.Active());

    std::vector<Received> got;
    QObject::connect(&teacher, &TMailSlotChannel::newMessage, &teacher,
                     [&](const QString& c, const QString& u, const QString& t) {
                         got.push_back({c, u, t});
                     });
    TMailSlotChannel pupil;
    pupil.setMailBox(QStringLiteral("QVTEST1"));
    pupil.setLocalNames(QStringLiteral("anna"), QStringLiteral("pc-7"));
    sendRaw(mailSlotPort(QStringLiteral("QVTEST1")), "no header\r\n");
    for (int i = 0; i < 3; ++i)
        pupil.Send(QStringLiteral("localhost"), {QString::number(i)});
    pupil.Send(QStringLiteral("no-such-host.invalid"), {QStringLiteral("lost")});
    waitFor(got, 3);
    ASSERT_EQ(got.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(got[i].text, QString::number(i) + QStringLiteral("\r\n"));
        EXPECT_EQ(got[i].computer, QStringLiteral("pc-7"));
        EXPECT_EQ(got[i].user, QStringLiteral("anna"));
    }
    teacher.setActive(false);
    second.setActive(true);
    EXPECT_TRUE(second.Active()) << "the mailbox is free again after deactivation";
}

TEST(MailSlotChannel, AClassFinishingAtOnceLosesNothing) {
    TMailSlotChannel teacher;
    teacher.setMailBox(QStringLiteral("QVTEST2"));
    teacher.setCheckInterval(150);
    teacher.setActive(true);
    ASSERT_TRUE(teacher.Active());
    std::vector<Received> got;
    QObject::connect(&teacher, &TMailSlotChannel::newMessage, &teacher,
                     [&](const QString& c, const QString& u, const QString& t) {
                         got.push_back({c, u, t});
                     });
    // 60 participants, each sending an answer, its end and its best-list entry,
    // all before the UI thread looks once.
    TMailSlotChannel pupils;
    pupils.setMailBox(QStringLiteral("QVTEST2"));
    const QString filler(300, QLatin1Char('x'));
    for (int i = 0; i < 180; ++i)
        pupils.Send(QStringLiteral("127.0.0.1"), {QString::number(i), filler});
    waitFor(got, 180);
    ASSERT_EQ(got.size(), 180u);
    for (int i = 0; i < 180; ++i)
        EXPECT_TRUE(got[static_cast<std::size_t>(i)].text.startsWith(QString::number(i) + u'\r'));
    EXPECT_EQ(teacher.droppedCount(), 0);
}
