#pragma once

#include <QRect>
#include <QWidget>

namespace quorvel {

// The movable opaque cover panel over the view ("Abdeckblatt"): dragged by
// its body, resized by its right and bottom edges.
class CoverPane : public QWidget {
public:
    explicit CoverPane(QWidget* parent);

    // Shows the pane over `area` (the view picture), as not yet moved.
    void showOver(const QRect& area);
    // Whether the user has moved or resized it since it was shown.
    bool moved() const { return m_moved; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_pressed;
    QRect m_start;
    int m_edges = 0; // 1 right, 2 bottom
    bool m_moved = false;
};

} // namespace quorvel
