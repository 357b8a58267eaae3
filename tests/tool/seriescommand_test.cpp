// SPDX-License-Identifier: GPL-3.0-or-later
#include "capitalsdocument.h"
#include "documentio.h"
#include "layoutset.h"
#include "seriescommand.h"
#include "seriespackage.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

// A folder of two labelling documents, "a.qvl" and "b.qvl", and their scripts:
// a solved without a mistake, b with one wrong drop per card (50 %).
class SeriesCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(u"serie"_s);
        for (const QString& name : {u"b.qvl"_s, u"a.qvl"_s}) {
            Document d = test::capitalsDocument();
            d.header.titel = name.left(1).toUpper();
            ASSERT_TRUE(writeDocumentFile(d, dir.filePath(u"serie/"_s + name), false).ok);
        }
        write(u"a.script"_s, "drop 0 0\ndrop 1 1\ndrop 2 2\n");
        write(u"b.script"_s, "drop 0 1\ndrop 1 2\ndrop 2 0\ndrop 0 0\ndrop 1 1\ndrop 2 2\n");
        package = dir.filePath(u"serie.qvusp"_s);
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    CommandOutcome pack(const std::vector<std::pair<QString, QString>>& options) {
        return runSeriesArguments(layouts, {u"pack"_s, dir.filePath(u"serie"_s), package}, options);
    }
    CommandOutcome run(std::vector<std::pair<QString, QString>> options) {
        options.emplace_back(u"--seed"_s, u"4"_s);
        options.emplace_back(u"--start"_s, u"2026-12-11T09:00:00"_s);
        options.emplace_back(u"--json"_s, QString());
        return runSeriesArguments(layouts, {u"run"_s, package}, options);
    }
    QString script(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    QString package;
    const LayoutSet layouts = buildLayoutSet();
};

} // namespace

TEST_F(SeriesCommand, WeightedPartsGiveTheSeriesPerformance) {
    ASSERT_EQ(pack({{u"--weight"_s, u"b.qvl=3"_s}, {u"--title"_s, u"Probe"_s}}).exitCode, kExitOk);
    const CommandOutcome outcome = run({{u"--script"_s, u"a.qvl="_s + script("a.script")},
                                        {u"--script"_s, u"B.QVL="_s + script("b.script")},
                                        {u"--name"_s, u"Anna"_s}});
    ASSERT_EQ(outcome.exitCode, kExitOk) << outcome.errors.join(u'\n').toStdString();
    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.join(u'\n').toStdString();
    const QJsonObject json = QJsonDocument::fromJson(outcome.output).object();
    const QStringList keys = json.keys();
    EXPECT_EQ(
        QSet<QString>(keys.begin(), keys.end()),
        (QSet<QString>{u"parts"_s, u"Gesamtleistung"_s, u"Note"_s, u"Bewertung"_s, u"protocol"_s}));
    const QJsonArray parts = json[u"parts"_s].toArray();
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0][u"Titel"_s].toString(), u"A"_s);
    EXPECT_DOUBLE_EQ(parts[0][u"Gesamtleistung"_s].toDouble(), 1.0);
    EXPECT_EQ(parts[1][u"Gewichtung"_s].toInt(), 3);
    EXPECT_DOUBLE_EQ(parts[1][u"Gesamtleistung"_s].toDouble(), 0.5);
    EXPECT_EQ(parts[1][u"EndeGrund"_s].toInt(), 1);
    EXPECT_DOUBLE_EQ(json[u"Gesamtleistung"_s].toDouble(), 0.625);
    const QString protocol = json[u"protocol"_s].toString();
    EXPECT_TRUE(
        protocol.startsWith(u"<tit>Gesamtprotokoll der Übungsserie\r\n\r\n<tit>Probe\r\n"_s));
    EXPECT_TRUE(protocol.contains(u"Teilnehmername:\tAnna\r\n"_s));
    EXPECT_TRUE(protocol.contains(u"Gesamtleistung:\t62.5 %\r\n"_s));
    EXPECT_TRUE(protocol.contains(u"<tit>Übungsprotokoll zu Teilübung Nr. 2"_s));
}

TEST_F(SeriesCommand, APartWithoutScriptEndsTheSeries) {
    ASSERT_EQ(pack({{u"--order"_s, u"b.qvl,a.qvl"_s}, {u"--inactive"_s, u"c.qvl"_s}}).exitCode,
              kExitUsage); // no such document
    ASSERT_EQ(pack({{u"--order"_s, u"b.qvl,a.qvl"_s}}).exitCode, kExitOk);
    const CommandOutcome outcome = run({{u"--script"_s, u"a.qvl="_s + script("a.script")}});
    ASSERT_EQ(outcome.exitCode, kExitOk);
    const QJsonArray parts = QJsonDocument::fromJson(outcome.output)[u"parts"_s].toArray();
    ASSERT_EQ(parts.size(), 1); // b came first and was given up
    EXPECT_EQ(parts[0][u"Titel"_s].toString(), u"B"_s);
    EXPECT_EQ(parts[0][u"EndeGrund"_s].toInt(), 2);
}

TEST_F(SeriesCommand, RefusalsExitWithTheProgramsMessages) {
    const CommandOutcome none =
        pack({{u"--inactive"_s, u"a.qvl"_s}, {u"--inactive"_s, u"b.qvl"_s}});
    EXPECT_EQ(none.exitCode, kExitFailure);
    EXPECT_EQ(none.errors, QStringList{msgNoSeriesEntry()});
    EXPECT_FALSE(QFile::exists(package));

    write(u"serie.qvusp"_s, "kein Paket");
    const CommandOutcome bad = run({});
    EXPECT_EQ(bad.exitCode, kExitFailure);
    EXPECT_EQ(bad.errors, QStringList{msgInvalidFormat()});
    EXPECT_EQ(runSeriesArguments(layouts, {u"mischen"_s}, {}).exitCode, kExitUsage);
}
