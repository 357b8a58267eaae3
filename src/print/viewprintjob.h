// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <optional>

class QImage;
class QPainter;
class QPicture;
class QSize;

namespace quorvel {

class PrinterCoordinates;

// The largest length the print fields take, in centimetres: far beyond any
// paper, small enough that nothing overflows.
inline constexpr double kMaxPrintCentimetres = 1000.0;

// A length typed in centimetres, with "," or "." as the decimal mark and
// blanks around it allowed; nullopt for anything else, for a negative value
// and for one above kMaxPrintCentimetres.
std::optional<double> parseCentimetres(const QString& text);
// A length as the fields show it: one decimal, decimal comma ("8,5").
QString formatCentimetres(double centimetres);

// The ratio rule of the view print: width ÷ height of the printed picture
// equals the picture's. `ratio` is the picture's width ÷ height; 0 (no
// picture) or an unreadable field gives nullopt and the other field stays.
double pictureRatio(const QSize& picture);
std::optional<QString> heightForWidth(const QString& width, double ratio);
std::optional<QString> widthForHeight(const QString& height, double ratio);

// The fields of the view print dialog as typed, with their start values.
struct ViewPrintFields {
    QString left = QStringLiteral("2,0");
    QString top = QStringLiteral("2,0");
    QString width = QStringLiteral("17,0");
    QString height = QStringLiteral("17,0");
    int copies = 1; // 1-999
    bool keepRatio = true;
};

// What a view print puts on paper: the rectangle the picture is stretched
// into, in 0.1 mm from the paper edge, and the number of copies.
struct ViewPrintJob {
    QRect area;
    int copies = 1;
};

// The job the fields describe (each length × 100, to the nearest 0.1 mm).
// Nullopt with a German message in `error` when a field holds no valid length
// (the margins 0 or more, the size more than 0) or the copies lie outside 1-999.
std::optional<ViewPrintJob> viewPrintJob(const ViewPrintFields& fields, QString& error);

// Draws `picture` stretched exactly into `area` (0.1 mm from the paper edge)
// on a painter whose device has its origin at the paper's corner; nothing is
// shrunk or clipped beyond what the paper cuts off.
void drawViewPrint(QPainter& painter, const PrinterCoordinates& coordinates, const QRect& area,
                   const QImage& picture);
// The same for a recorded picture whose page is `pageSize` units from (0, 0)
// (a worksheet): the page is stretched exactly into `area`.
void drawPicturePrint(QPainter& painter, const PrinterCoordinates& coordinates, const QRect& area,
                      const QPicture& picture, const QSize& pageSize);

// The printer line of the dialog: the printer's name + " an " + its port, or
// "- Kein Drucker -" when there is no printer.
QString printerInfoLine(const QString& printerName, const QString& port);

} // namespace quorvel
