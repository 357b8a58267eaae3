// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardpicture.h"

#include <gtest/gtest.h>

using namespace quorvel;

namespace {

TEST(BoardPicture, PasteFitsIntoTheSelectionKeepingTheAspectRatio) {
    struct Case {
        QSize picture;
        QRect selection;
        QRect placed;
    };
    const Case cases[] = {
        // Taller than the selection: fills its height, centred across.
        {QSize(100, 200), QRect(10, 20, 300, 100), QRect(135, 20, 50, 100)},
        // Wider: fills the width, centred down.
        {QSize(400, 100), QRect(0, 0, 200, 200), QRect(0, 75, 200, 50)},
        // The same shape: fills it exactly.
        {QSize(30, 20), QRect(5, 5, 60, 40), QRect(5, 5, 60, 40)},
        // A tiny selection never gets an empty picture.
        {QSize(1000, 1), QRect(0, 0, 10, 10), QRect(0, 4, 10, 1)},
        {QSize(), QRect(0, 0, 10, 10), QRect()},
        {QSize(10, 10), QRect(), QRect()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitIntoSelection(c.picture, c.selection), c.placed)
            << c.picture.width() << "x" << c.picture.height();
}

TEST(BoardPicture, SelectionFromCornersAndMovedInside) {
    const AreaSelection s = AreaSelection::fromCorners(QPoint(50, 40), QPoint(10, 20));
    EXPECT_TRUE(s.valid());
    EXPECT_EQ(s.rect(), QRect(10, 20, 40, 20));
    EXPECT_EQ(areaInfoText(s.rect()), QStringLiteral(" (10,20) - (49,39)  B:40 H:20"));
    EXPECT_FALSE(AreaSelection::fromCorners(QPoint(5, 5), QPoint(5, 5)).valid());
    EXPECT_FALSE(AreaSelection::fromCorners(QPoint(-1, 5), QPoint(9, 9)).valid());

    const AreaSelection moved = s.movedWithin(1000, -1000, QSize(200, 100));
    EXPECT_EQ(moved.rect(), QRect(160, 0, 40, 20));
    EXPECT_EQ(s.movedWithin(5, 5, QSize(200, 100)).rect(), QRect(15, 25, 40, 20));
}

TEST(BoardPicture, PictureExtensions) {
    for (const char* ok : {"a.png", "B.PNG", "c.Jpg", "d.bmp"})
        EXPECT_TRUE(hasBoardPictureExtension(QString::fromLatin1(ok))) << ok;
    for (const char* bad : {"a.jpeg", "b.gif", "c", "png", "d.png.txt"})
        EXPECT_FALSE(hasBoardPictureExtension(QString::fromLatin1(bad))) << bad;
}

} // namespace
