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
        dokument = emptyDocument(400, 300, QColor(200, 100, 50));
        composer = std::make_unique<ViewComposer>(dokument, noLayouts());
        composer->setViewArea({400, 300});
        composer->rebuild();
        werkzeuge = std::make_unique<DrawingTools>(*composer);
    }
    QRgb pixel(int x, int y) const { return composer->ansicht().pixel(x, y) & 0xFFFFFF; }

    Document dokument;
    std::unique_ptr<ViewComposer> composer;
    std::unique_ptr<DrawingTools> werkzeuge;
};

} // namespace

TEST_F(DrawingToolsTest, PenDrawsItsWidthWithARoundStartAndReportsTheTouchedRectangle) {
    werkzeuge->state().colourIndex = 26; // black
    for (int dicke = 1; dicke <= 4; ++dicke) {
        werkzeuge->state().thicknessIndex = dicke;
        const int y = 40 + 60 * (dicke - 1);
        const QRect r = werkzeuge->penStroke({100, y}, {300, y});
        const QRect tinteRect = tinte(composer->ansicht(), QRect(0, y - 30, 400, 60), 60);
        EXPECT_NEAR(tinteRect.height(), strokeWidth(dicke), 1) << dicke;
        EXPECT_TRUE(r.contains(tinteRect)) << "the repaint covers all ink";
        EXPECT_LT(r.width(), 250) << "only the stroke's surroundings are touched";
    }
    EXPECT_EQ(strokeWidth(0), 3);
    EXPECT_EQ(strokeWidth(9), 21);
}

TEST_F(DrawingToolsTest, MarkerCombinesWithThePictureByAnd) {
    const QRgb vorher = pixel(200, 150); // 200, 100, 50
    werkzeuge->markerStroke({150, 150}, {250, 150}, true);
    EXPECT_EQ(pixel(200, 150), qRgb(200, 100, 0) & 0xFFFFFF) << "yellow keeps red and green";
    EXPECT_EQ(pixel(200, 150 + 20), vorher) << "25 pixels wide, not more";
    werkzeuge->markerStroke({150, 150}, {250, 150}, false);
    EXPECT_EQ(pixel(200, 150), qRgb(0, 100, 0) & 0xFFFFFF) << "green then keeps only green";
}

TEST_F(DrawingToolsTest, EraserRestoresThePageInItsSquare) {
    const QRgb seite = pixel(200, 150);
    werkzeuge->state().colourIndex = 26;
    werkzeuge->state().thicknessIndex = 4;
    werkzeuge->penStroke({50, 150}, {350, 150});
    ASSERT_NE(pixel(200, 150), seite);

    werkzeuge->state().thicknessIndex = 1; // a 32-pixel square
    const QRect r = werkzeuge->erase({200, 150});
    EXPECT_EQ(r, QRect(184, 134, 32, 32));
    EXPECT_EQ(pixel(200, 150), seite);
    EXPECT_EQ(pixel(184, 150), seite);
    EXPECT_NE(pixel(182, 150), seite) << "outside the square the drawing stays";
}

TEST_F(DrawingToolsTest, TransparentColoursBlendOpaqueColoursCover) {
    werkzeuge->state().colourIndex = 24; // opaque blue
    werkzeuge->form(Tool::FilledRectangle, {20, 20}, {80, 80});
    EXPECT_EQ(pixel(50, 50), qRgb(0, 0, 255) & 0xFFFFFF);

    werkzeuge->state().colourIndex = 14; // blue, transparent
    const QRect r = werkzeuge->form(Tool::FilledRectangle, {200, 100}, {260, 160});
    const QColor gemischt = QColor::fromRgb(pixel(230, 130));
    EXPECT_GT(gemischt.blue(), 50);
    EXPECT_GT(gemischt.red(), 50) << "the page shines through";
    EXPECT_TRUE(r.contains(QRect(185, 85, 90, 90))) << "blended over the box enlarged by 15";
    EXPECT_EQ(composer->drawingOverlay().pixel(230, 130), 0u) << "the overlay is cleared";
}

TEST_F(DrawingToolsTest, OneTransparentStrokeKeepsOneShadeWhereItsSegmentsOverlap) {
    werkzeuge->state().colourIndex = 12;
    werkzeuge->state().thicknessIndex = 4;
    werkzeuge->rememberState();
    werkzeuge->penStroke({100, 150}, {150, 150});
    werkzeuge->penStroke({150, 150}, {200, 150}); // its round start overlaps the first
    EXPECT_EQ(pixel(150, 150), pixel(120, 150));
    EXPECT_EQ(pixel(180, 150), pixel(120, 150));
    EXPECT_NE(pixel(120, 150), qRgb(200, 100, 50) & 0xFFFFFF);

    werkzeuge->rememberState(); // a second stroke over the first deepens the colour
    werkzeuge->penStroke({120, 140}, {120, 160});
    EXPECT_NE(pixel(120, 150), pixel(180, 150));
}

TEST_F(DrawingToolsTest, ShapePreviewInvertsAndLeavesNoTrace) {
    const QImage vorher = composer->ansicht().copy();
    werkzeuge->preview(Tool::Rectangle, {50, 50}, {150, 120});
    EXPECT_EQ(pixel(50, 80), ~qRgb(200, 100, 50) & 0xFFFFFF) << "the outline is inverted";
    EXPECT_EQ(pixel(100, 80), qRgb(200, 100, 50) & 0xFFFFFF) << "only the outline";
    werkzeuge->preview(Tool::Rectangle, {50, 50}, {100, 90});
    werkzeuge->removePreview();
    EXPECT_EQ(composer->ansicht(), vorher);
}

TEST_F(DrawingToolsTest, EveryShapeLeavesInkInsideItsRectangle) {
    werkzeuge->state().colourIndex = 26;
    for (int w = int(Tool::Line); w <= int(Tool::FilledTriangle); ++w) {
        composer->rebuild();
        const QRect r = werkzeuge->form(Tool(w), {100, 80}, {250, 200});
        const QRect tinteRect = tinte(composer->ansicht(), composer->ansicht().rect(), 60);
        ASSERT_FALSE(tinteRect.isEmpty()) << w;
        EXPECT_TRUE(r.contains(tinteRect)) << w;
    }
    composer->rebuild();
    werkzeuge->form(Tool::FilledTriangle, {100, 80}, {250, 200});
    EXPECT_EQ(pixel(175, 190), 0u) << "filled at the base";
    EXPECT_NE(pixel(110, 90), 0u) << "apex at the top middle, corner empty";
}

TEST_F(DrawingToolsTest, StampsAndCrossDrawVisibleGlyphs) {
    werkzeuge->state().colourIndex = 26;
    for (int nummer = 1; nummer <= kStampCount; ++nummer) {
        composer->rebuild();
        werkzeuge->state().stempel = nummer;
        const QRect r = werkzeuge->stamp({200, 150});
        const QRect tinteRect = tinte(composer->ansicht(), composer->ansicht().rect(), 60);
        ASSERT_FALSE(tinteRect.isEmpty()) << "stamp " << nummer;
        EXPECT_TRUE(r.contains(tinteRect)) << nummer;
    }
    composer->rebuild();
    const QRect r = werkzeuge->kreuz({200, 150});
    EXPECT_TRUE(hatFarbe(composer->ansicht(), r, QColor(220, 0, 0)));
}

TEST_F(DrawingToolsTest, UndoRestoresThePictureBeforeTheLastActionOnlyOnce) {
    werkzeuge->state().colourIndex = 26;
    werkzeuge->rememberState();
    werkzeuge->penStroke({10, 10}, {100, 10});
    const QImage nachErstem = composer->ansicht().copy();
    werkzeuge->rememberState();
    werkzeuge->penStroke({10, 100}, {100, 100});
    ASSERT_NE(composer->ansicht(), nachErstem);

    EXPECT_TRUE(werkzeuge->canUndo());
    EXPECT_FALSE(werkzeuge->undo().isEmpty());
    EXPECT_EQ(composer->ansicht(), nachErstem);
    EXPECT_FALSE(werkzeuge->canUndo());
    EXPECT_TRUE(werkzeuge->undo().isEmpty());
    EXPECT_EQ(composer->ansicht(), nachErstem) << "a second undo changes nothing";
}

TEST_F(DrawingToolsTest, RemovingAllDrawingsShowsThePageAgain) {
    const QImage seite = composer->ansicht().copy();
    werkzeuge->state().colourIndex = 11;
    werkzeuge->penStroke({10, 10}, {300, 200});
    ASSERT_NE(composer->ansicht(), seite) << "the transparent stroke is on the view";
    const QImage mitStift = composer->ansicht().copy();
    werkzeuge->markerStroke({10, 200}, {300, 10}, false);
    ASSERT_NE(composer->ansicht(), mitStift) << "the marker stroke is on the view";
    werkzeuge->removeAll();
    EXPECT_EQ(composer->ansicht(), seite);
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
    QString zeichen;
    stampsToSettings(s, zeichen, fonts);
    EXPECT_EQ(zeichen.size(), 10);
    EXPECT_EQ(fonts[0], QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(stampsFromSettings(zeichen, fonts), s);

    const StampList kaputt = stampsFromSettings(QStringLiteral("\u2713x"), fonts);
    EXPECT_EQ(kaputt[0].zeichen, 0xFC) << "an out-of-range character keeps the default";
    EXPECT_EQ(kaputt[1].zeichen, int('x'));
    EXPECT_EQ(kaputt[2].zeichen, 0xAB) << "a short string leaves the rest at the defaults";
}
