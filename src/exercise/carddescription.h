// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcontext.h"
#include "exercisesettings.h"
#include "typecodes.h"

namespace quorvel {

struct ObjDataTyp;

// How the exercise panel shows and works the cards of a run: the one place
// that knows how each document type plays on screen. The panel reads these
// fields and never asks for the document type itself, so a new type needs
// one more description here and no change in the panel.
struct CardDescription {
    // How the user answers with a card.
    enum class Handling {
        Drag,     // cards are dragged onto targets (or into baskets)
        Click,    // cards, tick boxes and elements are clicked
        TextInput // input fields stand at the targets; only buttons are cards
    };
    // Where the cards of `AbfrageFolge` stand.
    enum class Placement {
        Stacks,         // the fanned stacks of the card column
        SingleCard,     // one card at a time, in the middle of the card column
        QuestionSlots,  // the answer slots of a single question
        MatchingSquares // the click squares beside the cross-matching elements
    };

    Handling handling = Handling::Drag;
    Placement placement = Placement::Stacks;
    // Dragged cards go into the baskets of a cluster, not onto objects.
    bool baskets = false;
    // What an open target shows on the page.
    OpenTarget openTarget = OpenTarget::Mark;
    // Every card takes the hand cursor (else the move arrow; buttons always
    // take the hand).
    bool handCursor = false;
    // Cards of `AbfrageFolge` are made (else only the object cards below).
    bool entryCards = true;
    // The objects that get a card of their own: the "Weiter" button, and the
    // tick boxes of multiple choice.
    bool buttonCards = false;
    bool tickBoxCards = false;
    // Object cards show only with their question.
    bool cardsPerQuestion = false;
    // The cards follow the elements' marks (cross matching: an element shows
    // while it takes part), they are never removed, the selected ones are
    // marked, and every change draws the whole page again (a line came).
    bool matching = false;
    // Input fields are at least as wide as the document's smallest gap.
    bool gapWidthFields = false;
};

// The description for a run of `dokTyp` in query mode `mode`.
CardDescription describeCards(DokTyp dokTyp, QueryMode mode);

// What a single card looks like, by the object it stands for.
enum class CardLook { Text, Picture, TickBox, Button, Element };
CardLook cardLookOf(const ObjDataTyp& object);

// The card's height: the default, or for a picture card with
// `BildkarteAnpassen` the height that shows the picture at the card's width.
int cardHeightOf(const ObjDataTyp& object);

} // namespace quorvel
