#pragma once

#include "pagedrawings.h"
#include "drawingtools.h"

#include <QObject>
#include <QPoint>
#include <memory>

class QLineEdit;
class QScrollArea;
class QMouseEvent;
class QWidget;

namespace quorvel {

class MainWindow;
class InfoBox;
class ToolBar;
class CoverPane;
struct ShellContext;

// The learning view's interaction: the tool bar beside the view and the
// "&Lernansicht" menu, the mouse in the view (pointer, hand, drawing tools),
// the keys of single questions and zoom, points and links and the info box.
// Created by the main window after its view, menu and controllers.
class LearningViewController : public QObject {
    Q_OBJECT
public:
    explicit LearningViewController(MainWindow& fenster);
    ~LearningViewController() override;

    ToolBar& toolBar() const { return *m_leiste; }
    DrawingTools& drawingTools() { return m_werkzeuge; }
    InfoBox* infoBox() const { return m_infoBox; }
    QLineEdit* textField() const { return m_textFeld; }
    QWidget* coverPane() const { return m_abdeckblatt; }

    int werkzeug() const;
    void setTool(int werkzeug);
    void setColour(int colourIndex);
    void setThickness(int thicknessIndex);
    void choosePen(int stift);
    void setStamp(int stempel);

    // Commands.
    void coverAll();
    void uncoverAll();
    void number(int modus);
    void setLayer(int index, bool an);
    void setZoomLevel(int stufe);
    void zoomIn();
    void zoomOut();
    void scroll(int dx, int dy); // -1, 0, 1 in each direction
    void changeQuestion(int buttonTyp);
    void undo();
    void removeAllDrawings();
    void toggleCollapsed();
    void toggleCoverPane();
    void showCoverPane(bool zeigen);
    // Opens the point or link of object `index`.
    void openPoint(int index);
    // Sets the side of the tool bar: 1 left, 0 right.
    void setSide(int werkzeugPos);

    // For tests: the password dialog is replaced by this answer when set
    // (an empty optional-like flag: `abgebrochen` cancels).
    void setPasswordAnswer(const QString& antwort, bool abgebrochen);

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    void connectMenu();
    void connectToolBar();
    void rebuild();
    void fitToolBarWidth();
    // Keeps the drawings with the page while the section moves.
    void keepDrawings();
    void moveSection(double dx, double dy);
    void showPart(const QRect& ansichtRechteck);
    QPoint toView(QPoint widgetPunkt) const;
    bool mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void click(QPoint widgetPunkt);
    bool checkPassword(const QString& kennung);
    void placeText(QPoint ansichtPunkt);
    void commitText();
    void configureStamps();

    MainWindow& m_fenster;
    ShellContext& m_context;
    ToolBar* m_leiste;
    DrawingTools m_werkzeuge;
    PageDrawings m_zeichnungen;
    InfoBox* m_infoBox;
    QObject* m_view; // compared only: the filter sees the view's events
    QLineEdit* m_textFeld;
    QWidget* m_abdeckblatt;
    QWidget* m_container = nullptr;
    QScrollArea* m_leistenBereich = nullptr;

    enum class Drag { Nothing, Section, Draw };
    Drag m_ziehen = Drag::Nothing;
    QPoint m_letzter;  // view picture pixels (drawing) or widget pixels (moving)
    QPoint m_start;    // start of a shape, view picture pixels
    QPoint m_textPunkt; // where the text field places its text

    bool m_passwortErsetzt = false;
    QString m_passwortAntwort;
    bool m_passwortAbgebrochen = false;
};

} // namespace quorvel
