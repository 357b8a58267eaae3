// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

LinkFields defaults() {
    LinkFields fields;
    for (int i = 0; i < kLinkFieldCount; ++i)
        fields[size_t(i)] = clearedLinkField(i);
    return fields;
}

TEST(LinkFieldsTest, ClearedFieldsAndTheirTexts) {
    EXPECT_EQ(clearedLinkField(0), (LinkField{{}, u"V1"_s, u"Programmverknüpfung 1"_s}));
    EXPECT_EQ(clearedLinkField(2), (LinkField{{}, u"V3"_s, u"Programmverknüpfung 3"_s}));
    EXPECT_EQ(clearedLinkField(kKeyboardLinkField), (LinkField{{}, {}, u"Bildschirmtastatur"_s}));
    EXPECT_EQ(linkFieldBrowseTitle(1), u"Datei für Verknüpfungsfeld V2 auswählen"_s);
    EXPECT_EQ(linkFieldBrowseTitle(kKeyboardLinkField),
              u"Datei für Verknüpfungsfeld für Bildschirmtastatur auswählen"_s);
    EXPECT_EQ(msgInvalidLinkField(kKeyboardLinkField),
              u"Die für Verknüpfungsfeld für Bildschirmtastatur angegebene Datei ist ungültig."_s);
}

TEST(LinkFieldsTest, ChecksRunInOrderAndStopAtTheFirstInvalidPath) {
    const QString good = u"/gibt/es"_s;
    const auto exists = [&good](const QString& path) { return path == good; };
    struct Case {
        const char* what;
        QStringList paths; // missing ones are empty
        int failed;        // -1: all valid
    };
    const Case cases[] = {
        {"all empty", {}, -1},
        {"blanks only count as empty", {u"   "_s, u"\t"_s, {}, u" "_s}, -1},
        {"valid paths, trimmed", {u"  /gibt/es "_s, {}, u"/gibt/es"_s, good}, -1},
        {"two invalid: only the first", {good, u"/fehlt/a"_s, u"/fehlt/b"_s, {}}, 1},
        {"keyboard last", {{}, {}, {}, u"/fehlt/tastatur"_s}, kKeyboardLinkField},
        {"V3 before the keyboard", {{}, {}, u"/fehlt"_s, u"/fehlt"_s}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LinkFields entered = defaults();
        for (size_t i = 0; i < entered.size(); ++i)
            entered[i].path = c.paths.value(qsizetype(i));
        const LinkFieldCheck check = checkLinkFields(entered, exists);
        EXPECT_EQ(check.ok, c.failed < 0);
        EXPECT_EQ(check.failedField, c.failed);
        if (c.failed >= 0) {
            EXPECT_EQ(check.message, msgInvalidLinkField(c.failed));
            continue;
        }
        EXPECT_TRUE(check.message.isEmpty());
        for (size_t i = 0; i < entered.size(); ++i) {
            EXPECT_EQ(check.accepted[i].path, c.paths.value(qsizetype(i)).trimmed());
            EXPECT_EQ(check.accepted[i].caption, entered[i].caption);
            EXPECT_EQ(check.accepted[i].hint, entered[i].hint);
        }
    }
    EXPECT_EQ(msgInvalidLinkField(1),
              u"Die für Verknüpfungsfeld V2 angegebene Datei ist ungültig."_s);
}

TEST(LinkFieldsTest, AFolderIsNoValidFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    LinkFields entered = defaults();
    entered[0].path = dir.path();
    const LinkFieldCheck check = checkLinkFields(entered);
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.failedField, 0);
}

TEST(LinkFieldsTest, PlanStartsProgramsAndOpensOtherFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Blanks, quotes and shell characters are part of the name, nothing else.
    const QString folder = dir.filePath(u"mit Leer \"zeichen\" $(touch x); 'a'"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + u"/programm"_s;
    const QString text = folder + u"/notiz.txt"_s;
    for (const QString& name : {program, text}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }
    ASSERT_TRUE(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeUser));

    const LaunchPlan started = planLaunch(program);
    EXPECT_EQ(started.kind, LaunchPlan::Kind::Program);
    EXPECT_EQ(started.program, program);
    EXPECT_TRUE(started.arguments.isEmpty());
    EXPECT_EQ(started.workingDirectory, folder);

    const LaunchPlan opened = planLaunch(text);
    EXPECT_EQ(opened.kind, LaunchPlan::Kind::Open);
    EXPECT_EQ(opened.url, QUrl::fromLocalFile(text));
    EXPECT_EQ(planLaunch(folder).kind, LaunchPlan::Kind::Open) << "a folder opens in the desktop";

    for (const QString& missing : {QString(), folder + u"/fehlt"_s, u" "_s + program}) {
        SCOPED_TRACE(missing.toStdString());
        EXPECT_EQ(planLaunch(missing).kind, LaunchPlan::Kind::Missing);
        EXPECT_FALSE(launch(planLaunch(missing)));
    }
}

} // namespace
