// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcontext.h"

#include <QRect>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// Whether a running exercise shows `object` by a target mark (or by nothing)
// instead of its card: open (-5), closed (-4), wrong (-3) and solved (-2)
// targets, and every target when only targets are asked for.
bool showsExerciseMark(const DrawContext& context, const ObjDataTyp& object, DrawMode art);

// The box of the target mark of `object` in its present state, in page
// picture pixels (nothing is drawn or recorded).
QRect exerciseMarkBox(const DrawContext& context, ObjDataTyp& object);

// Draws the target mark of `object` by its `AbfrageStatus`, its box placed on
// the card side exactly as the card would be, and records the box as the card.
// An open mark is shrunk to `Zielpunktgroesse` percent and not drawn at 0; with
// `current` false it is the grey mark of a position not asked now. Returns the
// pixels drawn (empty when nothing was drawn).
QRect drawExerciseMark(QPainter& painter, const DrawContext& context, ObjDataTyp& object,
                       bool current);

} // namespace quorvel
