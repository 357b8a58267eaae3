// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

namespace quorvel {

class Document;
class LayoutSet;
class RandomGenerator;

// The cross-matching layout (`DokTyp` 5; any other type is left as it is)
// on a page of `page` pixels. With `build` the elements (`Typ` 50 to 53) are
// removed and made anew, row by row: the first pairing (columns 0 and 1,
// keys "Paar#r"), then with three columns the second (columns 1 and 2, keys
// "Paar2#r"); each right partner gets the matching line to the point at its
// left partner. Without it nothing changes.
void layOutCrossMatching(Document& document, QSize page, bool build);

// Moves the query elements of the right-hand columns so that none stays in
// its own row; static elements keep their rows. The target points stay, but
// with three columns a right-hand item's point follows its middle item, and
// a right-hand query never ends beside its own middle item. A column with a
// single query element leaves it where it is. Always ends. Does nothing
// unless the document is a cross matching.
void shuffleCrossMatching(Document& document, RandomGenerator& random);

// What the exercise run calls: with `exercise` it builds the elements anew
// and shuffles them for the run, without it it builds the learning view's
// layout again (after an aborted run).
void prepareCrossMatching(Document& document, bool exercise, RandomGenerator& random);

// Puts the cross-matching layout's generator (building on the design page)
// into `layouts`.
void addCrossMatchingLayout(LayoutSet& layouts);

} // namespace quorvel
