#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

struct ObjDataTyp;

// Card sides (`KAusr`, `KAusrAkt`).
enum KartenSeite : int {
    SeiteAutomatisch = 0,
    SeiteRechts = 1,
    SeiteOben = 2,
    SeiteLinks = 3,
    SeiteUnten = 4,
    SeiteZentriert = 5,
};

// The side an automatic card takes from its target point (sx, sy) to its card
// point (kx, ky) on a page of the given width / height: above or below when
// the vertical distance (in width units) is larger, else right or left; an
// exact diagonal goes right or left.
int automatischeSeite(double sx, double sy, double kx, double ky, double seitenAspekt);

// The side the card of `objekt` is drawn on (1..5). For "automatisch" the side
// in `KAusrAkt` is used; when that is unset it is computed and kept there.
// Values outside 0..5 count as centred.
int kartenSeite(ObjDataTyp& objekt, double seitenAspekt);

// The card rectangle of `groesse` at a gap of `abstand` pixels from the card
// point `punkt` on `seite`.
QRect platziereKarte(QPoint punkt, QSize groesse, int seite, int abstand);

// The card point of an object in page picture pixels.
QPoint kartenPunkt(const ObjDataTyp& objekt, QSize seitenBild);

// Records a drawn card in `KartRect` (fractions of the page) and its size in
// `KartBreite`/`KartHoehe`.
void merkeKarte(ObjDataTyp& objekt, const QRect& karte, QSize seitenBild);

// `KartRect` of an object in page picture pixels; empty while it was never drawn.
QRect gemerkteKarte(const ObjDataTyp& objekt, QSize seitenBild);

} // namespace quorvel
