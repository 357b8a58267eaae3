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

void zeichneSymbol(QPainter& painter, QPoint mitte, QChar zeichen, const QColor& farbe) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kSymbolPixel);
    drawCentred(painter, mitte, QString(zeichen), font, farbe);
}

} // namespace

bool showsExerciseMark(const DrawContext& kontext, const ObjDataTyp& objekt, DrawMode art) {
    if (!kontext.exercise.running || !isQueryField(typOf(objekt)))
        return false;
    switch (objekt.AbfrageStatus) {
    case StatusOffen:
        return art == DrawMode::TargetOnly || kontext.exercise.openTarget != OpenTarget::Card;
    case StatusOhneErgebnis:
    case StatusFalsch:
    case StatusGeloest:
        return true;
    default:
        return art == DrawMode::TargetOnly;
    }
}

namespace {

QRect markenBox(const DrawContext& kontext, ObjDataTyp& objekt) {
    const double s = kontext.s;
    const bool ergebnis =
        objekt.AbfrageStatus == StatusFalsch || objekt.AbfrageStatus == StatusGeloest;
    const int seite = std::max(1, rnd(30.0 * s));
    const QSize boxGroesse = ergebnis ? kErgebnisBox : QSize(seite, seite);
    return placeCard(cardPoint(objekt, kontext.pagePicture), boxGroesse,
                     cardSide(objekt, kontext.pageAspect), rnd(7.0 * s));
}

} // namespace

QRect exerciseMarkBox(const DrawContext& kontext, ObjDataTyp& objekt) {
    const int kausrAkt = objekt.KAusrAkt;
    const QRect box = markenBox(kontext, objekt);
    objekt.KAusrAkt = kausrAkt;
    return box;
}

QRect drawExerciseMark(QPainter& painter, const DrawContext& kontext, ObjDataTyp& objekt,
                       bool aktuell) {
    const double s = kontext.s;
    const QRect box = markenBox(kontext, objekt);
    const int seite = box.height();
    rememberCard(objekt, box, kontext.pagePicture);

    switch (objekt.AbfrageStatus) {
    case StatusFalsch:
        zeichneSymbol(painter, box.topLeft() + kKreuzMitte, QChar(0x2717), QColor(220, 0, 0));
        return box;
    case StatusGeloest:
        zeichneSymbol(painter, box.topLeft() + kHakenMitte, QChar(0x2713), QColor(0, 196, 0));
        return box;
    case StatusOhneErgebnis:
        paintEllipse(painter, box, Qt::white, Qt::black);
        drawCentred(painter, QRectF(box).center(), QStringLiteral("X"), titleFont(rnd(24.0 * s)),
                    colourFromValue(0x808080));
        return box.adjusted(-1, -1, 1, 1);
    default:
        break;
    }

    if (kontext.exercise.openTarget == OpenTarget::Nothing)
        return QRect();
    const int prozent = std::clamp(kontext.header.Zielpunktgroesse, 0, 100);
    const int durchmesser = rnd(seite * prozent / 100.0);
    if (durchmesser < 1)
        return QRect();
    const QPointF mitte = QRectF(box).center();
    const QRectF kreis(mitte.x() - durchmesser / 2.0, mitte.y() - durchmesser / 2.0, durchmesser,
                       durchmesser);
    if (!aktuell) {
        paintEllipse(painter, kreis, colourFromValue(0xD0D0D0), colourFromValue(0xB0B0B0));
        return box.adjusted(-1, -1, 1, 1);
    }
    paintEllipse(painter, kreis, colourFromValue(0xE8ECEC), Qt::black);
    drawCentred(painter, mitte, numberText(objekt.AbfrageNummer, kontext.header.NumArt),
                titleFont(rnd(20.0 * s * prozent / 100.0)), QColor(255, 0, 0));
    return box.adjusted(-1, -1, 1, 1);
}

} // namespace quorvel
