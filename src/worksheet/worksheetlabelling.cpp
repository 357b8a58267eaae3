// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "rounding.h"
#include "worksheetbodyparts.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

int drawPictureBody(WorksheetBodyContext& context, int top, QImage picture,
                    const std::function<bool(const ObjDataTyp&)>& skip, bool firstLetter) {
    if (picture.isNull())
        return top;
    std::vector<int> order = zOrdered(context.document);
    std::erase_if(order, [&](int i) { return skip(context.document.objects[size_t(i)]); });
    drawWorksheetObjects(picture, context, order, firstLetter);

    const double pw = picture.width();
    const double ph = picture.height();
    int width = context.width;
    int height = rnd(context.width * ph / pw);
    int x = 0;
    if (top + height > context.bodyLimit) {
        height = std::max(0, context.bodyLimit - top);
        width = rnd(height * pw / ph);
        x = (context.width - width) / 2;
    }
    if (width > 0 && height > 0) {
        context.painter.save();
        context.painter.setRenderHint(QPainter::SmoothPixmapTransform);
        context.painter.drawImage(QRect(x, top, width, height), picture);
        context.painter.restore();
    }
    if (hasParts(context.settings.kind))
        drawBodyFrame(context.painter, QRect(0, top, context.width, height));
    return top + height;
}

int drawLabellingBody(WorksheetBodyContext& context, int top) {
    const Document& document = context.document;
    const WorksheetSettings& settings = context.settings;
    const bool crossword = dokTypOf(document.header) == DokTyp::Crossword;
    QImage picture;
    bool composed = false;
    if (hasParts(settings.kind) && (settings.includeDrawings || crossword)) {
        picture = composedPagePicture(context);
        composed = !picture.isNull();
    }
    if (picture.isNull())
        picture = basePagePicture(document, hasParts(settings.kind) && settings.basePicture);
    // The composed page shows the fixed pictures already.
    const auto skip = [composed](const ObjDataTyp& o) {
        return composed && (typOf(o) == Typ::FixedPicture || typOf(o) == Typ::PictureLink);
    };
    const bool firstLetter = settings.firstLetter && settings.kind == WorksheetKind::Worksheet;
    return drawPictureBody(context, top, std::move(picture), skip, firstLetter);
}

int drawCrossMatchingBody(WorksheetBodyContext& context, int top) {
    const WorksheetSettings& settings = context.settings;
    QImage picture =
        basePagePicture(context.document, hasParts(settings.kind) && settings.basePicture);
    return drawPictureBody(
        context, top, std::move(picture), [](const ObjDataTyp&) { return false; }, false);
}

} // namespace quorvel
