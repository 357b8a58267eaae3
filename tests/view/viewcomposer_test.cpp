// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorconversion.h"
#include "numbering.h"
#include "pagebackground.h"
#include "randomgenerator.h"
#include "viewcomposer.h"
#include "viewgeometry.h"
#include "viewtestsupport.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr ColourValue kGreen = 0x00C000;

// A label with an opaque green card, so that its presence shows in pixels.
ObjDataTyp greenLabel(double x, double y, int layer = 1) {
    ObjDataTyp o = object(1, x, y, QStringLiteral("Text"));
    o.Ebene = layer;
    o.HFarbe = kGreen;
    o.HDeck = 100;
    return o;
}

// Whether the green card shows around `p` (its text may cover `p` itself).
bool green(const QImage& picture, QPoint p) {
    return hasColour(picture, QRect(p - QPoint(10, 5), QSize(20, 10)), colourFromValue(kGreen));
}

QImage compose(Document& d, QSize area, const ViewState& state = {}) {
    ViewComposer composer(d, noLayouts());
    composer.state() = state;
    composer.setViewArea(area);
    composer.rebuild();
    return composer.page();
}

} // namespace

TEST(ViewComposer, LayersHideTheirObjectsOutsideAnExercise) {
    Document d = emptyDocument(870, 600, Qt::red);
    d.objects.push_back(greenLabel(0.5, 0.5));
    const QPoint centre(435, 300);

    ViewState state;
    EXPECT_TRUE(green(compose(d, {870, 600}, state), centre));

    state.layers[1] = false;
    const QImage without = compose(d, {870, 600}, state);
    EXPECT_EQ(without.pixel(centre), QColor(Qt::red).rgb()) << "the label is gone, the base stays";

    state.layers[0] = false;
    EXPECT_EQ(compose(d, {870, 600}, state).pixel(centre), QColor(Qt::white).rgb())
        << "without the base picture layer the page is white";

    state.exercise.running = true; // an exercise shows every layer
    const QImage exercise = compose(d, {870, 600}, state);
    EXPECT_TRUE(green(exercise, centre));
    EXPECT_EQ(exercise.pixel(10, 10), QColor(Qt::red).rgb());
}

TEST(ViewComposer, TargetPointSizeZeroHidesOpenTargetsButNotCards) {
    Document d = emptyDocument(870, 600);
    ObjDataTyp target = object(0, 0.3, 0.5, QStringLiteral("Ziel"));
    target.AbfrageStatus = AbfrageStatus::Open;
    target.AbfrageNummer = 3;
    d.objects.push_back(target);
    d.objects.push_back(greenLabel(0.7, 0.5));
    const QRect targetArea(261 - 20, 300 - 20, 40, 40);
    const QColor markColour = colourFromValue(0xE8ECEC);

    ViewState state;
    state.exercise.running = true;
    d.header.Zielpunktgroesse = 100;
    const QImage full = compose(d, {870, 600}, state);
    EXPECT_TRUE(hasColour(full, targetArea, markColour));
    EXPECT_FALSE(ink(full, targetArea).isEmpty()) << "outline and number";

    d.header.Zielpunktgroesse = 0;
    const QImage without = compose(d, {870, 600}, state);
    EXPECT_TRUE(ink(without, targetArea, 250).isEmpty()) << "nothing at the target";
    EXPECT_TRUE(green(without, QPoint(609, 300))) << "the card stays";
    EXPECT_GT(d.objects[0].KartRect.right, d.objects[0].KartRect.left)
        << "the invisible target can still be hit";

    state.exercise.running = false; // outside the exercise the field is its label
    d.objects[0].AbfrageStatus = AbfrageStatus::Uncovered;
    EXPECT_FALSE(ink(compose(d, {870, 600}, state), targetArea).isEmpty());
}

TEST(ViewComposer, SingleQuestionsShowOnlyTheCurrentQuestion) {
    Document d = emptyDocument(870, 600);
    d.header.AnzFrageNummern = 2;
    ObjDataTyp first = greenLabel(0.25, 0.5);
    first.FrageNummer = 1;
    ObjDataTyp second = greenLabel(0.75, 0.5);
    second.FrageNummer = 2;
    d.objects = {first, second, greenLabel(0.5, 0.1)}; // the last belongs to no question

    ViewState state;
    state.currentQuestion = 2;
    const QImage picture = compose(d, {870, 600}, state);
    EXPECT_FALSE(green(picture, QPoint(217, 300)));
    EXPECT_TRUE(green(picture, QPoint(652, 300)));
    EXPECT_TRUE(green(picture, QPoint(435, 60)));
}

// The "OK" object belongs on the page of multiple-choice documents outside
// an exercise only; in an exercise, and for the text-input exercise of other
// documents, it is the "Weiter" card. The question buttons, which do nothing
// in an exercise, are not drawn then either.
TEST(ViewComposer, OkObjectAndQuestionButtonsShowOnlyOutsideAnExercise) {
    for (const DokTyp type : {DokTyp::PictureLabelling, DokTyp::MultipleChoice}) {
        for (const bool exercise : {false, true}) {
            Document d = emptyDocument(870, 600);
            d.header.DokTyp = int(type);
            ObjDataTyp ok = greenLabel(0.5, 0.5);
            ok.Typ = codeOf(Typ::MCOkButton);
            d.objects = {ok};
            ViewState state;
            state.exercise.running = exercise;
            EXPECT_EQ(green(compose(d, {870, 600}, state), QPoint(435, 300)),
                      type == DokTyp::MultipleChoice && !exercise)
                << int(type) << exercise;
        }
    }
    for (const bool exercise : {false, true}) {
        Document d = emptyDocument(870, 600);
        d.header.DokTyp = int(DokTyp::MultipleChoice);
        d.header.FragBtnHtgdCol = kGreen;
        ObjDataTyp next = greenLabel(0.5, 0.5);
        next.Typ = codeOf(Typ::NextQuestion);
        d.objects = {next};
        ViewState state;
        state.exercise.running = exercise;
        EXPECT_EQ(green(compose(d, {870, 600}, state), QPoint(435, 300)), !exercise) << exercise;
    }
}

TEST(ViewComposer, UncoveringOneFieldRedrawsOnlyItsRectangleAndMatchesAFullComposition) {
    Document d = emptyDocument(870, 600);
    QPainter(&d.basePicture).fillRect(0, 0, 870, 300, QColor(30, 60, 120)); // two-coloured base
    d.objects.push_back(greenLabel(0.5, 0.45));
    for (double x : {0.45, 0.55, 0.8}) {
        ObjDataTyp field = object(0, x, 0.5, QStringLiteral("Feld"));
        field.Sline = 1;
        field.Sy = 0.8;
        field.KAusr = 2;
        field.LinieDicke = 3;
        field.LinieFarbe = 0x0000FF;
        d.objects.push_back(field);
    }
    RandomGenerator random(1);
    coverAndNumber(d, NumberingOrdered, random);

    for (int zoomLevel : {0, 4}) {
        ViewComposer composer(d, noLayouts());
        composer.state().zoomLevel = zoomLevel;
        composer.setViewArea({870, 600});
        composer.rebuild();

        d.objects[2].AbfrageStatus = AbfrageStatus::Uncovered;
        const QRect changed = composer.redrawObject(2);
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_LT(changed.width() * changed.height(),
                  composer.view().width() * composer.view().height() / 20);

        ViewComposer fresh(d, noLayouts());
        fresh.state().zoomLevel = zoomLevel;
        fresh.setViewArea({870, 600});
        fresh.rebuild();
        EXPECT_TRUE(composer.page() == fresh.page()) << "zoom " << zoomLevel;
        EXPECT_TRUE(composer.finalPage() == fresh.finalPage());
        EXPECT_TRUE(composer.view() == fresh.view());
        EXPECT_TRUE(composer.visibleSection() == fresh.visibleSection());

        d.objects[2].AbfrageStatus = AbfrageStatus::Covered;
    }
}

TEST(ViewComposer, LayoutHooksRunAtTheirSteps) {
    Document d = emptyDocument(870, 600);
    d.header.DokTyp = 4;
    std::vector<LayoutPhase> order;
    const auto male = [&order](LayoutPhase phase, QColor colour, QRect wo) {
        return [&order, phase, colour, wo](LayoutHookContext& k) {
            order.push_back(phase);
            k.painter.fillRect(wo, colour);
        };
    };
    const QRect beforeField(10, 10, 20, 20), afterField(50, 10, 20, 20), overField(90, 10, 20, 20);
    LayoutSet layouts;
    layouts.setHook(DokTyp::Cluster, LayoutPhase::Background,
                    male(LayoutPhase::Background, Qt::yellow, QRect(130, 10, 20, 20)));
    layouts.setHook(DokTyp::Cluster, LayoutPhase::BeforePageWithoutObjects,
                    male(LayoutPhase::BeforePageWithoutObjects, Qt::blue, beforeField));
    layouts.setHook(DokTyp::Cluster, LayoutPhase::AfterPageWithoutObjects,
                    male(LayoutPhase::AfterPageWithoutObjects, Qt::red, afterField));
    layouts.setHook(DokTyp::Cluster, LayoutPhase::Overlay,
                    male(LayoutPhase::Overlay, Qt::green, overField));

    ViewComposer composer(d, layouts);
    composer.setViewArea({870, 600});
    composer.rebuild();
    EXPECT_EQ(order, (std::vector<LayoutPhase>{
                         LayoutPhase::Background, LayoutPhase::BeforePageWithoutObjects,
                         LayoutPhase::AfterPageWithoutObjects, LayoutPhase::Overlay}));
    const auto colour = [](const QImage& picture, QRect wo) {
        return QColor(picture.pixel(wo.center()));
    };
    EXPECT_EQ(colour(composer.pageWithoutObjects(), beforeField), QColor(Qt::blue));
    EXPECT_EQ(colour(composer.pageWithoutObjects(), afterField), QColor(Qt::white));
    EXPECT_EQ(colour(composer.pageWithFixedObjects(), afterField), QColor(Qt::red));
    EXPECT_EQ(colour(composer.pageWithFixedObjects(), overField), QColor(Qt::white));
    EXPECT_EQ(colour(composer.page(), overField), QColor(Qt::green));

    d.header.DokTyp = 5; // other types do not run them
    order.clear();
    composer.rebuild();
    EXPECT_TRUE(order.empty());

    // Without hooks the composer leaves the page alone (and the set is a value:
    // the composer sees what the set holds now).
    d.header.DokTyp = 4;
    for (LayoutPhase phase : {LayoutPhase::Background, LayoutPhase::BeforePageWithoutObjects,
                              LayoutPhase::AfterPageWithoutObjects, LayoutPhase::Overlay})
        layouts.setHook(DokTyp::Cluster, phase, {});
    EXPECT_FALSE(layouts.hasHook(DokTyp::Cluster, LayoutPhase::Overlay));
    composer.rebuild();
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(colour(composer.page(), overField), QColor(Qt::white));
}

TEST(ViewGeometry, FittingZoomAndClipping) {
    struct Case {
        QSizeF page;
        QSize area;
        double zoom;
        QSize fitted, pagePicture, view;
    };
    const Case cases[] = {
        {{1000, 500}, {800, 600}, 1.0, {800, 400}, {800, 400}, {800, 400}},  // width-limited
        {{500, 1000}, {800, 600}, 1.0, {300, 600}, {300, 600}, {300, 600}},  // height-limited
        {{1000, 500}, {800, 600}, 2.0, {800, 400}, {1600, 800}, {800, 600}}, // clipped both ways
        {{1000, 500}, {800, 600}, 1.25, {800, 400}, {1000, 500}, {800, 500}},
    };
    for (const Case& f : cases) {
        const PageFit e = fitPage(f.page, f.area, f.zoom);
        EXPECT_EQ(e.fitted, f.fitted);
        EXPECT_EQ(e.pagePicture, f.pagePicture);
        EXPECT_EQ(e.view, f.view);
    }
    EXPECT_DOUBLE_EQ(zoomFactor(2), 1.5);
    EXPECT_DOUBLE_EQ(zoomFactor(9), 2.0);
}

TEST(ViewGeometry, SectionKeepsItsCentreInsideThePage) {
    EXPECT_EQ(placeSection(QRectF(0, 0, 1, 1), QSizeF(0.5, 0.75)), QRectF(0.25, 0.125, 0.5, 0.75));
    EXPECT_EQ(placeSection(QRectF(0.8, 0.0, 0.2, 0.2), QSizeF(0.5, 0.5)),
              QRectF(0.5, 0.0, 0.5, 0.5))
        << "clamped at the right and top edges";
    EXPECT_EQ(moveSection(QRectF(0.25, 0.25, 0.5, 0.5), -1.0, 0.1), QRectF(0.0, 0.35, 0.5, 0.5));

    const QRectF section(0.25, 0.125, 0.5, 0.75);
    const QPointF page = viewToPage(QPointF(400, 300), QSize(800, 600), section);
    EXPECT_DOUBLE_EQ(page.x(), 0.5);
    EXPECT_DOUBLE_EQ(page.y(), 0.5);
    EXPECT_EQ(pageToView(page, QSize(800, 600), section), QPointF(400, 300));
    EXPECT_EQ(viewToPage(QPointF(-5000, 9000), QSize(800, 600), section), QPointF(0, 1))
        << "clamped to the page";

    // Through the composer: the centre survives a change of zoom.
    Document d = emptyDocument(1000, 500);
    ViewComposer composer(d, noLayouts());
    composer.setViewArea({800, 600});
    composer.state().zoomLevel = 4;
    composer.rebuild();
    composer.moveSection(-0.1, 0.0);
    const QPointF centre = composer.visibleArea().center();
    composer.state().zoomLevel = 2;
    composer.rebuild();
    EXPECT_NEAR(composer.visibleArea().center().x(), centre.x(), 1e-9);
    EXPECT_EQ(composer.view().size(), QSize(800, 600));
}

TEST(PageBackground, HugeBasePicturesAreReducedAndOpacityAndMarginApply) {
    EXPECT_EQ(reducedBaseSize({4000, 3000}, 100), QSize(2000, 1500));
    EXPECT_EQ(reducedBaseSize({1500, 1000}, 50), QSize(1000, 667)); // 1500 / 0.5 > 2000
    EXPECT_EQ(reducedBaseSize({2000, 100}, 100), QSize(2000, 100));

    Document d = emptyDocument(400, 300, Qt::black);
    d.header.RandErw = {0.5, 0.0, 0.0, 0.0};
    d.header.HtgdCol = 0x0000FF; // red page colour
    d.header.BasisbildDeck = 50;
    d.derivePageGeometry();
    PageBackground background;
    const QImage& picture = background.background(d, QSize(600, 300));
    EXPECT_EQ(QColor(picture.pixel(50, 150)), QColor(255, 0, 0)) << "the margin";
    const QColor centre(picture.pixel(400, 150)); // half black over the red page
    EXPECT_NEAR(centre.red(), 127, 2);
    EXPECT_EQ(centre.green(), 0);

    background.background(d, QSize(600, 300));
    EXPECT_EQ(background.buildCount(), 1) << "built once, then reused";
    d.header.BasisbildDeck = 100;
    EXPECT_EQ(QColor(background.background(d, QSize(600, 300)).pixel(400, 150)), QColor(Qt::black));
}

// A crowd of fields that hide each other: query fields covered and uncovered,
// with and without target lines and see-through cards, between fixed labels
// and points in mixed stacking order. Leaving out what later drawing replaces
// must not change a pixel, nor what is recorded of the cards (a later
// redrawing of one field relies on it).
TEST(ViewComposer, LeavingOutHiddenDrawingChangesNoPixel) {
    Document d = emptyDocument(870, 600);
    QPainter(&d.basePicture).fillRect(0, 0, 870, 300, QColor(30, 60, 120));
    for (int i = 0; i < 160; ++i) {
        const int typ = i % 11 == 3 ? 1 : i % 13 == 5 ? 2 : 0;
        const double x = 0.4 + 0.2 * double((i * 37) % 101) / 101.0;
        const double y = 0.4 + 0.2 * double((i * 53) % 97) / 97.0;
        ObjDataTyp o = object(typ, x, y, i % 7 ? QStringLiteral("Feld") : QStringLiteral("Mond"));
        o.ZIndex = i % 5;
        o.HFarbe = 0x40A0E0;
        o.HDeck = i % 3 == 0 ? 60 : 100;
        o.Fsize = i % 4;
        if (i % 17 == 0) {
            o.Sline = 1;
            o.Sx = 0.1;
            o.Sy = 0.9;
            o.LinieDicke = 2;
        }
        if (typ == 2)
            o.PktCap = QStringLiteral("Info");
        d.objects.push_back(o);
    }
    for (int numArt : {0, 1}) {
        d.header.NumArt = numArt;
        RandomGenerator random(3);
        coverAndNumber(d, NumberingOrdered, random);
        for (size_t i = 0; i < d.objects.size(); i += 4)
            d.objects[i].AbfrageStatus = AbfrageStatus::Uncovered; // some uncovered

        ViewComposer lean(d, noLayouts());
        ViewComposer full(d, noLayouts());
        full.setSkipHidden(false);
        for (ViewComposer* composer : {&lean, &full}) {
            composer->setViewArea({870, 600});
            composer->rebuild();
        }
        EXPECT_TRUE(lean.page() == full.page()) << "NumArt " << numArt;
        EXPECT_TRUE(lean.finalPage() == full.finalPage());
        EXPECT_TRUE(lean.pageWithFixedObjects() == full.pageWithFixedObjects());

        // Uncover a few fields one by one in both: each redraw starts from the
        // rectangles the composition recorded.
        for (size_t i : {1, 42, 99, 150}) {
            d.objects[i].AbfrageStatus = AbfrageStatus::Uncovered;
            EXPECT_EQ(lean.redrawObject(int(i)), full.redrawObject(int(i))) << "field " << i;
        }
        EXPECT_TRUE(lean.page() == full.page()) << "NumArt " << numArt;
        EXPECT_TRUE(lean.visibleSection() == full.visibleSection());
    }
}
