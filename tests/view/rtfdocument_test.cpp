// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtfdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

// The format of the character at `position` (the one after it).
QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

TEST(RtfDocumentTest, FormattedTextSurvivesWritingAndReading) {
    QTextDocument written;
    written.setDefaultFont(QFont(u"Liberation Sans"_s, 12));
    QTextCursor cursor(&written);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(16);
    bold.setForeground(QColor(200, 0, 0));
    cursor.insertText(u"Fett {rot} \\ "_s, bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontUnderline(true);
    italic.setFontFamilies({u"Liberation Serif"_s});
    cursor.insertText(u"Größe€ \u4E2D\tEnde"_s, italic);
    cursor.insertBlock();
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(u"zweite Zeile"_s + QChar::LineSeparator + u"umbrochen"_s, QTextCharFormat());

    const QByteArray rtf = documentToRtf(written);
    ASSERT_TRUE(looksLikeRtf(rtf));
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "rich text is 7-bit";

    QTextDocument read;
    ASSERT_TRUE(rtfToDocument(rtf, read));
    EXPECT_EQ(read.toPlainText().toStdString(), written.toPlainText().toStdString());
    const QTextCharFormat first = formatAt(read, 0);
    EXPECT_EQ(first.fontWeight(), QFont::Bold);
    EXPECT_EQ(first.fontPointSize(), 16.0);
    EXPECT_EQ(first.foreground().color(), QColor(200, 0, 0));
    const int second = int(read.toPlainText().indexOf(u"Größe"_s));
    const QTextCharFormat italicRead = formatAt(read, second);
    EXPECT_TRUE(italicRead.fontItalic());
    EXPECT_TRUE(italicRead.fontUnderline());
    EXPECT_NE(italicRead.fontWeight(), QFont::Bold);
    EXPECT_EQ(italicRead.fontFamilies().toStringList(), QStringList{u"Liberation Serif"_s});
    EXPECT_EQ(read.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST(RtfDocumentTest, ReadsWhatOtherWritersProduce) {
    // Destinations that are not text, code page bytes, \u with fallbacks and
    // a \uc of 2, control symbols and a paragraph by escaped line break.
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}{\\*\\generator X;}"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\author Jemand}}"
        "\\pard\\f0\\fs24 Gr\\'fc\\'dfe\\~{\\pict\\pngblip 89504e47}"
        "{\\uc2\\u8364\\'80\\'80}x\\u-10179?\\u-8704?\\par\n"
        "{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt Link}}\\\n"
        "Ende\\-}";
    QTextDocument read;
    ASSERT_TRUE(rtfToDocument(rtf, read));
    // toPlainText() shows the non-breaking space as a blank.
    EXPECT_EQ(read.toPlainText().toStdString(), "Grüße €x\U0001F600\nLink\nEnde");
    EXPECT_TRUE(read.toRawText().contains(QChar(0xA0)));
}

TEST(RtfDocumentTest, HostileInputNeverBreaksTheReader) {
    const QByteArray deep =
        "{\\rtf1 " + QByteArray(100000, '{') + "tief" + QByteArray(100000, '}') + "oben}";
    const QByteArray cases[] = {
        "{\\rtf1",
        "{\\rtf1\\",
        "{\\rtf1\\'",
        "{\\rtf1\\'4",
        "{\\rtf1 a}}}}}} b",
        "{\\rtf1\\u99999999999999999999 \\fs-2147483648 \\cf99 \\f-5 x",
        "{\\rtf1{\\colortbl;\\red999\\green-3\\blue;}\\cf1 farbig\\cf2 \\uc999999 \\u65 AB}",
        "{\\rtf1 " + QByteArray(40, 'a').prepend('\\') + "9 rest}",
        deep,
    };
    for (const QByteArray& rtf : cases) {
        SCOPED_TRACE(rtf.left(60).toStdString());
        QTextDocument read;
        EXPECT_TRUE(rtfToDocument(rtf, read));
    }
    QTextDocument read;
    ASSERT_TRUE(rtfToDocument(deep, read));
    EXPECT_EQ(read.toPlainText(), u"oben"_s) << "groups past the depth limit are skipped";
    EXPECT_FALSE(rtfToDocument("kein rtf", read));
    EXPECT_TRUE(read.isEmpty());
}

} // namespace
