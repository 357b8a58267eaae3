// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentio.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(QUORVEL_TOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    // Only the tool's own lines: Qt may warn about the environment first.
    QStringList lines = QString::fromUtf8(process.readAllStandardError()).split(u'\n');
    lines.removeIf([](const QString& line) { return line.startsWith(u"QStandardPaths:"); });
    return {process.exitCode(), lines.join(u'\n')};
}

class WorksheetCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Document d;
        d.reset();
        d.basePicture = QImage(870, 600, QImage::Format_ARGB32);
        d.basePicture.fill(Qt::white);
        d.header.titel = u"Flüsse"_s;
        ObjDataTyp o;
        o.Typ = codeOf(Typ::QueryLabel);
        o.Cap = u"Rhein"_s;
        d.objects.push_back(o);
        d.derivePageGeometry();
        ASSERT_TRUE(writeDocumentFile(d, path(u"flüsse.qvl"_s), true).ok);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytes(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(WorksheetCommandTest, WritesTheFormatOfTheExtension) {
    const QString document = path(u"flüsse.qvl"_s);
    ASSERT_EQ(runTool({u"worksheet"_s, document, path(u"a.png"_s)}).exitCode, 0);
    EXPECT_EQ(QImage(path(u"a.png"_s)).size(), QSize(1000, 1625));
    ASSERT_EQ(runTool({u"worksheet"_s, document, path(u"b.PNG"_s), u"--landscape"_s, u"--kind"_s,
                       u"3"_s, u"--set"_s, u"SpaltenComboBox=3"_s})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(path(u"b.PNG"_s)).size(), QSize(1625, 1000));

    ASSERT_EQ(runTool({u"worksheet"_s, document, path(u"c.svg"_s)}).exitCode, 0);
    const QByteArray svg = bytes(u"c.svg"_s);
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 1000 1625\""));
    EXPECT_TRUE(svg.contains("Flüsse")) << "the title stays text";

    // One A4 page in the sheet's orientation.
    for (const bool landscape : {false, true}) {
        QStringList arguments{u"worksheet"_s, document, path(u"d.pdf"_s)};
        if (landscape)
            arguments << u"--landscape"_s;
        ASSERT_EQ(runTool(arguments).exitCode, 0);
        const QByteArray pdf = bytes(u"d.pdf"_s);
        ASSERT_TRUE(pdf.startsWith("%PDF"));
        const QRegularExpression box(uR"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"_s);
        int pages = 0;
        for (auto it = box.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); ++pages) {
            const auto match = it.next();
            const double width = match.captured(1).toDouble();
            const double height = match.captured(2).toDouble();
            EXPECT_NEAR(landscape ? height : width, 595.3, 1);
            EXPECT_NEAR(landscape ? width : height, 841.9, 1);
        }
        EXPECT_EQ(pages, 1);
    }
}

TEST_F(WorksheetCommandTest, RefusesOtherExtensionsAndReportsWriteFailures) {
    const QString document = path(u"flüsse.qvl"_s);
    for (const QString& name : {u"blatt.jpg"_s, u"blatt"_s, u"blatt.emf.txt"_s}) {
        const ToolRun run = runTool({u"worksheet"_s, document, path(name)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.trimmed(),
                  u"Speichern fehlgeschlagen wegen ungültiger Dateinamenserweiterung."_s);
        EXPECT_FALSE(QFile::exists(path(name)));
    }

    const QString missingFolder = path(u"fehlt/blatt.png"_s);
    const ToolRun failed = runTool({u"worksheet"_s, document, missingFolder});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.startsWith(msgCannotWrite(missingFolder))) << failed.err.toStdString();

    const ToolRun unreadable = runTool({u"worksheet"_s, path(u"fehlt.qvl"_s), path(u"e.png"_s)});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path(u"e.png"_s)));

    const ToolRun unknown =
        runTool({u"worksheet"_s, document, path(u"f.png"_s), u"--set"_s, u"FarbeBox=1"_s});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(u"Unbekanntes Steuerelement \"FarbeBox\""_s));
    const ToolRun badValue = runTool(
        {u"worksheet"_s, document, path(u"f.png"_s), u"--set"_s, u"KaestchengroesseCombo=125 %"_s});
    EXPECT_EQ(badValue.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path(u"f.png"_s)));
    EXPECT_EQ(runTool({u"worksheet"_s, document, path(u"f.png"_s), u"--kind"_s, u"4"_s}).exitCode,
              2);
}

} // namespace
