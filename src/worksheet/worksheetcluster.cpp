// SPDX-License-Identifier: GPL-3.0-or-later
#include "clozelines.h"
#include "colorconversion.h"
#include "document.h"
#include "rounding.h"
#include "worksheetbodyparts.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

bool isClusterCard(const ObjDataTyp& o) {
    const int typ = o.Typ;
    return typ >= codeOf(Typ::ClusterText) && typ <= codeOf(Typ::ClusterQueryPicture);
}

// The answer lines under the baskets' cells and the column lines, in the
// page picture's pixels.
void drawAnswerLines(QImage& picture, const HeaderDataTyp& h) {
    const double pw = picture.width();
    const double ph = picture.height();
    const PageRect m = boundedIndent(h.EinrueckRand);
    const int columns = std::clamp(h.LueckenTabelleSpalten, 1, kGapTableMaxColumns);
    const int rows = std::clamp(h.LueckenTabelleZeilen, 1, kGapTableMaxRows);
    const int left = rnd(pw * m.left);
    const int top = rnd(ph * m.top);
    const int head = rnd(ph * 0.05);
    const int cw = rnd((1.0 - m.right - m.left) * pw / columns);
    const int rh = rnd(((1.0 - m.top - m.bottom) * ph - head) / rows);

    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 0));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const lueckentabellearrtyp& cell = h.LueckenTabelle[size_t(r)][size_t(c)];
            const bool asked =
                (cell.Art == codeOf(CardCellKind::QueryText) && !cell.Text.trimmed().isEmpty()) ||
                cell.Art == codeOf(CardCellKind::QueryPicture);
            if (!asked)
                continue;
            const int xm = rnd(left + c * cw + 0.5 * cw);
            const int half = rnd(0.4 * cw);
            const int y = rnd((r + 0.95) * rh + top + head);
            // Two pixels thick: two one-pixel lines, one below the other.
            painter.drawLine(xm - half, y, xm + half, y);
            painter.drawLine(xm - half, y + 1, xm + half, y + 1);
        }
    }
    if (h.LueckenTabelleLinie == 1) {
        painter.setPen(QPen(colourFromValue(h.LueckenTabelleLinieCol), 0));
        const int bottom = rnd((1.0 - m.bottom) * ph);
        for (int c = 1; c < columns; ++c) {
            const int x = left + c * cw;
            painter.drawLine(x, top, x, bottom);
            painter.drawLine(x + 1, top, x + 1, bottom);
        }
    }
}

} // namespace

int drawClusterBody(WorksheetBodyContext& context, int top) {
    const Document& document = context.document;
    const WorksheetSettings& settings = context.settings;
    const bool parts = hasParts(settings.kind);
    QImage picture = basePagePicture(document, parts && settings.basePicture);
    if (picture.isNull())
        return top;

    // The cards lie above everything else, in list order.
    std::vector<int> order = zOrdered(document);
    std::erase_if(order, [&](int i) { return isClusterCard(document.objects[size_t(i)]); });
    for (int i = 0; i < int(document.objects.size()); ++i)
        if (isClusterCard(document.objects[size_t(i)]))
            order.push_back(i);
    drawWorksheetObjects(picture, context, order);
    if (parts)
        drawAnswerLines(picture, document.header);

    const PlacedPicture placed = placeBasePicture(context, picture, top);
    const int end = top + placed.height;
    if (parts) {
        const int frameTop = std::clamp(placed.top, top, context.bodyLimit);
        const int frameBottom = std::min(end, context.bodyLimit);
        if (frameBottom > frameTop)
            drawBodyFrame(context.painter,
                          QRect(0, frameTop, context.width, frameBottom - frameTop));
    }
    return std::min(end, context.bodyLimit);
}

} // namespace quorvel
