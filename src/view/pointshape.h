// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// Corners of the polygon that stands for an ellipse: max(24, the multiple of 4
// nearest to 0.4 x the larger radius).
int ellipseCorners(double largerRadius);

// The ellipse inscribed in `box` as that polygon.
QPolygonF ellipsePolygon(const QRectF& box);

// Fills the ellipse of `box` with `fill`; with a valid `margin` also outlines
// it one pixel wide.
void paintEllipse(QPainter& painter, const QRectF& box, const QColor& fill,
                  const QColor& margin = QColor());

// Draws one line of text centred on `centre` (horizontally by its advance,
// vertically by its line box).
void drawCentred(QPainter& painter, QPointF centre, const QString& text, const QFont& font,
                 const QColor& colour);

// The bold "Arial" of point titles and buttons at a pixel height.
QFont titleFont(int pixelSize);

// Diameter of a point (`Typ` 2, 4, 5 and the buttons of questions): round(30 x S),
// widened to its titles when `PktCap` or `PktCap2` has 3 or more characters.
int pointDiameter(const ObjDataTyp& point, double s);

// Draws a point centred on `centre`: the ellipse in `fill`, the titles
// `PktCap` (and `PktCap2` as a second line) in bold "Arial" in `textColour`.
void drawPoint(QPainter& painter, QPointF centre, int diameter, const ObjDataTyp& point, double s,
               const QColor& fill, const QColor& textColour);

} // namespace quorvel
