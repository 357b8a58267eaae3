// SPDX-License-Identifier: GPL-3.0-or-later
#include "printercoordinates.h"

#include "rounding.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

int tenthsOfMillimetre(double pixels, int dpi) {
    return dpi > 0 ? rnd(pixels * 254.0 / dpi) : 0;
}

PrinterCoordinates::PrinterCoordinates(QSize paperPixels, QPoint printablePixels, int dpiX,
                                       int dpiY)
    : m_page(tenthsOfMillimetre(paperPixels.width(), dpiX),
             tenthsOfMillimetre(paperPixels.height(), dpiY)),
      m_offset(tenthsOfMillimetre(printablePixels.x(), dpiX),
               tenthsOfMillimetre(printablePixels.y(), dpiY)),
      m_dpiX(dpiX), m_dpiY(dpiY) {}

QPoint PrinterCoordinates::toCanvas(QPoint fromPaperEdge) const {
    return {std::max(0, fromPaperEdge.x() - m_offset.x()),
            std::max(0, fromPaperEdge.y() - m_offset.y())};
}

QTransform PrinterCoordinates::canvasToDevice() const {
    if (!isValid())
        return {};
    // The canvas origin lies `offset` from the paper's corner, so that a
    // canvas position plus the offset is the position from the paper edge.
    QTransform transform;
    transform.scale(m_dpiX / 254.0, m_dpiY / 254.0);
    transform.translate(m_offset.x(), m_offset.y());
    return transform;
}

void PrinterCoordinates::applyTo(QPainter& painter) const {
    painter.setTransform(canvasToDevice());
}

} // namespace quorvel
