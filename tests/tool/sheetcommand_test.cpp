// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturefile.h"
#include "sheetcommand.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

SheetArguments kind(const char* name) {
    SheetArguments a;
    a.kind = QString::fromLatin1(name);
    return a;
}

TEST(SheetCommand, DefaultsAreTheMiddleItemAndClampedAsTheDialogsClamp) {
    struct Case {
        const char* kind;
        std::optional<QString> count;
        int expected;
    };
    const Case cases[] = {
        {"ruled", std::nullopt, 15},
        {"squared", std::nullopt, 30},
        {"staves", std::nullopt, 5},
        {"lineature1", std::nullopt, 5},
        {"lineature2", std::nullopt, 6},
        {"lineature3", std::nullopt, 9},
        {"lineature4", std::nullopt, 12},
        {"ruled", QStringLiteral("0"), 1},
        {"ruled", QStringLiteral("500"), 200},
        {"staves", QStringLiteral("-3"), 1},
        {"lineature3", QStringLiteral("99999999999999999999999"), 50},
    };
    for (const Case& c : cases) {
        SheetArguments a = kind(c.kind);
        a.count = c.count;
        QString error;
        const auto options = parseSheetArguments(a, error);
        ASSERT_TRUE(options) << c.kind << ": " << error.toStdString();
        EXPECT_EQ(options->spec.count, c.expected) << c.kind;
        EXPECT_EQ(options->size, QSize(1024, 768));
        EXPECT_EQ(options->spec.line, kSheetLineColour);
        EXPECT_EQ(options->spec.background, kSheetBackground);
    }

    SheetArguments table = kind("table");
    table.rows = QStringLiteral("0");
    table.columns = QStringLiteral("1000");
    table.margins = QStringLiteral("-5,150,7,0");
    table.line = QStringLiteral("ff0000");
    table.background = QStringLiteral("004000");
    QString error;
    const auto options = parseSheetArguments(table, error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->spec.rows, 1);
    EXPECT_EQ(options->spec.columns, 200);
    EXPECT_EQ(options->spec.margins.left, 0);
    EXPECT_EQ(options->spec.margins.right, 100);
    EXPECT_EQ(options->spec.margins.top, 7);
    EXPECT_EQ(options->spec.margins.bottom, 0);
    EXPECT_EQ(options->spec.line, qRgb(255, 0, 0));
    EXPECT_EQ(options->spec.background, kBoardGreen);
}

TEST(SheetCommand, BadValuesAreUsageErrors) {
    const auto with = [](void (*set)(SheetArguments&)) {
        SheetArguments a = kind("table");
        set(a);
        return a;
    };
    const std::pair<SheetArguments, const char*> cases[] = {
        {kind("karo"), "unknown sheet kind"},
        {with([](SheetArguments& a) { a.size = QStringLiteral("0x10"); }), "--size"},
        {with([](SheetArguments& a) { a.count = QStringLiteral("zehn"); }), "--count"},
        {with([](SheetArguments& a) { a.rows = QStringLiteral("2.5"); }), "--rows"},
        {with([](SheetArguments& a) { a.margins = QStringLiteral("5,5,5"); }), "--margins"},
        {with([](SheetArguments& a) { a.line = QStringLiteral("grau"); }), "--line"},
        {with([](SheetArguments& a) { a.background = QStringLiteral("12345"); }), "--background"},
    };
    for (const auto& [arguments, message] : cases) {
        QString error;
        EXPECT_FALSE(parseSheetArguments(arguments, error)) << message;
        EXPECT_TRUE(error.contains(QLatin1StringView(message))) << error.toStdString();
    }
}

TEST(SheetCommand, WritesTheBlackboardsPictureAsPng) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SheetOptions options;
    options.size = QSize(800, 600);
    options.spec.kind = SheetKind::Squared;
    options.spec.count = 20;
    const QString out = dir.filePath(QStringLiteral("kariert.png"));
    const CommandOutcome outcome = sheetCommand(out, options);
    ASSERT_EQ(outcome.exitCode, kExitOk) << outcome.errors.join(u'\n').toStdString();
    QImage written;
    ASSERT_TRUE(loadPictureFile(out, written).ok);
    EXPECT_EQ(written, makeSheet(options.size, options.spec));

    const QString unwritable = dir.filePath(QStringLiteral("fehlt/kariert.png"));
    const CommandOutcome failed = sheetCommand(unwritable, options);
    EXPECT_EQ(failed.exitCode, kExitFailure);
    EXPECT_TRUE(failed.errors.join(u'\n').contains(unwritable));
}

} // namespace
