// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportmarkup.h"

#include "textmarkup.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace quorvel {

namespace {

constexpr int kTitleMarkLength = 5;

// Text layout measures tab positions in pixels at 96 dots per inch and scales
// them with the paint device, as it does point sizes.
constexpr double kTabStopPixels = kReportTabStopPoints * 96.0 / 72.0;

QTextBlockFormat reportBlockFormat() {
    QTextBlockFormat format;
    format.setTabPositions({QTextOption::Tab(kTabStopPixels, QTextOption::LeftTab)});
    return format;
}

QTextCharFormat reportCharFormat(double pointSize, bool bold) {
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

class ReportWriter {
public:
    explicit ReportWriter(QTextDocument& document)
        : m_cursor(&document), m_firstInEmpty(document.isEmpty()) {
        m_cursor.movePosition(QTextCursor::End);
    }

    void paragraph(const QString& text, const QTextCharFormat& format) {
        if (m_firstInEmpty) {
            m_cursor.setBlockFormat(reportBlockFormat());
            m_cursor.setBlockCharFormat(format);
            m_firstInEmpty = false;
        } else {
            m_cursor.insertBlock(reportBlockFormat(), format);
        }
        m_cursor.insertText(text, format);
    }

    QTextCursor& cursor() { return m_cursor; }

private:
    QTextCursor m_cursor;
    bool m_firstInEmpty;
};

} // namespace

std::vector<ReportLine> parseReportMarkup(const QString& text) {
    std::vector<ReportLine> lines;
    for (const QString& line : splitMarkupLines(text)) {
        if (line.startsWith(QLatin1String("<tit>"), Qt::CaseInsensitive))
            lines.push_back({line.mid(kTitleMarkLength), true});
        else
            lines.push_back({line, false});
    }
    return lines;
}

void renderReportMarkup(QTextDocument& document, const QString& text, ReportRendering how) {
    if (how == ReportRendering::Replace)
        document.clear();
    const QTextCharFormat plain = reportCharFormat(kReportFontSize, false);
    const QTextCharFormat title = reportCharFormat(kReportFontSize, true);
    const QTextCharFormat spacer = reportCharFormat(kReportSpacerSize, false);

    ReportWriter writer(document);
    writer.cursor().beginEditBlock();
    for (const ReportLine& line : parseReportMarkup(text)) {
        writer.paragraph(line.text, line.title ? title : plain);
        if (line.title)
            writer.paragraph(QString(), spacer);
    }
    writer.cursor().endEditBlock();
}

} // namespace quorvel
