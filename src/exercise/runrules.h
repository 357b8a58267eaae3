#pragma once

#include "typecodes.h"

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

} // namespace quorvel
