// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace quorvel {

// Stretches `source` over `target` the nine-slice way: the four corners of
// `corner` pixels are copied unscaled, the edges are stretched along their
// length only and the centre in both directions (bilinear). A target too small
// for two corners shares its size equally between them.
void drawNineSlice(QPainter& painter, const QRect& target, const QImage& source, int corner);

// The same into a new picture of `size`.
QImage nineSliced(const QImage& source, QSize size, int corner);

} // namespace quorvel
