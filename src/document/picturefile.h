// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"
#include "pngcodec.h"

#include <QImage>
#include <QString>

namespace quorvel {

// Loads a picture file, choosing the decoder by the file's first bytes:
// JPEG (greyscale, RGB and CMYK), PNG (alpha kept as in documents) or a
// Windows bitmap; anything else (and anything that is not a regular file,
// which is never opened) is refused with the reason "Kein PNG-, JPEG- oder
// BMP-Bild". The size limits of pngcodec.h apply to every kind. The result is
// Format_ARGB32. On failure a null image and in `error`
// "Bilddatei konnte nicht gelesen werden: " + path, followed by "\r\n" and a
// short German reason when one is known (the reason is the detail as well).
// The caller shows the wait cursor.
IoResult loadPictureFile(const QString& path, QImage& picture);

// Saves a picture file by the lower-cased extension: ".jpg" JPEG at quality
// 99 (colour at full resolution), ".png" PNG at compression level 5, anything
// else a 24-bit Windows bitmap. Every kind is flattened to 24 bits: the alpha
// byte is dropped, the colours stay as they are. On failure (including a null
// picture) the one message is "Datei konnte nicht erstellt werden:\r\n" + path;
// the file is written under a temporary name and renamed at the end, so an
// existing file is left intact.
// A PNG is written at zlib level `pngLevel`.
IoResult savePictureFile(const QImage& picture, const QString& path, int pngLevel = kPngLevel);

} // namespace quorvel
