// SPDX-License-Identifier: GPL-3.0-or-later
#include "clozelayout.h"

#include "clozelines.h"
#include "document.h"
#include "layoutset.h"
#include "pagebackground.h"
#include "rounding.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr double kDesignWidth = 870.0;
constexpr int kMaxDesignHeight = 1 << 15;
constexpr int kGapLayer = 1;
constexpr int kGapSide = codeOf(CardSide::Top); // the card stands above its point
constexpr int kDistractorSide = codeOf(CardSide::Right);
bool hasDistractors(const Document& document) {
    return hasDistractors(documentSubtypeOf(document.header));
}

// Measures the lines from `top` at character height `s`; false as soon as
// they run past `limit`.
bool linesFit(const Document& document, const ClozePage& page, const QStringList& lines, int s,
              int top, int left, int rightLimit, int limit) {
    TextMarkupParams params = clozeLineParams(document, page, s, /*measure=*/true, false);
    params.leftX = left;
    params.rightLimit = rightLimit;
    params.measureLimit = limit;
    int y = top;
    for (const QString& line : lines) {
        params.topY = y;
        y = renderLine(params, line);
        if (y > limit)
            return false;
    }
    return true;
}

} // namespace

TextMarkupParams clozeLineParams(const Document& document, const ClozePage& page, int charHeight,
                                 bool measure, bool build) {
    const HeaderDataTyp& h = document.header;
    TextMarkupParams params;
    params.canvas = measure ? nullptr : page.canvas;
    params.rightEdge = page.size.width();
    params.measureOnly = measure;
    params.colour = h.TextCol;
    params.build = build;
    params.clozeMode = kMarkupClozeView;
    params.charHeight = std::max(1, charHeight);
    params.fontFamily = h.Schriftart;
    params.pageHeight = page.size.height();
    params.minGap = h.MinLuecke;
    params.textLayerVisible = page.textLayerVisible;
    params.exerciseRunning = page.exerciseRunning;
    return params;
}

QStringList clozeSourceLines(const QString& text) {
    QStringList lines = splitMarkupLines(text);
    for (QString& line : lines) {
        qsizetype end = line.size();
        while (end > 0 && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
            --end;
        line.truncate(end);
    }
    return lines;
}

PageRect boundedIndent(const PageRect& indent) {
    const auto bounded = [](double side) {
        return std::isnan(side) ? 0.0 : std::clamp(side, 0.0, 1.0);
    };
    return {bounded(indent.left), bounded(indent.top), bounded(indent.right),
            bounded(indent.bottom)};
}

bool isOwnedByClozeText(Typ typ) {
    return typ == Typ::ClozeGap || typ == Typ::DistractorCard;
}

bool isOwnedByClozeTable(Typ typ) {
    return typ == Typ::ClozeGap || isClozeTableCell(typ);
}

bool isClozeTableCell(Typ typ) {
    return typ == Typ::TablePicture || typ == Typ::TableQueryPicture ||
           typ == Typ::TablePictureLink || typ == Typ::TableQueryText;
}

int clozeBaseFontSize(int pageWidth) {
    return rnd(pageWidth / kDesignWidth * 22.0);
}

int clozeShrinkStep(int charHeight) {
    return std::max(1, rnd(charHeight * 0.1));
}

int clozeTablePictureHeight(int fsize, QSize page) {
    return rnd((fsize * 2.0 + 22.0) * 1.115 * page.width() / kDesignWidth + page.height() * 0.028);
}

QSize clozeDesignPage(const Document& document) {
    const QSize page = pageSizeInBasePixels(document.basePicture.size(), document.header.RandErw);
    const int w = int(kDesignWidth);
    // A page far taller than wide is bounded like the largest view picture.
    const double h = kDesignWidth * page.height() / std::max(1, page.width());
    return QSize(w, std::clamp(rnd(h), 1, kMaxDesignHeight));
}

ClozeGapPlacer::ClozeGapPlacer(Document& document, QSize page, bool build)
    : m_document(document), m_page(page), m_build(build) {}

ClozeGapStep ClozeGapPlacer::gapStep() {
    return [this](const ClozeGapRequest& request) { return place(request); };
}

int ClozeGapPlacer::place(const ClozeGapRequest& request) {
    const QFontMetrics metrics(request.font);
    const int g = clozeGapWidth(metrics, request.content, request.minGap);
    // Measuring only finds out how high the text gets; the drawing pass that
    // follows places every gap.
    if (request.measureOnly)
        return g;

    auto& objects = m_document.objects;
    ObjDataTyp* gap = nullptr;
    if (m_build) {
        const int index = m_document.addGeneratedObject(
            Typ::ClozeGap, kGapLayer, firstAlternative(request.content), -1, 0.0, 0.0, kGapSide, 0);
        gap = &objects[size_t(index)];
        gap->BildKenn = u'|' + request.content + u'|';
    } else {
        while (m_next < objects.size() && typOf(objects[m_next]) != Typ::ClozeGap)
            ++m_next;
        if (m_next >= objects.size())
            return g;
        gap = &objects[m_next++];
    }

    const double w = std::max(1, m_page.width());
    const double h = std::max(1, m_page.height());
    gap->Kx = gap->Sx = (request.x + g / 2.0) / w;
    gap->Ky = gap->Sy = (request.y + metrics.height() + 4) / h;
    return g;
}

void layOutCloze(Document& document, const ClozePage& page, bool build) {
    if (dokTypOf(document.header) != DokTyp::Cloze)
        return;
    if (documentSubtypeOf(document.header) == DocumentSubtype::Table)
        layOutClozeTable(document, page, build);
    else
        layOutClozeText(document, page, build);
}

void layOutClozeText(Document& document, const ClozePage& page, bool build) {
    const HeaderDataTyp& h = document.header;
    if (build)
        std::erase_if(document.objects,
                      [](const ObjDataTyp& o) { return isOwnedByClozeText(typOf(o)); });
    if (h.lueckentext.isEmpty())
        return;

    const int w = page.size.width();
    const int hgt = page.size.height();
    const PageRect indent = boundedIndent(h.EinrueckRand);
    const int left = rnd(w * indent.left);
    const int top = rnd(hgt * indent.top);
    const int rightLimit = rnd(w * indent.right);
    const int bottomReserve = rnd(hgt * indent.bottom);
    const QStringList lines = clozeSourceLines(h.lueckentext);

    // The text shrinks until it fits above the bottom reserve, or until it is
    // too small to be worth measuring.
    const int base = clozeBaseFontSize(w);
    int s = base;
    while (s >= kClozeMinMeasuredHeight &&
           !linesFit(document, page, lines, s, top, left, rightLimit, hgt - bottomReserve))
        s -= clozeShrinkStep(s);
    document.clozeFontSize = s;

    ClozeGapPlacer placer(document, page.size, build);
    TextMarkupParams params = clozeLineParams(document, page, s, false, build);
    params.leftX = left;
    params.rightLimit = rightLimit;
    params.gapStep = placer.gapStep();
    int y = top;
    for (const QString& line : lines) {
        params.topY = y;
        y = renderLine(params, line);
    }

    if (!build || !hasDistractors(document))
        return;
    for (const QString& line : splitMarkupLines(h.fragentext)) {
        if (line.trimmed().isEmpty())
            continue;
        document.addGeneratedObject(Typ::DistractorCard, 0, line, -1, 0.0, 0.0, kDistractorSide, 0);
    }
}

void addClozeLayout(LayoutSet& layouts) {
    layouts.setGenerator(DokTyp::Cloze, [](Document& document) {
        ClozePage page;
        page.size = clozeDesignPage(document);
        layOutCloze(document, page, true);
    });
    layouts.setHook(DokTyp::Cloze, LayoutPhase::AfterPageWithoutObjects,
                    [](LayoutHookContext& context) {
                        ClozePage page;
                        page.size = context.size;
                        page.canvas = &context.painter;
                        page.textLayerVisible = context.layers[1];
                        page.layoutLayerVisible = context.layers[3];
                        page.exerciseRunning = context.exercise.running;
                        layOutCloze(context.document, page, false);
                    });
}

} // namespace quorvel
