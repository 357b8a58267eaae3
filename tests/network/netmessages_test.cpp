// SPDX-License-Identifier: GPL-3.0-or-later
#include "netmessages.h"

#include <gtest/gtest.h>

using namespace quorvel;

namespace {

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

TEST(NetMessages, Lines) {
    TnAktionData d;
    d.id = QStringLiteral("ID");
    d.objectIndex = 4;
    d.state = -2;
    d.wrongAttempts = 1;
    d.startTime = QStringLiteral("09:15:00");
    d.queryCount = 8;
    d.right = 2.5;
    d.wrong = 1;
    d.fractional = true;
    d.open = 5;
    d.clock = QStringLiteral("01:07");
    d.grade = 4;
    EXPECT_EQ(tnAktion(d), lines({"TN-AKTION", "ID", "4", "-2", "1", "0", "09:15:00", "8", "2.50",
                                  "1.00", "5", "01:07", "71.4", "29.4", "4"}));
    d.fractional = false;
    d.right = d.wrong = 0;
    d.open = 0;
    const QStringList none = tnAktion(d);
    EXPECT_EQ(none.mid(8, 2), lines({"0", "0"}));
    EXPECT_EQ(none.mid(12, 2), lines({"0.0", "0.0"}));
    EXPECT_EQ(tnFertig(QStringLiteral("ID"), NetStatus::Timeout, QStringLiteral("00:00")),
              lines({"TN-FERTIG", "ID", "3", "00:00"}));
}

TEST(NetMessages, LenientAndStrictNumbers) {
    const struct {
        const char* text;
        int lenient;
    } lenient[] = {{"1", 1}, {" 2 ", 2}, {"1 0", 10},           {"2.6", 3},
                   {"x", 0}, {"", 0},    {"99999999999999", 0}, {"nan", 0}};
    for (const auto& c : lenient)
        EXPECT_EQ(lenientInt(QString::fromUtf8(c.text)), c.lenient) << c.text;
    EXPECT_EQ(strictInt(QStringLiteral("12")), 12);
    EXPECT_FALSE(strictInt(QStringLiteral("1.5")));
    EXPECT_FALSE(strictInt(QStringLiteral("zwölf")));
    EXPECT_EQ(strictReal(QStringLiteral("0,75")), 0.75);
    EXPECT_EQ(strictReal(QStringLiteral("46000.5")), 46000.5);
    EXPECT_FALSE(strictReal(QStringLiteral("inf")));
    EXPECT_FALSE(strictReal(QString()));
}
