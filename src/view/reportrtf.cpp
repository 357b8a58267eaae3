// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportrtf.h"

#include "cp1252.h"
#include "reportmarkup.h"
#include "rounding.h"

namespace quorvel {

namespace {

// RTF measures font sizes in half points and positions in twips.
int halfPoints(double points) {
    return rnd(points * 2.0);
}
int twips(double points) {
    return rnd(points * 20.0);
}

} // namespace

void appendRtfEscaped(QByteArray& out, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c >= 0x20 && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += ' '; // other control characters have no place in a report line
        } else {
            // \uN with the code page character as the fallback for old readers.
            const QByteArray fallback = encodeCp1252(QString(QChar(c)));
            out += "\\u" + QByteArray::number(static_cast<qint16>(c)) + "\\'" +
                   QByteArray::number(static_cast<unsigned char>(fallback.at(0)), 16)
                       .rightJustified(2, '0');
        }
    }
}

QByteArray reportMarkupToRtf(const QString& text, const QString& fontFamily) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 ";
    appendRtfEscaped(out, fontFamily);
    out += ";}}\n";
    const QByteArray paragraph =
        "\\pard\\plain\\f0\\tx" + QByteArray::number(twips(kReportTabStopPoints)) + "\\fs";
    const QByteArray plainSize = QByteArray::number(halfPoints(kReportFontSize));
    const QByteArray spacerSize = QByteArray::number(halfPoints(kReportSpacerSize));
    for (const ReportLine& line : parseReportMarkup(text)) {
        out += paragraph + plainSize + (line.title ? " \\b " : " ");
        appendRtfEscaped(out, line.text);
        out += line.title ? "\\b0\\par\n" : "\\par\n";
        if (line.title)
            out += paragraph + spacerSize + " \\par\n";
    }
    out += "}\n";
    return out;
}

} // namespace quorvel
