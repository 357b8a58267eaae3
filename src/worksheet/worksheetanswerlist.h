// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace quorvel {

class Document;
struct WorksheetCanvas;
struct WorksheetSettings;

// The answers a sheet lists above the body: the query pictures in a fixed
// shuffled order and the answer texts sorted without regard to case.
struct AnswerList {
    std::vector<QImage> pictures;
    std::vector<QString> texts;
};

// Whether the sheet shows the answer list for the document's type.
bool showsAnswerList(const Document& document, const WorksheetSettings& settings);

// Collects the answers of the document's objects as the sheet lists them.
// The pictures are shuffled by a generator seeded with 0, so every drawing
// of the same document gives the same order.
AnswerList collectAnswers(const Document& document, const WorksheetSettings& settings);

// Draws the answer list from y = `top` when the sheet shows it (rows on the
// sheets with parts, cards on the cut-out sheet, only the space on the
// overlay) and returns the y below it; `top` when it is not shown.
int drawAnswerList(const WorksheetCanvas& canvas, int top);

} // namespace quorvel
