// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace quorvel {

// A read-only Windows-style INI file, parsed the way the Windows profile
// functions read it: "[Section]" headers, "key=value" lines, lines starting
// with ";" are comments, section and key names compare case-insensitively,
// whitespace around names and values is trimmed and one pair of matching
// enclosing quotes is removed from a value. Everything else in a value is
// taken verbatim: a backslash is an ordinary character and a comma does not
// split the value. The first occurrence of a section or a key wins, as there.
//
// The bytes are decoded as UTF-8 when they are valid UTF-8 (a UTF-8 byte-order
// mark is skipped), as UTF-16LE after its byte-order mark, else as Windows-1252.
class IniFile {
public:
    // Files larger than this are refused as not being a settings file.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    // Parses `bytes`; never fails (lines it cannot understand are skipped).
    static IniFile parse(const QByteArray& bytes);

    // Reads and parses the file at `path` into `ini`. Fails silently (a detail,
    // no messages; `ini` unchanged) when the file is missing, unreadable or
    // larger than kMaxFileSize.
    static IoResult load(const QString& path, IniFile& ini);

    bool hasSection(const QString& section) const;

    // The raw value of `key` in `section`, or nothing when absent.
    std::optional<QString> value(const QString& section, const QString& key) const;

    QString readString(const QString& section, const QString& key, const QString& fallback) const;

    // A decimal integer, or hexadecimal with "0x" or "$"; `fallback` when the
    // key is absent or its value is no integer in the int range.
    int readInteger(const QString& section, const QString& key, int fallback) const;

    // An integer read as above, true when non-zero; "true" and "false" are
    // understood as well.
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    // A finite real with "." or "," as the decimal separator.
    double readReal(const QString& section, const QString& key, double fallback) const;

private:
    struct Entry {
        QString key; // case-folded
        QString value;
    };
    struct Section {
        QString name; // case-folded
        std::vector<Entry> entries;
    };
    const Section* findSection(const QString& section) const;

    std::vector<Section> m_sections;
};

// Parses the integer syntax of IniFile::readInteger.
std::optional<int> parseIniInteger(const QString& text);
// Parses the real syntax of IniFile::readReal.
std::optional<double> parseIniReal(const QString& text);

} // namespace quorvel
