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
    Seitenhintergrund, // right after the base picture is drawn (cluster baskets)
    // before the page without objects is kept (single questions, multiple choice)
    VorSeiteOhneObjekte,
    NachSeiteOhneObjekte, // after it (cloze, cluster, cross matching, crossword)
    Ueberlagerung,        // once the objects are drawn: overlay drawing of the second group
};

// What a hook gets: the document (its objects may be moved or made), the page
// picture to draw on, the part of it being composed (the whole picture, or the
// rectangle of a single redraw: drawing must stay inside it), the scale S, the
// current question (a layout may correct it) and the exercise presentation.
struct LayoutHookKontext {
    Document& dokument;
    QImage& seite;
    QRect clip;
    double s;
    int& aktuelleFrage;
    const UebungsDarstellung& uebung;
};

using LayoutHook = std::function<void(LayoutHookKontext&)>;

// Registers the hook of `dokTyp` for `phase`, replacing an earlier one; an
// empty function removes it.
void registerViewLayoutHook(int dokTyp, LayoutPhase phase, LayoutHook hook);

bool hasViewLayoutHook(int dokTyp, LayoutPhase phase);

// Runs the hook of the document's type for `phase`, if there is one.
void runViewLayoutHook(LayoutPhase phase, LayoutHookKontext& kontext);

} // namespace quorvel
