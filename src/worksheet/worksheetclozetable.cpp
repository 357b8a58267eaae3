// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorconversion.h"
#include "document.h"
#include "rounding.h"
#include "worksheetbodyparts.h"
#include "worksheetcloze.h"
#include "worksheetmetrics.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

struct Table {
    int rows = 1;
    int columns = 1;
    int gap = 0; // g
    int cw = 0;
    int lh = 0;

    int x(const ClozeArea& area, int column) const { return area.left + column * (cw + gap); }
};

// A picture cell's picture: centred in its column below the row top, as
// high as its size asks and at most 90 % of the column wide.
struct PictureCell {
    QRect picture;
    int end = 0;
};

PictureCell placePicture(const lueckentabellearrtyp& cell, const Table& t, int xc, int rowTop) {
    const int fsize = std::clamp(cell.Fsize, -11, 200);
    const int xm = rnd(xc + t.cw * 0.5);
    const int top = rnd(rowTop + 0.5 * t.lh);
    int height = std::max(0, rnd((2.0 * fsize + 22.0) * t.lh / 22.0));
    int width = 0;
    if (!cell.Bild.isNull()) {
        const double ratio = double(cell.Bild.width()) / cell.Bild.height();
        width = rnd(height * ratio);
        if (width > rnd(t.cw * 0.9)) {
            width = 2 * rnd(t.cw * 0.45);
            height = rnd(width / ratio);
        }
    }
    PictureCell placed;
    placed.picture = QRect(xm - width / 2, top, width, height);
    placed.end = top + height + rnd(0.5 * t.lh);
    return placed;
}

// Lays out (and with `draw` draws) the table at character height
// `charHeight`; returns the end of the last row.
int layOutTable(WorksheetBodyContext& context, const ClozeArea& area, const Table& t,
                int charHeight, bool draw) {
    const HeaderDataTyp& h = context.document.header;
    const WorksheetKind kind = context.settings.kind;
    const int mode = worksheetMode(kind);
    QPainter& painter = context.painter;
    const bool lines = h.LueckenTabelleLinie == 1;
    int rowTop = area.top;
    for (int r = 0; r < t.rows; ++r) {
        int rowEnd = rowTop;
        for (int c = 0; c < t.columns; ++c) {
            const lueckentabellearrtyp& cell = h.LueckenTabelle[size_t(r)][size_t(c)];
            const int xc = t.x(area, c);
            const ClozeCellKind cellKind = clozeCellKindOf(cell);
            if (cellKind == ClozeCellKind::Text || cellKind == ClozeCellKind::QueryText) {
                const bool asked = cellKind == ClozeCellKind::QueryText;
                TextMarkupParams params =
                    worksheetTextParams(context, charHeight, asked ? kMarkupPlain : mode, xc,
                                        xc + t.cw, rowTop, !draw || (asked && !hasSolutions(kind)));
                if (asked)
                    params.colour = kSolutionColour;
                if (!draw)
                    params.measureLimit = area.bottom;
                rowEnd = std::max(rowEnd, renderTextDownTo(params, cell.Text, context.height));
                continue;
            }
            if (!isPicture(cellKind))
                continue;
            const PictureCell placed = placePicture(cell, t, xc, rowTop);
            rowEnd = std::max(rowEnd, placed.end);
            if (!draw || placed.picture.isEmpty())
                continue;
            // A picture link keeps its room but shows nothing on any sheet.
            const bool shown = (cellKind == ClozeCellKind::StaticPicture && hasParts(kind)) ||
                               (cellKind == ClozeCellKind::QueryPicture && hasSolutions(kind));
            if (shown) {
                painter.save();
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(placed.picture, cell.Bild);
                painter.restore();
            }
            if (cellKind == ClozeCellKind::QueryPicture && hasParts(kind)) {
                const int xm = rnd(xc + t.cw * 0.5);
                const int y = placed.picture.bottom() + 1 + rnd(0.25 * t.lh);
                painter.save();
                painter.setPen(QPen(Qt::black, 1));
                painter.drawLine(xm - rnd(t.cw * 0.45), y, xm + rnd(t.cw * 0.45), y);
                painter.restore();
            }
        }
        if (draw && lines && r + 1 < t.rows) {
            painter.save();
            painter.setPen(QPen(colourFromValue(h.LueckenTabelleLinieCol), 1));
            if (context.settings.clozeMargins)
                painter.drawLine(area.left, rowEnd, area.left + area.width, rowEnd);
            else
                painter.drawLine(0, rowEnd, context.width, rowEnd);
            painter.restore();
        }
        rowTop = rowEnd;
        // Measuring stops once the table is known to be too long.
        if (!draw && rowTop > area.bottom)
            return rowTop;
    }
    if (draw && lines) {
        painter.save();
        painter.setPen(QPen(colourFromValue(h.LueckenTabelleLinieCol), 1));
        for (int c = 1; c < t.columns; ++c) {
            const int x = t.x(area, c) - t.gap / 2;
            painter.drawLine(x, area.top, x, rowTop);
        }
        painter.restore();
    }
    return rowTop;
}

} // namespace

int drawClozeTable(WorksheetBodyContext& context, const ClozeArea& area) {
    const HeaderDataTyp& h = context.document.header;
    Table t;
    t.rows = std::clamp(h.LueckenTabelleZeilen, 1, kGapTableMaxRows);
    t.columns = std::clamp(h.LueckenTabelleSpalten, 1, kGapTableMaxColumns);
    t.gap = rnd(area.width * 0.03);
    t.cw = std::max(1, rnd((area.width - (t.columns - 1) * double(t.gap)) / t.columns));
    t.lh = xHeight(h.Schriftart, 25);

    const int charHeight = fittingClozeHeight(context.settings.fontAdjust, [&](int height) {
        return layOutTable(context, area, t, height, false) <= area.bottom;
    });
    return layOutTable(context, area, t, charHeight, true);
}

} // namespace quorvel
