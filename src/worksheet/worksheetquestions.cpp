// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "rounding.h"
#include "textmarkup.h"
#include "worksheetbodyparts.h"
#include "worksheetcloze.h"
#include "worksheetmetrics.h"

#include <QPainter>

namespace quorvel {

namespace {

constexpr int kQuestionHeight = 25;

struct Question {
    QString text;
    QString answer;
};

// The questions of the question text: every line that is not blank, with
// the answer after "//" (or "---" when there is none).
std::vector<Question> questionsOf(const QString& text) {
    std::vector<Question> questions;
    for (const QString& line : splitMarkupLines(text)) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype split = line.indexOf(QStringLiteral("//"));
        if (split < 0)
            questions.push_back({line.trimmed(), QStringLiteral("---")});
        else
            questions.push_back({line.left(split).trimmed(), line.mid(split + 2).trimmed()});
    }
    return questions;
}

// One question's block from `top`: the number and the question (sheets with
// parts), below it the answer in red (sheets with solutions), and a line
// across the page at its end (sheets with parts). With `draw` false it is
// only measured, and measuring stops past `limit`.
int questionBlock(WorksheetBodyContext& context, const Question& q, int number, int top, bool draw,
                  int limit) {
    const WorksheetKind kind = context.settings.kind;
    const int x = rnd(context.width * 0.02);
    const int right = x + rnd(context.width * 0.97);
    TextMarkupParams params = worksheetTextParams(context, kQuestionHeight, kMarkupPlain, x, right,
                                                  top, !draw || !hasParts(kind));
    params.measureLimit = limit;
    const int questionEnd =
        renderText(params, QString::number(number) + QStringLiteral(". ") + q.text);
    params.topY = questionEnd;
    params.measureOnly = !draw || !hasSolutions(kind);
    params.colour = kSolutionColour;
    const int end = renderText(params, q.answer);
    if (draw && hasParts(kind)) {
        context.painter.save();
        context.painter.setPen(QPen(Qt::black, 1));
        context.painter.drawLine(0, end, context.width, end);
        context.painter.restore();
    }
    return end;
}

} // namespace

int drawSingleQuestionsBody(WorksheetBodyContext& context, int top) {
    const std::vector<Question> questions = questionsOf(context.document.header.fragentext);
    const int lh = xHeight(context.document.header.Schriftart, 25);
    const int limit = context.height - rnd(1.5 * lh);
    int y = top;
    bool any = false;
    const size_t first = size_t(std::max(1, context.settings.firstQuestion) - 1);
    for (size_t i = first; i < questions.size(); ++i) {
        const int number = int(i + 1);
        // A question that does not fit is left out with all later ones: the
        // next sheet starts with it.
        if (questionBlock(context, questions[i], number, y, false, limit) >= limit)
            break;
        y = questionBlock(context, questions[i], number, y, true, limit);
        any = true;
    }
    if (any && hasParts(context.settings.kind))
        drawBodyFrame(context.painter, QRect(0, top, context.width, y + 1 - top));
    return y;
}

} // namespace quorvel
