// SPDX-License-Identifier: GPL-3.0-or-later
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
    DrawingTools tools(composer);
    tools.state().colourIndex = 26;
    tools.state().thicknessIndex = 2;
    tools.penStroke({100, 100}, {200, 100});
    tools.erase({150, 100}); // a gap in the middle

    PageDrawings drawings;
    const QRect before = composer.sectionPixels();
    drawings.takeOver(composer.view(), composer.visibleSection(), before, composer.page().size());
    composer.moveSection(-0.05, 0.0);
    const QRect after = composer.sectionPixels();
    const QPoint offset = before.topLeft() - after.topLeft();
    ASSERT_NE(offset, QPoint(0, 0));
    EXPECT_NE(qGray(composer.view().pixel(QPoint(110, 100) + offset)), 0)
        << "moving alone loses the drawing";

    drawings.paintInto(composer.viewForDrawing(), after);
    EXPECT_EQ(composer.view().pixel(QPoint(110, 100) + offset) & 0xFFFFFF, 0u);
    EXPECT_EQ(composer.view().pixel(QPoint(190, 100) + offset) & 0xFFFFFF, 0u);
    EXPECT_EQ(composer.view().pixel(QPoint(150, 100) + offset) & 0xFFFFFF, 0xFFFFFFu)
        << "the erased gap moves along as a gap";

    drawings.clear();
    EXPECT_TRUE(drawings.empty());
}
