// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;
using Kind = CommandLineArgument::Kind;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"themen/mathe"_s));
        QFile document(dir.filePath(u"themen/bruch.qvl"_s));
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    }
    QString root() const { return dir.path() + u'/'; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CommandLineTest, ClassifiesFoldersDocumentsAndSeriesPackages) {
    struct Case {
        QString argument;
        Kind kind;
        QString topicFolder; // relative to the temporary folder
        QString file;
    };
    const Case cases[] = {
        {root() + u"themen/mathe"_s, Kind::Folder, u"themen/mathe/"_s, QString()},
        {root() + u"themen/mathe/"_s, Kind::Folder, u"themen/mathe/"_s, QString()},
        {u"themen"_s, Kind::Folder, u"themen/"_s, QString()}, // relative to the working folder
        {u"\""_s + root() + u"themen\""_s, Kind::Folder, u"themen/"_s, QString()},
        {root() + u"neu/"_s, Kind::Folder, u"neu/"_s, QString()}, // no file name
        {root() + u"themen/bruch.qvl"_s, Kind::DocumentFile, u"themen/"_s, u"themen/bruch.qvl"_s},
        {u"themen/fehlt.qvl"_s, Kind::DocumentFile, u"themen/"_s, u"themen/fehlt.qvl"_s},
        {root() + u"themen/serie.QVUSP"_s, Kind::SeriesPackage, u"themen/"_s,
         u"themen/serie.QVUSP"_s},
        {root() + u"serie.qvUsp"_s, Kind::SeriesPackage, QString(), u"serie.qvUsp"_s},
        {root() + u"themen/serie.qvusp.qvl"_s, Kind::DocumentFile, u"themen/"_s,
         u"themen/serie.qvusp.qvl"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        const CommandLineArgument result = classifyCommandLine({c.argument}, dir.path());
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(result.topicFolder, root() + c.topicFolder);
        EXPECT_EQ(result.file, c.file.isEmpty() ? QString() : root() + c.file);
    }
}

TEST_F(CommandLineTest, NoArgumentOrAnEmptyOne) {
    EXPECT_EQ(classifyCommandLine({}, dir.path()).kind, Kind::None);
    EXPECT_EQ(classifyCommandLine({QString()}, dir.path()).kind, Kind::None);
    EXPECT_EQ(classifyCommandLine({u"\"\""_s}, dir.path()).kind, Kind::None);
    // Only the first argument counts.
    EXPECT_EQ(classifyCommandLine({u"themen"_s, u"themen/bruch.qvl"_s}, dir.path()).kind,
              Kind::Folder);
}

TEST_F(CommandLineTest, TopicFolderChoice) {
    const CommandLineArgument none;
    EXPECT_EQ(chooseTopicFolder(none, QString(), u"/basis/"_s), u"/basis/"_s);
    EXPECT_EQ(chooseTopicFolder(none, u"/srv/themen"_s, u"/basis/"_s), u"/srv/themen/"_s);
    EXPECT_EQ(chooseTopicFolder(none, u"/srv/themen/"_s, u"/basis/"_s), u"/srv/themen/"_s);

    const CommandLineArgument folder = classifyCommandLine({u"themen"_s}, dir.path());
    EXPECT_EQ(chooseTopicFolder(folder, u"/srv/themen"_s, u"/basis/"_s), root() + u"themen/"_s);
    const CommandLineArgument package = classifyCommandLine({u"themen/s.qvusp"_s}, dir.path());
    EXPECT_EQ(chooseTopicFolder(package, u"/srv/themen"_s, u"/basis/"_s), root() + u"themen/"_s);
}
