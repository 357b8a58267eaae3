#pragma once

#include <QSize>

namespace quorvel {

struct HeaderDataTyp;

// What an open target of a running exercise shows in place of its card.
enum class OffenesZiel {
    Marke, // the numbered open mark (labelling and cloze exercises)
    Karte, // the card itself (question answers are offered as cards)
    Nichts // nothing (input fields stand at the targets)
};

// How a running exercise wants the page drawn. The exercise sets it; outside an
// exercise `laeuft` is false and the rest does not count.
struct UebungsDarstellung {
    bool laeuft = false;
    OffenesZiel offenesZiel = OffenesZiel::Marke;
    // With one position asked at a time, only this object's open mark carries
    // its number and the normal colours; -1: every open mark does.
    int aktuellesZiel = -1;
};

// How one object is to be drawn.
enum class ZeichenArt {
    Normal,    // as it is: label, picture, point; in exercises targets by their state
    Abgedeckt, // the covered appearance of a query field
    NurZiel    // in exercises only the target mark, never the card
};

// Everything object drawing needs besides the object: the header (font,
// colours, numbering style, target point size), the page picture's size, the
// scale S and the page aspect used by automatic card sides.
struct ZeichenKontext {
    const HeaderDataTyp& header;
    QSize seitenBild;
    double s = 1.0;            // page picture width / 870
    double seitenAspekt = 1.0; // page width / page height
    UebungsDarstellung uebung;

    // The context for a page picture of `seitenBild` pixels; the aspect is the
    // picture's own unless given.
    static ZeichenKontext fuer(const HeaderDataTyp& header, QSize seitenBild,
                               double seitenAspekt = 0.0);
};

} // namespace quorvel
