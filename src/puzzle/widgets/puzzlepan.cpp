// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzlepan.h"

#include "puzzletile.h"

#include <QKeyEvent>
#include <QPainter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
const QColor kPanelColour(0xF0, 0xF0, 0xF0);
const QColor kFrameColour(0xDB, 0xDB, 0xD4);
} // namespace

PuzzlePan::PuzzlePan(TSchiebepuzzle& puzzle, QWidget* parent)
    : CardSurface(parent), m_puzzle(puzzle) {
    setObjectName(u"SPuzzleBoard"_s);
    // The board takes the arrow keys.
    setFocusPolicy(Qt::StrongFocus);
}

void PuzzlePan::begin(const QImage& picture) {
    finish();
    m_picture = picture;
    const int n = m_puzzle.size();
    for (int id = 0; id < n * n; ++id) {
        auto* tile = new PuzzleTile(id, this);
        tile->setFocusPolicy(m_puzzle.neighboursOnly() ? Qt::NoFocus : Qt::TabFocus);
        connectCard(tile);
        m_tiles.push_back(tile);
    }
    layOut();
    for (PuzzleTile* tile : m_tiles)
        tile->setVisible(tile->tile() != m_puzzle.gapTile());
    setFocus(Qt::OtherFocusReason);
}

void PuzzlePan::finish() {
    dropEverything();
    qDeleteAll(m_tiles);
    m_tiles.clear();
}

PuzzleTile* PuzzlePan::tile(int id) const {
    return id >= 0 && size_t(id) < m_tiles.size() ? m_tiles[size_t(id)] : nullptr;
}

bool PuzzlePan::takesInput() const {
    return m_puzzle.started() && !m_puzzle.solved();
}

void PuzzlePan::resizeEvent(QResizeEvent* event) {
    CardSurface::resizeEvent(event);
    layOut();
}

void PuzzlePan::layOut() {
    const int n = std::max(1, m_puzzle.size());
    m_board = puzzleBoard(size(), m_picture.size(), n);
    QImage& picture = background();
    // Opaque pictures: a move copies pixels instead of blending them.
    picture = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    picture.fill(kPanelColour);
    QPainter p(&picture);
    p.setPen(kFrameColour);
    p.drawRect(m_board.rect(n).adjusted(-1, -1, 0, 0));
    p.end();
    // Each piece is scaled once here, not at every paint.
    const QSize piece(std::max(1, m_board.tile.width() - 3),
                      std::max(1, m_board.tile.height() - 3));
    for (PuzzleTile* tile : m_tiles) {
        tile->setPiece(m_picture.copy(tileSource(tile->tile(), n, m_picture.size()))
                           .scaled(piece, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32));
        placeTile(*tile);
    }
    showCursors();
    update();
}

void PuzzlePan::placeTile(PuzzleTile& tile) {
    const QPoint cell = m_puzzle.cellOf(tile.tile());
    // One pixel larger than the tile each way: neighbours share their edge.
    tile.setGeometry(
        QRect(m_board.cellRect(cell.x(), cell.y()).topLeft(), m_board.tile + QSize(1, 1)));
}

void PuzzlePan::showCursors() {
    // Set only where it changes: setting a cursor costs more than a move.
    for (PuzzleTile* tile : m_tiles) {
        const Qt::CursorShape shape =
            m_puzzle.mayMove(tile->tile()) ? Qt::PointingHandCursor : Qt::ArrowCursor;
        if (!tile->testAttribute(Qt::WA_SetCursor) || tile->cursor().shape() != shape)
            tile->setCursor(shape);
    }
}

bool PuzzlePan::moveTile(int id) {
    PuzzleTile* moving = tile(id);
    if (!moving || !m_puzzle.move(id))
        return false;
    placeTile(*moving);
    // Only with neighbours only does a move change which tiles may move.
    if (m_puzzle.neighboursOnly() || m_puzzle.solved())
        showCursors();
    Q_EMIT moved();
    if (m_puzzle.solved()) {
        if (PuzzleTile* gap = tile(m_puzzle.gapTile())) {
            placeTile(*gap);
            gap->show();
        }
        Q_EMIT solved();
    }
    return true;
}

void PuzzlePan::cardClicked(SurfaceCard& card) {
    if (auto* clicked = qobject_cast<PuzzleTile*>(&card))
        moveTile(clicked->tile());
}

void PuzzlePan::keyPressEvent(QKeyEvent* event) {
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        CardSurface::keyPressEvent(event);
        return;
    }
    if (takesInput())
        moveTile(m_puzzle.tileBeside(dx, dy));
    event->accept();
}

} // namespace quorvel
