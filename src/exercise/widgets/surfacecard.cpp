// SPDX-License-Identifier: GPL-3.0-or-later
#include "surfacecard.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quorvel {

namespace {
const QColor kFocusColour(0x00, 0x50, 0xD0);
}

SurfaceCard::SurfaceCard(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Not marked opaque: with many cards on the surface, Qt would otherwise
    // unite all their rectangles again after every move of a dragged card.
}

void SurfaceCard::paintBevel(QPainter& p, const QRect& r) {
    p.setPen(QColor(Qt::white));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

bool SurfaceCard::event(QEvent* event) {
    if (m_carried && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            Q_EMIT stepRequested(key->key() == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QWidget::event(event);
}

void SurfaceCard::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    paintFace(p);
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        // Dashes over white: the frame shows on light cards and dark pictures alike.
        p.setPen(QPen(Qt::white, 2));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
        p.setPen(QPen(kFocusColour, 2, Qt::DashLine));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void SurfaceCard::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_moved = false;
    Q_EMIT pressed(mapToParent(event->position().toPoint()));
}

void SurfaceCard::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed || !(event->buttons() & Qt::LeftButton))
        return;
    m_moved = true;
    Q_EMIT dragged(mapToParent(event->position().toPoint()));
}

void SurfaceCard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    Q_EMIT released(mapToParent(event->position().toPoint()));
    // A click without dragging on a card that is no drag card.
    if (!m_moved && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void SurfaceCard::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT activated();
        return;
    case Qt::Key_Escape:
        if (m_carried) {
            Q_EMIT escapeRequested();
            return;
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_carried) {
            Q_EMIT stepRequested(1);
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (m_carried) {
            Q_EMIT stepRequested(-1);
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void SurfaceCard::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void SurfaceCard::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace quorvel
