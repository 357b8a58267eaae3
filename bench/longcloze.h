// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The long cloze text of the benchmarks: 60 lines with 300 gaps on a pale
// base picture, laid out, covered and numbered, far too long for one page so
// that its font shrinks several times.
#include "document.h"
#include "numbering.h"
#include "programlayouts.h"
#include "randomgenerator.h"

#include <QStringList>

namespace quorvel {

inline Document longCloze() {
    Document d;
    d.basePicture = QImage(870, 620, QImage::Format_ARGB32);
    d.basePicture.fill(QColor(0xff, 0xfb, 0xef));
    d.header.DokTyp = codeOf(DokTyp::Cloze);
    d.header.EinrueckRand = defaultEinrueckRand(DokTyp::Cloze);
    QStringList lines;
    for (int i = 0; i < 60; ++i) {
        lines << QStringLiteral("%1. Im <<Herbst|herbst>> fallen die <<Blätter>> von den "
                                "<B>Bäumen</B>, die Vö<<gel>> ziehen nach <<Süden>> und "
                                "die <<Tage>> werden kürzer.")
                     .arg(i + 1);
    }
    d.header.lueckentext = lines.join(QStringLiteral("\r\n"));
    d.derivePageGeometry();
    layouts().generate(d);
    RandomGenerator random(1);
    coverAndNumber(d, 1, random);
    return d;
}

} // namespace quorvel
