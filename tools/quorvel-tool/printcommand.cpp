// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcommand.h"

#include "printerjob.h"
#include "printerqueue.h"

#include <QFileInfo>
#include <QPrinter>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

std::optional<QString> parsePrintLength(const QString& value, const QString& option, bool size,
                                        QString& error) {
    const std::optional<double> centimetres = parseCentimetres(value);
    if (centimetres && (!size || *centimetres >= 0.01))
        return value;
    error = u"%1 expects centimetres %2 1000 (\",\" or \".\" as decimal mark), got \"%3\""_s.arg(
        option, size ? u"above 0 up to"_s : u"from 0 to"_s, value);
    return std::nullopt;
}

void applyPrintRatio(PrintCommandOptions& options, double ratio) {
    ViewPrintFields& fields = options.fields;
    if (!fields.keepRatio)
        return;
    if (options.heightGiven && !options.widthGiven) {
        if (const std::optional<QString> width = widthForHeight(fields.height, ratio))
            fields.width = *width;
    } else if (const std::optional<QString> height = heightForWidth(fields.width, ratio)) {
        fields.height = *height;
    }
}

CommandOutcome printCommand(const ViewLayouts& layouts, const QString& documentPath,
                            PrintCommandOptions options) {
    QString queue = options.queue;
    if (queue.isEmpty()) {
        queue = defaultQueue();
        if (queue.isEmpty()) {
            return {kExitFailure,
                    {},
                    {anyQueue() ? u"Es ist kein Standarddrucker eingerichtet."_s
                                : u"Es ist kein Drucker eingerichtet."_s}};
        }
    } else if (!queueExists(queue)) {
        return {kExitFailure, {}, {u"Der Drucker \"%1\" ist nicht eingerichtet."_s.arg(queue)}};
    }

    RenderOptions render;
    render.size = options.size;
    QImage view;
    CommandOutcome failed;
    if (!composeCommandView(layouts, documentPath, render, view, failed))
        return failed;

    applyPrintRatio(options, pictureRatio(view.size()));
    QString error;
    const std::optional<ViewPrintJob> job = viewPrintJob(options.fields, error);
    if (!job)
        return {kExitFailure, {}, {error}};

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    const PrintOutcome printed =
        printView(printer, *job, view, QFileInfo(documentPath).completeBaseName());
    if (!printed.ok)
        return {kExitFailure, {}, {printed.error}};
    return {};
}

} // namespace quorvel
