// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTransform>

class QPainter;

namespace quorvel {

// Device pixels at `dpi` dots per inch in 0.1 mm, to the nearest unit.
int tenthsOfMillimetre(double pixels, int dpi);

// The printer coordinates every print of the program draws in: one unit is
// 0.1 mm, y grows downwards, and the origin (the canvas) is the corner of the
// printable area. Positions the user gives are measured from the paper edge;
// toCanvas() turns them into canvas positions.
class PrinterCoordinates {
public:
    // `paperPixels`: the paper in device pixels; `printablePixels`: where the
    // printable area starts on it; `dpiX`, `dpiY`: the device's resolution.
    // A resolution below 1 gives invalid coordinates (nothing may be printed).
    PrinterCoordinates(QSize paperPixels, QPoint printablePixels, int dpiX, int dpiY);

    bool isValid() const { return m_dpiX > 0 && m_dpiY > 0; }
    // The paper's width and height and the printable area's offset, in 0.1 mm.
    int pageWidth() const { return m_page.width(); }
    int pageHeight() const { return m_page.height(); }
    QPoint offset() const { return m_offset; }

    // A position from the paper edge on the canvas: the offset subtracted,
    // never below 0 (a printer cannot print nearer to the edge).
    QPoint toCanvas(QPoint fromPaperEdge) const;

    // Canvas units onto device pixels of a device whose origin is the paper's
    // corner (a printer in full-page mode).
    QTransform canvasToDevice() const;
    // Sets that mapping as the painter's transform.
    void applyTo(QPainter& painter) const;

private:
    QSize m_page;
    QPoint m_offset;
    int m_dpiX;
    int m_dpiY;
};

} // namespace quorvel
