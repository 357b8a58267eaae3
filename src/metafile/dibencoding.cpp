// SPDX-License-Identifier: GPL-3.0-or-later
#include "dibencoding.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

QSize boundedSize(const QSize& size, const QSize& maxSize, qint64 maxPixels) {
    double factor = 1;
    factor = std::min(factor, double(std::max(1, maxSize.width())) / size.width());
    factor = std::min(factor, double(std::max(1, maxSize.height())) / size.height());
    const double pixels = double(size.width()) * size.height() * factor * factor;
    if (pixels > double(maxPixels))
        factor *= std::sqrt(double(maxPixels) / pixels);
    return QSize(std::max(1, int(size.width() * factor)), std::max(1, int(size.height() * factor)));
}

void put32(char* at, quint32 value) {
    qToLittleEndian(value, at);
}
void put16(char* at, quint16 value) {
    qToLittleEndian(value, at);
}

} // namespace

Dib encodeDib(const QImage& image, const QSize& maxSize, qint64 maxPixels) {
    Dib dib;
    if (image.isNull() || image.width() <= 0 || image.height() <= 0 || maxPixels < 1)
        return dib;
    const QSize size = boundedSize(image.size(), maxSize, maxPixels);
    QImage source = size == image.size()
                        ? image
                        : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (source.hasAlphaChannel()) {
        QImage paper(source.size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter painter(&paper);
        painter.drawImage(0, 0, source);
        painter.end();
        source = paper;
    }
    source = source.convertToFormat(QImage::Format_RGB888);
    if (source.isNull())
        return dib;

    const int width = source.width();
    const int height = source.height();
    const qsizetype stride = (qsizetype(width) * 3 + 3) / 4 * 4;
    dib.size = QSize(width, height);
    dib.header = QByteArray(40, '\0');
    char* h = dib.header.data();
    put32(h, 40);
    put32(h + 4, quint32(width));
    put32(h + 8, quint32(height)); // positive: the bottom row comes first
    put16(h + 12, 1);              // planes
    put16(h + 14, 24);             // bits per pixel
    put32(h + 16, 0);              // uncompressed
    put32(h + 20, quint32(stride * height));
    dib.bits = QByteArray(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        const uchar* in = source.constScanLine(height - 1 - y);
        char* out = dib.bits.data() + stride * y;
        for (int x = 0; x < width; ++x) {
            out[3 * x] = char(in[3 * x + 2]);
            out[3 * x + 1] = char(in[3 * x + 1]);
            out[3 * x + 2] = char(in[3 * x]);
        }
    }
    return dib;
}

} // namespace quorvel
