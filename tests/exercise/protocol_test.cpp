// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "protocol.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(ProtocolFormat, FixedDecimalsWithAPointWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(fixedText(1234.5678, 2), u"1234.57"_s);
    EXPECT_EQ(fixedText(0.333333, 2), u"0.33"_s);
    EXPECT_EQ(fixedText(2.0, 0), u"2"_s);
    EXPECT_EQ(fixedText(-0.04, 1), u"0.0"_s);
    EXPECT_EQ(percentFigure(2.0 / 3.0), u"66.7 %"_s);
    QLocale::setDefault(previous);
}

struct ClockCase {
    qint64 seconds;
    const char16_t* clock;
};

class Clock : public ::testing::TestWithParam<ClockCase> {};

TEST_P(Clock, MinutesAndSecondsPadded) {
    EXPECT_EQ(clockText(GetParam().seconds), QString::fromUtf16(GetParam().clock));
}

INSTANTIATE_TEST_SUITE_P(Texts, Clock,
                         ::testing::Values(ClockCase{0, u"00:00"}, ClockCase{61, u"01:01"},
                                           ClockCase{6000, u"100:00"}, ClockCase{-5, u"00:00"}));

struct LimitCase {
    int seconds;
    const char16_t* text;
};

class Limit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Limit, HoursOnlyWhenThereAreAny) {
    EXPECT_EQ(timeLimitText(GetParam().seconds), QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Texts, Limit,
                         ::testing::Values(LimitCase{180, u"3 Min. 0 Sek."},
                                           LimitCase{45, u"45 Sek."},
                                           LimitCase{3605, u"1 Std. 0 Min. 5 Sek."},
                                           LimitCase{0, u"0 Sek."}));

TEST(ProtocolLine, StampGoesToTheBodyWhicheverTextTheLineGoesTo) {
    UebungsSitzung run;
    writeProtocolLine(run, ProtocolText::Body, u"Übung wird gestartet"_s, true, 999);
    writeProtocolLine(run, ProtocolText::Series, u"Teil 1"_s, true, 125'900);
    writeProtocolLine(run, ProtocolText::Body, QString(), false, 0);
    EXPECT_EQ(QString::fromUtf8(run.body), u"00:00 - Übung wird gestartet\r\n02:05 - \r\n"_s);
    EXPECT_EQ(run.seriesText, u"Teil 1\r\n"_s);
}

// The settings lines of the preamble per document type.
struct PreambleCase {
    DokTyp dokTyp;
    QueryMode mode;
    QStringList present;
    QStringList absent;
};

class Preamble : public ::testing::TestWithParam<PreambleCase> {};

TEST_P(Preamble, WritesTheLinesOfItsType) {
    const PreambleCase& c = GetParam();
    Document document;
    document.header.DokTyp = codeOf(c.dokTyp);
    document.header.titel = u"Planeten"_s;
    document.file = u"/tmp/x/planeten.qvl"_s;
    UebungsSitzung run;
    run.settings.AbfrageModus = c.mode;
    run.AbfrageAnz = run.AbfrageAnzGesamt = 4;
    run.TeilnehmerName = u"Lea"_s;
    ProtocolContext context;
    context.computerName = u"pc1"_s;
    context.userName = u"lea"_s;
    const QString text = protocolPreamble(run, document, context, u"00:42"_s);
    const QStringList lines = text.split(u"\r\n"_s);
    for (const QString& line : c.present)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    for (const QString& prefix : c.absent)
        EXPECT_FALSE(text.contains(prefix)) << prefix.toStdString();
    EXPECT_EQ(lines.front(), u"<tit>Übungsprotokoll"_s);
    EXPECT_TRUE(text.endsWith(u"\r\n\r\n<tit>Detaillierter Ablauf\r\n"_s));
}

const QStringList kCommon = {
    u"Teilnehmername:\tLea"_s,
    u"Rechnername:\tpc1"_s,
    u"Datei:\tplaneten.qvl"_s,
    u"Übungsumfang:\t4 Abfragen (komplette Übung)"_s,
    u"Notengrenzen bzgl. Gesamtleistung:\t85.0% / 70.0% / 55.0% / 40.0% / 25.0%"_s,
    u"Benötigte Zeit:\t00:42"_s,
    u"Bewertung:\t"_s,
    u"Note:\t0"_s};

INSTANTIATE_TEST_SUITE_P(
    Types, Preamble,
    ::testing::Values(
        PreambleCase{DokTyp::PictureLabelling,
                     QueryMode::SinglePosition,
                     kCommon + QStringList{u"Abfragemodus:\tEinzelabfrage Positionen"_s,
                                           u"Zeitlimit:\tnein, mit Uhr"_s,
                                           u"Verhalten bei Fehlversuch:\tbeliebig viele "
                                           u"Zuordnungsversuche erlaubt"_s,
                                           u"Zuordnungsziele (Positionen):\tzufällig gemischt "
                                           u"nummeriert"_s},
                     {u"Reihenfolge der Fragen"_s}},
        PreambleCase{DokTyp::Cloze,
                     QueryMode::TextInput,
                     kCommon + QStringList{u"Abfragemodus:\tTexteingabe"_s},
                     {u"Verhalten bei"_s, u"Zuordnungstexte"_s}},
        PreambleCase{DokTyp::SingleQuestions,
                     QueryMode::Free,
                     kCommon + QStringList{u"Abfragemodus:\tsolange wiederholen, bis jede Frage "
                                           u"richtig beantwortet wurde"_s,
                                           u"Antwortmöglichkeiten:\tzufällig gemischt"_s,
                                           u"Reihenfolge der Fragen:\tzufällig gemischt"_s},
                     {u"Verhalten bei"_s}},
        PreambleCase{DokTyp::Cluster,
                     QueryMode::SingleCard,
                     kCommon + QStringList{u"Abfragemodus:\tEinzelabfrage Texte/Bilder"_s},
                     {u"Verhalten bei"_s, u"Antwortmöglichkeiten"_s}},
        PreambleCase{DokTyp::CrossMatching,
                     QueryMode::Free,
                     kCommon,
                     {u"Abfragemodus"_s, u"Zeitlimit:"_s}}));

TEST(Preamble, PointScalesListEveryPointFromTheTop) {
    Document document;
    UebungsSitzung run;
    run.grading.BewertSkala = GradingScale::TwelvePoints;
    const QString text = protocolPreamble(run, document, {}, u"00:00"_s);
    const qsizetype at = text.indexOf(u"Punktegrenzen bzgl. Gesamtleistung:\t"_s);
    ASSERT_GE(at, 0);
    const QString line = text.mid(at).section(u"\r\n"_s, 0, 0).section(u'\t', 1);
    EXPECT_EQ(line.split(u" / "_s).size(), 13);
    EXPECT_TRUE(line.endsWith(u" / 0.0%"_s));
    EXPECT_TRUE(text.contains(u"Teilnehmername:\t(kein Name)"_s));
    EXPECT_TRUE(text.contains(u"Punkte:\t0"_s));
}

} // namespace
} // namespace quorvel

namespace quorvel {
namespace {

// "Rechnerbenutzer" is the login name of the system, also where the session
// sets no USER (a service, a cron job) and the home folder is named otherwise.
TEST(ProtocolContext, UserIsTheLoginNameNotTheHomeFolder) {
    const passwd* user = getpwuid(getuid());
    if (!user || !user->pw_name)
        GTEST_SKIP() << "this user id has no entry in the user database";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.filePath(QStringLiteral("home"));
    const char* names[] = {"USER", "LOGNAME", "HOME"};
    std::vector<std::optional<QByteArray>> saved;
    for (const char* name : names)
        saved.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                        : std::nullopt);
    qunsetenv("USER");
    qunsetenv("LOGNAME");
    qputenv("HOME", home.toLocal8Bit());
    const ProtocolContext context = localProtocolContext();
    for (size_t i = 0; i < saved.size(); ++i) {
        if (saved[i])
            qputenv(names[i], *saved[i]);
        else
            qunsetenv(names[i]);
    }
    EXPECT_EQ(context.userName, QString::fromLocal8Bit(user->pw_name));
}

} // namespace
} // namespace quorvel
