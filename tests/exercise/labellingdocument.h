// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A labelling document with many positions spread over a 2000 x 1500 page,
// covered and numbered as the learning view shows it: the exercise
// benchmarks and tests run on it.
#include "document.h"
#include "numbering.h"
#include "randomgenerator.h"

#include <algorithm>

namespace quorvel {

inline Document labellingDocument(int targets) {
    Document doc;
    doc.basePicture = QImage(2000, 1500, QImage::Format_ARGB32);
    doc.basePicture.fill(qRgb(200, 220, 240));
    doc.derivePageGeometry();
    for (int i = 0; i < targets; ++i) {
        ObjDataTyp o;
        const double x = 0.05 + 0.9 * ((i * 37) % 100) / 100.0;
        const double y = 0.05 + 0.9 * ((i * 61) % 97) / 97.0;
        o.Sx = x;
        o.Sy = y;
        o.Kx = std::min(0.95, x + 0.03);
        o.Ky = std::max(0.03, y - 0.04);
        o.Typ = codeOf(Typ::QueryLabel);
        o.Cap = QStringLiteral("Position %1").arg(i + 1);
        o.Ebene = 1;
        o.Sline = 1;
        o.HDeck = 100;
        doc.objects.push_back(o);
    }
    RandomGenerator random(1);
    coverAndNumber(doc, NumberingOrdered, random);
    return doc;
}

} // namespace quorvel
