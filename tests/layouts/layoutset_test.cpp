// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "layoutset.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvel;

TEST(LayoutSet, RunsTheGeneratorOfTheDocumentType) {
    LayoutSet layouts;
    int runs = 0;
    layouts.setGenerator(DokTyp{77}, [&runs](Document& d) {
        ++runs;
        d.addGeneratedObject(Typ::ClozeGap, 1, QStringLiteral("x"), 1, 0, 0, 0, 0);
    });
    Document doc;
    doc.header.DokTyp = 76;
    layouts.generate(doc);
    EXPECT_EQ(runs, 0);
    doc.header.DokTyp = 77;
    doc.basePicture = QImage(10, 10, QImage::Format_ARGB32);
    doc.applyPageGeometry(false, layouts);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(doc.objects.size(), 1u);

    // A copy is a value of its own; removing the generator leaves the copy's.
    const LayoutSet copy = layouts;
    layouts.setGenerator(DokTyp{77}, {});
    layouts.generate(doc);
    EXPECT_EQ(runs, 1);
    copy.generate(doc);
    EXPECT_EQ(runs, 2);
}

TEST(LayoutSet, HooksAndGapStepBelongToTheirTypeAndPhase) {
    LayoutSet layouts;
    std::vector<LayoutPhase> ran;
    layouts.setHook(DokTyp::Cluster, LayoutPhase::Overlay,
                    [&ran](LayoutHookContext&) { ran.push_back(LayoutPhase::Overlay); });
    EXPECT_TRUE(layouts.hasHook(DokTyp::Cluster, LayoutPhase::Overlay));
    EXPECT_FALSE(layouts.hasHook(DokTyp::Cluster, LayoutPhase::Background));
    EXPECT_FALSE(layouts.hasHook(DokTyp::CrossMatching, LayoutPhase::Overlay));

    Document doc;
    QImage page(10, 10, QImage::Format_ARGB32_Premultiplied);
    int question = 0;
    const ExercisePresentation exercise;
    QPainter painter(&page);
    LayoutHookContext context{doc, painter, page.size(), page.rect(), 1.0, question, exercise};
    doc.header.DokTyp = codeOf(DokTyp::CrossMatching);
    layouts.runHook(LayoutPhase::Overlay, context);
    EXPECT_TRUE(ran.empty());
    doc.header.DokTyp = codeOf(DokTyp::Cluster);
    layouts.runHook(LayoutPhase::Background, context);
    layouts.runHook(LayoutPhase::Overlay, context);
    EXPECT_EQ(ran, std::vector<LayoutPhase>{LayoutPhase::Overlay});

    layouts.setHook(DokTyp::Cluster, LayoutPhase::Overlay, {});
    EXPECT_FALSE(layouts.hasHook(DokTyp::Cluster, LayoutPhase::Overlay));

    EXPECT_FALSE(layouts.clozeGapStep());
    layouts.setClozeGapStep([](const ClozeGapRequest&) { return 12; });
    ASSERT_TRUE(layouts.clozeGapStep());
    EXPECT_EQ(layouts.clozeGapStep()(ClozeGapRequest{}), 12);
}

// The program's set lays out the document types that build objects; documents
// of the other types stay as they were read. The cloze layout places its gaps
// itself, so the set offers no stateless gap step.
TEST(LayoutSet, TheProgramsSetLaysOutItsTypes) {
    const LayoutSet layouts = buildLayoutSet();
    for (const DokTypProperties& row : kDokTypTable) {
        SCOPED_TRACE(codeOf(row.dokTyp));
        Document doc;
        doc.header.DokTyp = codeOf(row.dokTyp);
        doc.objects.resize(2);
        layouts.generate(doc);
        // Objects of other types stay. An empty table, grid, cloze or question
        // text makes nothing, but every cross-matching pair gives two cards even
        // when empty, and multiple choice always has its navigation buttons.
        size_t made = 0;
        if (row.dokTyp == DokTyp::CrossMatching)
            made = 2u * size_t(doc.header.LueckenTabelleZeilen);
        else if (row.dokTyp == DokTyp::MultipleChoice)
            made = 5u;
        EXPECT_EQ(doc.objects.size(), 2u + made);
        const auto hooked = [&](LayoutPhase phase) {
            switch (row.dokTyp) {
            case DokTyp::Cloze:
            case DokTyp::Crossword:
                return phase == LayoutPhase::AfterPageWithoutObjects;
            case DokTyp::Cluster:
                return phase == LayoutPhase::Background;
            case DokTyp::SingleQuestions:
            case DokTyp::MultipleChoice:
                return phase == LayoutPhase::BeforePageWithoutObjects;
            default:
                return false;
            }
        };
        for (LayoutPhase phase : {LayoutPhase::Background, LayoutPhase::BeforePageWithoutObjects,
                                  LayoutPhase::AfterPageWithoutObjects, LayoutPhase::Overlay})
            EXPECT_EQ(layouts.hasHook(row.dokTyp, phase), hooked(phase));
    }
    EXPECT_FALSE(layouts.clozeGapStep());
}
