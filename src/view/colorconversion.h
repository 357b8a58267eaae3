// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"

#include <QColor>

namespace quorvel {

// Turns a stored colour value 0x00BBGGRR into a QColor. A value with the high
// byte set names a system colour by its low byte (the classic indices 0..30);
// it is looked up in a fixed table of the classic desktop scheme, since the
// documents were made against those colours. Unknown indices give black.
QColor colourFromValue(ColourValue value);

// The same with an opacity percentage 0..100 as alpha round(percent / 100 x 255).
QColor colourFromValue(ColourValue value, int opacityPercent);

// Alpha 0..255 of an opacity percentage, clamped.
int opacityAlpha(int opacityPercent);

} // namespace quorvel
