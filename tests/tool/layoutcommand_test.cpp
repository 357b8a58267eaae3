// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "documentjson.h"
#include "layoutcommand.h"
#include "layoutset.h"
#include "rendercommand.h"
#include "rounding.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

// A cloze text with distractor words and one label of the author, on a white
// 870 x 600 page.
QString writeCloze(const QTemporaryDir& dir) {
    Document d;
    d.basePicture = QImage(870, 600, QImage::Format_ARGB32);
    d.basePicture.fill(Qt::white);
    d.header.DokTyp = codeOf(DokTyp::Cloze);
    d.header.DokUnterTyp = 3;
    d.header.EinrueckRand = defaultEinrueckRand(DokTyp::Cloze);
    d.header.lueckentext = QStringLiteral("Der <<Mond|mond>> kreist um die <<Erde>>.");
    d.header.fragentext = QStringLiteral("Sonne");
    ObjDataTyp label;
    label.Typ = codeOf(Typ::FixedLabel);
    label.Ebene = 1;
    label.Cap = QStringLiteral("Name:");
    label.Kx = label.Sx = 0.5;
    label.Ky = label.Sy = 0.9;
    label.KAusr = 5;
    d.objects.push_back(label);
    const QString path = dir.filePath(QStringLiteral("cloze.qvl"));
    EXPECT_TRUE(writeDocumentFile(d, path, false).ok);
    return path;
}

QJsonObject layoutJson(const QString& path, const LayoutOptions& options = {}) {
    const LayoutSet layouts = buildLayoutSet();
    const CommandOutcome outcome = layoutCommand(layouts, path, options);
    EXPECT_EQ(outcome.exitCode, kExitOk) << outcome.errors.join(u'\n').toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(outcome.output, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    return json.object();
}

QSet<QString> keysOf(const QJsonObject& json) {
    const QStringList keys = json.keys();
    return QSet<QString>(keys.begin(), keys.end());
}

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolRun runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(QUORVEL_TOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(LayoutCommand, PrintsThePageAndEveryObjectAsComposed) {
    QTemporaryDir dir;
    const QString path = writeCloze(dir);
    const QJsonObject json = layoutJson(path);
    EXPECT_EQ(keysOf(json),
              (QSet<QString>{QStringLiteral("page"), QStringLiteral("clozeFontSize"),
                             QStringLiteral("AnzFrageNummern"), QStringLiteral("currentQuestion"),
                             QStringLiteral("objects")}));

    // The page `render` draws at the same size.
    const QString png = dir.filePath(QStringLiteral("view.png"));
    ASSERT_EQ(renderCommand(buildLayoutSet(), path, png, RenderOptions{}).exitCode, kExitOk);
    const QSize rendered = QImage(png).size();
    const QJsonArray page = json[QStringLiteral("page")].toArray();
    ASSERT_EQ(page.size(), 2);
    EXPECT_EQ(QSize(page[0].toInt(), page[1].toInt()), rendered);
    EXPECT_EQ(json[QStringLiteral("clozeFontSize")].toInt(), rnd(rendered.width() / 870.0 * 22.0));
    EXPECT_EQ(json[QStringLiteral("AnzFrageNummern")].toInt(-1), 0);
    EXPECT_EQ(json[QStringLiteral("currentQuestion")].toInt(-1), 0);

    // The label of the file first, then the two gaps and the distractor card.
    const QJsonArray objects = json[QStringLiteral("objects")].toArray();
    ASSERT_EQ(objects.size(), 4);
    QSet<QString> expectedKeys = keysOf(objectToJson(ObjDataTyp{}));
    expectedKeys +=
        {QStringLiteral("index"), QStringLiteral("widthLimit"), QStringLiteral("heightLimit"),
         QStringLiteral("Partner"), QStringLiteral("KartRect")};
    const int expectedTyp[] = {1, 3, 3, 90};
    for (int i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(i);
        const QJsonObject o = objects[i].toObject();
        EXPECT_EQ(keysOf(o), expectedKeys);
        EXPECT_EQ(o[QStringLiteral("index")].toInt(-1), i);
        EXPECT_EQ(o[QStringLiteral("Typ")].toInt(), expectedTyp[i]);
    }
    const QJsonObject gap = objects[1].toObject();
    EXPECT_EQ(gap[QStringLiteral("Cap")].toString(), QStringLiteral("Mond"));
    EXPECT_EQ(gap[QStringLiteral("BildKenn")].toString(), QStringLiteral("|Mond|mond|"));
    const QJsonArray card = gap[QStringLiteral("KartRect")].toArray();
    ASSERT_EQ(card.size(), 4);
    // The card around its point: centred on Kx, above Ky, inside the page.
    const double kx = gap[QStringLiteral("Kx")].toDouble() * rendered.width();
    const double ky = gap[QStringLiteral("Ky")].toDouble() * rendered.height();
    EXPECT_LT(card[0].toInt(), kx);
    EXPECT_GT(card[2].toInt(), kx);
    EXPECT_LT(card[3].toInt(), ky);
    EXPECT_GE(card[1].toInt(), 0);
    EXPECT_TRUE(objects[3].toObject()[QStringLiteral("KartRect")].isNull());
    EXPECT_EQ(objects[0].toObject()[QStringLiteral("widthLimit")].toDouble(-1), 0.0);
}

TEST(LayoutCommand, QuestionAndBuildOptions) {
    QTemporaryDir dir;
    const QString path = writeCloze(dir);
    const QJsonObject plain = layoutJson(path);
    LayoutOptions options;
    options.question = 3;
    options.build = true;
    options.size = QSize(600, 500);
    const QJsonObject json = layoutJson(path, options);
    EXPECT_EQ(json[QStringLiteral("currentQuestion")].toInt(), 3);
    EXPECT_EQ(json[QStringLiteral("page")].toArray()[0].toInt(), 600);
    // Building again makes the same objects as reading did.
    const QJsonArray a = plain[QStringLiteral("objects")].toArray();
    const QJsonArray b = json[QStringLiteral("objects")].toArray();
    ASSERT_EQ(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].toObject()[QStringLiteral("Cap")], b[i].toObject()[QStringLiteral("Cap")]);

    // A document without a cloze layout has no cloze font size.
    Document labels;
    labels.basePicture = QImage(100, 100, QImage::Format_ARGB32);
    labels.basePicture.fill(Qt::white);
    const QString other = dir.filePath(QStringLiteral("labels.qvl"));
    ASSERT_TRUE(writeDocumentFile(labels, other, false).ok);
    EXPECT_TRUE(layoutJson(other)[QStringLiteral("clozeFontSize")].isNull());
}

TEST(LayoutCommand, ExitCodesAndMessagesAsTheOtherCommands) {
    QTemporaryDir dir;
    const QString path = writeCloze(dir);
    const QString missing = dir.filePath(QStringLiteral("fehlt.qvl"));
    const struct {
        QStringList arguments;
        int exitCode;
        QString message;
    } cases[] = {
        {{path}, 0, QString()},
        {{path, QStringLiteral("--size"), QStringLiteral("0x5")},
         2,
         QStringLiteral("--size expects WxH")},
        {{path, QStringLiteral("--question"), QStringLiteral("x")},
         2,
         QStringLiteral("--question expects a number")},
        {{path, QStringLiteral("--question")}, 2, QStringLiteral("--question needs a number")},
        {{path, QStringLiteral("--bild")}, 2, QStringLiteral("unknown option --bild")},
        {{}, 2, QStringLiteral("layout expects 1 arguments, got 0")},
        {{missing}, 1, msgFileMissing(missing)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ToolRun run = runTool(QStringList{QStringLiteral("layout")} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.exitCode != 0);
    }
    const ToolRun help = runTool({QStringLiteral("layout"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quorvel-tool layout FILE"));
}
