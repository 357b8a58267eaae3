// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolmachine.h"

#include <gtest/gtest.h>

using namespace quorvel;

namespace {

class ToolMachineTest : public ::testing::Test {
protected:
    DrawingState drawing;
    ToolMachine machine{drawing};
};

} // namespace

TEST(Tools, PenPresetsCursorsAndKinds) {
    EXPECT_EQ(toolForPen(0), Tool::Pen) << "clamped";
    EXPECT_EQ(toolForPen(11), Tool::FilledTriangle) << "clamped";

    const struct {
        Tool tool;
        ToolCursor cursor;
    } cases[] = {
        {Tool::Pointer, ToolCursor::Arrow},
        {Tool::Hand, ToolCursor::OpenHand},
        {Tool::Pen, ToolCursor::Pen},
        {Tool::MarkerYellow, ToolCursor::Pen},
        {Tool::MarkerGreen, ToolCursor::Pen},
        {Tool::Eraser, ToolCursor::Cross},
        {Tool::Stamp, ToolCursor::Stamp},
        {Tool::Cross, ToolCursor::Stamp},
        {Tool::Text, ToolCursor::Text},
        {Tool::Line, ToolCursor::ShapeLine},
        {Tool::Arrow, ToolCursor::ShapeArrow},
        {Tool::DoubleArrow, ToolCursor::ShapeArrow},
        {Tool::Rectangle, ToolCursor::ShapeRectangle},
        {Tool::FilledRectangle, ToolCursor::ShapeRectangle},
        {Tool::Ellipse, ToolCursor::ShapeEllipse},
        {Tool::FilledEllipse, ToolCursor::ShapeEllipse},
        {Tool::Triangle, ToolCursor::ShapeTriangle},
        {Tool::FilledTriangle, ToolCursor::ShapeTriangle},
        {Tool::Area, ToolCursor::Cross},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.tool));
        EXPECT_EQ(toolCursor(c.tool), c.cursor);
        EXPECT_EQ(isShapeTool(c.tool), int(c.tool) >= 10 && int(c.tool) <= 18);
        EXPECT_EQ(isDrawingTool(c.tool), int(c.tool) >= 3 && int(c.tool) <= 18);
    }
}

TEST_F(ToolMachineTest, ColourAndThicknessSwitchOnlyPointerAndHandToThePen) {
    EXPECT_EQ(machine.tool(), Tool::Pointer) << "the tool at start";
    ToolMachine::Change change = machine.setColour(26);
    EXPECT_EQ(change.previous, Tool::Pointer);
    EXPECT_EQ(change.current, Tool::Pen);
    EXPECT_EQ(drawing.colourIndex, 26);

    machine.select(Tool::Hand);
    EXPECT_EQ(machine.setThickness(7).current, Tool::Pen);
    EXPECT_EQ(drawing.thicknessIndex, 4) << "clamped to 1..4";

    machine.select(Tool::Stamp);
    EXPECT_EQ(machine.setColour(11).current, Tool::Stamp) << "a drawing tool stays";
    machine.select(Tool::Ellipse);
    EXPECT_EQ(machine.setThickness(2).current, Tool::Ellipse);
}

TEST_F(ToolMachineTest, PenPresetsStampsAndThePenButton) {
    EXPECT_EQ(machine.choosePen(5).current, Tool::Rectangle);
    EXPECT_EQ(drawing.pen, 5);
    machine.select(Tool::Pointer);
    EXPECT_EQ(machine.selectButton(Tool::Pen).current, Tool::Rectangle)
        << "the pen button keeps the chosen preset";
    EXPECT_EQ(machine.selectButton(Tool::Eraser).current, Tool::Eraser);

    EXPECT_EQ(machine.setStamp(12).current, Tool::Stamp);
    EXPECT_EQ(drawing.stamp, 10) << "clamped to the ten stamps";

    machine.select(Tool::Text);
    const ToolMachine::Change leaving = machine.select(Tool::Pen);
    EXPECT_TRUE(leaving.leftText()) << "leaving the text tool hides its field";
    EXPECT_FALSE(machine.select(Tool::Text).leftText());
    EXPECT_FALSE(machine.select(Tool::Text).leftText()) << "staying keeps the field";
    machine.select(Tool::Area);
    EXPECT_TRUE(machine.select(Tool::Hand).leftArea());
}

TEST_F(ToolMachineTest, WhatTheMouseDoesWithEachTool) {
    const struct {
        Tool tool;
        MouseButton button;
        PressAction press;
        MoveAction move; // while the button is held
        ReleaseAction release;
    } cases[] = {
        {Tool::Pointer, MouseButton::Left, PressAction::Click, MoveAction::Hover,
         ReleaseAction::None},
        {Tool::Pen, MouseButton::Middle, PressAction::Click, MoveAction::None, ReleaseAction::None},
        {Tool::Hand, MouseButton::Left, PressAction::MoveSection, MoveAction::MoveSection,
         ReleaseAction::EndSectionMove},
        {Tool::Pen, MouseButton::Right, PressAction::MoveSection, MoveAction::MoveSection,
         ReleaseAction::EndSectionMove},
        {Tool::Pen, MouseButton::Left, PressAction::PenStroke, MoveAction::PenStroke,
         ReleaseAction::None},
        {Tool::MarkerGreen, MouseButton::Left, PressAction::MarkerStroke, MoveAction::MarkerStroke,
         ReleaseAction::None},
        {Tool::Eraser, MouseButton::Left, PressAction::Erase, MoveAction::Erase,
         ReleaseAction::None},
        {Tool::Stamp, MouseButton::Left, PressAction::Stamp, MoveAction::None, ReleaseAction::None},
        {Tool::Cross, MouseButton::Left, PressAction::Cross, MoveAction::None, ReleaseAction::None},
        {Tool::Text, MouseButton::Left, PressAction::PlaceText, MoveAction::None,
         ReleaseAction::None},
        {Tool::DoubleArrow, MouseButton::Left, PressAction::StartShape, MoveAction::ShapePreview,
         ReleaseAction::FinishShape},
        {Tool::Area, MouseButton::Left, PressAction::None, MoveAction::None, ReleaseAction::None},
        {Tool::Pointer, MouseButton::Other, PressAction::None, MoveAction::Hover,
         ReleaseAction::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.tool));
        machine.select(c.tool);
        const PressAction press = machine.press(c.button, false);
        EXPECT_EQ(press, c.press);
        EXPECT_EQ(takesSnapshot(press), isDrawingTool(c.tool) && c.button == MouseButton::Left);
        EXPECT_EQ(machine.move(), c.move);
        EXPECT_EQ(machine.cursor(), c.press == PressAction::MoveSection ? ToolCursor::ClosedHand
                                                                        : toolCursor(c.tool));
        EXPECT_EQ(machine.release(), c.release);
        EXPECT_FALSE(machine.dragging());
        EXPECT_EQ(machine.cursor(), toolCursor(c.tool)) << "back to the tool's cursor";
        EXPECT_EQ(machine.release(), ReleaseAction::None) << "released once";
    }
}

TEST_F(ToolMachineTest, StartPanelTakesAnyPressAndThePointerHovers) {
    machine.select(Tool::Pen);
    EXPECT_EQ(machine.press(MouseButton::Right, true), PressAction::HideStartPanel);
    EXPECT_FALSE(machine.dragging());

    machine.select(Tool::Pointer);
    EXPECT_EQ(machine.hoverCursor(true), ToolCursor::PointingHand);
    EXPECT_EQ(machine.hoverCursor(false), ToolCursor::Arrow);
    machine.press(MouseButton::Right, false);
    EXPECT_EQ(machine.hoverCursor(true), ToolCursor::ClosedHand) << "not while dragging";
}

TEST(TextField, GrowsWithTheTextAndStaysInsideTheView) {
    const QSize view(400, 300);
    const struct {
        const char* what;
        QPoint click;
        int textWidth;
        int thickness;
        QRect expected;
    } cases[] = {
        {"empty", {50, 100}, 0, 1, QRect(50, 80, 35, 20)},
        {"typed", {50, 100}, 120, 2, QRect(50, 80, 190, 20)},
        {"right edge", {380, 100}, 60, 1, QRect(305, 80, 95, 20)},
        {"top edge", {50, 5}, 10, 1, QRect(50, 0, 45, 20)},
        {"wider than the view", {50, 100}, 500, 4, QRect(0, 80, 400, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(textFieldRect(c.click, c.textWidth, 20, c.thickness, view), c.expected);
    }
}
