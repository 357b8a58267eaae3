#include "viewcomposer.h"

#include "document.h"
#include "objecttypes.h"
#include "viewgeometry.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <numeric>

namespace quorvel {

namespace {

constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;

// Makes `bild` a picture of `groesse` in the working format that owns its
// pixels, keeping the existing buffer when it fits: fresh buffers cost page
// faults on every recomposition.
void stelleBereit(QImage& bild, QSize groesse)
{
    if (bild.size() != groesse || bild.format() != kFormat || !bild.isDetached())
        bild = QImage(groesse, kFormat);
}

// Copies the rectangle `quelle` of `von` to `ziel` at `nach`; both pictures
// are 32-bit, the rectangle lies inside both.
void kopiereRechteck(QImage& ziel, QPoint nach, const QImage& von, const QRect& quelle)
{
    if (quelle.isEmpty())
        return;
    const size_t bytes = size_t(quelle.width()) * 4;
    for (int y = 0; y < quelle.height(); ++y) {
        std::memcpy(ziel.scanLine(nach.y() + y) + size_t(nach.x()) * 4,
                    von.constScanLine(quelle.top() + y) + size_t(quelle.left()) * 4, bytes);
    }
}

void kopiereBild(QImage& ziel, const QImage& von)
{
    stelleBereit(ziel, von.size());
    if (ziel.bytesPerLine() == von.bytesPerLine())
        std::memcpy(ziel.bits(), von.constBits(), size_t(von.sizeInBytes()));
    else
        kopiereRechteck(ziel, QPoint(0, 0), von, von.rect());
}

QRect linienUmriss(const ObjDataTyp& o, QSize seitenBild)
{
    const QPoint von(qRound(o.Sx * seitenBild.width()), qRound(o.Sy * seitenBild.height()));
    const QPoint nach(qRound(o.Kx * seitenBild.width()), qRound(o.Ky * seitenBild.height()));
    return QRect(von, nach).normalized().adjusted(-4, -4, 4, 4);
}

} // namespace

bool startPanelVerbergen(const Document& d)
{
    const HeaderDataTyp& h = d.header;
    return !d.datei.isEmpty() || d.modified || !h.titel.isEmpty() || !h.lueckentext.isEmpty() ||
           !h.fragentext.isEmpty() || h.DokUnterTyp != 0 || !d.objects.empty();
}

ViewComposer::ViewComposer(Document& document) : m_dokument(document) {}

double ViewComposer::skalierung() const
{
    return std::max(1, m_seite.width()) / kDesignBreite;
}

ZeichenKontext ViewComposer::zeichenKontext() const
{
    ZeichenKontext kontext =
        ZeichenKontext::fuer(m_dokument.header, m_seite.size(), m_seitenAspekt);
    kontext.uebung = m_zustand.uebung;
    return kontext;
}

bool ViewComposer::istSichtbar(const ObjDataTyp& o) const
{
    if (m_dokument.header.AnzFrageNummern > 0 && o.FrageNummer >= 1 &&
        o.FrageNummer != m_zustand.aktuelleFrage)
        return false;
    if (m_zustand.uebung.laeuft || o.Ebene < 0 || o.Ebene >= kEbenenAnzahl)
        return true;
    return m_zustand.ebenen[size_t(o.Ebene)];
}

std::vector<int> ViewComposer::zReihenfolge() const
{
    const auto& objekte = m_dokument.objects;
    std::vector<int> reihenfolge(objekte.size());
    std::iota(reihenfolge.begin(), reihenfolge.end(), 0);
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int b) {
        return objekte[size_t(a)].ZIndex < objekte[size_t(b)].ZIndex;
    });
    return reihenfolge;
}

void ViewComposer::runHook(LayoutPhase phase, const QRect& clip)
{
    if (!hasViewLayoutHook(m_dokument.header.DokTyp, phase))
        return;
    LayoutHookKontext kontext{m_dokument,      m_seite, clip, skalierung(), m_zustand.aktuelleFrage,
                              m_zustand.uebung};
    runViewLayoutHook(phase, kontext);
    // A generator may have added or removed objects.
    m_gezeichnet.resize(m_dokument.objects.size());
}

QRect ViewComposer::zeichneEines(QPainter& painter, const ZeichenKontext& kontext, int index,
                                 ZeichenArt art)
{
    const int aktuell = m_zustand.uebung.aktuellesZiel;
    const QRect rect = m_zeichner.zeichne(painter, kontext, m_dokument.objects[size_t(index)], art,
                                          aktuell < 0 || aktuell == index);
    m_gezeichnet[size_t(index)] = rect;
    return rect;
}

void ViewComposer::neuAufbauen()
{
    Document& d = m_dokument;
    m_startPanelVerbergen = startPanelVerbergen(d);

    // Where the page sits in the view area decides the visible section.
    const QImage& basis = m_hintergrund.reduzierteBasis(d);
    const QSize seite = seitenGroesseInBasispixeln(basis.size(), d.header.RandErw);
    const SeitenEinpassung einpassung =
        passeSeiteEin(QSizeF(seite), m_bereich, zoomFaktor(m_zustand.zoomStufe));
    m_seitenAspekt = double(einpassung.eingepasst.width()) / einpassung.eingepasst.height();
    m_ausschnitt = platziereAusschnitt(m_ausschnitt, einpassung.sichtbarerAnteil);

    m_ansichtGroesse = einpassung.ansicht;
    stelleBereit(m_ueberlagerung, m_ansichtGroesse);
    m_ueberlagerung.fill(Qt::transparent);

    const bool basisbildAus = !m_zustand.ebenen[0] && !m_zustand.uebung.laeuft;
    const QImage& hintergrund = m_hintergrund.hintergrund(d, einpassung.seitenBild);
    if (basisbildAus) {
        stelleBereit(m_seite, einpassung.seitenBild);
        m_seite.fill(Qt::white);
    } else {
        kopiereBild(m_seite, hintergrund);
        runHook(LayoutPhase::Seitenhintergrund, m_seite.rect());
    }
    m_gezeichnet.assign(d.objects.size(), QRect());

    runHook(LayoutPhase::VorSeiteOhneObjekte, m_seite.rect());
    const bool nurHintergrund =
        !basisbildAus && !hasViewLayoutHook(d.header.DokTyp, LayoutPhase::Seitenhintergrund) &&
        !hasViewLayoutHook(d.header.DokTyp, LayoutPhase::VorSeiteOhneObjekte);
    if (nurHintergrund)
        m_ohneObjekte = hintergrund; // nothing is ever drawn on it: share the pixels
    else
        kopiereBild(m_ohneObjekte, m_seite);
    runHook(LayoutPhase::NachSeiteOhneObjekte, m_seite.rect());

    baueObjekteAuf();
    endSeiteUndAusschnitt();
}

void ViewComposer::objekteNeuZeichnen()
{
    if (m_ohneObjekte.isNull()) {
        neuAufbauen();
        return;
    }
    kopiereBild(m_seite, m_ohneObjekte);
    m_gezeichnet.assign(m_dokument.objects.size(), QRect());
    runHook(LayoutPhase::VorSeiteOhneObjekte, m_seite.rect());
    runHook(LayoutPhase::NachSeiteOhneObjekte, m_seite.rect());
    baueObjekteAuf();
    endSeiteUndAusschnitt();
}

void ViewComposer::baueObjekteAuf()
{
    auto& objekte = m_dokument.objects;
    const std::vector<int> reihenfolge = zReihenfolge();
    const ZeichenKontext kontext = zeichenKontext();

    // The background with every fixed object: erasing a card restores from it.
    kopiereBild(m_mitFesten, m_seite);
    {
        QPainter painter(&m_mitFesten);
        for (int i : reihenfolge) {
            const ObjDataTyp& o = objekte[size_t(i)];
            if (istFestesObjekt(o.Typ) && istSichtbar(o))
                zeichneEines(painter, kontext, i, ZeichenArt::Normal);
        }
    }

    {
        QPainter painter(&m_seite);
        for (int i : reihenfolge) {
            const ObjDataTyp& o = objekte[size_t(i)];
            if (!istSichtbar(o))
                continue;
            if (istVerdeckbarImErstenDurchgang(o.Typ) && o.AbfrageStatus == -1)
                continue;
            zeichneEines(painter, kontext, i, ZeichenArt::Normal);
        }
        // Covers lie above every other object.
        for (int i : reihenfolge) {
            const ObjDataTyp& o = objekte[size_t(i)];
            if (istSichtbar(o) && istVerdeckbarImErstenDurchgang(o.Typ) && o.AbfrageStatus == -1)
                zeichneEines(painter, kontext, i, ZeichenArt::Abgedeckt);
        }
    }
    runHook(LayoutPhase::Ueberlagerung, m_seite.rect());
    zeichneObenAufliegende(nullptr);
}

void ViewComposer::zeichneObenAufliegende(const QRect* bereich)
{
    const ZeichenKontext kontext = zeichenKontext();
    QPainter painter(&m_seite);
    if (bereich)
        painter.setClipRect(*bereich);
    for (size_t i = 0; i < m_dokument.objects.size(); ++i) {
        const ObjDataTyp& o = m_dokument.objects[i];
        if (!istObenAufliegend(o.Typ) || !istSichtbar(o))
            continue;
        if (bereich && !betrifft(int(i), *bereich))
            continue;
        // Erase what was drawn over the field since, then draw it on top.
        const QRect vorher = m_gezeichnet[i].intersected(m_seite.rect());
        if (!vorher.isEmpty()) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(vorher.topLeft(), m_mitFesten, vorher);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        zeichneEines(painter, kontext, int(i),
                     o.AbfrageStatus == -1 ? ZeichenArt::Abgedeckt : ZeichenArt::Normal);
    }
}

bool ViewComposer::betrifft(int index, const QRect& bereich) const
{
    const QRect& gezeichnet = m_gezeichnet[size_t(index)];
    if (!gezeichnet.isEmpty() && gezeichnet.intersects(bereich))
        return true;
    const ObjDataTyp& o = m_dokument.objects[size_t(index)];
    return o.Sline == 1 && linienUmriss(o, m_seite.size()).intersects(bereich);
}

void ViewComposer::zeichneBereich(const QRect& bereich)
{
    auto& objekte = m_dokument.objects;
    const std::vector<int> reihenfolge = zReihenfolge();
    const ZeichenKontext kontext = zeichenKontext();
    {
        // The same as a whole composition, limited to the rectangle: start from
        // the fixed objects and draw everything else that reaches into it.
        QPainter painter(&m_seite);
        painter.setClipRect(bereich);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(bereich.topLeft(), m_mitFesten, bereich);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (int pass = 0; pass < 2; ++pass) {
            for (int i : reihenfolge) {
                const ObjDataTyp& o = objekte[size_t(i)];
                if (istFestesObjekt(o.Typ) || !istSichtbar(o) || !betrifft(i, bereich))
                    continue;
                const bool abgedeckt =
                    istVerdeckbarImErstenDurchgang(o.Typ) && o.AbfrageStatus == -1;
                if (abgedeckt != (pass == 1))
                    continue;
                zeichneEines(painter, kontext, i,
                             abgedeckt ? ZeichenArt::Abgedeckt : ZeichenArt::Normal);
            }
        }
    }
    runHook(LayoutPhase::Ueberlagerung, bereich);
    zeichneObenAufliegende(&bereich);
}

QRect ViewComposer::objektNeuZeichnen(int index)
{
    if (index < 0 || size_t(index) >= m_dokument.objects.size() || m_mitFesten.isNull())
        return QRect();
    m_gezeichnet.resize(m_dokument.objects.size());
    const ZeichenKontext kontext = zeichenKontext();
    ObjDataTyp& o = m_dokument.objects[size_t(index)];
    if (istFestesObjekt(o.Typ)) {
        objekteNeuZeichnen();
        return m_ansicht.rect();
    }

    QRect bereich = m_gezeichnet[size_t(index)];
    if (istSichtbar(o))
        bereich |= m_zeichner.ausdehnung(kontext, o);
    bereich &= m_seite.rect();
    if (bereich.isEmpty())
        return QRect();
    zeichneBereich(bereich);
    const QRect gezeichnet = m_gezeichnet[size_t(index)] & m_seite.rect();
    if (!bereich.contains(gezeichnet)) {
        bereich |= gezeichnet;
        zeichneBereich(bereich);
    }

    kopiereRechteck(m_endSeite, bereich.topLeft(), m_seite, bereich);
    const QRect ausschnitt = ausschnittPixel();
    const QRect sichtbar = bereich & ausschnitt;
    if (sichtbar.isEmpty())
        return QRect();
    const QPoint nach = sichtbar.topLeft() - ausschnitt.topLeft();
    kopiereRechteck(m_ansicht, nach, m_seite, sichtbar);
    kopiereRechteck(m_sichtbar, nach, m_endSeite, sichtbar);
    return QRect(nach, sichtbar.size());
}

void ViewComposer::endSeiteUndAusschnitt()
{
    kopiereBild(m_endSeite, m_seite);
    zeigeAusschnitt();
}

QRect ViewComposer::ausschnittPixel() const
{
    return quorvel::ausschnittPixel(m_ausschnitt, m_seite.size(), m_ansichtGroesse);
}

void ViewComposer::zeigeAusschnitt()
{
    if (m_seite.isNull())
        return;
    const QRect ausschnitt = ausschnittPixel();
    if (ausschnitt == m_seite.rect()) {
        kopiereBild(m_ansicht, m_seite);
        kopiereBild(m_sichtbar, m_endSeite);
        return;
    }
    stelleBereit(m_ansicht, ausschnitt.size());
    stelleBereit(m_sichtbar, ausschnitt.size());
    kopiereRechteck(m_ansicht, QPoint(0, 0), m_seite, ausschnitt);
    kopiereRechteck(m_sichtbar, QPoint(0, 0), m_endSeite, ausschnitt);
}

void ViewComposer::verschiebeAusschnitt(double dx, double dy)
{
    m_ausschnitt = quorvel::verschiebeAusschnitt(m_ausschnitt, dx, dy);
    zeigeAusschnitt();
}

QRect ViewComposer::zeichneObjekt(QImage& ziel, int index, ZeichenArt art)
{
    if (index < 0 || size_t(index) >= m_dokument.objects.size())
        return QRect();
    ZeichenKontext kontext = zeichenKontext();
    kontext.seitenBild = ziel.size();
    kontext.s = std::max(1, ziel.width()) / kDesignBreite;
    const int aktuell = m_zustand.uebung.aktuellesZiel;
    return m_zeichner.zeichne(ziel, kontext, m_dokument.objects[size_t(index)], art,
                              aktuell < 0 || aktuell == index);
}

QPointF ViewComposer::ansichtZuSeite(QPointF ansichtPunkt) const
{
    return quorvel::ansichtZuSeite(ansichtPunkt, m_ansicht.size(), m_ausschnitt);
}

QPointF ViewComposer::seiteZuAnsicht(QPointF seitenPunkt) const
{
    return quorvel::seiteZuAnsicht(seitenPunkt, m_ansicht.size(), m_ausschnitt);
}

void ViewComposer::cachesLeeren()
{
    m_zeichner.leeren();
    m_hintergrund.verwerfen();
    m_ohneObjekte = QImage();
}

} // namespace quorvel
