// SPDX-License-Identifier: GPL-3.0-or-later
#include "objdata.h"
#include "pointaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

ObjDataTyp point(int typ, const QString& cap, const QString& password = {}) {
    ObjDataTyp o;
    o.Typ = typ;
    o.Cap = cap;
    o.BildKenn = password;
    return o;
}

class PointActionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folders.topic = dir.path() + u'/';
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"klasse5"_s));
        QFile file(dir.filePath(u"b.qvl"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir;
    LinkFolders folders;
};

} // namespace

TEST_F(PointActionTest, EachKindOfPointDoesItsThing) {
    using Kind = PointAction::Kind;
    const struct {
        int typ;
        QString cap;
        Kind kind;
        QString target;
    } cases[] = {
        {2, u"<b>Info</b>"_s, Kind::ShowInfo, {}},
        {28, u"Frage"_s, Kind::ShowInfo, {}},
        {4, u"https://example.org"_s, Kind::OpenExternal, u"https://example.org"_s},
        {29, u"mailto:lehrer@schule.de"_s, Kind::OpenExternal, u"mailto:lehrer@schule.de"_s},
        {5, u"b.qvl"_s, Kind::OpenDocument, dir.filePath(u"b.qvl"_s)},
        {8, u"B.QVL"_s, Kind::FileMissing, {}},
        {33, u"b.qvl"_s, Kind::OpenDocument, dir.filePath(u"b.qvl"_s)},
        {8, u"bild.png"_s, Kind::OpenExternal, u"bild.png"_s},
        {5, u"klasse5\\"_s, Kind::ChangeFolder, dir.filePath(u"klasse5/"_s)},
        {5, u"fehlt\\"_s, Kind::Nothing, {}},
        {0, u"Feld"_s, Kind::Nothing, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typ);
        SCOPED_TRACE(c.cap.toStdString());
        const PointAction action = pointAction(point(c.typ, c.cap), folders);
        EXPECT_EQ(action.kind, c.kind);
        if (!c.target.isEmpty()) {
            EXPECT_EQ(action.target, c.target);
        }
    }
    EXPECT_EQ(pointAction(point(2, u"Text"_s), folders).text, u"Text"_s);
    EXPECT_EQ(pointAction(point(5, u"fehlt.qvl"_s), folders).message,
              u"Die Datei \"fehlt.qvl\" existiert nicht."_s);
}

TEST_F(PointActionTest, InfoPointsAndExternalLinksCarryTheirPassword) {
    EXPECT_EQ(pointAction(point(2, u"x"_s, u"geheim"_s), folders).password, u"geheim"_s);
    EXPECT_EQ(pointAction(point(4, u"x"_s, u"geheim"_s), folders).password, u"geheim"_s);
    EXPECT_TRUE(pointAction(point(5, u"b.qvl"_s, u"geheim"_s), folders).password.isEmpty())
        << "document links ask no password";

    EXPECT_EQ(checkPassword(QString(), std::nullopt), PasswordCheck::Accepted);
    EXPECT_EQ(checkPassword(u"geheim"_s, std::nullopt), PasswordCheck::Cancelled);
    EXPECT_EQ(checkPassword(u"geheim"_s, u"Geheim"_s), PasswordCheck::Wrong);
    EXPECT_EQ(checkPassword(u"geheim"_s, QString()), PasswordCheck::Wrong);
    EXPECT_EQ(checkPassword(u"geheim"_s, u"geheim"_s), PasswordCheck::Accepted);
}

TEST(ExternalLinkUrl, TargetsWithASchemeGoOnAsWrittenPathsBecomeFiles) {
    const struct {
        QString target;
        QUrl expected;
    } cases[] = {
        {u"https://example.org/a?b=1"_s, QUrl(u"https://example.org/a?b=1"_s)},
        {u"HTTP://example.org"_s, QUrl(u"HTTP://example.org"_s)},
        {u"mailto:lehrer@schule.de"_s, QUrl(u"mailto:lehrer@schule.de"_s)},
        {u"ftp://server/datei.txt"_s, QUrl(u"ftp://server/datei.txt"_s)},
        {u"file:///tmp/blatt.pdf"_s, QUrl(u"file:///tmp/blatt.pdf"_s)},
        {u"/home/lehrer/Blatt 1.pdf"_s, QUrl::fromLocalFile(u"/home/lehrer/Blatt 1.pdf"_s)},
        {u"C:\\Daten\\blatt.pdf"_s, QUrl::fromLocalFile(u"C:/Daten/blatt.pdf"_s)},
        {u"blatt.pdf"_s, QUrl::fromLocalFile(u"blatt.pdf"_s)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        EXPECT_EQ(externalLinkUrl(c.target), c.expected);
    }
    EXPECT_EQ(externalLinkUrl(u"mailto:lehrer@schule.de"_s).scheme(), u"mailto"_s);
    EXPECT_TRUE(externalLinkUrl(u"C:\\Daten\\blatt.pdf"_s).isLocalFile());
}
