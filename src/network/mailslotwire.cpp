// SPDX-License-Identifier: GPL-3.0-or-later
#include "mailslotwire.h"

#include "cp1252.h"

#include <zlib.h>

namespace quorvel {

quint16 mailSlotPort(const QString& mailBox) {
    const QByteArray name = encodeCp1252(mailBox.toUpper());
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(name.constData()),
                            static_cast<uInt>(name.size()));
    return static_cast<quint16>(47000 + crc % 1000);
}

bool isPlainMailBoxName(const QString& name) {
    if (name.isEmpty() || name.size() > kMailBoxMaxLength || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7F)
            return false;
    }
    return true;
}

QString joinMessageLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QByteArray encodeChannelMessage(const QString& user, const QString& computer,
                                const QStringList& lines) {
    QStringList all{QStringLiteral("Message"), user, computer};
    all += lines;
    return encodeCp1252(joinMessageLines(all));
}

QStringList messageLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

std::optional<ChannelMessage> decodeChannelMessage(const QByteArray& bytes) {
    const QString text = decodeCp1252(bytes);
    // The three header lines, each ended by CR LF, CR or LF.
    qsizetype pos = 0;
    QString header[3];
    for (QString& line : header) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\r') &&
               text.at(end) != QLatin1Char('\n'))
            ++end;
        if (end >= text.size())
            return std::nullopt;
        line = text.mid(pos, end - pos);
        pos = end + 1;
        if (text.at(end) == QLatin1Char('\r') && pos < text.size() &&
            text.at(pos) == QLatin1Char('\n'))
            ++pos;
    }
    if (header[0] != QLatin1String("Message"))
        return std::nullopt;
    return ChannelMessage{header[2], header[1], text.mid(pos)};
}

QString msgInvalidChannel(const QString& name) {
    return QStringLiteral("Der Kommunikationskanal \"%1\" ist ungültig: 1 bis 8 Zeichen, ohne "
                          "\"/\", \"\\\" und \"..\".")
        .arg(name);
}

} // namespace quorvel
