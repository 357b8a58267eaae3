// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetcommand.h"

#include "crossmatchinglayout.h"
#include "document.h"
#include "documentio.h"
#include "metafilewriter.h"
#include "randomgenerator.h"
#include "savefile.h"
#include "typecodes.h"
#include "viewlayouts.h"
#include "worksheetcontrols.h"
#include "worksheetexport.h"
#include "worksheetpage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray pdfBytes(const WorksheetPage& page) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(u"Quorvel"_s);
    pdf.setTitle(u"Arbeitsblatt"_s);
    pdf.setResolution(600);
    const bool landscape = page.size.width() > page.size.height();
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                  landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter painter(&pdf);
    // The sheet fitted into the printable area, centred, its ratio kept.
    const QRect area = painter.viewport();
    const double scale = std::min(double(area.width()) / page.size.width(),
                                  double(area.height()) / page.size.height());
    painter.translate((area.width() - page.size.width() * scale) / 2,
                      (area.height() - page.size.height() * scale) / 2);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, page.picture);
    painter.end();
    return buffer.data();
}

QByteArray pngBytes(const WorksheetPage& page, QString* error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!worksheetImage(page, page.size).save(&buffer, "PNG")) {
        *error = u"PNG encoding failed"_s;
        return {};
    }
    return buffer.data();
}

CommandOutcome failure(QStringList lines) {
    lines.removeAll(QString());
    return {kExitFailure, {}, std::move(lines)};
}

} // namespace

std::optional<WorksheetFormat> worksheetFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"emf")
        return WorksheetFormat::Emf;
    if (suffix == u"wmf")
        return WorksheetFormat::Wmf;
    if (suffix == u"svg")
        return WorksheetFormat::Svg;
    if (suffix == u"pdf")
        return WorksheetFormat::Pdf;
    if (suffix == u"png")
        return WorksheetFormat::Png;
    return std::nullopt;
}

QByteArray worksheetFileBytes(const WorksheetPage& page, WorksheetFormat format, QString* error) {
    switch (format) {
    case WorksheetFormat::Emf:
        return metafileBytes(page.picture, page.size, MetafileFormat::Emf, kWorksheetUnitsPerInch,
                             error);
    case WorksheetFormat::Wmf:
        return metafileBytes(page.picture, page.size, MetafileFormat::Wmf, kWorksheetUnitsPerInch,
                             error);
    case WorksheetFormat::Svg:
        return worksheetSvg(page);
    case WorksheetFormat::Pdf:
        return pdfBytes(page);
    case WorksheetFormat::Png:
        return pngBytes(page, error);
    }
    return {};
}

CommandOutcome worksheetCommand(const ViewLayouts& layouts, const QString& documentPath,
                                const QString& outputPath, const WorksheetCommandOptions& options) {
    const std::optional<WorksheetFormat> format = worksheetFormatOf(outputPath);
    if (!format)
        return failure({msgInvalidSaveExtension()});

    Document document;
    CommandOutcome failed;
    if (!readCommandDocument(layouts, documentPath, document, failed))
        return failed;

    // As in the dialog, a cross matching's right-hand items are shuffled, or
    // the sheet would give every pair away; always in the same order, so that
    // the worksheet and the solution sheets of two calls fit together.
    if (dokTypOf(document.header) == DokTyp::CrossMatching) {
        RandomGenerator random(0);
        prepareCrossMatching(document, true, random);
    }

    const WorksheetSettings start = startWorksheetSettings(document);
    WorksheetSettings settings = start;
    if (options.kind)
        settings.kind = static_cast<WorksheetKind>(*options.kind);
    settings.landscape = options.landscape;
    bool titleGiven = false;
    for (const auto& [control, value] : options.sets) {
        if (const std::optional<QString> error = setWorksheetControl(settings, control, value)) {
            return {kExitUsage,
                    {},
                    {u"quorvel-tool: "_s + *error,
                     u"Run \"quorvel-tool worksheet --help\" for usage."_s}};
        }
        titleGiven = titleGiven || control == u"TitelEdit";
    }
    // Without the document's title and without a title of its own the sheet
    // has none, as after answering "Titelzeile ganz entfernen?" with yes.
    if (!titleGiven && !settings.useDocumentTitle)
        settings.title.clear();
    // Switching the orientation in the dialog fits the base picture to the
    // new page on the next drawing.
    settings.fitBasePicture = settings.landscape != start.landscape;

    const WorksheetPage page = buildWorksheet(document, settings, layouts);
    QString error;
    const QByteArray bytes = worksheetFileBytes(page, *format, &error);
    if (bytes.isEmpty())
        return failure({msgCannotWrite(outputPath), error});
    const IoResult saved = saveWholeFile(outputPath, bytes);
    if (!saved.ok)
        return failure({msgCannotWrite(outputPath), saved.detail});
    return {};
}

} // namespace quorvel
