// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "textmarkup.h"
#include "worksheetbody.h"

#include <functional>

namespace quorvel {

// The cloze body's text area and size steps, shared by the flowing text and
// the table.

// The size steps of the cloze text: below 48 multiples of 0.5, from 48 to
// below 56 whole numbers, from 56 on even numbers; `size` is taken down to
// its step.
double clozeSizeStep(double size);

// The first size of the cloze text for the font adjustment -10..10.
double clozeStartSize(int fontAdjust);

// The character height of size `size`: rnd(size x 0.625).
int clozeCharHeight(double size);

// The character height the cloze text gets: the first size from the start
// size for `fontAdjust` down, step by step, at which `fits` holds, or the
// first size of 8 or below when none does. A text never gets longer at a
// smaller size, so the steps are searched by halving rather than one by one.
int fittingClozeHeight(int fontAdjust, const std::function<bool(int charHeight)>& fits);

// The text column and the room the cloze text has on the page.
struct ClozeArea {
    int left = 0;   // xl
    int width = 0;  // tw
    int top = 0;    // yt
    int bottom = 0; // yb
};

// The parameters of one line-renderer call on the worksheet: the document
// font at `charHeight`, the text from `left` to `right` (right limit 0),
// black unless said otherwise.
TextMarkupParams worksheetTextParams(const WorksheetBodyContext& context, int charHeight, int mode,
                                     int left, int right, int top, bool measureOnly);

// Renders `text` line by line as renderText does, but stops after the
// source line that ends below `stopY`: what lies below the page is not drawn.
int renderTextDownTo(TextMarkupParams params, const QString& text, int stopY);

// The table cloze from the area's top; returns the end of the last row.
int drawClozeTable(WorksheetBodyContext& context, const ClozeArea& area);

} // namespace quorvel
