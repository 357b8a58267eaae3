// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawingsettings.h"
#include "drawingtools.h"
#include "viewcomposer.h"
#include "viewtestsupport.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// A composed view of a plain page in one colour, 400 x 300 pixels.
class DrawingToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        document = emptyDocument(400, 300, QColor(200, 100, 50));
        composer = std::make_unique<ViewComposer>(document, noLayouts());
        composer->setViewArea({400, 300});
        composer->rebuild();
        tools = std::make_unique<DrawingTools>(*composer);
    }
    QRgb pixel(int x, int y) const { return composer->view().pixel(x, y) & 0xFFFFFF; }

    Document document;
    std::unique_ptr<ViewComposer> composer;
    std::unique_ptr<DrawingTools> tools;
};

} // namespace

TEST_F(DrawingToolsTest, PenDrawsItsWidthWithARoundStartAndReportsTheTouchedRectangle) {
    tools->state().colourIndex = 26; // black
    for (int thickness = 1; thickness <= 4; ++thickness) {
        tools->state().thicknessIndex = thickness;
        const int y = 40 + 60 * (thickness - 1);
        const QRect r = tools->penStroke({100, y}, {300, y});
        const QRect inkRect = ink(composer->view(), QRect(0, y - 30, 400, 60), 60);
        EXPECT_NEAR(inkRect.height(), strokeWidth(thickness), 1) << thickness;
        EXPECT_TRUE(r.contains(inkRect)) << "the repaint covers all ink";
        EXPECT_LT(r.width(), 250) << "only the stroke's surroundings are touched";
    }
    EXPECT_EQ(strokeWidth(0), 3);
    EXPECT_EQ(strokeWidth(9), 21);
}

TEST_F(DrawingToolsTest, MarkerCombinesWithThePictureByAnd) {
    const QRgb before = pixel(200, 150); // 200, 100, 50
    tools->markerStroke({150, 150}, {250, 150}, true);
    EXPECT_EQ(pixel(200, 150), qRgb(200, 100, 0) & 0xFFFFFF) << "yellow keeps red and green";
    EXPECT_EQ(pixel(200, 150 + 20), before) << "25 pixels wide, not more";
    tools->markerStroke({150, 150}, {250, 150}, false);
    EXPECT_EQ(pixel(200, 150), qRgb(0, 100, 0) & 0xFFFFFF) << "green then keeps only green";
}

TEST_F(DrawingToolsTest, EraserRestoresThePageInItsSquare) {
    const QRgb page = pixel(200, 150);
    tools->state().colourIndex = 26;
    tools->state().thicknessIndex = 4;
    tools->penStroke({50, 150}, {350, 150});
    ASSERT_NE(pixel(200, 150), page);

    tools->state().thicknessIndex = 1; // a 32-pixel square
    const QRect r = tools->erase({200, 150});
    EXPECT_EQ(r, QRect(184, 134, 32, 32));
    EXPECT_EQ(pixel(200, 150), page);
    EXPECT_EQ(pixel(184, 150), page);
    EXPECT_NE(pixel(182, 150), page) << "outside the square the drawing stays";
}

TEST_F(DrawingToolsTest, TransparentColoursBlendOpaqueColoursCover) {
    tools->state().colourIndex = 24; // opaque blue
    tools->form(Tool::FilledRectangle, {20, 20}, {80, 80});
    EXPECT_EQ(pixel(50, 50), qRgb(0, 0, 255) & 0xFFFFFF);

    tools->state().colourIndex = 14; // blue, transparent
    const QRect r = tools->form(Tool::FilledRectangle, {200, 100}, {260, 160});
    const QColor mixed = QColor::fromRgb(pixel(230, 130));
    EXPECT_GT(mixed.blue(), 50);
    EXPECT_GT(mixed.red(), 50) << "the page shines through";
    EXPECT_TRUE(r.contains(QRect(185, 85, 90, 90))) << "blended over the box enlarged by 15";
    EXPECT_EQ(composer->drawingOverlay().pixel(230, 130), 0u) << "the overlay is cleared";
}

TEST_F(DrawingToolsTest, OneTransparentStrokeKeepsOneShadeWhereItsSegmentsOverlap) {
    tools->state().colourIndex = 12;
    tools->state().thicknessIndex = 4;
    tools->rememberState();
    tools->penStroke({100, 150}, {150, 150});
    tools->penStroke({150, 150}, {200, 150}); // its round start overlaps the first
    EXPECT_EQ(pixel(150, 150), pixel(120, 150));
    EXPECT_EQ(pixel(180, 150), pixel(120, 150));
    EXPECT_NE(pixel(120, 150), qRgb(200, 100, 50) & 0xFFFFFF);

    tools->rememberState(); // a second stroke over the first deepens the colour
    tools->penStroke({120, 140}, {120, 160});
    EXPECT_NE(pixel(120, 150), pixel(180, 150));
}

TEST_F(DrawingToolsTest, ShapePreviewInvertsAndLeavesNoTrace) {
    const QImage before = composer->view().copy();
    tools->preview(Tool::Rectangle, {50, 50}, {150, 120});
    EXPECT_EQ(pixel(50, 80), ~qRgb(200, 100, 50) & 0xFFFFFF) << "the outline is inverted";
    EXPECT_EQ(pixel(100, 80), qRgb(200, 100, 50) & 0xFFFFFF) << "only the outline";
    tools->preview(Tool::Rectangle, {50, 50}, {100, 90});
    tools->removePreview();
    EXPECT_EQ(composer->view(), before);
}

TEST_F(DrawingToolsTest, EveryShapeLeavesInkInsideItsRectangle) {
    tools->state().colourIndex = 26;
    for (int w = int(Tool::Line); w <= int(Tool::FilledTriangle); ++w) {
        composer->rebuild();
        const QRect r = tools->form(Tool(w), {100, 80}, {250, 200});
        const QRect inkRect = ink(composer->view(), composer->view().rect(), 60);
        ASSERT_FALSE(inkRect.isEmpty()) << w;
        EXPECT_TRUE(r.contains(inkRect)) << w;
    }
    composer->rebuild();
    tools->form(Tool::FilledTriangle, {100, 80}, {250, 200});
    EXPECT_EQ(pixel(175, 190), 0u) << "filled at the base";
    EXPECT_NE(pixel(110, 90), 0u) << "apex at the top middle, corner empty";
}

TEST_F(DrawingToolsTest, StampsAndCrossDrawVisibleGlyphs) {
    tools->state().colourIndex = 26;
    for (int number = 1; number <= kStampCount; ++number) {
        composer->rebuild();
        tools->state().stamp = number;
        const QRect r = tools->stamp({200, 150});
        const QRect inkRect = ink(composer->view(), composer->view().rect(), 60);
        ASSERT_FALSE(inkRect.isEmpty()) << "stamp " << number;
        EXPECT_TRUE(r.contains(inkRect)) << number;
    }
    composer->rebuild();
    const QRect r = tools->cross({200, 150});
    EXPECT_TRUE(hasColour(composer->view(), r, QColor(220, 0, 0)));
}

TEST_F(DrawingToolsTest, UndoRestoresThePictureBeforeTheLastActionOnlyOnce) {
    tools->state().colourIndex = 26;
    tools->rememberState();
    tools->penStroke({10, 10}, {100, 10});
    const QImage afterFirst = composer->view().copy();
    tools->rememberState();
    tools->penStroke({10, 100}, {100, 100});
    ASSERT_NE(composer->view(), afterFirst);

    EXPECT_TRUE(tools->canUndo());
    EXPECT_FALSE(tools->undo().isEmpty());
    EXPECT_EQ(composer->view(), afterFirst);
    EXPECT_FALSE(tools->canUndo());
    EXPECT_TRUE(tools->undo().isEmpty());
    EXPECT_EQ(composer->view(), afterFirst) << "a second undo changes nothing";
}

TEST_F(DrawingToolsTest, RemovingAllDrawingsShowsThePageAgain) {
    const QImage page = composer->view().copy();
    tools->state().colourIndex = 11;
    tools->penStroke({10, 10}, {300, 200});
    ASSERT_NE(composer->view(), page) << "the transparent stroke is on the view";
    const QImage withPen = composer->view().copy();
    tools->markerStroke({10, 200}, {300, 10}, false);
    ASSERT_NE(composer->view(), withPen) << "the marker stroke is on the view";
    tools->removeAll();
    EXPECT_EQ(composer->view(), page);
}

TEST(DrawingSettings, ColoursToolsAndSymbolMapping) {
    EXPECT_EQ(drawingColour(28), QColor(255, 128, 0));
    EXPECT_EQ(drawingColour(13), QColor(0, 255, 0));
    EXPECT_TRUE(isTransparentColour(11));
    EXPECT_FALSE(isTransparentColour(21));
    EXPECT_EQ(colourHint(13), QStringLiteral("grün - transparent"));
    EXPECT_EQ(toolForPen(1), Tool::Pen);
    EXPECT_EQ(toolForPen(2), Tool::Line);
    EXPECT_EQ(toolForPen(10), Tool::FilledTriangle);

    const StampList s = defaultStamps();
    EXPECT_EQ(stampGlyph(s[0]).text, QStringLiteral("\u2713"));
    EXPECT_EQ(stampGlyph(s[1]).text, QStringLiteral("\u2717"));
    EXPECT_EQ(stampGlyph(s[2]).text, QStringLiteral("\u2605"));
    EXPECT_EQ(stampGlyph(s[3]).text, QStringLiteral("\u263A"));
    EXPECT_EQ(stampGlyph(s[5]).text, QStringLiteral("\u2639"));
    EXPECT_EQ(stampGlyph(s[6]).text, QStringLiteral("+"));
    EXPECT_EQ(stampGlyph(s[6]).font, QStringLiteral("Arial"));
}

TEST(DrawingSettings, StampsRoundTripThroughTheSettings) {
    StampFontNames fonts;
    EXPECT_EQ(stampsFromSettings(QString(), fonts), defaultStamps())
        << "empty settings give the defaults";

    StampList s = defaultStamps();
    s[0] = Stamp{QStringLiteral("DejaVu Serif"), 0xE4};
    s[9] = Stamp{QStringLiteral("Wingdings"), 0x4B};
    QString character;
    stampsToSettings(s, character, fonts);
    EXPECT_EQ(character.size(), 10);
    EXPECT_EQ(fonts[0], QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(stampsFromSettings(character, fonts), s);

    const StampList broken = stampsFromSettings(QStringLiteral("\u2713x"), fonts);
    EXPECT_EQ(broken[0].character, 0xFC) << "an out-of-range character keeps the default";
    EXPECT_EQ(broken[1].character, int('x'));
    EXPECT_EQ(broken[2].character, 0xAB) << "a short string leaves the rest at the defaults";
}
