// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetpage.h"

#include <QPainter>

namespace quorvel {

// Placeholder until the page frame is drawn: an empty page of the right size.
WorksheetPage buildWorksheet(const Document&, WorksheetSettings& settings) {
    WorksheetPage page;
    page.size = settings.landscape ? QSize(1625, 1000) : QSize(1000, 1625);
    QPainter painter(&page.picture);
    painter.fillRect(QRect(QPoint(0, 0), page.size), Qt::white);
    painter.end();
    settings.fitBasePicture = false;
    return page;
}

} // namespace quorvel
