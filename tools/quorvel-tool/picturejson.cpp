// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturejson.h"

#include "jsonreader.h"
#include "picturefile.h"
#include "pngcodec.h"
#include "savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <utility>

namespace quorvel {

PictureExport::PictureExport(QString directory) : m_directory(std::move(directory)) {}

QJsonValue PictureExport::toJson(const QImage& picture, const QString& name) const {
    if (picture.isNull())
        return QJsonValue(QJsonValue::Null);
    QJsonObject json{{QStringLiteral("width"), picture.width()},
                     {QStringLiteral("height"), picture.height()}};
    if (m_directory.isEmpty())
        return json;

    // Only the last level is made: a mistyped path must not grow a tree of
    // folders from the root.
    if (!QFileInfo(m_directory).isDir() && !QDir().mkdir(m_directory))
        throwJsonError({}, QStringLiteral("cannot create the folder %1").arg(m_directory));
    const QString file = QDir(m_directory).filePath(name + QStringLiteral(".png"));
    const IoResult saved =
        saveWholeFile(file, [&picture](QIODevice& out) { return encodePng(picture, out).ok; });
    if (!saved) {
        throwJsonError(
            {}, QStringLiteral("cannot write the picture file %1: %2").arg(file, saved.detail));
    }
    json.insert(QStringLiteral("file"), file);
    return json;
}

PictureFiles::PictureFiles(QString baseDir, qint64 budget)
    : m_baseDir(std::move(baseDir)), m_budget(budget) {}

void PictureFiles::count(const QImage& picture, const QString& path) {
    m_used += picture.sizeInBytes();
    if (m_used > m_budget)
        throwJsonError(path, msgPicturesTooLarge());
}

QImage PictureFiles::load(const QString& file, const QString& path) {
    const QString resolved = QFileInfo(file).isAbsolute() ? file : QDir(m_baseDir).filePath(file);
    QImage picture = m_loaded.value(resolved);
    if (picture.isNull()) {
        // Past the budget already: nothing more is decoded.
        if (m_used >= m_budget)
            throwJsonError(path, msgPicturesTooLarge());
        const IoResult loaded = loadPictureFile(resolved, picture);
        if (!loaded.ok) {
            const QString error = loaded.messages.isEmpty()
                                      ? QStringLiteral("cannot load %1").arg(resolved)
                                      : loaded.messages.first();
            throwJsonError(path, error);
        }
    }
    count(picture, path);
    m_loaded.insert(resolved, picture);
    return picture;
}

JsonPicture pictureFromJson(const QJsonValue& value, const QString& path, PictureFiles& files) {
    JsonPicture result;
    if (value.isNull() || value.isUndefined())
        return result;
    JsonObjectReader reader(jsonToObject(value, path), path);
    const bool hasWidth = reader.has("width");
    const bool hasHeight = reader.has("height");
    if (hasWidth != hasHeight)
        throwJsonError(path, QStringLiteral("\"width\" and \"height\" go together"));
    int width = 0;
    int height = 0;
    reader.read("width", width);
    reader.read("height", height);
    if (hasWidth) {
        if (width < 1 || height < 1) {
            throwJsonError(path, QStringLiteral("picture size %1 x %2 must be at least 1 x 1")
                                     .arg(width)
                                     .arg(height));
        }
        if (const QString tooLarge = pictureSizeError(width, height); !tooLarge.isEmpty())
            throwJsonError(path, tooLarge);
        result.declaredSize = QSize(width, height);
    }

    QString file;
    if (reader.read("file", file)) {
        if (file.isEmpty())
            throwJsonError(reader.pathOf("file"), QStringLiteral("empty file name"));
        result.image = files.load(file, reader.pathOf("file"));
        if (result.declaredSize.isValid() && result.declaredSize != result.image.size()) {
            throwJsonError(path, QStringLiteral("declared %1 x %2, but %3 is %4 x %5")
                                     .arg(width)
                                     .arg(height)
                                     .arg(file)
                                     .arg(result.image.width())
                                     .arg(result.image.height()));
        }
    }
    reader.finish();
    return result;
}

} // namespace quorvel
