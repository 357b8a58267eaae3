// SPDX-License-Identifier: GPL-3.0-or-later
#include "crosswordlayout.h"

#include "clozelayout.h"
#include "clozelines.h"
#include "colorconversion.h"
#include "document.h"
#include "layoutset.h"
#include "rounding.h"
#include "wrappedtext.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

constexpr int kLetterLayer = 1;
constexpr int kCentred = codeOf(CardSide::Centred);
constexpr int kMinClueSize = 3;
const QString kLineBreak = QStringLiteral("\r\n");

QFont crosswordFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

bool isLabel(const QString& cell) {
    return cell.startsWith(u'#');
}

} // namespace

CrosswordExtent crosswordExtent(const CrosswordData& crossword) {
    CrosswordExtent e{kCrosswordSide, -1, kCrosswordSide, -1};
    for (int x = 0; x < kCrosswordSide; ++x) {
        for (int y = 0; y < kCrosswordSide; ++y) {
            if (crossword.cell(x, y).isEmpty())
                continue;
            e.x0 = std::min(e.x0, x);
            e.x1 = std::max(e.x1, x);
            e.y0 = std::min(e.y0, y);
            e.y1 = std::max(e.y1, y);
        }
    }
    if (e.x1 < 0)
        return {};
    return e;
}

int crosswordLetterSize(const CrosswordExtent& extent) {
    const int e = std::max(std::max(extent.x1 - extent.x0, 1), std::max(extent.y1 - extent.y0, 1));
    return rnd(30.0 / e * 2.0 - 5.0);
}

QString crosswordClueList(const CrosswordData& crossword, bool across) {
    const auto& clues = across ? crossword.across : crossword.down;
    const QChar letter = across ? u'W' : u'S';
    QString list;
    for (int n = 1; n <= kCrosswordSide; ++n) {
        const QString& clue = clues[size_t(n - 1)];
        if (clue.isEmpty())
            continue;
        list += letter + QString::number(n) + QStringLiteral(": ") + clue + kLineBreak + kLineBreak;
    }
    if (list.isEmpty())
        return {};
    return u' ' + kLineBreak + kLineBreak + list;
}

QString crosswordClueText(const CrosswordData& crossword) {
    const QString across = crosswordClueList(crossword, true);
    const QString down = crosswordClueList(crossword, false);
    if (across.isEmpty())
        return down;
    return down.isEmpty() ? across : across + kLineBreak + down;
}

void layOutCrossword(Document& document, QSize page, QPainter* canvas, bool build) {
    HeaderDataTyp& h = document.header;
    if (dokTypOf(h) != DokTyp::Crossword)
        return;
    if (build)
        std::erase_if(document.objects,
                      [](const ObjDataTyp& o) { return typOf(o) == Typ::CrosswordCell; });

    const CrosswordData& k = h.crossword;
    const PageRect m = boundedIndent(h.EinrueckRand);
    const double w = std::max(1, page.width());
    const double hgt = std::max(1, page.height());
    const double gr = (1.0 - m.right - m.left) * 0.28 + m.right;
    const double cr = (1.0 - m.right - m.left) * 0.25 + m.right;
    const CrosswordExtent e = crosswordExtent(k);
    const double d =
        std::max(0.0, std::min((1.0 - gr - m.left) / (e.x1 - e.x0 + 1) * (w - 2),
                               (1.0 - m.bottom - m.top) / (e.y1 - e.y0 + 1) * (hgt - 2)));
    const int baseSize = clozeBaseFontSize(int(w));

    if (canvas) {
        canvas->save();
        const QFont font = crosswordFont(baseSize);
        canvas->setFont(font);
        // "The height of X" is the text's height, as the cloze gap step reads
        // it: the label's line is centred on the cell, not its capitals' top.
        const int xHeight = QFontMetrics(font).height();
        const QColor fill = colourFromValue(k.KGFeldHtgdCol);
        const QColor border = colourFromValue(k.KGFeldRandCol);
        const QColor label = colourFromValue(k.KGWortAnkerCol);
        for (int y = e.y0; y <= e.y1; ++y) {
            for (int x = e.x0; x <= e.x1; ++x) {
                const QString& s = k.cell(x, y);
                if (s.isEmpty())
                    continue;
                if (isLabel(s)) {
                    const int cx = rnd(((x - e.x0 + 0.5) * d / w + m.left) * w);
                    const int top = rnd(((y - e.y0 + 0.5) * d / hgt + m.top) * hgt - xHeight / 2.0);
                    canvas->setPen(label);
                    canvas->drawText(QRect(cx - int(d), top, 2 * int(d) + 1, xHeight * 2),
                                     Qt::AlignHCenter | Qt::AlignTop, s.mid(1));
                    continue;
                }
                const int left = rnd((x - e.x0) * d + m.left * w);
                const int top = rnd((y - e.y0) * d + m.top * hgt);
                const int right = rnd((x - e.x0 + 1) * d + m.left * w) + 2;
                const int bottom = rnd((y - e.y0 + 1) * d + m.top * hgt) + 2;
                // Right and bottom are exclusive; both outlines lie inside.
                const QRect cell(QPoint(left, top), QPoint(right - 1, bottom - 1));
                canvas->fillRect(cell, fill);
                canvas->setPen(border);
                canvas->setBrush(Qt::NoBrush);
                canvas->drawRect(cell.adjusted(0, 0, -1, -1));
                canvas->drawRect(cell.adjusted(1, 1, -2, -2));
            }
        }

        // Qt breaks lines at LF; each stored CR LF pair is one break.
        const auto lines = [](QString text) { return text.remove(u'\r'); };
        const QString clues = lines(crosswordClueText(k));
        if (!clues.isEmpty()) {
            const QRect box(QPoint(rnd((1.0 - cr) * w), rnd(hgt * m.top)),
                            QPoint(rnd((1.0 - m.right) * w) - 1, rnd((1.0 - m.bottom) * hgt) - 1));
            int size = baseSize;
            // A text longer than the box can hold at a size is not laid out
            // at that size: clues of a hundred thousand characters cost no
            // more than a full box.
            while (size > kMinClueSize && !fitsWrapped(crosswordFont(size), box.size(), clues))
                size = std::max(kMinClueSize, size - std::max(1, rnd(size * 0.1)));
            const QFont clueFont = crosswordFont(size);
            canvas->setFont(clueFont);
            // The text may run past the box's bottom when it still does not
            // fit, down to the page's end; what lies below is not set.
            const QSize below(box.width(), std::max(0, int(hgt) - box.top()));
            const QRect open(box.topLeft(), QSize(box.width(), 1 << 20));
            const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
            canvas->setPen(colourFromValue(k.KGBeschreibungCol));
            canvas->drawText(open, flags, visibleWrapped(clueFont, below, clues));
            canvas->setPen(colourFromValue(k.KGBeschreibungTitelCol));
            const QString across = lines(crosswordClueList(k, true));
            int downTop = box.top();
            bool downShows = true;
            if (!across.isEmpty()) {
                canvas->drawText(open, flags, QStringLiteral("Waagerecht"));
                // Across clues that run off the page put "Senkrecht" below it.
                downShows = visibleWrapped(clueFont, below, across).size() == across.size();
                if (downShows)
                    downTop += wrappedHeight(clueFont, box.width(), across);
            }
            if (downShows && !crosswordClueList(k, false).isEmpty())
                canvas->drawText(QRect(box.left(), downTop, box.width(), 1 << 20), flags,
                                 QStringLiteral("Senkrecht"));
        }
        canvas->restore();
    }

    if (!build)
        return;
    h.TextCol = k.KGFeldschriftCol;
    const int letterSize = crosswordLetterSize(e);
    for (int y = e.y0; y <= e.y1; ++y) {
        for (int x = e.x0; x <= e.x1; ++x) {
            const QString& s = k.cell(x, y);
            if (s.isEmpty() || isLabel(s))
                continue;
            const int index = document.addGeneratedObject(
                Typ::CrosswordCell, kLetterLayer, s, 0, (x - e.x0 + 0.5) * d / w + m.left,
                (y - e.y0 + 0.5) * d / hgt + m.top, kCentred, letterSize);
            document.objects[size_t(index)].Farbe = k.KGFeldschriftCol;
        }
    }
}

void addCrosswordLayout(LayoutSet& layouts) {
    layouts.setGenerator(DokTyp::Crossword, [](Document& document) {
        layOutCrossword(document, clozeDesignPage(document), nullptr, true);
    });
    layouts.setHook(DokTyp::Crossword, LayoutPhase::AfterPageWithoutObjects,
                    [](LayoutHookContext& context) {
                        layOutCrossword(context.document, context.size, &context.painter, false);
                    });
}

} // namespace quorvel
