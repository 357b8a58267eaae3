// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet body of the long cloze text (shrunk until it fits the page,
// drawn into the recorded page picture) against one recompose of the view of
// the same document in the same run. Goal: a body at most 3 x a recompose.
#include "longcloze.h"
#include "timereporter.h"
#include "viewcomposer.h"
#include "worksheetbody.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

void Recompose(benchmark::State& state) {
    Document d = longCloze();
    ViewComposer composer(d, layouts());
    composer.setViewArea(QSize(1920, 1080));
    composer.rebuild();
    for (auto _ : state) {
        composer.rebuild();
        benchmark::DoNotOptimize(composer.view().constBits());
    }
}

void ClozeBody(benchmark::State& state, SheetKind kind) {
    const Document d = longCloze();
    for (auto _ : state) {
        WorksheetSettings settings;
        settings.kind = kind;
        QPicture picture;
        QPainter painter(&picture);
        WorksheetBodyContext context{painter, d, settings, 1000, 1625, 1600, &layouts()};
        benchmark::DoNotOptimize(drawWorksheetBody(context, 250));
    }
}

void WorksheetBody(benchmark::State& state) {
    ClozeBody(state, SheetKind::Worksheet);
}
void SolutionSheetBody(benchmark::State& state) {
    ClozeBody(state, SheetKind::CompleteSolution);
}

BENCHMARK(Recompose)->Unit(benchmark::kMillisecond);
BENCHMARK(WorksheetBody)->Unit(benchmark::kMillisecond);
BENCHMARK(SolutionSheetBody)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("worksheet body / recompose:      %.2f (goal <= 3)\n",
                reporter.ratio("WorksheetBody", "Recompose"));
    std::printf("solution sheet body / recompose: %.2f (goal <= 3)\n",
                reporter.ratio("SolutionSheetBody", "Recompose"));
    benchmark::Shutdown();
    return 0;
}
