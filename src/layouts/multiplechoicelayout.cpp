// SPDX-License-Identifier: GPL-3.0-or-later
#include "multiplechoicelayout.h"

#include "answerbox.h"
#include "commatext.h"
#include "document.h"
#include "questionlayouts.h"
#include "rounding.h"
#include "textmarkup.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr int kTextLayer = 1;
constexpr int kSideRight = codeOf(CardSide::Right);
constexpr int kMaxAnswers = 12;

bool isOwned(int typ) {
    return (typ >= codeOf(Typ::PreviousQuestion) && typ <= codeOf(Typ::QuestionHeading)) ||
           (typ >= codeOf(Typ::MCQuestionText) && typ <= codeOf(Typ::MCLinkPoint));
}

bool isMCQuestion(const ObjDataTyp& o) {
    return typOf(o) == Typ::MCQuestion || typOf(o) == Typ::MCPictureQuestion;
}

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return text.left(end);
}

// Appends the info or link point of a question with its colours from
// `MCInfoLinkData` (k = 0 info, 1 link).
void addPoint(Document& document, Typ typ, const QString& cap, const QString& title, int k,
              int question, double x, double y, const MCInfoLinkArray& colours) {
    const int index =
        document.addGeneratedObject(typ, kTextLayer, cap, question, x, y, kSideRight, 0);
    ObjDataTyp& point = document.objects[size_t(index)];
    point.PktCap = title;
    point.Farbe = ColourValue(colours[size_t(k)]);
    point.HFarbe = ColourValue(colours[size_t(2 + k)]);
    point.HDeck = colours[size_t(4 + k)];
}

// Lays out question `k` of `n` from the question object `source` (a copy:
// appending objects moves the list).
void layOutQuestion(Document& document, const ObjDataTyp& source, int k, int n, const PageRect& m,
                    double aspect) {
    const MCQuestionData data = readMCQuestion(source.Cap);
    const double width = 1.0 - m.left - m.right;
    const double height = 1.0 - m.top - m.bottom;

    document.addGeneratedObject(Typ::QuestionHeading, kTextLayer, questionHeading(k, n), k, m.left,
                                m.top + 0.01, kSideRight, -5);
    const int text = document.addGeneratedObject(Typ::MCQuestionText, kTextLayer, data.question, k,
                                                 m.left, m.top + 0.08, kSideRight,
                                                 mcQuestionFontSize(data.question.size()));
    // A long question stays between the margins instead of running off the page.
    document.objects[size_t(text)].WidthLimit = width;

    double xo = 0.0;
    if (!data.infoText.trimmed().isEmpty()) {
        addPoint(document, Typ::MCInfoPoint, data.infoText, data.infoTitle, 0, k, m.left + xo,
                 m.top + 0.16, source.MCInfoLinkData);
        xo = std::max(data.infoTitle.size() * 0.01, 0.06);
    }
    if (!data.linkedFile.trimmed().isEmpty())
        addPoint(document, Typ::MCLinkPoint, data.linkedFile, data.linkTitle, 1, k, m.left + xo,
                 m.top + 0.16, source.MCInfoLinkData);

    const double cy = m.top + height * 0.47 / 0.915;
    const bool pictureAnswers = source.Untertyp == 1;
    const bool withPicture = typOf(source) == Typ::MCPictureQuestion;
    const double secondColumn = width * 0.45 / 0.9 + m.left;
    double ax = m.left + (pictureAnswers ? 0.05 : 0.12);
    if (withPicture) {
        const QImage& picture = source.Bild;
        const double a =
            picture.isNull() ? 1.05 : std::max(double(picture.width()) / picture.height(), 1.05);
        const int fsize = rnd(rnd(width * 120.0 / 0.95) / (a / 1.05));
        const int index = document.addGeneratedObject(Typ::MCQuestionPicture, kTextLayer, QString(),
                                                      k, m.left, cy, kSideRight, fsize);
        document.objects[size_t(index)].Bild = picture;
        document.objects[size_t(index)].WidthLimit = width * 0.4 / 0.9;
        ax = secondColumn;
    }

    QStringList lines = data.answerLines.mid(0, kMaxAnswers);
    if (lines.isEmpty())
        lines.append(QStringLiteral("+ Antwort"));
    const int count = int(lines.size());
    const bool twoColumns = !withPicture && pictureAnswers;
    const int p = twoColumns ? (count + 1) / 2 : count;
    const double cwid = twoColumns ? (width - 0.3) / 2.0 : (width - 0.15) / 2.0;
    const double c = pictureAnswers ? 0.2 : 0.15;
    const double d = std::min(c, (count * 0.1 / 12.0 + 0.6) / p) * height / 0.915;
    const int laidOut = int(std::count_if(
        lines.begin(), lines.end(), [](const QString& line) { return !line.trimmed().isEmpty(); }));

    int shift = 0;
    for (int i = 0; i < count; ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        // A blank line at the column's end must not keep the rest in the first column.
        if (twoColumns && i >= p && shift == 0) {
            ax = secondColumn;
            shift = -p;
        }
        const double y = (i + shift - (p - 1) * 0.5) * d + cy;
        const MCAnswer answer = splitMCAnswer(line);
        const AnswerBoxPictures& boxes = answerBoxPictures();
        const int box = document.addGeneratedObject(Typ::MCAnswerBox, kTextLayer,
                                                    QString(answer.mark), k, ax, y, kSideRight, 4);
        document.objects[size_t(box)].AntwortAnz = laidOut;
        document.objects[size_t(box)].Bild = answer.mark == u'+' ? boxes.MCImg1 : boxes.MCImg0;
        if (!pictureAnswers) {
            const int index = document.addGeneratedObject(
                Typ::MCAnswerText, kTextLayer, answer.text, k, ax + 0.06, y, kSideRight, 1);
            document.objects[size_t(index)].WidthLimit = widthToRightMargin(m, ax + 0.06);
            continue;
        }
        const int index =
            document.addGeneratedObject(Typ::MCAnswerPicture, kTextLayer, answer.text, k, ax + 0.06,
                                        y, kSideRight, rnd(d * 240.0) - 10);
        document.objects[size_t(index)].Bild = source.BildAntw[size_t(i)];
        document.objects[size_t(index)].WidthLimit = cwid;
    }
    const double okRow = p - (p - 1) * 0.5 - (pictureAnswers ? 0.1 : 0.0);
    const double okY = okRow * d + cy;
    // Below many answers the row of "OK" reaches the navigation buttons.
    document.addGeneratedObject(Typ::MCOkButton, kTextLayer, QStringLiteral("OK"), k,
                                okButtonX(m, ax, okY, aspect), okY, kSideRight, 1);
}

} // namespace

MCQuestionData readMCQuestion(const QString& cap) {
    const QStringList q = commaTextEntries(cap);
    const auto entry = [&q](qsizetype i) { return i < q.size() ? q[i] : QString(); };
    MCQuestionData data;
    data.question = withoutTrailingBlanks(entry(0));
    const QString answers = entry(1).trimmed();
    if (!answers.isEmpty())
        data.answerLines = splitMarkupLines(answers);
    data.infoText = entry(2);
    data.linkedFile = entry(3);
    if (q.size() > 4)
        data.infoTitle = q[4];
    if (q.size() > 5)
        data.linkTitle = q[5];
    return data;
}

MCAnswer splitMCAnswer(const QString& line) {
    if (line.isEmpty())
        return {};
    QString text = line.mid(1).trimmed();
    text.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
    return {line[0], text};
}

int mcQuestionFontSize(qsizetype length) {
    const qsizetype over = std::max<qsizetype>(0, length - 60) / 12;
    return int(std::max<qsizetype>(-1, 5 - std::min<qsizetype>(over, 6)));
}

void layOutMultipleChoice(Document& document, bool build, int& currentQuestion,
                          bool exerciseRunning) {
    if (dokTypOf(document.header) != DokTyp::MultipleChoice)
        return;
    if (!build) {
        currentQuestion = correctedQuestion(currentQuestion, document.header.AnzFrageNummern);
        return;
    }
    std::erase_if(document.objects, [](const ObjDataTyp& o) { return isOwned(o.Typ); });
    const PageRect m = questionMargins(document);
    addNavigationButtons(document, m);

    std::vector<size_t> questions;
    for (size_t i = 0; i < document.objects.size(); ++i) {
        if (isMCQuestion(document.objects[i]) && questions.size() < size_t(kMaxLaidOutQuestions))
            questions.push_back(i);
    }
    const int n = int(questions.size());
    const double aspect = pageAspectOf(document);
    for (int k = 1; k <= n; ++k) {
        ObjDataTyp& source = document.objects[questions[size_t(k - 1)]];
        source.FrageNummer = k;
        const ObjDataTyp copy = source;
        layOutQuestion(document, copy, k, n, m, aspect);
    }
    document.header.AnzFrageNummern = n;
    if (!exerciseRunning) {
        for (ObjDataTyp& o : document.objects) {
            if (typOf(o) == Typ::MCAnswerBox)
                o.Marker1 = -1;
        }
    }
    currentQuestion = correctedQuestion(currentQuestion, n);
}

} // namespace quorvel
