// SPDX-License-Identifier: GPL-3.0-or-later
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

bool showsExerciseMark(const DrawContext& context, const ObjDataTyp& object, DrawMode art) {
    if (!context.exercise.running || !isQueryField(typOf(object)))
        return false;
    switch (object.AbfrageStatus) {
    case AbfrageStatus::Open:
        return art == DrawMode::TargetOnly || context.exercise.openTarget != OpenTarget::Card;
    case AbfrageStatus::ClosedHidden:
    case AbfrageStatus::ClosedWrong:
    case AbfrageStatus::SolvedTick:
        return true;
    default:
        return art == DrawMode::TargetOnly;
    }
}

namespace {

QRect markBox(const DrawContext& context, ObjDataTyp& object) {
    const double s = context.s;
    const bool result = object.AbfrageStatus == AbfrageStatus::ClosedWrong ||
                        object.AbfrageStatus == AbfrageStatus::SolvedTick;
    const int page = std::max(1, rnd(30.0 * s));
    const QSize boxSize = result ? kResultBox : QSize(page, page);
    return placeCard(cardPoint(object, context.pagePicture), boxSize,
                     cardSide(object, context.pageAspect), rnd(7.0 * s));
}

} // namespace

QRect exerciseMarkBox(const DrawContext& context, ObjDataTyp& object) {
    const int kausrAkt = object.KAusrAkt;
    const QRect box = markBox(context, object);
    object.KAusrAkt = kausrAkt;
    return box;
}

QRect drawExerciseMark(QPainter& painter, const DrawContext& context, ObjDataTyp& object,
                       bool current) {
    const double s = context.s;
    const QRect box = markBox(context, object);
    const int page = box.height();
    rememberCard(object, box, context.pagePicture);

    switch (object.AbfrageStatus) {
    case AbfrageStatus::ClosedWrong:
        drawSymbol(painter, box.topLeft() + kCrossCentre, QChar(0x2717), QColor(220, 0, 0));
        return box;
    case AbfrageStatus::SolvedTick:
        drawSymbol(painter, box.topLeft() + kTickCentre, QChar(0x2713), QColor(0, 196, 0));
        return box;
    case AbfrageStatus::ClosedHidden:
        paintEllipse(painter, box, Qt::white, Qt::black);
        drawCentred(painter, QRectF(box).center(), QStringLiteral("X"), titleFont(rnd(24.0 * s)),
                    colourFromValue(0x808080));
        return box.adjusted(-1, -1, 1, 1);
    default:
        break;
    }

    if (context.exercise.openTarget == OpenTarget::Nothing)
        return QRect();
    const int percent = std::clamp(context.header.Zielpunktgroesse, 0, 100);
    const int diameter = rnd(page * percent / 100.0);
    if (diameter < 1)
        return QRect();
    const QPointF centre = QRectF(box).center();
    const QRectF circle(centre.x() - diameter / 2.0, centre.y() - diameter / 2.0, diameter,
                        diameter);
    if (!current) {
        paintEllipse(painter, circle, colourFromValue(0xD0D0D0), colourFromValue(0xB0B0B0));
        return box.adjusted(-1, -1, 1, 1);
    }
    paintEllipse(painter, circle, colourFromValue(0xE8ECEC), Qt::black);
    drawCentred(painter, centre, numberText(object.AbfrageNummer, context.header.NumArt),
                titleFont(rnd(20.0 * s * percent / 100.0)), QColor(255, 0, 0));
    return box.adjusted(-1, -1, 1, 1);
}

} // namespace quorvel
