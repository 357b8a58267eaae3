#include "cardplacement.h"

#include "objdata.h"
#include "rounding.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

int automatischeSeite(double sx, double sy, double kx, double ky, double seitenAspekt)
{
    const double dy = (ky - sy) / (seitenAspekt > 0 ? seitenAspekt : 1.0);
    const double dx = kx - sx;
    if (std::abs(dy) > std::abs(dx))
        return dy < 0 ? SeiteOben : SeiteUnten;
    return dx >= 0 ? SeiteRechts : SeiteLinks;
}

int kartenSeite(ObjDataTyp& o, double seitenAspekt)
{
    if (o.KAusr == SeiteAutomatisch) {
        if (o.KAusrAkt < SeiteRechts || o.KAusrAkt > SeiteUnten)
            o.KAusrAkt = automatischeSeite(o.Sx, o.Sy, o.Kx, o.Ky, seitenAspekt);
        return o.KAusrAkt;
    }
    if (o.KAusr < SeiteAutomatisch || o.KAusr > SeiteZentriert)
        return SeiteZentriert;
    return o.KAusr;
}

QRect platziereKarte(QPoint p, QSize g, int seite, int abstand)
{
    const int w = g.width();
    const int h = g.height();
    switch (seite) {
    case SeiteRechts:
        return QRect(p.x() + abstand, p.y() - h / 2, w, h);
    case SeiteLinks:
        return QRect(p.x() - abstand - w, p.y() - h / 2, w, h);
    case SeiteOben:
        return QRect(p.x() - w / 2, p.y() - abstand - h, w, h);
    case SeiteUnten:
        return QRect(p.x() - w / 2, p.y() + abstand, w, h);
    default:
        return QRect(p.x() - w / 2, p.y() - h / 2, w, h);
    }
}

QPoint kartenPunkt(const ObjDataTyp& o, QSize seitenBild)
{
    return QPoint(rnd(o.Kx * seitenBild.width()), rnd(o.Ky * seitenBild.height()));
}

void merkeKarte(ObjDataTyp& o, const QRect& karte, QSize seitenBild)
{
    const double w = std::max(1, seitenBild.width());
    const double h = std::max(1, seitenBild.height());
    o.KartRect = {karte.left() / w, karte.top() / h, (karte.left() + karte.width()) / w,
                  (karte.top() + karte.height()) / h};
    o.KartBreite = karte.width() / w;
    o.KartHoehe = karte.height() / h;
}

QRect gemerkteKarte(const ObjDataTyp& o, QSize seitenBild)
{
    const RandRect& r = o.KartRect;
    if (r.left < 0 && r.top < 0 && r.right < 0 && r.bottom < 0)
        return QRect();
    const int l = rnd(r.left * seitenBild.width());
    const int t = rnd(r.top * seitenBild.height());
    const int rr = rnd(r.right * seitenBild.width());
    const int b = rnd(r.bottom * seitenBild.height());
    if (rr <= l || b <= t)
        return QRect();
    return QRect(l, t, rr - l, b - t);
}

} // namespace quorvel
