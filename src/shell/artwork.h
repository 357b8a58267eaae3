// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>

class QPainter;

namespace quorvel {

// The pictures the program draws for itself. They are painted in code, so
// nothing but Qt is needed to produce them (no font: they contain no text).

// The program's emblem (the icon motif: a document page with a picture, a
// covered query field and a label) inside `box`; `withBackground` adds the
// blue rounded square of the application icon.
void drawEmblem(QPainter& painter, const QRectF& box, bool withBackground);

// The application icon, `edge` pixels square, with alpha.
QImage programIcon(int edge);

// The base picture shown while no document is open.
QImage drawStartPicture(QSize size = QSize(870, 609));

// The picture every dialog's background is stretched from (nine-slice with
// 30-pixel corners).
QImage dialogDecoration();
inline constexpr int kDecorationCorner = 30;

// A mouse cursor picture and its hot spot.
struct CursorPicture {
    QImage image;
    QPoint hotSpot;
};
CursorPicture penCursorPicture();
CursorPicture stampCursorPicture();
// The shape pens: 1 line, 2 arrow, 3 rectangle, 4 ellipse, 5 triangle.
CursorPicture shapePenCursorPicture(int variant);

} // namespace quorvel
