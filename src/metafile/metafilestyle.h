// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QString>

class QBrush;
class QFont;
class QPen;

namespace quorvel {

// Pens, brushes and fonts as both metafile formats describe them (the values
// are the graphics device interface's own constants, shared by the formats).
struct MetafilePen {
    enum Style : quint32 { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };
    enum Cap : quint32 { RoundCap = 0x0000, SquareCap = 0x0100, FlatCap = 0x0200 };
    enum Join : quint32 { RoundJoin = 0x0000, BevelJoin = 0x1000, MiterJoin = 0x2000 };
    quint32 style = Solid;
    quint32 cap = RoundCap;
    quint32 join = RoundJoin;
    qint32 width = 0; // device units; 0 is the thinnest line the reader draws
    QRgb color = 0;
    bool operator==(const MetafilePen&) const = default;
};

struct MetafileBrush {
    enum Style : quint32 { Solid = 0, Null = 1, Hatched = 2 };
    quint32 style = Solid;
    QRgb color = 0;
    quint32 hatch = 0;
    bool operator==(const MetafileBrush&) const = default;
};

struct MetafileFont {
    QString family;
    qint32 height = 0;     // negative: the em height in device units
    qint32 escapement = 0; // tenths of a degree, counter-clockwise on the page
    qint32 weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint8 pitchAndFamily = 0;
    bool operator==(const MetafileFont&) const = default;
};

// The colour value of both formats: red, green, blue in the low three bytes.
inline quint32 colorRef(QRgb color) {
    return quint32(qRed(color)) | quint32(qGreen(color)) << 8 | quint32(qBlue(color)) << 16;
}

// `opacity` multiplies the colour's alpha; the formats know no transparency,
// so a translucent colour is mixed with the white paper and an invisible one
// becomes a null pen or brush.
MetafilePen metafilePen(const QPen& pen, double opacity, double widthScale, double cosmeticScale);
MetafileBrush metafileBrush(const QBrush& brush, double opacity);
MetafileFont metafileFont(const QFont& font, double emHeight, double angleDegrees);

// The colour `color` with `alpha` gives on white paper.
QRgb onPaper(QRgb color, double alpha);

} // namespace quorvel
