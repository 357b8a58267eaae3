// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafilewriter.h"

#include "emfwriter.h"
#include "metafileengine.h"
#include "wmfwriter.h"

#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cmath>
#include <memory>

namespace quorvel {

namespace {

// Device units per inch the records aim at: fine enough that rounding to
// whole units never shows.
constexpr double kTargetDeviceDpi = 1440;
// The placeable format holds 16-bit coordinates.
constexpr double kWmfMaxSide = 32000;
constexpr int kMaxPageSide = 100000;
constexpr double kMaxUnitsPerInch = 60000;
// Beyond this a file is not worth writing; the writer stops growing it.
constexpr qsizetype kMaxFileSize = 128 * 1024 * 1024;

} // namespace

QByteArray metafileBytes(const QPicture& picture, const QSize& pageSize, MetafileFormat format,
                         double unitsPerInch, QString* error) {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return QByteArray();
    };
    if (pageSize.width() < 1 || pageSize.height() < 1 || pageSize.width() > kMaxPageSide ||
        pageSize.height() > kMaxPageSide || !qIsFinite(unitsPerInch) || unitsPerInch < 1 ||
        unitsPerInch > kMaxUnitsPerInch)
        return fail(QStringLiteral("Die Seite hat keine gültige Größe für eine Metadatei."));

    const int longest = std::max(pageSize.width(), pageSize.height());
    double scale = std::max(1.0, kTargetDeviceDpi / unitsPerInch);
    if (format == MetafileFormat::Wmf)
        scale = std::min(scale, kWmfMaxSide / longest);
    const QSize deviceSize(std::max(1, int(std::lround(pageSize.width() * scale))),
                           std::max(1, int(std::lround(pageSize.height() * scale))));
    const QSizeF millimetres(pageSize.width() * 25.4 / unitsPerInch,
                             pageSize.height() * 25.4 / unitsPerInch);

    std::unique_ptr<MetafileSink> sink;
    if (format == MetafileFormat::Emf)
        sink = std::make_unique<EmfWriter>(deviceSize, millimetres, kMaxFileSize);
    else
        sink = std::make_unique<WmfWriter>(deviceSize, int(std::lround(unitsPerInch * scale)),
                                           kMaxFileSize);

    if (format == MetafileFormat::Wmf) {
        // Some readers size the drawing by what is drawn rather than by the
        // placeable box; an invisible rectangle over the page keeps its margins.
        sink->usePen(MetafilePen{.style = MetafilePen::Null});
        sink->useBrush(MetafileBrush{.style = MetafileBrush::Null});
        sink->rectangle(QRect(QPoint(0, 0), QPoint(deviceSize.width(), deviceSize.height())));
    }

    // The picture's fonts were sized for the resolution a QPicture reports.
    const int dpi = QPicture().logicalDpiY();
    MetafilePaintEngine engine(*sink, scale);
    MetafileDevice device(pageSize, unitsPerInch, dpi, &engine);
    QPainter painter;
    if (!painter.begin(&device))
        return fail(QStringLiteral("Die Metadatei konnte nicht gezeichnet werden."));
    painter.drawPicture(0, 0, picture);
    painter.end();

    QByteArray bytes = sink->finish();
    if (bytes.isEmpty())
        return fail(QStringLiteral("Die Metadatei wäre zu groß."));
    return bytes;
}

} // namespace quorvel
