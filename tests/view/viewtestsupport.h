// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"
#include "layoutset.h"

#include <QColor>
#include <QImage>
#include <QRect>

namespace quorvel::test {

// The layouts for tests that compose without any: an empty set.
inline const LayoutSet& noLayouts() {
    static const LayoutSet layouts;
    return layouts;
}

// A document on a plain base picture of w x h pixels without margin.
inline Document emptyDocument(int w, int h, QColor basis = Qt::white) {
    Document d;
    d.basePicture = QImage(w, h, QImage::Format_ARGB32);
    d.basePicture.fill(basis);
    d.derivePageGeometry();
    return d;
}

// An object of `typ` on layer 1 with its card centred on (x, y).
inline ObjDataTyp object(int typ, double x, double y, const QString& cap = QString()) {
    ObjDataTyp o;
    o.Typ = typ;
    o.Ebene = 1;
    o.Cap = cap;
    o.Sx = o.Kx = x;
    o.Sy = o.Ky = y;
    o.KAusr = 5;
    o.AbfrageStatus = AbfrageStatus::Uncovered;
    return o;
}

// The smallest rectangle holding every pixel of `picture` inside `area` that
// is darker than `grey` (0..255); empty when there is none.
inline QRect ink(const QImage& picture, const QRect& area, int grey = 128) {
    QRect r;
    const QRect b = area & picture.rect();
    for (int y = b.top(); y <= b.bottom(); ++y)
        for (int x = b.left(); x <= b.right(); ++x)
            if (qGray(picture.pixel(x, y)) < grey)
                r |= QRect(x, y, 1, 1);
    return r;
}

// Whether `picture` has a pixel of exactly `colour` (ignoring alpha) inside `area`.
inline bool hasColour(const QImage& picture, const QRect& area, QColor colour) {
    const QRect b = area & picture.rect();
    for (int y = b.top(); y <= b.bottom(); ++y)
        for (int x = b.left(); x <= b.right(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF))
                return true;
    return false;
}

} // namespace quorvel::test
