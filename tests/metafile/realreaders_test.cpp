// SPDX-License-Identifier: GPL-3.0-or-later
// The sample page's metafiles opened by real programs: an office suite
// converts both formats to PDF, libwmf's converter the placeable one to SVG;
// the text must arrive intact. Skipped, saying why, where a tool is missing.
#include "cp1252.h"
#include "metafilewriter.h"
#include "processrun.h"
#include "samplepage.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace metafilecheck;
using quorvel::MetafileFormat;
using quorvel::test::runProcess;

namespace {

// Readers differ in where they break a run into words: compare without spaces.
QString withoutSpaces(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RealReaders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_page = samplePage();
        for (MetafileFormat format : {MetafileFormat::Emf, MetafileFormat::Wmf}) {
            QString error;
            const QByteArray bytes =
                quorvel::metafileBytes(m_page.picture, kPortrait, format, kUnitsPerInch, &error);
            ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
            ASSERT_TRUE(writeFile(file(format), bytes));
        }
    }
    QString file(MetafileFormat format) const {
        return m_dir.filePath(format == MetafileFormat::Emf ? QStringLiteral("blatt-emf.emf")
                                                            : QStringLiteral("blatt-wmf.wmf"));
    }
    void expectPageText(const QString& text) const {
        const QString found = withoutSpaces(text);
        for (const QString& expected : {m_page.title, m_page.body, QStringLiteral("Lücke")})
            EXPECT_TRUE(found.contains(withoutSpaces(expected)))
                << expected.toStdString() << " missing in: " << text.toStdString();
    }

    QTemporaryDir m_dir;
    SamplePage m_page;
};

} // namespace

TEST_F(RealReaders, OfficeSuiteConvertsBothFormatsWithTheirText) {
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdfToText = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (office.isEmpty() || pdfToText.isEmpty())
        GTEST_SKIP() << "soffice (libreoffice-draw-nogui) or pdftotext (poppler-utils) is not "
                        "installed";
    // A profile of its own: the user's would be locked by a running office.
    const QString profile =
        QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("profile"))).toString();
    const auto run = runProcess(office,
                                {QStringLiteral("-env:UserInstallation=") + profile,
                                 QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                 QStringLiteral("pdf"), QStringLiteral("--outdir"), m_dir.path(),
                                 file(MetafileFormat::Emf), file(MetafileFormat::Wmf)},
                                {}, 150000);
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    for (const QString& name : {QStringLiteral("blatt-emf"), QStringLiteral("blatt-wmf")}) {
        SCOPED_TRACE(name.toStdString());
        const QString pdf = m_dir.filePath(name + QStringLiteral(".pdf"));
        const QString text = m_dir.filePath(name + QStringLiteral(".txt"));
        ASSERT_TRUE(QFile::exists(pdf)) << run.output.toStdString();
        const auto extract =
            runProcess(pdfToText, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, text});
        ASSERT_EQ(extract.exitCode, 0) << extract.output.toStdString();
        expectPageText(QString::fromUtf8(readFile(text)));
    }
}

TEST_F(RealReaders, LibwmfConvertsThePlaceableFormatWithItsText) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (converter.isEmpty())
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    const QString svg = m_dir.filePath(QStringLiteral("blatt.svg"));
    // The converter writes embedded pictures beside its working directory.
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(converter, {QStringLiteral("-o"), svg, file(MetafileFormat::Wmf)});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    // It copies the text's bytes as the file has them, one element per placed
    // character, so the elements are joined and read as Windows-1252.
    const QString latin = QString::fromLatin1(readFile(svg));
    QString text;
    static const QRegularExpression element(
        QStringLiteral("<text[^>]*matrix\\([^)]* ([-0-9.]+) ([-0-9.]+)\\)\"\\s*>([^<]*)</text>"));
    QList<QPointF> origins;
    for (auto match = element.globalMatch(latin); match.hasNext();) {
        const auto next = match.next();
        origins.append(QPointF(next.captured(1).toDouble(), next.captured(2).toDouble()));
        text += quorvel::decodeCp1252(next.captured(3).toLatin1());
    }
    expectPageText(text);

    // The drawing has the page's proportions and margins: the title starts a
    // tenth of the width in.
    static const QRegularExpression size(
        QStringLiteral("<svg width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const auto sizeMatch = size.match(latin);
    ASSERT_TRUE(sizeMatch.hasMatch()) << latin.left(500).toStdString();
    const double width = sizeMatch.captured(1).toDouble();
    const double height = sizeMatch.captured(2).toDouble();
    EXPECT_NEAR(height / width, double(kPortrait.height()) / kPortrait.width(), 0.01);
    ASSERT_FALSE(origins.isEmpty());
    EXPECT_NEAR(origins.constFirst().x() / width, 0.1, 0.01);
    EXPECT_NEAR(origins.constFirst().y() / height, 150.0 / kPortrait.height(), 0.01);

    // The picture arrives as a file of its own with its pixels.
    static const QRegularExpression image(QStringLiteral("xlink:href=\"([^\"]+)\""));
    const auto imageMatch = image.match(latin);
    ASSERT_TRUE(imageMatch.hasMatch()) << "no picture in the drawing";
    const QString imageFile = QDir(m_dir.path()).filePath(imageMatch.captured(1));
    EXPECT_EQ(QImage(imageFile).size(), m_page.pictureSize) << imageFile.toStdString();
}
