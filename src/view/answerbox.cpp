// SPDX-License-Identifier: GPL-3.0-or-later
#include "answerbox.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quorvel {

namespace {

constexpr int kBoxSide = 65;
// Sides beyond this are drawn at it and stretched: a hostile zoom must not
// allocate a huge picture.
constexpr int kMaxDrawnSide = 4096;

} // namespace

QImage drawAnswerBox(bool ticked, QSize size) {
    const QSize bounded(std::clamp(size.width(), 1, kMaxDrawnSide),
                        std::clamp(size.height(), 1, kMaxDrawnSide));
    QImage picture(bounded, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::transparent);
    const double side = std::min(bounded.width(), bounded.height());
    const double x0 = (bounded.width() - side) / 2.0;
    const double y0 = (bounded.height() - side) / 2.0;
    const double frame = std::max(1.0, side * 0.07);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(x0 + side * 0.08, y0 + side * 0.08, side * 0.84, side * 0.84);
    painter.setPen(QPen(QColor(40, 52, 110), frame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(box, side * 0.08, side * 0.08);
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(x0 + side * 0.24, y0 + side * 0.52);
        tick.lineTo(x0 + side * 0.42, y0 + side * 0.72);
        tick.lineTo(x0 + side * 0.78, y0 + side * 0.26);
        painter.setPen(QPen(QColor(0, 140, 40), std::max(1.5, side * 0.12), Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    painter.end();
    if (bounded != size && size.width() > 0 && size.height() > 0)
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

const AnswerBoxPictures& answerBoxPictures() {
    static const AnswerBoxPictures pictures{drawAnswerBox(false, QSize(kBoxSide, kBoxSide)),
                                            drawAnswerBox(true, QSize(kBoxSide, kBoxSide))};
    return pictures;
}

std::optional<bool> answerBoxShown(const QImage& picture) {
    if (picture.isNull())
        return std::nullopt;
    const AnswerBoxPictures& boxes = answerBoxPictures();
    if (picture.cacheKey() == boxes.MCImg1.cacheKey())
        return true;
    if (picture.cacheKey() == boxes.MCImg0.cacheKey())
        return false;
    return std::nullopt;
}

} // namespace quorvel
