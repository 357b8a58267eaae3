// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "fullfilesystem.h"
#include "pngcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs the real tool without QT_QPA_PLATFORM, so that it must choose the
// offscreen platform itself.
ToolRun runTool(const QStringList& arguments, const QString& locale = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!locale.isEmpty()) {
        environment.insert(QStringLiteral("LANG"), locale);
        environment.insert(QStringLiteral("LC_ALL"), locale);
    }
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(QUORVEL_TOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

class ToolProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir dir;
};

TEST_F(ToolProcessTest, BuildThenDumpWithPicturesInUtf8) {
    QImage basis(20, 10, QImage::Format_ARGB32);
    basis.fill(qRgba(10, 200, 30, 128));
    writeFile(QStringLiteral("quelle/bilder/basis.png"), encodePng(basis));
    // The picture path is relative to the JSON file's folder, not to the
    // tool's working folder.
    writeFile(QStringLiteral("quelle/doc.json"),
              R"({"header": {"titel": "Prüfung – Größe"},
                  "objects": [{"Typ": 0, "Cap": "a\r\nb"}],
                  "basisbild": {"file": "bilder/basis.png"}})");

    const QString qvl = path(QStringLiteral("doc.qvl"));
    const ToolRun build =
        runTool({QStringLiteral("build"), path(QStringLiteral("quelle/doc.json")), qvl});
    EXPECT_EQ(build.exitCode, 0) << build.err.toStdString();

    const QString pictures = path(QStringLiteral("bilder"));
    const ToolRun dump =
        runTool({QStringLiteral("dump"), qvl, QStringLiteral("--pictures"), pictures});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(dump.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << dump.out.toStdString();
    EXPECT_EQ(json[QStringLiteral("format")].toString(), QStringLiteral("QVL-2.21"));
    EXPECT_EQ(json[QStringLiteral("header")][QStringLiteral("titel")].toString(),
              QStringLiteral("Prüfung – Größe"));
    EXPECT_EQ(json[QStringLiteral("objects")][0][QStringLiteral("Cap")].toString(),
              QStringLiteral("a\r\nb"));
    const QJsonValue basePicture = json[QStringLiteral("basisbild")];
    EXPECT_EQ(basePicture[QStringLiteral("width")].toInt(), 20);
    EXPECT_EQ(basePicture[QStringLiteral("file")].toString(),
              QDir(pictures).filePath(QStringLiteral("basisbild.png")));
    EXPECT_TRUE(QFile::exists(QDir(pictures).filePath(QStringLiteral("basisbild.png"))));
}

TEST_F(ToolProcessTest, FailuresGiveExitCodesAndMessagesOnStderr) {
    writeFile(QStringLiteral("ok.json"), "{}");
    writeFile(QStringLiteral("kaputt.json"), "{\"header\": ");
    writeFile(QStringLiteral("schluessel.json"), R"({"objects": [{"Fsize": "gross"}]})");
    // A string magic of another family.
    writeFile(QStringLiteral("fremd.qvl"), QByteArray("\x08\x00\x00\x00XYZ-1.00", 12));
    const QString missing = path(QStringLiteral("fehlt.qvl"));
    const QString foreign = path(QStringLiteral("fremd.qvl"));
    const QString unwritable = path(QStringLiteral("kein/ordner/x.qvl"));
    const QString out = path(QStringLiteral("out.qvl"));

    struct Case {
        QStringList arguments;
        int exitCode;
        QStringList stderrLines; // each must appear on stderr
    };
    const Case cases[] = {
        {{QStringLiteral("dump"), missing}, 1, {msgFileMissing(missing)}},
        {{QStringLiteral("dump"), foreign}, 1, {msgInvalidFormat(), msgCannotRead(foreign)}},
        {{QStringLiteral("build"), path(QStringLiteral("kaputt.json")), out},
         1,
         {QStringLiteral("invalid JSON")}},
        {{QStringLiteral("build"), path(QStringLiteral("schluessel.json")), out},
         1,
         {QStringLiteral("objects[0].Fsize: expected a 32-bit integer")}},
        {{QStringLiteral("build"), path(QStringLiteral("fehlt.json")), out},
         1,
         {QStringLiteral("cannot open")}},
        {{QStringLiteral("build"), path(QStringLiteral("ok.json")), unwritable},
         1,
         {msgCannotWrite(unwritable)}},
        {{}, 2, {QStringLiteral("no command given")}},
        {{QStringLiteral("zeige")}, 2, {QStringLiteral("unknown command zeige")}},
        {{QStringLiteral("dump")}, 2, {QStringLiteral("dump expects 1 arguments, got 0")}},
        {{QStringLiteral("dump"), missing, QStringLiteral("--bilder")},
         2,
         {QStringLiteral("unknown option --bilder")}},
        {{QStringLiteral("dump"), missing, QStringLiteral("--pictures")},
         2,
         {QStringLiteral("--pictures needs a folder")}},
        {{QStringLiteral("build"), out}, 2, {QStringLiteral("build expects 2 arguments, got 1")}},
        {{QStringLiteral("sheet"), QStringLiteral("ruled"), path(QStringLiteral("linien.bmp"))},
         2,
         {QStringLiteral("OUT must end in .png")}},
        {{QStringLiteral("sheet"), QStringLiteral("ruled"), unwritable + QStringLiteral(".png")},
         1,
         {QStringLiteral("Datei konnte nicht erstellt werden:")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        for (const QString& line : c.stderrLines)
            EXPECT_TRUE(run.err.contains(line)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ToolProcessTest, HelpForTheToolAndEachCommand) {
    const struct {
        QStringList arguments;
        const char* usage;
    } cases[] = {
        {{QStringLiteral("--help")}, "Usage: quorvel-tool COMMAND"},
        {{QStringLiteral("dump"), QStringLiteral("--help")}, "Usage: quorvel-tool dump FILE"},
        {{QStringLiteral("build"), QStringLiteral("-h")}, "Usage: quorvel-tool build JSON OUT"},
        {{QStringLiteral("list"), QStringLiteral("--help")}, "Usage: quorvel-tool list FOLDER"},
        {{QStringLiteral("exercise"), QStringLiteral("--help")},
         "Usage: quorvel-tool exercise FILE"},
        {{QStringLiteral("sheet"), QStringLiteral("--help")}, "Usage: quorvel-tool sheet KIND"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.startsWith(c.usage)) << run.out.toStdString();
    }
}

TEST_F(ToolProcessTest, ExerciseReadsItsScriptFromStandardInputAndWritesCrLf) {
    writeFile(QStringLiteral("rom.json"), R"({"objects": [{"Typ": 0, "Cap": "Rom", "Ebene": 1},
                                                          {"Typ": 0, "Cap": "Oslo", "Ebene": 1}]})");
    const QString qvl = path(QStringLiteral("rom.qvl"));
    ASSERT_EQ(runTool({QStringLiteral("build"), path(QStringLiteral("rom.json")), qvl}).exitCode,
              0);
    QProcess process;
    process.start(QString::fromUtf8(QUORVEL_TOOL_PATH),
                  {QStringLiteral("exercise"), qvl, QStringLiteral("--seed"), QStringLiteral("3"),
                   QStringLiteral("--name"), QStringLiteral("Jörg"), QStringLiteral("--script"),
                   QStringLiteral("-")});
    ASSERT_TRUE(process.waitForStarted());
    process.write("drop 0 1\ndrop 7 0\ndrop 0 0\ndrop 1 1\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray out = process.readAllStandardOutput();
    EXPECT_TRUE(out.contains("Teilnehmername:\tJ\xC3\xB6rg\r\n"));
    EXPECT_TRUE(out.contains("Richtig zugeordnet:\t2\r\nFehlversuche:\t1\r\n"));
    EXPECT_EQ(out.count('\n'), out.count("\r\n"));
    EXPECT_TRUE(process.readAllStandardError().contains("line 2: "));
}

TEST_F(ToolProcessTest, ListsAFolderInMenuOrderOfTheLocale) {
    const std::pair<const char*, const char*> documents[] = {
        {"z.qvl", "Zebra"}, {"o.qvl", "Öl & Essig"}, {"u.qvl", ""}, {"a.qvl", "apfel"}};
    for (const auto& [name, title] : documents) {
        Document doc;
        doc.header.titel = QString::fromUtf8(title);
        doc.basePicture = QImage(2, 2, QImage::Format_ARGB32);
        ASSERT_TRUE(writeDocumentFile(doc, path(QString::fromUtf8(name)), false).ok);
    }
    writeFile(QStringLiteral("kaputt.qvl"), "nicht lesbar");
    const ToolRun german =
        runTool({QStringLiteral("list"), dir.path()}, QStringLiteral("de_DE.UTF-8"));
    EXPECT_EQ(german.exitCode, 0) << german.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(german.out),
              QStringLiteral("1:  u.qvl\n2:  apfel\n3:  Öl & Essig\n4:  Zebra\n"));
    // Without a German locale the umlaut sorts after the letters.
    const ToolRun plain = runTool({QStringLiteral("list"), dir.path()}, QStringLiteral("C"));
    EXPECT_TRUE(QString::fromUtf8(plain.out).endsWith(QStringLiteral("4:  Öl & Essig\n")))
        << plain.out.toStdString();

    const ToolRun missing = runTool({QStringLiteral("list"), path(QStringLiteral("fehlt"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("existiert nicht")));
}

} // namespace

namespace {

TEST_F(ToolProcessTest, BestListAddsEntriesAndPrintsThemRanked) {
    const QString list = path(QStringLiteral("liste.hsc"));
    for (const QStringList& add : {QStringList{QStringLiteral("Jürgen"), QStringLiteral("PC-07"),
                                               QStringLiteral("2026-12-10T09:15:00"),
                                               QStringLiteral("125400"), QStringLiteral("0.875")},
                                   QStringList{QStringLiteral("Anna"), QStringLiteral("PC-03"),
                                               QStringLiteral("2026-12-10T09:16:30"),
                                               QStringLiteral("98000"), QStringLiteral("0.875")}}) {
        const ToolRun run =
            runTool(QStringList{QStringLiteral("bestlist"), list, QStringLiteral("--add")} + add);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const ToolRun shown = runTool({QStringLiteral("bestlist"), list}, QStringLiteral("C"));
    ASSERT_EQ(shown.exitCode, 0);
    const QList<QByteArray> rows = shown.out.split('\n');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], "Pos.\tName\tRechner\tLeistung\tZeit (Min:Sek)\tDatum/Uhrzeit\r");
    EXPECT_TRUE(rows[1].startsWith("1\tAnna\tPC-03\t87.5 %\t01:38\t"));
    EXPECT_TRUE(rows[2].startsWith("2\tJ\xC3\xBCrgen\tPC-07\t87.5 %\t02:05\t"));
    EXPECT_TRUE(rows[3].isEmpty());
}

TEST_F(ToolProcessTest, BestListRefusesBadArgumentsAndUnreadableLists) {
    const QString list = path(QStringLiteral("liste.hsc"));
    const auto add = [&](const QString& start, const QString& duration,
                         const QString& performance) {
        return runTool({QStringLiteral("bestlist"), list, QStringLiteral("--add"),
                        QStringLiteral("A"), QStringLiteral("PC"), start, duration, performance});
    };
    const QString start = QStringLiteral("2026-12-10T09:15:00");
    EXPECT_EQ(
        add(QStringLiteral("10.12.2026"), QStringLiteral("1"), QStringLiteral("0.5")).exitCode, 2);
    EXPECT_EQ(add(start, QStringLiteral("-1"), QStringLiteral("0.5")).exitCode, 2);
    EXPECT_EQ(add(start, QStringLiteral("1"), QStringLiteral("1.5")).exitCode, 2);
    EXPECT_EQ(
        runTool({QStringLiteral("bestlist"), list, QStringLiteral("--add"), QStringLiteral("A")})
            .exitCode,
        2);
    EXPECT_FALSE(QFile::exists(list));

    writeFile(QStringLiteral("fremd.hsc"), QByteArray("\x04\0\0\0ABCD", 8));
    const ToolRun foreign =
        runTool({QStringLiteral("bestlist"), path(QStringLiteral("fremd.hsc"))});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(foreign.out.isEmpty());
    EXPECT_TRUE(foreign.err.contains(QStringLiteral("kann nicht gelesen werden")));
}

// Every file the tool writes, on a full disk over an old file and onto
// /dev/full: exit 1, the old file kept byte for byte, the device left a
// device; an empty protocol name is a usage error.
TEST_F(ToolProcessTest, FullDiskAndDeviceOutputsFailAndKeepWhatWasThere) {
    writeFile(QStringLiteral("rom.json"), R"({"objects": [{"Typ": 0, "Cap": "Rom", "Ebene": 1},
                                                          {"Typ": 0, "Cap": "Oslo", "Ebene": 1}],
                                              "basisbild": {"width": 40, "height": 30}})");
    writeFile(QStringLiteral("rom.script"), "drop 0 0\ndrop 1 1\n");
    const QString qvl = path(QStringLiteral("rom.qvl"));
    ASSERT_EQ(runTool({QStringLiteral("build"), path(QStringLiteral("rom.json")), qvl}).exitCode,
              0);
    const auto commands = [&](const QString& out) {
        return std::vector<QStringList>{
            {QStringLiteral("build"), path(QStringLiteral("rom.json")), out},
            {QStringLiteral("render"), qvl, out, QStringLiteral("--size"), QStringLiteral("64x48")},
            {QStringLiteral("sheet"), QStringLiteral("squared"), out, QStringLiteral("--size"),
             QStringLiteral("64x48")},
            {QStringLiteral("exercise"), qvl, QStringLiteral("--seed"), QStringLiteral("1"),
             QStringLiteral("--script"), path(QStringLiteral("rom.script")),
             QStringLiteral("--rtf"), out},
        };
    };
    const QByteArray old = "the old file, which must survive";
    for (const QStringList& arguments : commands(QStringLiteral("alt.png"))) {
        SCOPED_TRACE(arguments.first().toStdString());
        FullFileSystem disk(QStringLiteral("alt.png"), old);
        if (!disk.skipReason().isEmpty())
            GTEST_SKIP() << disk.skipReason().toStdString();
        const QStringList before = disk.names();
        QStringList onDisk = arguments;
        onDisk.replaceInStrings(QRegularExpression(QStringLiteral("^alt\\.png$")),
                                disk.path(QStringLiteral("alt.png")));
        const ToolRun run = runTool(onDisk);
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        QFile kept(disk.path(QStringLiteral("alt.png")));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), old);
        EXPECT_EQ(disk.names(), before);
    }
    for (const QStringList& arguments : commands(QStringLiteral("/dev/full"))) {
        SCOPED_TRACE(arguments.first().toStdString());
        // "sheet" takes only names ending in ".png".
        EXPECT_EQ(runTool(arguments).exitCode, arguments.first() == u"sheet" ? 2 : 1);
        EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists());
        EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile());
    }
    EXPECT_EQ(runTool({QStringLiteral("exercise"), qvl, QStringLiteral("--script"),
                       path(QStringLiteral("rom.script")), QStringLiteral("--rtf"), QString()})
                  .exitCode,
              2);
    // Only the last folder of --pictures is made, never a tree from the root.
    const QString deep = path(QStringLiteral("nicht/da/bilder"));
    EXPECT_EQ(runTool({QStringLiteral("dump"), qvl, QStringLiteral("--pictures"), deep}).exitCode,
              1);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("nicht"))));
}

// A tab or a line break in a name stays inside its cell of the grid text.
TEST_F(ToolProcessTest, BestListNamesWithTabsAndLineBreaksKeepTheirRow) {
    const QString list = path(QStringLiteral("liste.hsc"));
    const ToolRun added = runTool({QStringLiteral("bestlist"), list, QStringLiteral("--add"),
                                   QStringLiteral("An\tna\r\nB"), QStringLiteral("PC\n3"),
                                   QStringLiteral("2026-12-10T09:15:00"), QStringLiteral("1000"),
                                   QStringLiteral("0.5")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    const ToolRun shown = runTool({QStringLiteral("bestlist"), list}, QStringLiteral("C"));
    ASSERT_EQ(shown.exitCode, 0);
    const QList<QByteArray> rows = shown.out.split('\n');
    ASSERT_EQ(rows.size(), 3) << shown.out.toStdString();
    EXPECT_TRUE(rows[1].startsWith("1\tAn na  B\tPC 3\t50.0 %\t")) << rows[1].toStdString();
    EXPECT_EQ(rows[1].count('\t'), 5);
}

} // namespace

// A JSON document of a few hundred bytes naming one large picture sixteen
// times would need 1 GB (with the largest pictures 4 GB): the build is
// refused with the message a reader of such a document gives, after
// decoding the picture once.
TEST_F(ToolProcessTest, BuildRefusesPicturesPastTheDocumentBudget) {
    {
        QImage huge(4096, 4096, QImage::Format_ARGB32);
        huge.fill(qRgb(0, 128, 128));
        writeFile(QStringLiteral("gross.png"), encodePng(huge));
    }
    QJsonArray objects;
    for (int i = 0; i < 16; ++i) {
        objects.append(
            QJsonObject{{QStringLiteral("Typ"), 7},
                        {QStringLiteral("Bild"),
                         QJsonObject{{QStringLiteral("file"), QStringLiteral("gross.png")}}}});
    }
    const QByteArray json = QJsonDocument(QJsonObject{{QStringLiteral("objects"), objects}})
                                .toJson(QJsonDocument::Compact);
    ASSERT_LT(json.size(), 1000);
    writeFile(QStringLiteral("gross.json"), json);
    const QString out = path(QStringLiteral("gross.qvl"));
    const ToolRun run = runTool({QStringLiteral("build"), path(QStringLiteral("gross.json")), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(msgPicturesTooLarge())) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
