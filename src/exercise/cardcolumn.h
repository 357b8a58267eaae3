// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "typecodes.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstddef>
#include <vector>

namespace quorvel {

// Where the exercise panel puts its cards and fields, in panel (or view)
// pixels. Pure geometry: the panel widget and the benchmark share it.

inline constexpr int kCardWidth = 180;
inline constexpr int kCardHeight = 46;
// Cards may not stack above this line; a new stack starts instead.
inline constexpr int kCardColumnTop = 100;

// The card stacks for cards of `heights`, given in `AbfrageFolge` order: the
// last entry is placed first, with its bottom on the panel's bottom edge, and
// each further card 2 pixels above the previous one; a card that would reach
// above the top line starts the next stack, 12 pixels further left and 7
// pixels per stack higher, but never left of the panel. Returns one
// rectangle per entry.
std::vector<QRect> stackCards(QSize panel, const std::vector<int>& heights);

// How many of the first entries of `heights` the stacks hold while the
// picture keeps half the panel (and at least four stacks fit): with more
// cards than that, the others wait until cards are used up. At least one.
size_t cardsInStacks(QSize panel, const std::vector<int>& heights);

// The card of the single-card mode: in the card column, centred vertically.
QRect singleCardRect(QSize panel, int height);

// The width left for the picture beside the cards placed at `cards` (the
// leftmost card's edge minus 5), never below `minimum`.
int pictureAreaWidth(QSize panel, const std::vector<QRect>& cards, int minimum = 50);

// The answer slot `slot` (0..5) of a single question: three columns, two
// rows, sized by the usable picture (the page without its margins) and
// starting at `origin`.
QRect questionSlotRect(int slot, QSize usable, QPoint origin);

// The objects that get an input field in text-input mode.
inline bool isTextInputTyp(int typ) {
    return typ == codeOf(Typ::QueryLabel) || typ == codeOf(Typ::ClozeGap) ||
           typ == codeOf(Typ::CrosswordCell);
}

// An input field of `size` at card anchor `anchor` on card side `side`
// (right, above, left, below; automatic and centred: centred); `gap` is the
// distance kept above or below the anchor.
QRect inputFieldRect(QPoint anchor, QSize size, CardSide side, int gap);

// The 40 x 40 click square of a cross-matching element: 9 pixels right of
// the anchor for even positions of `AbfrageFolge`, 50 pixels left of it for
// odd ones, its top 20 pixels above it.
QRect matchingSquare(QPoint anchor, bool evenPosition);

// A multiple-choice tick box of side `side`: its left edge 10 pixels right
// of `anchor`, centred vertically on it.
QRect tickBoxRect(QPoint anchor, int side);

} // namespace quorvel
