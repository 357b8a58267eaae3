// SPDX-License-Identifier: GPL-3.0-or-later
#include "capitalsdocument.h"
#include "document.h"
#include "documentio.h"
#include "joincommand.h"
#include "layoutset.h"
#include "localidentity.h"
#include "networkteacher.h"
#include "participantlink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

// Three capitals to label; every participant solves them with one wrong
// drop, or stops after the first answer.
class JoinCommand : public ::testing::TestWithParam<int> {
public:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        document = test::capitalsDocument();
        options.folder = dir.path();
        options.channel = u"QVJOIN"_s;
        options.method = GetParam();
        options.name = u"Kind"_s;
        options.seed = 3;
        options.waitSeconds = 0;
    }

    void initiate(const QString& code = {}) {
        NetworkTeacher::Publication p;
        p.folder = dir.path();
        p.channel = options.channel;
        p.method = NetworkTeacher::Method(GetParam());
        p.settings.NetzUebungMaster = u"localhost"_s;
        p.state.fieldCount = 3;
        p.state.teacherNumbers = {1, 2, 3};
        p.lessonCode = code;
        p.scanIntervalMs = 20;
        ASSERT_TRUE(teacher.initiate(document, p));
    }

    void script(const QByteArray& text) {
        options.scriptPath = dir.filePath(u"script.txt"_s);
        QFile file(options.scriptPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // The teacher in this process takes the message files the participants
    // left behind as it would in its own.
    void settle() {
        const ExchangeFiles files(options.folder, options.channel);
        QElapsedTimer timer;
        timer.start();
        while (!files.messageFiles().isEmpty() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    Document document;
    NetworkTeacher teacher;
    JoinOptions options;
    const LayoutSet layouts = buildLayoutSet();
};

const QByteArray kSolve = "drop 0 1\ndrop 0 0\ndrop 1 1\ndrop 2 2\n";

} // namespace

// Two participants in one process, interleaved: two rows with their own IDs
// and names, every answer in the grid, both ends and both best-list
// entries; the output is what `exercise --json` gives for each run.
TEST_P(JoinCommand, CountedParticipantsReportEveryAnswerAndTheirEnd) {
    initiate(u"Z9Q"_s);
    script(kSolve);
    options.count = 2;
    options.json = true;
    options.lessonCode = u"z9q"_s;
    const CommandOutcome outcome = joinCommand(layouts, options);
    ASSERT_EQ(outcome.exitCode, kExitOk) << outcome.errors.join(u'\n').toStdString();
    settle();
    EXPECT_TRUE(outcome.errors.isEmpty());
    const QJsonArray runs = QJsonDocument::fromJson(outcome.output).array();
    ASSERT_EQ(runs.size(), 2);
    for (const QJsonValue run : runs) {
        EXPECT_EQ(run[u"EndeGrund"_s].toInt(), 1);
        EXPECT_EQ(run[u"Fehlversuche"_s].toDouble(), 1.0);
    }
    EXPECT_TRUE(runs[0][u"protocol"_s].toString().contains(u"Teilnehmername:\tKind-1"_s));

    const TeacherState* state = teacher.state();
    ASSERT_EQ(state->participants().size(), 2);
    EXPECT_NE(state->participants().at(0).id, state->participants().at(1).id);
    // Rows in the order the joins arrived: message files may come in any order.
    QStringList names;
    for (int i = 0; i < 2; ++i) {
        const QStringList& row = state->participants().at(i).cells;
        names << row.at(2);
        EXPECT_EQ(row.at(1), hostName());
        EXPECT_EQ(row.at(3), u"fertig"_s);
        EXPECT_EQ(row.at(7), u"3"_s);
        EXPECT_EQ(row.at(14), u"f ok"_s);
        EXPECT_TRUE(state->participants().at(i).bestListed);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{u"Kind-1"_s, u"Kind-2"_s}));
    EXPECT_EQ(state->rejectedCount(), 0);
    EXPECT_TRUE(ExchangeFiles(options.folder, options.channel).available())
        << "a participant never clears the exchange files";
}

// A script that ends while the run goes on aborts it: status 2, no best-list
// entry; the output is the protocol as `exercise` prints it.
TEST_P(JoinCommand, AScriptThatEndsEarlyAbortsTheRun) {
    initiate();
    script("drop 0 0\n");
    const CommandOutcome outcome = joinCommand(layouts, options);
    ASSERT_EQ(outcome.exitCode, kExitOk) << outcome.errors.join(u'\n').toStdString();
    settle();
    EXPECT_TRUE(outcome.output.startsWith("<tit>"));
    EXPECT_TRUE(outcome.output.contains("Teilnahme an Netzwerk-Übung"));
    const TeacherState* state = teacher.state();
    ASSERT_EQ(state->participants().size(), 1);
    EXPECT_EQ(state->participants().at(0).cells.at(2), u"Kind"_s);
    EXPECT_EQ(state->participants().at(0).cells.at(3), u"abgebr."_s);
    EXPECT_EQ(state->participants().at(0).cells.at(13), u"ok"_s);
    EXPECT_FALSE(state->participants().at(0).bestListed);
}

// Failures end with 1 and the program's message, and send nothing.
TEST_P(JoinCommand, RefusesWhatItCannotJoin) {
    struct Case {
        const char* what;
        std::function<void(JoinCommand&)> arrange;
        QString message;
    };
    const Case cases[] = {
        {"nothing published", [](JoinCommand&) {}, u"Netzwerk-Übung nicht initiiert."_s},
        {"wrong lesson code",
         [](JoinCommand& t) {
             t.initiate(u"RICHTIG"_s);
             t.options.lessonCode = u"FALSCH"_s;
         },
         msgWrongLessonCode()},
        {"damaged settings file",
         [](JoinCommand& t) {
             t.initiate();
             QFile file(ExchangeFiles(t.options.folder, t.options.channel).settingsPath());
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray("\xff\xff\xff\x7f", 4));
         },
         u"Fehler beim Einlesen der Datei \"%1\""_s.arg(
             ExchangeFiles(dir.path(), u"QVJOIN"_s).settingsPath())},
        {"channel that is a path", [](JoinCommand& t) { t.options.channel = u"../x"_s; },
         u"Der Kommunikationskanal \"../x\" ist ungültig: 1 bis 8 Zeichen, ohne \"/\", \"\\\" "
         u"und \"..\"."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange(*this);
        const CommandOutcome outcome = joinCommand(layouts, options);
        EXPECT_EQ(outcome.exitCode, kExitFailure);
        EXPECT_TRUE(outcome.output.isEmpty());
        ASSERT_FALSE(outcome.errors.isEmpty());
        EXPECT_EQ(outcome.errors.first(), c.message);
        if (teacher.state()) {
            EXPECT_TRUE(teacher.state()->participants().empty());
        }
        teacher.end();
        options.channel = u"QVJOIN"_s;
        options.lessonCode.clear();
    }
}

INSTANTIATE_TEST_SUITE_P(BothMethods, JoinCommand, ::testing::Values(0, 1));

TEST(JoinOptions, UsageErrors) {
    const LayoutSet layouts = buildLayoutSet();
    const QHash<QString, QString> base{{u"--folder"_s, u"/tmp"_s}, {u"--name"_s, u"A"_s}};
    const std::pair<QString, QString> bad[] = {{u"--count"_s, u"0"_s},    {u"--count"_s, u"251"_s},
                                               {u"--method"_s, u"2"_s},   {u"--wait"_s, u"-1"_s},
                                               {u"--seed"_s, u"x"_s},     {u"--name"_s, u" "_s},
                                               {u"--folder"_s, QString()}};
    for (const auto& [key, value] : bad) {
        QHash<QString, QString> values = base;
        values.insert(key, value);
        const CommandOutcome outcome = runJoinOptions(layouts, values);
        EXPECT_EQ(outcome.exitCode, kExitUsage) << key.toStdString() << value.toStdString();
    }
}

// A document the engine cannot run (no query objects): the start's refusal
// with exit 1, and the joining ends as aborted rather than staying "aktiv".
TEST_P(JoinCommand, ARefusedStartEndsTheJoiningAsAborted) {
    for (ObjDataTyp& o : document.objects)
        o.Typ = codeOf(Typ::FixedLabel);
    initiate();
    const CommandOutcome outcome = joinCommand(layouts, options);
    EXPECT_EQ(outcome.exitCode, kExitFailure);
    EXPECT_EQ(outcome.errors, QStringList{u"Dieses Dokument enthält keine Abfrageobjekte."_s});
    settle();
    const TeacherState* state = teacher.state();
    ASSERT_EQ(state->participants().size(), 1);
    EXPECT_EQ(state->participants().at(0).cells.at(3), u"abgebr."_s);
}
