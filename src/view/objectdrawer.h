#pragma once

#include "cardtext.h"
#include "drawcontext.h"

#include <QImage>
#include <QRect>
#include <unordered_map>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// Draws single page objects: text cards, picture cards, points and buttons,
// their target lines and card backgrounds, covered query fields with their
// number badges, and in exercises the target marks. It keeps the laid-out
// texts, scaled pictures and finished card pictures of earlier drawings, so
// one drawer should serve a view for its lifetime: a composition draws the
// same cards again and again, and copying a finished card is far cheaper than
// laying out and drawing its text anew.
class ObjectDrawer {
public:
    // Draws `objekt` onto a painter that paints on a page picture of
    // `kontext.seitenBild` pixels. Records the card in `KartRect`,
    // `KartBreite` and `KartHoehe` (and an automatic side in `KAusrAkt`).
    // Returns the pixels the card (with badge) covers, or an empty rectangle
    // when nothing but possibly the target line was drawn.
    // `aktuellesZiel` false draws an open target of a running exercise as a
    // position that is not asked now.
    QRect zeichne(QPainter& painter, const ZeichenKontext& kontext, ObjDataTyp& objekt,
                  ZeichenArt art = ZeichenArt::Normal, bool aktuellesZiel = true);

    // The same onto a picture of its own (the context names its size).
    QRect zeichne(QImage& ziel, const ZeichenKontext& kontext, ObjDataTyp& objekt,
                  ZeichenArt art = ZeichenArt::Normal, bool aktuellesZiel = true);

    // The card rectangle the object gets in its normal appearance, in page
    // picture pixels, without drawing or recording anything.
    QRect karte(const ZeichenKontext& kontext, ObjDataTyp& objekt);

    // Every pixel zeichne() may cover for the object in its present state, in
    // any appearance (card, cover with badge, exercise mark), without the
    // target line; nothing is drawn or recorded.
    QRect ausdehnung(const ZeichenKontext& kontext, ObjDataTyp& objekt);

    // Forgets the kept texts and pictures.
    void leeren();

private:
    struct Karte;
    Karte miss(const ZeichenKontext& kontext, ObjDataTyp& objekt);
    const QImage& skaliertesBild(const QImage& bild, QSize groesse);
    QRect zeichneKarte(QPainter& painter, const ZeichenKontext& kontext, ObjDataTyp& objekt,
                       const Karte& karte, ZeichenArt art);
    void zeichneInhalt(QPainter& painter, const ZeichenKontext& kontext, const ObjDataTyp& objekt,
                       const Karte& karte, ZeichenArt art);
    QRect inhaltsBereich(const ZeichenKontext& kontext, const ObjDataTyp& objekt,
                         const Karte& karte, ZeichenArt art) const;
    QString kartenSchluessel(const ZeichenKontext& kontext, const ObjDataTyp& objekt,
                             const Karte& karte, ZeichenArt art) const;

    CardTextCache m_texte;
    struct BildSchluessel {
        qint64 key;
        int w, h;
        friend bool operator==(const BildSchluessel&, const BildSchluessel&) = default;
    };
    struct BildHash {
        size_t operator()(const BildSchluessel& k) const noexcept;
    };
    std::unordered_map<BildSchluessel, QImage, BildHash> m_bilder;

    // A finished card (text card, cover, point) relative to its card rectangle.
    struct FertigeKarte {
        QImage bild;
        QPoint versatz;
        std::shared_ptr<const GesetzterText> text; // keeps the key's text alive
    };
    std::unordered_map<QString, FertigeKarte> m_fertigeKarten;
};

// The target line from (`Sx`, `Sy`) to (`Kx`, `Ky`) in `LinieFarbe`, `LinieDicke`
// (1..5) pixels thick: the band that `LinieDicke` x `LinieDicke` parallel
// one-pixel lines offset from -`LinieDicke`/2 cover, so thick lines end square.
void zeichneZiellinie(QPainter& painter, const ObjDataTyp& objekt, QSize seitenBild);

// The covered appearance in `karte`: filled 0xFFE4CA, a one-pixel 0xBB7D46
// frame and a centred "?" in "Arial" at round(22 x S) pixels, shrunk until it
// fits the height. Returns the "?"'s pixel size.
int zeichneAbdeckung(QPainter& painter, const QRect& karte, double s);

// The round badge of diameter round(30 x S) centred on `karte` with `text`.
void zeichneNummernPlakette(QPainter& painter, const QRect& karte, const QString& text, double s);
// The pixels that badge covers.
QRect nummernPlakettenBereich(const QRect& karte, double s);

} // namespace quorvel
