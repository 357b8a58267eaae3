#pragma once

#include <QImage>
#include <QString>

namespace quorvel {

// Loads a picture file, choosing the decoder by the lower-cased extension:
// ".jpg" JPEG, ".png" PNG (alpha kept as in documents), anything else the
// general loader (BMP and what Qt reads). The result is Format_ARGB32; on
// failure a null image and a German description in `error`.
QImage loadPictureFile(const QString& path, QString* error = nullptr);

// Saves a picture file by the lower-cased extension: ".jpg" JPEG at quality
// 99, ".png" PNG at compression level 5 without alpha (flattened to 24 bits),
// anything else a Windows bitmap. On failure returns false with
// "Datei konnte nicht erstellt werden:\r\n" + path in `message`; an existing
// file is left intact.
bool savePictureFile(const QImage& picture, const QString& path, QString* message = nullptr);

} // namespace quorvel
