// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetpattern.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

SheetSpec spec(SheetKind kind, int count) {
    SheetSpec s;
    s.kind = kind;
    s.count = count;
    return s;
}

std::vector<int> horizontalRows(const std::vector<SheetLine>& lines) {
    std::vector<int> rows;
    for (const SheetLine& line : lines) {
        if (line.from.y() == line.to.y() && line.from.x() != line.to.x())
            rows.push_back(line.from.y());
    }
    return rows;
}

std::vector<int> verticalColumns(const std::vector<SheetLine>& lines) {
    std::vector<int> columns;
    for (const SheetLine& line : lines) {
        if (line.from.x() == line.to.x() && line.from.y() != line.to.y())
            columns.push_back(line.from.x());
    }
    return columns;
}

std::vector<int> steps(int first, int last, int step) {
    std::vector<int> values;
    for (int v = first; v <= last; v += step)
        values.push_back(v);
    return values;
}

TEST(SheetPattern, RuledLinesEndOnePixelAboveEachBand) {
    // 600 and 605 pixels both give a spacing of 60 and ten lines.
    for (const int height : {600, 605}) {
        const auto lines = sheetLines(QSize(400, height), spec(SheetKind::Ruled, 10));
        EXPECT_EQ(horizontalRows(lines), steps(59, 599, 60)) << height;
        EXPECT_EQ(lines.front().from.x(), 0);
        EXPECT_EQ(lines.front().to.x(), 400);
    }
}

TEST(SheetPattern, SquaresAreSizedByTheHeightAndContinueAcross) {
    const auto lines = sheetLines(QSize(800, 600), spec(SheetKind::Squared, 20));
    EXPECT_EQ(horizontalRows(lines), steps(0, 600, 30));
    EXPECT_EQ(verticalColumns(lines), steps(0, 780, 30));

    // The line on the bottom edge lies outside the picture and is clipped.
    const QImage picture = makeSheet(QSize(800, 600), spec(SheetKind::Squared, 20));
    EXPECT_EQ(picture.pixel(15, 0), kSheetLineColour);
    EXPECT_EQ(picture.pixel(15, 599), kSheetBackground);
    EXPECT_EQ(picture.pixel(780, 15), kSheetLineColour);
    EXPECT_EQ(picture.pixel(799, 15), kSheetBackground);
}

TEST(SheetPattern, OneStaffOnAHundredAndFortyPixels) {
    const auto lines = sheetLines(QSize(300, 140), spec(SheetKind::Staves, 1));
    EXPECT_EQ(horizontalRows(lines), (std::vector<int>{50, 60, 70, 80, 90}));
}

TEST(SheetPattern, LineaturesDrawTheirLinesPerClass) {
    // 1000 x 1000: L = 50, T = 50, R = B = 949, D = 899; one band.
    struct Case {
        SheetKind kind;
        std::vector<int> rows;
        std::vector<int> sides;
    };
    // Class 1: h = rnd(539.4) = 539, a = 165, b = 209, y0 = 50 + rnd(107.8).
    // Classes 2-4: h = rnd(629.3) = 629, a = 193, b = 244, y0 = 50 + rnd(94.35).
    const Case cases[] = {
        {SheetKind::Lineature1, {158, 323, 532, 697}, {50, 949}},
        {SheetKind::Lineature2, {144, 337, 581, 774}, {50, 949}},
        {SheetKind::Lineature3, {337, 581}, {50, 949}},
        {SheetKind::Lineature4, {581}, {}},
    };
    for (const Case& c : cases) {
        const auto lines = sheetLines(QSize(1000, 1000), spec(c.kind, 1));
        EXPECT_EQ(horizontalRows(lines), c.rows) << int(c.kind);
        EXPECT_EQ(verticalColumns(lines), c.sides) << int(c.kind);
        for (const SheetLine& line : lines) {
            if (line.from.y() == line.to.y()) {
                EXPECT_EQ(line.from.x(), 50);
                EXPECT_EQ(line.to.x(), 949);
            }
        }
    }
    // Class 4 with several bands: one line each, never a side line.
    const auto bands = sheetLines(QSize(1000, 1000), spec(SheetKind::Lineature4, 12));
    EXPECT_EQ(horizontalRows(bands).size(), 12u);
    EXPECT_TRUE(verticalColumns(bands).empty());
}

TEST(SheetPattern, TableKeepsItsMargins) {
    SheetSpec table;
    table.kind = SheetKind::Table;
    table.rows = 2;
    table.columns = 4;
    table.margins = {10, 20, 0, 50};
    // x0 = 100, x1 = rnd(0.8 * 999) = 799, y0 = 0, y1 = rnd(0.5 * 499) = 250 (ties to even).
    const auto lines = sheetLines(QSize(1000, 500), table);
    EXPECT_EQ(horizontalRows(lines), (std::vector<int>{0, 125, 250}));
    EXPECT_EQ(verticalColumns(lines), (std::vector<int>{100, 275, 450, 624, 799}));
    for (const SheetLine& line : lines) {
        if (line.from.y() == line.to.y()) {
            EXPECT_EQ(line.from.x(), 100);
            EXPECT_EQ(line.to.x(), 799);
        } else {
            EXPECT_EQ(line.from.y(), 0);
            EXPECT_EQ(line.to.y(), 250);
        }
    }
}

TEST(SheetPattern, FreeCountsAreClampedToTheirRange) {
    struct Case {
        SheetKind kind;
        qint64 entered;
        int stored;
    };
    const Case cases[] = {
        {SheetKind::Ruled, 0, 1},          {SheetKind::Ruled, 500, 200},
        {SheetKind::Squared, -7, 1},       {SheetKind::Staves, 21, 20},
        {SheetKind::Lineature2, 25, 20},   {SheetKind::Lineature3, 51, 50},
        {SheetKind::Lineature4, 100, 100}, {SheetKind::Lineature4, INT64_MAX, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clampCount(c.kind, c.entered), c.stored) << int(c.kind) << " " << c.entered;
}

TEST(SheetPattern, AbsurdValuesStayBoundedAndNeverDivideByZero) {
    // More lines than pixels: the spacing stays one pixel.
    const auto tight = sheetLines(QSize(50, 20), spec(SheetKind::Squared, 200));
    EXPECT_EQ(horizontalRows(tight).size(), 21u);
    EXPECT_EQ(verticalColumns(tight).size(), 51u);
    // An unclamped count from a caller is clamped before drawing.
    EXPECT_EQ(horizontalRows(sheetLines(QSize(100, 4000), spec(SheetKind::Ruled, 1000000))).size(),
              200u);
    SheetSpec table;
    table.kind = SheetKind::Table;
    table.rows = -5;
    table.columns = 100000;
    table.margins = {-10, 300, 60, 60};
    const auto lines = sheetLines(QSize(100, 100), table);
    // One row (two lines) and 200 columns (201 lines), however squeezed.
    EXPECT_EQ(lines.size(), 203u);
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(0, 100)}) {
        for (const SheetKind kind : {SheetKind::Staves, SheetKind::Lineature1, SheetKind::Table}) {
            const QImage picture = makeSheet(size, spec(kind, 20));
            EXPECT_EQ(picture.isNull(), size.isEmpty());
            if (!size.isEmpty()) {
                EXPECT_EQ(picture.size(), size);
            }
        }
    }
}

TEST(SheetPattern, BlankSheetsTakeTheirColour) {
    SheetSpec green;
    green.background = kBoardGreen;
    const QImage picture = makeSheet(QSize(64, 48), green);
    ASSERT_EQ(picture.size(), QSize(64, 48));
    for (const QPoint p : {QPoint(0, 0), QPoint(63, 47), QPoint(30, 20)})
        EXPECT_EQ(picture.pixel(p), kBoardGreen);
}

} // namespace
