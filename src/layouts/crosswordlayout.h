// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class QPainter;

namespace quorvel {

class Document;
class LayoutSet;
struct CrosswordData;

// The cells of the grid that hold something (start markers count), as
// inclusive bounds; all 0 when the grid is empty.
struct CrosswordExtent {
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};
CrosswordExtent crosswordExtent(const CrosswordData& crossword);

// The letter size of the letter objects: rnd(30 / e x 2 - 5), e the larger
// extent of the grid (at least 1).
int crosswordLetterSize(const CrosswordExtent& extent);

// The clue text: the across list, then (when there are across clues) a line
// break, then the down list; each list starts with a blank line that is the
// place of its heading and is left out when it has no clue.
QString crosswordClueText(const CrosswordData& crossword);
// The two lists on their own (empty without clues).
QString crosswordClueList(const CrosswordData& crossword, bool across);

// The crossword layout (`DokTyp` 6; any other type is left as it is): draws
// the grid and the clue box onto `canvas` (null: nothing is drawn) of a page
// of `page` pixels; with `build` it also sets `TextCol` and makes the letter
// objects (`Typ` 60) anew.
void layOutCrossword(Document& document, QSize page, QPainter* canvas, bool build);

// Puts the crossword layout into `layouts`: the generator (building on the
// design page) and the drawing of the page on every composition.
void addCrosswordLayout(LayoutSet& layouts);

} // namespace quorvel
