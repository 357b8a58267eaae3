// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardpicture.h"

#include "rounding.h"

#include <QFileInfo>
#include <algorithm>

namespace quorvel {

QString boardPictureFilter() {
    return QStringLiteral(
        "PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp|Alle Dateien (*.*)|*.*");
}

QString msgInvalidPictureExtension() {
    return QStringLiteral("Öffnen fehlgeschlagen wegen ungültiger Dateinamenserweiterung.");
}

QString msgNoClipboardBitmap() {
    return QStringLiteral("Die Zwischenablage enthält keine Bitmap-Grafik.");
}

QString msgReplaceWholeBoard() {
    return QStringLiteral(
        "Bild aus der Zwischenablage auf den gesamten Zeichenbereich kopieren?\r\n"
        "(Hinweis: Verwenden Sie die Bereichsauswahlfunktion, um das Bild aus der "
        "Zwischenablage nur in einem Teilbereich der Zeichenfläche einzufügen.)\r\n\r\n"
        "Möchten Sie fortfahren und den gesamten Zeichenbereich ersetzen?");
}

QString msgStoreInChronicle() {
    return QStringLiteral("Soll das Bild in die Chronik abgelegt werden?");
}

bool hasBoardPictureExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"bmp" || suffix == u"png" || suffix == u"jpg";
}

QRect fitIntoSelection(QSize picture, const QRect& selection) {
    if (picture.isEmpty() || selection.isEmpty())
        return {};
    const double byWidth = double(picture.width()) / selection.width();
    const double byHeight = double(picture.height()) / selection.height();
    QSize fitted;
    if (byHeight > byWidth)
        fitted = QSize(std::max(1, rnd(picture.width() / byHeight)), selection.height());
    else
        fitted = QSize(selection.width(), std::max(1, rnd(picture.height() / byWidth)));
    const QPoint offset((selection.width() - fitted.width()) / 2,
                        (selection.height() - fitted.height()) / 2);
    return QRect(selection.topLeft() + offset, fitted);
}

AreaSelection AreaSelection::fromCorners(QPoint a, QPoint b) {
    AreaSelection s;
    if (a == b || a.x() < 0 || a.y() < 0 || b.x() < 0 || b.y() < 0)
        return s;
    s.left = std::min(a.x(), b.x());
    s.top = std::min(a.y(), b.y());
    s.right = std::max(a.x(), b.x());
    s.bottom = std::max(a.y(), b.y());
    return s;
}

AreaSelection AreaSelection::movedWithin(int dx, int dy, QSize bounds) const {
    if (!valid())
        return *this;
    const int w = right - left;
    const int h = bottom - top;
    AreaSelection s;
    s.left = std::clamp(left + dx, 0, std::max(0, bounds.width() - w));
    s.top = std::clamp(top + dy, 0, std::max(0, bounds.height() - h));
    s.right = s.left + w;
    s.bottom = s.top + h;
    return s;
}

QString areaInfoText(const QRect& r) {
    // The rectangle's right and bottom are the last pixels inside.
    return QStringLiteral(" (%1,%2) - (%3,%4)  B:%5 H:%6")
        .arg(r.left())
        .arg(r.top())
        .arg(r.right())
        .arg(r.bottom())
        .arg(r.width())
        .arg(r.height());
}

} // namespace quorvel
