// SPDX-License-Identifier: GPL-3.0-or-later
// Building the worksheet page of the long cloze text (header, answer list of
// 300 gaps, body, footer, recorded once) against one recompose of its view
// at 1920 x 1080 in the same run. Goal: building at most 3 x a recompose.
// The body alone (the text shrunk until it fits) shows how much of the page
// the body takes.
#include "longcloze.h"
#include "timereporter.h"
#include "viewcomposer.h"
#include "worksheetbody.h"
#include "worksheetcontrols.h"
#include "worksheetpage.h"

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

void build(benchmark::State& state, WorksheetKind kind) {
    const Document d = longCloze();
    WorksheetSettings settings = startWorksheetSettings(d);
    settings.kind = kind;
    for (auto _ : state) {
        const WorksheetPage page = buildWorksheet(d, settings, layouts());
        benchmark::DoNotOptimize(page.picture.size());
    }
}
void WorksheetBodyAlone(benchmark::State& state) {
    const Document d = longCloze();
    for (auto _ : state) {
        WorksheetSettings settings = startWorksheetSettings(d);
        QPicture picture;
        QPainter painter(&picture);
        WorksheetBodyContext context{painter, d, settings, 1000, 1625, 1600, &layouts()};
        benchmark::DoNotOptimize(drawWorksheetBody(context, 250));
    }
}
void BuildWorksheet(benchmark::State& state) {
    build(state, WorksheetKind::Worksheet);
}
void BuildSolutionSheet(benchmark::State& state) {
    build(state, WorksheetKind::CompleteSolution);
}
void BuildCutOutSheet(benchmark::State& state) {
    build(state, WorksheetKind::CutOut);
}

BENCHMARK(Recompose)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildWorksheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildSolutionSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildCutOutSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(WorksheetBodyAlone)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("worksheet / recompose:      %.2f (goal <= 3)\n",
                reporter.ratio("BuildWorksheet", "Recompose"));
    std::printf("solution sheet / recompose: %.2f (goal <= 3)\n",
                reporter.ratio("BuildSolutionSheet", "Recompose"));
    std::printf("cut-out sheet / recompose:  %.2f\n",
                reporter.ratio("BuildCutOutSheet", "Recompose"));
    std::printf("worksheet body / recompose: %.2f\n",
                reporter.ratio("WorksheetBodyAlone", "Recompose"));
    benchmark::Shutdown();
    return 0;
}
