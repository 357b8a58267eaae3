// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "textmarkup.h"

#include <QSize>
#include <QString>
#include <cstddef>

class QPainter;

namespace quorvel {

class Document;
class LayoutSet;

// The page the cloze layout works on: the size W x H in pixels of the page
// picture, and the canvas the text and the grid lines go onto (null: the
// objects are made or moved, nothing is drawn). Positions given to objects
// are fractions of W and H.
struct ClozePage {
    QSize size;
    QPainter* canvas = nullptr;     // not owned
    bool textLayerVisible = true;   // " Texte && Bilder ": the text is drawn
    bool layoutLayerVisible = true; // " Layout  ": the table's grid lines are drawn
    bool exerciseRunning = false;   // draws both whatever the layers say
};

// The cloze layout of a document (`DokTyp` 1; any other type is left as it
// is). Subtype 1 is laid out as the gap table, every other one as flowing
// text. With `build` the objects the layout owns (gaps, distractor cards,
// table cells) are removed and made anew in text order, row by row, column
// by column; without it nothing is made and the existing ones are moved, in
// list order, to where the page puts them (surplus gaps or cells move
// nothing). The flowing layout remembers its final character height in
// `Document::clozeFontSize`.
void layOutCloze(Document& document, const ClozePage& page, bool build);

// The two layouts on their own (called by layOutCloze by subtype).
void layOutClozeText(Document& document, const ClozePage& page, bool build);
void layOutClozeTable(Document& document, const ClozePage& page, bool build);

// The character height of the cloze text before shrinking: rnd(W / 870 x 22).
int clozeBaseFontSize(int pageWidth);
// What one shrink step takes from a character height s: max(1, rnd(s x 0.1)).
int clozeShrinkStep(int charHeight);
// Below this character height the text is no longer measured (it may run
// past the bottom of the page).
inline constexpr int kClozeMinMeasuredHeight = 9;

// The height a picture cell of the gap table takes:
// rnd((Fsize x 2 + 22) x 1.115 x W / 870 + H x 0.028).
int clozeTablePictureHeight(int fsize, QSize page);

// The page the layout builds on while no view exists yet (after reading):
// 870 pixels wide, as high as the page's aspect ratio gives. The first
// composition moves the objects to the view's page.
QSize clozeDesignPage(const Document& document);

// Makes or moves the gap objects (`Typ` 3) as the text renderer meets the
// gaps of one pass (cloze mode 99): hand gapStep() to the renderer's calls.
// Building appends a gap per gap met while drawing; not building moves the
// next existing gap object after the one taken last. Measuring only
// returns the width.
class ClozeGapPlacer {
public:
    ClozeGapPlacer(Document& document, QSize page, bool build);

    // The step refers to this placer, which must outlive the calls.
    ClozeGapStep gapStep();

    // Makes or moves the gap object of `request` and returns the gap's width
    // in the request's font: the widest of " XX", " " + first alternative and
    // " " + `MinLuecke` letters "X". Its card point is the gap's centre, "X"
    // high plus 4 pixels below the line's top.
    int place(const ClozeGapRequest& request);

private:
    Document& m_document;
    QSize m_page;
    bool m_build;
    std::size_t m_next = 0; // where the search for the next gap object starts
};

// Puts the cloze layout into `layouts`: the generator (building on the
// design page) and the composition hook (moving and drawing on the view's
// page, after the page without objects is kept).
void addClozeLayout(LayoutSet& layouts);

} // namespace quorvel
