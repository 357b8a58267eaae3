// SPDX-License-Identifier: GPL-3.0-or-later
#include "infotext.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "viewcommands.h"
#include "viewtestsupport.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::array<bool, 4> kAllLayers{true, true, true, true};

// A query field whose card covers the given fractions of the page.
ObjDataTyp field(int typ, PageRect card, int zIndex = 0) {
    ObjDataTyp o = object(typ, 0.5, 0.5);
    o.KartRect = card;
    o.ZIndex = zIndex;
    o.AbfrageStatus = AbfrageStatus::Covered;
    return o;
}

} // namespace

TEST(HitTest, TopmostZIndexThenLaterEntryWins) {
    Document d = emptyDocument(100, 100);
    d.objects.push_back(field(0, {0.1, 0.1, 0.6, 0.6}));
    d.objects.push_back(field(0, {0.3, 0.3, 0.8, 0.8}));
    EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.4, 0.4}), 1) << "same ZIndex: the later one";
    EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.2, 0.2}), 0);
    EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.9, 0.9}), -1);

    d.objects[0].ZIndex = 5;
    EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.4, 0.4}), 0) << "a larger ZIndex beats the list";
}

TEST(HitTest, HiddenLayersInactiveAndOtherQuestionsAreNotHit) {
    Document d = emptyDocument(100, 100);
    const PageRect everywhere{0.0, 0.0, 1.0, 1.0};
    d.objects.push_back(field(0, everywhere));
    std::array<bool, 4> layers = kAllLayers;
    layers[1] = false;
    EXPECT_EQ(hitObject(d, layers, 0, {0.5, 0.5}), -1) << "a covered field of a hidden layer";

    d.objects[0] = field(51, everywhere);
    EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.5, 0.5}), -1) << "inactive cross-matching element";
    d.objects[0].Aktiv = true;
    EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.5, 0.5}), 0);

    for (int typ : {10, 24, 28, 29}) {
        d.objects[0] = field(typ, everywhere);
        d.objects[0].FrageNummer = 2;
        EXPECT_EQ(hitObject(d, kAllLayers, 1, {0.5, 0.5}), -1) << typ;
        EXPECT_EQ(hitObject(d, kAllLayers, 2, {0.5, 0.5}), 0) << typ;
    }
    for (int typ : {9, 11, 20, 42, 52}) {
        d.objects[0] = field(typ, everywhere);
        EXPECT_EQ(hitObject(d, kAllLayers, 0, {0.5, 0.5}), -1) << typ;
    }
}

TEST(ViewCommands, ClickEffectsByType) {
    for (Typ typ : {Typ::QueryLabel, Typ::ClozeGap, Typ::QueryPicture, Typ::QuestionAnswer,
                    Typ::MCAnswerBox, Typ::TableQueryPicture, Typ::TableQueryText,
                    Typ::ClusterQueryText, Typ::ClusterQueryPicture, Typ::MatchingQueryText,
                    Typ::MatchingQueryPicture, Typ::CrosswordCell})
        EXPECT_EQ(clickEffect(typ), ClickEffect::Toggle) << codeOf(typ);
    for (Typ typ : {Typ::InfoPoint, Typ::ExternalLink, Typ::DocumentLink, Typ::PictureLink,
                    Typ::MCInfoPoint, Typ::MCLinkPoint, Typ::TablePictureLink})
        EXPECT_EQ(clickEffect(typ), ClickEffect::OpenPoint) << codeOf(typ);
    for (Typ typ : {Typ::PreviousQuestion, Typ::NextQuestion, Typ::FirstQuestion, Typ::LastQuestion,
                    Typ::RandomQuestion})
        EXPECT_EQ(clickEffect(typ), ClickEffect::ChangeQuestion) << codeOf(typ);
    for (Typ typ : {Typ::FixedLabel, Typ::FixedPicture})
        EXPECT_EQ(clickEffect(typ), ClickEffect::Nothing) << codeOf(typ);

    ObjDataTyp o = field(0, {});
    toggleCover(o);
    EXPECT_EQ(o.AbfrageStatus, AbfrageStatus::Uncovered);
    toggleCover(o);
    EXPECT_EQ(o.AbfrageStatus, AbfrageStatus::Covered);
}

TEST(ViewCommands, CoverAllReachesLabelsUntilTheNextNumbering) {
    Document d = emptyDocument(100, 100);
    d.objects.push_back(object(0, 0.2, 0.2, QStringLiteral("Feld")));
    d.objects.push_back(object(1, 0.5, 0.5, QStringLiteral("Etikett")));
    coverAll(d);
    EXPECT_EQ(d.objects[0].AbfrageStatus, AbfrageStatus::Covered);
    EXPECT_EQ(d.objects[1].AbfrageStatus, AbfrageStatus::Covered);

    RandomGenerator random(1);
    numberQueryFields(d, NumberingOrdered, random);
    EXPECT_EQ(d.objects[0].AbfrageStatus, AbfrageStatus::Covered)
        << "the query field stays covered";
    EXPECT_EQ(d.objects[1].AbfrageStatus, AbfrageStatus::Uncovered)
        << "numbering uncovers the label";

    uncoverAll(d);
    EXPECT_EQ(d.objects[0].AbfrageStatus, AbfrageStatus::Uncovered);
}

TEST(ViewCommands, ZoomStepsByTwoWithinBounds) {
    EXPECT_EQ(zoomLevelUp(0), 2);
    EXPECT_EQ(zoomLevelUp(2), 4);
    EXPECT_EQ(zoomLevelUp(3), 4);
    EXPECT_EQ(zoomLevelUp(4), 4);
    EXPECT_EQ(zoomLevelDown(4), 2);
    EXPECT_EQ(zoomLevelDown(1), 0);
    EXPECT_EQ(zoomLevelDown(0), 0);
}

TEST(ViewCommands, QuestionNavigationStaysWithinTheQuestions) {
    RandomGenerator random(7);
    struct Case {
        Typ typ;
        int current, count, expected;
    };
    const Case cases[] = {
        {Typ::PreviousQuestion, 1, 5, 1}, {Typ::PreviousQuestion, 3, 5, 2},
        {Typ::NextQuestion, 5, 5, 5},     {Typ::NextQuestion, 2, 5, 3},
        {Typ::FirstQuestion, 4, 5, 1},    {Typ::LastQuestion, 2, 5, 5},
        {Typ::RandomQuestion, 1, 1, 1},   {Typ::NextQuestion, 1, 1, 1},
        {Typ::QuestionText, 3, 5, 3}, // not a question button
    };
    for (const Case& f : cases)
        EXPECT_EQ(newQuestion(f.typ, f.current, f.count, random), f.expected)
            << codeOf(f.typ) << " from " << f.current << " of " << f.count;

    for (int i = 0; i < 50; ++i) {
        const int fresh = newQuestion(Typ::RandomQuestion, 2, 3, random);
        EXPECT_NE(fresh, 2);
        EXPECT_GE(fresh, 1);
        EXPECT_LE(fresh, 3);
    }
    EXPECT_EQ(newQuestion(Typ::RandomQuestion, 1, 2, random), 2)
        << "two questions: always the other one";
}

TEST(ViewCommands, ScrollStepIsATenthOfTheSection) {
    const QRectF a(0.2, 0.3, 0.5, 0.4);
    EXPECT_DOUBLE_EQ(scrollStep(a, ScrollDirection::Left).x(), -0.05);
    EXPECT_DOUBLE_EQ(scrollStep(a, ScrollDirection::Right).x(), 0.05);
    EXPECT_DOUBLE_EQ(scrollStep(a, ScrollDirection::Up).y(), -0.04);
    EXPECT_DOUBLE_EQ(scrollStep(a, ScrollDirection::Down).y(), 0.04);
    EXPECT_DOUBLE_EQ(scrollStep(a, ScrollDirection::Down).x(), 0.0);
}

TEST(InfoText, TagsRemovedAndRichTextEscaped) {
    EXPECT_EQ(infoTextWithoutTags(QStringLiteral("<b>Fett</b> <i>k</i><u>u</u> <x>")),
              QStringLiteral("Fett ku <x>"));
    const QByteArray rtf =
        infoTextAsRtf(QStringLiteral("<b>Mars</b> {rot}\r\nGröße \\"), QStringLiteral("Arial"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\fs22 "));
    EXPECT_TRUE(rtf.contains("Mars \\{rot\\}\\par\n"));
    EXPECT_TRUE(rtf.contains("Gr\\u246?\\u223?e \\\\\\par")) << rtf.toStdString();
    EXPECT_FALSE(rtf.contains("<b>"));
}

TEST(InfoText, BoxHeightCountsTheFrameOnce) {
    const struct {
        int text, frame, inside;
    } cases[] = {
        {100, 0, 134},  // the text and 34 pixels for the buttons
        {100, 30, 134}, // a frame does not make it taller inside
        {600, 0, 566},  // at most 566 with the frame
        {600, 30, 536}, {532, 30, 536}, {500, 30, 534},
    };
    for (const auto& c : cases)
        EXPECT_EQ(infoBoxClientHeight(c.text, c.frame), c.inside)
            << c.text << " with a frame of " << c.frame;
}

TEST(ViewCommands, ClickTogglesFieldsAndNamesPointsAndButtons) {
    Document d = emptyDocument(100, 100);
    d.objects.push_back(field(0, {0.0, 0.0, 0.5, 0.5}));
    d.objects.push_back(field(4, {0.5, 0.0, 1.0, 0.5}));
    d.objects.push_back(field(13, {0.0, 0.5, 0.5, 1.0}));

    ClickResult result = clickAt(d, kAllLayers, 0, {0.2, 0.2});
    EXPECT_EQ(result.effect, ClickEffect::Toggle);
    EXPECT_EQ(result.index, 0);
    EXPECT_EQ(d.objects[0].AbfrageStatus, AbfrageStatus::Uncovered)
        << "the field is uncovered by the click";

    result = clickAt(d, kAllLayers, 0, {0.7, 0.2});
    EXPECT_EQ(result.effect, ClickEffect::OpenPoint);
    EXPECT_EQ(result.index, 1);
    EXPECT_EQ(d.objects[1].AbfrageStatus, AbfrageStatus::Covered) << "a link is not toggled";

    EXPECT_EQ(clickAt(d, kAllLayers, 0, {0.2, 0.7}).effect, ClickEffect::ChangeQuestion);
    result = clickAt(d, kAllLayers, 0, {0.7, 0.7});
    EXPECT_EQ(result.effect, ClickEffect::Nothing);
    EXPECT_EQ(result.index, -1);
}

TEST(ViewCommands, OnlySingleQuestionDocumentsStepThroughQuestions) {
    Document d = emptyDocument(100, 100);
    const struct {
        int dokTyp, questions;
        bool steps;
    } cases[] = {{2, 3, true}, {3, 1, true}, {2, 0, false}, {0, 3, false}, {4, 3, false}};
    for (const auto& c : cases) {
        d.header.DokTyp = c.dokTyp;
        d.header.AnzFrageNummern = c.questions;
        EXPECT_EQ(hasSingleQuestions(d), c.steps) << c.dokTyp << " " << c.questions;
    }
}
