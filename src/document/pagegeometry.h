// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "objdata.h"

#include <QSize>

namespace quorvel {

// How the page is laid around the base picture. Not stored in the file; it is
// derived after reading and can be applied to recompute the margin `RandErw`.
struct PageGeometry {
    int ratioArt = 1; // 0 the base picture's aspect ratio, 1 the fixed ratio below
    int ratioBreite = 10;
    int ratioHoehe = 7;
    int marginShare = 0;    // percent
    int pictureSize = 100;  // percent of the page that the base picture fills
    int horizPosition = 50; // percent: 0 left, 50 centred, 100 right
    int verticalPosition = 50;
    friend bool operator==(const PageGeometry&, const PageGeometry&) = default;
};

// The default page ratio of a reset document (settings `Dok-SeitRatio...`).
struct PageRatioPreset {
    int art = 1;
    int width = 10;
    int height = 7;
};

// The geometry of a document just read: base picture `picture`, margin `randErw`.
PageGeometry pageGeometryFor(QSize picture, const PageRect& randErw);

// The margin that `geometry` gives a base picture of size `picture`.
PageRect randErwFromGeometry(QSize picture, const PageGeometry& geometry);

// Moves a relative page coordinate so that it stays on the same point of the
// base picture when the margin changes from (oldLow, oldHigh) to (newLow, newHigh).
double keepOnBasePicture(double value, double oldLow, double oldHigh, double newLow,
                         double newHigh);

} // namespace quorvel
