// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawingtools.h"

#include <QWidget>

class QActionGroup;
class QCheckBox;
class QMenu;
class QToolButton;
class QGridLayout;

namespace quorvel {

// The tool bar of the learning view beside the picture: tools, drawing
// settings, covering, numbering, layers, zoom, export and folding. It only
// shows and reports; the controller acts. Every button carries its component
// name as objectName.
class ToolBar : public QWidget {
    Q_OBJECT
public:
    explicit ToolBar(QWidget* parent = nullptr);

    QToolButton* button(const QString& name) const;
    QCheckBox* layer(int index) const { return m_layers[size_t(index)]; }
    QMenu* penMenu() const { return m_penMenu; }
    QMenu* stampMenu() const { return m_symbolMenu; }

    // Checks the button of `tool` (the pen and the shape pens share
    // StiftBtn).
    void showTool(Tool tool);
    // The pictures of the chosen colour, thickness, pen preset and stamp on
    // their buttons, and the ticks in the menus.
    void showSettings(const DrawingState& state);
    void showStampPictures(const StampList& stamp);

    // Puts `section` (a part of another subsystem) below the buttons; it
    // hides while the bar is folded.
    void addSection(QWidget* section);

    // Narrow form: only the tools and the fold button.
    void setCollapsed(bool folded);
    bool folded() const { return m_folded; }

Q_SIGNALS:
    void toolChosen(Tool tool);
    void colourChosen(int colourIndex);
    void thicknessChosen(int thicknessIndex);
    void penChosen(int pen);
    void stampChosen(int stamp);
    void configureStamps();

private:
    QToolButton* newButton(const QString& name, const QString& text, const QString& hint,
                           bool collapseButton);
    void buildMenus();
    // Puts `part` into the grid: the next cell of a row of `m_perRow` parts.
    void place(QWidget* part);

    QGridLayout* m_layout;
    int m_perRow = 1;
    int m_row = 0;
    int m_column = 0;
    int m_span = 0;
    std::vector<QToolButton*> m_buttons;
    std::vector<QWidget*> m_widthParts; // hidden while folded
    std::array<QCheckBox*, 4> m_layers{};
    QMenu* m_colourMenu = nullptr;
    QMenu* m_thicknessMenu = nullptr;
    QMenu* m_penMenu = nullptr;
    QMenu* m_symbolMenu = nullptr;
    bool m_folded = false;
};

// Small pictures for the menus and buttons (drawn here, no files).
QIcon colourPicture(int colourIndex);
QIcon thicknessPicture(int thicknessIndex);
QIcon penPicture(int pen);
QIcon stampPicture(const Stamp& stamp);

} // namespace quorvel
