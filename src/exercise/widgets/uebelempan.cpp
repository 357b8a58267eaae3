// SPDX-License-Identifier: GPL-3.0-or-later
#include "uebelempan.h"

#include <QEvent>
#include <QPainter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
const QColor kCardColour(0xFF, 0xF3, 0x90); // 0x90F3FF
const QColor kTextColour(0x21, 0x21, 0x1F); // 0x1F2121
const QColor kSelectedColour(0xFF, 0xC0, 0x00);
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
    : SurfaceCard(parent), m_object(object), m_entry(entry), m_look(look) {
    setObjectName(u"UebElemPan"_s + QString::number(entry >= 0 ? entry : object));
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
    return SurfaceCard::event(event);
}

void UebElemPan::paintFace(QPainter& p) {
    const QRect r = rect();
    p.fillRect(r, background());
    paintBevel(p, r);

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
}

} // namespace quorvel
