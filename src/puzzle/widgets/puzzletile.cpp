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
    p.fillRect(r, Qt::white);
    paintBevel(p, r);
    p.drawImage(QPoint(1, 1), m_piece);
}

void PuzzleTile::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT activated();
}

} // namespace quorvel
