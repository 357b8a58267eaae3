// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QWidget>
#include <array>

namespace quorvel {

// The movable opaque cover panel over the view ("Abdeckblatt") with a centred
// picture: dragged by
// its body, resized by eight handle panels on its edges and corners
// (`AbdeckLiPan`, `AbdeckRePan`, `AbdeckObPan`, `AbdeckUnPan`,
// `AbdeckLiObPan`, `AbdeckLiUnPan`, `AbdeckReObPan`, `AbdeckReUnPan`).
class CoverPane : public QWidget {
public:
    explicit CoverPane(QWidget* parent);

    // Shows the pane over `area` (the view picture), as not yet moved.
    void showOver(const QRect& area);
    // Whether the user has moved or resized it since it was shown.
    bool moved() const { return m_moved; }
    QWidget* handle(const QString& name) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void press(QPoint globalPoint, int edges);
    void drag(QPoint globalPoint);
    void placeHandles();

    struct Handle {
        QWidget* panel = nullptr;
        int edges = 0;
    };
    std::array<Handle, 8> m_handles{};
    QPoint m_pressed;
    QRect m_start;
    int m_edges = 0; // which edges the drag moves; 0 moves the whole pane
    bool m_moved = false;
};

} // namespace quorvel
