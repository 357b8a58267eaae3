// SPDX-License-Identifier: GPL-3.0-or-later
#include "chronicle.h"
#include "picturefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

class ChronicleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.filePath(QStringLiteral("chronik/klasse 4b/"));
        chronicle.setFolder(folder);
        picture.fill(qRgb(0, 64, 0));
    }

    QTemporaryDir dir;
    QString folder;
    Chronicle chronicle;
    QImage picture{QSize(40, 30), QImage::Format_ARGB32};
    const QDateTime when{QDate(2024, 3, 15), QTime(10, 42, 12)};
};

TEST_F(ChronicleTest, NamesAndCaptions) {
    EXPECT_EQ(chronicleFileName(when, 7), QStringLiteral("20240315-104212-007.png"));
    EXPECT_EQ(chronicleFileName(when, 1234), QStringLiteral("20240315-104212-1234.png"));
    EXPECT_EQ(chronicleCaption(7, when.time()), QStringLiteral("Nr. 007 - 10:42 Uhr"));
}

TEST_F(ChronicleTest, ShutdownQuestionInSingularAndPlural) {
    EXPECT_EQ(
        msgChronicleShots(1, QStringLiteral("/c/")),
        QStringLiteral("1 Chronik-Screenshot wurde im Ordner /c/ als PNG-Bilddatei abgelegt.\r\n"
                       "Soll diese jetzt gelöscht werden?"));
    EXPECT_EQ(msgChronicleShots(3, QStringLiteral("/c/")),
              QStringLiteral("3 Chronik-Screenshots wurden im Ordner /c/ als PNG-Bilddateien "
                             "abgelegt.\r\nSollen diese jetzt gelöscht werden?"));
}

TEST_F(ChronicleTest, FirstShotIsOneBesideOlderFilesAndTwoInOneSecondDiffer) {
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString older = folder + QStringLiteral("20240314-090000-001.png");
    ASSERT_TRUE(savePictureFile(picture, older).ok);

    ASSERT_TRUE(chronicle.store(picture, when).ok);
    ASSERT_TRUE(chronicle.store(picture, when).ok);
    ASSERT_EQ(chronicle.count(), 2);
    EXPECT_EQ(chronicle.shots()[0].path, folder + QStringLiteral("20240315-104212-001.png"));
    EXPECT_EQ(chronicle.shots()[1].path, folder + QStringLiteral("20240315-104212-002.png"));
    EXPECT_EQ(chronicle.shots()[1].caption, QStringLiteral("Nr. 002 - 10:42 Uhr"));
    QImage back;
    ASSERT_TRUE(loadPictureFile(chronicle.shots()[0].path, back).ok);
    EXPECT_EQ(back.pixel(5, 5), qRgb(0, 64, 0));

    // Deleting takes only this run's files and starts counting anew.
    EXPECT_TRUE(chronicle.deleteAll().isEmpty());
    EXPECT_EQ(chronicle.count(), 0);
    EXPECT_TRUE(QFile::exists(older));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QFileInfo(older).fileName()});
    ASSERT_TRUE(chronicle.store(picture, when).ok);
    EXPECT_EQ(chronicle.shots()[0].number, 1);
}

TEST_F(ChronicleTest, UnwritableFolderStoresNothing) {
    // A file where the folder should be: it cannot be made.
    const QString blocked = dir.filePath(QStringLiteral("datei"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    chronicle.setFolder(blocked + QStringLiteral("/chronik/"));
    const IoResult result = chronicle.store(picture, when);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_EQ(result.messages[0], msgChronicleFolder(blocked + QStringLiteral("/chronik/")));
    EXPECT_EQ(chronicle.count(), 0);

    // A picture that cannot be written: the export's message, counter unchanged.
    chronicle.setFolder(folder);
    const IoResult empty = chronicle.store(QImage(), when);
    EXPECT_FALSE(empty.ok);
    EXPECT_TRUE(
        empty.messages.join(u' ').startsWith(QStringLiteral("Datei konnte nicht erstellt")));
    EXPECT_EQ(chronicle.count(), 0);
}

} // namespace
