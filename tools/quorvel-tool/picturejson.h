// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentio.h"

#include <QHash>
#include <QImage>
#include <QJsonValue>
#include <QSize>
#include <QString>

namespace quorvel {

// Turns the pictures of a document into JSON values for a dump and, when a
// folder is given, also writes each one there as a PNG file. PNG is written
// with the document codec, so an alpha channel survives (a picture file
// saved the program's usual way would be flattened).
class PictureExport {
public:
    // `directory` empty: only sizes, no files.
    explicit PictureExport(QString directory = {});

    // null for a null picture, else {"width", "height"} and, when exporting,
    // "file": the folder joined with `name` + ".png". Throws
    // JsonMappingError when the folder or the file cannot be written.
    QJsonValue toJson(const QImage& picture, const QString& name) const;

private:
    QString m_directory;
};

// A picture as given in JSON: null, or an object with "width" and "height"
// and an optional "file".
struct JsonPicture {
    QImage image;       // loaded from "file"; null when no file was given
    QSize declaredSize; // "width" x "height"; invalid when not given
};

// The picture files one JSON document names. Relative names are resolved
// against `baseDir`; each file is decoded once, however often it is named.
// The document's pictures share the budget a read document's decoded
// pictures have (documentio.h), a picture named twice counting twice: a
// document the program would refuse to open is not built.
class PictureFiles {
public:
    explicit PictureFiles(QString baseDir, qint64 budget = kDefaultPictureBudget);

    // The picture in `file`. Throws JsonMappingError naming `path` when it
    // cannot be loaded or passes the budget (msgPicturesTooLarge()).
    QImage load(const QString& file, const QString& path);
    // Counts a picture made otherwise (a blank page) against the budget.
    void count(const QImage& picture, const QString& path);

private:
    QString m_baseDir;
    qint64 m_budget;
    qint64 m_used = 0;
    QHash<QString, QImage> m_loaded; // by resolved path
};

// Reads a picture value; an absent one means none. The "file" is read through
// `files` as PNG, JPEG or BMP by its content. Throws JsonMappingError (naming
// `path`) for a wrong shape, a file that cannot be loaded, sizes that
// contradict the file, or pictures past the budget.
JsonPicture pictureFromJson(const QJsonValue& value, const QString& path, PictureFiles& files);

} // namespace quorvel
