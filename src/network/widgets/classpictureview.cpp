// SPDX-License-Identifier: GPL-3.0-or-later
#include "classpictureview.h"

#include "classpicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace quorvel {

ClassPictureView::ClassPictureView(const ClassPicture& picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setObjectName(QStringLiteral("KlassenbildView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRectF ClassPictureView::target() const {
    return QRectF(rect()).adjusted(4, 4, -4, -4);
}

void ClassPictureView::pageChanged() {
    m_scaled = QPixmap();
    m_drawn.clear();
    update();
}

void ClassPictureView::marksChanged() {
    if (m_scaled.isNull() || m_drawn.size() != m_picture.marks().size()) {
        m_drawn.clear();
        update();
        return;
    }
    QRegion dirty;
    if (m_picture.legendLine() != m_legend)
        dirty += m_picture.legendRect(target()).toAlignedRect();
    for (const int mark : m_picture.changedMarks()) {
        if (mark < 0 || mark >= static_cast<int>(m_drawn.size()))
            continue;
        // What it covered before and what it covers now.
        dirty += m_drawn[std::size_t(mark)].toAlignedRect();
        dirty += m_picture.markBounds(mark, m_pageRect).toAlignedRect();
    }
    update(dirty);
}

void ClassPictureView::resizeEvent(QResizeEvent* event) {
    m_scaled = QPixmap();
    QWidget::resizeEvent(event);
}

void ClassPictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(rect(), palette().window());
    const QRectF area = target();
    m_pageRect = m_picture.pageRect(area);
    const QImage& page = m_picture.page().page;
    if (m_scaled.isNull() && !page.isNull() && !m_pageRect.isEmpty()) {
        m_scaled = QPixmap::fromImage(page.scaled(m_pageRect.size().toSize(), Qt::IgnoreAspectRatio,
                                                  Qt::SmoothTransformation));
    }
    if (!m_scaled.isNull())
        painter.drawPixmap(m_pageRect.topLeft(), m_scaled);
    // Marks are picked by the bounding rectangle of what is repainted; the
    // clip keeps the others' pixels.
    m_picture.paintMarks(painter, m_pageRect, event->rect());
    const QRectF legend = m_picture.legendRect(area);
    if (event->rect().intersects(legend.toAlignedRect())) {
        m_picture.paintLegend(painter, legend);
        m_legend = m_picture.legendLine();
    }
    m_drawn.clear();
    for (int i = 0; i < static_cast<int>(m_picture.marks().size()); ++i)
        m_drawn.push_back(m_picture.markBounds(i, m_pageRect));
}

} // namespace quorvel
