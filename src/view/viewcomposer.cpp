// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewcomposer.h"

#include "cardplacement.h"
#include "document.h"
#include "viewgeometry.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>
#include <optional>

namespace quorvel {

namespace {

constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;

// A composition's working pictures together with the document's decoded
// pictures stay within this; a view area and zoom beyond it are refused before
// anything is allocated (the caches of cards and scaled pictures are bounded
// on their own).
constexpr qint64 kCompositionBudget = qint64(1) << 30;
// Page-sized: the page, the page without objects, the one with the fixed
// objects, the end page and the scaled background. View-sized: the view, the
// visible section, the drawing overlay, and one for an export's conversion.
constexpr qint64 kPagePictures = 5;
constexpr qint64 kViewPictures = 4;

qint64 pictureBytes(QSize size) {
    return qint64(std::max(0, size.width())) * std::max(0, size.height()) * 4;
}

// Makes `picture` a picture of `size` in the working format that owns its
// pixels, keeping the existing buffer when it fits: fresh buffers cost page
// faults on every recomposition. A failed allocation leaves a null picture,
// which the copies below skip and ViewComposer::checkPictures() reports.
void ensureSize(QImage& picture, QSize size) {
    if (picture.size() != size || picture.format() != kFormat || !picture.isDetached())
        picture = QImage(size, kFormat);
}

// Copies the rectangle `source` of `from` into `target` with its top left at `at`;
// both pictures are 32-bit. Nothing is copied unless the rectangle lies inside both.
void copyRect(QImage& target, QPoint at, const QImage& from, const QRect& source) {
    if (source.isEmpty() || !from.rect().contains(source) ||
        !target.rect().contains(QRect(at, source.size())))
        return;
    const size_t bytes = size_t(source.width()) * 4;
    for (int y = 0; y < source.height(); ++y) {
        std::memcpy(target.scanLine(at.y() + y) + size_t(at.x()) * 4,
                    from.constScanLine(source.top() + y) + size_t(source.left()) * 4, bytes);
    }
}

void copyPicture(QImage& target, const QImage& from) {
    ensureSize(target, from.size());
    if (target.isNull() || from.isNull())
        return;
    if (target.bytesPerLine() == from.bytesPerLine() && target.format() == from.format())
        std::memcpy(target.bits(), from.constBits(), size_t(from.sizeInBytes()));
    else
        copyRect(target, QPoint(0, 0), from, from.rect());
}

QRect lineOutline(const ObjDataTyp& o, QSize pagePicture) {
    const QPoint from = pagePoint(o.Sx, o.Sy, pagePicture);
    const QPoint at = pagePoint(o.Kx, o.Ky, pagePicture);
    return QRect(from, at).normalized().adjusted(-4, -4, 4, 4);
}

} // namespace

QString msgViewOutOfMemory() {
    return QStringLiteral("Nicht genug Speicher, um die Seite in dieser Größe zu zeichnen.");
}

bool hidesStartPanel(const Document& d) {
    const HeaderDataTyp& h = d.header;
    return !d.file.isEmpty() || d.modified || !h.titel.isEmpty() || !h.lueckentext.isEmpty() ||
           !h.fragentext.isEmpty() || documentSubtypeOf(h) != DocumentSubtype::Cloze ||
           !d.objects.empty();
}

ViewComposer::ViewComposer(Document& document, const ViewLayouts& layouts)
    : m_document(document), m_layouts(layouts) {}

double ViewComposer::scale() const {
    return std::max(1, m_page.width()) / kDesignWidth;
}

DrawContext ViewComposer::drawContext() const {
    DrawContext context = DrawContext::forPage(m_document.header, m_page.size(), m_pageAspect);
    context.exercise = m_state.exercise;
    return context;
}

bool ViewComposer::isVisible(const ObjDataTyp& o) const {
    if (isOffPage(typOf(o)))
        return false;
    // The "OK" object is the exercise's "Weiter" card while an exercise runs
    // (drawn on the page it would peek out from under the card), and the one
    // a text-input exercise adds to other documents is never on the page.
    if (typOf(o) == Typ::MCOkButton &&
        (m_state.exercise.running || dokTypOf(m_document.header) != DokTyp::MultipleChoice))
        return false;
    // The run chooses the question of an exercise: the question buttons do
    // nothing then and would only lie under the "Weiter" card.
    if (m_state.exercise.running && isNavigationButton(typOf(o)))
        return false;
    // The second element of a cross-matching middle item is never drawn.
    if (isMatchingElement(typOf(o)) && !o.Aktiv)
        return false;
    if (m_document.header.AnzFrageNummern > 0 && o.FrageNummer >= 1 &&
        o.FrageNummer != m_state.currentQuestion)
        return false;
    if (m_state.exercise.running || o.Ebene < 0 || o.Ebene >= kLayerCount)
        return true;
    return m_state.layers[size_t(o.Ebene)];
}

std::vector<int> ViewComposer::zOrder() const {
    const auto& objects = m_document.objects;
    std::vector<int> order(objects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return objects[size_t(a)].ZIndex < objects[size_t(b)].ZIndex;
    });
    return order;
}

void ViewComposer::runHook(LayoutPhase phase, const QRect& clip) {
    if (!m_layouts.hasHook(dokTypOf(m_document.header), phase))
        return;
    QPainter painter(&m_page);
    painter.setClipRect(clip);
    LayoutHookContext context{
        m_document,       painter,       m_page.size(), clip, scale(), m_state.currentQuestion,
        m_state.exercise, m_state.layers};
    m_layouts.runHook(phase, context);
    // A generator may have added or removed objects.
    m_drawn.resize(m_document.objects.size());
}

QRect ViewComposer::drawOne(QPainter& painter, const DrawContext& context, int index,
                            DrawMode art) {
    const int current = m_state.exercise.currentTarget;
    const QRect rect = m_painter.draw(painter, context, m_document.objects[size_t(index)], art,
                                      current < 0 || current == index);
    m_drawn[size_t(index)] = rect;
    return rect;
}

void ViewComposer::rebuild() {
    Document& d = m_document;
    m_hideStartPanel = hidesStartPanel(d);

    // Where the page sits in the view area decides the visible section.
    const QImage& basis = m_background.reducedBase(d);
    const QSize page = pageSizeInBasePixels(basis.size(), d.header.RandErw);
    const PageFit fit = fitPage(QSizeF(page), m_area, zoomFactor(m_state.zoomLevel));
    m_pageAspect = double(fit.fitted.width()) / fit.fitted.height();
    m_section = placeSection(m_section, fit.visibleShare);

    m_viewSize = fit.view;
    const qint64 planned = d.pictureBytes() + kPagePictures * pictureBytes(fit.pagePicture) +
                           kViewPictures * pictureBytes(fit.view);
    if (planned > kCompositionBudget) {
        // Freed, not filled: checkPictures() reports the lack of memory.
        m_overlay = QImage();
        checkPictures();
        return;
    }
    ensureSize(m_overlay, m_viewSize);
    m_overlay.fill(Qt::transparent);

    const bool basePictureOff = !m_state.layers[0] && !m_state.exercise.running;
    const QImage& background = m_background.background(d, fit.pagePicture);
    if (basePictureOff) {
        ensureSize(m_page, fit.pagePicture);
        m_page.fill(Qt::white);
    } else {
        copyPicture(m_page, background);
        runHook(LayoutPhase::Background, m_page.rect());
    }
    m_drawn.assign(d.objects.size(), QRect());

    runHook(LayoutPhase::BeforePageWithoutObjects, m_page.rect());
    const bool backgroundOnly =
        !basePictureOff && !m_layouts.hasHook(dokTypOf(d.header), LayoutPhase::Background) &&
        !m_layouts.hasHook(dokTypOf(d.header), LayoutPhase::BeforePageWithoutObjects);
    if (backgroundOnly)
        m_withoutObjects = background; // nothing is ever drawn on it: share the pixels
    else
        copyPicture(m_withoutObjects, m_page);
    runHook(LayoutPhase::AfterPageWithoutObjects, m_page.rect());

    buildObjects();
    finalPageAndSection();
    checkPictures();
}

void ViewComposer::checkPictures() {
    QImage* pictures[] = {&m_page, &m_withoutObjects, &m_withFixed, &m_endPage,
                          &m_view, &m_visible,        &m_overlay};
    m_outOfMemory = false;
    for (QImage* picture : pictures)
        m_outOfMemory = m_outOfMemory || picture->isNull();
    if (!m_outOfMemory)
        return;
    for (QImage* picture : pictures)
        *picture = QImage();
    m_painter.clear();
    m_background.discard();
}

void ViewComposer::redrawObjects() {
    if (m_withoutObjects.isNull()) {
        rebuild();
        return;
    }
    copyPicture(m_page, m_withoutObjects);
    m_drawn.assign(m_document.objects.size(), QRect());
    runHook(LayoutPhase::BeforePageWithoutObjects, m_page.rect());
    runHook(LayoutPhase::AfterPageWithoutObjects, m_page.rect());
    buildObjects();
    finalPageAndSection();
    checkPictures();
}

void ViewComposer::buildObjects() {
    auto& objects = m_document.objects;
    const std::vector<int> order = zOrder();
    const DrawContext context = drawContext();

    // The background with every fixed object: erasing a card restores from it.
    copyPicture(m_withFixed, m_page);
    {
        QPainter painter(&m_withFixed);
        for (int i : order) {
            const ObjDataTyp& o = objects[size_t(i)];
            if (isFixedObject(typOf(o)) && isVisible(o))
                drawOne(painter, context, i, DrawMode::Normal);
        }
    }

    // An object drawn on top again at the end first erases what lay in its
    // rectangle and then draws itself anew there: drawing it in these passes
    // leaves no trace, unless it reaches beyond that rectangle (a target
    // line) or the overlay drawing between might see it. Such objects only
    // have their rectangle recorded.
    const bool overlayHook = m_layouts.hasHook(dokTypOf(m_document.header), LayoutPhase::Overlay);
    const auto drawOrRecord = [&](QPainter& painter, int i, DrawMode art) {
        ObjDataTyp& o = objects[size_t(i)];
        if (m_skipHidden && !overlayHook && isDrawnOnTop(typOf(o))) {
            if (const std::optional<QRect> area = m_painter.drawnArea(context, o, art)) {
                m_drawn[size_t(i)] = *area;
                return;
            }
        }
        drawOne(painter, context, i, art);
    };
    {
        QPainter painter(&m_page);
        for (int i : order) {
            const ObjDataTyp& o = objects[size_t(i)];
            if (!isVisible(o))
                continue;
            if (isCoverableInFirstPass(typOf(o)) && o.AbfrageStatus == AbfrageStatus::Covered)
                continue;
            drawOrRecord(painter, i, DrawMode::Normal);
        }
        // Covers lie above every other object.
        for (int i : order) {
            const ObjDataTyp& o = objects[size_t(i)];
            if (isVisible(o) && isCoverableInFirstPass(typOf(o)) &&
                o.AbfrageStatus == AbfrageStatus::Covered)
                drawOrRecord(painter, i, DrawMode::Covered);
        }
    }
    runHook(LayoutPhase::Overlay, m_page.rect());
    drawOnTop(nullptr);
}

std::vector<bool> ViewComposer::hiddenOnTop(const DrawContext& context) {
    auto& objects = m_document.objects;
    std::vector<bool> hidden(objects.size(), false);
    const QRect page = m_page.rect();
    // Only many fields can hide each other enough to pay for the mask.
    constexpr size_t kFewFields = 64;
    constexpr qint64 kLargestMask = qint64(64) << 20;
    size_t onTop = 0;
    for (const ObjDataTyp& o : objects)
        onTop += isDrawnOnTop(typOf(o)) && isVisible(o);
    if (!m_skipHidden || onTop < kFewFields || qint64(page.width()) * page.height() > kLargestMask)
        return hidden;
    // The pixels that a later object erases before it draws itself.
    std::vector<unsigned char> erased;
    try {
        erased.assign(size_t(page.width()) * size_t(page.height()), 0);
    } catch (const std::bad_alloc&) {
        return hidden;
    }
    const auto row = [&](int y, int x) { return erased.data() + size_t(y) * page.width() + x; };
    const auto allErased = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (std::memchr(row(y, r.left()), 0, size_t(r.width())))
                return false;
        }
        return true;
    };
    for (size_t i = objects.size(); i-- > 0;) {
        ObjDataTyp& o = objects[i];
        if (!isDrawnOnTop(typOf(o)) || !isVisible(o))
            continue;
        const DrawMode art =
            o.AbfrageStatus == AbfrageStatus::Covered ? DrawMode::Covered : DrawMode::Normal;
        const std::optional<QRect> area = m_painter.drawnArea(context, o, art);
        const QRect before = m_drawn[i] & page;
        if (area && allErased((*area | before) & page)) {
            hidden[i] = true;
            m_drawn[i] = *area;
            continue;
        }
        for (int y = before.top(); y <= before.bottom(); ++y)
            std::memset(row(y, before.left()), 1, size_t(before.width()));
    }
    return hidden;
}

void ViewComposer::drawOnTop(const QRect* area) {
    const DrawContext context = drawContext();
    // Objects wholly erased by later ones are left out of a whole page.
    const std::vector<bool> hidden =
        area ? std::vector<bool>(m_document.objects.size(), false) : hiddenOnTop(context);
    QPainter painter(&m_page);
    if (area)
        painter.setClipRect(*area);
    for (size_t i = 0; i < m_document.objects.size(); ++i) {
        const ObjDataTyp& o = m_document.objects[i];
        if (hidden[i] || !isDrawnOnTop(typOf(o)) || !isVisible(o))
            continue;
        if (area && !touches(int(i), *area))
            continue;
        // Erase what was drawn over the field since, then draw it on top.
        const QRect before = m_drawn[i].intersected(m_page.rect());
        if (!before.isEmpty()) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(before.topLeft(), m_withFixed, before);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        drawOne(painter, context, int(i),
                o.AbfrageStatus == AbfrageStatus::Covered ? DrawMode::Covered : DrawMode::Normal);
    }
}

bool ViewComposer::touches(int index, const QRect& area) const {
    const QRect& drawn = m_drawn[size_t(index)];
    if (!drawn.isEmpty() && drawn.intersects(area))
        return true;
    const ObjDataTyp& o = m_document.objects[size_t(index)];
    return drawsTargetLine(o) && lineOutline(o, m_page.size()).intersects(area);
}

void ViewComposer::drawArea(const QRect& area) {
    auto& objects = m_document.objects;
    const std::vector<int> order = zOrder();
    const DrawContext context = drawContext();
    {
        // The same as a whole composition, limited to the rectangle: start from
        // the fixed objects and draw everything else that reaches into it.
        QPainter painter(&m_page);
        painter.setClipRect(area);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area.topLeft(), m_withFixed, area);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (int pass = 0; pass < 2; ++pass) {
            for (int i : order) {
                const ObjDataTyp& o = objects[size_t(i)];
                if (isFixedObject(typOf(o)) || !isVisible(o) || !touches(i, area))
                    continue;
                const bool covered =
                    isCoverableInFirstPass(typOf(o)) && o.AbfrageStatus == AbfrageStatus::Covered;
                if (covered != (pass == 1))
                    continue;
                drawOne(painter, context, i, covered ? DrawMode::Covered : DrawMode::Normal);
            }
        }
    }
    runHook(LayoutPhase::Overlay, area);
    drawOnTop(&area);
}

QRect ViewComposer::redrawObject(int index) {
    if (index < 0 || size_t(index) >= m_document.objects.size() || m_withFixed.isNull())
        return QRect();
    m_drawn.resize(m_document.objects.size());
    const DrawContext context = drawContext();
    ObjDataTyp& o = m_document.objects[size_t(index)];
    if (isFixedObject(typOf(o))) {
        redrawObjects();
        return m_view.rect();
    }

    QRect area = m_drawn[size_t(index)];
    if (isVisible(o))
        area |= m_painter.extent(context, o);
    area &= m_page.rect();
    if (area.isEmpty())
        return QRect();
    drawArea(area);
    const QRect drawn = m_drawn[size_t(index)] & m_page.rect();
    if (!area.contains(drawn)) {
        area |= drawn;
        drawArea(area);
    }

    copyRect(m_endPage, area.topLeft(), m_page, area);
    const QRect section = sectionPixels();
    const QRect visible = area & section;
    if (visible.isEmpty())
        return QRect();
    const QPoint at = visible.topLeft() - section.topLeft();
    copyRect(m_view, at, m_page, visible);
    copyRect(m_visible, at, m_endPage, visible);
    return QRect(at, visible.size());
}

void ViewComposer::finalPageAndSection() {
    copyPicture(m_endPage, m_page);
    showSection();
}

QRect ViewComposer::sectionPixels() const {
    return quorvel::sectionPixels(m_section, m_page.size(), m_viewSize);
}

void ViewComposer::showSection() {
    if (m_page.isNull())
        return;
    const QRect section = sectionPixels();
    if (section == m_page.rect()) {
        copyPicture(m_view, m_page);
        copyPicture(m_visible, m_endPage);
        return;
    }
    ensureSize(m_view, section.size());
    ensureSize(m_visible, section.size());
    copyRect(m_view, QPoint(0, 0), m_page, section);
    copyRect(m_visible, QPoint(0, 0), m_endPage, section);
}

void ViewComposer::moveSection(double dx, double dy) {
    m_section = quorvel::moveSection(m_section, dx, dy);
    showSection();
}

QRect ViewComposer::drawObject(QImage& target, int index, DrawMode art) {
    if (index < 0 || size_t(index) >= m_document.objects.size())
        return QRect();
    DrawContext context = drawContext();
    context.pagePicture = target.size();
    context.s = std::max(1, target.width()) / kDesignWidth;
    const int current = m_state.exercise.currentTarget;
    return m_painter.draw(target, context, m_document.objects[size_t(index)], art,
                          current < 0 || current == index);
}

QPointF ViewComposer::viewToPage(QPointF viewPoint) const {
    return quorvel::viewToPage(viewPoint, m_view.size(), m_section);
}

QPointF ViewComposer::pageToView(QPointF pagePoint) const {
    return quorvel::pageToView(pagePoint, m_view.size(), m_section);
}

void ViewComposer::clearCaches() {
    m_painter.clear();
    m_background.discard();
    m_withoutObjects = QImage();
}

} // namespace quorvel
