// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace quorvel {

// Text wrapped at word boundaries into a box, as QPainter::drawText sets it
// with Qt::TextWordWrap, with the work bounded by the box instead of the text:
// lines below the box are never laid out, so clues of millions of characters
// cost little more than a full box.

// The height of the whole of `text` wrapped at `width`.
int wrappedHeight(const QFont& font, int width, const QString& text);

// Whether `text` wrapped at the box's width is no taller than the box.
bool fitsWrapped(const QFont& font, QSize box, const QString& text);

// The start of `text` that shows in `box` (top-aligned, wrapped at its
// width): everything up to the end of the first line that reaches below the
// box. What is cut off lies wholly below the box, so drawing the result looks
// the same as drawing the whole text clipped to the box.
QString visibleWrapped(const QFont& font, QSize box, const QString& text);

} // namespace quorvel
