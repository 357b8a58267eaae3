// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "teachersetup.h"

#include <gtest/gtest.h>

using namespace quorvel;

namespace {

ObjDataTyp object(Typ typ, const QString& cap, int number) {
    ObjDataTyp o;
    o.Typ = codeOf(typ);
    o.Cap = cap;
    o.AbfrageNummer = number;
    return o;
}

Document labelling(const std::vector<std::pair<QString, int>>& fields) {
    Document document;
    document.objects.push_back(object(Typ::FixedLabel, QStringLiteral("Titel"), -1));
    for (const auto& [cap, number] : fields)
        document.objects.push_back(object(Typ::QueryLabel, cap, number));
    return document;
}

} // namespace

TEST(TeacherSetup, ColumnsFollowTheQueryFieldsAndTheSettings) {
    const Document document = labelling({{QStringLiteral("Mars"), 2}, {QStringLiteral("Erde"), 1}});
    const std::vector<int> numbers = teacherNumbersOf(document);
    EXPECT_EQ(numbers, (std::vector<int>{0, 2, 1}));

    UebEinstellungen settings;
    GradingTable grading;
    grading.BewertSkala = GradingScale(2);
    TeacherState::Setup setup = teacherSetupOf(document, numbers, settings, grading);
    EXPECT_EQ(setup.fieldCount, 2);
    EXPECT_EQ(setup.gradeHeader, QStringLiteral("Punkte"));
    EXPECT_FALSE(setup.timeLimit);

    settings.AbfrageModus = QueryMode::TextInput;
    settings.Zeitlimit = TimeMode::Limit;
    setup = teacherSetupOf(document, numbers, settings, grading);
    EXPECT_EQ(setup.fieldCount, 0) << "text input has no field columns";
    EXPECT_TRUE(setup.timeLimit);

    // Question marks on the teacher's screen: the grid numbers in order.
    const Document marked = labelling({{QStringLiteral("Mars"), 0}, {QStringLiteral("Erde"), 0}});
    const std::vector<int> ordered = teacherNumbersOf(marked);
    ASSERT_EQ(ordered.size(), 3u);
    EXPECT_EQ(ordered[0], 0);
    EXPECT_EQ(ordered[1] + ordered[2], 3) << "1 and 2, in the order of the captions";
    EXPECT_EQ(marked.objects[1].AbfrageNummer, 0) << "the view keeps its question marks";
}

TEST(TeacherSetup, InformationListsTheSolutionsSorted) {
    Document document = labelling(
        {{QStringLiteral("zebra "), 10}, {QStringLiteral("Affe"), 2}, {QStringLiteral("Ente"), 0}});
    NetworkInformationInput input;
    input.document = &document;
    input.numbers = teacherNumbersOf(document);
    input.context.folder = QStringLiteral("/kom/");
    input.context.channel = QStringLiteral("MASTER-1");
    QString text = networkInformation(input);
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("<tit>Netzwerk-Übung\r\nDatum/Uhrzeit (Beginn):\t")));
    EXPECT_TRUE(text.contains(QStringLiteral("Übungsart:\tInitiierte Netzwerk-Übung\r\n"
                                             "Kommunikationsordner:\t/kom/\r\n"
                                             "Kommunikationskanal:\tMASTER-1\r\n")));
    // Right-aligned in four characters and sorted so ("   2" before "  10"),
    // then trimmed.
    EXPECT_TRUE(text.endsWith(QStringLiteral("abweichend.\r\n2 - Affe\r\n10 - zebra\r\n")))
        << text.toStdString();

    document.header.NumArt = 1;
    text = networkInformation(input);
    EXPECT_TRUE(text.endsWith(QStringLiteral("abweichend.\r\nB - Affe\r\nJ - zebra\r\n")));
}
