// SPDX-License-Identifier: GPL-3.0-or-later
#include "nineslice.h"

#include <QPainter>
#include <algorithm>
#include <array>

namespace quorvel {

void drawNineSlice(QPainter& painter, const QRect& target, const QImage& source, int corner) {
    if (source.isNull() || target.isEmpty())
        return;
    const int sc = std::clamp(corner, 0, std::min(source.width(), source.height()) / 2);
    const int tcx = std::min(sc, target.width() / 2);
    const int tcy = std::min(sc, target.height() / 2);

    const std::array<int, 4> sx = {0, sc, source.width() - sc, source.width()};
    const std::array<int, 4> sy = {0, sc, source.height() - sc, source.height()};
    const std::array<int, 4> tx = {target.left(), target.left() + tcx, target.right() + 1 - tcx,
                                   target.right() + 1};
    const std::array<int, 4> ty = {target.top(), target.top() + tcy, target.bottom() + 1 - tcy,
                                   target.bottom() + 1};

    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect from(sx[column], sy[row], sx[column + 1] - sx[column],
                             sy[row + 1] - sy[row]);
            const QRect to(tx[column], ty[row], tx[column + 1] - tx[column], ty[row + 1] - ty[row]);
            if (!from.isEmpty() && !to.isEmpty())
                painter.drawImage(to, source, from);
        }
    }
    painter.restore();
}

QImage nineSliced(const QImage& source, QSize size, int corner) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    drawNineSlice(painter, picture.rect(), source, corner);
    return picture;
}

} // namespace quorvel
