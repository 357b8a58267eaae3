// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace quorvel {

// The open dialog of a board picture and its messages.
QString boardPictureFilter();
QString msgInvalidPictureExtension();
QString msgNoClipboardBitmap();
QString msgReplaceWholeBoard();
QString msgStoreInChronicle();

// Whether `path` ends in ".bmp", ".png" or ".jpg" (any case).
bool hasBoardPictureExtension(const QString& path);

// Where a picture of `picture` pixels goes when pasted into `selection`: as
// large as fits with its aspect ratio kept, centred. Empty for an empty
// picture or selection.
QRect fitIntoSelection(QSize picture, const QRect& selection);

// The area selection in view pixels: left, top, right (exclusive) and bottom
// (exclusive), -1 in all four when there is none.
struct AreaSelection {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;

    bool valid() const { return left >= 0 && top >= 0 && right >= 2 && bottom >= 0; }
    QRect rect() const {
        return valid() ? QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) : QRect();
    }
    void clear() { *this = AreaSelection(); }

    // From two corner points, normalised; equal points or a negative
    // coordinate clear it.
    static AreaSelection fromCorners(QPoint a, QPoint b);
    // Moved by (dx, dy), kept inside an area of `bounds` pixels.
    AreaSelection movedWithin(int dx, int dy, QSize bounds) const;
    friend bool operator==(const AreaSelection&, const AreaSelection&) = default;
};

// The info panel's text for a selection given in picture coordinates:
// " (x1,y1) - (x2-1,y2-1)  B:width H:height".
QString areaInfoText(const QRect& pictureRect);

} // namespace quorvel
