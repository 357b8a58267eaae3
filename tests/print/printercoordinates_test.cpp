// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridprint.h"
#include "printercoordinates.h"
#include "viewprintjob.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(PrinterCoordinates, PaperAndOffsetInTenthsOfAMillimetre) {
    const struct {
        QSize paper;
        QPoint printable;
        int dpi;
        QSize page;
        QPoint offset;
    } cases[] = {
        {{4960, 7016}, {0, 0}, 600, {2100, 2970}, {0, 0}},       // A4 at 600 dpi
        {{2550, 3300}, {118, 59}, 300, {2159, 2794}, {100, 50}}, // Letter, 10 mm / 5 mm offset
        {{2100, 2970}, {50, 50}, 254, {2100, 2970}, {50, 50}},   // one pixel = 0.1 mm
    };
    for (const auto& c : cases) {
        const PrinterCoordinates coordinates(c.paper, c.printable, c.dpi, c.dpi);
        EXPECT_TRUE(coordinates.isValid());
        EXPECT_EQ(QSize(coordinates.pageWidth(), coordinates.pageHeight()), c.page) << c.dpi;
        EXPECT_EQ(coordinates.offset(), c.offset) << c.dpi;
    }
    EXPECT_FALSE(PrinterCoordinates({100, 100}, {}, 0, 300).isValid());
}

TEST(PrinterCoordinates, PositionsFromThePaperEdgeLoseTheOffsetButNotBelowZero) {
    const PrinterCoordinates coordinates({2100, 2970}, {50, 80}, 254, 254);
    EXPECT_EQ(coordinates.toCanvas({200, 200}), QPoint(150, 120));
    EXPECT_EQ(coordinates.toCanvas({30, 80}), QPoint(0, 0));
    // The canvas origin lies at the printable area's corner on the device.
    const QTransform toDevice = coordinates.canvasToDevice();
    EXPECT_EQ(toDevice.map(QPointF(0, 0)), QPointF(50, 80));
    const QTransform at600 = PrinterCoordinates({4960, 7016}, {}, 600, 600).canvasToDevice();
    EXPECT_DOUBLE_EQ(at600.map(QPointF(254, 508)).x(), 600.0);
    EXPECT_DOUBLE_EQ(at600.map(QPointF(254, 508)).y(), 1200.0);
}

// A sheet at 254 dpi (one pixel = 0.1 mm) whose device origin is the paper's
// corner, as a printer in full-page mode.
QImage blankSheet(QSize size) {
    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    return sheet;
}

// The bounding box of the pixels of `colour`.
QRect inked(const QImage& sheet, QRgb colour) {
    QRect box;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (sheet.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// A picture whose left half is red and right half blue.
QImage halves(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    return picture;
}

TEST(ViewPrint, PictureFillsTheAreaMeasuredFromThePaperEdge) {
    const QSize paper(600, 400);
    const QImage picture = halves({40, 20});
    const struct {
        const char* what;
        QPoint printable; // the printer's offset in pixels = 0.1 mm
        QRect area;       // the job's area from the paper edge
        QRect red, blue;  // where the halves land on the paper
    } cases[] = {
        {"no offset", {0, 0}, {200, 100, 200, 100}, {200, 100, 100, 100}, {300, 100, 100, 100}},
        // A printable area 5 mm from the edge does not move the picture.
        {"5 mm offset", {50, 50}, {200, 100, 200, 100}, {200, 100, 100, 100}, {300, 100, 100, 100}},
        // Nearer to the edge than the printer reaches: it starts at the
        // printable area's edge, same size.
        {"inside the offset",
         {50, 50},
         {20, 30, 200, 100},
         {50, 50, 100, 100},
         {150, 50, 100, 100}},
        // Larger than the paper: cut off at its edge, not shrunk.
        {"beyond the paper",
         {0, 0},
         {300, 100, 400, 100},
         {300, 100, 200, 100},
         {500, 100, 100, 100}},
    };
    for (const auto& c : cases) {
        QImage sheet = blankSheet(paper);
        QPainter painter(&sheet);
        drawViewPrint(painter, PrinterCoordinates(paper, c.printable, 254, 254), c.area, picture);
        painter.end();
        EXPECT_EQ(inked(sheet, qRgb(255, 0, 0)), c.red) << c.what;
        EXPECT_EQ(inked(sheet, qRgb(0, 0, 255)), c.blue) << c.what;
    }
}

TEST(PrintLengths, CentimetresWithCommaOrPoint) {
    const struct {
        const char16_t* text;
        std::optional<double> value;
    } cases[] = {
        {u"2,0", 2.0},    {u"17.5", 17.5},   {u" 8,25 ", 8.25}, {u",5", 0.5},    {u"3,", 3.0},
        {u"0", 0.0},      {u"1000", 1000.0}, {u"1000,1", {}},   {u"-1", {}},     {u"1e2", {}},
        {u"1.000,5", {}}, {u"", {}},         {u"zwei", {}},     {u"2,5 cm", {}}, {u"99999999", {}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(parseCentimetres(text), c.value) << text.toStdString();
    }
    EXPECT_EQ(formatCentimetres(8.5), u"8,5"_s);
    EXPECT_EQ(formatCentimetres(17), u"17,0"_s);
    EXPECT_EQ(formatCentimetres(12.75), u"12,8"_s);
    EXPECT_EQ(formatCentimetres(0.04), u"0,0"_s);
}

TEST(PrintLengths, RatioRuleKeepsThePicturesProportions) {
    const double wide = pictureRatio({400, 200});
    EXPECT_EQ(heightForWidth(u"16,0"_s, wide), u"8,0"_s);
    EXPECT_EQ(heightForWidth(u"17"_s, wide), u"8,5"_s);
    EXPECT_EQ(widthForHeight(u"8,5"_s, wide), u"17,0"_s);
    EXPECT_EQ(heightForWidth(u"17,0"_s, pictureRatio({1024, 768})), u"12,8"_s);
    // No picture or nothing readable typed: the other field stays.
    EXPECT_EQ(pictureRatio({0, 200}), 0.0);
    EXPECT_EQ(heightForWidth(u"17,0"_s, 0.0), std::nullopt);
    EXPECT_EQ(widthForHeight(u"x"_s, wide), std::nullopt);
}

TEST(PrintLengths, JobTakesTheFieldsInTenthsOfAMillimetre) {
    QString error;
    const std::optional<ViewPrintJob> defaults = viewPrintJob(ViewPrintFields(), error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->area, QRect(200, 200, 1700, 1700));
    EXPECT_EQ(defaults->copies, 1);

    ViewPrintFields fields;
    fields.left = u"0"_s;
    fields.top = u"2,05"_s;
    fields.width = u"16.0"_s;
    fields.height = u"8,0"_s;
    fields.copies = 3;
    const std::optional<ViewPrintJob> typed = viewPrintJob(fields, error);
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->area, QRect(0, 205, 1600, 800));
    EXPECT_EQ(typed->copies, 3);

    const struct {
        std::function<void(ViewPrintFields&)> change;
        const char16_t* named;
    } bad[] = {
        {[](ViewPrintFields& f) { f.left = u"-1"_s; }, u"\"Linker Rand\""},
        {[](ViewPrintFields& f) { f.top = u""_s; }, u"\"Oberer Rand\""},
        {[](ViewPrintFields& f) { f.width = u"0,0"_s; }, u"\"Breite\""},
        {[](ViewPrintFields& f) { f.height = u"2000"_s; }, u"\"Höhe\""},
        {[](ViewPrintFields& f) { f.copies = 0; }, u"\"Kopien\""},
        {[](ViewPrintFields& f) { f.copies = 1000; }, u"\"Kopien\""},
    };
    for (const auto& b : bad) {
        ViewPrintFields wrong;
        b.change(wrong);
        error.clear();
        EXPECT_FALSE(viewPrintJob(wrong, error));
        EXPECT_TRUE(error.contains(QString::fromUtf16(b.named))) << error.toStdString();
    }
}

TEST(PrinterLine, NameAndPortOrNoPrinter) {
    EXPECT_EQ(printerInfoLine(u"Labor"_s, u"ipp://drucker/ipp"_s), u"Labor an ipp://drucker/ipp"_s);
    EXPECT_EQ(printerInfoLine({}, {}), u"- Kein Drucker -"_s);
}

} // namespace
} // namespace quorvel
