// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawingtools.h"
#include "learningviewstate.h"
#include "pagedrawings.h"
#include "shellparticipant.h"
#include "toolmachine.h"
#include "viewcommands.h"

#include <QObject>
#include <QPoint>
#include <memory>

class QKeyEvent;
class QLineEdit;
class QMouseEvent;

namespace quorvel {

class CoverPane;
class Document;
class InfoBox;
class LearningViewPanel;
class LearningViewWidget;
class LinkOpener;
class Shell;
class TStempelForm;
struct ProgramCursors;
class ToolBar;
class ToolBarBinding;

// The learning view's interaction: the mouse in the view (pointer, hand,
// drawing tools), the commands of the tool bar and the "&Lernansicht" menu,
// points and left with the info box, the text field of the text tool, the
// cover pane and the stamp dialog. The rules are the view core's (tool
// machine, hit test, point actions, view commands); this class applies them
// to the widgets. Its state changes are signalled; the tool-bar binding shows
// them on the tool bar and the menu. Registers itself with the shell.
class LearningViewController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    // `panel` must outlive the controller; the shell's window is its parent.
    // `cursors` must outlive the controller (the main window makes them at start).
    LearningViewController(Shell& shell, LearningViewPanel& panel, const ProgramCursors& cursors);
    ~LearningViewController() override;

    LearningViewPanel& panel() const { return m_panel; }
    LearningViewWidget& view() const;
    ToolBar& toolBar() const;
    DrawingTools& drawingTools() { return m_drawing; }
    const LearningViewState& state() const { return m_state; }
    InfoBox* infoBox() const { return m_infoBox; }
    TStempelForm* stampForm() const { return m_stampForm; }
    QLineEdit* textField() const { return m_textField; }
    CoverPane* coverPane() const { return m_coverPane; }
    // Tests see what left would open.
    void setLinkOpener(std::unique_ptr<LinkOpener> opener);

    Tool tool() const { return m_tools.tool(); }
    const DrawingState& drawingState() const { return m_tools.drawing(); }
    // Every change of the tool takes this path: the button, the cursor and
    // the text field follow.
    void setTool(Tool tool);
    // A tool button (the pen button stands for the chosen pen preset).
    void chooseToolButton(Tool buttonTool);
    void setColour(int colourIndex);
    void setThickness(int thicknessIndex);
    void choosePen(int preset);
    void setStamp(int number);
    // The stamp dialog; accepted stamps go into the settings.
    void configureStamps();

    // Composes the view anew with the zoom level and current question.
    void rebuild();
    void coverAll();
    void uncoverAll();
    void number(int numberingMode);
    void setLayer(int index, bool shown);
    void setZoomLevel(int level);
    void zoomIn();
    void zoomOut();
    void scroll(ScrollDirection direction);
    // A question navigation button, or the key standing for it.
    void changeQuestion(Typ button);
    // Shows question `question` (limited to 1 .. number of questions) of a
    // document with single questions; nothing for other documents.
    void showQuestion(int question);
    void undo();
    void removeAllDrawings();
    void toggleCoverPane();
    void showCoverPane(bool shown);
    // Opens the point or link of object `index`.
    void openPoint(int index);

    void shellActivated() override;
    void documentOpened() override;
    void documentClosed() override;
    void saveSettings(Settings& settings) override;

Q_SIGNALS:
    void toolChanged(Tool tool);
    // Colour, thickness, pen preset or stamp number.
    void drawingChanged();
    void stampsChanged();
    void layerChanged(int index, bool shown);
    void zoomLevelChanged(int level);
    void numberingChanged(int numberingMode);
    // Undo or removing all drawings changed the drawings.
    void drawingsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Document& document() const;
    void applyToolChange(const ToolMachine::Change& change);
    void showCursor();
    void mirrorComposition();
    // Keeps the drawings with the page while the section moves.
    void keepDrawings();
    void moveSection(double dx, double dy);
    void showPart(const QRect& viewRect);
    QPoint toView(QPoint widgetPoint) const;
    bool mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void click(QPoint widgetPoint);
    bool passwordAccepted(const QString& expected);
    void placeText(QPoint viewPoint);
    void fitTextField();
    void commitText();
    bool textFieldKey(QKeyEvent* event);

    Shell& m_shell;
    const ProgramCursors& m_cursors;
    LearningViewPanel& m_panel;
    LearningViewState m_state;
    DrawingTools m_drawing;
    ToolMachine m_tools;
    PageDrawings m_pageDrawings;
    InfoBox* m_infoBox;
    TStempelForm* m_stampForm;
    QLineEdit* m_textField;
    CoverPane* m_coverPane;
    std::unique_ptr<LinkOpener> m_linkOpener;
    ToolBarBinding* m_binding = nullptr;

    QPoint m_last;      // view picture pixels (drawing) or widget pixels (moving)
    QPoint m_start;     // start of a shape, view picture pixels
    QPoint m_textClick; // where the text tool was pressed, view picture pixels
    QPoint m_textPoint; // where the text field places its text
};

} // namespace quorvel
