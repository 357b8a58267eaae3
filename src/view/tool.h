// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// The learning-view tools; the numbers are those of the main window's tool
// state (1 at start).
enum class Tool : int {
    Pointer = 1,
    Hand = 2,
    Pen = 3,
    MarkerYellow = 4,
    MarkerGreen = 5,
    Eraser = 6,
    Stamp = 7,
    Cross = 8,
    Text = 9,
    Line = 10,
    Arrow = 11,
    DoubleArrow = 12,
    Rectangle = 13,
    FilledRectangle = 14,
    Ellipse = 15,
    FilledEllipse = 16,
    Triangle = 17,
    FilledTriangle = 18,
    Area = 19,
};

// The shapes drawn from a start to an end point (tools 10-18).
bool isShapeTool(Tool tool);
bool isFilledShape(Tool tool);
// Tools that draw on the view (and so take an undo snapshot).
bool isDrawingTool(Tool tool);
bool isMarker(Tool tool);

// Pen presets 1-10 (clamped): 1 is the freehand pen, 2-10 the shapes 10-18.
Tool toolForPen(int preset);

// The mouse cursors of the view. The widgets map them onto the program's own
// cursor pictures.
enum class ToolCursor {
    Arrow,
    OpenHand,     // the hand tool
    ClosedHand,   // while the section is dragged
    PointingHand, // the pointer over a hittable object
    Pen,
    Stamp,
    Text,
    Cross,
    ShapeLine,
    ShapeArrow,
    ShapeRectangle,
    ShapeEllipse,
    ShapeTriangle,
};

// The cursor a tool shows over the view: the pen for pens and markers, the
// stamp for the symbol stamp and the red cross, the text cursor for text, a
// shape pen of its kind for each shape (line, arrows, rectangles, ellipses,
// triangles), the hand for the hand tool, the arrow for the pointer and a
// cross for the eraser and the area selection.
ToolCursor toolCursor(Tool tool);

} // namespace quorvel
