// SPDX-License-Identifier: GPL-3.0-or-later
#include "uebelempan.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
const QColor kCardColour(0xFF, 0xF3, 0x90); // 0x90F3FF
const QColor kTextColour(0x21, 0x21, 0x1F); // 0x1F2121
const QColor kSelectedColour(0xFF, 0xC0, 0x00);
const QColor kFocusColour(0x00, 0x50, 0xD0);
constexpr int kLargestPoint = 11;
constexpr int kSmallestPoint = 7;
constexpr int kTextMargin = 3;

QFont cardFont(int points) {
    QFont font(u"Arial"_s);
    font.setPointSize(points);
    font.setBold(true);
    return font;
}
} // namespace

UebElemPan::UebElemPan(int object, int entry, Look look, QWidget* parent)
    : QWidget(parent), m_object(object), m_entry(entry), m_look(look) {
    setObjectName(u"UebElemPan"_s + QString::number(entry >= 0 ? entry : object));
    setFocusPolicy(Qt::StrongFocus);
    // Not marked opaque: with many cards on the panel, Qt would otherwise unite
    // all their rectangles again after every move of a dragged card.
}

void UebElemPan::setText(const QString& text) {
    m_text = text;
    m_fontSize = -1;
    update();
}

void UebElemPan::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void UebElemPan::setFeedbackColour(const QColor& colour) {
    m_feedback = colour;
    update();
}

QColor UebElemPan::background() const {
    if (m_feedback.isValid())
        return m_feedback;
    if (m_selected)
        return kSelectedColour;
    if (m_look == Look::Element)
        return QColor(0xF0, 0xF0, 0xF0);
    return m_look == Look::TickBox ? QColor(Qt::white) : kCardColour;
}

void UebElemPan::setTicked(bool ticked) {
    m_ticked = ticked;
    update();
}

void UebElemPan::setSelected(bool selected) {
    m_selected = selected;
    update();
}

int UebElemPan::fontPointSize() const {
    if (m_fontSize > 0)
        return m_fontSize;
    const QRect box = rect().adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    m_fontSize = kSmallestPoint;
    for (int points = kLargestPoint; points >= kSmallestPoint; --points) {
        const QFontMetrics metrics(cardFont(points));
        const QRect needed = metrics.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, m_text);
        if (needed.width() <= box.width() && needed.height() <= box.height()) {
            m_fontSize = points;
            break;
        }
    }
    return m_fontSize;
}

bool UebElemPan::event(QEvent* event) {
    if (event->type() == QEvent::Resize)
        m_fontSize = -1;
    if (m_carried && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            Q_EMIT stepRequested(key->key() == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QWidget::event(event);
}

void UebElemPan::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, background());
    // Raised bevel of width 1.
    p.setPen(QColor(Qt::white));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());

    switch (m_look) {
    case Look::Picture:
        if (!m_picture.isNull()) {
            const QRect inner = r.adjusted(2, 2, -2, -2);
            const QSize fitted = m_picture.size().scaled(inner.size(), Qt::KeepAspectRatio);
            const QRect place(inner.x() + (inner.width() - fitted.width()) / 2,
                              inner.y() + (inner.height() - fitted.height()) / 2, fitted.width(),
                              fitted.height());
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(place, m_picture);
        }
        break;
    case Look::TickBox: {
        const int side = std::max(6, std::min(r.width(), r.height()) - 8);
        const QRect box((r.width() - side) / 2, (r.height() - side) / 2, side, side);
        p.setPen(QPen(kTextColour, 2));
        p.setBrush(Qt::white);
        p.drawRect(box);
        if (m_ticked) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(0, 140, 0), std::max(2, side / 8)));
            const QPolygonF tick{QPointF(box.left() + side * 0.2, box.top() + side * 0.55),
                                 QPointF(box.left() + side * 0.42, box.top() + side * 0.78),
                                 QPointF(box.left() + side * 0.82, box.top() + side * 0.22)};
            p.drawPolyline(tick);
        }
        break;
    }
    case Look::Element:
        if (m_selected) {
            p.setPen(kTextColour);
            p.setFont(cardFont(kLargestPoint + 5));
            p.drawText(r, Qt::AlignCenter, u"X"_s);
        }
        break;
    case Look::Text:
    case Look::Button:
        p.setPen(kTextColour);
        p.setFont(cardFont(fontPointSize()));
        p.drawText(r.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin),
                   Qt::AlignCenter | Qt::TextWordWrap, m_text);
        break;
    }
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kFocusColour, 2, Qt::DashLine));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

QPoint UebElemPan::toPanel(QPoint local) const {
    return mapToParent(local);
}

void UebElemPan::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_moved = false;
    Q_EMIT pressed(toPanel(event->position().toPoint()));
}

void UebElemPan::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed || !(event->buttons() & Qt::LeftButton))
        return;
    m_moved = true;
    Q_EMIT dragged(toPanel(event->position().toPoint()));
}

void UebElemPan::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    const QPoint at = toPanel(event->position().toPoint());
    Q_EMIT released(at);
    // A click without dragging on a card that is no drag card.
    if (!m_moved && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void UebElemPan::keyPressEvent(QKeyEvent* event) {
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

void UebElemPan::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void UebElemPan::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace quorvel
