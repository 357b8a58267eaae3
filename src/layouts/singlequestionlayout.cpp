// SPDX-License-Identifier: GPL-3.0-or-later
#include "singlequestionlayout.h"

#include "document.h"
#include "questionlayouts.h"
#include "textmarkup.h"

namespace quorvel {

namespace {

constexpr int kTextLayer = 1;
constexpr int kSideRight = codeOf(CardSide::Right);

bool isOwned(int typ) {
    return typ >= codeOf(Typ::QuestionAnswer) && typ <= codeOf(Typ::QuestionHeading);
}

} // namespace

SingleQuestion splitSingleQuestion(const QString& line) {
    const qsizetype split = line.indexOf(QStringLiteral("//"));
    if (split < 0)
        return {line.trimmed(), QStringLiteral("---")};
    return {line.left(split).trimmed(), line.mid(split + 2).trimmed()};
}

void layOutSingleQuestions(Document& document, bool build, int& currentQuestion,
                           bool exerciseRunning) {
    if (dokTypOf(document.header) != DokTyp::SingleQuestions)
        return;
    if (!build) {
        currentQuestion = correctedQuestion(currentQuestion, document.header.AnzFrageNummern);
        return;
    }
    std::erase_if(document.objects, [](const ObjDataTyp& o) { return isOwned(o.Typ); });
    const QString& text = document.header.fragentext;
    if (text.isEmpty())
        return;

    const PageRect m = questionMargins(document);
    addNavigationButtons(document, m);

    QStringList lines;
    for (const QString& line : splitMarkupLines(text)) {
        if (lines.size() >= kMaxLaidOutQuestions)
            break;
        if (!line.trimmed().isEmpty())
            lines.append(line);
    }
    const int n = int(lines.size());
    const double u = (1.0 - m.top - m.bottom) / 0.64;
    for (int k = 1; k <= n; ++k) {
        const SingleQuestion q = splitSingleQuestion(lines[k - 1]);
        document.addGeneratedObject(Typ::QuestionHeading, kTextLayer, questionHeading(k, n), k,
                                    m.left, m.top + 0.01, kSideRight, -5);
        document.addGeneratedObject(Typ::QuestionText, kTextLayer, q.question, k, m.left,
                                    m.top + u * 0.22, kSideRight, 5);
        document.addGeneratedObject(Typ::QuestionHeading, kTextLayer, QStringLiteral("Antwort:"), k,
                                    m.left, m.top + u * 0.435, kSideRight, 0);
        document.addGeneratedObject(Typ::QuestionAnswer, kTextLayer, q.answer, k, m.left + 0.125,
                                    m.top + u * 0.435, kSideRight, 0);
    }
    boundSingleQuestionTexts(document);
    document.header.AnzFrageNummern = n;
    if (!exerciseRunning) {
        for (ObjDataTyp& o : document.objects) {
            if (typOf(o) == Typ::QuestionAnswer)
                o.Marker1 = -1;
        }
    }
    currentQuestion = correctedQuestion(currentQuestion, n);
}

} // namespace quorvel
