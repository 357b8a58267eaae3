#pragma once

#include "drawingtools.h"

#include <QWidget>

class QActionGroup;
class QCheckBox;
class QMenu;
class QToolButton;
class QVBoxLayout;

namespace quorvel {

// The tool bar of the learning view beside the picture: tools, drawing
// settings, covering, numbering, layers, zoom, export and folding. It only
// shows and reports; the controller acts. Every button carries its component
// name as objectName.
class ToolBar : public QWidget {
    Q_OBJECT
public:
    explicit ToolBar(QWidget* parent = nullptr);

    QToolButton* knopf(const QString& name) const;
    QCheckBox* ebene(int index) const { return m_ebenen[size_t(index)]; }
    QMenu* colourMenu() const { return m_farbeMenu; }
    QMenu* thicknessMenu() const { return m_dickeMenu; }
    QMenu* penMenu() const { return m_stiftMenu; }
    QMenu* stampMenu() const { return m_symbolMenu; }

    // Checks the button of `tool` (the pen and the shape pens share
    // StiftBtn).
    void showTool(Tool tool);
    // The pictures of the chosen colour, thickness, pen preset and stamp on
    // their buttons, and the ticks in the menus.
    void showSettings(const DrawingState& state);
    void showStampPictures(const StampList& stempel);

    // Narrow form: only the tools and the fold button.
    void setCollapsed(bool geklappt);
    bool geklappt() const { return m_geklappt; }

Q_SIGNALS:
    void toolChosen(Tool tool);
    void colourChosen(int colourIndex);
    void thicknessChosen(int thicknessIndex);
    void penChosen(int stift);
    void stampChosen(int stempel);
    void configureStamps();

private:
    QToolButton* newButton(const QString& name, const QString& text, const QString& hinweis,
                           bool collapseButton);
    void buildMenus();

    QVBoxLayout* m_layout;
    std::vector<QToolButton*> m_knoepfe;
    std::vector<QWidget*> m_breiteTeile; // hidden while folded
    std::array<QCheckBox*, 4> m_ebenen{};
    QMenu* m_farbeMenu = nullptr;
    QMenu* m_dickeMenu = nullptr;
    QMenu* m_stiftMenu = nullptr;
    QMenu* m_symbolMenu = nullptr;
    bool m_geklappt = false;
};

// Small pictures for the menus and buttons (drawn here, no files).
QIcon colourPicture(int colourIndex);
QIcon thicknessPicture(int thicknessIndex);
QIcon penPicture(int stift);
QIcon stampPicture(const Stamp& stempel);

} // namespace quorvel
