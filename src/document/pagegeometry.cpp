// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagegeometry.h"

#include "rounding.h"

#include <algorithm>

namespace quorvel {

PageGeometry pageGeometryFor(QSize picture, const PageRect& randErw) {
    PageGeometry g;
    const double w = picture.width();
    const double h = picture.height();
    const double l = randErw.left, t = randErw.top, r = randErw.right, b = randErw.bottom;
    g.ratioArt = 1;
    g.ratioBreite = rnd((1.0 + l + r) * w);
    g.ratioHoehe = rnd((1.0 + t + b) * h);
    if (w > 0 && h > 0 && g.ratioBreite > 0 && g.ratioHoehe > 0) {
        const double rb = g.ratioBreite, rh = g.ratioHoehe;
        g.marginShare = rnd((rb - std::max(rb * h / rh, w)) / w / 2.0 * 100.0);
        g.pictureSize = rnd(std::max(h / rh, w / rb) * 100.0);
    } else {
        // A degenerate picture or margin: keep the page equal to the picture.
        g.ratioBreite = std::max(1, static_cast<int>(w));
        g.ratioHoehe = std::max(1, static_cast<int>(h));
        g.marginShare = 0;
        g.pictureSize = 100;
    }
    g.horizPosition = (l + r == 0.0) ? 50 : rnd(l / (l + r) * 100.0);
    g.verticalPosition = (t + b == 0.0) ? 50 : rnd(t / (t + b) * 100.0);
    return g;
}

PageRect randErwFromGeometry(QSize picture, const PageGeometry& g) {
    const double w = picture.width();
    const double h = picture.height();
    if (w <= 0 || h <= 0)
        return {};
    double f = w, gh = h, q = 0.0, s = 0.0;
    if (g.ratioArt == 1 && g.ratioBreite > 0 && g.ratioHoehe > 0) {
        const double o = static_cast<double>(g.ratioBreite) / g.ratioHoehe;
        if (o >= w / h) {
            f = rnd(h * o);
            gh = h;
        } else {
            f = w;
            gh = rnd(w / o);
        }
        q = (f / w - 1.0) / 2.0;
        s = (gh / h - 1.0) / 2.0;
    }
    const double p = (g.pictureSize > 0 ? g.pictureSize : 100) / 100.0;
    const double a = (f / p - f) / 2.0 / w;
    const double bb = (gh / p - gh) / 2.0 / h;
    const double x = 2.0 * a + 2.0 * q;
    const double y = 2.0 * bb + 2.0 * s;
    PageRect margin;
    margin.left = x * g.horizPosition / 100.0;
    margin.right = x - margin.left;
    margin.top = y * g.verticalPosition / 100.0;
    margin.bottom = y - margin.top;
    return margin;
}

double keepOnBasePicture(double value, double oldLow, double oldHigh, double newLow,
                         double newHigh) {
    return (value * (1.0 + oldLow + oldHigh) - oldLow + newLow) / (1.0 + newLow + newHigh);
}

} // namespace quorvel
