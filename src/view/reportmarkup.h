// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

class QTextDocument;

namespace quorvel {

// The line-oriented markup of the rich-text report windows (exercise and
// series protocols, network exercise information, topic list):
//   - a line whose first five characters are "<tit>" (any letter case) is a
//     title: the rest of the line in bold, followed by an empty spacer line
//     of font size 4;
//   - a tab inside a line goes to the single tab stop at 160 points, so that
//     key, tab, value lines align;
//   - every other line is plain; all text is font size 9 (points).
// Lines end at CR LF, CR or LF; a line break at the very end starts no new
// line. "<tab>" of series descriptions is not touched here: the series
// replaces it before rendering.

enum class ReportRendering { Replace, Append };

// Point sizes and the tab stop of the report markup.
constexpr double kReportFontSize = 9.0;
constexpr double kReportSpacerSize = 4.0;
constexpr double kReportTabStopPoints = 160.0;

// One line of a report: its text without the title mark, and whether it is a title.
struct ReportLine {
    QString text;
    bool title = false;
};

// Splits a report text into its lines and recognises the title lines.
std::vector<ReportLine> parseReportMarkup(const QString& text);

// Renders `text` into `document` (not owned). Replace clears the document
// first; Append adds the lines after what is there (into the first, empty
// paragraph of an empty document). The font family is the document's own.
void renderReportMarkup(QTextDocument& document, const QString& text, ReportRendering how);

} // namespace quorvel
