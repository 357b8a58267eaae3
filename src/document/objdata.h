// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"
#include "pagerect.h"
#include "typecodes.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <array>

namespace quorvel {

constexpr int kMaxAnswerPictures = 12;
constexpr int kMCInfoLinkDataCount = 6;
using MCInfoLinkArray = std::array<qint32, kMCInfoLinkDataCount>;
inline constexpr MCInfoLinkArray kMCInfoLinkDefaults = {0xFFFFFF, 0xFFFFFF, 0xFD5F00,
                                                        0x2F35A4, 100,      100};

// One page object. Positions are fractions of the page (base picture plus
// margin). The object owns its pictures.
struct ObjDataTyp {
    // stored fields
    double Sx = 0.0, Sy = 0.0; // target point
    double Kx = 0.0, Ky = 0.0; // card position
    QString Cap;
    int KAusr = 0;
    int KAusrAkt = 0;
    int TAusr = 0;
    int Ebene = 0;
    int Typ = 0; // a `Typ` code as stored; read it with typOf()
    int Untertyp = 0;
    int Sline = 0;
    int Fsize = 0;
    int Stil = 0;
    ColourValue Farbe = 0;
    ColourValue HFarbe = 0xFFFFFF;
    int HDeck = 0;
    ColourValue LinieFarbe = 0;
    int LinieDicke = 1;
    int FrageNummer = -1;
    int AntwortAnz = 0;
    int ZIndex = 0;
    QString PktCap;
    QString PktCap2;
    QString BildKenn;
    int BildDeck = 100;
    int BildkarteAnpassen = 0;
    int PunktInUebung = 0;
    QImage Bild;
    std::array<QImage, kMaxAnswerPictures> BildAntw;
    MCInfoLinkArray MCInfoLinkData = kMCInfoLinkDefaults;

    // runtime fields, never stored
    quorvel::AbfrageStatus AbfrageStatus = quorvel::AbfrageStatus::Covered;
    int AbfrageNummer = -1; // -1 none, 0 question mark, n >= 1 number n
    int ZielFehlversuche = 0;
    int KartFehlversuche = 0;
    PageRect KartRect = {-1.0, -1.0, -1.0, -1.0};
    double KartBreite = 0.0; // card size as last drawn, fractions of the page
    double KartHoehe = 0.0;
    double RelativePointX = -1.0; // relative point used by view and exercise
    double RelativePointY = -1.0;
    int Marker1 = -1;
    int Marker2 = -1;
    // Bounds of the card set by the table layouts, fractions of the page width
    // and height; 0 leaves the card bounded by the page.
    double WidthLimit = 0.0;
    double HeightLimit = 0.0;
    int Partner = 0;
    int CellRow = 0;
    int CellColumn = 0;
    bool Aktiv = false;

    // Puts the runtime fields to the values they have after reading.
    void resetRuntime();
};

// The object's type; a code from a file without an enumerator stays as it is.
inline Typ typOf(const ObjDataTyp& o) {
    return static_cast<Typ>(o.Typ);
}

// The card side as stored and the side an automatic card was given; unknown
// codes count as centred.
inline CardSide cardSideOf(const ObjDataTyp& o) {
    return cardSideFromCode(o.KAusr);
}
inline CardSide givenCardSideOf(const ObjDataTyp& o) {
    return cardSideFromCode(o.KAusrAkt);
}
inline TextAlignment textAlignmentOf(const ObjDataTyp& o) {
    return textAlignmentFromCode(o.TAusr);
}

// Whether the view draws the line from the target point to the card: 1 the
// target line, 5 the line that ties a cross-matching pair.
inline bool drawsTargetLine(const ObjDataTyp& o) {
    return o.Sline == 1 || o.Sline == 5;
}

} // namespace quorvel
