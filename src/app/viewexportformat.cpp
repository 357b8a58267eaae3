// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewexportformat.h"

#include <QFileInfo>

namespace quorvel {

QString exportDialogTitle() {
    return QStringLiteral("Ansicht in Bilddatei speichern");
}

QString exportFilter() {
    return QStringLiteral(
        "Alle Dateien (*.*)|*.*|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp");
}

bool isExportExtension(const QString& path) {
    // The suffix after the last dot of the file name only: "bild.png.gif" is a GIF name,
    // and a dot in a folder name does not count.
    const QString fileName = QFileInfo(path).fileName();
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString suffix = fileName.mid(dot).toLower();
    return suffix == u".bmp" || suffix == u".png" || suffix == u".jpg";
}

QString exportExtensionError() {
    return QStringLiteral("Speichern fehlgeschlagen wegen ungültiger Dateinamenserweiterung.");
}

} // namespace quorvel
