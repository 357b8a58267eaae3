// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clozelayout.h"
#include "textmarkup.h"
#include "typecodes.h"

#include <QStringList>

namespace quorvel {

// What the flowing and the table layout of the cloze text share.

// The renderer's parameters for one cloze line at character height
// `charHeight` on `page` (cloze mode 99, the document font and text colour,
// the page's right edge); the caller sets the left x, the right limit, the
// top y and the gap step.
TextMarkupParams clozeLineParams(const Document& document, const ClozePage& page, int charHeight,
                                 bool measure, bool build);

// The source lines of a text, each without its trailing blanks.
QStringList clozeSourceLines(const QString& text);

// The indent `EinrueckRand` with every side taken within 0..1 (NaN as 0): the
// stored values stay, but an absurd one from a file cannot overflow the
// pixel arithmetic.
PageRect boundedIndent(const PageRect& indent);

// The objects each layout removes and makes anew when it builds.
bool isOwnedByClozeText(Typ typ);
bool isOwnedByClozeTable(Typ typ);
bool isClozeTableCell(Typ typ);

} // namespace quorvel
