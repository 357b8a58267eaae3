// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the worksheet body of a document onto a white A4 page (1000 x 1625
// units at one pixel each) and writes it as PNG, so that the bodies can be
// looked at before the page around them exists. The body starts at y = 150;
// grey lines mark its top and its limit.
#include "document.h"
#include "documentio.h"
#include "layoutset.h"
#include "worksheetbody.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

using namespace quorvel;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(
            stderr, "worksheet_body_png DOCUMENT OUT.png [KIND 0|1|2] [landscape] [firstletter]\n");
        return 2;
    }
    const LayoutSet layouts = buildLayoutSet();
    Document document;
    const IoResult read =
        readDocumentFile(document, QString::fromLocal8Bit(argv[1]), ReadOptions{layouts});
    if (!read.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(read.detail));
        return 1;
    }
    WorksheetSettings settings;
    if (argc > 3)
        settings.kind = static_cast<WorksheetKind>(std::clamp(QByteArray(argv[3]).toInt(), 0, 3));
    for (int i = 4; i < argc; ++i) {
        settings.landscape = settings.landscape || QByteArray(argv[i]) == "landscape";
        settings.firstLetter = settings.firstLetter || QByteArray(argv[i]) == "firstletter";
    }
    const QSize page = settings.landscape ? QSize(1625, 1000) : QSize(1000, 1625);
    const int top = 150;
    const int limit = page.height() - 40;
    QImage sheet(page, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(200, 200, 200));
    painter.drawLine(0, top - 1, page.width(), top - 1);
    painter.drawLine(0, limit, page.width(), limit);
    WorksheetBodyContext context{painter,       document, settings, page.width(),
                                 page.height(), limit,    &layouts};
    drawWorksheetBody(context, top);
    painter.end();
    return sheet.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
