// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPainter;

namespace quorvel {

// A card on a card surface: it reports what the mouse and the keyboard do
// to it and shows the keyboard focus as a dashed frame; the surface moves
// it. Subclasses draw its face. Takes the focus by Tab and reports
// Space/Enter as activated().
class SurfaceCard : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceCard(QWidget* parent = nullptr);

    // While the keyboard carries the card, Tab and the arrow keys move it
    // from stop to stop instead of moving the focus.
    void setCarried(bool carried) { m_carried = carried; }
    bool carried() const { return m_carried; }

Q_SIGNALS:
    // Mouse events in the surface's coordinates (left button only).
    void pressed(QPoint surfacePoint);
    void dragged(QPoint surfacePoint);
    void released(QPoint surfacePoint);
    // A click without dragging.
    void clicked();
    // Space or Enter on the focused card.
    void activated();
    // Tab/Shift+Tab (+1/-1) and the arrow keys while carried.
    void stepRequested(int step);
    void escapeRequested();

protected:
    // The card's face; the focus frame is drawn over it.
    virtual void paintFace(QPainter& painter) = 0;
    // The raised bevel of width 1 around `rect`.
    static void paintBevel(QPainter& painter, const QRect& rect);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_carried = false;
    bool m_pressed = false;
    bool m_moved = false;
};

} // namespace quorvel
