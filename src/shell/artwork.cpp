// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork.h"

#include "rounding.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quorvel {

namespace {

// The emblem is designed on a 256 x 256 grid; packaging/ holds the same
// drawing as SVG for the desktop.
constexpr double kEmblemGrid = 256.0;

void drawSheet(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(64, 36);
    sheet.lineTo(160, 36);
    sheet.lineTo(196, 72);
    sheet.lineTo(196, 220);
    sheet.lineTo(64, 220);
    sheet.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40)); // soft shadow
    p.drawPath(sheet.translated(4, 5));
    p.setBrush(Qt::white);
    p.drawPath(sheet);

    QPainterPath fold;
    fold.moveTo(160, 36);
    fold.lineTo(160, 72);
    fold.lineTo(196, 72);
    fold.closeSubpath();
    p.setBrush(QColor(0xD6, 0xE2, 0xF3));
    p.drawPath(fold);

    // The base picture: sky, sun and hills.
    p.setBrush(QColor(0xCF, 0xE8, 0xFA));
    p.drawRect(QRectF(80, 84, 100, 60));
    p.setBrush(QColor(0xFF, 0xC8, 0x3D));
    p.drawEllipse(QPointF(160, 100), 10, 10);
    QPainterPath hills;
    hills.moveTo(80, 144);
    hills.lineTo(80, 124);
    hills.quadTo(104, 104, 128, 122);
    hills.quadTo(150, 110, 180, 128);
    hills.lineTo(180, 144);
    hills.closeSubpath();
    p.setBrush(QColor(0x4C, 0xAF, 0x6A));
    p.drawPath(hills);

    // A target point with its leader line to a covered query field.
    const QColor accent(0xE8, 0x55, 0x3D);
    p.setPen(QPen(accent, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(112, 122), QPointF(100, 168));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(QPointF(112, 122), 5, 5);
    p.setBrush(QColor(0xF2, 0x8C, 0x28));
    p.drawRoundedRect(QRectF(76, 166, 64, 20), 5, 5);

    // An uncovered label.
    const QColor line(0x8A, 0xA0, 0xC8);
    p.setBrush(Qt::white);
    p.setPen(QPen(line, 2));
    p.drawRoundedRect(QRectF(120, 194, 64, 18), 5, 5);
    p.setPen(QPen(line, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 203), QPointF(170, 203));
}

} // namespace

void drawEmblem(QPainter& painter, const QRectF& box, bool withBackground) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / kEmblemGrid, box.height() / kEmblemGrid);
    if (withBackground) {
        QLinearGradient blue(8, 8, 248, 248);
        blue.setColorAt(0.0, QColor(0x3B, 0x82, 0xC4));
        blue.setColorAt(1.0, QColor(0x1F, 0x4E, 0x8C));
        painter.setPen(Qt::NoPen);
        painter.setBrush(blue);
        painter.drawRoundedRect(QRectF(8, 8, 240, 240), 48, 48);
    }
    drawSheet(painter);
    painter.restore();
}

QImage programIcon(int edge) {
    QImage icon(edge, edge, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    drawEmblem(painter, QRectF(0, 0, edge, edge), true);
    return icon;
}

QImage drawStartPicture(QSize size) {
    // Painted premultiplied (the fast path of the raster engine), handed out
    // as the plain 32-bit format with alpha that base pictures have.
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    QLinearGradient paper(0, 0, 0, h);
    paper.setColorAt(0.0, QColor(0xF7, 0xF9, 0xFD));
    paper.setColorAt(1.0, QColor(0xDF, 0xE6, 0xF2));
    p.fillRect(picture.rect(), paper);

    // The squares of an exercise book, faint enough to write over, filled as
    // one tiled pattern (line by line they would cost many times as much).
    const int step = std::max(4, rnd(w / 30.0));
    const int lineWidth = std::max(1, rnd(w / 870.0));
    QImage tile(step, step, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    {
        QPainter t(&tile);
        const QColor gridColour(0x9C, 0xB0, 0xD4, 60);
        t.fillRect(QRect(0, 0, lineWidth, step), gridColour);
        t.fillRect(QRect(lineWidth, 0, step - lineWidth, lineWidth), gridColour);
    }
    p.setBrushOrigin(step - lineWidth, step - lineWidth);
    p.fillRect(picture.rect(), QBrush(tile));
    p.setBrushOrigin(0, 0);

    // The emblem, large and light, on the right where the start text does not go.
    const double edge = h * 0.56;
    p.setOpacity(0.9);
    drawEmblem(p, QRectF(w - edge - w * 0.06, (h - edge) / 2.0 + h * 0.04, edge, edge), true);
    p.setOpacity(1.0);

    QLinearGradient band(0, 0, w, 0);
    band.setColorAt(0.0, QColor(0x2A, 0x9D, 0x8F));
    band.setColorAt(1.0, QColor(0x1F, 0x4E, 0x8C));
    p.fillRect(QRectF(0, h - h * 0.012, w, h * 0.012), band);
    p.end();
    picture.convertTo(QImage::Format_ARGB32);
    return picture;
}

QImage dialogDecoration() {
    const int edge = 96;
    QImage picture(edge, edge, QImage::Format_ARGB32);
    QPainter p(&picture);
    QLinearGradient body(0, 0, 0, edge);
    body.setColorAt(0.0, QColor(0xF4, 0xF6, 0xFB));
    body.setColorAt(1.0, QColor(0xDD, 0xE3, 0xF0));
    p.fillRect(picture.rect(), body);
    // Accent bar along the top and a double frame; both survive stretching
    // because they run along the edges.
    p.fillRect(QRect(0, 0, edge, 5), QColor(0x2F, 0x5F, 0xA8));
    p.setPen(QColor(0x83, 0x90, 0xB8));
    p.drawRect(QRect(0, 0, edge - 1, edge - 1));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawLine(1, 5, edge - 2, 5);
    p.drawLine(1, 5, 1, edge - 2);
    return picture;
}

namespace {

QImage emptyCursorImage() {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Black strokes with a white halo, visible on light and dark pages alike.
void strokeWithHalo(QPainter& p, const QPainterPath& path, double width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, width + 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

} // namespace

CursorPicture penCursorPicture() {
    QImage image = emptyCursorImage();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath pencil;
    pencil.moveTo(2, 29);
    pencil.lineTo(5, 21);
    pencil.lineTo(23, 3);
    pencil.lineTo(28, 8);
    pencil.lineTo(10, 26);
    pencil.closeSubpath();
    pencil.moveTo(5, 21);
    pencil.lineTo(10, 26);
    strokeWithHalo(p, pencil, 1.5);
    return {image, QPoint(2, 29)};
}

CursorPicture stampCursorPicture() {
    QImage image = emptyCursorImage();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath stamp;
    stamp.addEllipse(QPointF(16, 6), 4, 4);
    stamp.moveTo(14, 10);
    stamp.lineTo(14, 17);
    stamp.moveTo(18, 10);
    stamp.lineTo(18, 17);
    stamp.addRoundedRect(QRectF(7, 17, 18, 6), 2, 2);
    stamp.moveTo(16, 27);
    stamp.lineTo(16, 31);
    stamp.moveTo(12, 29);
    stamp.lineTo(20, 29);
    strokeWithHalo(p, stamp, 1.5);
    return {image, QPoint(16, 29)};
}

CursorPicture shapePenCursorPicture(int variant) {
    QImage image = emptyCursorImage();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cross;
    cross.moveTo(8, 1);
    cross.lineTo(8, 15);
    cross.moveTo(1, 8);
    cross.lineTo(15, 8);
    strokeWithHalo(p, cross, 1.0);

    QPainterPath shape;
    const QRectF box(15, 15, 15, 14);
    switch (variant) {
    case 1:
        shape.moveTo(box.bottomLeft());
        shape.lineTo(box.topRight());
        break;
    case 2:
        shape.moveTo(box.bottomLeft());
        shape.lineTo(box.topRight());
        shape.moveTo(box.right() - 6, box.top());
        shape.lineTo(box.topRight());
        shape.lineTo(box.right(), box.top() + 6);
        break;
    case 3:
        shape.addRect(box);
        break;
    case 4:
        shape.addEllipse(box);
        break;
    default:
        shape.moveTo(box.center().x(), box.top());
        shape.lineTo(box.bottomRight());
        shape.lineTo(box.bottomLeft());
        shape.closeSubpath();
        break;
    }
    strokeWithHalo(p, shape, 1.5);
    return {image, QPoint(8, 8)};
}

} // namespace quorvel
