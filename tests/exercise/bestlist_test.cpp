#include "bestlist.h"
#include "binarystream.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quorvel;

namespace {

BestListDataTyp makeEntry(const QString& name, qint32 dauer, double leistung) {
    BestListDataTyp entry;
    entry.Name = name;
    entry.Rechner = u"PC-07"_s;
    entry.Beginn = 46000.5;
    entry.Dauer = dauer;
    entry.Leistung = leistung;
    return entry;
}

QList<BestListDataTyp> parse(const QByteArray& bytes, qint64* complete = nullptr,
                             bool* ok = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<BestListDataTyp> entries;
    const IoResult result = parseBestList(buffer, entries, complete);
    if (ok)
        *ok = result.ok;
    return entries;
}

QByteArray withKeys(const QString& keys, const QList<BestListDataTyp>& entries) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BinaryWriter writer(buffer);
    writer.writeString(u"RBK-HSC-1.00"_s);
    writer.writeString(keys);
    for (const auto& entry : entries) {
        if (keys.contains(u"HSC-Name"_s))
            writer.writeString(entry.Name);
        if (keys.contains(u"HSC-Rechner"_s))
            writer.writeString(entry.Rechner);
        if (keys.contains(u"HSC-Beginn"_s))
            writer.writeReal(entry.Beginn);
        if (keys.contains(u"HSC-Dauer"_s))
            writer.writeInt(entry.Dauer);
        if (keys.contains(u"HSC-Leistung"_s))
            writer.writeReal(entry.Leistung);
    }
    return buffer.data();
}

TEST(BestList, RoundTripKeepsUmlautsInWindows1252) {
    const BestListDataTyp entry = makeEntry(u"Jürgen Öztürk ß"_s, 83456, 0.875);
    const QByteArray bytes = bestListHeader() + bestListEntryBytes(entry);
    EXPECT_TRUE(bytes.contains("J\xfcrgen"));
    const auto entries = parse(bytes);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].Name, entry.Name);
    EXPECT_EQ(entries[0].Rechner, entry.Rechner);
    EXPECT_EQ(entries[0].Beginn, entry.Beginn);
    EXPECT_EQ(entries[0].Dauer, entry.Dauer);
    EXPECT_EQ(entries[0].Leistung, entry.Leistung);
}

TEST(BestList, KeyListWithoutRechnerReadsEmptyComputerNames) {
    const auto entries = parse(withKeys(u"|HSC-Name|HSC-Beginn|HSC-Dauer|HSC-Leistung|"_s,
                                        {makeEntry(u"A"_s, 10, 0.5), makeEntry(u"B"_s, 20, 0.25)}));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].Name, u"B"_s);
    EXPECT_TRUE(entries[0].Rechner.isEmpty());
    EXPECT_EQ(entries[1].Dauer, 20);
    EXPECT_EQ(entries[1].Leistung, 0.25);
}

TEST(BestList, KeyListWithoutKnownKeysEndsInsteadOfLooping) {
    bool ok = false;
    const auto entries = parse(withKeys(u"|nichts|"_s, {}) + QByteArray(16, 'x'), nullptr, &ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(entries.isEmpty());
}

TEST(BestList, BrokenHeadersFail) {
    const QByteArray cases[] = {
        QByteArray(), withKeys(u"|HSC-Name|"_s, {}).replace("RBK", "XYZ"),
        QByteArray::fromHex("ffffffff"),             // negative length
        QByteArray::fromHex("ffffff7f") + "RBK-HSC", // length beyond the data
    };
    for (const auto& bytes : cases) {
        bool ok = true;
        parse(bytes, nullptr, &ok);
        EXPECT_FALSE(ok) << bytes.toHex().constData();
    }
}

TEST(BestList, TornTailIsSkipped) {
    const QByteArray whole = bestListHeader() + bestListEntryBytes(makeEntry(u"A"_s, 1, 1.0));
    const QByteArray second = bestListEntryBytes(makeEntry(u"B"_s, 2, 0.5));
    for (qsizetype cut : {qsizetype(1), qsizetype(4), second.size() - 1}) {
        qint64 complete = -1;
        const auto entries = parse(whole + second.left(cut), &complete);
        ASSERT_EQ(entries.size(), 1) << cut;
        EXPECT_EQ(complete, whole.size());
    }
}

TEST(BestList, RankingByPerformanceThenTimeThenFileOrder) {
    QList<BestListDataTyp> entries{
        makeEntry(u"a"_s, 50, 0.5), makeEntry(u"b"_s, 40, 0.9), makeEntry(u"c"_s, 30, 0.5),
        makeEntry(u"d"_s, 50, 0.5), makeEntry(u"e"_s, 40, 0.9), makeEntry(u"f"_s, 10, 0.1),
    };
    rankBestList(entries);
    QString order;
    for (const auto& entry : entries)
        order += entry.Name;
    EXPECT_EQ(order, u"becadf"_s);
}

TEST(BestList, BeginnIsDaysSinceDecember1899) {
    const QDateTime start(QDate(2024, 3, 1), QTime(18, 0));
    const double days = bestListDays(start);
    EXPECT_DOUBLE_EQ(days, 45352.75);
    EXPECT_EQ(bestListDateTime(days), start);
    EXPECT_FALSE(bestListDateTime(std::nan("")).isValid());
}

TEST(BestListFile, MissingFileIsEmptyWithMessage) {
    QTemporaryDir dir;
    QList<BestListDataTyp> entries{makeEntry(u"x"_s, 1, 1)};
    const IoResult result =
        readBestList(dir.filePath(u"fehlt.hsc"_s), BestListKind::Network, entries);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(entries.isEmpty());
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_TRUE(result.messages[0].startsWith(u"Die Bestenliste zur aktuellen"_s));
}

TEST(BestListFile, ForeignMagicFailsAfterFiveAttempts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"fremd.hsc"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(withKeys(u"|HSC-Name|"_s, {}).replace("RBK", "ABC"));
    file.close();
    QList<BestListDataTyp> entries;
    QElapsedTimer timer;
    timer.start();
    const IoResult result = readBestList(path, BestListKind::Individual, entries);
    EXPECT_GE(timer.elapsed(), 400);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(entries.isEmpty());
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_TRUE(result.messages[0].contains(u"noch niemand die Übung durchgeführt hat."_s));
}

TEST(BestListFile, AppendRepairsATornTail) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"liste.hsc"_s);
    ASSERT_TRUE(appendBestListEntry(path, BestListKind::Individual, makeEntry(u"A"_s, 1, 1.0)).ok);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(bestListEntryBytes(makeEntry(u"torn"_s, 2, 0.5)).left(7));
    }
    QList<BestListDataTyp> entries;
    ASSERT_TRUE(readBestList(path, BestListKind::Individual, entries).ok);
    ASSERT_EQ(entries.size(), 1);
    ASSERT_TRUE(appendBestListEntry(path, BestListKind::Individual, makeEntry(u"B"_s, 3, 0.25)).ok);
    ASSERT_TRUE(readBestList(path, BestListKind::Individual, entries).ok);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].Name, u"B"_s);
    EXPECT_EQ(QFileInfo(path).size(),
              (bestListHeader() + bestListEntryBytes(entries[0]) + bestListEntryBytes(entries[1]))
                  .size());
}

TEST(BestListFile, ConcurrentAppendsLoseNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"klasse.hsc"_s);
    constexpr int processCount = 8;
    constexpr int perProcess = 100;
    QList<pid_t> children;
    for (int p = 0; p < processCount; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failed = 0;
            for (int i = 0; i < perProcess; ++i) {
                const auto entry = makeEntry(u"Schüler %1-%2"_s.arg(p).arg(i), p * 1000 + i, 0.5);
                failed += !appendBestListEntry(path, BestListKind::Network, entry).ok;
            }
            _exit(failed == 0 ? 0 : 1);
        }
        children << pid;
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QList<BestListDataTyp> entries;
    ASSERT_TRUE(readBestList(path, BestListKind::Network, entries).ok);
    ASSERT_EQ(entries.size(), processCount * perProcess);
    QList<int> next(processCount, 0);
    for (const auto& entry : entries) {
        const int p = entry.Dauer / 1000;
        ASSERT_TRUE(p >= 0 && p < processCount);
        // Each process's entries arrive in its own order, intact.
        EXPECT_EQ(entry.Dauer % 1000, next[p]);
        EXPECT_EQ(entry.Name, u"Schüler %1-%2"_s.arg(p).arg(next[p]));
        ++next[p];
    }
}

} // namespace
