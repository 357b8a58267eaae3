// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// The target line from (`Sx`, `Sy`) to (`Kx`, `Ky`) in `LinieFarbe`, `LinieDicke`
// (1..5) pixels thick: the band that `LinieDicke` x `LinieDicke` parallel
// one-pixel lines offset from -`LinieDicke`/2 cover, so thick lines end square.
// When the card point lies inside `card` (a centred card) the line ends at the
// card's edge instead, so that it does not strike through the card's text.
void drawTargetLine(QPainter& painter, const ObjDataTyp& object, QSize pagePicture,
                    const QRect& card = QRect());

} // namespace quorvel
