#include "viewgeometry.h"

#include "rounding.h"

#include <algorithm>

namespace quorvel {

double zoomFactor(int zoomLevel) {
    return 1.0 + 0.25 * std::clamp(zoomLevel, 0, kMaxZoomLevel);
}

PageFit fitPage(QSizeF seite, QSize bereich, double zoom) {
    const int tw = std::max(1, bereich.width());
    const int th = std::max(1, bereich.height());
    const double pw = seite.width() > 0 ? seite.width() : 1.0;
    const double ph = seite.height() > 0 ? seite.height() : 1.0;

    PageFit e;
    if (ph / th > pw / tw)
        e.eingepasst = QSize(std::max(1, rnd(th * pw / ph)), th);
    else
        e.eingepasst = QSize(tw, std::max(1, rnd(tw * ph / pw)));
    e.pagePicture = QSize(std::max(1, rnd(e.eingepasst.width() * zoom)),
                          std::max(1, rnd(e.eingepasst.height() * zoom)));
    e.ansicht = QSize(std::min(e.pagePicture.width(), tw), std::min(e.pagePicture.height(), th));
    e.sichtbarerAnteil = QSizeF(double(e.ansicht.width()) / e.pagePicture.width(),
                                double(e.ansicht.height()) / e.pagePicture.height());
    return e;
}

namespace {

double clampedStart(double start, double size) {
    return std::clamp(start, 0.0, std::max(0.0, 1.0 - size));
}

} // namespace

QRectF placeSection(const QRectF& vorher, QSizeF anteil) {
    const double w = std::clamp(anteil.width(), 0.0, 1.0);
    const double h = std::clamp(anteil.height(), 0.0, 1.0);
    const QPointF mitte = vorher.isValid() ? vorher.center() : QPointF(0.5, 0.5);
    return QRectF(clampedStart(mitte.x() - w / 2, w), clampedStart(mitte.y() - h / 2, h), w, h);
}

QRectF moveSection(const QRectF& ausschnitt, double dx, double dy) {
    return QRectF(clampedStart(ausschnitt.left() + dx, ausschnitt.width()),
                  clampedStart(ausschnitt.top() + dy, ausschnitt.height()), ausschnitt.width(),
                  ausschnitt.height());
}

QRect sectionPixels(const QRectF& ausschnitt, QSize pagePicture, QSize ansicht) {
    const int w = std::min(ansicht.width(), pagePicture.width());
    const int h = std::min(ansicht.height(), pagePicture.height());
    const int x =
        std::clamp(rnd(ausschnitt.left() * pagePicture.width()), 0, pagePicture.width() - w);
    const int y =
        std::clamp(rnd(ausschnitt.top() * pagePicture.height()), 0, pagePicture.height() - h);
    return QRect(x, y, w, h);
}

QPointF viewToPage(QPointF ansichtPunkt, QSize ansicht, const QRectF& ausschnitt) {
    const double w = std::max(1, ansicht.width());
    const double h = std::max(1, ansicht.height());
    return QPointF(
        std::clamp(ausschnitt.left() + ansichtPunkt.x() / w * ausschnitt.width(), 0.0, 1.0),
        std::clamp(ausschnitt.top() + ansichtPunkt.y() / h * ausschnitt.height(), 0.0, 1.0));
}

QPointF pageToView(QPointF seitenPunkt, QSize ansicht, const QRectF& ausschnitt) {
    const double bw = ausschnitt.width() > 0 ? ausschnitt.width() : 1.0;
    const double bh = ausschnitt.height() > 0 ? ausschnitt.height() : 1.0;
    return QPointF((seitenPunkt.x() - ausschnitt.left()) / bw * ansicht.width(),
                   (seitenPunkt.y() - ausschnitt.top()) / bh * ansicht.height());
}

} // namespace quorvel
