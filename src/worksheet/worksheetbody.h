// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheetsettings.h"

class QPainter;

namespace quorvel {

class Document;
class ViewLayouts;

// What the page hands to the body of a document type. Units are the page's:
// 1000 x 1625 in portrait, 1625 x 1000 in landscape, y downwards.
struct WorksheetBodyContext {
    QPainter& painter; // the page's painter, in page units
    const Document& document;
    WorksheetSettings& settings; // the body writes back the fitted base picture
    int width = 1000;            // W
    int height = 1625;           // H
    int bodyLimit = 1625;        // Y_b: the body ends there at the latest
    // The learning view's layouts, which compose the page of a crossword and
    // of "Zeichnungen einbinden"; without them those bodies use the base
    // picture.
    const ViewLayouts* layouts = nullptr;
};

// Draws the body of the document's type from y = top downwards on sheets 0,
// 1 and 2 (nothing on the cut-out sheet, nothing for an unknown type) and
// returns the y where it ended.
int drawWorksheetBody(WorksheetBodyContext& context, int top);

} // namespace quorvel
