// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "topiclist.h"
#include "topicmenupages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quorvel;

namespace {

void writeDocument(const QString& path, const QString& title) {
    Document doc;
    doc.header.titel = title;
    doc.basePicture = QImage(2, 2, QImage::Format_ARGB32);
    doc.basePicture.fill(Qt::white);
    ASSERT_TRUE(writeDocumentFile(doc, path, false).ok);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TopicList, ReadsReadableDocumentsSortedByTitle) {
    QTemporaryDir dir;
    writeDocument(dir.filePath(QStringLiteral("b.qvl")), QStringLiteral("zebra"));
    writeDocument(dir.filePath(QStringLiteral("a.qvl")), QStringLiteral("Äpfel"));
    writeDocument(dir.filePath(QStringLiteral("c.QVL")), QStringLiteral("Birnen")); // other case
    writeDocument(dir.filePath(QStringLiteral(".versteckt.qvl")), QStringLiteral("apfelmus"));
    writeDocument(dir.filePath(QStringLiteral("Ohne.qvl")), QStringLiteral("   "));
    writeBytes(dir.filePath(QStringLiteral("leer.qvl")), {});
    writeBytes(dir.filePath(QStringLiteral("fremd.qvl")), QByteArray("\x08\0\0\0GIF89a..", 12));
    QByteArray cut;
    {
        QFile f(dir.filePath(QStringLiteral("b.qvl")));
        f.open(QIODevice::ReadOnly);
        cut = f.read(60); // inside the key list
    }
    writeBytes(dir.filePath(QStringLiteral("kurz.qvl")), cut);
    QDir(dir.path()).mkdir(QStringLiteral("ordner.qvl"));
    QDir(dir.path()).mkdir(QStringLiteral("unter"));
    writeDocument(dir.filePath(QStringLiteral("unter/tief.qvl")), QStringLiteral("Tief"));
    writeDocument(dir.filePath(QStringLiteral("anders.txt")), QStringLiteral("Text"));

    // The order follows the user's locale; this test asks for German.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TopicList list = readTopicList(dir.path());
    QLocale::setDefault(before);
    QStringList titles;
    for (const ThemenDataTyp& e : list)
        titles << shownTitle(e);
    // "Äpfel" sorts with "A" in German; the blank title sorts first and shows its file name.
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Ohne.qvl"), QStringLiteral("Äpfel"),
                                   QStringLiteral("apfelmus"), QStringLiteral("Birnen"),
                                   QStringLiteral("zebra")}))
        << titles.join(u'|').toStdString();
    const auto without = std::find_if(list.begin(), list.end(), [](const ThemenDataTyp& e) {
        return e.file.endsWith(QStringLiteral("Ohne.qvl"));
    });
    ASSERT_NE(without, list.end());
    EXPECT_EQ(without->fileNameLower, QStringLiteral("ohne.qvl"));

    EXPECT_TRUE(readTopicList(dir.filePath(QStringLiteral("verschwunden"))).empty());
    EXPECT_TRUE(readTopicList(QString()).empty());
}

TEST(TopicList, SortIgnoresCaseAlsoInTheCLocale) {
    const QLocale before;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        TopicList list;
        for (const char* title : {"Zebra", "apfel", "Birne"})
            list.push_back({QString::fromUtf8(title), QString(), QString()});
        sortTopicList(list);
        EXPECT_EQ(list[0].titel, QStringLiteral("apfel")) << locale.name().toStdString();
        EXPECT_EQ(list[1].titel, QStringLiteral("Birne"));
        EXPECT_EQ(list[2].titel, QStringLiteral("Zebra"));
    }
    QLocale::setDefault(before);
}

TEST(TopicMenuPages, PagesOfSixty) {
    const TopicMenuPage first = topicMenuPage(0, 61);
    EXPECT_EQ(first.start, 0);
    EXPECT_EQ(first.end, 60);
    EXPECT_FALSE(first.previousEnabled);
    EXPECT_TRUE(first.nextEnabled);
    EXPECT_EQ(first.nextCaption, QStringLiteral("Nächste 60 Dokumente anzeigen (von 61)"));
    EXPECT_EQ(first.previousCaption, QStringLiteral("Vorherige 60 Dokumente anzeigen"));
    // The next page never starts past count - 60: it shows entries 2..61.
    const TopicMenuPage second = topicMenuPage(first.start + 60, 61);
    EXPECT_EQ(second.start, 1);
    EXPECT_EQ(second.end, 61);
    EXPECT_TRUE(second.previousEnabled);
    EXPECT_FALSE(second.nextEnabled);
    EXPECT_EQ(topicMenuPage(-60, 10).start, 0);
    EXPECT_EQ(topicMenuPage(0, 0).end, 0);
}

TEST(TopicMenuPages, TwoColumnsAboveTwentyFiveEntries) {
    EXPECT_EQ(topicMenuPage(0, 25).columnBreakBefore, -1);
    EXPECT_EQ(topicMenuPage(0, 26).columnBreakBefore, 8); // 26 div 2 - 5: before entry 9
    EXPECT_EQ(topicMenuPage(60, 200).columnBreakBefore, 60 + 25);
}

TEST(TopicMenuPages, PageFollowsTheCurrentEntry) {
    EXPECT_EQ(pageStartFor(130, 0, 200), 120);
    EXPECT_EQ(pageStartFor(5, 120, 200), 0);
    EXPECT_EQ(pageStartFor(190, 0, 200), 140); // the last page starts at count - 60
    EXPECT_EQ(pageStartFor(-1, 60, 200), 60);
}

TEST(TopicMenuPages, CaptionsAndNeighbours) {
    EXPECT_EQ(topicMenuCaption(0, QStringLiteral("Blume")), QStringLiteral("&1:  Blume"));
    EXPECT_EQ(topicMenuCaption(9, QStringLiteral("A & B")), QStringLiteral("10:  A && B"));
    const QString hostile = QStringLiteral("a\tb\r\nc") + QString(10000, u'x');
    const QString caption = topicMenuCaption(2, hostile);
    EXPECT_TRUE(caption.startsWith(QStringLiteral("&3:  a b  cx")));
    EXPECT_LE(caption.size(), 110);
    EXPECT_TRUE(caption.endsWith(QChar(0x2026)));

    EXPECT_EQ(neighbourEntry(4, 1, 5), 4); // the last entry stays
    EXPECT_EQ(neighbourEntry(0, -1, 5), 0);
    EXPECT_EQ(neighbourEntry(-1, 1, 5), 0);
    EXPECT_EQ(neighbourEntry(0, 1, 0), -1); // empty list: nothing to open
}

TEST(TopicList, SkipsPipesWithoutOpeningThem) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QDir dir(temp.path());
    writeDocument(dir.filePath(QStringLiteral("a.qvl")), QStringLiteral("Apfel"));
    // Opening a pipe for reading blocks until a writer comes: the scan would hang.
    const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("b.qvl")));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const TopicList list = readTopicList(temp.path());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].titel, QStringLiteral("Apfel"));
}
