// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerect.h"

#include <QString>

namespace quorvel {

class Document;
class LayoutSet;

// What the single-question and the multiple-choice layout share: the page of
// one question at a time, with a heading, five navigation buttons and the
// main window's current question.

// A layout makes at most this many questions; the rest of a hostile document
// is left out, so that it cannot exhaust memory.
inline constexpr int kMaxLaidOutQuestions = 10000;

// The margins L, T, R, B of the question page: `EinrueckRand`, each side
// within 0..1.
PageRect questionMargins(const Document& document);

// Appends the navigation buttons "|<", "<", ">", ">|" and "?" (`Typ` 14, 12,
// 13, 15, 16) on the layer "Infopunkte", 0.06 of the page apart from L, at
// 1 - B - 0.03, with `FrageNummer` -1.
void addNavigationButtons(Document& document, const PageRect& margins);

// The width limit (a fraction of the page width) that keeps a card placed to
// the right of x within the right margin: a long question or answer wraps
// there instead of running off the page. Never below a sliver, so that a
// card at the margin still shows something.
double widthToRightMargin(const PageRect& margins, double x);

// Gives the stored single-question texts and answers (`Typ` 10, 11) their
// width limits; the limits are not stored, so reading needs this.
void boundSingleQuestionTexts(Document& document);

// Where the "OK" button of a question goes: at `x` unless its card would lie
// on a navigation button there, then right of the last one. `y` is its row,
// `pageAspect` the page's width / height.
double okButtonX(const PageRect& margins, double x, double y, double pageAspect);

// The page width / height of `document`: its base picture with the margin;
// 2 (wide, the safe guess for overlaps) when it has no base picture.
double pageAspectOf(const Document& document);

// "Frage Nr. k von n".
QString questionHeading(int k, int n);

// The current question after a layout of `count` questions: -1 without
// questions, 1 when it lies outside 1..count, else unchanged.
int correctedQuestion(int current, int count);

// Puts both layouts into `layouts`: the generators (after reading the
// multiple-choice questions are built; single questions come from the file as
// stored; after the page geometry changes both build) and the composition hook that
// corrects the current question before the page without objects is kept.
void addQuestionLayouts(LayoutSet& layouts);

} // namespace quorvel
