// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tool.h"

#include <QCursor>
#include <array>

namespace quorvel {

// The mouse cursors of the view: Qt's own where one fits, small pictures of
// our own for the drawing tools. Needs a QGuiApplication.
struct ProgramCursors {
    QCursor drag;                       // dragging a card or the section
    QCursor pen;                        // freehand pen
    QCursor hand;                       // over a hittable object
    QCursor textField;                  // text tool
    QCursor stamp;                      // symbol stamp
    std::array<QCursor, 5> penVariants; // line, arrow, rectangle, ellipse, triangle

    static ProgramCursors create();

    // The cursor that stands for `cursor` over the view.
    QCursor forTool(ToolCursor cursor) const;
};

} // namespace quorvel
