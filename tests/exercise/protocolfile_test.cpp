// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "protocolfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

const QDateTime kAt(QDate(2026, 12, 11), QTime(9, 30, 5));

TEST(ProtocolFile, NamesFollowTheDateTimeComputerCounterPattern) {
    EXPECT_EQ(autoSaveProtocolName(kAt, u"raum-12"_s, 0), u"20261211-093005-raum-12-0.rtf"_s);
    // A computer name cannot move the file into another folder.
    EXPECT_EQ(autoSaveProtocolName(kAt, u"a/b\\c"_s, 7), u"20261211-093005-a_b_c-7.rtf"_s);
    EXPECT_EQ(mailProtocolName(kAt, 3), u"email-qvlprotokoll-20261211-093005-3.rtf"_s);
}

TEST(ProtocolFile, TwoSavesInOneSecondGetCountersZeroAndOne) {
    QTemporaryDir dir;
    // Without its trailing separator, and not yet there: both are taken care of.
    const QString folder = dir.filePath(u"protokolle"_s);
    QString first, second;
    ASSERT_TRUE(autoSaveProtocol(folder, u"pc"_s, kAt, u"<tit>Eins\r\n"_s, &first).ok);
    ASSERT_TRUE(autoSaveProtocol(folder, u"pc"_s, kAt, u"<tit>Zwei\r\n"_s, &second).ok);
    EXPECT_EQ(first, folder + u"/20261211-093005-pc-0.rtf"_s);
    EXPECT_EQ(second, folder + u"/20261211-093005-pc-1.rtf"_s);
    QFile file(second);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    EXPECT_EQ(rtf, protocolRtf(u"<tit>Zwei\r\n"_s));
    EXPECT_TRUE(rtf.contains("\\b Zwei"));
}

TEST(ProtocolFile, AnUnwritableFolderGivesTheFileMessageWithTheReason) {
    QTemporaryDir dir;
    // A folder below a plain file can be neither made nor written, not even by root.
    QFile blocker(dir.filePath(u"datei"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = dir.filePath(u"datei/protokolle/"_s);
    QString path;
    const IoResult result = autoSaveProtocol(folder, u"pc"_s, kAt, u"x"_s, &path);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_EQ(result.messages[0],
              msgCannotWrite(folder + u"20261211-093005-pc-0.rtf"_s) +
                  u"\r\n\r\nDas Übungsprotokoll konnte nicht automatisch gespeichert werden. "
                  u"Überprüfen Sie die Einstellungen unter \"Optionen / Ordner für Protokolle "
                  u"und Bestenlisten\"."_s);
    EXPECT_TRUE(path.isEmpty());

    const IoResult mailed = saveProtocolUnderFreeName(
        folder, [](int counter) { return mailProtocolName(kAt, counter); }, u"x"_s,
        mailProtocolFailureText());
    ASSERT_EQ(mailed.messages.size(), 1);
    EXPECT_TRUE(mailed.messages[0].endsWith(u"für den E-Mail-Versand zwischengespeichert werden. "
                                            u"Überprüfen Sie die Einstellungen unter \"Optionen | "
                                            u"Ordner für Protokolle und Bestenlisten\"."_s));
}

TEST(ProtocolFile, ACommentIsTrimmedUnderItsTitleAndABlankOneAddsNothing) {
    const struct {
        QString comment;
        QString markup;
    } cases[] = {
        {u""_s, u""_s},
        {u" \r\n\t "_s, u""_s},
        {u"  Gut gemacht!\n"_s, u"\r\n<tit>Kommentar\r\nGut gemacht!"_s},
        {u"Zeile 1\nZeile 2"_s, u"\r\n<tit>Kommentar\r\nZeile 1\nZeile 2"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commentMarkup(c.comment), c.markup) << c.comment.toStdString();
}

} // namespace
} // namespace quorvel
