// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionlayouts.h"

#include "clozelines.h"
#include "document.h"
#include "layoutset.h"
#include "multiplechoicelayout.h"
#include "singlequestionlayout.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr int kButtonLayer = 2;
constexpr int kSideRight = codeOf(CardSide::Right);
constexpr double kButtonStep = 0.06;
constexpr int kButtons = 5;
// Sizes in the page's design pixels (870 to the page width): the gap between
// a card and its point, a navigation button's radius, the most an "OK" card
// reaches from its point to the right and above or below its row.
constexpr double kDesignWidth = 870.0;
constexpr double kCardGap = 7.0;
constexpr double kButtonRadius = 15.0;
constexpr double kOkWidth = 60.0;
constexpr double kOkHalfHeight = 17.0;
constexpr double kNarrowestCard = 0.05;

} // namespace

PageRect questionMargins(const Document& document) {
    return boundedIndent(document.header.EinrueckRand);
}

void addNavigationButtons(Document& document, const PageRect& m) {
    const Typ buttons[] = {Typ::FirstQuestion, Typ::PreviousQuestion, Typ::NextQuestion,
                           Typ::LastQuestion, Typ::RandomQuestion};
    const double y = 1.0 - m.bottom - 0.03;
    for (int i = 0; i < kButtons; ++i)
        document.addGeneratedObject(buttons[i], kButtonLayer, QString(), -1,
                                    m.left + kButtonStep * i, y, kSideRight, 0);
}

double widthToRightMargin(const PageRect& m, double x) {
    return std::max(kNarrowestCard, 1.0 - m.right - x - kCardGap / kDesignWidth);
}

void boundSingleQuestionTexts(Document& document) {
    const PageRect m = questionMargins(document);
    for (ObjDataTyp& o : document.objects) {
        const Typ typ = typOf(o);
        if ((typ == Typ::QuestionAnswer || typ == Typ::QuestionText) && std::isfinite(o.Kx))
            o.WidthLimit = widthToRightMargin(m, o.Kx);
    }
}

double okButtonX(const PageRect& m, double x, double y, double pageAspect) {
    const double buttonsY = 1.0 - m.bottom - 0.03;
    const double unit = 1.0 / kDesignWidth; // of the page width
    const double clearance = (kButtonRadius + kOkHalfHeight) * unit * pageAspect;
    const double buttonsLeft = m.left - kButtonRadius * unit;
    const double buttonsRight = m.left + kButtonStep * (kButtons - 1) + kButtonRadius * unit;
    const double okLeft = x + kCardGap * unit;
    const double okRight = okLeft + kOkWidth * unit;
    const bool onButtons =
        std::abs(y - buttonsY) < clearance && okRight > buttonsLeft && okLeft < buttonsRight;
    return onButtons ? buttonsRight + kCardGap * unit : x;
}

double pageAspectOf(const Document& document) {
    const QImage& base = document.basePicture;
    if (base.isNull() || base.height() < 1)
        return 2.0;
    const PageRect& r = document.header.RandErw;
    const double w = base.width() * (1.0 + std::max(0.0, r.left) + std::max(0.0, r.right));
    const double h = base.height() * (1.0 + std::max(0.0, r.top) + std::max(0.0, r.bottom));
    const double aspect = w / h;
    return std::isfinite(aspect) && aspect > 0.0 ? aspect : 2.0;
}

QString questionHeading(int k, int n) {
    return QStringLiteral("Frage Nr. ") + QString::number(k) + u' ' + QStringLiteral("von") + u' ' +
           QString::number(n);
}

int correctedQuestion(int current, int count) {
    if (count < 1)
        return -1;
    return current < 1 || current > count ? 1 : current;
}

void addQuestionLayouts(LayoutSet& layouts) {
    // The generators run without a view: the next composition corrects the
    // main window's current question.
    layouts.setGenerator(DokTyp::SingleQuestions, [](Document& document) {
        int question = 0;
        layOutSingleQuestions(document, true, question, false);
    });
    // Single questions are stored with the document: reading keeps them as
    // they are and only bounds their texts.
    layouts.setReadGenerator(DokTyp::SingleQuestions,
                             [](Document& document) { boundSingleQuestionTexts(document); });
    layouts.setGenerator(DokTyp::MultipleChoice, [](Document& document) {
        int question = 0;
        layOutMultipleChoice(document, true, question, false);
    });
    layouts.setHook(DokTyp::SingleQuestions, LayoutPhase::BeforePageWithoutObjects,
                    [](LayoutHookContext& context) {
                        layOutSingleQuestions(context.document, false, context.currentQuestion,
                                              context.exercise.running);
                    });
    layouts.setHook(DokTyp::MultipleChoice, LayoutPhase::BeforePageWithoutObjects,
                    [](LayoutHookContext& context) {
                        layOutMultipleChoice(context.document, false, context.currentQuestion,
                                             context.exercise.running);
                    });
}

} // namespace quorvel
