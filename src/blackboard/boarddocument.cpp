// SPDX-License-Identifier: GPL-3.0-or-later
#include "boarddocument.h"

#include "document.h"
#include "documentio.h"

#include <QFileInfo>

namespace quorvel {

QString boardDocumentFilter() {
    return QStringLiteral("Quorvel-Dokument (*.qvl)|*.qvl|Alle Dateien (*.*)|*.*");
}

bool isBoardDocumentName(const QString& path) {
    return !QFileInfo(path).fileName().contains(u'"');
}

IoResult writeBoardDocument(Document& document, const QImage& shown, const QString& path) {
    const QString titel = document.header.titel;
    const QImage base = document.basePicture;
    const PageRect randErw = document.header.RandErw;
    const PageGeometry geometry = document.geometry;

    document.header.titel = QFileInfo(path).completeBaseName();
    document.basePicture = shown.convertToFormat(QImage::Format_ARGB32);
    document.header.RandErw = PageRect();
    document.derivePageGeometry();
    const IoResult written = writeDocumentFile(document, path, true);
    if (!written.ok) {
        // A failed save changes nothing the user could lose.
        document.header.titel = titel;
        document.basePicture = base;
        document.header.RandErw = randErw;
        document.geometry = geometry;
    }
    return written;
}

} // namespace quorvel
