// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridprint.h"
#include "printercoordinates.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

// A4 at 254 dpi: one pixel of the sheet is 0.1 mm.
const QSize kA4(2100, 2970);

TEST(GridPrint, ColumnsShareTheWidthBetweenTheMargins) {
    const PrinterCoordinates plain(kA4, {}, 254, 254);
    EXPECT_EQ(gridColumnEdges(plain, {100, 300}), QList<int>({150, 600, 1950}));
    // The left margin is measured from the paper edge.
    const PrinterCoordinates offset(kA4, {50, 50}, 254, 254);
    EXPECT_EQ(gridColumnEdges(offset, {100, 300}), QList<int>({100, 550, 1900}));
    EXPECT_TRUE(gridColumnEdges(plain, {}).isEmpty());
    EXPECT_TRUE(gridColumnEdges(plain, {0, 0}).isEmpty());
    EXPECT_TRUE(gridColumnEdges(plain, {-5, 10}).isEmpty());
    EXPECT_TRUE(gridColumnEdges(PrinterCoordinates({250, 400}, {}, 254, 254), {10}).isEmpty());

    // Narrow grids get larger text, at most 4 mm.
    EXPECT_EQ(gridFontHeight(plain, {100, 300}), 40);
    EXPECT_EQ(gridFontHeight(plain, {1000, 1000}), 10);
    EXPECT_EQ(gridFontHeight(plain, {40, 200, 100, 80, 80, 140}), 31);
}

int inkRows(const QImage& sheet, const QRect& within) {
    int rows = 0;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (qGray(sheet.pixel(x, y)) < 128) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST(GridPrint, CellsStayInTheirColumnsAndTheHeaderIsUnderlined) {
    QImage sheet(kA4, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    const PrinterCoordinates coordinates(kA4, {}, 254, 254);
    GridPrint grid;
    grid.rows = {{u"Name"_s, u""_s},
                 {u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"_s, u""_s}};
    grid.widths = {100, 300};
    grid.alignments = {Qt::AlignLeft, Qt::AlignRight};
    int pages = 0;
    QPainter painter(&sheet);
    EXPECT_TRUE(drawGrid(painter, coordinates, grid, [&] { return ++pages, true; }));
    painter.end();
    EXPECT_EQ(pages, 0);

    QFont font(u"Arial"_s);
    font.setPixelSize(40);
    const int line = QFontMetrics(font).height();
    // The long name is cut at its column's edge (x 600); the empty second
    // column stays blank, except for the header's line.
    const QRect secondColumn(600, 150, 1350, 2 * line);
    EXPECT_GT(inkRows(sheet, QRect(150, 150 + line + 2, 450, line - 4)), 0);
    EXPECT_EQ(inkRows(sheet, secondColumn.adjusted(0, 0, 0, -line - 3)), 0);
    EXPECT_EQ(inkRows(sheet, secondColumn.adjusted(0, line + 3, 0, 0)), 0);
    // The line under the header runs from the first to the last edge.
    for (int x : {150, 1000, 1949})
        EXPECT_LT(qGray(sheet.pixel(x, 150 + line)), 128) << x;
    EXPECT_EQ(qGray(sheet.pixel(1960, 150 + line)), 255);
}

TEST(GridPrint, ANewPageWhenTheNextRowWouldEndInTheBottomMargin) {
    // A short sheet: the rows end 30 mm above its bottom, 15 mm below its top.
    const QSize sheetSize(2100, 1000);
    QImage sheet(sheetSize, QImage::Format_RGB32);
    const PrinterCoordinates coordinates(sheetSize, {}, 254, 254);
    QFont font(u"Arial"_s);
    font.setPixelSize(40);
    const int perPage = (1000 - 300 - 150) / QFontMetrics(font).height();
    ASSERT_GT(perPage, 1);

    GridPrint grid;
    grid.widths = {100, 300};
    for (int r = 0; r < 2 * perPage + 1; ++r)
        grid.rows << QStringList{QString::number(r), u"x"_s};
    int pages = 1;
    QPainter painter(&sheet);
    EXPECT_TRUE(drawGrid(painter, coordinates, grid, [&] { return ++pages, true; }));
    EXPECT_EQ(pages, 3);

    // A page that cannot be started ends the print as failed.
    int tries = 0;
    EXPECT_FALSE(drawGrid(painter, coordinates, grid, [&] { return ++tries, false; }));
    EXPECT_EQ(tries, 1);
}

} // namespace
} // namespace quorvel
