// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <Qt>
#include <functional>

class QPainter;

namespace quorvel {

class PrinterCoordinates;

// A grid to print: its rows (the first one the header), the columns' widths
// in screen pixels and their alignments (left, centre or right).
struct GridPrint {
    QList<QStringList> rows;
    QList<int> widths;
    QList<Qt::Alignment> alignments;
};

// The columns' edges on the canvas (0.1 mm): the left margin of 15 mm, then
// each column's share of the usable width (the page width less 30 mm).
// Empty when the grid has no width or the page no room.
QList<int> gridColumnEdges(const PrinterCoordinates& coordinates, const QList<int>& widths);
// The text height on the canvas: narrow grids get larger text, at most 4 mm.
int gridFontHeight(const PrinterCoordinates& coordinates, const QList<int>& widths);

// Prints the grid with 15 mm margins in "Arial": every cell clipped to its
// column, the header underlined, a new page (through `newPage`, which says
// whether it could start one) when the next row would end within 30 mm of
// the paper's bottom. The painter's device has its origin at the paper's
// corner. False when a new page could not be started or the grid has no room.
bool drawGrid(QPainter& painter, const PrinterCoordinates& coordinates, const GridPrint& grid,
              const std::function<bool()>& newPage);

} // namespace quorvel
