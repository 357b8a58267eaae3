// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetcanvas.h"

#include "document.h"
#include "worksheetmetrics.h"

#include <QFontMetrics>
#include <QPainter>

namespace quorvel {

QFont WorksheetCanvas::font(int n, bool bold) const {
    return worksheetFont(document.header.Schriftart, n, bold);
}

int WorksheetCanvas::h(int n) const {
    return xHeight(document.header.Schriftart, n);
}

int WorksheetCanvas::textWidth(const QString& text, const QFont& f) const {
    return QFontMetrics(f).horizontalAdvance(text);
}

void WorksheetCanvas::text(int x, int top, const QString& text, const QFont& f) const {
    painter.setFont(f);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawText(QPoint(x, top + QFontMetrics(f).ascent()), text);
}

void WorksheetCanvas::line(int x1, int y1, int x2, int y2) const {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void WorksheetCanvas::frame(int x1, int y1, int x2, int y2) const {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    // A stroked QRect reaches one unit past its right and bottom edge; the
    // frame keeps to x1..x2 - 1 and y1..y2 - 1, so that one across the page
    // stays on it (and inside an exported file's bounds).
    painter.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(0, 0, -2, -2));
}

void WorksheetCanvas::picture(const QRect& target, const QImage& picture) const {
    if (picture.isNull() || target.isEmpty())
        return;
    painter.drawImage(target, onWhite(picture));
}

QImage onWhite(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return picture;
    QImage white(picture.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter p(&white);
    p.drawImage(0, 0, picture);
    p.end();
    return white;
}

} // namespace quorvel
