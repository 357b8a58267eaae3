// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

namespace quorvel {

struct HeaderDataTyp;

// What an open target of a running exercise shows in place of its card.
enum class OpenTarget {
    Mark,   // the numbered open mark (labelling and cloze exercises)
    Card,   // the card itself (question answers are offered as cards)
    Nothing // nothing (input fields stand at the targets)
};

// How a running exercise wants the page drawn. The exercise sets it; outside an
// exercise `running` is false and the rest does not count.
struct ExercisePresentation {
    bool running = false;
    OpenTarget openTarget = OpenTarget::Mark;
    // With one position asked at a time, only this object's open mark carries
    // its number and the normal colours; -1: every open mark does.
    int currentTarget = -1;
};

// How one object is to be drawn.
enum class DrawMode {
    Normal,    // as it is: label, picture, point; in exercises targets by their state
    Covered,   // the covered appearance of a query field
    TargetOnly // in exercises only the target mark, never the card
};

// How a worksheet wants the objects drawn. Outside a worksheet `mode` is 0.
struct WorksheetPresentation {
    int mode = 0;             // 1 worksheet, 2 solution overlay, 3 complete solution sheet
    int boxSizeIndex = 5;     // the worksheet's box size ("50 %" 0, "100 %" 5, "200 %" 15)
    bool firstLetter = false; // query labels show their first letter (worksheet only)
};

// Everything object drawing needs besides the object: the header (font,
// colours, numbering style, target point size), the page picture's size, the
// scale S and the page aspect used by automatic card sides.
struct DrawContext {
    const HeaderDataTyp& header;
    QSize pagePicture;
    double s = 1.0;          // page picture width / 870
    double pageAspect = 1.0; // page width / page height
    ExercisePresentation exercise;
    WorksheetPresentation worksheet;

    // The context for a page picture of `pagePicture` pixels; the aspect is the
    // picture's own unless given.
    static DrawContext forPage(const HeaderDataTyp& header, QSize pagePicture,
                               double pageAspect = 0.0);
};

} // namespace quorvel
