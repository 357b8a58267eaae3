// SPDX-License-Identifier: GPL-3.0-or-later
#include "commatext.h"

#include <QStringList>

namespace quorvel {

namespace {

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start)); // a trailing break makes no extra line
    return lines;
}

bool needsQuotes(const QString& line) {
    for (const QChar c : line) {
        if (c.unicode() <= 32 || c == u'"' || c == u',')
            return true;
    }
    return false;
}

bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QString toCommaText(const QString& text) {
    const QStringList lines = splitLines(text);
    if (lines.size() == 1 && lines.first().isEmpty())
        return QStringLiteral("\"\"");
    QString result;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            result += u',';
        const QString& line = lines.at(i);
        if (needsQuotes(line)) {
            QString quoted = line;
            quoted.replace(u'"', QStringLiteral("\"\""));
            result += u'"' + quoted + u'"';
        } else {
            result += line;
        }
    }
    return result;
}

QStringList commaTextEntries(const QString& commaText) {
    // A NUL ends the text, as it ends the original's C string.
    const qsizetype nul = commaText.indexOf(QChar(0));
    const QString s = nul >= 0 ? commaText.left(nul) : commaText;
    const qsizetype n = s.size();
    QStringList entries;
    qsizetype p = 0;
    while (p < n && isBlank(s.at(p)))
        ++p;
    while (p < n) {
        QString item;
        if (s.at(p) == u'"') {
            ++p;
            while (p < n) {
                if (s.at(p) == u'"') {
                    if (p + 1 < n && s.at(p + 1) == u'"') {
                        item += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += s.at(p++);
            }
        } else {
            const qsizetype start = p;
            while (p < n && s.at(p).unicode() > 32 && s.at(p) != u',')
                ++p;
            item = s.mid(start, p - start);
        }
        entries.append(item);
        while (p < n && isBlank(s.at(p)))
            ++p;
        if (p < n && s.at(p) == u',') {
            do {
                ++p;
            } while (p < n && isBlank(s.at(p)));
        }
    }
    return entries;
}

QString fromCommaText(const QString& commaText) {
    // A trailing comma's empty line would be removed with the trailing breaks.
    QString joined = commaTextEntries(commaText).join(QStringLiteral("\r\n"));
    while (!joined.isEmpty() && (joined.endsWith(u'\r') || joined.endsWith(u'\n')))
        joined.chop(1);
    return joined;
}

} // namespace quorvel
