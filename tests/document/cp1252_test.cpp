// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1252.h"

#include <gtest/gtest.h>

using namespace quorvel;

TEST(Cp1252, DecodesEveryByteAndEncodesBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = decodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro sign
    EXPECT_EQ(text.at(0x9F), QChar(0x0178));
    EXPECT_EQ(text.at(0xFC), QChar(u'ü'));
    EXPECT_EQ(encodeCp1252(text), all); // the undefined bytes survive too
}

TEST(Cp1252, WritesQuestionMarkForForeignCharacters) {
    EXPECT_EQ(encodeCp1252(QStringLiteral("Größe €")), QByteArray("Gr\xF6\xDF"
                                                                  "e \x80"));
    EXPECT_EQ(encodeCp1252(QString::fromUtf8("Ω😀x")), QByteArray("??x"));
}
