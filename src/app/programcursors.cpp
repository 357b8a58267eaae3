#include "programcursors.h"

#include "artwork.h"

#include <QPixmap>

namespace quorvel {

namespace {

QCursor fromPicture(const CursorPicture& picture)
{
    return QCursor(QPixmap::fromImage(picture.image), picture.hotSpot.x(), picture.hotSpot.y());
}

} // namespace

ProgramCursors ProgramCursors::create()
{
    ProgramCursors cursors;
    cursors.ziehen = QCursor(Qt::ClosedHandCursor);
    cursors.stift = fromPicture(penCursorPicture());
    cursors.hand = QCursor(Qt::PointingHandCursor);
    cursors.textField = QCursor(Qt::IBeamCursor);
    cursors.stempel = fromPicture(stampCursorPicture());
    for (int i = 0; i < 5; ++i)
        cursors.penVariants[i] = fromPicture(shapePenCursorPicture(i + 1));
    return cursors;
}

} // namespace quorvel
