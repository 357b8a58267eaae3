#pragma once

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

// Reads a picture value; an absent one means none. A relative "file" is resolved against `baseDir`;
// the file is read as PNG, JPEG or BMP by its extension. Throws JsonMappingError (naming `path`)
// for a wrong shape, a file that cannot be loaded, or sizes that contradict the file.
JsonPicture pictureFromJson(const QJsonValue& value, const QString& path, const QString& baseDir);

} // namespace quorvel
