// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace quorvel {

// Zoom levels of the learning view: 0..4 with factors 1.0, 1.25, 1.5, 1.75, 2.0.
inline constexpr int kMaxZoomLevel = 4;
double zoomFactor(int zoomLevel); // levels outside 0..4 are clamped

// How a page of size `page` (any unit, only the ratio counts) sits in a view
// area: fitted keeping the ratio, multiplied by the zoom factor and clipped to
// the area. All sizes in pixels, each side at least 1.
struct PageFit {
    QSize fitted;        // the page fitted into the area at zoom 1
    QSize pagePicture;   // fitted x zoom: the size of the page picture
    QSize view;          // pagePicture clipped to the area: the view picture
    QSizeF visibleShare; // view / pagePicture, fractions of the page
};
PageFit fitPage(QSizeF page, QSize area, double zoom);

// The visible section of the page (fractions, x/y = left/top) of the given
// size, centred where `before` was centred and moved back inside 0..1.
QRectF placeSection(const QRectF& before, QSizeF share);

// Moves `section` by (dx, dy) page fractions, kept inside the page.
QRectF moveSection(const QRectF& section, double dx, double dy);

// The pixel rectangle of the section inside a page picture of size
// `pagePicture`, exactly `view` large and inside the picture.
QRect sectionPixels(const QRectF& section, QSize pagePicture, QSize view);

// A view pixel to the relative page point, clamped to 0..1, and back.
QPointF viewToPage(QPointF viewPoint, QSize view, const QRectF& section);
QPointF pageToView(QPointF pagePoint, QSize view, const QRectF& section);

} // namespace quorvel
