// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridprint.h"

#include "printercoordinates.h"
#include "rounding.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

constexpr int kMargin = 150;    // 15 mm from the paper edge, left and top
constexpr int kFreeSpace = 300; // what the page width and height leave unused
constexpr int kLargestFont = 40;

int usableWidth(const PrinterCoordinates& coordinates) {
    return coordinates.pageWidth() - kFreeSpace;
}

// The sum of the widths, 0 when one is negative or the sum overflows.
qint64 totalWidth(const QList<int>& widths) {
    qint64 total = 0;
    for (int width : widths) {
        if (width < 0)
            return 0;
        total += width;
    }
    return total;
}

} // namespace

QList<int> gridColumnEdges(const PrinterCoordinates& coordinates, const QList<int>& widths) {
    const qint64 total = totalWidth(widths);
    const int usable = usableWidth(coordinates);
    if (total <= 0 || usable <= 0)
        return {};
    QList<int> edges{coordinates.toCanvas({kMargin, kMargin}).x()};
    for (int width : widths)
        edges << edges.last() + rnd(double(width) / double(total) * usable);
    return edges;
}

int gridFontHeight(const PrinterCoordinates& coordinates, const QList<int>& widths) {
    const qint64 total = totalWidth(widths);
    if (total <= 0)
        return kLargestFont;
    const int height = rnd(2e4 / double(total) * usableWidth(coordinates) / 1800.0);
    return std::clamp(height, 1, kLargestFont);
}

bool drawGrid(QPainter& painter, const PrinterCoordinates& coordinates, const GridPrint& grid,
              const std::function<bool()>& newPage) {
    const QList<int> edges = gridColumnEdges(coordinates, grid.widths);
    if (edges.isEmpty())
        return false;
    painter.save();
    coordinates.applyTo(painter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(gridFontHeight(coordinates, grid.widths));
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine));
    painter.setBackgroundMode(Qt::TransparentMode);
    const int lineHeight = std::max(1, painter.fontMetrics().height());
    const int top = coordinates.toCanvas({kMargin, kMargin}).y();
    const int bottom = coordinates.pageHeight() - kFreeSpace;

    bool ok = true;
    int y = top;
    for (qsizetype r = 0; r < grid.rows.size() && ok; ++r) {
        if (r > 0 && y + lineHeight > bottom) {
            ok = newPage();
            coordinates.applyTo(painter);
            y = top;
        }
        const QStringList& row = grid.rows[r];
        for (qsizetype c = 0; c < std::min(row.size(), edges.size() - 1); ++c) {
            const QRect cell(edges[c], y, edges[c + 1] - edges[c], lineHeight);
            const Qt::Alignment alignment = grid.alignments.value(c, Qt::AlignLeft);
            painter.drawText(cell, int(alignment | Qt::AlignVCenter), row[c]);
        }
        if (r == 0)
            painter.drawLine(edges.first(), y + lineHeight, edges.last(), y + lineHeight);
        y += lineHeight;
    }
    painter.restore();
    return ok;
}

} // namespace quorvel
