// SPDX-License-Identifier: GPL-3.0-or-later
#include "answerbox.h"
#include "document.h"
#include "multiplechoicelayout.h"
#include "rounding.h"
#include "textmarkup.h"
#include "worksheetbodyparts.h"
#include "worksheetcloze.h"
#include "worksheetmetrics.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

constexpr int kTextHeight = 25;

bool isQuestion(const ObjDataTyp& o) {
    return typOf(o) == Typ::MCQuestion || typOf(o) == Typ::MCPictureQuestion;
}

// A picture `height` high, in proportion wide, at most `maxWidth` wide (then
// that wide and its height reduced in proportion).
QSize fitted(const QImage& picture, int height, int maxWidth) {
    if (picture.isNull())
        return QSize(0, height);
    const double ratio = double(picture.width()) / picture.height();
    const int width = rnd(height * ratio);
    if (width <= maxWidth)
        return QSize(width, height);
    return QSize(maxWidth, rnd(maxWidth / ratio));
}

class QuestionBlock {
public:
    QuestionBlock(WorksheetBodyContext& context, int lh, int limit)
        : m_context(context), m_kind(context.settings.kind), m_lh(lh), m_limit(limit) {}

    // Lays out (with `draw` also draws) question `o` numbered `number` from
    // `top`; returns where the block ends.
    int run(const ObjDataTyp& o, int number, int top, bool draw) {
        m_draw = draw;
        const double w = m_context.width;
        const MCQuestionData data = readMCQuestion(o.Cap);
        const int x0 = rnd(w * 0.02);
        const int questionEnd =
            text(x0, top, QString::number(number) + QStringLiteral(". ") + data.question.trimmed(),
                 hasParts(m_kind));
        const int ya = questionEnd + rnd(0.35 * m_lh);
        int xa = rnd(w * 0.05);
        int e0 = ya;
        const bool withPicture = typOf(o) == Typ::MCPictureQuestion;
        if (withPicture) {
            const QSize size = fitted(o.Bild, 8 * m_lh, rnd(w * 0.45));
            picture(o.Bild, QRect(QPoint(x0, ya), size));
            xa = rnd(w * 0.5);
            e0 = ya + rnd(size.height() + 0.5 * m_lh) + rnd(0.25 * m_lh);
        }

        const bool pictureAnswers = o.Untertyp == 1;
        const int lines = int(data.answerLines.size());
        const int secondColumn = (lines + 1) / 2;
        bool inSecondColumn = false;
        int y = ya - rnd(0.5 * m_lh);
        for (int k = 0; k < lines; ++k) {
            const QString& line = data.answerLines[k];
            if (line.trimmed().isEmpty())
                continue;
            // A blank line at the first column's end must not keep the rest
            // in the first column.
            if (pictureAnswers && !withPicture && !inSecondColumn && k >= secondColumn) {
                inSecondColumn = true;
                xa = rnd(w * 0.5);
                e0 = y + rnd(0.9 * m_lh);
                y = ya - rnd(0.5 * m_lh);
            }
            if (pictureAnswers)
                y += rnd(1.5 * m_lh);
            const MCAnswer answer = splitMCAnswer(line);
            box(QRect(QPoint(xa - 2, rnd(y + 0.5 * m_lh)),
                      QPoint(xa + m_lh - 2, rnd(y + 1.5 * m_lh))),
                answer.mark == u'+');
            const int x = rnd(xa + w * 0.05);
            if (!pictureAnswers) {
                y = text(x, y, answer.text, hasParts(m_kind)) - rnd(0.4 * m_lh);
                continue;
            }
            const int slot = 4 * m_lh;
            const QImage& shown = k < kMaxAnswerPictures ? o.BildAntw[size_t(k)] : QImage();
            const QSize size = fitted(shown, slot, rnd(w * 0.35));
            y -= rnd(m_lh);
            picture(shown, QRect(QPoint(x, y + (slot - size.height()) / 2), size));
            y += slot;
        }
        const int end = std::max(e0, y + rnd(0.9 * m_lh));
        if (m_draw && hasParts(m_kind)) {
            m_context.painter.save();
            m_context.painter.setPen(QPen(Qt::black, 1));
            m_context.painter.drawLine(0, end, m_context.width, end);
            m_context.painter.restore();
        }
        return end;
    }

private:
    int text(int x, int top, const QString& line, bool shown) {
        // Every text wraps at the question's right edge.
        const int right = rnd(m_context.width * 0.02) + rnd(m_context.width * 0.97);
        TextMarkupParams params = worksheetTextParams(m_context, kTextHeight, kMarkupPlain, x,
                                                      right, top, !m_draw || !shown);
        params.measureLimit = m_limit;
        return renderText(params, line);
    }

    void picture(const QImage& image, const QRect& place) {
        if (!m_draw || !hasParts(m_kind) || image.isNull() || place.isEmpty())
            return;
        m_context.painter.save();
        m_context.painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_context.painter.drawImage(place, image);
        m_context.painter.restore();
    }

    void box(const QRect& place, bool ticked) {
        if (!m_draw)
            return;
        QPainter& painter = m_context.painter;
        if (hasSolutions(m_kind)) {
            const AnswerBoxPictures& boxes = answerBoxPictures();
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(place, ticked ? boxes.MCImg1 : boxes.MCImg0);
            painter.restore();
        }
        if (hasParts(m_kind)) {
            painter.save();
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(place);
            painter.restore();
        }
    }

    WorksheetBodyContext& m_context;
    WorksheetKind m_kind;
    int m_lh;
    int m_limit;
    bool m_draw = false;
};

} // namespace

int drawMultipleChoiceBody(WorksheetBodyContext& context, int top) {
    const Document& document = context.document;
    const int lh = xHeight(document.header.Schriftart, 25);
    const int limit = context.height - rnd(1.5 * lh);
    QuestionBlock block(context, lh, limit);
    int y = top;
    int number = 0;
    bool any = false;
    for (const ObjDataTyp& o : document.objects) {
        if (!isQuestion(o))
            continue;
        ++number;
        if (number < context.settings.firstQuestion)
            continue;
        // A question that does not fit is left out with all later ones.
        if (block.run(o, number, y, false) >= limit)
            break;
        y = block.run(o, number, y, true);
        any = true;
    }
    if (any && hasParts(context.settings.kind))
        drawBodyFrame(context.painter, QRect(0, top, context.width, y + 1 - top));
    return y;
}

} // namespace quorvel
