// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetpreview.h"

#include "rounding.h"
#include "worksheetexport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace quorvel {

namespace {

// The panel's proportions: a portrait sheet is 1600 wide and 2600 high.
constexpr int kPanelShort = 1600;
constexpr int kPanelLong = 2600;

} // namespace

WorksheetPreview::WorksheetPreview(QWidget* parent) : QScrollArea(parent), m_panel(new QWidget) {
    setObjectName(QStringLiteral("VorschauBox"));
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_panel->setObjectName(QStringLiteral("VorschauPan"));
    m_panel->setCursor(Qt::OpenHandCursor);
    m_panel->installEventFilter(this);
    setWidget(m_panel);
    setWidgetResizable(false);
}

void WorksheetPreview::setPage(const WorksheetPage& page) {
    m_page = page;
    m_bitmap = QImage();
    layOutPanel();
}

QSize WorksheetPreview::panelSize() const {
    const int width = std::max(viewport()->width(), 2 * kBorder + 1);
    const bool landscape = m_page.size.width() > m_page.size.height();
    const double ratio =
        landscape ? double(kPanelShort) / kPanelLong : double(kPanelLong) / kPanelShort;
    return {width, rnd(width * ratio)};
}

void WorksheetPreview::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    layOutPanel();
}

void WorksheetPreview::layOutPanel() {
    const QSize size = panelSize();
    if (m_panel->size() != size)
        m_panel->resize(size);
    const QSize inner = size - QSize(2 * kBorder, 2 * kBorder);
    const qreal scale = devicePixelRatioF();
    const QSize pixels(rnd(inner.width() * scale), rnd(inner.height() * scale));
    if (m_bitmap.size() != pixels) {
        m_bitmap = worksheetImage(m_page, pixels);
        m_bitmap.setDevicePixelRatio(scale);
    }
    m_panel->update();
}

bool WorksheetPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_panel)
        return QScrollArea::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        paintPanel();
        return true;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        m_dragging = true;
        m_dragStart = mouse->globalPosition().toPoint();
        m_scrollStart = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
        m_panel->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            break;
        const QPoint moved =
            static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_dragStart;
        horizontalScrollBar()->setValue(m_scrollStart.x() - moved.x());
        verticalScrollBar()->setValue(m_scrollStart.y() - moved.y());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging)
            break;
        m_dragging = false;
        m_panel->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        break;
    }
    return QScrollArea::eventFilter(watched, event);
}

void WorksheetPreview::paintPanel() {
    QPainter painter(m_panel);
    painter.fillRect(m_panel->rect(), Qt::white);
    painter.drawImage(QPoint(kBorder, kBorder), m_bitmap);
    // The page's edge inside the border, and the panel's own.
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(QRect(QPoint(kBorder, kBorder), m_bitmap.deviceIndependentSize().toSize())
                         .adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::gray);
    painter.drawRect(m_panel->rect().adjusted(0, 0, -1, -1));
}

} // namespace quorvel
