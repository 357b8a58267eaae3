// SPDX-License-Identifier: GPL-3.0-or-later
// An exercise run of a labelling document with 180 positions in free mode,
// every position answered and half of them once wrong first, on a virtual
// clock (the pauses cost no time). Goal: the engine's own time per evaluation
// at most half of one single-object redraw of the view measured in the same
// run, so that an answer never costs more than the redraw it causes.
#include "document.h"
#include "exerciseclock.h"
#include "exerciserun.h"
#include "layoutset.h"
#include "randomgenerator.h"
#include "redrawbaseline.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

constexpr int kTargets = 180;
constexpr int kEvaluations = kTargets + kTargets / 2;

Document makeDocument() {
    return labellingDocument(kTargets);
}

StartRequest request() {
    StartRequest r;
    r.settings.AbfrageModus = QueryMode::Free;
    return r;
}

void BM_ExerciseStart(benchmark::State& state) {
    Document doc = makeDocument();
    VirtualClock clock;
    RandomGenerator random(7);
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    for (auto _ : state) {
        ExerciseRun run(doc, rules, clock, random);
        benchmark::DoNotOptimize(run.start(request()));
    }
}

// A whole run: the start and 270 evaluations.
void BM_ExerciseRun(benchmark::State& state) {
    Document doc = makeDocument();
    VirtualClock clock;
    RandomGenerator random(7);
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    for (auto _ : state) {
        ExerciseRun run(doc, rules, clock, random);
        run.start(request());
        for (int i = 0; i < kTargets; ++i) {
            if (i % 2 == 0)
                run.drop(i, (i + 1) % kTargets);
            run.drop(i, i);
        }
        if (run.session().EndeGrund != EndReason::Completed)
            state.SkipWithError("the run did not complete");
    }
}

void BM_RedrawOneTarget(benchmark::State& state) {
    redrawOneTarget(state);
}

BENCHMARK(BM_ExerciseStart)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ExerciseRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RedrawOneTarget)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double start = reporter.seconds["BM_ExerciseStart"];
    const double run = reporter.seconds["BM_ExerciseRun"];
    const double redraw = reporter.seconds["BM_RedrawOneTarget"];
    const double perEvaluation = (run - start) / kEvaluations;
    std::printf("\nstart: %.1f us, per evaluation: %.2f us, one target redraw: %.2f us\n",
                start * 1e6, perEvaluation * 1e6, redraw * 1e6);
    std::printf("evaluation / redraw: %.3f (goal <= 0.5)\n",
                redraw > 0 ? perEvaluation / redraw : 0.0);
    benchmark::Shutdown();
    return 0;
}
