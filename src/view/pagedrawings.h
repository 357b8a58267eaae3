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
    // `ansicht` and `sauber` are the view picture and the drawing-free section
    // of equal size, lying at `ausschnitt` in a page picture of `seite`.
    void takeOver(const QImage& ansicht, const QImage& sauber, const QRect& ausschnitt,
                  QSize seite);
    // Paints the drawings inside `ausschnitt` onto `ansicht`.
    void zeigen(QImage& ansicht, const QRect& ausschnitt) const;
    void clear();
    bool leer() const { return m_bild.isNull(); }

private:
    QImage m_bild; // page sized, transparent where nothing is drawn
};

} // namespace quorvel
