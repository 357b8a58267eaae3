// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardplacement.h"

#include "objdata.h"
#include "rounding.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

CardSide automaticPage(double sx, double sy, double kx, double ky, double pageAspect) {
    const double dy = (ky - sy) / (pageAspect > 0 ? pageAspect : 1.0);
    const double dx = kx - sx;
    if (std::abs(dy) > std::abs(dx))
        return dy < 0 ? CardSide::Top : CardSide::Bottom;
    return dx >= 0 ? CardSide::Right : CardSide::Left;
}

CardSide cardSide(ObjDataTyp& o, double pageAspect) {
    const CardSide side = cardSideOf(o);
    if (side != CardSide::Automatic)
        return side;
    const CardSide given = givenCardSideOf(o);
    if (given != CardSide::Automatic && given != CardSide::Centred)
        return given;
    const CardSide computed = automaticPage(o.Sx, o.Sy, o.Kx, o.Ky, pageAspect);
    o.KAusrAkt = codeOf(computed);
    return computed;
}

QRect placeCard(QPoint p, QSize g, CardSide page, int distance) {
    const int w = g.width();
    const int h = g.height();
    switch (page) {
    case CardSide::Right:
        return QRect(p.x() + distance, p.y() - h / 2, w, h);
    case CardSide::Left:
        return QRect(p.x() - distance - w, p.y() - h / 2, w, h);
    case CardSide::Top:
        return QRect(p.x() - w / 2, p.y() - distance - h, w, h);
    case CardSide::Bottom:
        return QRect(p.x() - w / 2, p.y() + distance, w, h);
    default:
        return QRect(p.x() - w / 2, p.y() - h / 2, w, h);
    }
}

QPoint cardPoint(const ObjDataTyp& o, QSize pagePicture) {
    return pagePoint(o.Kx, o.Ky, pagePicture);
}

QPoint pagePoint(double x, double y, QSize pagePicture) {
    // Far beyond the page a card is invisible anyway; the bound keeps the
    // placement arithmetic (point + gap + card size) far from int overflow.
    const auto bounded = [](double fraction, int side) {
        const double limit = 4.0 * std::max(1, side);
        return rnd(std::clamp(fraction * side, -limit, limit));
    };
    return QPoint(bounded(x, pagePicture.width()), bounded(y, pagePicture.height()));
}

bool hasFinitePosition(const ObjDataTyp& o) {
    return std::isfinite(o.Kx) && std::isfinite(o.Ky) &&
           (!drawsTargetLine(o) || (std::isfinite(o.Sx) && std::isfinite(o.Sy)));
}

void rememberCard(ObjDataTyp& o, const QRect& card, QSize pagePicture) {
    const double w = std::max(1, pagePicture.width());
    const double h = std::max(1, pagePicture.height());
    o.KartRect = {card.left() / w, card.top() / h, (card.left() + card.width()) / w,
                  (card.top() + card.height()) / h};
    o.KartBreite = card.width() / w;
    o.KartHoehe = card.height() / h;
}

QRect rememberedCard(const ObjDataTyp& o, QSize pagePicture) {
    const PageRect& r = o.KartRect;
    if (r.left < 0 && r.top < 0 && r.right < 0 && r.bottom < 0)
        return QRect();
    const int l = rnd(r.left * pagePicture.width());
    const int t = rnd(r.top * pagePicture.height());
    const int rr = rnd(r.right * pagePicture.width());
    const int b = rnd(r.bottom * pagePicture.height());
    if (rr <= l || b <= t)
        return QRect();
    return QRect(l, t, rr - l, b - t);
}

} // namespace quorvel
