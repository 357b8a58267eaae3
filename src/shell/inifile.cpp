// SPDX-License-Identifier: GPL-3.0-or-later
#include "inifile.h"

#include "cp1252.h"

#include <QFile>
#include <QStringDecoder>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

QString decodeIniText(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        return utf16.decode(QByteArrayView(bytes).sliced(2));
    }
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(view.data(), view.size());
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimmedBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView withoutEnclosingQuotes(QStringView value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

} // namespace

IniFile IniFile::parse(const QByteArray& bytes) {
    IniFile ini;
    const QString text = decodeIniText(bytes);
    Section* current = nullptr;
    bool currentIsDuplicate = false;

    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = trimmedBlanks(QStringView(text).sliced(pos, end - pos));
        // One line break: CR LF, LF or a lone CR.
        pos = end;
        if (pos < text.size() && text[pos] == u'\r') {
            ++pos;
            if (pos < text.size() && text[pos] == u'\n')
                ++pos;
        } else if (pos < text.size()) {
            ++pos;
        }

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            if (close < 0)
                continue; // an unterminated header is no header
            const QString name = trimmedBlanks(line.sliced(1, close - 1)).toString().toCaseFolded();
            currentIsDuplicate = false;
            current = nullptr;
            for (Section& section : ini.m_sections) {
                if (section.name == name) {
                    currentIsDuplicate = true;
                    break;
                }
            }
            if (!currentIsDuplicate) {
                ini.m_sections.push_back(Section{name, {}});
                current = &ini.m_sections.back();
            }
            continue;
        }
        if (!current || currentIsDuplicate)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = trimmedBlanks(line.first(equals)).toString().toCaseFolded();
        if (key.isEmpty())
            continue;
        bool known = false;
        for (const Entry& entry : current->entries) {
            if (entry.key == key) {
                known = true;
                break;
            }
        }
        if (known)
            continue;
        const QStringView value = withoutEnclosingQuotes(trimmedBlanks(line.sliced(equals + 1)));
        current->entries.push_back(Entry{key, value.toString()});
    }
    return ini;
}

IoResult IniFile::load(const QString& path, IniFile& ini) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(file.errorString());
    const QString tooLarge = QStringLiteral("Datei größer als %1 Byte").arg(kMaxFileSize);
    if (file.size() > kMaxFileSize)
        return IoResult::failure(tooLarge);
    // Read one byte more than allowed so that a file that grows while we read
    // (or a device whose size is unknown) is still bounded.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        return IoResult::failure(tooLarge, kMaxFileSize);
    ini = parse(bytes);
    return IoResult::success();
}

const IniFile::Section* IniFile::findSection(const QString& section) const {
    const QString folded = section.toCaseFolded();
    for (const Section& candidate : m_sections) {
        if (candidate.name == folded)
            return &candidate;
    }
    return nullptr;
}

bool IniFile::hasSection(const QString& section) const {
    return findSection(section) != nullptr;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    const QString folded = key.toCaseFolded();
    for (const Entry& entry : found->entries) {
        if (entry.key == folded)
            return entry.value;
    }
    return std::nullopt;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    return value(section, key).value_or(fallback);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    return parseIniInteger(*text).value_or(fallback);
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    if (text->compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (text->compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<int> number = parseIniInteger(*text);
    return number ? *number != 0 : fallback;
}

double IniFile::readReal(const QString& section, const QString& key, double fallback) const {
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    return parseIniReal(*text).value_or(fallback);
}

std::optional<int> parseIniInteger(const QString& text) {
    QStringView digits = trimmedBlanks(text);
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'-' || digits.front() == u'+')) {
        negative = digits.front() == u'-';
        digits = digits.sliced(1);
    }
    int base = 10;
    if (digits.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        digits = digits.sliced(2);
    } else if (digits.startsWith(u'$')) {
        base = 16;
        digits = digits.sliced(1);
    }
    if (digits.isEmpty() || digits.size() > 16)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> parseIniReal(const QString& text) {
    QString normalised = trimmedBlanks(text).toString();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace quorvel
