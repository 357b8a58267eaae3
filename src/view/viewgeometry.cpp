// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewgeometry.h"

#include "rounding.h"

#include <algorithm>

namespace quorvel {

double zoomFactor(int zoomLevel) {
    return 1.0 + 0.25 * std::clamp(zoomLevel, 0, kMaxZoomLevel);
}

PageFit fitPage(QSizeF page, QSize area, double zoom) {
    const int tw = std::max(1, area.width());
    const int th = std::max(1, area.height());
    const double pw = page.width() > 0 ? page.width() : 1.0;
    const double ph = page.height() > 0 ? page.height() : 1.0;

    PageFit e;
    if (ph / th > pw / tw)
        e.fitted = QSize(std::max(1, rnd(th * pw / ph)), th);
    else
        e.fitted = QSize(tw, std::max(1, rnd(tw * ph / pw)));
    e.pagePicture = QSize(std::max(1, rnd(e.fitted.width() * zoom)),
                          std::max(1, rnd(e.fitted.height() * zoom)));
    e.view = QSize(std::min(e.pagePicture.width(), tw), std::min(e.pagePicture.height(), th));
    e.visibleShare = QSizeF(double(e.view.width()) / e.pagePicture.width(),
                            double(e.view.height()) / e.pagePicture.height());
    return e;
}

namespace {

double clampedStart(double start, double size) {
    return std::clamp(start, 0.0, std::max(0.0, 1.0 - size));
}

} // namespace

QRectF placeSection(const QRectF& before, QSizeF share) {
    const double w = std::clamp(share.width(), 0.0, 1.0);
    const double h = std::clamp(share.height(), 0.0, 1.0);
    const QPointF centre = before.isValid() ? before.center() : QPointF(0.5, 0.5);
    return QRectF(clampedStart(centre.x() - w / 2, w), clampedStart(centre.y() - h / 2, h), w, h);
}

QRectF moveSection(const QRectF& section, double dx, double dy) {
    return QRectF(clampedStart(section.left() + dx, section.width()),
                  clampedStart(section.top() + dy, section.height()), section.width(),
                  section.height());
}

QRect sectionPixels(const QRectF& section, QSize pagePicture, QSize view) {
    const int w = std::min(view.width(), pagePicture.width());
    const int h = std::min(view.height(), pagePicture.height());
    const int x = std::clamp(rnd(section.left() * pagePicture.width()), 0, pagePicture.width() - w);
    const int y =
        std::clamp(rnd(section.top() * pagePicture.height()), 0, pagePicture.height() - h);
    return QRect(x, y, w, h);
}

QPointF viewToPage(QPointF viewPoint, QSize view, const QRectF& section) {
    const double w = std::max(1, view.width());
    const double h = std::max(1, view.height());
    return QPointF(std::clamp(section.left() + viewPoint.x() / w * section.width(), 0.0, 1.0),
                   std::clamp(section.top() + viewPoint.y() / h * section.height(), 0.0, 1.0));
}

QPointF pageToView(QPointF pagePoint, QSize view, const QRectF& section) {
    const double bw = section.width() > 0 ? section.width() : 1.0;
    const double bh = section.height() > 0 ? section.height() : 1.0;
    return QPointF((pagePoint.x() - section.left()) / bw * view.width(),
                   (pagePoint.y() - section.top()) / bh * view.height());
}

} // namespace quorvel
