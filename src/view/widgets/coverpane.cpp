#include "coverpane.h"

#include <QMouseEvent>
#include <algorithm>

namespace quorvel {

namespace {

constexpr int kEdgeGrip = 12;
constexpr int kSmallest = 20;
constexpr int kRightEdge = 1;
constexpr int kBottomEdge = 2;

} // namespace

CoverPane::CoverPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AbdeckPan"));
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(199, 199, 184));
    setPalette(look);
    setCursor(Qt::SizeAllCursor);
    hide();
}

void CoverPane::showOver(const QRect& area) {
    setGeometry(area);
    m_moved = false;
    show();
    raise();
}

void CoverPane::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->globalPosition().toPoint();
    m_start = geometry();
    m_edges = 0;
    const QPoint at = event->position().toPoint();
    if (at.x() > width() - kEdgeGrip)
        m_edges |= kRightEdge;
    if (at.y() > height() - kEdgeGrip)
        m_edges |= kBottomEdge;
    m_moved = true;
}

void CoverPane::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint by = event->globalPosition().toPoint() - m_pressed;
    if (m_edges == 0) {
        move(m_start.topLeft() + by);
        return;
    }
    QRect resized = m_start;
    if (m_edges & kRightEdge)
        resized.setWidth(std::max(kSmallest, resized.width() + by.x()));
    if (m_edges & kBottomEdge)
        resized.setHeight(std::max(kSmallest, resized.height() + by.y()));
    setGeometry(resized);
}

} // namespace quorvel
