#pragma once

#include "drawcontext.h"

#include <QImage>
#include <QRect>
#include <functional>

namespace quorvel {

class Document;

// The moments at which the page composition hands over to the layout of a
// document type. The layouts register for the moments they need; the
// composition runs the hook of the open document's type.
enum class LayoutPhase {
    Background, // right after the base picture is drawn (cluster baskets)
    // before the page without objects is kept (single questions, multiple choice)
    BeforePageWithoutObjects,
    AfterPageWithoutObjects, // after it (cloze, cluster, cross matching, crossword)
    Overlay,        // once the objects are drawn: overlay drawing of the second group
};

// What a hook gets: the document (its objects may be moved or made), the page
// picture to draw on, the part of it being composed (the whole picture, or the
// rectangle of a single redraw: drawing must stay inside it), the scale S, the
// current question (a layout may correct it) and the exercise presentation.
struct LayoutHookContext {
    Document& dokument;
    QImage& seite;
    QRect clip;
    double s;
    int& currentQuestion;
    const ExercisePresentation& exercise;
};

using LayoutHook = std::function<void(LayoutHookContext&)>;

// Registers the hook of `dokTyp` for `phase`, replacing an earlier one; an
// empty function removes it.
void registerViewLayoutHook(int dokTyp, LayoutPhase phase, LayoutHook hook);

bool hasLayoutHook(int dokTyp, LayoutPhase phase);

// Runs the hook of the document's type for `phase`, if there is one.
void runViewLayoutHook(LayoutPhase phase, LayoutHookContext& kontext);

} // namespace quorvel
