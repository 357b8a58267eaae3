// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetcloze.h"

#include "clozelines.h"
#include "document.h"
#include "rounding.h"
#include "worksheetbodyparts.h"
#include "worksheetmetrics.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvel {

namespace {

// Object types the cloze text and table stand for: they are not drawn onto
// the page picture.
bool drawnByText(const ObjDataTyp& o) {
    const Typ typ = typOf(o);
    return typ == Typ::ClozeGap ||
           (o.Typ >= codeOf(Typ::TablePicture) && o.Typ <= codeOf(Typ::TableQueryText));
}

// The flowing text: measured and shrunk until it ends above the area's
// bottom (or the size is at its smallest), then drawn.
int drawClozeText(WorksheetBodyContext& context, const ClozeArea& area) {
    const QString& text = context.document.header.lueckentext;
    const int mode = worksheetMode(context.settings.kind);
    const int right = area.left + area.width;
    const int charHeight = fittingClozeHeight(context.settings.fontAdjust, [&](int height) {
        TextMarkupParams measure =
            worksheetTextParams(context, height, mode, area.left, right, area.top, true);
        measure.measureLimit = area.bottom;
        return renderText(measure, text) <= area.bottom;
    });
    const TextMarkupParams params =
        worksheetTextParams(context, charHeight, mode, area.left, right, area.top, false);
    return renderTextDownTo(params, text, context.height);
}

} // namespace

int renderTextDownTo(TextMarkupParams params, const QString& text, int stopY) {
    for (const QString& line : splitMarkupLines(text)) {
        params.topY = renderLine(params, line);
        if (params.topY > stopY)
            break;
    }
    return params.topY;
}

double clozeSizeStep(double size) {
    if (size < 48.0)
        return std::floor(size * 2.0) / 2.0;
    if (size < 56.0)
        return std::floor(size);
    return std::floor(size / 2.0) * 2.0;
}

double clozeStartSize(int fontAdjust) {
    return clozeSizeStep(48.0 + 1.6 * std::clamp(fontAdjust, -10, 10));
}

int clozeCharHeight(double size) {
    return rnd(size * 0.625);
}

int fittingClozeHeight(int fontAdjust, const std::function<bool(int charHeight)>& fits) {
    std::vector<double> sizes{clozeStartSize(fontAdjust)};
    while (sizes.back() > 8.0)
        sizes.push_back(clozeSizeStep(sizes.back() - 0.000001));
    // The first size that fits; the last one counts as fitting.
    size_t low = 0;
    size_t high = sizes.size() - 1;
    while (low < high) {
        const size_t middle = (low + high) / 2;
        if (fits(clozeCharHeight(sizes[middle])))
            high = middle;
        else
            low = middle + 1;
    }
    return clozeCharHeight(sizes[low]);
}

TextMarkupParams worksheetTextParams(const WorksheetBodyContext& context, int charHeight, int mode,
                                     int left, int right, int top, bool measureOnly) {
    TextMarkupParams params;
    params.canvas = &context.painter;
    params.rightEdge = right;
    params.rightLimit = 0;
    params.measureOnly = measureOnly;
    params.colour = 0;
    params.clozeMode = mode;
    params.charHeight = charHeight;
    params.fontFamily = context.document.header.Schriftart;
    params.topY = top;
    params.leftX = left;
    params.pageHeight = context.height;
    params.minGap = context.document.header.MinLuecke;
    params.boxSizeIndex = context.settings.boxSizeIndex;
    return params;
}

int drawClozeBody(WorksheetBodyContext& context, int top) {
    const Document& document = context.document;
    const WorksheetSettings& settings = context.settings;
    const bool parts = hasParts(settings.kind);
    const bool margins = settings.clozeMargins;
    const PageRect m = boundedIndent(document.header.EinrueckRand);
    const double w = context.width;

    QImage picture = basePagePicture(document, parts && settings.basePicture);
    std::vector<int> order = zOrdered(document);
    std::erase_if(order, [&](int i) { return drawnByText(document.objects[size_t(i)]); });
    drawWorksheetObjects(picture, context, order);
    const PlacedPicture placed = placeBasePicture(context, picture, top);

    ClozeArea area;
    area.left = rnd(w * 0.02);
    area.width = rnd(w * 0.97);
    area.top = top;
    area.bottom = context.bodyLimit;
    if (margins) {
        area.left = std::max(area.left, rnd(w * m.left));
        area.width = std::min(area.width, rnd((1.0 - m.left - m.right) * w));
        area.top += rnd(placed.height * m.top);
        area.bottom -= rnd(placed.height * m.bottom);
    }
    area.width = std::max(area.width, 1);
    const int end = documentSubtypeOf(document.header) == DocumentSubtype::Table
                        ? drawClozeTable(context, area)
                        : drawClozeText(context, area);
    if (parts) {
        // The gap lines of the last screen line lie on its bottom row: the
        // frame keeps a little room below them, so that they stay apart.
        const int room = rnd(0.3 * xHeight(document.header.Schriftart, 25));
        const int bottom =
            std::min(std::max(placed.top + placed.height, end + room), context.bodyLimit);
        drawBodyFrame(context.painter, QRect(0, top, context.width, std::max(0, bottom - top)));
    }
    return std::max(end, std::min(placed.top + placed.height, context.bodyLimit));
}

} // namespace quorvel
