// SPDX-License-Identifier: GPL-3.0-or-later
#include "tschiebepuzzle.h"

#include "protocol.h"
#include "randomgenerator.h"
#include "rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

void TSchiebepuzzle::start(int n, bool neighboursOnly, RandomGenerator& random) {
    m_n = std::clamp(n, kSmallest, kLargest);
    m_neighboursOnly = neighboursOnly;
    m_grid.resize(size_t(m_n * m_n));
    for (int k = 0; k < m_n * m_n; ++k)
        m_grid[size_t(k)] = k;
    m_gap = QPoint(m_n - 1, m_n - 1);
    m_shuffled = 0;
    // Right, up, left, down; a step off the board is drawn again uncounted.
    static constexpr std::array<QPoint, 4> kSteps{QPoint(1, 0), QPoint(0, -1), QPoint(-1, 0),
                                                  QPoint(0, 1)};
    do {
        for (int made = 0; made < shuffleLength(m_n);) {
            const QPoint next = m_gap + kSteps[size_t(random.bounded(4))];
            if (next.x() < 0 || next.y() < 0 || next.x() >= m_n || next.y() >= m_n)
                continue;
            swapWithGap(next);
            ++made;
        }
        m_shuffled += shuffleLength(m_n);
        count();
    } while (m_inPlace == m_n * m_n);
    m_moves = 0;
}

void TSchiebepuzzle::clear() {
    m_n = 0;
    m_grid.clear();
    m_moves = 0;
    m_inPlace = 0;
}

int TSchiebepuzzle::tileAt(int column, int row) const {
    if (column < 0 || row < 0 || column >= m_n || row >= m_n)
        return -1;
    return m_grid[size_t(row * m_n + column)];
}

QPoint TSchiebepuzzle::cellOf(int tile) const {
    const auto at = std::find(m_grid.begin(), m_grid.end(), tile);
    if (at == m_grid.end())
        return {-1, -1};
    const int index = int(at - m_grid.begin());
    return {index % m_n, index / m_n};
}

bool TSchiebepuzzle::mayMove(int tile) const {
    if (!started() || solved() || tile == gapTile())
        return false;
    const QPoint cell = cellOf(tile);
    if (cell.x() < 0)
        return false;
    return !m_neighboursOnly ||
           std::abs(cell.x() - m_gap.x()) + std::abs(cell.y() - m_gap.y()) == 1;
}

bool TSchiebepuzzle::move(int tile) {
    if (!mayMove(tile))
        return false;
    swapWithGap(cellOf(tile));
    ++m_moves;
    count();
    return true;
}

int TSchiebepuzzle::tileBeside(int dx, int dy) const {
    if (!started() || std::abs(dx) + std::abs(dy) != 1)
        return -1;
    return tileAt(m_gap.x() + dx, m_gap.y() + dy);
}

void TSchiebepuzzle::swapWithGap(QPoint cell) {
    std::swap(m_grid[size_t(cell.y() * m_n + cell.x())],
              m_grid[size_t(m_gap.y() * m_n + m_gap.x())]);
    m_gap = cell;
}

void TSchiebepuzzle::count() {
    m_inPlace = 0;
    for (size_t k = 0; k < m_grid.size(); ++k)
        m_inPlace += m_grid[k] == int(k) ? 1 : 0;
}

QString TSchiebepuzzle::inPlaceText() const {
    return QString::number(m_inPlace);
}

QString TSchiebepuzzle::totalText() const {
    return u"von  "_s + QString::number(m_n * m_n);
}

QString TSchiebepuzzle::outOfPlaceText() const {
    return QString::number(outOfPlace());
}

QString TSchiebepuzzle::quoteText() const {
    const int cells = m_n * m_n;
    return fixedText(cells > 0 ? 100.0 * m_inPlace / cells : 0.0, 1) + u" %"_s;
}

QString TSchiebepuzzle::movesText() const {
    return QString::number(m_moves);
}

PuzzleBoard puzzleBoard(QSize panel, QSize picture, int n) {
    PuzzleBoard board;
    n = std::max(1, n);
    const int w = std::max(1, picture.width());
    const int h = std::max(1, picture.height());
    const int pw = std::max(1, panel.width());
    const int ph = std::max(1, panel.height());
    int tileWidth = 0;
    int tileHeight = 0;
    // Compared as products: the proportions of picture and panel.
    if (qint64(w) * ph > qint64(pw) * h) {
        tileWidth = std::max(0, (pw - 20) / n);
        tileHeight = int(std::floor(double(tileWidth) * h / w));
    } else {
        tileHeight = std::max(0, (ph - 20) / n);
        tileWidth = int(std::floor(double(w) * tileHeight / h));
    }
    board.tile = QSize(tileWidth, tileHeight);
    board.origin = QPoint((pw - n * tileWidth) / 2, (ph - n * tileHeight) / 2);
    return board;
}

QRect tileSource(int tile, int n, QSize picture) {
    n = std::max(1, n);
    const int column = tile % n;
    const int row = tile / n;
    const int left = rnd(double(column) / n * picture.width()) + 1;
    const int right = rnd(double(column + 1) / n * picture.width()) - 1;
    const int top = rnd(double(row) / n * picture.height()) + 1;
    const int bottom = rnd(double(row + 1) / n * picture.height()) - 1;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace quorvel
