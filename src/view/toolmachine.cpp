// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolmachine.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kTextWidthPerThickness = 35;

} // namespace

bool takesSnapshot(PressAction action) {
    switch (action) {
    case PressAction::PenStroke:
    case PressAction::MarkerStroke:
    case PressAction::Erase:
    case PressAction::Stamp:
    case PressAction::Cross:
    case PressAction::PlaceText:
    case PressAction::StartShape:
        return true;
    default:
        return false;
    }
}

ToolMachine::Change ToolMachine::change(Tool tool) {
    const Change change{m_tool, tool};
    m_tool = tool;
    return change;
}

ToolMachine::Change ToolMachine::select(Tool tool) {
    return change(tool);
}

ToolMachine::Change ToolMachine::selectButton(Tool buttonTool) {
    return change(buttonTool == Tool::Pen ? toolForPen(m_drawing.pen) : buttonTool);
}

ToolMachine::Change ToolMachine::setColour(int colourIndex) {
    m_drawing.colourIndex = colourIndex;
    const bool notDrawing = m_tool == Tool::Pointer || m_tool == Tool::Hand;
    return change(notDrawing ? Tool::Pen : m_tool);
}

ToolMachine::Change ToolMachine::setThickness(int thicknessIndex) {
    m_drawing.thicknessIndex = std::clamp(thicknessIndex, 1, 4);
    const bool notDrawing = m_tool == Tool::Pointer || m_tool == Tool::Hand;
    return change(notDrawing ? Tool::Pen : m_tool);
}

ToolMachine::Change ToolMachine::choosePen(int preset) {
    m_drawing.pen = std::clamp(preset, 1, 10);
    return change(toolForPen(m_drawing.pen));
}

ToolMachine::Change ToolMachine::setStamp(int number) {
    m_drawing.stamp = std::clamp(number, 1, kStampCount);
    return change(Tool::Stamp);
}

PressAction ToolMachine::press(MouseButton button, bool startPanelShown) {
    if (startPanelShown)
        return PressAction::HideStartPanel;
    const bool left = button == MouseButton::Left;
    if (button == MouseButton::Middle || (left && m_tool == Tool::Pointer))
        return PressAction::Click;
    if (button == MouseButton::Right || (left && m_tool == Tool::Hand)) {
        m_drag = Drag::Section;
        return PressAction::MoveSection;
    }
    if (!left || !isDrawingTool(m_tool))
        return PressAction::None;
    switch (m_tool) {
    case Tool::Pen:
        m_drag = Drag::Draw;
        return PressAction::PenStroke;
    case Tool::MarkerYellow:
    case Tool::MarkerGreen:
        m_drag = Drag::Draw;
        return PressAction::MarkerStroke;
    case Tool::Eraser:
        m_drag = Drag::Draw;
        return PressAction::Erase;
    case Tool::Stamp:
        return PressAction::Stamp;
    case Tool::Cross:
        return PressAction::Cross;
    case Tool::Text:
        return PressAction::PlaceText;
    default:
        m_drag = Drag::Draw; // a shape
        return PressAction::StartShape;
    }
}

MoveAction ToolMachine::move() const {
    switch (m_drag) {
    case Drag::Section:
        return MoveAction::MoveSection;
    case Drag::Draw:
        if (m_tool == Tool::Pen)
            return MoveAction::PenStroke;
        if (isMarker(m_tool))
            return MoveAction::MarkerStroke;
        if (m_tool == Tool::Eraser)
            return MoveAction::Erase;
        return isShapeTool(m_tool) ? MoveAction::ShapePreview : MoveAction::None;
    case Drag::Nothing:
        break;
    }
    return m_tool == Tool::Pointer ? MoveAction::Hover : MoveAction::None;
}

ReleaseAction ToolMachine::release() {
    const Drag ended = m_drag;
    m_drag = Drag::Nothing;
    if (ended == Drag::Section)
        return ReleaseAction::EndSectionMove;
    if (ended == Drag::Draw && isShapeTool(m_tool))
        return ReleaseAction::FinishShape;
    return ReleaseAction::None;
}

ToolCursor ToolMachine::cursor() const {
    return m_drag == Drag::Section ? ToolCursor::ClosedHand : toolCursor(m_tool);
}

ToolCursor ToolMachine::hoverCursor(bool overHittable) const {
    if (m_tool == Tool::Pointer && m_drag == Drag::Nothing)
        return overHittable ? ToolCursor::PointingHand : ToolCursor::Arrow;
    return cursor();
}

QRect textFieldRect(QPoint click, int textWidth, int lineHeight, int thicknessIndex,
                    QSize viewSize) {
    const int width =
        std::min(viewSize.width(), std::max(0, textWidth) +
                                       kTextWidthPerThickness * std::clamp(thicknessIndex, 1, 4));
    QPoint topLeft = click - QPoint(0, lineHeight);
    topLeft.setX(std::clamp(topLeft.x(), 0, std::max(0, viewSize.width() - width)));
    topLeft.setY(std::clamp(topLeft.y(), 0, std::max(0, viewSize.height() - lineHeight)));
    return QRect(topLeft, QSize(width, lineHeight));
}

} // namespace quorvel
