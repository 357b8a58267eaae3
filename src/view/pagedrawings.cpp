#include "pagedrawings.h"

#include <QPainter>

namespace quorvel {

void PageDrawings::takeOver(const QImage& ansicht, const QImage& sauber, const QRect& ausschnitt,
                            QSize seite) {
    if (ansicht.size() != sauber.size() || ausschnitt.size() != ansicht.size() || seite.isEmpty())
        return;
    if (m_bild.size() != seite) {
        m_bild = QImage(seite, QImage::Format_ARGB32_Premultiplied);
        m_bild.fill(Qt::transparent);
    }
    const QImage a = ansicht.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage s = sauber.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect ziel = ausschnitt & m_bild.rect();
    for (int y = ziel.top(); y <= ziel.bottom(); ++y) {
        const int vy = y - ausschnitt.top();
        const auto* za = reinterpret_cast<const QRgb*>(a.constScanLine(vy));
        const auto* zs = reinterpret_cast<const QRgb*>(s.constScanLine(vy));
        auto* zb = reinterpret_cast<QRgb*>(m_bild.scanLine(y));
        for (int x = ziel.left(); x <= ziel.right(); ++x) {
            const int vx = x - ausschnitt.left();
            zb[x] = za[vx] == zs[vx] ? 0u : za[vx];
        }
    }
}

void PageDrawings::zeigen(QImage& ansicht, const QRect& ausschnitt) const {
    if (m_bild.isNull())
        return;
    QPainter p(&ansicht);
    p.drawImage(QPoint(0, 0), m_bild, ausschnitt & m_bild.rect());
}

void PageDrawings::clear() {
    m_bild = QImage();
}

} // namespace quorvel
