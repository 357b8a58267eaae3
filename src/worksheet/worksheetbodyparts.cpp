// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetbodyparts.h"

#include "clozelines.h"
#include "document.h"
#include "objectdrawer.h"
#include "pagebackground.h"
#include "rounding.h"
#include "viewcomposer.h"

#include <QPainter>
#include <algorithm>
#include <numeric>

namespace quorvel {

namespace {

// The page picture's longer side at most: the base picture is reduced to
// 2000 pixels already, but a hostile margin could still ask for more.
constexpr int kMaxPictureSide = 4000;
// A document without a base picture gets a picture of the view's design size.
constexpr QSize kNoBaseSize(870, 650);

QSize boundedSize(QSize size) {
    const int longer = std::max(size.width(), size.height());
    if (longer <= kMaxPictureSide)
        return size;
    const double f = double(kMaxPictureSide) / longer;
    return QSize(std::max(1, rnd(size.width() * f)), std::max(1, rnd(size.height() * f)));
}

QImage whiteImage(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    if (!picture.isNull())
        picture.fill(Qt::white);
    return picture;
}

} // namespace

QImage basePagePicture(const Document& document, bool withBase) {
    const QImage& base = document.basePicture;
    const QSize reduced =
        base.isNull() ? kNoBaseSize : reducedBaseSize(base.size(), document.geometry.pictureSize);
    const PageRect margin = boundedIndent(document.header.RandErw);
    const QSize page = pageSizeInBasePixels(reduced, margin);
    const QSize size = boundedSize(page);
    QImage picture = whiteImage(size);
    if (picture.isNull() || !withBase || base.isNull())
        return picture;
    const double f = double(size.width()) / page.width();
    const QRectF target(rnd(reduced.width() * margin.left) * f,
                        rnd(reduced.height() * margin.top) * f, reduced.width() * f,
                        reduced.height() * f);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Transparent parts of the picture stay white.
    painter.drawImage(target, base);
    return picture;
}

QImage composedPagePicture(const WorksheetBodyContext& context) {
    if (!context.layouts)
        return QImage();
    Document copy = context.document;
    ViewComposer composer(copy, *context.layouts);
    composer.setViewArea(basePagePicture(context.document, false).size());
    composer.rebuild();
    if (composer.outOfMemory() || composer.page().isNull())
        return QImage();
    QImage picture = whiteImage(composer.page().size());
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    painter.drawImage(0, 0, composer.page());
    return picture;
}

std::vector<int> zOrdered(const Document& document) {
    std::vector<int> order(document.objects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return document.objects[size_t(a)].ZIndex < document.objects[size_t(b)].ZIndex;
    });
    return order;
}

void drawWorksheetObjects(QImage& picture, const WorksheetBodyContext& context,
                          const std::vector<int>& indices, bool firstLetter) {
    if (picture.isNull() || indices.empty())
        return;
    DrawContext drawContext = DrawContext::forPage(context.document.header, picture.size());
    drawContext.worksheet.mode = worksheetMode(context.settings.kind);
    drawContext.worksheet.boxSizeIndex = context.settings.boxSizeIndex;
    drawContext.worksheet.firstLetter = firstLetter;
    ObjectDrawer drawer;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int index : indices) {
        // The drawer records card rectangles; the document is the caller's.
        ObjDataTyp object = context.document.objects[size_t(index)];
        drawer.draw(painter, drawContext, object);
    }
}

PlacedPicture placeBasePicture(WorksheetBodyContext& context, const QImage& picture, int top) {
    PlacedPicture placed;
    placed.top = top;
    if (picture.isNull())
        return placed;
    WorksheetSettings& settings = context.settings;
    const double w = context.width;
    const double pictureW = picture.width();
    const double pictureH = picture.height();
    if (settings.fitBasePicture) {
        // A new orientation: the picture fills the width, or the height
        // down to the body limit when it would reach below it.
        int pw = context.width;
        const int ph = rnd(w * pictureH / pictureW);
        if (top + ph > context.bodyLimit)
            pw = rnd(std::max(0, context.bodyLimit - top) * pictureW / pictureH);
        settings.basePictureSize = 100.0 * pw / w;
        settings.basePictureY = 0.0;
        settings.fitBasePicture = false;
    }
    const double size = std::clamp(settings.basePictureSize, 0.0, 300.0);
    const double x = std::clamp(settings.basePictureX, -20.0, 20.0);
    const double y = std::max(settings.basePictureY, -20.0);
    int pw = rnd(size * w / 100.0);
    const int ph = rnd(pw * pictureH / pictureW);
    placed.top = top + rnd(std::min(y, 1000.0) * 62.5);
    placed.height = ph;
    if (settings.fullWidth)
        pw = context.width;
    const int x0 = rnd((context.width - pw) * 0.5) + rnd(x * 62.5);

    // The part above the body top and below the body limit is cut off, and
    // what lies beside the page; the cut is taken from the picture in
    // proportion.
    const double left = std::max(0, x0);
    const double right = std::min<double>(context.width, double(x0) + pw);
    const double upper = std::max(placed.top, top);
    const double lower = std::min<double>(context.bodyLimit, double(placed.top) + ph);
    if (pw <= 0 || ph <= 0 || right <= left || lower <= upper)
        return placed;
    const QRectF source((left - x0) * pictureW / pw, (upper - placed.top) * pictureH / ph,
                        (right - left) * pictureW / pw, (lower - upper) * pictureH / ph);
    placed.shown = QRect(int(left), int(upper), int(right - left), int(lower - upper));
    context.painter.save();
    context.painter.setRenderHint(QPainter::SmoothPixmapTransform);
    context.painter.drawImage(QRectF(placed.shown), picture, source);
    context.painter.restore();
    return placed;
}

void drawBodyFrame(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    // Within `rect`: a stroked QRect reaches one unit past its right and
    // bottom edge, which would lie outside a frame across the page.
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace quorvel
