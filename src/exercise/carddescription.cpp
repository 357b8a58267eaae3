// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddescription.h"

#include "cardcolumn.h"
#include "objdata.h"
#include "rounding.h"

#include <algorithm>

namespace quorvel {

namespace {
bool isPictureCard(Typ t) {
    return t == Typ::QueryPicture || t == Typ::TableQueryPicture || t == Typ::ClusterQueryPicture;
}
// A card taller than this is not made from a picture's proportions.
constexpr double kTallestCard = 4000.0;
} // namespace

CardDescription describeCards(DokTyp dokTyp, QueryMode mode) {
    using H = CardDescription::Handling;
    using P = CardDescription::Placement;
    CardDescription d;
    switch (dokTyp) {
    case DokTyp::SingleQuestions:
        d.handling = H::Click;
        d.placement = P::QuestionSlots;
        d.openTarget = OpenTarget::Card;
        d.handCursor = true;
        return d;
    case DokTyp::MultipleChoice:
        d.handling = H::Click;
        d.openTarget = OpenTarget::Card;
        d.handCursor = true;
        d.entryCards = false;
        d.buttonCards = true;
        d.tickBoxCards = true;
        d.cardsPerQuestion = true;
        return d;
    case DokTyp::Cluster:
        d.baskets = true;
        d.openTarget = OpenTarget::Nothing;
        d.placement = mode == QueryMode::SingleCard ? P::SingleCard : P::Stacks;
        return d;
    case DokTyp::CrossMatching:
        d.handling = H::Click;
        d.placement = P::MatchingSquares;
        d.handCursor = true;
        d.matching = true;
        return d;
    default:
        break;
    }
    // Labelling, cloze, crossword and any type the program does not know.
    if (mode == QueryMode::TextInput) {
        d.handling = H::TextInput;
        d.openTarget = OpenTarget::Nothing;
        d.entryCards = false;
        d.buttonCards = true;
        d.gapWidthFields = dokTyp == DokTyp::Cloze;
        return d;
    }
    d.placement = mode == QueryMode::SingleCard ? P::SingleCard : P::Stacks;
    return d;
}

CardLook cardLookOf(const ObjDataTyp& object) {
    const Typ t = typOf(object);
    if (isPictureCard(t))
        return CardLook::Picture;
    if (t == Typ::MCAnswerBox)
        return CardLook::TickBox;
    if (t == Typ::MCOkButton)
        return CardLook::Button;
    if (t == Typ::MatchingQueryText || t == Typ::MatchingQueryPicture)
        return CardLook::Element;
    return CardLook::Text;
}

int cardHeightOf(const ObjDataTyp& o) {
    if (!isPictureCard(typOf(o)) || o.Bild.isNull() || o.Bild.width() < 1)
        return kCardHeight;
    if (o.BildkarteAnpassen == 0 || o.Bild.height() <= kCardHeight - 4)
        return kCardHeight;
    const double h = double(kCardWidth - 44) * o.Bild.height() / o.Bild.width() + 4.0;
    return std::max(kCardHeight, rnd(std::min(h, kTallestCard)));
}

} // namespace quorvel
