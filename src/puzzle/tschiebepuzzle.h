// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace quorvel {

class RandomGenerator;

// The sliding puzzle (`TSchiebepuzzle`): an n x n grid of tile identifiers
// (n from 3 to 6) with one gap. The tile with identifier k belongs at row
// k / n, column k % n; the gap is the tile n * n - 1, whose home is the
// bottom-right cell. A move swaps a tile with the gap; with "neighbours
// only" the tile must touch the gap, otherwise any tile may jump into it.
// Headless: the widgets show it and pass the user's moves in.
class TSchiebepuzzle {
public:
    static constexpr int kSmallest = 3;
    static constexpr int kLargest = 6;

    // The gap moves of one shuffle of an n x n puzzle: 4 x n x n x 2n.
    static int shuffleLength(int n) { return 4 * n * n * 2 * n; }

    // A new puzzle of `n` x `n` (clamped to 3..6): the tiles in order, then
    // shuffled with `random` until at least one cell is out of place. The
    // shuffle only moves the gap, so every arrangement is solvable.
    void start(int n, bool neighboursOnly, RandomGenerator& random);
    // No puzzle any more (abort, solved and left).
    void clear();

    bool started() const { return m_n > 0; }
    int size() const { return m_n; }
    bool neighboursOnly() const { return m_neighboursOnly; }
    // The tile in the cell at `column`, `row`; -1 outside the board.
    int tileAt(int column, int row) const;
    // The cell (column, row) of tile `tile`; (-1, -1) for no such tile.
    QPoint cellOf(int tile) const;
    QPoint gap() const { return m_gap; }
    int gapTile() const { return m_n * m_n - 1; }

    // Whether `tile` may move now (the gap never does; nothing after the
    // puzzle is solved).
    bool mayMove(int tile) const;
    // Moves `tile` into the gap when it may; false changes nothing.
    bool move(int tile);
    // The tile on side (dx, dy) of the gap, which an arrow key moves into
    // it: (1, 0) is the tile right of the gap. -1 when there is none.
    int tileBeside(int dx, int dy) const;

    int moves() const { return m_moves; }
    // Cells whose tile is the one that belongs there (the gap counts too).
    int inPlace() const { return m_inPlace; }
    int outOfPlace() const { return m_n * m_n - m_inPlace; }
    bool solved() const { return started() && m_inPlace == m_n * m_n; }
    // The gap moves the last shuffle made (a whole multiple of
    // shuffleLength(); more than one when a shuffle ended solved).
    int shuffledMoves() const { return m_shuffled; }

    // The status panel's values: "3", "von  9", "6", "33.3 %", "0".
    QString inPlaceText() const;
    QString totalText() const;
    QString outOfPlaceText() const;
    QString quoteText() const;
    QString movesText() const;

private:
    void swapWithGap(QPoint cell);
    void count();

    int m_n = 0;
    bool m_neighboursOnly = true;
    std::vector<int> m_grid; // row by row
    QPoint m_gap;
    int m_moves = 0;
    int m_inPlace = 0;
    int m_shuffled = 0;
};

// Where the board of an n x n puzzle stands in a panel of `panel`, for a
// picture of `picture`: tiles as large as fit 20 pixels inside the panel
// with the picture's proportions, the board centred.
struct PuzzleBoard {
    QPoint origin;
    QSize tile;
    QRect rect(int n) const { return QRect(origin, QSize(tile.width() * n, tile.height() * n)); }
    QRect cellRect(int column, int row) const {
        return QRect(origin + QPoint(column * tile.width(), row * tile.height()), tile);
    }
};
PuzzleBoard puzzleBoard(QSize panel, QSize picture, int n);

// The part of a picture of `picture` that tile `tile` of an n x n puzzle
// shows (one pixel inside its share on every side).
QRect tileSource(int tile, int n, QSize picture);

} // namespace quorvel
