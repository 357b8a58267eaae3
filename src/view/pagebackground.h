// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "objdata.h"

#include <QImage>
#include <QSize>

namespace quorvel {

class Document;

// The size the base picture is composed at: pictures whose width divided by
// the picture size share P exceeds 2000 pixels are reduced to width
// round(P x 2000), the height in proportion, so huge scans cost no more than
// the screen can show.
QSize reducedBaseSize(QSize basis, int pictureSizePercent);

// The page (base picture plus margin `RandErw`) in reduced base pixels.
QSize pageSizeInBasePixels(QSize reducedBase, const PageRect& randErw);

// Builds the page background: the margin and everything behind the base picture
// in the page colour `HtgdCol`, the base picture drawn with the opacity
// `BasisbildDeck` and stretched with linear filtering, all at the size of the
// page picture. Scaling a big base picture is the costly part of composing, so
// the reduced base picture and the last background are kept and reused until
// the base picture, margin, colour, opacity or size change.
class PageBackground {
public:
    // The background of `document` at `pagePicture` pixels (Format_ARGB32_Premultiplied).
    const QImage& background(const Document& document, QSize pagePicture);

    // The base picture after the 2000-pixel reduction (cached).
    const QImage& reducedBase(const Document& document);

    // Forgets the cached pictures (for example when the document closes).
    void discard();

    // How many times a background had to be built (for tests and benchmarks).
    int buildCount() const { return m_buildCount; }

private:
    struct Key {
        qint64 basisKey = 0;
        PageRect randErw;
        quint32 colour = 0;
        int opacity = -1;
        int pictureSize = -1;
        QSize size;
        friend bool operator==(const Key&, const Key&) = default;
    };

    QImage m_reduced;
    qint64 m_reducedBaseKey = 0;
    int m_reducedPictureSize = -1;

    QImage m_background;
    Key m_backgroundKey;
    int m_buildCount = 0;
};

} // namespace quorvel
