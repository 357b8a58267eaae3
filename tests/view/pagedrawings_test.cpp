#include "drawingtools.h"
#include "pagedrawings.h"
#include "viewcomposer.h"
#include "viewtestsupport.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

TEST(PageDrawings, DrawingsMoveWithThePageAndErasedSpotsStayErased) {
    Document d = emptyDocument(400, 300);
    ViewComposer composer(d, noLayouts());
    composer.state().zoomLevel = 4; // the page is twice the view: the section can move
    composer.setViewArea({400, 300});
    composer.rebuild();
    DrawingTools werkzeuge(composer);
    werkzeuge.state().colourIndex = 26;
    werkzeuge.state().thicknessIndex = 2;
    werkzeuge.penStroke({100, 100}, {200, 100});
    werkzeuge.erase({150, 100}); // a gap in the middle

    PageDrawings zeichnungen;
    const QRect vorher = composer.sectionPixels();
    zeichnungen.takeOver(composer.ansicht(), composer.visibleSection(), vorher,
                         composer.seite().size());
    composer.moveSection(-0.05, 0.0);
    const QRect nachher = composer.sectionPixels();
    const QPoint versatz = vorher.topLeft() - nachher.topLeft();
    ASSERT_NE(versatz, QPoint(0, 0));
    EXPECT_NE(qGray(composer.ansicht().pixel(QPoint(110, 100) + versatz)), 0)
        << "moving alone loses the drawing";

    zeichnungen.zeigen(composer.viewForDrawing(), nachher);
    EXPECT_EQ(composer.ansicht().pixel(QPoint(110, 100) + versatz) & 0xFFFFFF, 0u);
    EXPECT_EQ(composer.ansicht().pixel(QPoint(190, 100) + versatz) & 0xFFFFFF, 0u);
    EXPECT_EQ(composer.ansicht().pixel(QPoint(150, 100) + versatz) & 0xFFFFFF, 0xFFFFFFu)
        << "the erased gap moves along as a gap";

    zeichnungen.clear();
    EXPECT_TRUE(zeichnungen.leer());
}
