// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

namespace quorvel {

// The sheets of the blackboard's sheet menu.
enum class SheetKind {
    Blank,
    Ruled,
    Squared,
    Staves,
    Lineature1,
    Lineature2,
    Lineature3,
    Lineature4,
    Table,
};

// A kind's remembered free count and its allowed range.
struct CountRange {
    int initial = 1;
    int min = 1;
    int max = 1;
};

// The free-count range of a kind with a count (ruled, squared, staves,
// lineatures); blank and table have none and get {1, 1, 1}.
CountRange freeCountRange(SheetKind kind);

// The count the free-sheet dialog stores for `entered`: clamped to the range.
int clampCount(SheetKind kind, qint64 entered);

// The fixed counts of the sheet menu ("weit", "mittel", "eng"); empty for
// blank and table.
std::vector<int> menuCounts(SheetKind kind);

// Table limits of the table dialog.
inline constexpr int kMaxTableCells = 200;
inline constexpr int kMaxMarginPercent = 100;

// Margins around a table, in percent of the picture area.
struct SheetMargins {
    int left = 5;
    int right = 5;
    int top = 5;
    int bottom = 5;
};

inline constexpr QRgb kSheetLineColour = 0xFFB8B8B8; // grey 184, 184, 184
inline constexpr QRgb kBoardGreen = 0xFF004000;      // "tafelgrün"
inline constexpr QRgb kSheetBackground = 0xFFFFFFFF;

// Everything a sheet is made of. Counts, rows, columns and margins out of
// their ranges are clamped as the dialogs clamp them.
struct SheetSpec {
    SheetKind kind = SheetKind::Blank;
    int count = 1; // lines, squares, staves or bands
    int rows = 6;  // table
    int columns = 3;
    SheetMargins margins;
    QRgb line = kSheetLineColour;
    QRgb background = kSheetBackground;
};

// One line of a sheet: horizontal or vertical, both end points included, in
// picture pixels. Lines may reach past the picture (the squared sheet's last
// line lies on its bottom edge); drawing clips them.
struct SheetLine {
    QPoint from;
    QPoint to;
    friend bool operator==(const SheetLine&, const SheetLine&) = default;
};

// The lines of the sheet's pattern for a picture area of `area` pixels, in
// drawing order. Empty for a blank sheet or an empty area.
std::vector<SheetLine> sheetLines(QSize area, const SheetSpec& spec);

// Draws the pattern's lines into `picture` (Format_ARGB32 or _Premultiplied),
// one pixel wide, fully opaque, clipped to the picture.
void drawSheetLines(QImage& picture, const std::vector<SheetLine>& lines, QRgb colour);

// The base picture of a new sheet: `area` pixels (Format_ARGB32) filled with
// the background and the pattern drawn on it. A null picture when the area is
// empty or does not fit into memory.
QImage makeSheet(QSize area, const SheetSpec& spec);

// The kinds by the names the command-line tool takes ("blank", "ruled",
// "squared", "staves", "lineature1" ... "lineature4", "table").
std::optional<SheetKind> sheetKindFromName(const QString& name);

} // namespace quorvel
