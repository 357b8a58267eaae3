// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// A reader of both metafile formats written from their published record
// layout alone, to check what the writer produced: every size and offset is
// checked, and the first violation ends the reading with a description.
namespace metafilecheck {

struct TextRun {
    QPoint origin;
    QString text;
    QList<int> advances;
};

struct Font {
    QString face;
    int height = 0;
    int weight = 0;
    int charset = -1;
    int escapement = 0;
};

struct Picture {
    QRect target; // left, top, width, height in logical units
    QSize pixels;
    int bitCount = 0;
};

struct Contents {
    QString problem; // empty when the file is sound
    QMap<int, int> recordCounts;
    int records = 0;
    QList<TextRun> texts;
    QList<Font> fonts;
    QList<Picture> pictures;
    int largestCoordinate = 0; // of every point and box drawn
    int polylines = 0;         // lines drawn, counting each of a poly-polyline

    // Enhanced metafile header.
    QRect bounds; // inclusive, device units
    QRect frame;  // inclusive, hundredths of a millimetre
    QSize device; // reference device in pixels
    QSize millimetres;
    int handles = 0;

    // Placeable metafile header.
    QRect box; // left, top, right, bottom as in the file
    int unitsPerInch = 0;
    int objects = 0;

    bool sound() const { return problem.isEmpty(); }
    QString allText() const;
};

Contents readEmf(const QByteArray& bytes);
Contents readWmf(const QByteArray& bytes);

// Record types and functions the tests count.
constexpr int EmfPolygon = 3;
constexpr int EmfPolyline = 4;
constexpr int EmfPolyPolyline = 7;
constexpr int EmfPolyPolygon = 8;
constexpr int EmfIntersectClip = 30;
constexpr int EmfSaveDc = 33;
constexpr int EmfRestoreDc = 34;
constexpr int EmfSelectObject = 37;
constexpr int EmfCreateBrush = 39;
constexpr int EmfDeleteObject = 40;
constexpr int EmfEllipse = 42;
constexpr int EmfRectangle = 43;
constexpr int EmfClipRegion = 75;
constexpr int EmfStretchDibits = 81;
constexpr int EmfCreateFont = 82;
constexpr int EmfTextOut = 84;
constexpr int EmfCreatePen = 95;
constexpr int WmfSaveDc = 0x001E;
constexpr int WmfRestoreDc = 0x0127;
constexpr int WmfCreatePen = 0x02FA;
constexpr int WmfCreateFont = 0x02FB;
constexpr int WmfCreateBrush = 0x02FC;
constexpr int WmfPolygon = 0x0324;
constexpr int WmfPolyline = 0x0325;
constexpr int WmfIntersectClip = 0x0416;
constexpr int WmfEllipse = 0x0418;
constexpr int WmfRectangle = 0x041B;
constexpr int WmfPolyPolygon = 0x0538;
constexpr int WmfExtTextOut = 0x0A32;
constexpr int WmfTextOut = 0x0521;
constexpr int WmfStretchDib = 0x0F43;

} // namespace metafilecheck
