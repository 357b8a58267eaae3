// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetbody.h"

#include "document.h"
#include "worksheetbodyparts.h"

namespace quorvel {

int drawWorksheetBody(WorksheetBodyContext& context, int top) {
    if (worksheetMode(context.settings.kind) == 0)
        return top;
    switch (dokTypOf(context.document.header)) {
    case DokTyp::PictureLabelling:
    case DokTyp::Crossword:
        return drawLabellingBody(context, top);
    case DokTyp::Cloze:
        return drawClozeBody(context, top);
    case DokTyp::SingleQuestions:
        return drawSingleQuestionsBody(context, top);
    case DokTyp::MultipleChoice:
        return drawMultipleChoiceBody(context, top);
    case DokTyp::Cluster:
        return drawClusterBody(context, top);
    case DokTyp::CrossMatching:
        return drawCrossMatchingBody(context, top);
    }
    return top; // an unknown type from a file has no body
}

} // namespace quorvel
