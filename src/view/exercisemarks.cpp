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
const QSize kResultBox(44, 38);
const QPoint kCrossCentre(17, 20);
const QPoint kTickCentre(17, 22);
constexpr int kSymbolPixel = 43; // 32 points at 96 pixels per inch

void drawSymbol(QPainter& painter, QPoint centre, QChar character, const QColor& colour) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kSymbolPixel);
    drawCentred(painter, centre, QString(character), font, colour);
}

} // namespace

bool showsExerciseMark(const DrawContext& kontext, const ObjDataTyp& object, DrawMode art) {
    if (!kontext.exercise.running || !isQueryField(typOf(object)))
        return false;
    switch (object.AbfrageStatus) {
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

QRect markenBox(const DrawContext& kontext, ObjDataTyp& object) {
    const double s = kontext.s;
    const bool result =
        object.AbfrageStatus == StatusFalsch || object.AbfrageStatus == StatusGeloest;
    const int page = std::max(1, rnd(30.0 * s));
    const QSize boxSize = result ? kResultBox : QSize(page, page);
    return placeCard(cardPoint(object, kontext.pagePicture), boxSize,
                     cardSide(object, kontext.pageAspect), rnd(7.0 * s));
}

} // namespace

QRect exerciseMarkBox(const DrawContext& kontext, ObjDataTyp& object) {
    const int kausrAkt = object.KAusrAkt;
    const QRect box = markenBox(kontext, object);
    object.KAusrAkt = kausrAkt;
    return box;
}

QRect drawExerciseMark(QPainter& painter, const DrawContext& kontext, ObjDataTyp& object,
                       bool current) {
    const double s = kontext.s;
    const QRect box = markenBox(kontext, object);
    const int page = box.height();
    rememberCard(object, box, kontext.pagePicture);

    switch (object.AbfrageStatus) {
    case StatusFalsch:
        drawSymbol(painter, box.topLeft() + kCrossCentre, QChar(0x2717), QColor(220, 0, 0));
        return box;
    case StatusGeloest:
        drawSymbol(painter, box.topLeft() + kTickCentre, QChar(0x2713), QColor(0, 196, 0));
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
    const int durchmesser = rnd(page * prozent / 100.0);
    if (durchmesser < 1)
        return QRect();
    const QPointF centre = QRectF(box).center();
    const QRectF circle(centre.x() - durchmesser / 2.0, centre.y() - durchmesser / 2.0, durchmesser,
                        durchmesser);
    if (!current) {
        paintEllipse(painter, circle, colourFromValue(0xD0D0D0), colourFromValue(0xB0B0B0));
        return box.adjusted(-1, -1, 1, 1);
    }
    paintEllipse(painter, circle, colourFromValue(0xE8ECEC), Qt::black);
    drawCentred(painter, centre, numberText(object.AbfrageNummer, kontext.header.NumArt),
                titleFont(rnd(20.0 * s * prozent / 100.0)), QColor(255, 0, 0));
    return box.adjusted(-1, -1, 1, 1);
}

} // namespace quorvel
