// SPDX-License-Identifier: GPL-3.0-or-later
#include "mailslotwire.h"
#include "teacherstate.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

QString id(char letter) {
    return QString(kParticipantIdLength, QLatin1Char(letter));
}

QString text(const QStringList& lines) {
    return joinMessageLines(lines);
}

// Objects 0..4; objects 1, 2 and 4 are query fields 1, 2, 3 on the teacher's PC.
TeacherState::Setup setup(int fields = 3) {
    TeacherState::Setup s;
    s.fieldCount = fields;
    s.teacherNumbers = {0, 1, 2, 0, 3};
    return s;
}

QStringList action(const QString& who, int object, int state, int wrong, int status = 0) {
    TnAktionData d;
    d.id = who;
    d.objectIndex = object;
    d.state = state;
    d.wrongAttempts = wrong;
    d.status = static_cast<NetStatus>(status);
    d.startTime = QStringLiteral("09:00:00");
    d.queryCount = 3;
    d.right = 1;
    d.wrong = 1;
    d.open = 2;
    d.clock = QStringLiteral("00:42");
    d.grade = 3;
    return tnAktion(d);
}

} // namespace

TEST(TeacherState, RowsFromTheFourMessages) {
    TeacherState state(setup());
    EXPECT_EQ(state.grid().size(), 2) << "header and one empty row before anyone joins";
    EXPECT_EQ(state.headers().size(), 16);
    EXPECT_EQ(state.headers().at(13), QStringLiteral("1"));

    auto update =
        state.handle(QStringLiteral("pc-1"), QStringLiteral("u"),
                     text(tnInit(id('A'), QStringLiteral("Anna"), QStringLiteral("09:00:00"))));
    EXPECT_TRUE(update.rowAdded);
    state.handle(QStringLiteral("pc-2"), {},
                 text(tnInit(id('B'), QStringLiteral("Ben"), QStringLiteral("09:00:05"))));
    const QStringList& anna = state.participants().at(0).cells;
    EXPECT_EQ(anna.mid(0, 5),
              (QStringList{QStringLiteral("1"), QStringLiteral("pc-1"), QStringLiteral("Anna"),
                           QStringLiteral("aktiv"), QStringLiteral("09:00:00")}));

    update = state.handle({}, {}, text(action(id('B'), 2, -2, 2)));
    EXPECT_EQ(update.row, 1);
    const QStringList& ben = state.participants().at(1).cells;
    EXPECT_EQ(ben.at(9), QStringLiteral("50.0 %"));
    EXPECT_EQ(ben.at(11), QStringLiteral("25.0 %"));
    EXPECT_EQ(ben.at(12 + 2), QStringLiteral("ff ok"));
    state.handle({}, {}, text(action(id('B'), 4, -5, 1)));
    EXPECT_EQ(ben.at(12 + 3), QStringLiteral("f"));
    // An object the teacher does not number changes only the summary, and
    // only the cells whose text changes are reported (here the clock).
    QStringList later = action(id('B'), 3, 0, 0);
    later[11] = QStringLiteral("00:50");
    update = state.handle({}, {}, text(later));
    EXPECT_EQ(update.row, 1);
    EXPECT_EQ(update.columns, QList<int>{5});

    state.handle({}, {}, text(tnFertig(id('B'), NetStatus::Fertig, QStringLiteral("01:10"))));
    EXPECT_EQ(ben.at(3), QStringLiteral("fertig"));
    EXPECT_EQ(ben.at(5), QStringLiteral("01:10"));

    update = state.handle({}, {},
                          text(tnBestlist(id('B'), QStringLiteral("Ben"), QStringLiteral("pc-2"),
                                          46000.375, 70000, 0.5)));
    ASSERT_TRUE(update.bestListEntry);
    EXPECT_EQ(update.bestListEntry->Dauer, 70000);
    EXPECT_DOUBLE_EQ(update.bestListEntry->Leistung, 0.5);

    // The grid as text: three lines of 16 cells.
    const QStringList rows = gridText(state.grid()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(rows.size(), 4); // the last CR LF leaves an empty tail
    EXPECT_EQ(rows.at(2).split(u'\t').size(), 16);
}

TEST(TeacherState, RepeatsForgeriesAndNonsenseChangeNothing) {
    TeacherState state(setup());
    const QString init = text(tnInit(id('A'), QStringLiteral("Anna"), QStringLiteral("9")));
    state.handle({}, {}, init);
    state.handle({}, {}, init);
    EXPECT_EQ(state.participants().size(), 1) << "a repeated join keeps one row";
    const QString best =
        text(tnBestlist(id('A'), QStringLiteral("Anna"), QStringLiteral("pc"), 46000, 1000, 1));
    EXPECT_TRUE(state.handle({}, {}, best).bestListEntry);
    EXPECT_FALSE(state.handle({}, {}, best).bestListEntry) << "one best-list entry per ID";

    const QStringList junk[] = {
        action(id('Z'), 1, 0, 0),                                    // unknown ID
        {QStringLiteral("TN-AKTION"), id('A'), QStringLiteral("1")}, // lines missing
        tnInit(QStringLiteral("short"), QStringLiteral("x"), {}),    // not an ID
        tnBestlist(id('A'), {}, {}, 1, -5, 0.5),                     // negative duration
        {QStringLiteral("TN-UNBEKANNT"), id('A')},
    };
    for (const QStringList& lines : junk)
        EXPECT_EQ(state.handle({}, {}, text(lines)).row, -1) << lines.join(u'|').toStdString();
    QStringList badIndex = action(id('A'), 1, 0, 0);
    badIndex[2] = QStringLiteral("eins");
    EXPECT_EQ(state.handle({}, {}, text(badIndex)).row, -1) << "the object index is strict";
    QStringList lenient = action(id('A'), 1, 0, 0);
    lenient[5] = QStringLiteral(" 3 ");
    lenient[4] = QStringLiteral("zwei");
    state.handle({}, {}, text(lenient));
    EXPECT_EQ(state.participants().at(0).cells.at(3), QStringLiteral("timeout"));
    EXPECT_EQ(state.participants().at(0).cells.at(13), QStringLiteral("ok"));

    // A name with tabs and line breaks cannot split the grid's text; absurd lengths are cut.
    state.handle(QString(100000, u'c'), {},
                 text(tnInit(id('C'), QStringLiteral("a\tb"), QStringLiteral("9"))));
    EXPECT_EQ(state.participants().at(1).cells.at(2), QStringLiteral("a b"));
    EXPECT_EQ(state.participants().at(1).cells.at(1).size(), TeacherState::kMaxCellLength);
}

TEST(TeacherState, AFloodOfJoinsStopsAtTheCap) {
    TeacherState state(setup(0));
    for (int i = 0; i < TeacherState::kMaxParticipants + 40; ++i) {
        QString who;
        for (int k = 0, n = i; k < kParticipantIdLength; ++k, n /= 26)
            who += QChar(u'A' + n % 26);
        state.handle({}, {}, text(tnInit(who, QStringLiteral("x"), {})));
    }
    EXPECT_EQ(state.participants().size(), TeacherState::kMaxParticipants);
    EXPECT_EQ(state.refusedJoins(), 40);
    EXPECT_EQ(state.columnCount(), 13);
}

TEST(TeacherState, LessonCodeDropsUntaggedWrongAndReplayedMessages) {
    TeacherState::Setup s = setup();
    const QByteArray salt("0123456789abcdef");
    s.key = LessonKey(QStringLiteral("ABC234"), salt);
    TeacherState state(std::move(s));
    const LessonKey pupil(QStringLiteral("abc234"), salt);
    const LessonKey intruder(QStringLiteral("ABC235"), salt);
    auto tagged = [](const LessonKey& key, QStringList lines, quint32 sequence) {
        lines << key.messageTagLine(lines, sequence);
        return text(lines);
    };
    const QStringList init = tnInit(id('A'), QStringLiteral("Anna"), QStringLiteral("9"));
    EXPECT_EQ(state.handle({}, {}, text(init)).row, -1);
    EXPECT_EQ(state.handle({}, {}, tagged(intruder, init, 0)).row, -1);
    EXPECT_TRUE(state.handle({}, {}, tagged(pupil, init, 0)).rowAdded);
    EXPECT_EQ(state.rejectedCount(), 2);

    const QString answer = tagged(pupil, action(id('A'), 1, 0, 0), 1);
    EXPECT_EQ(state.handle({}, {}, answer).row, 0);
    EXPECT_EQ(state.handle({}, {}, answer).row, -1) << "a replay is dropped";
    // A changed line under the old tag.
    QString forged = answer;
    forged.replace(QStringLiteral("\r\n0\r\n0\r\n0\r\n"), QStringLiteral("\r\n0\r\n0\r\n1\r\n"));
    EXPECT_EQ(state.handle({}, {}, forged).row, -1);
    EXPECT_EQ(state.rejectedCount(), 4);
}
