// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "typecodes.h"

#include <QPointF>
#include <QRectF>
#include <array>

namespace quorvel {

class Document;
struct ObjDataTyp;
class RandomGenerator;

// Commands of the learning view that only change the document or the main
// window's view state; the caller recomposes or redraws as each one says.

// Whether `object` can be hit by a click at all: its type (question-bound
// types only for the current question, cross-matching elements only while
// active) and its layer switched on.
bool isHitCandidate(const ObjDataTyp& object, const std::array<bool, 4>& layers,
                    int currentQuestion);

// The index of the object whose card contains `pagePoint` (page fractions):
// the largest `ZIndex` first and, within one, the later list entry first.
// -1 when nothing is hit.
int hitObject(const Document& document, const std::array<bool, 4>& layers, int currentQuestion,
              QPointF pagePoint);

// What a click does with the hit object.
enum class ClickEffect { Nothing, Toggle, OpenPoint, ChangeQuestion };
ClickEffect clickEffect(Typ typ);

// Toggles a query field between covered (-1) and uncovered (0); the caller
// redraws this object only.
void toggleCover(ObjDataTyp& object);

// A pointer click at `pagePoint` (page fractions): the hit object and what
// the click does with it. A query field is toggled here already; the caller
// redraws it, opens the point or changes the question.
struct ClickResult {
    ClickEffect effect = ClickEffect::Nothing;
    int index = -1;
};
ClickResult clickAt(Document& document, const std::array<bool, 4>& layers, int currentQuestion,
                    QPointF pagePoint);

// Whether the question buttons and keys work: a document of single or
// multiple-choice questions with `AnzFrageNummern` > 0.
bool hasSingleQuestions(const Document& document);

// Covers (-1) or uncovers (0) every object; the caller recomposes. Covering
// reaches non-query objects as well; the next numbering uncovers them again.
void coverAll(Document& document);
void uncoverAll(Document& document);

// Ctrl+Plus / Ctrl+Minus on the keypad: two levels up while the level is at
// most 3, two down while it is above 0; otherwise the level stays.
int zoomLevelUp(int step);
int zoomLevelDown(int step);

// The question after a question navigation button, or a key that acts as one
// (Left, Right, Home, End), with `count` questions. The random button draws
// until the question differs; with one question it gives 1. Other types keep
// the current question.
int newQuestion(Typ button, int current, int count, RandomGenerator& random);

// Scrolling by a tenth of the section's own width or height, as page
// fractions (dx, dy) for the composer; the composer keeps it inside the page.
enum class ScrollDirection { Left, Right, Up, Down };
QPointF scrollStep(const QRectF& section, ScrollDirection direction);

} // namespace quorvel
