// SPDX-License-Identifier: GPL-3.0-or-later
#include "programcursors.h"

#include "artwork.h"

#include <QPixmap>

namespace quorvel {

namespace {

QCursor fromPicture(const CursorPicture& picture) {
    return QCursor(QPixmap::fromImage(picture.image), picture.hotSpot.x(), picture.hotSpot.y());
}

} // namespace

ProgramCursors ProgramCursors::create() {
    ProgramCursors cursors;
    cursors.drag = QCursor(Qt::ClosedHandCursor);
    cursors.pen = fromPicture(penCursorPicture());
    cursors.hand = QCursor(Qt::PointingHandCursor);
    cursors.textField = QCursor(Qt::IBeamCursor);
    cursors.stamp = fromPicture(stampCursorPicture());
    for (int i = 0; i < 5; ++i)
        cursors.penVariants[i] = fromPicture(shapePenCursorPicture(i + 1));
    return cursors;
}

QCursor ProgramCursors::forTool(ToolCursor cursor) const {
    switch (cursor) {
    case ToolCursor::Arrow:
        return QCursor(Qt::ArrowCursor);
    case ToolCursor::OpenHand:
        return QCursor(Qt::OpenHandCursor);
    case ToolCursor::ClosedHand:
        return drag;
    case ToolCursor::PointingHand:
        return hand;
    case ToolCursor::Pen:
        return pen;
    case ToolCursor::Stamp:
        return stamp;
    case ToolCursor::Text:
        return textField;
    case ToolCursor::Cross:
        return QCursor(Qt::CrossCursor);
    case ToolCursor::ShapeLine:
        return penVariants[0];
    case ToolCursor::ShapeArrow:
        return penVariants[1];
    case ToolCursor::ShapeRectangle:
        return penVariants[2];
    case ToolCursor::ShapeEllipse:
        return penVariants[3];
    case ToolCursor::ShapeTriangle:
        return penVariants[4];
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace quorvel
