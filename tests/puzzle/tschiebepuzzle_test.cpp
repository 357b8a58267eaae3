// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzlesolver.h"
#include "randomgenerator.h"
#include "tschiebepuzzle.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <queue>
#include <string>

using namespace quorvel;
using quorvel::test::gridOf;
using quorvel::test::solution;

namespace {

// Counted here, not by the model: the cells holding their own tile.
int countInPlace(const TSchiebepuzzle& p) {
    const std::vector<int> grid = gridOf(p);
    int n = 0;
    for (size_t k = 0; k < grid.size(); ++k)
        n += grid[k] == int(k) ? 1 : 0;
    return n;
}

// A board is solvable exactly when the parity of its permutation (gap
// included) equals the parity of the gap's distance from its home cell.
bool solvable(const TSchiebepuzzle& p) {
    std::vector<int> grid = gridOf(p);
    int swaps = 0;
    for (size_t i = 0; i < grid.size(); ++i) {
        while (grid[i] != int(i)) {
            std::swap(grid[i], grid[size_t(grid[i])]);
            ++swaps;
        }
    }
    const int n = p.size();
    const int distance = (n - 1 - p.gap().x()) + (n - 1 - p.gap().y());
    return swaps % 2 == distance % 2;
}

} // namespace

// Every size shuffles with 4 x n x n x 2n gap moves, never starts solved and
// stays solvable.
TEST(TSchiebepuzzle, ShufflesTheWrittenCountIntoASolvableUnsolvedBoard) {
    EXPECT_EQ(TSchiebepuzzle::shuffleLength(3), 216);
    for (int n = TSchiebepuzzle::kSmallest; n <= TSchiebepuzzle::kLargest; ++n) {
        for (quint64 seed : {1u, 2u, 77u}) {
            SCOPED_TRACE(testing::Message() << n << " x " << n << ", seed " << seed);
            RandomGenerator random(seed);
            TSchiebepuzzle p;
            p.start(n, true, random);
            EXPECT_EQ(p.shuffledMoves(), TSchiebepuzzle::shuffleLength(n));
            std::vector<int> tiles = gridOf(p);
            std::sort(tiles.begin(), tiles.end());
            for (int k = 0; k < n * n; ++k)
                ASSERT_EQ(tiles[size_t(k)], k);
            EXPECT_EQ(p.tileAt(p.gap().x(), p.gap().y()), p.gapTile());
            EXPECT_GE(p.outOfPlace(), 1);
            EXPECT_FALSE(p.solved());
            EXPECT_EQ(p.inPlace(), countInPlace(p));
            EXPECT_EQ(p.moves(), 0);
            EXPECT_TRUE(solvable(p));
        }
    }
    // Sizes outside 3..6 are held to them.
    RandomGenerator random(5);
    TSchiebepuzzle p;
    p.start(40, true, random);
    EXPECT_EQ(p.size(), 6);
    p.start(-2, true, random);
    EXPECT_EQ(p.size(), 3);
}

// The same seed gives the same board: the generator is the only source.
TEST(TSchiebepuzzle, SeedDecidesTheBoard) {
    RandomGenerator a(9), b(9);
    TSchiebepuzzle p, q;
    p.start(4, true, a);
    q.start(4, true, b);
    EXPECT_EQ(gridOf(p), gridOf(q));
}

// Only neighbours of the gap move; a refused click counts nothing.
TEST(TSchiebepuzzle, NeighboursOnlyMoveNextToTheGap) {
    RandomGenerator random(3);
    TSchiebepuzzle p;
    p.start(4, true, random);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int tile = p.tileAt(c, r);
            const int distance = std::abs(c - p.gap().x()) + std::abs(r - p.gap().y());
            EXPECT_EQ(p.mayMove(tile), distance == 1) << c << "," << r;
        }
    }
    const std::vector<int> before = gridOf(p);
    const QPoint gap = p.gap();
    const int far = p.tileAt(gap.x() < 2 ? 3 : 0, gap.y() < 2 ? 3 : 0);
    EXPECT_FALSE(p.move(far));
    EXPECT_FALSE(p.move(p.gapTile()));
    EXPECT_FALSE(p.move(99));
    EXPECT_EQ(gridOf(p), before);
    EXPECT_EQ(p.moves(), 0);
}

// With every tile movable a far tile jumps into the gap, which takes its cell.
TEST(TSchiebepuzzle, EveryTileJumpsIntoTheGap) {
    RandomGenerator random(3);
    TSchiebepuzzle p;
    p.start(5, false, random);
    const QPoint gap = p.gap();
    const QPoint far(gap.x() < 2 ? 4 : 0, gap.y() < 2 ? 4 : 0);
    const int tile = p.tileAt(far.x(), far.y());
    ASSERT_TRUE(p.move(tile));
    EXPECT_EQ(p.cellOf(tile), gap);
    EXPECT_EQ(p.gap(), far);
    EXPECT_EQ(p.moves(), 1);
    EXPECT_EQ(p.inPlace(), countInPlace(p));
    EXPECT_FALSE(p.move(p.gapTile()));
}

// A 3 x 3 board solved by its shortest clicks: the counts follow each move
// and a solved board takes no more moves.
TEST(TSchiebepuzzle, SolvedByClicks) {
    RandomGenerator random(11);
    TSchiebepuzzle p;
    p.start(3, true, random);
    const std::vector<int> clicks = solution(p);
    ASSERT_FALSE(clicks.empty());
    for (const int tile : clicks) {
        ASSERT_TRUE(p.move(tile));
        EXPECT_EQ(p.inPlace(), countInPlace(p));
        EXPECT_EQ(p.inPlace() + p.outOfPlace(), 9);
    }
    EXPECT_TRUE(p.solved());
    EXPECT_EQ(p.moves(), int(clicks.size()));
    EXPECT_EQ(p.tileBeside(-1, 0), 7);
    EXPECT_FALSE(p.move(7));
}

// The arrow keys' tile: the one on that side of the gap, none off the board.
TEST(TSchiebepuzzle, TileBesideTheGap) {
    RandomGenerator random(4);
    TSchiebepuzzle p;
    p.start(3, true, random);
    // Walk the gap into the bottom-right corner: the gap cell counts as in place.
    while (p.tileBeside(1, 0) >= 0)
        ASSERT_TRUE(p.move(p.tileBeside(1, 0)));
    while (p.tileBeside(0, 1) >= 0)
        ASSERT_TRUE(p.move(p.tileBeside(0, 1)));
    EXPECT_EQ(p.gap(), QPoint(2, 2));
    EXPECT_EQ(p.tileBeside(1, 0), -1);
    EXPECT_EQ(p.tileBeside(0, 1), -1);
    EXPECT_EQ(p.tileBeside(-1, 0), p.tileAt(1, 2));
    EXPECT_EQ(p.tileBeside(0, -1), p.tileAt(2, 1));
    EXPECT_EQ(p.tileBeside(1, 1), -1);
    EXPECT_EQ(p.inPlace(), countInPlace(p));
    EXPECT_GE(p.inPlace(), 1);
}

TEST(TSchiebepuzzle, StatusTexts) {
    RandomGenerator random(6);
    TSchiebepuzzle p;
    p.start(3, true, random);
    const int right = countInPlace(p);
    EXPECT_EQ(p.inPlaceText(), QString::number(right));
    EXPECT_EQ(p.totalText(), QStringLiteral("von  9"));
    EXPECT_EQ(p.outOfPlaceText(), QString::number(9 - right));
    EXPECT_EQ(p.quoteText(), QString::asprintf("%.1f %%", right * 100.0 / 9));
    EXPECT_EQ(p.movesText(), QStringLiteral("0"));
    p.move(p.tileBeside(p.gap().x() > 0 ? -1 : 1, 0));
    EXPECT_EQ(p.movesText(), QStringLiteral("1"));
    p.clear();
    EXPECT_EQ(p.quoteText(), QStringLiteral("0.0 %"));
}

// The board in the panel: a wide picture takes the width less 20 pixels and
// is centred vertically; a tall one the height; tiles keep the proportions.
TEST(TSchiebepuzzle, BoardSizedAndCentred) {
    const PuzzleBoard wide = puzzleBoard({1000, 600}, {400, 100}, 4);
    EXPECT_EQ(wide.tile, QSize(245, 61)); // (1000 - 20) / 4, floor(245 / 4)
    EXPECT_EQ(wide.origin, QPoint(10, (600 - 244) / 2));
    const PuzzleBoard tall = puzzleBoard({1000, 600}, {300, 400}, 3);
    EXPECT_EQ(tall.tile, QSize(144, 193)); // floor(300 * 193 / 400), (600 - 20) / 3
    EXPECT_EQ(tall.origin, QPoint((1000 - 432) / 2, 10));
    EXPECT_EQ(tall.cellRect(2, 1), QRect(tall.origin + QPoint(288, 193), QSize(144, 193)));
    // A panel smaller than the margin gives empty tiles, never negative ones.
    const PuzzleBoard tiny = puzzleBoard({10, 10}, {100, 100}, 6);
    EXPECT_GE(tiny.tile.width(), 0);
    EXPECT_GE(tiny.tile.height(), 0);
}

// A tile shows its share of the picture, one pixel inside on every side.
TEST(TSchiebepuzzle, TileSource) {
    EXPECT_EQ(tileSource(0, 3, {300, 150}), QRect(QPoint(1, 1), QPoint(98, 48)));
    EXPECT_EQ(tileSource(5, 3, {300, 150}), QRect(QPoint(201, 51), QPoint(298, 98)));
    EXPECT_EQ(tileSource(7, 4, {1000, 700}), QRect(QPoint(751, 176), QPoint(998, 348)));
}
