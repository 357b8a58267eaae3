// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardplacement.h"
#include "cardtext.h"
#include "colorconversion.h"
#include "objectdrawer.h"
#include "pointshape.h"
#include "rounding.h"
#include "viewcomposer.h"
#include "viewtestsupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// Composes a document with one black "X" label at the page centre at the
// page's own size and returns the ink of the label.
QRect inkOfAnX(int pageWidth) {
    Document d = emptyDocument(pageWidth, pageWidth / 2);
    d.objects.push_back(object(1, 0.5, 0.5, QStringLiteral("X")));
    ViewComposer composer(d, noLayouts());
    composer.setViewArea(d.basePicture.size());
    composer.rebuild();
    EXPECT_EQ(composer.page().width(), pageWidth);
    return ink(composer.page(), composer.page().rect());
}

} // namespace

TEST(ObjectDrawing, StandardTextIsAPixelHeightThatGrowsWithThePage) {
    EXPECT_EQ(textPixelSize(0, 1.0), 22);
    EXPECT_EQ(textPixelSize(0, 2.0), 44);
    EXPECT_EQ(textPixelSize(8, 1.0), 38);
    EXPECT_EQ(textPixelSize(-11, 1.0), 1); // never below one pixel

    // An "X" is about 0.72 of the character height; a point size would make
    // it a third taller.
    const QRect small = inkOfAnX(870);
    const QRect large = inkOfAnX(1740);
    EXPECT_GE(small.height(), 15);
    EXPECT_LE(small.height(), 16);
    EXPECT_GE(large.height(), 31);
    EXPECT_LE(large.height(), 32);
}

TEST(ObjectDrawing, CoveredQuestionMarkShrinksIntoALowField) {
    QImage picture(200, 100, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    const QRect field(20, 40, 120, 10);
    QPainter painter(&picture);
    const int size = drawCover(painter, field, 2.0); // 44 pixels before shrinking
    painter.end();

    EXPECT_LT(size, 44);
    EXPECT_EQ(picture.pixel(field.center()) & 0xFFFFFF, colourFromValue(0xFFE4CA).rgb() & 0xFFFFFF)
        << "the field is filled";
    EXPECT_EQ(picture.pixel(field.topLeft()) & 0xFFFFFF, colourFromValue(0xBB7D46).rgb() & 0xFFFFFF)
        << "the frame";
    // The "?" is drawn in the frame colour, darker than the fill.
    const QRect questionMark = ink(picture, field.adjusted(1, 1, -1, -1), 200);
    ASSERT_FALSE(questionMark.isEmpty());
    EXPECT_LE(questionMark.height(), 10);
    EXPECT_TRUE(field.contains(questionMark));
}

TEST(ObjectDrawing, AutomaticSideOfACard) {
    struct Case {
        double sx, sy, kx, ky, aspect;
        CardSide page;
    };
    // On a page twice as wide as high a vertical distance counts double.
    const Case cases[] = {
        {0.5, 0.5, 0.75, 1.0, 2.0, CardSide::Right}, // exact diagonal goes right
        {0.5, 0.5, 0.25, 1.0, 2.0, CardSide::Left},  // ... or left
        {0.5, 0.5, 0.25, 0.0, 2.0, CardSide::Left},
        {0.5, 0.5, 0.5, 0.5, 2.0, CardSide::Right}, // no distance at all
        {0.5, 0.5, 0.6, 0.0, 2.0, CardSide::Top},
        {0.5, 0.5, 0.6, 0.9, 1.0, CardSide::Bottom},
        {0.5, 0.5, 0.6, 0.9, 8.0, CardSide::Right},
    };
    for (const Case& f : cases) {
        EXPECT_EQ(automaticPage(f.sx, f.sy, f.kx, f.ky, f.aspect), f.page)
            << f.kx << ", " << f.ky << " aspect " << f.aspect;
    }

    ObjDataTyp o = object(0, 0.5, 0.5);
    o.KAusr = codeOf(CardSide::Automatic);
    o.Kx = 0.2;
    EXPECT_EQ(cardSide(o, 1.0), CardSide::Left);
    EXPECT_EQ(o.KAusrAkt, codeOf(CardSide::Left)) << "the computed side is kept";
    o.Kx = 0.9;
    EXPECT_EQ(cardSide(o, 1.0), CardSide::Left) << "and used while it is set";
    o.KAusr = 9;
    EXPECT_EQ(cardSide(o, 1.0), CardSide::Centred);
}

TEST(ObjectDrawing, CardStandsAtTheGapOnItsSide) {
    const QPoint p(100, 100);
    const QSize g(40, 20);
    EXPECT_EQ(placeCard(p, g, CardSide::Right, 7), QRect(107, 90, 40, 20));
    EXPECT_EQ(placeCard(p, g, CardSide::Left, 7), QRect(53, 90, 40, 20));
    EXPECT_EQ(placeCard(p, g, CardSide::Top, 7), QRect(80, 73, 40, 20));
    EXPECT_EQ(placeCard(p, g, CardSide::Bottom, 7), QRect(80, 107, 40, 20));
    EXPECT_EQ(placeCard(p, g, CardSide::Centred, 7), QRect(80, 90, 40, 20));
}

TEST(ObjectDrawing, CardIsRecordedForHitTestsAndKeepsItsMinimumWidth) {
    Document d = emptyDocument(870, 600);
    ObjDataTyp o = object(1, 0.5, 0.5, QStringLiteral("i"));
    const DrawContext context = DrawContext::forPage(d.header, QSize(870, 600));
    QImage picture(870, 600, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    ObjectDrawer drawer;
    const QRect card = drawer.draw(picture, context, o);

    EXPECT_EQ(card.width(), 30) << "round(30 x S) at least";
    EXPECT_DOUBLE_EQ(QRectF(card).center().x(), 435.0);
    EXPECT_NEAR(QRectF(card).center().y(), 300.0, 0.5);
    EXPECT_DOUBLE_EQ(o.KartRect.left, card.left() / 870.0);
    EXPECT_DOUBLE_EQ(o.KartRect.bottom, (card.top() + card.height()) / 600.0);
    EXPECT_DOUBLE_EQ(o.KartBreite, 30 / 870.0);
}

TEST(ObjectDrawing, PictureIsAsHighAsAnXAndKeepsItsAspect) {
    Document d = emptyDocument(870, 600);
    ObjDataTyp o = object(7, 0.5, 0.5);
    o.Bild = QImage(300, 100, QImage::Format_ARGB32);
    o.Bild.fill(Qt::red);
    o.Fsize = 20; // a big picture step
    ObjectDrawer drawer;
    const QRect card = drawer.card(DrawContext::forPage(d.header, QSize(870, 600)), o);
    const int h = lineHeightPx(objectFont(QStringLiteral("Arial"), 62));
    EXPECT_EQ(card.height(), h);
    EXPECT_NEAR(card.width(), 3 * h, 1);

    o.Bild = QImage(10, 100, QImage::Format_ARGB32); // narrow: the card keeps 30 pixels
    EXPECT_EQ(drawer.card(DrawContext::forPage(d.header, QSize(870, 600)), o).width(), 30);
}

TEST(ObjectDrawing, TextShrinksUntilItFitsTheRoom) {
    CardTextCache cache;
    const QString text = QStringLiteral("ein ziemlich langer Text, der umbrochen wird");
    const auto slack = cache.typeset(text, QStringLiteral("Arial"), 30, 0, 200, 1000);
    ASSERT_GT(slack->lineCount(), 1) << "wrapped at the width";
    EXPECT_EQ(slack->font().pixelSize(), 30);
    EXPECT_LE(slack->size().width(), 200);

    const auto eng = cache.typeset(text, QStringLiteral("Arial"), 30, 0, 200, 40);
    EXPECT_LT(eng->font().pixelSize(), 30);
    EXPECT_LE(eng->size().height(), 40);

    // A word wider than the line stays whole.
    const auto word = cache.typeset(QStringLiteral("Donaudampfschifffahrt"),
                                    QStringLiteral("Arial"), 22, 0, 50, 1000);
    EXPECT_EQ(word->lineCount(), 1);
    EXPECT_GT(word->size().width(), 50);

    // Nothing fits: the size stops at 3.
    EXPECT_EQ(cache.typeset(text, QStringLiteral("Arial"), 30, 0, 200, 1)->font().pixelSize(), 3);
}

TEST(ObjectDrawing, PointsAreEllipsePolygonsWidenedByTheirTitles) {
    EXPECT_EQ(ellipseCorners(15), 24);
    EXPECT_EQ(ellipseCorners(100), 40);
    EXPECT_EQ(ellipseCorners(75), 32); // 30 lies between 28 and 32: ties to even
    EXPECT_EQ(ellipsePolygon(QRectF(0, 0, 200, 100)).size(), 40);

    ObjDataTyp point = object(2, 0.5, 0.5);
    point.PktCap = QStringLiteral("Info");
    EXPECT_EQ(pointDiameter(point, 1.0), 30) << "a short title fits";
    point.PktCap = QStringLiteral("Informationen");
    const int wide = pointDiameter(point, 1.0);
    EXPECT_GT(wide, 30);
    point.PktCap = QStringLiteral("In");
    EXPECT_EQ(pointDiameter(point, 1.0), 30) << "titles under 3 characters never widen";
    point.PktCap2 = QStringLiteral("Informationen");
    EXPECT_GT(pointDiameter(point, 1.0), 30);
}

TEST(ObjectDrawing, ALineToACentredCardEndsAtItsEdge) {
    // The matching line of a centred middle item, 1 and 3 pixels thick, from
    // the left and from below-left: it must not strike through the text.
    const QColor red(255, 0, 0);
    struct Case {
        int thickness;
        double sy;
    } const cases[] = {{1, 0.5}, {2, 0.5}, {3, 0.5}, {2, 0.8}};
    for (const Case& c : cases) {
        Document d = emptyDocument(870, 600);
        ObjDataTyp o = object(50, 0.5, 0.5, QStringLiteral("Deutschland"));
        o.KAusr = codeOf(CardSide::Centred);
        o.Sline = 5;
        o.LinieDicke = c.thickness;
        o.LinieFarbe = 0x0000FF;
        o.Sx = 0.2;
        o.Sy = c.sy;
        QImage picture(870, 600, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::white);
        ObjectDrawer drawer;
        const QRect card = drawer.draw(picture, DrawContext::forPage(d.header, picture.size()), o);
        ASSERT_FALSE(card.isEmpty());
        int inside = 0;
        for (int y = card.top(); y <= card.bottom(); ++y)
            for (int x = card.left(); x <= card.right(); ++x)
                inside += picture.pixelColor(x, y) == red;
        EXPECT_EQ(inside, 0) << "thickness " << c.thickness << ", from y " << c.sy;
        // The line itself is there, up to near the card.
        const QPoint before = c.sy == 0.5 ? QPoint(card.left() - c.thickness - 2, 300)
                                          : QPoint(rnd(0.2 * 870) + 5, rnd(c.sy * 600) - 2);
        bool drawn = false;
        for (int dy = -2; dy <= 2; ++dy)
            drawn = drawn || picture.pixelColor(before + QPoint(0, dy)) == red;
        EXPECT_TRUE(drawn) << "thickness " << c.thickness << ", from y " << c.sy;
    }
}

TEST(ObjectDrawing, ColourValuesAndSystemColours) {
    EXPECT_EQ(colourFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colourFromValue(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(colourFromValue(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colourFromValue(0x123456), QColor(0x56, 0x34, 0x12));
    // System colours: the low byte names the colour, not the RGB bytes.
    EXPECT_EQ(colourFromValue(0x80000005), QColor(255, 255, 255));    // window
    EXPECT_EQ(colourFromValue(0x80000008), QColor(0, 0, 0));          // window text
    EXPECT_EQ(colourFromValue(0x8000000F), QColor(0xD4, 0xD0, 0xC8)); // button face
    EXPECT_EQ(colourFromValue(0x800000FF), QColor(0, 0, 0));          // unknown index
    EXPECT_EQ(colourFromValue(0x0000FF, 50).alpha(), 128);
    EXPECT_EQ(opacityAlpha(150), 255);
}
