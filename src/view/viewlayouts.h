// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentlayouts.h"
#include "drawcontext.h"
#include "textmarkup.h"
#include "typecodes.h"

#include <QRect>
#include <QSize>
#include <array>

class QPainter;

namespace quorvel {

class Document;

// The moments at which the page composition hands over to the layout of a
// document type. A layout has a hook for the moments it needs; the
// composition runs the hook of the open document's type.
enum class LayoutPhase {
    Background, // right after the base picture is drawn (cluster baskets)
    // before the page without objects is kept (single questions, multiple choice)
    BeforePageWithoutObjects,
    AfterPageWithoutObjects, // after it (cloze, cluster, cross matching, crossword)
    Overlay,                 // once the objects are drawn: overlay drawing of the second group
};

// What a hook gets: the document (its objects may be moved or made), a painter
// on a page of `size` pixels (a screen picture, a printer or a recorded
// picture alike), the part of the page being composed (the whole page, or the
// rectangle of a single redraw: the painter is clipped to it), the scale S,
// the current question (a layout may correct it), the exercise presentation
// and the layer switches (what a layout draws into the page follows them).
// A hook leaves the painter's state as it found it.
struct LayoutHookContext {
    Document& document;
    QPainter& painter;
    QSize size;
    QRect clip;
    double s;
    int& currentQuestion;
    const ExercisePresentation& exercise;
    std::array<bool, 4> layers{true, true, true, true};
};

// The layouts of the document types as the view needs them: the generators
// (DocumentLayouts), the composition hooks and the gap step of the cloze text.
// Implemented by LayoutSet in the layouts library; the composer takes it
// explicitly.
class ViewLayouts : public DocumentLayouts {
public:
    // Whether the layout of `dokTyp` draws at `phase`.
    virtual bool hasHook(DokTyp dokTyp, LayoutPhase phase) const = 0;

    // Runs the hook of the document's type for `phase`; nothing when it has none.
    virtual void runHook(LayoutPhase phase, LayoutHookContext& context) const = 0;

    // A gap step for callers that render a cloze text in mode 99 outside the
    // cloze layout (TextMarkupParams::gapStep); empty when none is set, and
    // gaps then take their standard width. The cloze layout itself hands the
    // renderer a step of its own run, which makes or moves the gap objects.
    virtual const ClozeGapStep& clozeGapStep() const = 0;
};

} // namespace quorvel
