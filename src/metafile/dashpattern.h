// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPolygon>

namespace quorvel {

// Cuts `lines` into the dashes of `pattern` (dash and gap lengths taking
// turns, in the lines' units), starting `offset` into the pattern. Readers of
// metafiles draw wide dashed pens solid, so dashes are written as lines of
// their own. Empty when the pattern is unusable or gives more than
// `maxDashes` dashes; the caller then draws the lines solid.
QList<QPolygon> dashedLines(const QList<QPolygon>& lines, const QList<double>& pattern,
                            double offset, qsizetype maxDashes);

} // namespace quorvel
