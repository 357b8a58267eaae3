// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbering.h"

#include <QRectF>

namespace quorvel {

// What the learning view remembers besides its tool, with the values it has
// when the program starts. The section and the zoom persist while documents
// change; the current question starts at 0 with every document.
struct LearningViewState {
    int numberingMode = NumberingOrdered;
    int zoomLevel = 0; // 0..4
    double zoomFactor = 1.0;
    QRectF visibleArea{0.0, 0.0, 1.0, 1.0}; // relative to the page
    int currentQuestion = 0;
};

} // namespace quorvel
