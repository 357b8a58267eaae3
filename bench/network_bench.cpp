// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's handling of one "TN-AKTION" (parse and state update) while 60
// participants answer a document with 40 query fields, against the redraw of
// one target of the view measured in the same run. Goal: at most 0.05 of the
// redraw, so that a whole class answering at once never holds the teacher's
// window.
#include "document.h"
#include "mailslotwire.h"
#include "participantids.h"
#include "redrawbaseline.h"
#include "teacherstate.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

constexpr int kParticipants = 60;
constexpr int kFields = 40;

void BM_TeacherHandlesAnAnswer(benchmark::State& state) {
    TeacherState::Setup setup;
    setup.fieldCount = kFields;
    for (int i = 0; i < kFields; ++i)
        setup.teacherNumbers.push_back(i + 1);
    TeacherState teacher(setup);
    std::vector<QString> answers;
    for (int p = 0; p < kParticipants; ++p) {
        teacher.handle(QStringLiteral("pc"), QStringLiteral("u"),
                       joinMessageLines(tnInit(participantId(p), QStringLiteral("Name"),
                                               QStringLiteral("09:00:00"))));
        for (int f = 0; f < kFields; ++f) {
            TnAktionData d;
            d.id = participantId(p);
            d.objectIndex = f;
            d.wrongAttempts = f % 3;
            d.queryCount = kFields;
            d.right = f;
            d.wrong = f % 3;
            d.open = kFields - f;
            d.clock = QStringLiteral("01:23");
            answers.push_back(joinMessageLines(tnAktion(d)));
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            teacher.handle(QStringLiteral("pc"), QStringLiteral("u"), answers[next]));
        next = (next + 1) % answers.size();
    }
}

void BM_RedrawOneTarget(benchmark::State& state) {
    redrawOneTarget(state);
}

BENCHMARK(BM_TeacherHandlesAnAnswer)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_RedrawOneTarget)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double answer = reporter.seconds["BM_TeacherHandlesAnAnswer"];
    const double redraw = reporter.seconds["BM_RedrawOneTarget"];
    std::printf("\none answer on the teacher: %.2f us, one target redraw: %.2f us\n", answer * 1e6,
                redraw * 1e6);
    std::printf("answer / redraw: %.4f (goal <= 0.05)\n", redraw > 0 ? answer / redraw : 0.0);
    benchmark::Shutdown();
    return 0;
}
