// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "typecodes.h"

#include <QString>

namespace quorvel {

// Cards dragged onto positions: labelling, cloze, crossword and any type
// the program does not know.
inline bool isLabellingDoc(DokTyp d) {
    return d != DokTyp::SingleQuestions && d != DokTyp::MultipleChoice && d != DokTyp::Cluster &&
           d != DokTyp::CrossMatching;
}

// The objects that get an input field in text-input mode.
inline bool isTextInputTyp(int typ) {
    return typ == codeOf(Typ::QueryLabel) || typ == codeOf(Typ::ClozeGap) ||
           typ == codeOf(Typ::CrosswordCell);
}

// A text in double quotes, as the protocol lines quote cards and answers.
inline QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

// The objects a dragged card can be released on.
inline bool isCardTarget(Typ t) {
    switch (t) {
    case Typ::QueryLabel:
    case Typ::ClozeGap:
    case Typ::QueryPicture:
    case Typ::QuestionAnswer:
    case Typ::MCAnswerBox:
    case Typ::TableQueryPicture:
    case Typ::TableQueryText:
    case Typ::ClusterQueryText:
    case Typ::ClusterQueryPicture:
    case Typ::CrosswordCell:
        return true;
    default:
        return false;
    }
}

} // namespace quorvel
