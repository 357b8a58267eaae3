// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork.h"
#include "nineslice.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

// A 90 x 90 source whose nine slices of 30 pixels each have their own colour.
QImage slicedSource() {
    QImage source(90, 90, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&source);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            painter.fillRect(column * 30, row * 30, 30, 30, QColor(column * 100, row * 100, 50));
    }
    // A gradient inside the top-left corner, to see that it is not scaled.
    for (int i = 0; i < 30; ++i)
        source.setPixelColor(i, i, QColor(255, i * 8, 255));
    return source;
}

bool uniform(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

} // namespace

TEST(NineSlice, CornersUnscaledEdgesAlongTheirLength) {
    const QImage source = slicedSource();
    const QImage stretched = nineSliced(source, QSize(400, 250), 30);
    ASSERT_EQ(stretched.size(), QSize(400, 250));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(stretched.pixel(x, y), source.pixel(x, y)) << x << "," << y;
            ASSERT_EQ(stretched.pixel(370 + x, 220 + y), source.pixel(60 + x, 60 + y));
        }
    }
    // Edges and centre take their slice's colour across the whole stretch.
    EXPECT_EQ(stretched.pixelColor(200, 10), QColor(100, 0, 50));    // top edge
    EXPECT_EQ(stretched.pixelColor(10, 125), QColor(0, 100, 50));    // left edge
    EXPECT_EQ(stretched.pixelColor(200, 125), QColor(100, 100, 50)); // centre
    EXPECT_EQ(stretched.pixelColor(390, 125), QColor(200, 100, 50)); // right edge
}

TEST(NineSlice, TargetSmallerThanTwoCorners) {
    const QImage stretched = nineSliced(slicedSource(), QSize(40, 20), 30);
    ASSERT_EQ(stretched.size(), QSize(40, 20));
    EXPECT_EQ(stretched.pixelColor(5, 15).alpha(), 255); // covered, no hole
    EXPECT_TRUE(nineSliced(QImage(), QSize(10, 10), 30).size() == QSize(10, 10));
}

TEST(Artwork, PicturesAreDrawnAndNotEmpty) {
    const QImage start = drawStartPicture(QSize(870, 609));
    EXPECT_EQ(start.size(), QSize(870, 609));
    EXPECT_FALSE(uniform(start));
    EXPECT_EQ(start.pixelColor(10, 10).alpha(), 255);

    const QImage icon = programIcon(64);
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);     // rounded corner
    EXPECT_EQ(icon.pixelColor(32, 32).alpha(), 255); // the page

    const QImage decoration = dialogDecoration();
    EXPECT_GE(decoration.width(), 2 * kDecorationCorner + 1);
    EXPECT_GE(decoration.height(), 2 * kDecorationCorner + 1);
    EXPECT_FALSE(uniform(decoration));
}

TEST(Artwork, CursorHotSpotsLieOnTheDrawing) {
    std::vector<CursorPicture> cursors = {penCursorPicture(), stampCursorPicture()};
    for (int variant = 1; variant <= 5; ++variant)
        cursors.push_back(shapePenCursorPicture(variant));
    for (size_t i = 0; i < cursors.size(); ++i) {
        const CursorPicture& cursor = cursors[i];
        ASSERT_TRUE(cursor.image.rect().contains(cursor.hotSpot)) << i;
        EXPECT_GT(cursor.image.pixelColor(cursor.hotSpot).alpha(), 0) << i;
    }
    // The five shape pens differ from each other.
    for (int a = 2; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b)
            EXPECT_NE(cursors[a].image, cursors[b].image) << a << " " << b;
    }
}
