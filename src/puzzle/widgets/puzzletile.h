// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "surfacecard.h"

#include <QImage>

namespace quorvel {

// One tile of the sliding puzzle ("SPuzzlePan" + its identifier): white,
// with a raised bevel, showing its piece of the picture one pixel inside.
// Any mouse button pressed on it, or Space/Enter when it has the focus,
// asks the board to move it.
class PuzzleTile : public SurfaceCard {
    Q_OBJECT
public:
    explicit PuzzleTile(int tile, QWidget* parent = nullptr);

    int tile() const { return m_tile; }
    // The piece, already at its size (the tile less 3 pixels each way).
    void setPiece(const QImage& piece);
    const QImage& piece() const { return m_piece; }

protected:
    void paintFace(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_tile;
    QImage m_piece;
};

} // namespace quorvel
