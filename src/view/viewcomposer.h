// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawcontext.h"
#include "objectdrawer.h"
#include "pagebackground.h"
#include "viewlayouts.h"

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
inline constexpr int kLayerCount = 4;

// The main window's values that the composition reads.
struct ViewState {
    int zoomLevel = 0; // 0..4
    std::array<bool, kLayerCount> layers{true, true, true, true};
    int currentQuestion = 0; // single-question documents show only this question
    ExercisePresentation exercise;
};

// Whether the start panel gives way: a document path, a modified document, a
// title, a cloze or question text, a subtype or any object.
bool hidesStartPanel(const Document& document);

// The message when the view's pictures do not fit into memory.
QString msgViewOutOfMemory();

// Composes the open document into the working pictures of the learning view
// and keeps them: the page (what the view shows a section of), the page without
// objects, the page with the fixed objects, the final page, the view picture,
// the visible section and the drawing overlay. The composer refers to the
// document and to the layouts of the document types, which must outlive it;
// all pictures are QImage::Format_ARGB32_Premultiplied.
class ViewComposer {
public:
    ViewComposer(Document& document, const ViewLayouts& layouts);

    ViewState& state() { return m_state; }
    const ViewState& state() const { return m_state; }

    // The size of the view area the page is fitted into, in pixels.
    void setViewArea(QSize area) { m_area = area; }
    QSize viewArea() const { return m_area; }

    // Builds every working picture anew (after loading, resizing, zooming,
    // layer, numbering or document changes). The visible section keeps its
    // centre. Clears the drawing overlay.
    void rebuild();

    // Whether the last rebuild() or redrawObjects() lacked the memory for a
    // working picture (a huge view area at a high zoom): then every picture
    // is empty, nothing is shown, and msgViewOutOfMemory() tells the user.
    bool outOfMemory() const { return m_outOfMemory; }

    // Draws the objects anew on the page without objects (after covering,
    // uncovering or numbering changes) and shows the section.
    void redrawObjects();

    // Redraws only what object `index` touches, after its state (covered,
    // number, exercise state) or its card changed, and copies only that
    // rectangle onward. Its target line must not have moved. A fixed object
    // lives in the page with fixed objects too, so changing one redraws all
    // objects. Returns the changed rectangle in view picture pixels (empty
    // when it lies outside the section or the index is invalid).
    QRect redrawObject(int index);

    // Copies the visible section of the page into the view picture and of the
    // final page into the visible section.
    void showSection();

    // Moves the visible section by page fractions, kept inside the page, and
    // shows it.
    void moveSection(double dx, double dy);

    // Draws object `index` onto `target` (a picture of the page picture's size),
    // as the exercise and the worksheet need it.
    QRect drawObject(QImage& target, int index, DrawMode art = DrawMode::Normal);

    // Whether object `object` is drawn now: in an exercise every layer, else
    // only the switched-on layers; with single questions only the objects of
    // the current question (and those of none). Cards of the exercise only
    // (distractor words) never.
    bool isVisible(const ObjDataTyp& object) const;

    // The working pictures.
    const QImage& page() const { return m_page; }
    const QImage& pageWithoutObjects() const { return m_withoutObjects; }
    const QImage& pageWithFixedObjects() const { return m_withFixed; }
    const QImage& finalPage() const { return m_endPage; }
    const QImage& view() const { return m_view; }
    const QImage& visibleSection() const { return m_visible; }
    const QImage& drawingOverlay() const { return m_overlay; }
    // For the drawing tools, which draw on the view and its overlay.
    QImage& viewForDrawing() { return m_view; }
    QImage& overlayForDrawing() { return m_overlay; }

    // The visible section in page fractions (x/y = left/top); (0, 0, 1, 1) when
    // the whole page fits.
    QRectF visibleArea() const { return m_section; }
    // Where the section lies in the page picture, in its pixels.
    QRect sectionPixels() const;
    double pageAspect() const { return m_pageAspect; }
    double scale() const; // S = page picture width / 870
    bool startPanelHidden() const { return m_hideStartPanel; }

    // A view pixel to a page point (fractions, clamped) and back.
    QPointF viewToPage(QPointF viewPoint) const;
    QPointF pageToView(QPointF pagePoint) const;

    DrawContext drawContext() const;
    ObjectDrawer& drawer() { return m_painter; }
    PageBackground& background() { return m_background; }

    // Forgets kept texts, pictures and the cached background (document closed).
    void clearCaches();

    // Whether drawing that later drawing wholly replaces is left out (the
    // default). The pixels are the same either way; off, every pass draws
    // every object, which the tests compare against.
    void setSkipHidden(bool skip) { m_skipHidden = skip; }

private:
    std::vector<int> zOrder() const;
    void buildObjects();
    void drawArea(const QRect& area);
    void drawOnTop(const QRect* area);
    std::vector<bool> hiddenOnTop(const DrawContext& context);
    QRect drawOne(QPainter& painter, const DrawContext& context, int index, DrawMode art);
    bool touches(int index, const QRect& area) const;
    void runHook(LayoutPhase phase, const QRect& clip);
    void finalPageAndSection();

    Document& m_document;
    const ViewLayouts& m_layouts;
    ViewState m_state;
    QSize m_area{1024, 768};
    QRectF m_section{0.0, 0.0, 1.0, 1.0};
    double m_pageAspect = 1.0;
    bool m_hideStartPanel = false;

    ObjectDrawer m_painter;
    PageBackground m_background;

    QImage m_page;
    QImage m_withoutObjects;
    QImage m_withFixed;
    QImage m_endPage;
    QImage m_view;
    QImage m_visible;
    QImage m_overlay;
    bool m_outOfMemory = false;
    bool m_skipHidden = true;

    // Empties every picture when one of them could not be allocated.
    void checkPictures();
    QSize m_viewSize;
    // The pixels each object covered when last drawn, in page picture pixels.
    std::vector<QRect> m_drawn;
};

} // namespace quorvel
