// SPDX-License-Identifier: GPL-3.0-or-later
#include "answertext.h"
#include "objdata.h"
#include "randomgenerator.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

struct NormaliseCase {
    const char16_t* in;
    const char16_t* out;
};

class Normalise : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(Normalise, GivesTheComparedText) {
    EXPECT_EQ(normalisedText(QString::fromUtf16(GetParam().in)),
              QString::fromUtf16(GetParam().out));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Normalise,
    ::testing::Values(
        // hyphenated breaks: a lower-case letter joins the word, anything else keeps the hyphen
        NormaliseCase{u"Was-\r\nser", u"Wasser"}, NormaliseCase{u"Nord-\r\nOst", u"Nord-Ost"},
        NormaliseCase{u"8-\r\n9", u"8-9"}, NormaliseCase{u"ab-\r\n", u"ab-"},
        NormaliseCase{u"a-\r\nb-\r\nc", u"abc"}, NormaliseCase{u"grü-\r\nne", u"grüne"},
        NormaliseCase{u"a-\r\nß", u"a-ß"},
        // line breaks and blanks: each replacement a single pass
        NormaliseCase{u"a\r\nb", u"a b"}, NormaliseCase{u"a   b", u"a b"},
        NormaliseCase{u"a    b", u"a b"}, NormaliseCase{u"a     b", u"a  b"},
        NormaliseCase{u"a\nb\rc", u"a b c"},
        // trimming blanks and control characters; the 0xFF guard
        NormaliseCase{u" \t x \x01", u"x"}, NormaliseCase{u"\u00FFx", u" \u00FFx"},
        NormaliseCase{u"", u""}));

TEST(Normalise, StaysLinearOnHostileText) {
    // 200,000 hyphenated breaks must not take quadratic time.
    const QString text = u"a-\r\n"_s.repeated(200000) + u'b';
    EXPECT_EQ(normalisedText(text), u"a"_s.repeated(200000) + u'b');
}

TEST(AnswerText, PictureIdentifiers) {
    RandomGenerator random(7);
    ObjDataTyp named;
    named.BildKenn = u"Mond"_s;
    EXPECT_EQ(pictureIdentifier(named, random), u"Mond (Bildkennung)"_s);
    ObjDataTyp unnamed;
    unnamed.BildKenn = u"  "_s;
    const QString id = pictureIdentifier(unnamed, random);
    ASSERT_TRUE(id.endsWith(u" (Zufallskennung für Bild)"_s));
    const QString letters = id.left(20);
    EXPECT_TRUE(std::all_of(letters.begin(), letters.end(),
                            [](QChar c) { return c >= u'a' && c <= u'z'; }));
    EXPECT_NE(pictureIdentifier(unnamed, random), id) << "each picture fits only itself";
}

TEST(AnswerText, AlternativesMatchWholeEntriesOnly) {
    const QString alternatives = u"|vier|Vier|4|"_s;
    EXPECT_TRUE(matchesAlternative(u"4"_s, alternatives));
    EXPECT_TRUE(matchesAlternative(u" Vier "_s, alternatives));
    EXPECT_FALSE(matchesAlternative(u"vie"_s, alternatives));
    EXPECT_FALSE(matchesAlternative(u"VIER"_s, alternatives));
}

} // namespace
} // namespace quorvel
