// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace quorvel {

// The fonts and heights of the worksheet page. A character height n is a
// font whose em height is n page units; h(n) is the height the text "X"
// takes at that height: the font's full cell height, as the line renderer
// measures its texts.

// The font `family` at character height `n` (at least 1).
QFont worksheetFont(const QString& family, int n, bool bold = false);

// h(n) of `family` in normal weight.
int xHeight(const QString& family, int n);

} // namespace quorvel
