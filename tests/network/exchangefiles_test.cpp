// SPDX-License-Identifier: GPL-3.0-or-later
#include "binarystream.h"
#include "exchangefiles.h"
#include "lessoncode.h"
#include "netsettingsfile.h"
#include "randomgenerator.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

void touch(const QString& path, const QByteArray& bytes = "x") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

NetzUebSettings sample() {
    NetzUebSettings s;
    s.NetzUebungMaster = QStringLiteral("lehrer-pc");
    s.RiFaRueckmeldungItemIndex = 1;
    s.AbfrageModusItemIndex = 2;
    s.ZeitLimitIndex = 1;
    s.ZeitLimitWert = 185;
    s.NoteMinQuote = std::array<double, 7>{0.9, 0.8, 0.65, 0.5, 0.3, 0, 0};
    s.PunkteMinQuote = std::array<double, 17>{};
    s.PunkteMinQuote->at(3) = 0.5;
    s.BewertSkala = 2;
    s.AnzZeichenVorgeben = 1;
    return s;
}

} // namespace

TEST(ExchangeFiles, AvailabilityMarkerAndClearing) {
    QTemporaryDir dir;
    const ExchangeFiles files(dir.path(), QStringLiteral("MASTER-1"));
    EXPECT_EQ(files.settingsPath(), dir.path() + QStringLiteral("/MASTER-1-rbknetzuebung.dat"));
    EXPECT_FALSE(files.available());
    touch(files.documentPath());
    touch(files.settingsPath());
    EXPECT_FALSE(files.available());
    ASSERT_TRUE(files.setRegistrationOpen(true));
    EXPECT_TRUE(files.available());

    QFile marker(files.markerPath());
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    BinaryReader in(marker);
    EXPECT_EQ(in.readString(), QStringLiteral("NetzUebDateiOKX"));
    marker.close();

    // Registration closed: no longer available, the rest stays.
    ASSERT_TRUE(files.setRegistrationOpen(false));
    EXPECT_FALSE(files.available());
    EXPECT_TRUE(QFile::exists(files.settingsPath()));

    RandomGenerator random(7);
    ASSERT_TRUE(files.writeMessageFile(QStringLiteral("u"), QStringLiteral("c"),
                                       QStringLiteral("TN-INIT\r\n"), random));
    ASSERT_TRUE(files.writeMessageFile(QStringLiteral("u"), QStringLiteral("c"),
                                       QStringLiteral("TN-INIT\r\n"), random));
    touch(files.bestListPath());
    touch(dir.filePath(QStringLiteral("OTHER-1-rbknetzuebung.dat")));
    EXPECT_EQ(files.messageFiles().size(), 2);
    files.clear();
    EXPECT_TRUE(files.messageFiles().isEmpty());
    EXPECT_FALSE(QFile::exists(files.documentPath()));
    EXPECT_FALSE(QFile::exists(files.settingsPath()));
    EXPECT_TRUE(QFile::exists(files.bestListPath())) << "the best list outlives the exercise";
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("OTHER-1-rbknetzuebung.dat"))));
}

TEST(ExchangeFiles, MessageFilesRoundTripAndHostileOnes) {
    QTemporaryDir dir;
    const ExchangeFiles files(dir.path() + u'/', QStringLiteral("K7"));
    RandomGenerator random(1);
    ASSERT_TRUE(files.writeMessageFile(QStringLiteral("anna"), QStringLiteral("pc-3"),
                                       QStringLiteral("TN-FERTIG\r\nID\r\n1\r\n02:00\r\n"),
                                       random));
    const QStringList written = files.messageFiles();
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(
        QFileInfo(written[0])
            .fileName()
            .contains(QRegularExpression(QStringLiteral("^K7-rbknetzuebung-TN-[A-Z]{12}\\.dat$"))));
    MessageFile message;
    ASSERT_TRUE(readMessageFile(written[0], message));
    EXPECT_EQ(message.user, QStringLiteral("anna"));
    EXPECT_EQ(message.computer, QStringLiteral("pc-3"));
    EXPECT_EQ(message.text, QStringLiteral("TN-FERTIG\r\nID\r\n1\r\n02:00\r\n"));

    // A length past the end, and a file far larger than any message.
    const QString cut = dir.filePath(QStringLiteral("cut.dat"));
    touch(cut, QByteArray("\x07\0\0\0Message\xff\xff\xff\x7f", 15));
    EXPECT_FALSE(readMessageFile(cut, message));
    const QString huge = dir.filePath(QStringLiteral("huge.dat"));
    touch(huge, QByteArray(2 * 1024 * 1024, 'A'));
    EXPECT_FALSE(readMessageFile(huge, message));
}

TEST(NetzUebSettingsFile, RoundTripAndEarlierVersions) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(writeNetzUebSettings(buffer, sample()));
    buffer.seek(0);
    BinaryReader head(buffer);
    EXPECT_EQ(head.readString(), QStringLiteral("rbknetzuebung.dat"));
    EXPECT_EQ(head.readString(), netzUebKeyList());
    buffer.seek(0);
    NetzUebSettings read;
    ASSERT_TRUE(readNetzUebSettings(buffer, read));
    EXPECT_EQ(read.NetzUebungMaster, QStringLiteral("lehrer-pc"));
    EXPECT_EQ(read.ZeitLimitWert, 185);
    EXPECT_EQ(read.AbfrageModusItemIndex, 2);
    ASSERT_TRUE(read.NoteMinQuote);
    EXPECT_DOUBLE_EQ(read.NoteMinQuote->at(2), 0.65);
    EXPECT_DOUBLE_EQ(read.PunkteMinQuote->at(3), 0.5);
    EXPECT_EQ(read.BewertSkala, 2);
    EXPECT_EQ(read.AnzZeichenVorgeben, 1);

    // An earlier version ends after the time limit and names only its keys.
    QBuffer old;
    old.open(QIODevice::ReadWrite);
    BinaryWriter w(old);
    w.writeString(QStringLiteral("rbknetzuebung.dat"));
    w.writeString(QStringLiteral("NetzUebungMaster|RiFaRueckmeldungItemIndex|"));
    w.writeString(QStringLiteral("alt"));
    for (int i = 0; i < 8; ++i)
        w.writeInt(i);
    old.seek(0);
    ASSERT_TRUE(readNetzUebSettings(old, read));
    EXPECT_EQ(read.ZeitLimitWert, 7);
    EXPECT_FALSE(read.NoteMinQuote);
    EXPECT_FALSE(read.BewertSkala);

    // Every cut of a full file before its last item fails with an offset.
    const QByteArray whole = buffer.data();
    for (qsizetype size : {qsizetype(0), qsizetype(3), qsizetype(40), whole.size() - 1}) {
        QBuffer cut;
        cut.setData(whole.left(size));
        cut.open(QIODevice::ReadOnly);
        EXPECT_FALSE(readNetzUebSettings(cut, read)) << size;
    }
}

TEST(NetzUebSettingsFile, LessonCodeTagsTheFile) {
    const QByteArray salt = newLessonSalt();
    const LessonKey key(QStringLiteral("k7b2qx"), salt);
    NetzUebSettings settings = sample();
    settings.lessonSalt = salt;
    settings.documentTag = key.tag("document bytes");
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(writeNetzUebSettings(buffer, settings, &key));

    // A plain reader reads it as always; the code's items follow.
    NetzUebSettings read;
    buffer.seek(0);
    ASSERT_TRUE(readNetzUebSettings(buffer, read));
    EXPECT_EQ(read.lessonSalt, salt);
    const LessonKey typed(QStringLiteral(" K7B2QX "), read.lessonSalt);
    EXPECT_EQ(typed.verifier(), read.lessonVerifier) << "codes are not case-sensitive";
    EXPECT_NE(LessonKey(QStringLiteral("K7B2QY"), salt).verifier(), read.lessonVerifier);
    EXPECT_TRUE(typed.matches("document bytes", read.documentTag));

    buffer.seek(0);
    ASSERT_TRUE(readNetzUebSettings(buffer, read, &typed));
    EXPECT_TRUE(read.tagVerified);

    // Someone with write access changes the time limit: the tag no longer matches.
    QByteArray forged = buffer.data();
    const QByteArray master = QByteArrayLiteral("lehrer-pc");
    forged[forged.indexOf(master) + master.size() + 4 * 7] = 9;
    QBuffer tampered(&forged);
    tampered.open(QIODevice::ReadOnly);
    ASSERT_TRUE(readNetzUebSettings(tampered, read, &typed));
    EXPECT_FALSE(read.tagVerified);
}
