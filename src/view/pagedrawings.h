// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

namespace quorvel {

// The drawings of the view kept in page picture coordinates while the visible
// section moves: before a move the differences between the view picture and
// the drawing-free section are taken over (erased spots are cleared), after
// it the part of the new section is painted back onto the view picture. A
// recomposition ends the drawings (clear()).
class PageDrawings {
public:
    // `view` and `clean` are the view picture and the drawing-free section
    // of equal size, lying at `section` in a page picture of `page`.
    void takeOver(const QImage& view, const QImage& clean, const QRect& section, QSize page);
    // Paints the drawings inside `section` onto `view`.
    void paintInto(QImage& view, const QRect& section) const;
    void clear();
    bool empty() const { return m_picture.isNull(); }

private:
    QImage m_picture; // page sized, transparent where nothing is drawn
};

} // namespace quorvel
