// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportrtf.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace quorvel;

TEST(ReportRtf, WritesTitlesSizesTabStopAndEscapes) {
    const QByteArray rtf =
        reportMarkupToRtf(QStringLiteral("<TIT>Themenliste\r\n1: Äpfel {und} C:\\Öl\r\nA\tB"),
                          QStringLiteral("Arial"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains("\\tx3200")); // 160 points
    EXPECT_TRUE(rtf.contains("\\fs18 \\b Themenliste\\b0\\par"));
    EXPECT_TRUE(rtf.contains("\\fs8 \\par")); // the spacer after the title
    EXPECT_TRUE(rtf.contains("\\u196\\'c4pfel \\{und\\} C:\\\\\\u214\\'d6l"));
    EXPECT_TRUE(rtf.contains("A\\tab B"));
    EXPECT_TRUE(rtf.endsWith("}\n"));
}

// A real RTF reader sees the same text.
TEST(ReportRtf, ReadsBackWithAnRtfReader) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty())
        GTEST_SKIP() << "unrtf is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.rtf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        reportMarkupToRtf(QStringLiteral("<tit>Themenliste\r\n1: Größen und Maße\r\n2: Übung €"),
                          QStringLiteral("Arial")));
    file.close();
    QProcess process;
    // Its HTML output names every non-ASCII character as an entity.
    process.start(unrtf, {QStringLiteral("--html"), path});
    ASSERT_TRUE(process.waitForFinished(10000));
    QTextDocument html;
    html.setHtml(QString::fromLatin1(process.readAllStandardOutput()));
    const QString text = html.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Themenliste"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1: Größen und Maße"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2: Übung €"))) << text.toStdString();
}
