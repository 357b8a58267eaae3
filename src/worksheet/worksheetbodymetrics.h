// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The height of the text "X" at character height `n` in `fontFamily`, in page
// units: the full height of a line of that font, as the line renderer
// measures it.
int letterHeight(const QString& fontFamily, int n);

} // namespace quorvel
