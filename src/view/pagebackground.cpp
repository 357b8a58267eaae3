// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagebackground.h"

#include "colorconversion.h"
#include "document.h"
#include "rounding.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr int kMaxBaseWidth = 2000;

double pictureSizeShare(int pictureSizePercent) {
    return pictureSizePercent > 0 ? pictureSizePercent / 100.0 : 1.0;
}

} // namespace

QSize reducedBaseSize(QSize basis, int pictureSizePercent) {
    const double p = pictureSizeShare(pictureSizePercent);
    if (basis.width() <= 0 || basis.height() <= 0 || basis.width() / p <= kMaxBaseWidth)
        return basis;
    const int w = std::max(1, rnd(p * kMaxBaseWidth));
    if (w >= basis.width())
        return basis;
    const int h = std::max(1, rnd(double(basis.height()) * w / basis.width()));
    return QSize(w, h);
}

QSize pageSizeInBasePixels(QSize basis, const PageRect& r) {
    return QSize(std::max(1, rnd((1.0 + r.left + r.right) * basis.width())),
                 std::max(1, rnd((1.0 + r.top + r.bottom) * basis.height())));
}

const QImage& PageBackground::reducedBase(const Document& document) {
    const QImage& basis = document.basePicture;
    const int pictureSize = document.geometry.pictureSize;
    if (m_reducedBaseKey == basis.cacheKey() && m_reducedPictureSize == pictureSize &&
        !m_reduced.isNull())
        return m_reduced;

    const QSize target = reducedBaseSize(basis.size(), pictureSize);
    if (basis.isNull())
        m_reduced = QImage();
    else if (target == basis.size())
        m_reduced = basis; // shared, not copied
    else
        m_reduced = basis.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_reducedBaseKey = basis.cacheKey();
    m_reducedPictureSize = pictureSize;
    return m_reduced;
}

const QImage& PageBackground::background(const Document& document, QSize pagePicture) {
    const HeaderDataTyp& h = document.header;
    const Key key{document.basePicture.cacheKey(), h.RandErw,  h.HtgdCol, h.BasisbildDeck,
                  document.geometry.pictureSize,   pagePicture};
    if (key == m_backgroundKey && m_background.size() == pagePicture)
        return m_background;

    ++m_buildCount;
    const QImage& basis = reducedBase(document);
    if (m_background.size() != pagePicture || m_background.isDetached() == false)
        m_background = QImage(pagePicture, QImage::Format_ARGB32_Premultiplied);
    m_background.fill(colourFromValue(h.HtgdCol));
    m_backgroundKey = key;
    if (basis.isNull())
        return m_background;

    // Where the base picture lies on the page, in page picture pixels.
    const QSize page = pageSizeInBasePixels(basis.size(), h.RandErw);
    const double sx = double(pagePicture.width()) / page.width();
    const double sy = double(pagePicture.height()) / page.height();
    const double bx = rnd(basis.width() * h.RandErw.left);
    const double by = rnd(basis.height() * h.RandErw.top);
    // Margins from a file may put the base picture at any distance: its
    // corners stay where pixel arithmetic cannot overflow, far outside any
    // page picture (only the part inside the page is drawn).
    static constexpr double kFar = 1 << 28;
    const auto pixel = [](double value) { return rnd(std::clamp(value, -kFar, kFar)); };
    const QRect basisRect(
        QPoint(pixel(bx * sx), pixel(by * sy)),
        QPoint(pixel((bx + basis.width()) * sx) - 1, pixel((by + basis.height()) * sy) - 1));
    // Only the part inside the page picture is scaled, so a hostile margin
    // cannot make us scale the picture to an enormous size.
    const QRect visible = basisRect.intersected(QRect(QPoint(0, 0), pagePicture));
    if (visible.isEmpty())
        return m_background;

    const double fx = double(basis.width()) / basisRect.width();
    const double fy = double(basis.height()) / basisRect.height();
    const QRect source =
        QRect(QPoint(int(std::floor((visible.left() - basisRect.left()) * fx)),
                     int(std::floor((visible.top() - basisRect.top()) * fy))),
              QPoint(int(std::ceil((visible.right() + 1 - basisRect.left()) * fx)) - 1,
                     int(std::ceil((visible.bottom() + 1 - basisRect.top()) * fy)) - 1))
            .intersected(basis.rect());
    const QImage part = source == basis.rect() ? basis : basis.copy(source);
    const QImage scaled =
        part.size() == visible.size()
            ? part
            : part.scaled(visible.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QPainter painter(&m_background);
    painter.setOpacity(opacityAlpha(h.BasisbildDeck) / 255.0);
    painter.drawImage(visible.topLeft(), scaled);
    return m_background;
}

void PageBackground::discard() {
    m_reduced = QImage();
    m_reducedBaseKey = 0;
    m_reducedPictureSize = -1;
    m_background = QImage();
    m_backgroundKey = Key();
}

} // namespace quorvel
