// SPDX-License-Identifier: GPL-3.0-or-later
#include "wrappedtext.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRect>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

// The narrowest printing characters of ordinary fonts (an apostrophe, "i")
// are about a fifth of the line height, and a line is never lower than nine
// tenths of the font's height: with these margins the bound below is safe.
constexpr double kNarrowestCharacter = 0.1;
constexpr double kLowestLine = 0.9;

// Characters that may take no width: marks, format and control characters,
// the second half of a surrogate pair, spaces other than the plain one
// (some are hair-thin).
bool mayBeNarrow(QChar c) {
    if (c.isLowSurrogate())
        return true;
    switch (c.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Other_Control:
        return true;
    case QChar::Separator_Space:
        return c != u' ';
    default:
        return false;
    }
}

bool breaksLine(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// How far the lines a box of `size` holds can reach into `text`, at most:
// a line holds no more characters of width than fit its width, unless it is
// one word wider than the box, and spaces at its end hang past it. Found by
// a scan of the characters; nothing is shaped.
qsizetype reachOfBox(const QFont& font, QSize size, const QString& text) {
    const double lineHeight = std::max(1.0, QFontMetricsF(font).height());
    const double perLine =
        std::floor(std::max(0, size.width()) / (kNarrowestCharacter * lineHeight)) + 1.0;
    const double lineCount =
        std::floor(std::max(0, size.height()) / (kLowestLine * lineHeight)) + 2.0;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    for (double line = 0; line < lineCount && pos < n; ++line) {
        double wide = 0;
        while (pos < n && wide < perLine && text[pos] != u'\n') {
            if (!mayBeNarrow(text[pos]))
                ++wide;
            ++pos;
        }
        // A word in progress stays whole; then spaces hang, a line break ends it.
        while (pos < n && !breaksLine(text[pos]))
            ++pos;
        while (pos < n && (text[pos] == u' ' || text[pos] == u'\t'))
            ++pos;
        if (pos < n && text[pos] == u'\n')
            ++pos;
    }
    return pos;
}

// The lines of `text` laid out one by one as drawText lays them out (a
// leading between lines, each line on a whole pixel), until one ends below
// `limit`; returns the end of that line, or of the text.
qsizetype endOfLinePassing(const QFont& font, int width, const QString& text, double limit) {
    QString lines = text;
    lines.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(lines, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const double leading = QFontMetricsF(font).leading();
    qsizetype end = text.size();
    layout.beginLayout();
    double y = -leading;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        y = std::ceil(y + leading);
        line.setPosition(QPointF(0.0, y));
        y += line.ascent() + line.descent();
        if (y > limit) {
            end = line.textStart() + line.textLength();
            break;
        }
    }
    layout.endLayout();
    return end;
}

} // namespace

int wrappedHeight(const QFont& font, int width, const QString& text) {
    const QFontMetrics metrics(font);
    return metrics
        .boundingRect(QRect(0, 0, std::max(1, width), 1 << 20),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text)
        .height();
}

bool fitsWrapped(const QFont& font, QSize box, const QString& text) {
    // Text beyond what the box's lines can reach needs more lines than fit.
    if (reachOfBox(font, box, text) < text.size())
        return false;
    return wrappedHeight(font, box.width(), text) <= box.height();
}

QString visibleWrapped(const QFont& font, QSize box, const QString& text) {
    const QString reached = text.left(reachOfBox(font, box, text));
    return reached.left(endOfLinePassing(font, box.width(), reached, box.height()));
}

} // namespace quorvel
