// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawingtools.h"
#include "tool.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

enum class MouseButton { Left, Middle, Right, Other };

// What a mouse press in the learning view starts.
enum class PressAction {
    None,
    HideStartPanel, // any button while the start panel is shown
    Click,          // hit test: toggle a field, open a point, change the question
    MoveSection,    // drag the visible section (the drawings are kept with the page first)
    PenStroke,      // the following three draw while the button is held
    MarkerStroke,
    Erase,
    Stamp, // one mark per press
    Cross,
    PlaceText,  // the text field goes to the point
    StartShape, // the start point of a shape
};

// What a mouse move does.
enum class MoveAction {
    None,
    Hover, // the pointer: the hand-point cursor over a hittable object
    MoveSection,
    PenStroke,
    MarkerStroke,
    Erase,
    ShapePreview,
};

// What releasing the button ends.
enum class ReleaseAction { None, EndSectionMove, FinishShape };

// Whether a press action draws on the view and so takes an undo snapshot first.
bool takesSnapshot(PressAction action);

// The learning view's tool: which one is active, what choosing a colour,
// thickness, pen preset or stamp does to it, and what the mouse does with it
// (the drag under way between press and release). Only state and decisions:
// the widgets show the tool and draw. The drawing state (colour, thickness,
// stamps) belongs to the drawing tools and must outlive the machine.
class ToolMachine {
public:
    explicit ToolMachine(DrawingState& drawing) : m_drawing(drawing) {}

    // A change of the tool. The widgets show `current` on its button and as
    // the cursor; leaving the text tool hides the text field, leaving the
    // area tool clears the marking.
    struct Change {
        Tool previous;
        Tool current;
        bool leftText() const { return previous == Tool::Text && current != Tool::Text; }
        bool leftArea() const { return previous == Tool::Area && current != Tool::Area; }
    };

    Tool tool() const { return m_tool; }
    const DrawingState& drawing() const { return m_drawing; }

    Change select(Tool tool);
    // A tool button: the pen button stands for the chosen pen preset.
    Change selectButton(Tool buttonTool);
    // A colour or thickness is meant for drawing: the pointer and the hand
    // give way to the freehand pen; other tools stay.
    Change setColour(int colourIndex);
    Change setThickness(int thicknessIndex);
    // A pen preset (1-10) selects its pen, a stamp (1-10) the stamp tool.
    Change choosePen(int preset);
    Change setStamp(int number);
    void setStamps(const StampList& stamps) { m_drawing.stamps = stamps; }

    // The mouse. press() starts a drag where the action lasts while the
    // button is held; release() ends it.
    PressAction press(MouseButton button, bool startPanelShown);
    MoveAction move() const;
    ReleaseAction release();
    bool dragging() const { return m_drag != Drag::Nothing; }

    // The cursor over the view: the tool's own, the closed hand while the
    // section moves, and for the pointer the hand-point over a hittable object.
    ToolCursor cursor() const;
    ToolCursor hoverCursor(bool overHittable) const;

private:
    enum class Drag { Nothing, Section, Draw };

    Change change(Tool tool);

    DrawingState& m_drawing;
    Tool m_tool = Tool::Pointer;
    Drag m_drag = Drag::Nothing;
};

// Where the text field of the text tool stands in a view picture of
// `viewSize` for a press at `click` (view picture pixels): its bottom at the
// click, one line (`lineHeight`) high, as wide as the text plus 35 pixels per
// thickness step but at most the view, and clamped inside the view.
QRect textFieldRect(QPoint click, int textWidth, int lineHeight, int thicknessIndex,
                    QSize viewSize);

} // namespace quorvel
