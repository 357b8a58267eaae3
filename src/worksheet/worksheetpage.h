// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheetsettings.h"

#include <QPicture>
#include <QSize>

namespace quorvel {

class Document;
class ViewLayouts;

// One drawn sheet: the picture in page units (recorded once, replayed for
// preview, print and export) and the page size in those units.
struct WorksheetPage {
    QPicture picture;
    QSize size; // 1000 x 1625 portrait, 1625 x 1000 landscape
    // Where the body began (below the answer list) and the y it must not
    // pass (the top of the footer). The overlay has the same values as the
    // sheets it lies over.
    int bodyTop = 0;
    int bodyLimit = 0;
};

// The page in page units: 1000 x 1625 in portrait, 1625 x 1000 in landscape.
QSize worksheetPageSize(bool landscape);

// Draws the sheet of `document` with `settings` (header, answer list, body,
// footer). `settings.fitBasePicture` is honoured and cleared. `layouts` are
// the learning view's: the bodies of a crossword and of "Zeichnungen
// einbinden" show the page they compose.
WorksheetPage buildWorksheet(const Document& document, WorksheetSettings& settings,
                             const ViewLayouts& layouts);

} // namespace quorvel
