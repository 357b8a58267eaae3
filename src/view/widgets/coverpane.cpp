// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverpane.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quorvel {

namespace {

constexpr int kGrip = 10;
constexpr int kSmallest = 20;
constexpr int kLeft = 1;
constexpr int kTop = 2;
constexpr int kRight = 4;
constexpr int kBottom = 8;

} // namespace

CoverPane::CoverPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AbdeckPan"));
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(199, 199, 184));
    setPalette(look);
    setCursor(Qt::SizeAllCursor);

    const struct {
        const char16_t* name;
        int edges;
        Qt::CursorShape cursor;
    } handles[] = {
        {u"AbdeckLiPan", kLeft, Qt::SizeHorCursor},
        {u"AbdeckRePan", kRight, Qt::SizeHorCursor},
        {u"AbdeckObPan", kTop, Qt::SizeVerCursor},
        {u"AbdeckUnPan", kBottom, Qt::SizeVerCursor},
        {u"AbdeckLiObPan", kLeft | kTop, Qt::SizeFDiagCursor},
        {u"AbdeckLiUnPan", kLeft | kBottom, Qt::SizeBDiagCursor},
        {u"AbdeckReObPan", kRight | kTop, Qt::SizeBDiagCursor},
        {u"AbdeckReUnPan", kRight | kBottom, Qt::SizeFDiagCursor},
    };
    QPalette handleLook = palette();
    handleLook.setColor(QPalette::Window, QColor(160, 160, 148));
    for (size_t i = 0; i < m_handles.size(); ++i) {
        auto* panel = new QWidget(this);
        panel->setObjectName(QString::fromUtf16(handles[i].name));
        panel->setAutoFillBackground(true);
        panel->setPalette(handleLook);
        panel->setCursor(handles[i].cursor);
        panel->installEventFilter(this);
        m_handles[i] = {panel, handles[i].edges};
    }
    hide();
}

QWidget* CoverPane::handle(const QString& name) const {
    for (const Handle& h : m_handles) {
        if (h.panel->objectName() == name)
            return h.panel;
    }
    return nullptr;
}

void CoverPane::showOver(const QRect& area) {
    setGeometry(area);
    m_moved = false;
    show();
    raise();
}

void CoverPane::placeHandles() {
    const int w = width();
    const int h = height();
    const int inner = std::max(0, w - 2 * kGrip);
    const int innerHeight = std::max(0, h - 2 * kGrip);
    for (const Handle& handle : m_handles) {
        const int e = handle.edges;
        const int x = (e & kLeft) ? 0 : (e & kRight) ? w - kGrip : kGrip;
        const int y = (e & kTop) ? 0 : (e & kBottom) ? h - kGrip : kGrip;
        const int width = (e & (kLeft | kRight)) ? kGrip : inner;
        const int height = (e & (kTop | kBottom)) ? kGrip : innerHeight;
        handle.panel->setGeometry(x, y, width, height);
    }
}

void CoverPane::paintEvent(QPaintEvent* /*event*/) {
    // The pane's picture, centred: four arrows that say it can be moved.
    const int side = std::min({width(), height(), 160}) / 2;
    if (side < 8)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(side / 20.0, side / 20.0);
    const QColor ink(160, 160, 148);
    p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(ink);
    for (int turn = 0; turn < 4; ++turn) {
        p.drawLine(QPointF(0, 0), QPointF(0, -16));
        QPainterPath head(QPointF(0, -20));
        head.lineTo(-5, -13);
        head.lineTo(5, -13);
        head.closeSubpath();
        p.drawPath(head);
        p.rotate(90);
    }
    p.drawEllipse(QPointF(0, 0), 3.5, 3.5);
}

void CoverPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeHandles();
}

void CoverPane::press(QPoint globalPoint, int edges) {
    m_pressed = globalPoint;
    m_start = geometry();
    m_edges = edges;
    m_moved = true;
}

void CoverPane::drag(QPoint globalPoint) {
    const QPoint by = globalPoint - m_pressed;
    if (m_edges == 0) {
        move(m_start.topLeft() + by);
        return;
    }
    // Each handle moves its own edges; the opposite ones stay.
    QRect r = m_start;
    if (m_edges & kLeft)
        r.setLeft(std::min(r.left() + by.x(), r.right() + 1 - kSmallest));
    if (m_edges & kRight)
        r.setWidth(std::max(kSmallest, r.width() + by.x()));
    if (m_edges & kTop)
        r.setTop(std::min(r.top() + by.y(), r.bottom() + 1 - kSmallest));
    if (m_edges & kBottom)
        r.setHeight(std::max(kSmallest, r.height() + by.y()));
    setGeometry(r);
}

void CoverPane::mousePressEvent(QMouseEvent* event) {
    press(event->globalPosition().toPoint(), 0);
}

void CoverPane::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        drag(event->globalPosition().toPoint());
}

bool CoverPane::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find_if(m_handles.begin(), m_handles.end(),
                                    [watched](const Handle& h) { return h.panel == watched; });
    if (found == m_handles.end())
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        press(static_cast<QMouseEvent*>(event)->globalPosition().toPoint(), found->edges);
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() & Qt::LeftButton)
            drag(mouse->globalPosition().toPoint());
        return true;
    }
    return false;
}

} // namespace quorvel
