// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The long cloze text of the benchmarks: 60 lines, 300 gaps, far too long for
// a 1920 x 1080 view, so that the font shrinks several times; laid out,
// covered and numbered as after reading.
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
