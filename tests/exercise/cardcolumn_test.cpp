// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardcolumn.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(CardColumn, CardsStackUpwardsAndFanIntoNewStacks) {
    // 46-pixel cards in a panel 300 x 250: the last entry lies at the bottom,
    // each further card 2 pixels higher; below the top line of 100 a new
    // stack starts 12 pixels left and 7 pixels higher.
    const std::vector<QRect> rects = stackCards(QSize(300, 250), std::vector<int>(5, 46));
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_EQ(rects[4], QRect(120, 204, 180, 46));
    EXPECT_EQ(rects[3], QRect(120, 156, 180, 46));
    EXPECT_EQ(rects[2], QRect(120, 108, 180, 46));
    EXPECT_EQ(rects[1], QRect(108, 243 - 46, 180, 46)); // stack 1: bottom 7 pixels up
    EXPECT_EQ(rects[0], QRect(108, 149, 180, 46));
    EXPECT_EQ(pictureAreaWidth(QSize(300, 250), rects), 103);
}

TEST(CardColumn, PanelsTooSmallStillPlaceEveryCard) {
    // A panel lower than one card still places every card, each in a stack
    // of its own, and the picture keeps its smallest width.
    const std::vector<QRect> rects = stackCards(QSize(200, 40), {46, 0, 46});
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[2].bottom() + 1, 40);
    EXPECT_EQ(rects[1].height(), 1);
    EXPECT_EQ(rects[1].left(), rects[2].left() - 12);
    EXPECT_EQ(rects[0].left(), 0) << "no stack leaves the panel";
    EXPECT_EQ(pictureAreaWidth(QSize(200, 40), rects), 50);
    EXPECT_TRUE(stackCards(QSize(200, 40), {}).empty());
    EXPECT_EQ(pictureAreaWidth(QSize(1000, 700), {}), 1000 - 180 - 5);
}

TEST(CardColumn, StacksStopAtHalfThePanel) {
    // In a panel 150 high each stack holds one 46-pixel card. At 1000 wide
    // the stacks may reach from 820 down to 500 (27 stacks); at 300 wide four
    // stacks always fit; in a panel narrower than a card they all pile up at
    // its left edge, which holds any number.
    const struct {
        QSize panel;
        size_t cards;
        size_t held;
    } cases[] = {
        {QSize(1000, 150), 10, 10},   {QSize(1000, 150), 27, 27}, {QSize(1000, 150), 28, 27},
        {QSize(1000, 150), 5000, 27}, {QSize(300, 150), 100, 4},  {QSize(100, 150), 30, 30},
        {QSize(1000, 150), 0, 0},
    };
    for (const auto& c : cases) {
        const std::vector<int> heights(c.cards, 46);
        const size_t held = cardsInStacks(c.panel, heights);
        EXPECT_EQ(held, c.held) << c.panel.width() << " " << c.cards;
        const std::vector<int> first(heights.begin(), heights.begin() + std::ptrdiff_t(held));
        for (const QRect& r : stackCards(c.panel, first))
            EXPECT_GE(r.left(), std::min(c.panel.width() / 2, c.panel.width() - 180 - 36));
    }
}

TEST(CardColumn, FieldsTakeTheirCardSide) {
    const QPoint anchor(100, 100);
    const QSize size(40, 20);
    const struct {
        int side;
        QRect expected;
    } cases[] = {
        {1, QRect(100, 90, 40, 20)}, {2, QRect(80, 77, 40, 20)}, {3, QRect(60, 90, 40, 20)},
        {4, QRect(80, 103, 40, 20)}, {5, QRect(80, 90, 40, 20)}, {0, QRect(80, 90, 40, 20)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inputFieldRect(anchor, size, cardSideFromCode(c.side), 3), c.expected) << c.side;
}

TEST(CardColumn, SquaresSlotsAndTickBoxes) {
    EXPECT_EQ(matchingSquare(QPoint(100, 100), true), QRect(109, 80, 40, 40));
    EXPECT_EQ(matchingSquare(QPoint(100, 100), false), QRect(50, 80, 40, 40));
    EXPECT_EQ(tickBoxRect(QPoint(100, 100), 34), QRect(110, 83, 34, 34));
    // Slot 4 is the second of the second row; a small picture keeps the
    // smallest slot size.
    EXPECT_EQ(questionSlotRect(4, QSize(1000, 600), QPoint(10, 20)),
              QRect(10 + 320 + 20, 20 + 60 + 20, 320, 60));
    EXPECT_EQ(questionSlotRect(0, QSize(100, 100), QPoint(0, 0)), QRect(0, 0, 150, 46));
}

} // namespace
} // namespace quorvel
