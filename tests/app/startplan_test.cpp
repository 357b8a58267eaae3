// SPDX-License-Identifier: GPL-3.0-or-later
#include "startenvironment.h"
#include "startplan.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

class StartPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        environment.workingDirectory = dir.path();
        environment.baseFolder = dir.path() + u"/basis/"_s;
        environment.centralConfigCandidates = {dir.filePath(u"config.ini"_s)};
        environment.userSettingsFile = dir.filePath(u"benutzer.ini"_s);
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    StartPlan plan() {
        const std::unique_ptr<QSettings> store = openUserSettings(environment);
        return planStart(environment, *store);
    }
    QTemporaryDir dir;
    StartEnvironment environment;
};

} // namespace

TEST_F(StartPlanTest, NothingThereGivesTheDefaults) {
    const StartPlan p = plan();
    EXPECT_EQ(p.settings, defaultSettings(environment.baseFolder));
    EXPECT_EQ(p.argument.kind, CommandLineArgument::Kind::None);
    EXPECT_EQ(p.topicFolder, environment.baseFolder);
}

TEST_F(StartPlanTest, TheCentralFileOverridesTheUserStore) {
    write(u"benutzer.ini"_s, "[General]\nOpt-Sound=false\nOpt-WerkzeugPos=1\n");
    write(u"config.ini"_s, "[Optionen]\nOptionenDefZentral=1\nTonausgabe=1\n"
                           "[Start]\nThemenordner=/srv/themen\n");
    const StartPlan p = plan();
    EXPECT_TRUE(p.settings.Sound);
    EXPECT_EQ(p.settings.WerkzeugPos, 1); // not in the central file: the user's value
    EXPECT_EQ(p.topicFolder, u"/srv/themen/"_s);
}

TEST_F(StartPlanTest, BrokenFilesNeverStopTheStart) {
    write(u"benutzer.ini"_s, QByteArray("\x00\xFF[General\n=\n\xFE", 12));
    write(u"config.ini"_s, QByteArray(2 * 1024 * 1024, '['));
    const StartPlan p = plan();
    EXPECT_EQ(p.settings, defaultSettings(environment.baseFolder));
}

TEST_F(StartPlanTest, TheCommandLineWinsOverTheCentralTopicFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"klasse5"_s));
    write(u"config.ini"_s, "[Start]\nThemenordner=/srv/themen\n");
    environment.arguments = {u"klasse5"_s};
    const StartPlan p = plan();
    EXPECT_EQ(p.argument.kind, CommandLineArgument::Kind::Folder);
    EXPECT_EQ(p.topicFolder, dir.path() + u"/klasse5/"_s);
}
