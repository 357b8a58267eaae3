// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentlayouts.h"
#include "headerdata.h"
#include "objdata.h"
#include "pagegeometry.h"

#include <QImage>
#include <QString>
#include <vector>

namespace quorvel {

// The one open document: header, objects, base picture and bookkeeping.
// Plain data with the few operations every subsystem shares; reading and
// writing live in documentreader.h and documentwriter.h.
class Document {
public:
    HeaderDataTyp header;
    std::vector<ObjDataTyp> objects;
    QImage basePicture;   // 32-bit with alpha; the caller puts the start picture in an empty state
    QString file;         // full path; empty for a new document
    QString previousFile; // `file` of the document shown before this one
    QString magic;        // format magic of the file read, such as "QVL-2.21"; empty when new
    bool modified = false;
    int zMin = 0;
    int zMax = 0;
    PageGeometry geometry;
    // The character height in pixels the cloze layout settled on when it last
    // laid out the text (the exercise and the worksheet use it); 0 for none.
    int clozeFontSize = 0;

    // New or empty document: remembers `file` as the previous path, clears it,
    // puts every header field (gap table and crossword included) to its
    // new-document value but keeps the font in effect, resets the z-range and the cloze font size,
    // removes the logo, takes the page ratio from `ratio` and clears the
    // modified flag. Objects stay; clearObjects() frees them.
    void reset(const PageRatioPreset& ratio = {});

    // Frees every object and its pictures.
    void clearObjects();

    // Appends an object made by a layout generator and returns its index.
    int addGeneratedObject(Typ typ, int layer, const QString& cap, int questionNumber, double kx,
                           double ky, int kausr, int fsize);

    // Removes the object at `index`; an index outside the list is ignored.
    void deleteObject(int index);

    // Widens the z-range to include `zIndex`.
    void widenZRange(int zIndex);

    // Derives the page geometry from the base picture and `RandErw` (after reading).
    void derivePageGeometry();

    // Recomputes `RandErw` from the page geometry and, when asked, moves the
    // target points and cards of the page's own labels, points and pictures so
    // that they stay on the same spot of the base picture. Then runs the layout
    // generator of the document type from `layouts` and marks the document
    // modified; the caller recomposes the view.
    void applyPageGeometry(bool keepObjectsOnBasePicture, const DocumentLayouts& layouts);

    // The bytes the document's decoded pictures take (base picture, object
    // and answer pictures, gap-table cells, logo), each shared picture once.
    qint64 pictureBytes() const;
};

} // namespace quorvel
