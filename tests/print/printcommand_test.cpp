// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcommand.h"
#include "processrun.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(PrintCommand, LengthOptionsTakeCentimetresWithEitherDecimalMark) {
    const struct {
        const char16_t* value;
        bool size;
        bool accepted;
    } cases[] = {
        {u"2,5", false, true}, {u"2.5", false, true}, {u"0", false, true},
        {u"0", true, false},   {u"0,0", true, false}, {u"-1", false, false},
        {u"2cm", true, false}, {u"1000", true, true}, {u"1001", true, false},
    };
    for (const auto& c : cases) {
        const QString value = QString::fromUtf16(c.value);
        QString error;
        const std::optional<QString> read = parsePrintLength(value, u"--width"_s, c.size, error);
        EXPECT_EQ(read.has_value(), c.accepted) << value.toStdString();
        if (!c.accepted) {
            EXPECT_TRUE(error.startsWith(u"--width expects centimetres"_s)) << error.toStdString();
        }
    }
}

TEST(PrintCommand, RatioRuleAsTheDialogAppliesIt) {
    const struct {
        const char* what;
        std::optional<QString> width, height;
        bool keepRatio;
        QString expectedWidth, expectedHeight;
    } cases[] = {
        {"defaults", {}, {}, true, u"17,0"_s, u"8,5"_s},
        {"width given", u"16"_s, {}, true, u"16"_s, u"8,0"_s},
        {"only height given", {}, u"5,0"_s, true, u"10,0"_s, u"5,0"_s},
        {"both given: the width drives", u"12"_s, u"2"_s, true, u"12"_s, u"6,0"_s},
        {"no ratio", u"12"_s, u"2"_s, false, u"12"_s, u"2"_s},
    };
    for (const auto& c : cases) {
        PrintCommandOptions options;
        options.fields.keepRatio = c.keepRatio;
        if (c.width)
            options.fields.width = *c.width;
        if (c.height)
            options.fields.height = *c.height;
        options.widthGiven = c.width.has_value();
        options.heightGiven = c.height.has_value();
        applyPrintRatio(options, 2.0);
        EXPECT_EQ(options.fields.width, c.expectedWidth) << c.what;
        EXPECT_EQ(options.fields.height, c.expectedHeight) << c.what;
    }
}

// The tool against a print system that cannot be reached: no printer at all.
TEST(PrintCommand, WithoutPrintersTheToolExitsWithTheGermanMessage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    ASSERT_TRUE(picture.save(dir.filePath(u"bild.png"_s)));
    const QString document = dir.filePath(u"bild.qvl"_s);
    const QString tool = QStringLiteral(QUORVEL_TOOL);
    {
        QFile json(dir.filePath(u"bild.json"_s));
        ASSERT_TRUE(json.open(QIODevice::WriteOnly));
        json.write(R"({"basisbild": {"file": "bild.png"}})");
    }
    ASSERT_EQ(test::runProcess(tool, {u"build"_s, dir.filePath(u"bild.json"_s), document}).exitCode,
              0);

    const QList<std::pair<QString, QString>> noServer = {
        {u"CUPS_SERVER"_s, dir.filePath(u"kein-cupsd.sock"_s)},
        {u"LPDEST"_s, QString()},
        {u"PRINTER"_s, QString()},
        {u"QT_QPA_PLATFORM"_s, u"offscreen"_s}};
    const struct {
        QStringList arguments;
        int exitCode;
        QString message;
    } cases[] = {
        {{}, 1, u"Es ist kein Drucker eingerichtet."_s},
        {{u"--printer"_s, u"Labor"_s}, 1, u"Der Drucker \"Labor\" ist nicht eingerichtet."_s},
        {{u"--width"_s, u"0"_s}, 2, u"--width expects centimetres above 0"_s},
        {{u"--copies"_s, u"1000"_s}, 2, u"--copies expects a number from 1 to 999"_s},
        {{u"--printer"_s}, 2, u"--printer needs a queue"_s},
    };
    for (const auto& c : cases) {
        const test::ProcessRun run =
            test::runProcess(tool, QStringList{u"print"_s, document} + c.arguments, noServer);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.output.contains(c.message)) << run.output.toStdString();
    }
}

} // namespace
} // namespace quorvel
