// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small class for the class picture: a white page with three query fields
// and four participants whose answers give every kind of mark.
#include "document.h"
#include "netmessages.h"
#include "numbering.h"
#include "randomgenerator.h"

#include <QImage>
#include <functional>

namespace quorvel::test {

// Fields 1 and 2 side by side in the upper half, field 3 below them; the
// ordered numbering gives them 1, 2 and 3 in object order.
inline Document threeFieldDocument() {
    Document d;
    d.basePicture = QImage(870, 600, QImage::Format_ARGB32);
    d.basePicture.fill(Qt::white);
    d.derivePageGeometry();
    const struct {
        double x, y;
        const char* caption;
    } fields[] = {{0.25, 0.3, "Nordsee"}, {0.75, 0.3, "Ostsee"}, {0.5, 0.75, "Bodensee"}};
    for (const auto& f : fields) {
        ObjDataTyp o;
        o.Typ = codeOf(Typ::QueryLabel);
        o.Ebene = 1;
        o.Cap = QString::fromUtf8(f.caption);
        o.Kx = o.Sx = f.x;
        o.Ky = o.Sy = f.y;
        o.KAusr = 5;
        o.HFarbe = 0xE0E0E0;
        o.HDeck = 100;
        d.objects.push_back(o);
    }
    RandomGenerator random(1);
    coverAndNumber(d, NumberingOrdered, random);
    return d;
}

inline QString classId(char letter) {
    return QString(kParticipantIdLength, QLatin1Char(letter));
}

// Four participants A to D answer: field 1 two at once, one after two wrong
// attempts, one not; field 2 two wrong and unsolved, one at once; field 3
// nobody. `send` gets each message's lines.
inline void answerAsAClass(const std::function<void(const QStringList&)>& send) {
    for (const char who : {'A', 'B', 'C', 'D'})
        send(tnInit(classId(who), QStringLiteral("Kind %1").arg(QLatin1Char(who)),
                    QStringLiteral("09:00:00")));
    const struct {
        char who;
        int object, state, wrong;
    } answers[] = {{'A', 0, 0, 0},  {'B', 0, 0, 0},  {'C', 0, 0, 2},
                   {'A', 1, -3, 1}, {'B', 1, -3, 2}, {'C', 1, -2, 0}};
    for (const auto& a : answers) {
        TnAktionData d;
        d.id = classId(a.who);
        d.objectIndex = a.object;
        d.state = a.state;
        d.wrongAttempts = a.wrong;
        d.startTime = QStringLiteral("09:00:00");
        d.queryCount = 3;
        d.clock = QStringLiteral("00:30");
        send(tnAktion(d));
    }
}

} // namespace quorvel::test
