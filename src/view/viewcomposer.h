#pragma once

#include "drawcontext.h"
#include "layouthooks.h"
#include "objectdrawer.h"
#include "pagebackground.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <array>
#include <vector>

class QPainter;

namespace quorvel {

class Document;
struct ObjDataTyp;

// The layers of the page ("Basisbild", "Texte und Bilder", "Infopunkte", "Layout").
inline constexpr int kEbenenAnzahl = 4;

// The main window's values that the composition reads.
struct AnsichtsZustand {
    int zoomStufe = 0; // 0..4
    std::array<bool, kEbenenAnzahl> ebenen{true, true, true, true};
    int aktuelleFrage = 0; // single-question documents show only this question
    UebungsDarstellung uebung;
};

// Whether the start panel gives way: a document path, a modified document, a
// title, a cloze or question text, a subtype or any object.
bool startPanelVerbergen(const Document& document);

// Composes the open document into the working pictures of the learning view
// and keeps them: the page (what the view shows a section of), the page without
// objects, the page with the fixed objects, the final page, the view picture,
// the visible section and the drawing overlay. The composer refers to the
// document, which must outlive it; all pictures are
// QImage::Format_ARGB32_Premultiplied.
class ViewComposer {
public:
    explicit ViewComposer(Document& document);

    AnsichtsZustand& zustand() { return m_zustand; }
    const AnsichtsZustand& zustand() const { return m_zustand; }

    // The size of the view area the page is fitted into, in pixels.
    void setAnsichtsBereich(QSize bereich) { m_bereich = bereich; }
    QSize ansichtsBereich() const { return m_bereich; }

    // Builds every working picture anew (after loading, resizing, zooming,
    // layer, numbering or document changes). The visible section keeps its
    // centre. Clears the drawing overlay.
    void neuAufbauen();

    // Draws the objects anew on the page without objects (after covering,
    // uncovering or numbering changes) and shows the section.
    void objekteNeuZeichnen();

    // Redraws only what object `index` touches, after its state (covered,
    // number, exercise state) or its card changed, and copies only that
    // rectangle onward. Its target line must not have moved. A fixed object
    // lives in the page with fixed objects too, so changing one redraws all
    // objects. Returns the changed rectangle in view picture pixels (empty
    // when it lies outside the section or the index is invalid).
    QRect objektNeuZeichnen(int index);

    // Copies the visible section of the page into the view picture and of the
    // final page into the visible section.
    void zeigeAusschnitt();

    // Moves the visible section by page fractions, kept inside the page, and
    // shows it.
    void verschiebeAusschnitt(double dx, double dy);

    // Draws object `index` onto `ziel` (a picture of the page picture's size),
    // as the exercise and the worksheet need it.
    QRect zeichneObjekt(QImage& ziel, int index, ZeichenArt art = ZeichenArt::Normal);

    // Whether object `objekt` is drawn now: in an exercise every layer, else
    // only the switched-on layers; with single questions only the objects of
    // the current question (and those of none).
    bool istSichtbar(const ObjDataTyp& objekt) const;

    // The working pictures.
    const QImage& seite() const { return m_seite; }
    const QImage& seiteOhneObjekte() const { return m_ohneObjekte; }
    const QImage& seiteMitFestenObjekten() const { return m_mitFesten; }
    const QImage& endSeite() const { return m_endSeite; }
    const QImage& ansicht() const { return m_ansicht; }
    const QImage& sichtbarerAusschnitt() const { return m_sichtbar; }
    const QImage& zeichenUeberlagerung() const { return m_ueberlagerung; }
    // For the drawing tools, which draw on the view and its overlay.
    QImage& ansichtZumZeichnen() { return m_ansicht; }
    QImage& ueberlagerungZumZeichnen() { return m_ueberlagerung; }

    // The visible section in page fractions (x/y = left/top); (0, 0, 1, 1) when
    // the whole page fits.
    QRectF sichtbarerBereich() const { return m_ausschnitt; }
    // Where the section lies in the page picture, in its pixels.
    QRect ausschnittPixel() const;
    double seitenAspekt() const { return m_seitenAspekt; }
    double skalierung() const; // S = page picture width / 870
    bool startPanelVerborgen() const { return m_startPanelVerbergen; }

    // A view pixel to a page point (fractions, clamped) and back.
    QPointF ansichtZuSeite(QPointF ansichtPunkt) const;
    QPointF seiteZuAnsicht(QPointF seitenPunkt) const;

    ZeichenKontext zeichenKontext() const;
    ObjectDrawer& zeichner() { return m_zeichner; }
    PageBackground& hintergrund() { return m_hintergrund; }

    // Forgets kept texts, pictures and the cached background (document closed).
    void cachesLeeren();

private:
    std::vector<int> zReihenfolge() const;
    void baueObjekteAuf();
    void zeichneBereich(const QRect& bereich);
    void zeichneObenAufliegende(const QRect* bereich);
    QRect zeichneEines(QPainter& painter, const ZeichenKontext& kontext, int index, ZeichenArt art);
    bool betrifft(int index, const QRect& bereich) const;
    void runHook(LayoutPhase phase, const QRect& clip);
    void endSeiteUndAusschnitt();

    Document& m_dokument;
    AnsichtsZustand m_zustand;
    QSize m_bereich{1024, 768};
    QRectF m_ausschnitt{0.0, 0.0, 1.0, 1.0};
    double m_seitenAspekt = 1.0;
    bool m_startPanelVerbergen = false;

    ObjectDrawer m_zeichner;
    PageBackground m_hintergrund;

    QImage m_seite;
    QImage m_ohneObjekte;
    QImage m_mitFesten;
    QImage m_endSeite;
    QImage m_ansicht;
    QImage m_sichtbar;
    QImage m_ueberlagerung;
    QSize m_ansichtGroesse;
    // The pixels each object covered when last drawn, in page picture pixels.
    std::vector<QRect> m_gezeichnet;
};

} // namespace quorvel
