// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <limits>
#include <vector>

class QPainter;

namespace quorvel {

// The line-layout routine for longer texts: cloze texts, info texts,
// worksheet and printed texts. It understands a small inline markup (all tags
// case-insensitive, a tag that does not match exactly is ordinary text):
//   <B> </B> <I> </I> <U> </U>   style on / off until the closing tag or the
//                                end of the call
//   <@COL=RRGGBB> </@COL>        removed; the text keeps the call's colour
//   <@LINIE>                     a one-pixel rule from x to the right edge
//   <@POSX=nn%>                  x = rnd(nn / 100 * right edge)
//   <@REB=nn>                    the next nn characters right-aligned in a
//                                field nn widths of "0" wide
//   << ... >>                    a gap, in the cloze modes only
// Every source line is broken into screen lines at blanks; a segment without
// a blank to break at is cut after the character that made it too wide.
//
// Drawing: text stands with its top at the screen line's top y. Modes 0, 1
// and 3 always draw the text; mode 99 only with the text layer shown or in an
// exercise; mode 2 and every other value only in an exercise. Gaps: mode 99
// hands each gap to the call's gap step (below), which decides its width; modes 1-3
// give it worksheetGapWidth, where 1 and 3 draw a black one-pixel line of that
// length on the screen line's bottom row (y + L - 1, as "<@LINIE>") and 2 and
// 3 draw " " + first alternative in red at the gap. A "<<" without a ">>"
// after it on the line is ordinary text, and tags inside a gap are part of
// its content.
//
// All coordinates and sizes are pixels of the canvas.

// Cloze mode values of a call.
constexpr int kMarkupPlain = 0;           // "<<" and ">>" are ordinary text
constexpr int kMarkupWorksheet = 1;       // worksheet: gap lines
constexpr int kMarkupSolutionOverlay = 2; // worksheet: only the red solutions
constexpr int kMarkupSolutionSheet = 3;   // worksheet: gap lines and red solutions
constexpr int kMarkupClozeView = 99;      // learning view: gaps become view objects

// The index of the worksheet box size "100 %" ("50 %" is 0, "200 %" is 15).
constexpr int kBoxSizeIndex100 = 5;

// What the gap step of the learning view gets for one gap (cloze mode 99).
struct ClozeGapRequest {
    QString content;    // the text between "<<" and ">>", alternatives included
    int x = 0;          // pixel where the gap begins
    int y = 0;          // top of the screen line
    bool build = false; // the call's build flag
    bool measureOnly = false;
    int pageWidth = 0; // the call's right edge R (the page picture's width)
    int pageHeight = 0;
    QFont font; // the font in effect at the gap, style included
    int minGap = 3;
};

// The gap step returns the width in pixels that the gap takes on the line.
using ClozeGapStep = std::function<int(const ClozeGapRequest&)>;

// One piece the renderer put out, for callers and tests that need to know
// where things went. Recorded also when measuring or when the mode draws no
// text (`drawn` tells).
struct MarkupRun {
    enum class Kind { Text, Rule, Gap };
    Kind kind = Kind::Text;
    QString text;  // Text: the characters; Gap: the gap content; Rule: empty
    int x = 0;     // left edge
    int y = 0;     // top of the screen line
    int width = 0; // advance in pixels (Rule: up to the right edge)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool drawn = false; // whether anything of it was painted
};

// The parameters of one call. The font is the document font `fontFamily`
// at `charHeight` pixels (the em height, without internal leading); with
// `charHeight` <= 0 the size is `pointSize` points at 96 dots per inch.
struct TextMarkupParams {
    QPainter* canvas = nullptr; // not owned; null draws nothing (like measureOnly)
    int rightEdge = 0;          // R: x of the text area's right edge
    int rightLimit = 0;         // text ends at or before R - rightLimit - 10
    bool measureOnly = false;
    // Measuring stops as soon as a screen line ends below this y: the y
    // returned then only tells that the text reaches past it.
    int measureLimit = std::numeric_limits<int>::max();
    ColourValue colour = 0; // 0x00BBGGRR text colour
    bool build = false;     // handed to the gap step
    // 0, 1, 2, 3 or 99; any other value is plain text drawn only in an exercise
    int clozeMode = kMarkupPlain;
    int charHeight = 0;
    int pointSize = 0;
    QString fontFamily = QStringLiteral("Arial");
    int topY = 0;
    int leftX = 0;
    int pageHeight = 0;                  // handed to the gap step
    int minGap = 3;                      // minimum gap width in letters "X"
    int boxSizeIndex = kBoxSizeIndex100; // k of the worksheet gaps (modes 1-3)
    bool textLayerVisible = true;        // the layer switch " Texte && Bilder " (mode 99)
    bool exerciseRunning = false;
    // Mode 99: decides each gap's width (the cloze layout's, ViewLayouts::clozeGapStep);
    // empty: gaps take their standard width (clozeGapWidth) and create nothing.
    ClozeGapStep gapStep;
    std::vector<MarkupRun>* runs = nullptr; // not owned; when set, every piece is appended
};

// The line metrics of a call: h = height of "0" (the font's full height),
// line height L = rnd(1.25 h), 10 % more in the cloze modes 1-3 and 99, and
// the paragraph spacing A = rnd(1.25 h * 0.02 / 0.055) above every source line.
struct MarkupMetrics {
    int h = 0;
    int lineHeight = 0;
    int paragraphSpacing = 0;
};

// The plain font of a call (no style).
QFont markupFont(const TextMarkupParams& params);
MarkupMetrics markupMetrics(const TextMarkupParams& params);

// Renders one source line (line breaks inside are ordinary characters) from
// (leftX, topY) and returns the y below it: topY + A + (screen lines) * L.
// The painter's state is left as it was.
int renderLine(const TextMarkupParams& params, const QString& line);

// Renders a text line by line (splitMarkupLines), each line starting at the y
// the previous one returned, the first at params.topY; returns the y below
// the last line (params.topY for an empty text).
int renderText(const TextMarkupParams& params, const QString& text);

// Renders plain lines (mode 0) in `fontFamily` at `pointSize` points and
// `textColour` onto a picture `width` pixels wide and at most 3000 high,
// filled with `background`, from (0, 0) with the right edge at `width`, and
// returns it cropped to the height used (at least 1). A width <= 0 gives a
// null picture.
QImage renderTextToPicture(const QStringList& lines, int width, int pointSize,
                           const QColor& background, const QString& fontFamily,
                           ColourValue textColour = 0);

// Splits a text into lines at CR LF, CR or LF. A line break at the very end
// ends the last line and starts no new one; an empty text has no lines.
QStringList splitMarkupLines(const QString& text);

// The standard width of a gap in the current font: the widest of " XX",
// " " + first alternative (content up to the first "|") and " " followed by
// `minGap` letters "X" (`minGap` is taken within 0..1000, so a
// hostile document value cannot ask for a huge string).
int clozeGapWidth(const QFontMetrics& metrics, const QString& content, int minGap);

// The first alternative of a gap's content: everything before the first "|".
QString firstAlternative(const QString& content);

// The width of a worksheet gap: the standard width g scaled by the box size
// index k as g + rnd(g * (k - 5) * 0.1), so "100 %" (k = 5) keeps it.
int worksheetGapWidth(int standardWidth, int boxSizeIndex);

} // namespace quorvel
