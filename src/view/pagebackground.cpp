#include "pagebackground.h"

#include "colorconversion.h"
#include "document.h"
#include "rounding.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr int kMaxBasisBreite = 2000;

double bildGroesseAnteil(int bildGroesseProzent) {
    return bildGroesseProzent > 0 ? bildGroesseProzent / 100.0 : 1.0;
}

} // namespace

QSize reducedBaseSize(QSize basis, int bildGroesseProzent) {
    const double p = bildGroesseAnteil(bildGroesseProzent);
    if (basis.width() <= 0 || basis.height() <= 0 || basis.width() / p <= kMaxBasisBreite)
        return basis;
    const int w = std::max(1, rnd(p * kMaxBasisBreite));
    if (w >= basis.width())
        return basis;
    const int h = std::max(1, rnd(double(basis.height()) * w / basis.width()));
    return QSize(w, h);
}

QSize pageSizeInBasePixels(QSize basis, const RandRect& r) {
    return QSize(std::max(1, rnd((1.0 + r.left + r.right) * basis.width())),
                 std::max(1, rnd((1.0 + r.top + r.bottom) * basis.height())));
}

const QImage& PageBackground::reducedBase(const Document& document) {
    const QImage& basis = document.basisbild;
    const int bildGroesse = document.geometry.bildGroesse;
    if (m_reduziertBasisKey == basis.cacheKey() && m_reduziertBildGroesse == bildGroesse &&
        !m_reduziert.isNull())
        return m_reduziert;

    const QSize ziel = reducedBaseSize(basis.size(), bildGroesse);
    if (basis.isNull())
        m_reduziert = QImage();
    else if (ziel == basis.size())
        m_reduziert = basis; // shared, not copied
    else
        m_reduziert = basis.scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_reduziertBasisKey = basis.cacheKey();
    m_reduziertBildGroesse = bildGroesse;
    return m_reduziert;
}

const QImage& PageBackground::background(const Document& document, QSize pagePicture) {
    const HeaderDataTyp& h = document.header;
    const Key schluessel{document.basisbild.cacheKey(), h.RandErw,  h.HtgdCol, h.BasisbildDeck,
                         document.geometry.bildGroesse, pagePicture};
    if (schluessel == m_hintergrundSchluessel && m_hintergrund.size() == pagePicture)
        return m_hintergrund;

    ++m_aufbauZaehler;
    const QImage& basis = reducedBase(document);
    if (m_hintergrund.size() != pagePicture || m_hintergrund.isDetached() == false)
        m_hintergrund = QImage(pagePicture, QImage::Format_ARGB32_Premultiplied);
    m_hintergrund.fill(colourFromValue(h.HtgdCol));
    m_hintergrundSchluessel = schluessel;
    if (basis.isNull())
        return m_hintergrund;

    // Where the base picture lies on the page, in page picture pixels.
    const QSize seite = pageSizeInBasePixels(basis.size(), h.RandErw);
    const double sx = double(pagePicture.width()) / seite.width();
    const double sy = double(pagePicture.height()) / seite.height();
    const double bx = rnd(basis.width() * h.RandErw.left);
    const double by = rnd(basis.height() * h.RandErw.top);
    const QRect basisRect(
        QPoint(rnd(bx * sx), rnd(by * sy)),
        QPoint(rnd((bx + basis.width()) * sx) - 1, rnd((by + basis.height()) * sy) - 1));
    // Only the part inside the page picture is scaled, so a hostile margin
    // cannot make us scale the picture to an enormous size.
    const QRect sichtbar = basisRect.intersected(QRect(QPoint(0, 0), pagePicture));
    if (sichtbar.isEmpty())
        return m_hintergrund;

    const double fx = double(basis.width()) / basisRect.width();
    const double fy = double(basis.height()) / basisRect.height();
    const QRect quelle =
        QRect(QPoint(int(std::floor((sichtbar.left() - basisRect.left()) * fx)),
                     int(std::floor((sichtbar.top() - basisRect.top()) * fy))),
              QPoint(int(std::ceil((sichtbar.right() + 1 - basisRect.left()) * fx)) - 1,
                     int(std::ceil((sichtbar.bottom() + 1 - basisRect.top()) * fy)) - 1))
            .intersected(basis.rect());
    const QImage teil = quelle == basis.rect() ? basis : basis.copy(quelle);
    const QImage skaliert =
        teil.size() == sichtbar.size()
            ? teil
            : teil.scaled(sichtbar.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QPainter painter(&m_hintergrund);
    painter.setOpacity(deckungAlpha(h.BasisbildDeck) / 255.0);
    painter.drawImage(sichtbar.topLeft(), skaliert);
    return m_hintergrund;
}

void PageBackground::discard() {
    m_reduziert = QImage();
    m_reduziertBasisKey = 0;
    m_reduziertBildGroesse = -1;
    m_hintergrund = QImage();
    m_hintergrundSchluessel = Key();
}

} // namespace quorvel
