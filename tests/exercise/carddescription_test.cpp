// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardcolumn.h"
#include "carddescription.h"
#include "objdata.h"

#include <gtest/gtest.h>

using namespace quorvel;

namespace {

ObjDataTyp pictureCard(Typ typ, QSize picture, int fit) {
    ObjDataTyp o;
    o.Typ = int(typ);
    o.Bild = QImage(picture, QImage::Format_RGB32);
    o.BildkarteAnpassen = fit;
    return o;
}

} // namespace

// A picture card grows to show its picture at the card's width only when
// asked to and when the picture is taller than the card; text cards never.
TEST(CardDescription, PictureCardsGrowOnlyWhenAskedAndNeeded) {
    struct Case {
        Typ typ;
        QSize picture;
        int fit;
        int height;
    };
    const Case cases[] = {
        {Typ::QueryPicture, {136, 272}, 1, 276},      // (180 - 44) * 2 + 4
        {Typ::ClusterQueryPicture, {136, 68}, 1, 72}, // half as tall
        {Typ::TableQueryPicture, {136, 272}, 0, kCardHeight},
        {Typ::QueryPicture, {400, 42}, 1, kCardHeight}, // fits the card already
        {Typ::QueryPicture, {136, 20}, 1, kCardHeight},
        {Typ::QueryLabel, {136, 272}, 1, kCardHeight}, // not a picture card
        {Typ::QueryPicture, {1, 100000}, 1, 4000},     // bounded, however tall
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.typ));
        EXPECT_EQ(cardHeightOf(pictureCard(c.typ, c.picture, c.fit)), c.height);
    }
}

// Every document type is answered one way; text input leaves only buttons.
TEST(CardDescription, TypesPlayAsTheyAreAnswered) {
    using H = CardDescription::Handling;
    EXPECT_EQ(describeCards(DokTyp::PictureLabelling, QueryMode::Free).handling, H::Drag);
    EXPECT_EQ(describeCards(DokTyp::Cloze, QueryMode::TextInput).handling, H::TextInput);
    EXPECT_TRUE(describeCards(DokTyp::Cloze, QueryMode::TextInput).gapWidthFields);
    EXPECT_FALSE(describeCards(DokTyp::Crossword, QueryMode::TextInput).gapWidthFields);
    EXPECT_TRUE(describeCards(DokTyp::Cluster, QueryMode::SingleCard).baskets);
    EXPECT_EQ(describeCards(DokTyp::Cluster, QueryMode::SingleCard).placement,
              CardDescription::Placement::SingleCard);
    EXPECT_EQ(describeCards(DokTyp::SingleQuestions, QueryMode::SingleCard).placement,
              CardDescription::Placement::QuestionSlots);
    const CardDescription choice = describeCards(DokTyp::MultipleChoice, QueryMode::Free);
    EXPECT_EQ(choice.handling, H::Click);
    EXPECT_FALSE(choice.entryCards);
    EXPECT_TRUE(choice.tickBoxCards && choice.buttonCards && choice.cardsPerQuestion);
    EXPECT_TRUE(describeCards(DokTyp::CrossMatching, QueryMode::Free).matching);
    // A type the program does not know plays as labelling does.
    EXPECT_EQ(describeCards(DokTyp(99), QueryMode::Free).handling, H::Drag);
}
