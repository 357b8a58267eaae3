#include "viewcomposer.h"

#include "cardplacement.h"
#include "document.h"
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
void stelleBereit(QImage& bild, QSize groesse) {
    if (bild.size() != groesse || bild.format() != kFormat || !bild.isDetached())
        bild = QImage(groesse, kFormat);
}

// Copies the rectangle `quelle` of `von` to `ziel` at `nach`; both pictures
// are 32-bit, the rectangle lies inside both.
void kopiereRechteck(QImage& ziel, QPoint nach, const QImage& von, const QRect& quelle) {
    if (quelle.isEmpty())
        return;
    const size_t bytes = size_t(quelle.width()) * 4;
    for (int y = 0; y < quelle.height(); ++y) {
        std::memcpy(ziel.scanLine(nach.y() + y) + size_t(nach.x()) * 4,
                    von.constScanLine(quelle.top() + y) + size_t(quelle.left()) * 4, bytes);
    }
}

void kopiereBild(QImage& ziel, const QImage& von) {
    stelleBereit(ziel, von.size());
    if (ziel.bytesPerLine() == von.bytesPerLine())
        std::memcpy(ziel.bits(), von.constBits(), size_t(von.sizeInBytes()));
    else
        kopiereRechteck(ziel, QPoint(0, 0), von, von.rect());
}

QRect linienUmriss(const ObjDataTyp& o, QSize pagePicture) {
    const QPoint von = pagePoint(o.Sx, o.Sy, pagePicture);
    const QPoint nach = pagePoint(o.Kx, o.Ky, pagePicture);
    return QRect(von, nach).normalized().adjusted(-4, -4, 4, 4);
}

} // namespace

bool hidesStartPanel(const Document& d) {
    const HeaderDataTyp& h = d.header;
    return !d.datei.isEmpty() || d.modified || !h.titel.isEmpty() || !h.lueckentext.isEmpty() ||
           !h.fragentext.isEmpty() || h.DokUnterTyp != 0 || !d.objects.empty();
}

ViewComposer::ViewComposer(Document& document, const ViewLayouts& layouts)
    : m_dokument(document), m_layouts(layouts) {}

double ViewComposer::scale() const {
    return std::max(1, m_seite.width()) / kDesignBreite;
}

DrawContext ViewComposer::drawContext() const {
    DrawContext kontext = DrawContext::forPage(m_dokument.header, m_seite.size(), m_seitenAspekt);
    kontext.exercise = m_zustand.exercise;
    return kontext;
}

bool ViewComposer::isVisible(const ObjDataTyp& o) const {
    if (m_dokument.header.AnzFrageNummern > 0 && o.FrageNummer >= 1 &&
        o.FrageNummer != m_zustand.currentQuestion)
        return false;
    if (m_zustand.exercise.running || o.Ebene < 0 || o.Ebene >= kLayerCount)
        return true;
    return m_zustand.layers[size_t(o.Ebene)];
}

std::vector<int> ViewComposer::zOrder() const {
    const auto& objekte = m_dokument.objects;
    std::vector<int> reihenfolge(objekte.size());
    std::iota(reihenfolge.begin(), reihenfolge.end(), 0);
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int b) {
        return objekte[size_t(a)].ZIndex < objekte[size_t(b)].ZIndex;
    });
    return reihenfolge;
}

void ViewComposer::runHook(LayoutPhase phase, const QRect& clip) {
    if (!m_layouts.hasHook(dokTypOf(m_dokument.header), phase))
        return;
    LayoutHookContext kontext{m_dokument,        m_seite, clip, scale(), m_zustand.currentQuestion,
                              m_zustand.exercise};
    m_layouts.runHook(phase, kontext);
    // A generator may have added or removed objects.
    m_gezeichnet.resize(m_dokument.objects.size());
}

QRect ViewComposer::drawOne(QPainter& painter, const DrawContext& kontext, int index,
                            DrawMode art) {
    const int aktuell = m_zustand.exercise.currentTarget;
    const QRect rect = m_zeichner.draw(painter, kontext, m_dokument.objects[size_t(index)], art,
                                       aktuell < 0 || aktuell == index);
    m_gezeichnet[size_t(index)] = rect;
    return rect;
}

void ViewComposer::rebuild() {
    Document& d = m_dokument;
    m_startPanelVerbergen = hidesStartPanel(d);

    // Where the page sits in the view area decides the visible section.
    const QImage& basis = m_hintergrund.reducedBase(d);
    const QSize seite = pageSizeInBasePixels(basis.size(), d.header.RandErw);
    const PageFit einpassung = fitPage(QSizeF(seite), m_bereich, zoomFactor(m_zustand.zoomLevel));
    m_seitenAspekt = double(einpassung.eingepasst.width()) / einpassung.eingepasst.height();
    m_ausschnitt = placeSection(m_ausschnitt, einpassung.sichtbarerAnteil);

    m_ansichtGroesse = einpassung.ansicht;
    stelleBereit(m_ueberlagerung, m_ansichtGroesse);
    m_ueberlagerung.fill(Qt::transparent);

    const bool basisbildAus = !m_zustand.layers[0] && !m_zustand.exercise.running;
    const QImage& background = m_hintergrund.background(d, einpassung.pagePicture);
    if (basisbildAus) {
        stelleBereit(m_seite, einpassung.pagePicture);
        m_seite.fill(Qt::white);
    } else {
        kopiereBild(m_seite, background);
        runHook(LayoutPhase::Background, m_seite.rect());
    }
    m_gezeichnet.assign(d.objects.size(), QRect());

    runHook(LayoutPhase::BeforePageWithoutObjects, m_seite.rect());
    const bool nurHintergrund =
        !basisbildAus && !m_layouts.hasHook(dokTypOf(d.header), LayoutPhase::Background) &&
        !m_layouts.hasHook(dokTypOf(d.header), LayoutPhase::BeforePageWithoutObjects);
    if (nurHintergrund)
        m_ohneObjekte = background; // nothing is ever drawn on it: share the pixels
    else
        kopiereBild(m_ohneObjekte, m_seite);
    runHook(LayoutPhase::AfterPageWithoutObjects, m_seite.rect());

    buildObjects();
    finalPageAndSection();
}

void ViewComposer::redrawObjects() {
    if (m_ohneObjekte.isNull()) {
        rebuild();
        return;
    }
    kopiereBild(m_seite, m_ohneObjekte);
    m_gezeichnet.assign(m_dokument.objects.size(), QRect());
    runHook(LayoutPhase::BeforePageWithoutObjects, m_seite.rect());
    runHook(LayoutPhase::AfterPageWithoutObjects, m_seite.rect());
    buildObjects();
    finalPageAndSection();
}

void ViewComposer::buildObjects() {
    auto& objekte = m_dokument.objects;
    const std::vector<int> reihenfolge = zOrder();
    const DrawContext kontext = drawContext();

    // The background with every fixed object: erasing a card restores from it.
    kopiereBild(m_mitFesten, m_seite);
    {
        QPainter painter(&m_mitFesten);
        for (int i : reihenfolge) {
            const ObjDataTyp& o = objekte[size_t(i)];
            if (isFixedObject(typOf(o)) && isVisible(o))
                drawOne(painter, kontext, i, DrawMode::Normal);
        }
    }

    {
        QPainter painter(&m_seite);
        for (int i : reihenfolge) {
            const ObjDataTyp& o = objekte[size_t(i)];
            if (!isVisible(o))
                continue;
            if (isCoverableInFirstPass(typOf(o)) && o.AbfrageStatus == -1)
                continue;
            drawOne(painter, kontext, i, DrawMode::Normal);
        }
        // Covers lie above every other object.
        for (int i : reihenfolge) {
            const ObjDataTyp& o = objekte[size_t(i)];
            if (isVisible(o) && isCoverableInFirstPass(typOf(o)) && o.AbfrageStatus == -1)
                drawOne(painter, kontext, i, DrawMode::Covered);
        }
    }
    runHook(LayoutPhase::Overlay, m_seite.rect());
    drawOnTop(nullptr);
}

void ViewComposer::drawOnTop(const QRect* bereich) {
    const DrawContext kontext = drawContext();
    QPainter painter(&m_seite);
    if (bereich)
        painter.setClipRect(*bereich);
    for (size_t i = 0; i < m_dokument.objects.size(); ++i) {
        const ObjDataTyp& o = m_dokument.objects[i];
        if (!isDrawnOnTop(typOf(o)) || !isVisible(o))
            continue;
        if (bereich && !touches(int(i), *bereich))
            continue;
        // Erase what was drawn over the field since, then draw it on top.
        const QRect vorher = m_gezeichnet[i].intersected(m_seite.rect());
        if (!vorher.isEmpty()) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(vorher.topLeft(), m_mitFesten, vorher);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        drawOne(painter, kontext, int(i),
                o.AbfrageStatus == -1 ? DrawMode::Covered : DrawMode::Normal);
    }
}

bool ViewComposer::touches(int index, const QRect& bereich) const {
    const QRect& gezeichnet = m_gezeichnet[size_t(index)];
    if (!gezeichnet.isEmpty() && gezeichnet.intersects(bereich))
        return true;
    const ObjDataTyp& o = m_dokument.objects[size_t(index)];
    return o.Sline == 1 && linienUmriss(o, m_seite.size()).intersects(bereich);
}

void ViewComposer::drawArea(const QRect& bereich) {
    auto& objekte = m_dokument.objects;
    const std::vector<int> reihenfolge = zOrder();
    const DrawContext kontext = drawContext();
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
                if (isFixedObject(typOf(o)) || !isVisible(o) || !touches(i, bereich))
                    continue;
                const bool abgedeckt = isCoverableInFirstPass(typOf(o)) && o.AbfrageStatus == -1;
                if (abgedeckt != (pass == 1))
                    continue;
                drawOne(painter, kontext, i, abgedeckt ? DrawMode::Covered : DrawMode::Normal);
            }
        }
    }
    runHook(LayoutPhase::Overlay, bereich);
    drawOnTop(&bereich);
}

QRect ViewComposer::redrawObject(int index) {
    if (index < 0 || size_t(index) >= m_dokument.objects.size() || m_mitFesten.isNull())
        return QRect();
    m_gezeichnet.resize(m_dokument.objects.size());
    const DrawContext kontext = drawContext();
    ObjDataTyp& o = m_dokument.objects[size_t(index)];
    if (isFixedObject(typOf(o))) {
        redrawObjects();
        return m_ansicht.rect();
    }

    QRect bereich = m_gezeichnet[size_t(index)];
    if (isVisible(o))
        bereich |= m_zeichner.extent(kontext, o);
    bereich &= m_seite.rect();
    if (bereich.isEmpty())
        return QRect();
    drawArea(bereich);
    const QRect gezeichnet = m_gezeichnet[size_t(index)] & m_seite.rect();
    if (!bereich.contains(gezeichnet)) {
        bereich |= gezeichnet;
        drawArea(bereich);
    }

    kopiereRechteck(m_endSeite, bereich.topLeft(), m_seite, bereich);
    const QRect ausschnitt = sectionPixels();
    const QRect sichtbar = bereich & ausschnitt;
    if (sichtbar.isEmpty())
        return QRect();
    const QPoint nach = sichtbar.topLeft() - ausschnitt.topLeft();
    kopiereRechteck(m_ansicht, nach, m_seite, sichtbar);
    kopiereRechteck(m_sichtbar, nach, m_endSeite, sichtbar);
    return QRect(nach, sichtbar.size());
}

void ViewComposer::finalPageAndSection() {
    kopiereBild(m_endSeite, m_seite);
    showSection();
}

QRect ViewComposer::sectionPixels() const {
    return quorvel::sectionPixels(m_ausschnitt, m_seite.size(), m_ansichtGroesse);
}

void ViewComposer::showSection() {
    if (m_seite.isNull())
        return;
    const QRect ausschnitt = sectionPixels();
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

void ViewComposer::moveSection(double dx, double dy) {
    m_ausschnitt = quorvel::moveSection(m_ausschnitt, dx, dy);
    showSection();
}

QRect ViewComposer::drawObject(QImage& ziel, int index, DrawMode art) {
    if (index < 0 || size_t(index) >= m_dokument.objects.size())
        return QRect();
    DrawContext kontext = drawContext();
    kontext.pagePicture = ziel.size();
    kontext.s = std::max(1, ziel.width()) / kDesignBreite;
    const int aktuell = m_zustand.exercise.currentTarget;
    return m_zeichner.draw(ziel, kontext, m_dokument.objects[size_t(index)], art,
                           aktuell < 0 || aktuell == index);
}

QPointF ViewComposer::viewToPage(QPointF ansichtPunkt) const {
    return quorvel::viewToPage(ansichtPunkt, m_ansicht.size(), m_ausschnitt);
}

QPointF ViewComposer::pageToView(QPointF seitenPunkt) const {
    return quorvel::pageToView(seitenPunkt, m_ansicht.size(), m_ausschnitt);
}

void ViewComposer::clearCaches() {
    m_zeichner.clear();
    m_hintergrund.discard();
    m_ohneObjekte = QImage();
}

} // namespace quorvel
