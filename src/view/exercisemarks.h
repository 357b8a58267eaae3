#pragma once

#include "drawcontext.h"

#include <QRect>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// Whether a running exercise shows `objekt` by a target mark (or by nothing)
// instead of its card: open (-5), closed (-4), wrong (-3) and solved (-2)
// targets, and every target when only targets are asked for.
bool showsExerciseMark(const DrawContext& kontext, const ObjDataTyp& objekt, DrawMode art);

// The box of the target mark of `objekt` in its present state, in page
// picture pixels (nothing is drawn or recorded).
QRect exerciseMarkBox(const DrawContext& kontext, ObjDataTyp& objekt);

// Draws the target mark of `objekt` by its `AbfrageStatus`, its box placed on
// the card side exactly as the card would be, and records the box as the card.
// An open mark is shrunk to `Zielpunktgroesse` percent and not drawn at 0; with
// `aktuell` false it is the grey mark of a position not asked now. Returns the
// pixels drawn (empty when nothing was drawn).
QRect drawExerciseMark(QPainter& painter, const DrawContext& kontext, ObjDataTyp& objekt,
                       bool aktuell);

} // namespace quorvel
