// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace quorvel {

// One card of the exercise panel ("UebElemPan" + its number): a text or
// picture card, a multiple-choice tick box, the "Weiter" button or the
// click square of a cross-matching element. It only shows and reports: the
// panel moves it and tells the exercise what was done. Takes the keyboard
// focus (Tab), shows it, and reports Space/Enter as activated().
class UebElemPan : public QWidget {
    Q_OBJECT
public:
    enum class Look { Text, Picture, TickBox, Button, Element };

    // `object`: the object index the card stands for (its tag); `entry`: its
    // position in `AbfrageFolge`, -1 when it has none.
    UebElemPan(int object, int entry, Look look, QWidget* parent = nullptr);

    int object() const { return m_object; }
    int entry() const { return m_entry; }
    Look look() const { return m_look; }

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setPicture(const QImage& picture);
    // The feedback colour over the card's own; an invalid colour restores it.
    void setFeedbackColour(const QColor& colour);
    QColor background() const;
    void setTicked(bool ticked);
    bool ticked() const { return m_ticked; }
    // The selection look of a cross-matching element ("X" on orange).
    void setSelected(bool selected);
    bool selected() const { return m_selected; }
    // While the keyboard carries the card, Tab moves it instead of the focus.
    void setCarried(bool carried) { m_carried = carried; }

    // The point size the text is drawn at (11 down to 7 until it fits).
    int fontPointSize() const;

Q_SIGNALS:
    // Mouse events in the panel's coordinates (left button only).
    void pressed(QPoint panelPoint);
    void dragged(QPoint panelPoint);
    void released(QPoint panelPoint);
    // A click without dragging.
    void clicked();
    // Space or Enter on the focused card.
    void activated();
    // Tab/Shift+Tab (+1/-1) and the arrow keys while carried.
    void stepRequested(int step);
    void escapeRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint toPanel(QPoint local) const;

    int m_object;
    int m_entry;
    Look m_look;
    QString m_text;
    QImage m_picture;
    QColor m_feedback;
    bool m_ticked = false;
    bool m_selected = false;
    bool m_carried = false;
    bool m_pressed = false;
    bool m_moved = false;
    mutable int m_fontSize = -1; // cached for the current text and size
};

} // namespace quorvel
