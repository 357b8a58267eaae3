// SPDX-License-Identifier: GPL-3.0-or-later
#include "samplepage.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace metafilecheck {

SamplePage samplePage() {
    SamplePage page;
    page.title = QStringLiteral("Äpfel über Öl");
    page.body = QStringLiteral("Grüße aus Köln: ß, é, € und 50 %");
    page.pictureRect = QRect(600, 300, 300, 200);
    page.pictureSize = QSize(60, 40);

    QImage image(page.pictureSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 6, 200));

    QPainter painter(&page.picture);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(48);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QPointF(100, 150), page.title);

    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(QRectF(80, 80, 840, 100));
    painter.drawLine(QLineF(80, 250, 920, 250));
    painter.setPen(QPen(Qt::darkBlue, 2, Qt::DashLine));
    painter.drawLine(QLineF(80, 270, 920, 270));

    QFont body(QStringLiteral("Liberation Serif"));
    body.setPixelSize(30);
    painter.setFont(body);
    painter.setPen(Qt::darkRed);
    painter.drawText(QPointF(100, 350), page.body);

    painter.setPen(QPen(Qt::darkGreen, 2));
    painter.setBrush(QColor(200, 230, 200));
    painter.drawEllipse(QRectF(100, 600, 300, 150));
    QPainterPath triangle;
    triangle.moveTo(500, 800);
    triangle.lineTo(700, 800);
    triangle.lineTo(600, 650);
    triangle.closeSubpath();
    painter.drawPath(triangle);

    painter.drawImage(QRectF(page.pictureRect), image);

    // A clipped, moved and scaled part, as a page body draws its cells.
    painter.save();
    painter.setClipRect(QRectF(100, 900, 400, 100));
    painter.translate(100, 900);
    painter.scale(2, 2);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(10, 10, 100, 30));
    painter.setFont(body);
    painter.drawText(QPointF(20, 35), QStringLiteral("Lücke"));
    painter.restore();
    painter.end();
    return page;
}

} // namespace metafilecheck
