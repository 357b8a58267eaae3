#include "document.h"
#include "layoutset.h"

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
    LayoutHookContext context{doc, page, page.rect(), 1.0, question, exercise};
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

// The program's set lays out cloze texts and questions; documents of the other
// types stay as they were read and it draws nothing of its own for them. The
// cloze layout places its gaps itself, so the set offers no stateless gap step.
TEST(LayoutSet, TheProgramsSetLaysOutClozeTextsAndQuestions) {
    const LayoutSet layouts = buildLayoutSet();
    for (const DokTypProperties& row : kDokTypTable) {
        SCOPED_TRACE(codeOf(row.dokTyp));
        Document doc;
        doc.header.DokTyp = codeOf(row.dokTyp);
        doc.objects.resize(2);
        layouts.generate(doc);
        // An empty cloze or question text owns no object either; multiple
        // choice always has its navigation buttons.
        EXPECT_EQ(doc.objects.size(), row.dokTyp == DokTyp::MultipleChoice ? 7u : 2u);
        const bool questions =
            row.dokTyp == DokTyp::SingleQuestions || row.dokTyp == DokTyp::MultipleChoice;
        for (LayoutPhase phase : {LayoutPhase::Background, LayoutPhase::BeforePageWithoutObjects,
                                  LayoutPhase::AfterPageWithoutObjects, LayoutPhase::Overlay})
            EXPECT_EQ(
                layouts.hasHook(row.dokTyp, phase),
                (row.dokTyp == DokTyp::Cloze && phase == LayoutPhase::AfterPageWithoutObjects) ||
                    (questions && phase == LayoutPhase::BeforePageWithoutObjects));
    }
    EXPECT_FALSE(layouts.clozeGapStep());
}
