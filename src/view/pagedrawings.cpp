// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagedrawings.h"

#include <QPainter>

namespace quorvel {

void PageDrawings::takeOver(const QImage& view, const QImage& clean, const QRect& section,
                            QSize page) {
    if (view.size() != clean.size() || section.size() != view.size() || page.isEmpty())
        return;
    if (m_picture.size() != page) {
        m_picture = QImage(page, QImage::Format_ARGB32_Premultiplied);
        m_picture.fill(Qt::transparent);
    }
    const QImage a = view.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage s = clean.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect target = section & m_picture.rect();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const int vy = y - section.top();
        const auto* za = reinterpret_cast<const QRgb*>(a.constScanLine(vy));
        const auto* zs = reinterpret_cast<const QRgb*>(s.constScanLine(vy));
        auto* zb = reinterpret_cast<QRgb*>(m_picture.scanLine(y));
        for (int x = target.left(); x <= target.right(); ++x) {
            const int vx = x - section.left();
            zb[x] = za[vx] == zs[vx] ? 0u : za[vx];
        }
    }
}

void PageDrawings::paintInto(QImage& view, const QRect& section) const {
    if (m_picture.isNull())
        return;
    QPainter p(&view);
    p.drawImage(QPoint(0, 0), m_picture, section & m_picture.rect());
}

void PageDrawings::clear() {
    m_picture = QImage();
}

} // namespace quorvel
