// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetanswerlist.h"

#include "answertext.h"
#include "casefreeorder.h"
#include "document.h"
#include "randomgenerator.h"
#include "rounding.h"
#include "textmarkup.h"
#include "worksheetcanvas.h"

#include <QPainter>
#include <algorithm>
#include <numeric>

namespace quorvel {

namespace {

bool isCollected(const Document& document, const WorksheetSettings& settings,
                 const ObjDataTyp& object) {
    const int typ = object.Typ;
    const HeaderDataTyp& header = document.header;
    switch (dokTypOf(header)) {
    case DokTyp::PictureLabelling:
        return typ == 0 || typ == 6;
    case DokTyp::Cloze:
        return typ == 3 || typ == 32 || typ == 34 ||
               (settings.otherObjects && (typ == 0 || typ == 6)) ||
               (typ == 90 && documentSubtypeOf(header) == DocumentSubtype::ClozeWithDistractors);
    case DokTyp::SingleQuestions:
        return typ == 10 && object.FrageNummer >= settings.firstQuestion;
    case DokTyp::Cluster:
        return typ == 41 || typ == 43 || typ == 0 || typ == 6;
    case DokTyp::CrossMatching:
        return object.Aktiv && (typ == 51 || typ == 53);
    case DokTyp::Crossword:
        return typ == 0 || typ == 6 || typ == 60;
    default:
        return false;
    }
}

bool isPictureAnswer(int typ) {
    return typ == 6 || typ == 32 || typ == 43 || typ == 53;
}

// The running state of the list while it is drawn.
struct ListDrawing {
    const WorksheetCanvas& canvas;
    QFont font;
    int lh = 0;      // line height: h(25) on the cut-out sheet, h(22) otherwise
    int dash = 0;    // the width of " - "
    int columns = 1; // copies of every card on the cut-out sheet
    int a = 0;

    bool cutOut() const { return canvas.kind() == WorksheetKind::CutOut; }
    // Past the page's end nothing more can be seen: the list stops there, on
    // every sheet alike, so that a document with thousands of answers costs
    // no more than a page of them.
    bool full() const { return a >= canvas.height; }

    // Wraps `text` with the line renderer across 97 % of the page from `top`
    // and returns the y below it; draws only where the sheet shows the list.
    int wrap(const QString& text, int top, int charHeight, bool draw) const {
        TextMarkupParams params;
        params.canvas = &canvas.painter;
        params.rightEdge = rnd(canvas.width * 0.97);
        params.clozeMode = draw ? kMarkupPlain : -1;
        params.measureOnly = !draw;
        params.charHeight = charHeight;
        params.fontFamily = canvas.document.header.Schriftart;
        params.topY = top;
        return renderLine(params, text.left(kMaxShownTextLength));
    }

    void drawPictures(const std::vector<QImage>& pictures, bool textsFollow) {
        int x = 0;
        for (size_t i = 0; i < pictures.size() && !full(); ++i) {
            const QImage& picture = pictures[i];
            const int ph = 2 * lh;
            const int pw = rnd(2.0 * lh * picture.width() / picture.height());
            // A row holds at least one picture, so an over-wide one starts no empty row.
            if (x > 0 && x + pw + dash > canvas.width) {
                x = 0;
                a += rnd(2.5 * lh);
            }
            if (canvas.parts()) {
                canvas.picture(QRect(x, a, pw, ph), picture);
            } else if (cutOut()) {
                const int half = rnd(dash / 2.0);
                for (int k = 1; k <= columns; ++k) {
                    const int px = x + rnd(double(canvas.width - x) / columns * (k - 1)) + half;
                    canvas.picture(QRect(px, a, pw, ph), picture);
                    canvas.frame(px - half, a - rnd(0.25 * lh), px + pw + half,
                                 a + ph + rnd(0.25 * lh));
                }
            }
            x += pw;
            const bool last = i + 1 == pictures.size();
            if (canvas.parts() && (!last || textsFollow))
                canvas.text(x, a + rnd(0.5 * lh), QStringLiteral(" - "), font);
            x += dash;
            if (cutOut()) {
                x = 0;
                a += rnd(2.5 * lh) + 6;
            }
        }
        if (x > 0)
            a += rnd(2.5 * lh);
        if (!pictures.empty() && !textsFollow)
            a += rnd(lh);
    }

    void writeRow(const QString& row) {
        if (row.isEmpty() || full())
            return;
        if (canvas.textWidth(row, font) > canvas.width) {
            a = wrap(row, a - rnd(0.4 * lh), 22, canvas.parts());
            return;
        }
        if (canvas.parts())
            canvas.text(0, a, row, font);
        a += rnd(1.25 * lh);
    }

    void drawTextRows(const std::vector<QString>& texts) {
        QString row;
        for (size_t i = 0; i < texts.size() && !full(); ++i) {
            // Every sheet appends the separator, so that the overlay breaks its
            // rows where the worksheet does and keeps the same space.
            QString text = texts[i];
            if (i + 1 < texts.size())
                text += QStringLiteral(" - ");
            if (row.isEmpty()) {
                row = text;
            } else if (canvas.textWidth(row + text, font) <= canvas.width) {
                row += text;
            } else {
                writeRow(row);
                row = text;
            }
        }
        writeRow(row);
    }

    void drawTextCards(const std::vector<QString>& texts) {
        for (const QString& text : texts) {
            if (full())
                return;
            const QString card = u' ' + text + u' ';
            const int width = canvas.textWidth(card, font);
            if (width > canvas.width) {
                for (int k = 1; k <= columns && !full(); ++k) {
                    const int end = wrap(card, a, 25, true);
                    canvas.frame(0, a - rnd(0.125 * lh), canvas.width, end);
                    a = end + rnd(0.125 * lh) + 6;
                }
                continue;
            }
            for (int k = 1; k <= columns; ++k) {
                const int x = rnd(double(canvas.width) / columns * (k - 1));
                canvas.text(x, a, card, font);
                canvas.frame(x, a - rnd(0.125 * lh), x + width, a + rnd(1.125 * lh));
            }
            a += rnd(1.25 * lh) + 6;
        }
    }
};

} // namespace

bool showsAnswerList(const Document& document, const WorksheetSettings& settings) {
    const DokTyp type = dokTypOf(document.header);
    const bool cutOut = settings.kind == WorksheetKind::CutOut;
    if (type == DokTyp::MultipleChoice)
        return false;
    if (type == DokTyp::CrossMatching)
        return cutOut;
    return cutOut || settings.answerTexts;
}

AnswerList collectAnswers(const Document& document, const WorksheetSettings& settings) {
    AnswerList list;
    for (const ObjDataTyp& object : document.objects) {
        if (!isCollected(document, settings, object))
            continue;
        if (isPictureAnswer(object.Typ)) {
            // A picture that is missing has no size to list it by.
            if (!object.Bild.isNull() && object.Bild.width() > 0 && object.Bild.height() > 0)
                list.pictures.push_back(object.Bild);
        } else {
            list.texts.push_back(normalisedText(object.Cap));
        }
    }

    const CaseFreeOrder order(list.texts);
    std::vector<size_t> index(list.texts.size());
    std::iota(index.begin(), index.end(), size_t(0));
    std::stable_sort(index.begin(), index.end(),
                     [&order](size_t x, size_t y) { return order.compare(x, y) < 0; });
    std::vector<QString> sorted;
    sorted.reserve(index.size());
    for (size_t i : index)
        sorted.push_back(list.texts[i]);
    list.texts = std::move(sorted);

    RandomGenerator random(0);
    const int n = int(list.pictures.size());
    for (int i = 0; i < n; ++i)
        std::swap(list.pictures[size_t(i)], list.pictures[size_t(random.bounded(n))]);
    return list;
}

int drawAnswerList(const WorksheetCanvas& canvas, int top) {
    if (!showsAnswerList(canvas.document, canvas.settings))
        return top;
    const AnswerList answers = collectAnswers(canvas.document, canvas.settings);
    const bool cutOut = canvas.kind() == WorksheetKind::CutOut;
    const int charHeight = cutOut ? 25 : 22;
    ListDrawing list{canvas, canvas.font(charHeight), canvas.h(charHeight)};
    list.dash = canvas.textWidth(QStringLiteral(" - "), list.font);
    list.columns = cutOut ? std::clamp(canvas.settings.columns, 1, 20) : 1;
    list.a = top;
    list.drawPictures(answers.pictures, !answers.texts.empty());
    if (cutOut)
        list.drawTextCards(answers.texts);
    else
        list.drawTextRows(answers.texts);
    return list.a + rnd(list.lh);
}

} // namespace quorvel
