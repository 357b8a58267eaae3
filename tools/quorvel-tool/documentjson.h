// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"

#include <QJsonObject>
#include <QString>

namespace quorvel {

// The JSON form of a document, as `quorvel-tool dump` prints it and
// `quorvel-tool build` reads it:
//
//   {"format": "QVL-2.21", "header": {...}, "crossword": {...}, "logo": {...},
//    "objects": [{...}, ...], "basisbild": picture}
//
// Header, cell and object keys are the field names of the records. Colours are
// unsigned integers (0x00BBGGRR), rects are [left, top, right, bottom]. The gap
// table holds the used rows and columns only; the crossword grid is indexed
// [x][y]. A picture is null or {"width", "height"} with an optional "file".

struct DumpOptions {
    QString format;      // the magic of the file the document came from
    QString picturesDir; // non-empty: every picture is also written there as PNG
};

// The document as JSON. With a pictures folder, pictures are written there as
// basePicture.png, logo.png, cell-r<row>-c<column>.png, obj<n>-picture.png and
// obj<n>-antw<k>.png (all numbers counted from 0, as the JSON arrays are).
// Returns false with an English message in `error` when a picture file
// cannot be written.
bool documentToJson(const Document& document, const DumpOptions& options, QJsonObject& json,
                    QString* error = nullptr);

// One object as `documentToJson` lists it, its pictures as sizes only.
QJsonObject objectToJson(const ObjDataTyp& object);

// Fills `document`, which must be reset and empty, from `json`. Every key is
// optional; an absent one keeps the new-document value (`EinrueckRand` the
// default of the document type). Absent object fields take the values a file
// reader gives a field missing from the file, including the title, text colour,
// background and opacity of info, link and document points. Every object
// widens the z-range. Relative picture files are resolved against `baseDir`.
// A missing or sizes-only base picture becomes a white picture of the given
// size, else 870 x 600, so that the document can be written. Returns false
// with an English message naming the key ("objects[2].Fsize: ...") for
// unknown keys, wrong types, out-of-range numbers and unloadable pictures;
// `document` is then partly filled.
bool documentFromJson(const QJsonObject& json, const QString& baseDir, Document& document,
                      QString* error = nullptr);

// The size of the white base picture given to a document without one.
inline constexpr int kDefaultBasePictureWidth = 870;
inline constexpr int kDefaultBasePictureHeight = 600;

} // namespace quorvel
