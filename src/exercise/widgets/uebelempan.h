// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddescription.h"
#include "surfacecard.h"

#include <QColor>
#include <QImage>

namespace quorvel {

// One card of the exercise panel ("UebElemPan" + its number): a text or
// picture card, a multiple-choice tick box, the "Weiter" button or the
// click square of a cross-matching element. It only shows; the panel moves
// it and tells the exercise what was done (the card surface's part).
class UebElemPan : public SurfaceCard {
    Q_OBJECT
public:
    using Look = CardLook;

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

    // The point size the text is drawn at (11 down to 7 until it fits).
    int fontPointSize() const;

protected:
    bool event(QEvent* event) override;
    void paintFace(QPainter& painter) override;

private:
    int m_object;
    int m_entry;
    Look m_look;
    QString m_text;
    QImage m_picture;
    QColor m_feedback;
    bool m_ticked = false;
    bool m_selected = false;
    mutable int m_fontSize = -1; // cached for the current text and size
};

} // namespace quorvel
