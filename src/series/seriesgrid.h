// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seriesentry.h"

#include <QString>
#include <vector>

namespace quorvel {

// A weight or time typed into the grid: a number that cannot be read counts
// as 0, decimals (comma or point) are rounded.
int seriesGridNumber(const QString& text);

// Moves the entry at `from` to `to`; the entries in between shift by one.
// Positions outside the list change nothing.
void moveSeriesEntry(std::vector<UebungsserieDokTyp>& entries, int from, int to);

} // namespace quorvel
