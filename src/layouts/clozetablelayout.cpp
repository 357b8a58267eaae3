// SPDX-License-Identifier: GPL-3.0-or-later
#include "clozelayout.h"
#include "clozelines.h"
#include "colorconversion.h"
#include "document.h"
#include "rounding.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr int kCellLayer = 1;
constexpr int kCellSide = codeOf(CardSide::Bottom); // the card stands below its anchor
constexpr int kCentred = codeOf(TextAlignment::Centred);

// The columns and rows of the table on the page, in pixels.
struct TableGrid {
    int rows = 1;
    int columns = 1;
    int left = 0;
    int rightEdge = 0;
    int top = 0;
    int bottomLimit = 0; // H minus the bottom reserve
    int gap = 0;
    int columnWidth = 0;
    int rowUnit = 0;

    TableGrid(const HeaderDataTyp& h, QSize page) {
        const int w = page.width();
        const int hgt = page.height();
        const PageRect m = boundedIndent(h.EinrueckRand);
        rows = std::clamp(h.LueckenTabelleZeilen, 1, kGapTableMaxRows);
        columns = std::clamp(h.LueckenTabelleSpalten, 1, kGapTableMaxColumns);
        left = rnd(w * m.left);
        rightEdge = rnd((1.0 - m.right) * w);
        top = rnd(hgt * m.top);
        bottomLimit = hgt - rnd(hgt * m.bottom);
        const double usable = (1.0 - m.right - m.left) * w;
        gap = rnd(usable * 0.03);
        columnWidth = rnd((usable - (columns - 1) * double(gap)) / columns);
        rowUnit = rnd((1.0 - m.top - m.bottom) * hgt / rows);
    }

    int x(int column) const { return left + column * (columnWidth + gap); }
    int queryTextHeight() const { return rnd(rowUnit * 0.75); }
};

// A picture cell's height, bounded around the page so that an absurd size
// from a file cannot overflow the stacking.
int pictureHeight(const lueckentabellearrtyp& cell, QSize page) {
    const int bound = 4 * std::max(1, page.height());
    return std::clamp(clozeTablePictureHeight(cell.Fsize, page), -bound, bound);
}

class TableLayout {
public:
    TableLayout(Document& document, const ClozePage& page, bool build)
        : m_document(document), m_h(document.header), m_page(page), m_build(build),
          m_grid(document.header, page.size), m_gaps(document, page.size, build) {}

    void run() {
        int s = clozeBaseFontSize(m_page.size.width());
        while (s >= kClozeMinMeasuredHeight && !fits(s))
            s -= clozeShrinkStep(s);
        draw(s);
    }

private:
    const lueckentabellearrtyp& cell(int r, int c) const {
        return m_h.LueckenTabelle[size_t(r)][size_t(c)];
    }

    TextMarkupParams textParams(int s, int column, bool measure) const {
        TextMarkupParams params = clozeLineParams(m_document, m_page, s, measure, m_build);
        params.leftX = m_grid.x(column);
        params.rightLimit = m_page.size.width() - (m_grid.x(column) + m_grid.columnWidth);
        return params;
    }

    // The measuring pass: false as soon as a text cell runs past the bottom.
    bool fits(int s) const {
        int rowTop = m_grid.top;
        for (int r = 0; r < m_grid.rows; ++r) {
            int bottom = rowTop;
            for (int c = 0; c < m_grid.columns; ++c) {
                const lueckentabellearrtyp& k = cell(r, c);
                int v = rowTop;
                const ClozeCellKind kind = clozeCellKindOf(k);
                if (kind == ClozeCellKind::Text) {
                    TextMarkupParams params = textParams(s, c, true);
                    params.measureLimit = m_grid.bottomLimit;
                    for (const QString& line : clozeSourceLines(k.Text)) {
                        params.topY = v;
                        v = renderLine(params, line);
                    }
                    if (v > m_grid.bottomLimit)
                        return false;
                } else if (kind == ClozeCellKind::QueryText) {
                    v += m_grid.queryTextHeight();
                } else if (isPicture(kind)) {
                    v += pictureHeight(k, m_page.size);
                }
                bottom = std::max(bottom, v);
            }
            rowTop = bottom;
        }
        return true;
    }

    void draw(int s) {
        std::vector<int> rowBottoms;
        int rowTop = m_grid.top;
        for (int r = 0; r < m_grid.rows; ++r) {
            int bottom = rowTop;
            for (int c = 0; c < m_grid.columns; ++c)
                bottom = std::max(bottom, drawCell(s, r, c, rowTop));
            rowBottoms.push_back(bottom);
            rowTop = bottom;
        }
        drawGrid(rowBottoms);
    }

    // Lays out one cell from `v` and returns the y below it.
    int drawCell(int s, int r, int c, int v) {
        const lueckentabellearrtyp& k = cell(r, c);
        const QSize page = m_page.size;
        const double w = std::max(1, page.width());
        const double h = std::max(1, page.height());
        const double anchorX = (m_grid.x(c) + m_grid.columnWidth * 0.5) / w;
        const ClozeCellKind kind = clozeCellKindOf(k);
        if (kind == ClozeCellKind::Text) {
            TextMarkupParams params = textParams(s, c, false);
            params.gapStep = m_gaps.gapStep();
            for (const QString& line : clozeSourceLines(k.Text)) {
                params.topY = v;
                v = renderLine(params, line);
            }
            return v;
        }
        if (kind == ClozeCellKind::QueryText) {
            place(k, anchorX, v / h + 0.015);
            return v + m_grid.queryTextHeight();
        }
        if (isPicture(kind)) {
            place(k, anchorX, v / h + 0.0035);
            return v + pictureHeight(k, page);
        }
        return v;
    }

    // Makes the object of a query-text or picture cell at the anchor, or
    // moves the next existing one there.
    void place(const lueckentabellearrtyp& k, double x, double y) {
        auto& objects = m_document.objects;
        if (!m_build) {
            while (m_nextCell < objects.size() && !isClozeTableCell(typOf(objects[m_nextCell])))
                ++m_nextCell;
            if (m_nextCell >= objects.size())
                return;
            ObjDataTyp& o = objects[m_nextCell++];
            o.Kx = x;
            o.Ky = y;
            return;
        }
        const double widthLimit = 0.95 * m_grid.columnWidth / std::max(1, m_page.size.width());
        if (clozeCellKindOf(k) == ClozeCellKind::QueryText) {
            const int index = m_document.addGeneratedObject(Typ::TableQueryText, kCellLayer, k.Text,
                                                            -1, x, y, kCellSide, 0);
            ObjDataTyp& o = objects[size_t(index)];
            o.TAusr = kCentred;
            o.WidthLimit = widthLimit;
            o.HeightLimit = 0.75 * m_grid.rowUnit / std::max(1, m_page.size.height()) - 0.03;
            return;
        }
        const Typ typ = static_cast<Typ>(codeOf(Typ::TablePicture) -
                                         codeOf(ClozeCellKind::StaticPicture) + k.Art);
        const QString cap = typ == Typ::TablePictureLink ? k.BildLink : QString();
        const int index =
            m_document.addGeneratedObject(typ, kCellLayer, cap, -1, x, y, kCellSide, k.Fsize);
        ObjDataTyp& o = objects[size_t(index)];
        o.Bild = k.Bild;
        o.BildKenn = k.BildKenn;
        o.BildkarteAnpassen = k.BildkarteAnpassen;
        if (typ == Typ::TablePictureLink)
            o.PunktInUebung = k.BildLinkInUebung;
        o.WidthLimit = widthLimit;
    }

    // The grid lines go into the page picture, not into objects.
    void drawGrid(const std::vector<int>& rowBottoms) {
        QPainter* painter = m_page.canvas;
        if (!painter || m_h.LueckenTabelleLinie != 1 ||
            !(m_page.layoutLayerVisible || m_page.exerciseRunning) || rowBottoms.empty())
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(colourFromValue(m_h.LueckenTabelleLinieCol), 1));
        for (size_t r = 0; r + 1 < rowBottoms.size(); ++r)
            line(*painter, QPoint(m_grid.left, rowBottoms[r]),
                 QPoint(m_grid.rightEdge, rowBottoms[r]));
        for (int c = 1; c < m_grid.columns; ++c) {
            const int x = m_grid.x(c) - m_grid.gap / 2;
            line(*painter, QPoint(x, m_grid.top), QPoint(x, rowBottoms.back()));
        }
        painter->restore();
    }

    // A line from `from` up to, not including, `to` (as a pen moved to a
    // point draws it).
    static void line(QPainter& painter, QPoint from, QPoint to) {
        if (from == to)
            return;
        const QPoint last = to - QPoint(to.x() > from.x() ? 1 : 0, to.y() > from.y() ? 1 : 0);
        painter.drawLine(from, last);
    }

    Document& m_document;
    const HeaderDataTyp& m_h;
    const ClozePage& m_page;
    const bool m_build;
    const TableGrid m_grid;
    ClozeGapPlacer m_gaps;
    size_t m_nextCell = 0;
};

} // namespace

void layOutClozeTable(Document& document, const ClozePage& page, bool build) {
    if (build)
        std::erase_if(document.objects,
                      [](const ObjDataTyp& o) { return isOwnedByClozeTable(typOf(o)); });
    TableLayout(document, page, build).run();
}

} // namespace quorvel
