// SPDX-License-Identifier: GPL-3.0-or-later
#include "tool.h"

#include <algorithm>

namespace quorvel {

bool isShapeTool(Tool tool) {
    return int(tool) >= int(Tool::Line) && int(tool) <= int(Tool::FilledTriangle);
}

bool isFilledShape(Tool tool) {
    return tool == Tool::FilledRectangle || tool == Tool::FilledEllipse ||
           tool == Tool::FilledTriangle;
}

bool isDrawingTool(Tool tool) {
    return (int(tool) >= int(Tool::Pen) && int(tool) <= int(Tool::Text)) || isShapeTool(tool);
}

bool isMarker(Tool tool) {
    return tool == Tool::MarkerYellow || tool == Tool::MarkerGreen;
}

Tool toolForPen(int preset) {
    const int p = std::clamp(preset, 1, 10);
    return p == 1 ? Tool::Pen : Tool(int(Tool::Line) + p - 2);
}

ToolCursor toolCursor(Tool tool) {
    switch (tool) {
    case Tool::Pointer:
        return ToolCursor::Arrow;
    case Tool::Hand:
        return ToolCursor::OpenHand;
    case Tool::Pen:
    case Tool::MarkerYellow:
    case Tool::MarkerGreen:
        return ToolCursor::Pen;
    case Tool::Stamp:
    case Tool::Cross:
        return ToolCursor::Stamp;
    case Tool::Text:
        return ToolCursor::Text;
    case Tool::Line:
        return ToolCursor::ShapeLine;
    case Tool::Arrow:
    case Tool::DoubleArrow:
        return ToolCursor::ShapeArrow;
    case Tool::Rectangle:
    case Tool::FilledRectangle:
        return ToolCursor::ShapeRectangle;
    case Tool::Ellipse:
    case Tool::FilledEllipse:
        return ToolCursor::ShapeEllipse;
    case Tool::Triangle:
    case Tool::FilledTriangle:
        return ToolCursor::ShapeTriangle;
    case Tool::Eraser:
    case Tool::Area:
        return ToolCursor::Cross;
    }
    return ToolCursor::Arrow;
}

} // namespace quorvel
