// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetexport.h"

#include "documentio.h"
#include "metafilewriter.h"
#include "savefile.h"
#include "worksheetpage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>
#include <optional>

namespace quorvel {

namespace {

using namespace Qt::Literals::StringLiterals;

std::optional<MetafileFormat> formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"emf"_s)
        return MetafileFormat::Emf;
    if (suffix == u"wmf"_s)
        return MetafileFormat::Wmf;
    return std::nullopt;
}

// Plays the page stretched into `target` of the painter's device.
void playPage(QPainter& painter, const WorksheetPage& page, const QRectF& target) {
    if (page.size.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / page.size.width(), target.height() / page.size.height());
    painter.drawPicture(QPointF(0, 0), page.picture);
    painter.restore();
}

} // namespace

QString worksheetExportTitle() {
    return u"Arbeitsblatt exportieren"_s;
}

QString worksheetExportFilter() {
    return u"Erweiterte Metadatei (*.emf)|*.emf|Windows-Metadatei (*.wmf)|*.wmf"_s;
}

bool isWorksheetExportExtension(const QString& path) {
    return formatOf(path).has_value();
}

QString msgInvalidSaveExtension() {
    return u"Speichern fehlgeschlagen wegen ungültiger Dateinamenserweiterung."_s;
}

IoResult exportWorksheet(const WorksheetPage& page, const QString& path) {
    const std::optional<MetafileFormat> format = formatOf(path);
    if (!format) {
        IoResult refused = IoResult::failure(u"extension is neither .emf nor .wmf"_s);
        refused.messages << msgInvalidSaveExtension();
        return refused;
    }
    QString error;
    const QByteArray bytes =
        metafileBytes(page.picture, page.size, *format, kWorksheetUnitsPerInch, &error);
    if (bytes.isEmpty()) {
        IoResult failed = IoResult::failure(error);
        failed.messages << msgCannotWrite(path);
        if (!error.isEmpty())
            failed.messages.front() += u"\r\n"_s + error;
        return failed;
    }
    IoResult saved = saveWholeFile(path, bytes);
    if (!saved.ok)
        saved.messages << msgCannotWrite(path);
    return saved;
}

QImage worksheetImage(const WorksheetPage& page, QSize pixels) {
    if (pixels.isEmpty())
        return {};
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    playPage(painter, page, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

QByteArray worksheetSvg(const WorksheetPage& page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(page.size);
    svg.setViewBox(QRect(QPoint(0, 0), page.size));
    svg.setResolution(qRound(kWorksheetUnitsPerInch));
    svg.setTitle(u"Arbeitsblatt"_s);
    QPainter painter(&svg);
    playPage(painter, page, QRectF(QPointF(0, 0), QSizeF(page.size)));
    painter.end();
    return bytes;
}

} // namespace quorvel
