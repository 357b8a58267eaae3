// SPDX-License-Identifier: GPL-3.0-or-later
#include "infotext.h"

#include "textmarkup.h"

#include <algorithm>

namespace quorvel {

namespace {

void rtfCharacter(QByteArray& out, QChar c) {
    const char16_t u = c.unicode();
    if (u == u'\\' || u == u'{' || u == u'}') {
        out.append('\\');
        out.append(char(u));
    } else if (u == u'\t') {
        out.append("\\tab ");
    } else if (u < 0x80) {
        out.append(char(u));
    } else {
        // Signed 16 bit as the format wants, with "?" for readers without Unicode.
        out.append("\\u" + QByteArray::number(qint16(u)) + '?');
    }
}

} // namespace

QString infoTextWithoutTags(const QString& text) {
    QString s = text;
    for (const char16_t* tag : {u"<b>", u"</b>", u"<i>", u"</i>", u"<u>", u"</u>"})
        s.remove(QString::fromUtf16(tag));
    return s;
}

QByteArray infoTextAsRtf(const QString& text, const QString& fontFamily) {
    QByteArray out("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 ");
    for (QChar c : fontFamily)
        rtfCharacter(out, c);
    out.append(";}}\\f0\\fs" + QByteArray::number(2 * kInfoTextPoints) + ' ');
    const QStringList lines = splitMarkupLines(infoTextWithoutTags(text));
    for (const QString& line : lines) {
        for (QChar c : line)
            rtfCharacter(out, c);
        out.append("\\par\n");
    }
    out.append('}');
    return out;
}

int infoBoxClientHeight(int textHeight, int frameHeight) {
    constexpr int kMaxWindowHeight = 566;
    constexpr int kButtonRow = 34;
    return std::min(textHeight + kButtonRow, kMaxWindowHeight - std::max(0, frameHeight));
}

} // namespace quorvel
