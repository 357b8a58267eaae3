// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetpage.h"

#include "document.h"
#include "worksheetanswerlist.h"
#include "worksheetbody.h"
#include "worksheetcanvas.h"
#include "worksheetfooter.h"
#include "worksheetheader.h"

#include <QPainter>

namespace quorvel {

QSize worksheetPageSize(bool landscape) {
    return landscape ? QSize(1625, 1000) : QSize(1000, 1625);
}

WorksheetPage buildWorksheet(const Document& document, WorksheetSettings& settings,
                             const ViewLayouts& layouts) {
    WorksheetPage page;
    page.size = worksheetPageSize(settings.landscape);
    QPainter painter(&page.picture);
    painter.fillRect(QRect(QPoint(0, 0), page.size), Qt::white);

    const WorksheetCanvas canvas{painter, document, settings, page.size.width(),
                                 page.size.height()};
    int a = drawWorksheetHeader(canvas);
    a = drawAnswerList(canvas, a);
    page.bodyTop = a;
    page.bodyLimit = worksheetBodyLimit(canvas);
    if (settings.kind != WorksheetKind::CutOut) {
        WorksheetBodyContext body{painter,           document,           settings,
                                  page.size.width(), page.size.height(), page.bodyLimit,
                                  &layouts};
        painter.save();
        drawWorksheetBody(body, a);
        painter.restore();
    }
    drawWorksheetFooter(canvas);
    painter.end();
    settings.fitBasePicture = false;
    return page;
}

} // namespace quorvel
