// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionlayouts.h"

#include "clozelines.h"
#include "document.h"
#include "layoutset.h"
#include "multiplechoicelayout.h"
#include "singlequestionlayout.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kButtonLayer = 2;
constexpr int kSideRight = 1;
} // namespace

PageRect questionMargins(const Document& document) {
    return boundedIndent(document.header.EinrueckRand);
}

void addNavigationButtons(Document& document, const PageRect& m) {
    const Typ buttons[] = {Typ::FirstQuestion, Typ::PreviousQuestion, Typ::NextQuestion,
                           Typ::LastQuestion, Typ::RandomQuestion};
    const double y = 1.0 - m.bottom - 0.03;
    for (int i = 0; i < 5; ++i)
        document.addGeneratedObject(buttons[i], kButtonLayer, QString(), -1, m.left + 0.06 * i, y,
                                    kSideRight, 0);
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
    // they are.
    layouts.setReadGenerator(DokTyp::SingleQuestions, [](Document&) {});
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
