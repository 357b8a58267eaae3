// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardsurface.h"
#include "tschiebepuzzle.h"

#include <QImage>
#include <vector>

namespace quorvel {

class PuzzleTile;

// The sliding puzzle's board on a card surface: the tiles with their
// pieces of the picture, centred on a light background with a frame around
// the board. A click on a tile (any button) moves it as the puzzle allows;
// the arrow keys move the tile on that side of the gap into it; with every
// tile movable, Tab goes round the tiles and Space/Enter moves the focused
// one. Resizing lays the board out again, each tile staying in its cell.
class PuzzlePan : public CardSurface {
    Q_OBJECT
public:
    // `puzzle` must outlive the board.
    explicit PuzzlePan(TSchiebepuzzle& puzzle, QWidget* parent = nullptr);

    // Makes the tiles of the puzzle just started, cut from `picture`.
    void begin(const QImage& picture);
    // Removes the tiles.
    void finish();
    // Moves `tile` if the puzzle allows it; true when it moved.
    bool moveTile(int tile);

    PuzzleTile* tile(int id) const;
    const PuzzleBoard& board() const { return m_board; }

Q_SIGNALS:
    // A tile moved (the counts changed).
    void moved();
    // The last move solved the puzzle.
    void solved();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    bool dragsCards() const override { return false; }
    bool takesInput() const override;
    Aim aimAt(const SurfaceCard& /*card*/) const override { return {}; }
    std::vector<int> carryStops() const override { return {}; }
    Aim carryTo(SurfaceCard& /*card*/, int /*stop*/) override { return {}; }
    void dropped(SurfaceCard& /*card*/, int /*target*/, double /*pixels*/) override {}
    void cardClicked(SurfaceCard& card) override;

private:
    void layOut();
    void placeTile(PuzzleTile& tile);
    void showCursors();

    TSchiebepuzzle& m_puzzle;
    QImage m_picture;
    PuzzleBoard m_board;
    std::vector<PuzzleTile*> m_tiles; // by identifier
};

} // namespace quorvel
