// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's control display while 60 participants answer a document with
// 40 query fields: one participant's answer to one field, from the message
// to the repainted cells of the grid (and the recounted class picture), under
// the offscreen platform, against the redraw of one target of the view
// measured in the same run. Goal: at most 0.5 of the redraw.
#include "classpicture.h"
#include "labellingdocument.h"
#include "mailslotwire.h"
#include "networkteacher.h"
#include "participantids.h"
#include "redrawbaseline.h"
#include "shell.h"
#include "timereporter.h"
#include "tmasterprotform.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

using namespace quorvel;

namespace {

constexpr int kParticipants = 60;
constexpr int kFields = 40;

// The display asks the shell only when the teacher prints, saves or ends,
// which the benchmark never does.
class NoShell final : public Shell {
public:
    UserDialogs& dialogs() override { std::abort(); }
    CommandRegistry& commands() override { std::abort(); }
    DocumentSession& session() override { std::abort(); }
    TitleStrip& titleStrip() override { std::abort(); }
    Modus modus() const override { std::abort(); }
    void setModus(Modus) override { std::abort(); }
    Settings& settings() override { std::abort(); }
    const StartEnvironment& environment() const override { std::abort(); }
    const MainWindowState& state() const override { std::abort(); }
    void setTopicFolder(const QString&) override { std::abort(); }
    void setCurrentFolder(const QString&) override { std::abort(); }
    RandomGenerator& random() override { std::abort(); }
    QWidget* dialogParent() override { return nullptr; }
    void addParticipant(ShellParticipant&) override { std::abort(); }
};

// A class of 60 in a display large enough to show every cell, so that every
// answer is painted.
void answerOnTheDisplay(benchmark::State& state, TMasterProtForm::Page page) {
    QTemporaryDir folder;
    Document document = labellingDocument(kFields);
    NetworkTeacher teacher;
    NetworkTeacher::Publication publication;
    publication.folder = folder.path();
    publication.channel = QStringLiteral("QVBENCH");
    publication.method = NetworkTeacher::Method::Folder;
    publication.scanIntervalMs = 1000000; // nothing but the benchmark's messages
    publication.state.fieldCount = kFields;
    for (const ObjDataTyp& o : document.objects)
        publication.state.teacherNumbers.push_back(o.AbfrageNummer);
    if (!teacher.initiate(document, publication)) {
        state.SkipWithError("the exercise could not be published");
        return;
    }
    NoShell shell;
    TMasterProtForm form(shell, teacher);
    form.startExercise(QStringLiteral("<tit>Netzwerk-Übung\r\n"));
    form.setClassPicturePage(composeClassPicturePage(document, layouts(), QSize(1280, 960)));
    form.resize(1700, 1200);
    form.show();
    form.selectPage(page);

    std::vector<QString> answers;
    for (int p = 0; p < kParticipants; ++p) {
        teacher.handleMessage(QStringLiteral("pc"), QStringLiteral("u"),
                              joinMessageLines(tnInit(participantId(p), QStringLiteral("Name"),
                                                      QStringLiteral("09:00:00"))));
    }
    for (int f = 0; f < kFields; ++f) {
        for (int p = 0; p < kParticipants; ++p) {
            TnAktionData d;
            d.id = participantId(p);
            d.objectIndex = f;
            d.state = (p + f) % 4 == 0 ? -3 : 0;
            d.wrongAttempts = (p + f) % 3;
            d.queryCount = kFields;
            d.right = f;
            d.wrong = f % 3;
            d.open = kFields - f;
            d.clock = QStringLiteral("01:23");
            answers.push_back(joinMessageLines(tnAktion(d)));
        }
    }
    QApplication::processEvents();
    std::size_t next = 0;
    for (auto _ : state) {
        teacher.handleMessage(QStringLiteral("pc"), QStringLiteral("u"), answers[next]);
        // The repaint of what the message changed, as the event loop does it.
        QApplication::processEvents();
        next = (next + 1) % answers.size();
    }
    teacher.end();
}

void BM_AnswerOnTheGrid(benchmark::State& state) {
    answerOnTheDisplay(state, TMasterProtForm::Page::Participants);
}

void BM_AnswerOnTheClassPicture(benchmark::State& state) {
    answerOnTheDisplay(state, TMasterProtForm::Page::ClassPicture);
}

void BM_RedrawOneTarget(benchmark::State& state) {
    redrawOneTarget(state);
}

BENCHMARK(BM_AnswerOnTheGrid)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_AnswerOnTheClassPicture)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_RedrawOneTarget)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double grid = reporter.seconds["BM_AnswerOnTheGrid"];
    const double picture = reporter.seconds["BM_AnswerOnTheClassPicture"];
    const double redraw = reporter.seconds["BM_RedrawOneTarget"];
    std::printf("\none answer with its repaint: grid %.2f us, class picture %.2f us; "
                "one target redraw: %.2f us\n",
                grid * 1e6, picture * 1e6, redraw * 1e6);
    std::printf("grid answer / redraw: %.4f (goal <= 0.5)\n", redraw > 0 ? grid / redraw : 0.0);
    std::printf("class picture answer / redraw: %.4f\n", redraw > 0 ? picture / redraw : 0.0);
    benchmark::Shutdown();
    return 0;
}
