#include "exercisemarks.h"

#include "cardplacement.h"
#include "colorconversion.h"
#include "headerdata.h"
#include "numbering.h"
#include "objdata.h"
#include "pointshape.h"
#include "rounding.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

enum Status : int {
    StatusOffen = -5,
    StatusOhneErgebnis = -4,
    StatusFalsch = -3,
    StatusGeloest = -2,
};

// The cross and the tick stand where the symbol font put them, relative to a
// box of 44 x 38 pixels.
const QSize kErgebnisBox(44, 38);
const QPoint kKreuzMitte(17, 20);
const QPoint kHakenMitte(17, 22);
constexpr int kSymbolPixel = 43; // 32 points at 96 pixels per inch

void zeichneSymbol(QPainter& painter, QPoint mitte, QChar zeichen, const QColor& farbe)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kSymbolPixel);
    zeichneZentriert(painter, mitte, QString(zeichen), font, farbe);
}

} // namespace

bool zeigtUebungsmarke(const ZeichenKontext& kontext, const ObjDataTyp& objekt, ZeichenArt art)
{
    if (!kontext.uebung.laeuft || !isQueryTyp(objekt.Typ))
        return false;
    switch (objekt.AbfrageStatus) {
    case StatusOffen:
        return art == ZeichenArt::NurZiel || kontext.uebung.offenesZiel != OffenesZiel::Karte;
    case StatusOhneErgebnis:
    case StatusFalsch:
    case StatusGeloest:
        return true;
    default:
        return art == ZeichenArt::NurZiel;
    }
}

namespace {

QRect markenBox(const ZeichenKontext& kontext, ObjDataTyp& objekt)
{
    const double s = kontext.s;
    const bool ergebnis =
        objekt.AbfrageStatus == StatusFalsch || objekt.AbfrageStatus == StatusGeloest;
    const int seite = std::max(1, rnd(30.0 * s));
    const QSize boxGroesse = ergebnis ? kErgebnisBox : QSize(seite, seite);
    return platziereKarte(kartenPunkt(objekt, kontext.seitenBild), boxGroesse,
                          kartenSeite(objekt, kontext.seitenAspekt), rnd(7.0 * s));
}

} // namespace

QRect uebungsmarkenBox(const ZeichenKontext& kontext, ObjDataTyp& objekt)
{
    const int kausrAkt = objekt.KAusrAkt;
    const QRect box = markenBox(kontext, objekt);
    objekt.KAusrAkt = kausrAkt;
    return box;
}

QRect zeichneUebungsmarke(QPainter& painter, const ZeichenKontext& kontext, ObjDataTyp& objekt,
                          bool aktuell)
{
    const double s = kontext.s;
    const QRect box = markenBox(kontext, objekt);
    const int seite = box.height();
    merkeKarte(objekt, box, kontext.seitenBild);

    switch (objekt.AbfrageStatus) {
    case StatusFalsch:
        zeichneSymbol(painter, box.topLeft() + kKreuzMitte, QChar(0x2717), QColor(220, 0, 0));
        return box;
    case StatusGeloest:
        zeichneSymbol(painter, box.topLeft() + kHakenMitte, QChar(0x2713), QColor(0, 196, 0));
        return box;
    case StatusOhneErgebnis:
        zeichneEllipse(painter, box, Qt::white, Qt::black);
        zeichneZentriert(painter, QRectF(box).center(), QStringLiteral("X"),
                         titelSchrift(rnd(24.0 * s)), farbeAusWert(0x808080));
        return box.adjusted(-1, -1, 1, 1);
    default:
        break;
    }

    if (kontext.uebung.offenesZiel == OffenesZiel::Nichts)
        return QRect();
    const int prozent = std::clamp(kontext.header.Zielpunktgroesse, 0, 100);
    const int durchmesser = rnd(seite * prozent / 100.0);
    if (durchmesser < 1)
        return QRect();
    const QPointF mitte = QRectF(box).center();
    const QRectF kreis(mitte.x() - durchmesser / 2.0, mitte.y() - durchmesser / 2.0, durchmesser,
                       durchmesser);
    if (!aktuell) {
        zeichneEllipse(painter, kreis, farbeAusWert(0xD0D0D0), farbeAusWert(0xB0B0B0));
        return box.adjusted(-1, -1, 1, 1);
    }
    zeichneEllipse(painter, kreis, farbeAusWert(0xE8ECEC), Qt::black);
    zeichneZentriert(painter, mitte, nummernText(objekt.AbfrageNummer, kontext.header.NumArt),
                     titelSchrift(rnd(20.0 * s * prozent / 100.0)), QColor(255, 0, 0));
    return box.adjusted(-1, -1, 1, 1);
}

} // namespace quorvel
