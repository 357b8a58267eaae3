// SPDX-License-Identifier: GPL-3.0-or-later
#include "capitalsdocument.h"
#include "document.h"
#include "documentio.h"
#include "exercisecommand.h"
#include "layoutset.h"
#include "protocolfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

// Three capitals to label on a white page.
class ExerciseCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Document d = test::capitalsDocument();
        d.header.titel = u"Hauptstädte"_s;
        path = dir.filePath(u"staedte.qvl"_s);
        ASSERT_TRUE(writeDocumentFile(d, path, false).ok);
        options.seed = 11;
        options.start = QDateTime(QDate(2026, 12, 10), QTime(8, 0));
    }

    CommandOutcome replay(const QByteArray& script) {
        options.scriptText = script;
        return exerciseCommand(layouts, path, options);
    }
    QJsonObject replayJson(const QByteArray& script) {
        options.json = true;
        const CommandOutcome outcome = replay(script);
        EXPECT_EQ(outcome.exitCode, kExitOk);
        return QJsonDocument::fromJson(outcome.output).object();
    }

    QTemporaryDir dir;
    QString path;
    ExerciseOptions options;
    const LayoutSet layouts = buildLayoutSet();
};

TEST_F(ExerciseCommand, JsonHasExactlyTheKeysOfTheContract) {
    const QJsonObject json = replayJson("drop 0 1\ndrop 0 0\ndrop 1 1\ndrop 2 2\n");
    const QStringList keys = json.keys();
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()),
              (QSet<QString>{u"EndeGrund"_s, u"AbfrageAnz"_s, u"AbfrageAnzGesamt"_s,
                             u"FalschwortAnz"_s, u"Richtig"_s, u"Fehlversuche"_s, u"Erfolgsquote"_s,
                             u"Gesamtleistung"_s, u"OffenAnz"_s, u"Note"_s, u"Bewertung"_s,
                             u"elapsedMs"_s, u"AbfrageFolge"_s, u"objects"_s, u"protocol"_s}));
    EXPECT_EQ(json[u"EndeGrund"_s].toInt(), 1);
    EXPECT_EQ(json[u"Richtig"_s].toDouble(), 3.0);
    EXPECT_EQ(json[u"Fehlversuche"_s].toDouble(), 1.0);
    EXPECT_EQ(json[u"Note"_s].toInt(), 2); // 75 %
    EXPECT_EQ(json[u"Bewertung"_s].toString(), u"gut"_s);
    EXPECT_EQ(json[u"elapsedMs"_s].toInt(), 100 + 3 * 750);
    const QJsonObject object = json[u"objects"_s].toArray()[1].toObject();
    const QStringList objectKeys = object.keys();
    EXPECT_EQ(QSet<QString>(objectKeys.begin(), objectKeys.end()),
              (QSet<QString>{u"index"_s, u"Typ"_s, u"AbfrageStatus"_s, u"AbfrageNummer"_s,
                             u"ZielFehlversuche"_s, u"KartFehlversuche"_s, u"text"_s}));
    EXPECT_EQ(object[u"ZielFehlversuche"_s].toInt(), 1);
    EXPECT_EQ(object[u"text"_s].toString(), u"Paris"_s);
}

TEST_F(ExerciseCommand, ReplayIsDeterministicForASeed) {
    const CommandOutcome a = replay("drop 2 0\n");
    const CommandOutcome b = replay("drop 2 0\n");
    EXPECT_EQ(a.output, b.output);
    options.json = true;
    const QJsonArray order =
        QJsonDocument::fromJson(replay({}).output)[u"AbfrageFolge"_s].toArray();
    options.seed = 12;
    const QJsonArray other =
        QJsonDocument::fromJson(replay({}).output)[u"AbfrageFolge"_s].toArray();
    EXPECT_EQ(order.size(), 3);
    EXPECT_NE(order, other);
}

TEST_F(ExerciseCommand, ProtocolLinesEndInCrLfAndTheRunStandsAsTheScriptLeftIt) {
    const CommandOutcome outcome = replay("wait 65\ndrop 1 1\n");
    ASSERT_EQ(outcome.exitCode, kExitOk);
    const QString text = QString::fromUtf8(outcome.output);
    EXPECT_TRUE(text.startsWith(
        u"<tit>Übungsprotokoll\r\nDatum/Uhrzeit (Beginn):\t10.12.2026 08:00:00\r\n"_s));
    EXPECT_FALSE(text.contains(QRegularExpression(u"[^\r]\n"_s)));
    EXPECT_TRUE(text.contains(u"Offene Positionen:\t2\r\n"_s));
    EXPECT_TRUE(text.endsWith(u"01:05 - RICHTIG - Text-/Bildkärtchen \"Paris\" wird der richtigen "
                              u"Position zugeordnet\r\n"_s));
}

TEST_F(ExerciseCommand, RefusedActionsAreReportedByLineAndChangeNothing) {
    options.json = true;
    const CommandOutcome outcome = replay("# solving\ndrop 0 0\ndrop 0 1\nclick 1\nbasket 1 1\n"
                                          "fly 3\ndrop 9 1\nweiter\nrepeat 0\ndrop 1 1\n");
    EXPECT_EQ(outcome.exitCode, kExitOk);
    ASSERT_EQ(outcome.errors.size(), 7);
    const int lines[] = {3, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(outcome.errors[i].startsWith(u"line %1: "_s.arg(lines[i])))
            << outcome.errors[i].toStdString();
    const QJsonObject json = QJsonDocument::fromJson(outcome.output).object();
    EXPECT_EQ(json[u"Richtig"_s].toDouble(), 2.0);
    EXPECT_EQ(json[u"Fehlversuche"_s].toDouble(), 0.0);
    EXPECT_EQ(json[u"EndeGrund"_s].toInt(), 0);
}

TEST_F(ExerciseCommand, TimeLimitAndRepetitionFromTheScript) {
    options.sets = {{u"Zeitlimit"_s, u"1"_s}, {u"ZeitlimitSek"_s, u"10"_s}};
    QJsonObject json = replayJson("drop 0 1\ndrop 0 0\nwait 30\n");
    EXPECT_EQ(json[u"EndeGrund"_s].toInt(), 3);
    EXPECT_EQ(json[u"elapsedMs"_s].toInt(), 9100) << "the tick after nine seconds and more";
    EXPECT_TRUE(json[u"protocol"_s].toString().contains(
        u"00:09 - Das Zeitlimit ist erreicht, die Übung wird beendet.\r\n"_s));

    json = replayJson("drop 0 1\ndrop 0 0\ndrop 1 1\ndrop 2 2\nrepeat 1\n");
    EXPECT_EQ(json[u"EndeGrund"_s].toInt(), 0);
    EXPECT_EQ(json[u"AbfrageAnz"_s].toInt(), 2);
    EXPECT_EQ(json[u"AbfrageAnzGesamt"_s].toInt(), 3);

    // Without a failed attempt the result window repeats the whole exercise.
    json = replayJson("drop 0 0\ndrop 1 1\ndrop 2 2\nrepeat 1\n");
    EXPECT_EQ(json[u"AbfrageAnz"_s].toInt(), 3);
    EXPECT_EQ(json[u"OffenAnz"_s].toInt(), 3);
}

TEST_F(ExerciseCommand, SettingsAndRefusals) {
    options.sets = {{u"Zuordnungsziele"_s, u"3"_s}};
    EXPECT_EQ(replay({}).exitCode, kExitUsage);
    options.sets = {{u"Farbe"_s, u"1"_s}};
    EXPECT_EQ(replay({}).exitCode, kExitUsage);
    options.sets = {{u"Opt-BewertSkala"_s, u"2"_s}, {u"Opt-PunkteMinQuote15"_s, u"0.5"_s}};
    options.json = true;
    const QJsonObject json =
        QJsonDocument::fromJson(replay("drop 0 0\ndrop 1 1\n").output).object();
    EXPECT_EQ(json[u"Note"_s].toInt(), 15) << "2 of 3 is 66.7 %, above the lowered threshold";

    Document empty;
    empty.basePicture = QImage(10, 10, QImage::Format_ARGB32);
    path = dir.filePath(u"leer.qvl"_s);
    ASSERT_TRUE(writeDocumentFile(empty, path, false).ok);
    options.sets.clear();
    const CommandOutcome refused = replay({});
    EXPECT_EQ(refused.exitCode, kExitFailure);
    EXPECT_EQ(refused.errors, QStringList{u"Dieses Dokument enthält keine Abfrageobjekte."_s});
    EXPECT_TRUE(refused.output.isEmpty());
}

} // namespace

// The completed protocol as the protocol window saves it, read back by an RTF
// reader that is not ours: umlauts, titles and the key lines' tab stop.
TEST_F(ExerciseCommand, RtfHoldsTheCompletedProtocolForAnotherReader) {
    options.rtfPath = dir.filePath(u"protokoll.rtf"_s);
    options.name = u"Jörg Müller"_s;
    const CommandOutcome outcome = replay("drop 0 1\ndrop 0 0\ndrop 1 1\ndrop 2 2\n");
    ASSERT_EQ(outcome.exitCode, kExitOk) << outcome.errors.join(u'\n').toStdString();
    QFile file(options.rtfPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    EXPECT_EQ(rtf, protocolRtf(QString::fromUtf8(outcome.output)));
    EXPECT_TRUE(rtf.contains("\\tx3200"));
    EXPECT_TRUE(rtf.contains("\\b \\u220\\'dcbungsprotokoll\\b0"));

    const QString unrtf = QStandardPaths::findExecutable(u"unrtf"_s);
    if (unrtf.isEmpty())
        GTEST_SKIP() << "unrtf is not installed";
    QProcess process;
    process.start(unrtf, {u"--html"_s, options.rtfPath});
    ASSERT_TRUE(process.waitForFinished(10000));
    QTextDocument html;
    html.setHtml(QString::fromUtf8(process.readAllStandardOutput()));
    const QString text = html.toPlainText();
    for (const QString& expected :
         {u"Übungsprotokoll"_s, u"Jörg Müller"_s, u"Hauptstädte"_s, u"Statistik-Zusammenfassung"_s,
          u"Detaillierter Ablauf"_s, u"Übung wird gestartet"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();
}

TEST_F(ExerciseCommand, RtfThatCannotBeWrittenFailsWithTheFileMessage) {
    options.rtfPath = dir.filePath(u"fehlt/protokoll.rtf"_s);
    const CommandOutcome outcome = replay("drop 0 0\n");
    EXPECT_EQ(outcome.exitCode, kExitFailure);
    EXPECT_EQ(outcome.errors, QStringList{msgCannotWrite(options.rtfPath)});
    EXPECT_FALSE(outcome.output.isEmpty()); // the protocol is printed all the same
}
