// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

class QImage;

namespace quorvel {

// A device-independent bitmap as both metafile formats embed it: the 40-byte
// information header and the pixel rows, 24 bits, bottom row first, each row
// padded to four bytes.
struct Dib {
    QByteArray header;
    QByteArray bits;
    QSize size;
};

// Encodes `image` composited on white paper. Larger images are scaled down to
// `maxSize` (keeping their proportions) and to at most `maxPixels` pixels, so
// that the file's size stays bounded whatever the page holds. A null image
// gives an empty Dib.
Dib encodeDib(const QImage& image, const QSize& maxSize, qint64 maxPixels);

} // namespace quorvel
