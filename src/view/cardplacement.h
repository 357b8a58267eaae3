// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "typecodes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

struct ObjDataTyp;

// The side an automatic card takes from its target point (sx, sy) to its card
// point (kx, ky) on a page of the given width / height: above or below when
// the vertical distance (in width units) is larger, else right or left; an
// exact diagonal goes right or left.
CardSide automaticPage(double sx, double sy, double kx, double ky, double pageAspect);

// The side the card of `object` is drawn on (1..5). For "automatisch" the side
// in `KAusrAkt` is used; when that is unset it is computed and kept there.
// Values outside 0..5 count as centred.
CardSide cardSide(ObjDataTyp& object, double pageAspect);

// The card rectangle of `size` at a gap of `distance` pixels from the card
// point `point` on `page`.
QRect placeCard(QPoint point, QSize size, CardSide page, int distance);

// The card point of an object in page picture pixels.
QPoint cardPoint(const ObjDataTyp& object, QSize pagePicture);

// A page point (fractions) in page picture pixels, bounded to four page
// sizes around the page so that no value from a file overflows what is
// computed from it. The stored fractions stay as they are.
QPoint pagePoint(double x, double y, QSize pagePicture);

// Whether the card position (and the target point of a target line) are
// numbers: an object with a NaN or infinite position is not drawn at all.
bool hasFinitePosition(const ObjDataTyp& o);

// Records a drawn card in `KartRect` (fractions of the page) and its size in
// `KartBreite`/`KartHoehe`.
void rememberCard(ObjDataTyp& object, const QRect& card, QSize pagePicture);

// `KartRect` of an object in page picture pixels; empty while it was never drawn.
QRect rememberedCard(const ObjDataTyp& object, QSize pagePicture);

} // namespace quorvel
