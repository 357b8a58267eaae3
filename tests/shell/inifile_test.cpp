// SPDX-License-Identifier: GPL-3.0-or-later
#include "inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QString> valueOf(const QByteArray& bytes, const QString& section,
                               const QString& key) {
    return IniFile::parse(bytes).value(section, key);
}

} // namespace

TEST(IniFile, ValuesAreVerbatimApartFromTrimAndEnclosingQuotes) {
    const QByteArray ini = "; a comment line\r\n"
                           "[NetzKom]\r\n"
                           "Ordner = \\\\server\\kom\\  \r\n"
                           "Liste=a, b,c\r\n"
                           "Semikolon=x;y ; z\r\n"
                           "Zitat=\"  mit Leerzeichen  \"\r\n"
                           "Halb=\"nur vorn\r\n"
                           "Einfach='a'\r\n"
                           "Leer=\r\n"
                           "Gleich=a=b\r\n";
    const IniFile parsed = IniFile::parse(ini);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Ordner"_s), u"\\\\server\\kom\\"_s);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Liste"_s), u"a, b,c"_s);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Semikolon"_s), u"x;y ; z"_s);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Zitat"_s), u"  mit Leerzeichen  "_s);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Halb"_s), u"\"nur vorn"_s);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Einfach"_s), u"a"_s);
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Leer"_s), QString());
    EXPECT_EQ(parsed.value(u"NetzKom"_s, u"Gleich"_s), u"a=b"_s);
}

TEST(IniFile, NamesIgnoreCaseAndTheFirstOccurrenceWins) {
    const QByteArray ini = "Vorher=nicht in einem Abschnitt\n"
                           "[ Optionen ]\n"
                           "SCHRIFTART=Erste\n"
                           "schriftart=Zweite\n"
                           "ohne Gleichheitszeichen\n"
                           "=kein Name\n"
                           "[Anderes\n"
                           "Danach=noch Optionen\n"
                           "[optionen]\n"
                           "WerkzeugPos=1\n";
    const IniFile parsed = IniFile::parse(ini);
    EXPECT_EQ(parsed.value(u"optionen"_s, u"Schriftart"_s), u"Erste"_s);
    // A repeated section is not read, as with the Windows profile functions.
    EXPECT_FALSE(parsed.value(u"Optionen"_s, u"WerkzeugPos"_s));
    EXPECT_EQ(parsed.value(u"Optionen"_s, u"Danach"_s), u"noch Optionen"_s);
    EXPECT_FALSE(parsed.value(u"Optionen"_s, u"Vorher"_s));
    EXPECT_FALSE(parsed.value(u"Optionen"_s, QString()));
    EXPECT_FALSE(parsed.hasSection(u"Anderes"_s));
}

TEST(IniFile, LineBreaksOfEveryKind) {
    const IniFile parsed = IniFile::parse("[S]\rA=1\rB=2\nC=3\r\n\r\nD=4");
    EXPECT_EQ(parsed.value(u"S"_s, u"A"_s), u"1"_s);
    EXPECT_EQ(parsed.value(u"S"_s, u"B"_s), u"2"_s);
    EXPECT_EQ(parsed.value(u"S"_s, u"C"_s), u"3"_s);
    EXPECT_EQ(parsed.value(u"S"_s, u"D"_s), u"4"_s);
}

TEST(IniFile, DecodesUtf8Windows1252AndUtf16) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const QString expected = u"Übung für Schüler – ä"_s;
    const Case cases[] = {
        {"UTF-8", "[S]\nK=" + expected.toUtf8() + "\n"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF[S]\nK=" + expected.toUtf8() + "\n"},
        {"Windows-1252", "[S]\nK=\xDC"
                         "bung f\xFCr Sch\xFCler \x96 \xE4\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valueOf(c.bytes, u"S"_s, u"K"_s), expected) << c.what;

    const QString text = u"[S]\r\nK="_s + expected + u"\r\n"_s;
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(valueOf(utf16, u"S"_s, u"K"_s), expected);
}

TEST(IniFile, IntegersRealsAndBools) {
    const IniFile ini = IniFile::parse("[S]\n"
                                       "dez= 42 \nneg=-3\nhex=0x1F\ndollar=$10\nplus=+7\n"
                                       "text=abc\nrest=12abc\ngross=99999999999\nleer=\n"
                                       "max=2147483647\nmin=-2147483648\nueber=2147483648\n"
                                       "punkt=85.5\nkomma=85,5\nunendlich=inf\n"
                                       "wahr=true\nfalsch=FALSE\nzwei=2\nnull=0\nja=ja\n");
    struct IntCase {
        const char16_t* key;
        int expected;
    };
    const IntCase ints[] = {{u"dez", 42},
                            {u"neg", -3},
                            {u"hex", 31},
                            {u"dollar", 16},
                            {u"plus", 7},
                            {u"text", -1},
                            {u"rest", -1},
                            {u"gross", -1},
                            {u"leer", -1},
                            {u"max", 2147483647},
                            {u"min", -2147483647 - 1},
                            {u"ueber", -1},
                            {u"fehlt", -1}};
    for (const IntCase& c : ints)
        EXPECT_EQ(ini.readInteger(u"S"_s, QString::fromUtf16(c.key), -1), c.expected)
            << QString::fromUtf16(c.key).toStdString();

    EXPECT_DOUBLE_EQ(ini.readReal(u"S"_s, u"punkt"_s, 0.0), 85.5);
    EXPECT_DOUBLE_EQ(ini.readReal(u"S"_s, u"komma"_s, 0.0), 85.5);
    EXPECT_DOUBLE_EQ(ini.readReal(u"S"_s, u"text"_s, 1.5), 1.5);
    EXPECT_DOUBLE_EQ(ini.readReal(u"S"_s, u"unendlich"_s, 1.5), 1.5);

    EXPECT_TRUE(ini.readBool(u"S"_s, u"wahr"_s, false));
    EXPECT_FALSE(ini.readBool(u"S"_s, u"falsch"_s, true));
    EXPECT_TRUE(ini.readBool(u"S"_s, u"zwei"_s, false));
    EXPECT_FALSE(ini.readBool(u"S"_s, u"null"_s, true));
    EXPECT_TRUE(ini.readBool(u"S"_s, u"ja"_s, true)); // not understood: the fallback
    EXPECT_FALSE(ini.readBool(u"S"_s, u"ja"_s, false));
}

TEST(IniFile, LoadRefusesMissingAndOversizedFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    IniFile unchanged = IniFile::parse("[S]\nK=7\n");
    EXPECT_FALSE(IniFile::load(dir.filePath(u"fehlt.ini"_s), unchanged));

    QFile big(dir.filePath(u"gross.ini"_s));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("[S]\nK=1\n");
    big.write(QByteArray(IniFile::kMaxFileSize, ' '));
    big.close();
    const IoResult refused = IniFile::load(big.fileName(), unchanged);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.messages.isEmpty()) << "a settings file fails silently";
    EXPECT_FALSE(refused.detail.isEmpty());
    EXPECT_EQ(unchanged.readInteger(u"S"_s, u"K"_s, 0), 7) << "a failed load keeps the target";

    QFile small(dir.filePath(u"klein.ini"_s));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write("[S]\nK=1\n");
    small.close();
    IniFile loaded;
    ASSERT_TRUE(IniFile::load(small.fileName(), loaded));
    EXPECT_EQ(loaded.readInteger(u"S"_s, u"K"_s, 0), 1);
}

TEST(IniFile, BinaryGarbageYieldsNoValues) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) & 0xFF));
    garbage.append("\n[S]\nK=1\n");
    const IniFile parsed = IniFile::parse(garbage);
    EXPECT_EQ(parsed.readInteger(u"S"_s, u"K"_s, 0), 1);
}
