// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "typecodes.h"

#include <QString>

namespace quorvel {

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
