// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace quorvel {

class Document;
struct lueckentabellearrtyp;
class LayoutSet;
class RandomGenerator;

// The scaled size of a size value s by the factor f: rnd(((2 s + 22) f - 22) / 2).
int clusterScaledSize(int size, double factor);

// The text and picture size factor of a table with `columns` baskets:
// 1 - (columns - 2) x 0.1.
double clusterFactor(int columns);

// The radius of a basket's help button on a page `width` pixels wide with
// `rows` rows: rnd(W / 870 x 18 x (1 - rows / 50)).
int clusterHelpRadius(int width, int rows);

// The caption a card made from `cell` carries and the text the cell expects
// of a card dropped on its basket: a query picture with a key is known by
// the key + " (Bildkennung)", every other cell by its `Text` (for a query
// picture without a key, the random caption the layout wrote into it).
QString clusterCellCaption(const lueckentabellearrtyp& cell);

// The cluster layout (`DokTyp` 4; any other type is left as it is) on a page
// of `page` pixels. With `build` the cards (`Typ` 40 to 43) are removed and
// made anew row by row, column by column; query cards are numbered and tied
// to their cells, and a query picture without a key gets 20 random letters
// from `random` as its caption (written into its cell too). Without it
// nothing changes.
void layOutCluster(Document& document, QSize page, bool build, RandomGenerator& random);

// Draws the basket backgrounds, the separator lines and, while an exercise
// runs, the help buttons onto `canvas`, a page of `page` pixels.
void drawClusterBaskets(const Document& document, QSize page, QPainter& canvas,
                        bool exerciseRunning);

// The baskets of a cluster document on a page of `page` pixels: how many
// there are (0 for any other document type), the rectangle of basket
// `basket` (from 1; empty when there is no such basket), and the basket
// whose rectangle holds `point` (page picture pixels), 0 for none.
int clusterBasketCount(const Document& document);
QRect clusterBasketRect(const Document& document, QSize page, int basket);
int clusterBasketAt(const Document& document, QSize page, QPoint point);

// Puts the cluster layout into `layouts`: the generator (building on the
// design page, with a generator seeded from the system) and the drawing of
// the baskets right after the base picture.
void addClusterLayout(LayoutSet& layouts);

} // namespace quorvel
