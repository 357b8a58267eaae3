// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlist.h"
#include "binarystream.h"
#include "documentio.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

BestListDataTyp entry(const QString& name, qint32 dauer, double leistung) {
    BestListDataTyp e;
    e.Name = name;
    e.Rechner = u"PC-01"_s;
    e.Beginn = 46000.25;
    e.Dauer = dauer;
    e.Leistung = leistung;
    return e;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class BestListFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(u"liste.hsc"_s); }
};

TEST_F(BestListFile, RoundTripWithUmlautsInWindows1252) {
    BestListDataTyp written =
        individualBestListEntry(u"  Jürgen Müßig "_s, u"Räume-3"_s,
                                QDateTime(QDate(2026, 12, 10), QTime(18, 0)), 65432, 0.75);
    ASSERT_TRUE(appendBestListEntry(path(), BestListKind::Individual, written));
    const QByteArray bytes = fileBytes(path());
    EXPECT_TRUE(bytes.contains("J\xFCrgen M\xFC\xDFig"));
    EXPECT_TRUE(bytes.startsWith(bestListHeader()));

    QList<BestListDataTyp> read;
    const IoResult result = readBestList(path(), BestListKind::Individual, read);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result.messages.isEmpty());
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read[0].Name, u"Jürgen Müßig"_s);
    EXPECT_EQ(read[0].Rechner, u"Räume-3"_s);
    EXPECT_EQ(read[0].Dauer, 65432);
    EXPECT_DOUBLE_EQ(read[0].Leistung, 0.75);
    // 10 December 2026 is day 46366 after 30 December 1899; 18:00 is 0.75 of it.
    EXPECT_DOUBLE_EQ(read[0].Beginn, 46366.75);
    EXPECT_EQ(bestListDateTime(read[0].Beginn), QDateTime(QDate(2026, 12, 10), QTime(18, 0)));
}

TEST(BestListEntry, EmptyNameBecomesKeinNameAndDurationIsBounded) {
    const BestListDataTyp e =
        individualBestListEntry(u"   "_s, u"PC"_s, QDateTime(), qint64(1) << 40, 1.0);
    EXPECT_EQ(e.Name, u"(kein Name)"_s);
    EXPECT_EQ(e.Dauer, std::numeric_limits<qint32>::max());
}

TEST(BestListFormat, KeyListWithoutRechnerLeavesComputerNamesEmpty) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    BinaryWriter writer(buffer);
    writer.writeString(u"RBK-HSC-1.00"_s);
    writer.writeString(u"|HSC-Name|HSC-Beginn|HSC-Dauer|HSC-Leistung|"_s);
    for (int i = 0; i < 2; ++i) {
        writer.writeString(u"Anna"_s);
        writer.writeReal(46000.0);
        writer.writeInt(1000 * (i + 1));
        writer.writeReal(0.5);
    }
    buffer.seek(0);
    QList<BestListDataTyp> read;
    ASSERT_TRUE(parseBestList(buffer, read));
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[1].Name, u"Anna"_s);
    EXPECT_TRUE(read[1].Rechner.isEmpty());
    EXPECT_EQ(read[1].Dauer, 2000);

    // Five fields appended after this key list would not read back: refused.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"vier.hsc"_s);
    writeBytes(path, buffer.data());
    EXPECT_FALSE(appendBestListEntry(path, BestListKind::Individual, entry(u"neu"_s, 1, 1)));
    EXPECT_EQ(fileBytes(path), buffer.data());
}

TEST_F(BestListFile, MissingFileAndForeignMagicGiveTheirMessagesAndAnEmptyList) {
    QList<BestListDataTyp> read{entry(u"alt"_s, 1, 1)};
    IoResult result = readBestList(path(), BestListKind::Network, read);
    EXPECT_TRUE(result);
    EXPECT_TRUE(read.isEmpty());
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_EQ(result.messages[0],
              u"Die Bestenliste zur aktuellen Netzwerk-Übung enthält noch keine Einträge."_s);

    QBuffer header;
    header.open(QIODevice::WriteOnly);
    BinaryWriter(header).writeString(u"RBK-XYZ-9.99"_s);
    writeBytes(path(), header.data() + bestListEntryBytes(entry(u"x"_s, 1, 1)));
    read = {entry(u"alt"_s, 1, 1)};
    result = readBestList(path(), BestListKind::Individual, read);
    EXPECT_FALSE(result);
    EXPECT_TRUE(read.isEmpty());
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_TRUE(result.messages[0].endsWith(u"weil noch niemand die Übung durchgeführt hat."_s));
    // A foreign file is never appended to.
    EXPECT_FALSE(appendBestListEntry(path(), BestListKind::Individual, entry(u"neu"_s, 1, 1)));
    EXPECT_FALSE(fileBytes(path()).contains("neu"));
}

// A damaged or cut list is a read error, and an append leaves it exactly as
// it is: the entries behind the damage are not lost for good.
TEST_F(BestListFile, DamagedOrCutListIsAReadErrorAndNeverCutByAnAppend) {
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(
            appendBestListEntry(path(), BestListKind::Individual, entry(u"E%1"_s.arg(i), i, 0.5)));
    const QByteArray complete = fileBytes(path());
    const qint64 fourth =
        bestListHeader().size() + 3 * bestListEntryBytes(entry(u"E0"_s, 0, 0.5)).size();
    QByteArray hugeLength = complete;
    hugeLength.replace(fourth, 4, QByteArray("\xff\xff\xff\x7f", 4));
    QByteArray notANumber = complete;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    notANumber.replace(complete.size() - 8, 8, QByteArray(reinterpret_cast<const char*>(&nan), 8));
    QBuffer garbageBuffer;
    garbageBuffer.open(QIODevice::WriteOnly);
    BinaryWriter(garbageBuffer).writeString(u"RBK-HSC-1.00"_s);
    BinaryWriter(garbageBuffer).writeString(u"|unbekannt|"_s);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"length field of the fourth entry", hugeLength},
        {"cut in the last entry", complete.left(complete.size() - 5)},
        {"performance NaN", notANumber},
        {"garbage after the header", bestListHeader() + "\x01\x02\x03"},
        {"garbage after a key list without known keys", garbageBuffer.data() + "xyz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path(), c.bytes);
        QList<BestListDataTyp> read{entry(u"alt"_s, 1, 1)};
        const IoResult result = readBestList(path(), BestListKind::Individual, read);
        EXPECT_FALSE(result);
        EXPECT_TRUE(read.isEmpty());
        ASSERT_EQ(result.messages.size(), 1);
        EXPECT_TRUE(result.messages[0].startsWith(msgCannotRead(path())));

        const IoResult appended =
            appendBestListEntry(path(), BestListKind::Individual, entry(u"neu"_s, 4, 0.5));
        EXPECT_FALSE(appended);
        EXPECT_TRUE(bestListUnreadable(appended));
        EXPECT_EQ(appended.messages, QStringList{msgCannotRead(path())});
        EXPECT_EQ(fileBytes(path()), c.bytes);
    }
}

// Another program holding the lock makes five attempts fail within about
// half a second, for reading and appending alike; nothing waits for it.
TEST_F(BestListFile, HeldLockFailsAfterFiveAttemptsWithoutWaiting) {
    ASSERT_TRUE(appendBestListEntry(path(), BestListKind::Network, entry(u"E"_s, 1, 0.5)));
    const QByteArray before = fileBytes(path());
    QProcess holder;
    holder.start(u"python3"_s, {u"-c"_s,
                                u"import fcntl,sys,time\nf=open(sys.argv[1],'r+b')\n"
                                u"fcntl.lockf(f,fcntl.LOCK_EX)\nprint('held',flush=True)\n"
                                u"time.sleep(30)"_s,
                                path()});
    if (!holder.waitForReadyRead(10000))
        GTEST_SKIP() << "python3 cannot hold a lock here: " << holder.errorString().toStdString();
    QElapsedTimer timer;
    timer.start();
    const IoResult appended =
        appendBestListEntry(path(), BestListKind::Network, entry(u"neu"_s, 2, 0.5));
    const qint64 appendMs = timer.restart();
    QList<BestListDataTyp> read;
    const IoResult result = readBestList(path(), BestListKind::Network, read);
    const qint64 readMs = timer.elapsed();
    holder.kill();
    holder.waitForFinished();

    EXPECT_FALSE(appended);
    EXPECT_EQ(appended.messages, QStringList{msgCannotWrite(path())});
    EXPECT_FALSE(result);
    EXPECT_EQ(fileBytes(path()), before);
    for (const qint64 ms : {appendMs, readMs}) {
        EXPECT_GE(ms, 400);
        EXPECT_LT(ms, 3000);
    }
}

TEST_F(BestListFile, EightProcessesAppendingAtOnceLoseNothing) {
    constexpr int processes = 8;
    constexpr int perProcess = 100;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int p = 0; p < processes; ++p) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->start(QStringLiteral(QUORVEL_BESTLIST_APPENDER),
                              {path(), u"P%1"_s.arg(p), QString::number(perProcess)});
    }
    for (auto& process : running) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0);
    }
    QList<BestListDataTyp> read;
    ASSERT_TRUE(readBestList(path(), BestListKind::Individual, read));
    ASSERT_EQ(read.size(), processes * perProcess);
    QSet<QString> names;
    for (const BestListDataTyp& e : read) {
        names.insert(e.Name);
        EXPECT_EQ(e.Rechner, u"Rechner-Ä"_s);
        EXPECT_EQ(e.Name, u"%1-%2"_s.arg(e.Name.section(u'-', 0, 0)).arg(e.Dauer));
    }
    EXPECT_EQ(names.size(), processes * perProcess);
    // Every byte belongs to an entry: nothing interleaved or overwritten.
    qint64 expected = bestListHeader().size();
    for (const BestListDataTyp& e : read)
        expected += bestListEntryBytes(e).size();
    EXPECT_EQ(QFileInfo(path()).size(), expected);
}

// The order the list window has always shown: a selection sort that takes a
// later entry only when it is strictly better.
QList<BestListDataTyp> selectionSorted(QList<BestListDataTyp> list) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        qsizetype best = i;
        for (qsizetype j = i + 1; j < list.size(); ++j) {
            const bool better =
                list[j].Leistung > list[best].Leistung ||
                (list[j].Leistung == list[best].Leistung && list[j].Dauer < list[best].Dauer);
            if (better)
                best = j;
        }
        // Move, not swap, so that equal entries keep their order.
        const BestListDataTyp taken = list.takeAt(best);
        list.insert(i, taken);
    }
    return list;
}

TEST(BestListRanking, PerformanceThenTimeThenFileOrder) {
    QList<BestListDataTyp> list{entry(u"a"_s, 5000, 0.5), entry(u"b"_s, 3000, 0.9),
                                entry(u"c"_s, 4000, 0.5), entry(u"d"_s, 4000, 0.5),
                                entry(u"e"_s, 1000, 0.2), entry(u"f"_s, 3000, 0.9)};
    rankBestList(list);
    QString order;
    for (const BestListDataTyp& e : list)
        order += e.Name;
    EXPECT_EQ(order, u"bfcdae"_s);

    QRandomGenerator random(17);
    QList<BestListDataTyp> many;
    for (int i = 0; i < 400; ++i)
        many.append(entry(QString::number(i), random.bounded(5), random.bounded(4) / 3.0));
    QList<BestListDataTyp> ranked = many;
    rankBestList(ranked);
    const QList<BestListDataTyp> reference = selectionSorted(many);
    for (qsizetype i = 0; i < ranked.size(); ++i)
        ASSERT_EQ(ranked[i].Name, reference[i].Name) << i;
}

struct EntryRuleCase {
    SessionKind kind;
    int asked;
    int total;
    bool enters;
};

void PrintTo(const EntryRuleCase& c, std::ostream* out) {
    *out << "kind " << int(c.kind) << ", " << c.asked << " of " << c.total;
}

class BestListEntryRule : public ::testing::TestWithParam<EntryRuleCase> {};

TEST_P(BestListEntryRule, OnlyCompleteIndividualRuns) {
    EXPECT_EQ(entersBestList(GetParam().kind, GetParam().asked, GetParam().total),
              GetParam().enters);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BestListEntryRule,
    ::testing::Values(EntryRuleCase{SessionKind::Individual, 12, 12, true},
                      EntryRuleCase{SessionKind::Individual, 5, 12, false},
                      EntryRuleCase{SessionKind::Individual, 0, 0, false},
                      EntryRuleCase{SessionKind::NetworkParticipant, 12, 12, false},
                      EntryRuleCase{SessionKind::NetworkTeacher, 12, 12, false},
                      EntryRuleCase{SessionKind::SeriesPart, 12, 12, false}));

TEST(BestListPaths, DocumentNameWithHscInTheFolder) {
    EXPECT_EQ(individualBestListPath(u"/srv/listen/"_s, u"/home/a/Planeten.qvl"_s),
              u"/srv/listen/Planeten.hsc"_s);
    EXPECT_EQ(individualBestListPath(u"/srv/listen"_s, u"x/mein.test.qvl"_s),
              u"/srv/listen/mein.test.hsc"_s);
    EXPECT_EQ(networkBestListPath(u"/srv/komm/"_s, u"Kanal1"_s),
              u"/srv/komm/Kanal1-rbknetzuebung.hsc"_s);
}

TEST(BestListGrid, HeaderRowsOfTabsAndAnEmptyRowForAnEmptyList) {
    EXPECT_EQ(gridText(bestListGrid({})),
              u"Pos.\tName\tRechner\tLeistung\tZeit (Min:Sek)\tDatum/Uhrzeit\r\n\t\t\t\t\t\r\n"_s);
    const QList<QStringList> rows = bestListGrid({entry(u"Anna"_s, 125999, 0.876)});
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1], (QStringList{u"1"_s, u"Anna"_s, u"PC-01"_s, u"87.6 %"_s, u"02:05"_s,
                                    u"09.12.2025 06:00:00"_s}));
}

} // namespace
} // namespace quorvel
