// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewprintjob.h"

#include "printercoordinates.h"
#include "rounding.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>

namespace quorvel {

namespace {

using namespace Qt::Literals::StringLiterals;

int toTenthsOfMillimetre(double centimetres) {
    return rnd(centimetres * 100.0);
}

// A length field read for the job: margins from 0, sizes above 0 (at least
// 0.1 mm once rounded).
std::optional<int> readLength(const QString& text, bool size, const QString& label,
                              QString& error) {
    const std::optional<double> centimetres = parseCentimetres(text);
    if (centimetres && toTenthsOfMillimetre(*centimetres) >= (size ? 1 : 0))
        return toTenthsOfMillimetre(*centimetres);
    error = u"Ungültiger Wert für \"%1\": Geben Sie eine Zahl %2 %3 (Zentimeter) ein, zum "
            u"Beispiel 2,5."_s.arg(label, size ? u"größer als 0 bis"_s : u"von 0 bis"_s,
                                   QString::number(int(kMaxPrintCentimetres)));
    return std::nullopt;
}

} // namespace

std::optional<double> parseCentimetres(const QString& text) {
    // Digits with at most one decimal mark; no signs, exponents or grouping.
    static const QRegularExpression pattern(
        u"^\\s*(\\d{1,6}(?:[.,]\\d{0,6})?|[.,]\\d{1,6})\\s*$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString number = match.captured(1);
    number.replace(u',', u'.');
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || value > kMaxPrintCentimetres)
        return std::nullopt;
    return value;
}

QString formatCentimetres(double centimetres) {
    // Rounded to tenths first, so that the one decimal shown is exact.
    QString text = QString::number(rnd(centimetres * 10.0) / 10.0, 'f', 1);
    return text.replace(u'.', u',');
}

double pictureRatio(const QSize& picture) {
    return picture.width() > 0 && picture.height() > 0 ? double(picture.width()) / picture.height()
                                                       : 0.0;
}

std::optional<QString> heightForWidth(const QString& width, double ratio) {
    const std::optional<double> value = parseCentimetres(width);
    if (!value || !(ratio > 0.0))
        return std::nullopt;
    return formatCentimetres(*value / ratio);
}

std::optional<QString> widthForHeight(const QString& height, double ratio) {
    const std::optional<double> value = parseCentimetres(height);
    if (!value || !(ratio > 0.0))
        return std::nullopt;
    return formatCentimetres(*value * ratio);
}

std::optional<ViewPrintJob> viewPrintJob(const ViewPrintFields& fields, QString& error) {
    const std::optional<int> left = readLength(fields.left, false, u"Linker Rand"_s, error);
    const std::optional<int> top =
        left ? readLength(fields.top, false, u"Oberer Rand"_s, error) : std::nullopt;
    const std::optional<int> width =
        top ? readLength(fields.width, true, u"Breite"_s, error) : std::nullopt;
    const std::optional<int> height =
        width ? readLength(fields.height, true, u"Höhe"_s, error) : std::nullopt;
    if (!height)
        return std::nullopt;
    if (fields.copies < 1 || fields.copies > 999) {
        error = u"Ungültiger Wert für \"Kopien\": Geben Sie eine Zahl von 1 bis 999 ein."_s;
        return std::nullopt;
    }
    return ViewPrintJob{QRect(*left, *top, *width, *height), fields.copies};
}

void drawViewPrint(QPainter& painter, const PrinterCoordinates& coordinates, const QRect& area,
                   const QImage& picture) {
    painter.save();
    coordinates.applyTo(painter);
    painter.drawImage(QRect(coordinates.toCanvas(area.topLeft()), area.size()), picture);
    painter.restore();
}

void drawPicturePrint(QPainter& painter, const PrinterCoordinates& coordinates, const QRect& area,
                      const QPicture& picture, const QSize& pageSize) {
    if (pageSize.isEmpty())
        return;
    painter.save();
    coordinates.applyTo(painter);
    const QPoint origin = coordinates.toCanvas(area.topLeft());
    painter.translate(origin);
    painter.scale(double(area.width()) / pageSize.width(),
                  double(area.height()) / pageSize.height());
    painter.drawPicture(QPoint(0, 0), picture);
    painter.restore();
}

QString printerInfoLine(const QString& printerName, const QString& port) {
    return printerName.isEmpty() ? u"- Kein Drucker -"_s : printerName + u" an "_s + port;
}

} // namespace quorvel
