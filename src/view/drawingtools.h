// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawingsettings.h"
#include "tool.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace quorvel {

class ViewComposer;

// Draws the shape of a shape tool (lines, arrows, rectangles, ellipses,
// triangles, filled or not) from `start` to `end` with the stroke width and
// colour; the drawing tools and the tool bar's pen pictures share it. Returns
// the area it covered (without the pen's anti-aliasing margin); nothing for
// other tools.
QRect drawShape(QPainter& painter, Tool tool, QPoint start, QPoint end, int width,
                const QColor& colour);

// The current colour, thickness and stamp of the drawing tools.
struct DrawingState {
    int colourIndex = kDefaultColour;
    int thicknessIndex = kDefaultThickness;
    int stamp = kDefaultStamp;
    int pen = kDefaultPen;
    StampList stamps = defaultStamps();
};

// The drawing tools: they draw on the composer's view picture (opaque colours)
// or its transparent overlay, which is blended onto the view right away over
// the drawn box enlarged by 15 pixels (over the picture as it was before the
// action when rememberState() began it, else once and cleared there). Every operation
// takes view picture pixels and returns the rectangle of the view picture it
// changed, so that only that needs repainting. The composer must outlive this
// object.
class DrawingTools {
public:
    explicit DrawingTools(ViewComposer& composer) : m_composer(composer) {}

    DrawingState& state() { return m_state; }
    const DrawingState& state() const { return m_state; }

    // Pen: a line of the thickness width with a round dot at its start.
    QRect penStroke(QPoint from, QPoint to);
    // Highlighter: a 25-pixel yellow or green line combined by AND.
    QRect markerStroke(QPoint from, QPoint to, bool yellow);
    // Eraser: a square of 32 x thickness index copied back from the
    // drawing-free section.
    QRect erase(QPoint centre);
    // The current stamp, 32 x thickness index pixels high, centred.
    QRect stamp(QPoint centre);
    // The red cross, 32 pixels high, centred.
    QRect cross(QPoint centre);
    // Text with its top left corner at `topLeftCorner`, in the current colour.
    QRect text(QPoint topLeftCorner, const QString& text, const QFont& font);
    // A shape (tools 10-18) from `start` to `endPoint`.
    QRect form(Tool tool, QPoint start, QPoint endPoint);

    // The one-pixel inverting outline of a shape while dragging: each call
    // first takes the previous preview away. removePreview() ends it.
    QRect preview(Tool tool, QPoint start, QPoint endPoint);
    QRect removePreview();

    // Undo of the last drawing action: rememberState() before each action
    // keeps the view picture and zoom level and starts a fresh overlay; undo() puts the picture
    // back once. The caller restores the zoom level (recomposing) before.
    void rememberState();
    bool canUndo() const { return !m_snapshot.isNull(); }
    int snapshotZoom() const { return m_snapshotZoom; }
    QRect undo();
    void forget() { m_snapshot = QImage(); }

    // Removes every drawing: overlay cleared, view from the drawing-free section.
    QRect removeAll();

private:
    QImage& surface();
    QRect finishStroke(const QRect& drawn);
    QRect drawTextAt(QPoint centre, const QString& text, const QFont& font, const QColor& colour);

    ViewComposer& m_composer;
    DrawingState m_state;
    QImage m_snapshot;
    int m_snapshotZoom = 0;
    QImage m_previewBackup;
    QRect m_previewArea;
};

} // namespace quorvel
