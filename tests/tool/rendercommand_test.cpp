// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "rendercommand.h"
#include "viewcomposer.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun launch(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(QUORVEL_TOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// A white 870 x 600 page with one query label in a green card at its centre.
QString writeDocumentFile(const QTemporaryDir& dir) {
    Document d;
    d.basePicture = QImage(870, 600, QImage::Format_ARGB32);
    d.basePicture.fill(Qt::white);
    ObjDataTyp o;
    o.Typ = 0;
    o.Ebene = 1;
    o.Cap = QStringLiteral("Mitte");
    o.Kx = o.Sx = 0.5;
    o.Ky = o.Sy = 0.5;
    o.KAusr = 5;
    o.HFarbe = 0x00C000;
    o.HDeck = 100;
    d.objects.push_back(o);
    const QString path = dir.filePath(QStringLiteral("doc.qvl"));
    EXPECT_TRUE(writeDocumentFile(d, path, false).ok);
    return path;
}

// Whether a pixel of `colour` lies within 80 x 30 pixels of the picture's centre.
bool centredInside(const QImage& picture, QRgb colour) {
    const QPoint centre(picture.width() / 2, picture.height() / 2);
    for (int y = centre.y() - 30; y <= centre.y() + 30; ++y)
        for (int x = centre.x() - 80; x <= centre.x() + 80; ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

} // namespace

TEST(RenderCommand, DrawsTheLearningViewWithItsOptions) {
    QTemporaryDir dir;
    const QString doc = writeDocumentFile(dir);
    const QString png = dir.filePath(QStringLiteral("ansicht.png"));
    const QRgb green = qRgb(0, 0xC0, 0);
    const QRgb covered = qRgb(0xCA, 0xE4, 0xFF);

    struct Case {
        QStringList options;
        QSize size;
        bool showsCover, showsCard;
    };
    const Case cases[] = {
        {{}, {1024, 706}, true, false},
        {{QStringLiteral("--uncover")}, {1024, 706}, false, true},
        {{QStringLiteral("--uncover"), QStringLiteral("--layers"), QStringLiteral("0,2")},
         {1024, 706},
         false,
         false},
        {{QStringLiteral("--size"), QStringLiteral("400x300"), QStringLiteral("--zoom"),
          QStringLiteral("4"), QStringLiteral("--numbering"), QStringLiteral("0")},
         {400, 300},
         true,
         false},
    };
    for (const Case& f : cases) {
        SCOPED_TRACE(f.options.join(u' ').toStdString());
        const ToolRun run = launch(QStringList{QStringLiteral("render"), doc, png} + f.options);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage picture(png);
        ASSERT_EQ(picture.size(), f.size);
        EXPECT_EQ(centredInside(picture, covered), f.showsCover);
        EXPECT_EQ(centredInside(picture, green), f.showsCard);
        QFile::remove(png);
    }
}

TEST(RenderCommand, BadOptionsAndFilesFail) {
    QTemporaryDir dir;
    const QString doc = writeDocumentFile(dir);
    const QString png = dir.filePath(QStringLiteral("x.png"));
    const QString missing = dir.filePath(QStringLiteral("fehlt.qvl"));
    struct Case {
        QStringList arguments;
        int exitCode;
        QString message;
    };
    const Case cases[] = {
        {{doc, png, QStringLiteral("--size"), QStringLiteral("0x5")},
         2,
         QStringLiteral("--size expects WxH")},
        {{doc, png, QStringLiteral("--size"), QStringLiteral("800")},
         2,
         QStringLiteral("--size expects WxH")},
        {{doc, png, QStringLiteral("--zoom"), QStringLiteral("5")},
         2,
         QStringLiteral("--zoom expects a number from 0 to 4")},
        {{doc, png, QStringLiteral("--numbering"), QStringLiteral("x")},
         2,
         QStringLiteral("--numbering expects")},
        {{doc, png, QStringLiteral("--layers"), QStringLiteral("1,7")},
         2,
         QStringLiteral("--layers expects")},
        {{doc, png, QStringLiteral("--layers")}, 2, QStringLiteral("--layers needs a list")},
        {{doc}, 2, QStringLiteral("render expects 2 arguments, got 1")},
        {{missing, png}, 1, msgFileMissing(missing)},
        {{doc, dir.filePath(QStringLiteral("kein/ordner/x.png"))},
         1,
         QStringLiteral("Datei konnte nicht erstellt werden:")},
    };
    for (const Case& f : cases) {
        SCOPED_TRACE(f.arguments.join(u' ').toStdString());
        const ToolRun run = launch(QStringList{QStringLiteral("render")} + f.arguments);
        EXPECT_EQ(run.exitCode, f.exitCode);
        EXPECT_TRUE(run.err.contains(f.message)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}

TEST(RenderCommand, LayerListsAreParsed) {
    QString error;
    EXPECT_EQ(parseRenderLayers(QStringLiteral("3, 1"), error),
              (std::array<bool, 4>{false, true, false, true}));
    EXPECT_EQ(parseRenderLayers(QString(), error),
              (std::array<bool, 4>{false, false, false, false}));
    EXPECT_FALSE(parseRenderLayers(QStringLiteral("1,,2"), error));
    EXPECT_EQ(parseRenderSize(QStringLiteral("1920x1080"), error), QSize(1920, 1080));
    EXPECT_FALSE(parseRenderSize(QStringLiteral("9000x10"), error));
}

// The largest area at the highest zoom would need gigabytes of working
// pictures: refused before they are made, with the program's message, and
// the same area at zoom 0 still renders; the layout command refuses alike.
TEST(RenderCommand, SizeTimesZoomPastTheBudgetIsRefusedUpFront) {
    QTemporaryDir dir;
    const QString doc = writeDocumentFile(dir);
    const QString out = dir.filePath(QStringLiteral("gross.png"));
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("/usr/bin/time"),
                      QStringList{QStringLiteral("-f"), QStringLiteral("peak %M")} +
                          QStringList{QString::fromUtf8(QUORVEL_TOOL_PATH)} + arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    };
    if (!QFile::exists(QStringLiteral("/usr/bin/time")))
        GTEST_SKIP() << "/usr/bin/time is missing: it measures the peak memory";
    const auto peakKb = [](const QString& err) {
        return err.section(QStringLiteral("peak "), -1).trimmed().toLongLong();
    };
    for (const QString& command : {QStringLiteral("render"), QStringLiteral("layout")}) {
        SCOPED_TRACE(command.toStdString());
        // The layout command has no zoom: the largest area alone passes.
        QStringList arguments{command, doc, QStringLiteral("--size"), QStringLiteral("8192x8192")};
        if (command == u"render")
            arguments << out << QStringLiteral("--zoom") << QStringLiteral("4");
        const auto [exitCode, err] = run(arguments);
        EXPECT_EQ(exitCode, 1);
        EXPECT_TRUE(err.contains(msgViewOutOfMemory())) << err.toStdString();
        EXPECT_LT(peakKb(err), 200 * 1024) << "the pictures were made before the refusal";
    }
    EXPECT_FALSE(QFile::exists(out));
    const auto [exitCode, err] = run({QStringLiteral("render"), doc, out, QStringLiteral("--size"),
                                      QStringLiteral("4096x3072")});
    EXPECT_EQ(exitCode, 0) << err.toStdString();
    EXPECT_EQ(QImage(out).width(), 4096);
}
