// SPDX-License-Identifier: GPL-3.0-or-later
#include "commatext.h"
#include "cp1252.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::StringLiterals;

struct CommaCase {
    const char* text;
    const char* stored;
    const char* readBack; // what reading the stored form gives
};

TEST(CommaText, WritesAndReadsCaptions) {
    const CommaCase cases[] = {
        {"", "", ""},
        {"Wort", "Wort", "Wort"},
        {"zwei Wörter", "\"zwei Wörter\"", "zwei Wörter"},
        {"a,b", "\"a,b\"", "a,b"},
        {"sagt \"hallo\"", "\"sagt \"\"hallo\"\"\"", "sagt \"hallo\""},
        {"eins\r\nzwei", "eins,zwei", "eins\r\nzwei"},
        {"eins\nzwei\rdrei", "eins,zwei,drei", "eins\r\nzwei\r\ndrei"},
        {"eins\r\n\r\ndrei", "eins,,drei", "eins\r\n\r\ndrei"},
        {"\r\n", "\"\"", ""},         // one empty line
        {"Ende\r\n", "Ende", "Ende"}, // a trailing break is lost
        {"Tab\there", "\"Tab\there\"", "Tab\there"},
    };
    for (const CommaCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(toCommaText(text), QString::fromUtf8(c.stored)) << c.text;
        EXPECT_EQ(fromCommaText(QString::fromUtf8(c.stored)), QString::fromUtf8(c.readBack))
            << c.text;
    }
}

TEST(CommaText, ReadsLooseFormsLikeTheOriginalParser) {
    const CommaCase cases[] = {
        {nullptr, "  a , b ", "a\r\nb"}, // blanks around items are skipped
        {nullptr, "a b", "a\r\nb"},      // an unquoted blank splits items
        {nullptr, "a,", "a"},            // trailing comma: empty line, then trimmed
        {nullptr, ",a", "\r\na"},        // leading empty item
        {nullptr, "\"offen", "offen"},   // unterminated quote runs to the end
        {nullptr, "\"x\"\"\"", "x\""},
    };
    for (const CommaCase& c : cases)
        EXPECT_EQ(fromCommaText(QString::fromUtf8(c.stored)), QString::fromUtf8(c.readBack))
            << c.stored;
    EXPECT_EQ(fromCommaText(QStringLiteral("a") + QChar(0) + QStringLiteral(",b")),
              QStringLiteral("a"));
}

TEST(CommaText, SplitsIntoEntries) {
    struct EntriesCase {
        const char* stored;
        QStringList entries;
    };
    const EntriesCase cases[] = {
        {"", {}},
        {"\"\"", {u""_s}},
        {"a,,b", {u"a"_s, u""_s, u"b"_s}},
        {"a,", {u"a"_s}}, // a comma at the very end adds no entry
        {"a,, ", {u"a"_s, u""_s}},
        {"\"Wie?\",\"+ ja\r\n- nein\", Info ,x",
         {u"Wie?"_s, u"+ ja\r\n- nein"_s, u"Info"_s, u"x"_s}},
    };
    for (const EntriesCase& c : cases)
        EXPECT_EQ(commaTextEntries(QString::fromUtf8(c.stored)), c.entries) << c.stored;
}
