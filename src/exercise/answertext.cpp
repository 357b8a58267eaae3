// SPDX-License-Identifier: GPL-3.0-or-later
#include "answertext.h"

#include "objdata.h"
#include "randomgenerator.h"

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kIdentifierLength = 20;

// Step 1: a hyphen at a line break joins a word that goes on in lower case
// and stays before anything else; a break at the very end stays as it is.
QString joinHyphenatedBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const bool breakAfterHyphen =
            text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n' && out.endsWith(u'-');
        if (!breakAfterHyphen) {
            out.append(text[i++]);
            continue;
        }
        if (i + 2 >= n) { // "-\r\n" ends the text: stop
            out.append(QStringView(text).mid(i));
            break;
        }
        const QChar next = text[i + 2];
        if (next != next.toUpper())
            out.chop(1);
        i += 2;
    }
    return out;
}

bool isTrimmed(QChar c) {
    return c.unicode() <= 32;
}

} // namespace

QString normalisedText(const QString& text) {
    QString s = joinHyphenatedBreaks(text);
    s.replace(u'\n', u' ');
    s.replace(u'\r', u' ');
    s.replace(u"   "_s, u" "_s);
    s.replace(u"  "_s, u" "_s);
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && isTrimmed(s[first]))
        ++first;
    while (last > first && isTrimmed(s[last - 1]))
        --last;
    s = s.mid(first, last - first);
    if (s.startsWith(QChar(0xFF)))
        s.prepend(u' ');
    return s;
}

QString pictureIdentifier(const ObjDataTyp& object, RandomGenerator& random) {
    if (!object.BildKenn.trimmed().isEmpty())
        return object.BildKenn + u" (Bildkennung)"_s;
    QString letters;
    letters.reserve(kIdentifierLength);
    for (int i = 0; i < kIdentifierLength; ++i)
        letters.append(QChar(u'a' + random.bounded(26)));
    return letters + u" (Zufallskennung für Bild)"_s;
}

QString matchingPictureText(const ObjDataTyp& object) {
    return object.BildKenn + u" (Bildkennung)"_s;
}

bool matchesAlternative(const QString& input, const QString& alternatives) {
    return alternatives.contains(u'|' + normalisedText(input) + u'|');
}

} // namespace quorvel
