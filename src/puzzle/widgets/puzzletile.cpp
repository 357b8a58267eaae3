// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzletile.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

PuzzleTile::PuzzleTile(int tile, QWidget* parent) : SurfaceCard(parent), m_tile(tile) {
    setObjectName(u"SPuzzlePan"_s + QString::number(tile));
    // The tile paints every pixel of itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PuzzleTile::setPiece(const QImage& piece) {
    m_piece = piece;
    update();
}

void PuzzleTile::paintFace(QPainter& p) {
    const QRect r = rect();
    // White only where the piece does not cover: a move paints each pixel once.
    const QRect piece(QPoint(1, 1), m_piece.size());
    p.fillRect(QRect(piece.right() + 1, 0, r.width() - piece.right() - 1, r.height()), Qt::white);
    p.fillRect(QRect(0, piece.bottom() + 1, r.width(), r.height() - piece.bottom() - 1), Qt::white);
    p.drawImage(piece.topLeft(), m_piece);
    paintBevel(p, r);
}

void PuzzleTile::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT activated();
}

} // namespace quorvel
