// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "printercoordinates.h"
#include "viewprintjob.h"
#include "worksheetexport.h"
#include "worksheetpage.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

// A portrait page: its left half black, a word in the right half.
WorksheetPage halfBlackPage() {
    WorksheetPage page;
    page.size = QSize(1000, 1625);
    QPainter painter(&page.picture);
    painter.fillRect(QRect(0, 0, 1000, 1625), Qt::white);
    painter.fillRect(QRect(0, 0, 500, 1625), Qt::black);
    painter.drawText(QPoint(600, 100), u"Probe"_s);
    painter.end();
    return page;
}

TEST(WorksheetExport, OnlyMetafileExtensionsAreWrittenAndOthersLeaveNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(isWorksheetExportExtension(u"/a/blatt.emf"_s));
    EXPECT_TRUE(isWorksheetExportExtension(u"/a/blatt.WMF"_s));
    for (const QString& name : {u"blatt.png"_s, u"blatt.svg"_s, u"blatt"_s, u"blatt.emf.txt"_s}) {
        const QString path = dir.filePath(name);
        const IoResult result = exportWorksheet(halfBlackPage(), path);
        EXPECT_FALSE(result.ok) << name.toStdString();
        EXPECT_EQ(result.messages, QStringList{msgInvalidSaveExtension()});
        EXPECT_FALSE(QFile::exists(path)) << name.toStdString();
    }
    // An existing file of another kind stays as it was.
    const QString kept = dir.filePath(u"alt.pdf"_s);
    {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("alt");
    }
    EXPECT_FALSE(exportWorksheet(halfBlackPage(), kept).ok);
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "alt");
}

TEST(WorksheetExport, AMetafileThatCannotBeWrittenSaysWhere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"fehlt/blatt.emf"_s);
    const IoResult result = exportWorksheet(halfBlackPage(), path);
    EXPECT_FALSE(result.ok);
    ASSERT_FALSE(result.messages.isEmpty());
    EXPECT_TRUE(result.messages.front().startsWith(msgCannotWrite(path)));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(WorksheetExport, PictureAndSvgShowThePageStretchedIntoTheirFrame) {
    const WorksheetPage page = halfBlackPage();
    const QImage image = worksheetImage(page, QSize(200, 325));
    ASSERT_EQ(image.size(), QSize(200, 325));
    EXPECT_EQ(image.pixelColor(50, 300), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(150, 300), QColor(Qt::white));
    EXPECT_TRUE(worksheetImage(page, QSize()).isNull());

    const QByteArray svg = worksheetSvg(page);
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 1000 1625\"")) << svg.left(600).toStdString();
    EXPECT_TRUE(svg.contains(">Probe<"));
}

TEST(WorksheetPrint, ThePageIsStretchedIntoTheAreaMeasuredFromThePaperEdge) {
    // At 254 dots per inch a pixel is 0.1 mm; the printable area starts 2 mm
    // right of and 1 mm below the paper's corner.
    const PrinterCoordinates coordinates(QSize(600, 800), QPoint(20, 10), 254, 254);
    QImage paper(600, 800, QImage::Format_RGB32);
    paper.fill(Qt::gray);
    QPainter painter(&paper);
    drawPicturePrint(painter, coordinates, QRect(100, 50, 200, 325), halfBlackPage().picture,
                     QSize(1000, 1625));
    painter.end();
    EXPECT_EQ(paper.pixelColor(105, 60), QColor(Qt::black));
    EXPECT_EQ(paper.pixelColor(290, 360), QColor(Qt::white));
    EXPECT_EQ(paper.pixelColor(95, 60), QColor(Qt::gray));
    EXPECT_EQ(paper.pixelColor(150, 380), QColor(Qt::gray));
}

} // namespace
} // namespace quorvel::test
