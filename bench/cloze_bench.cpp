// SPDX-License-Identifier: GPL-3.0-or-later
// The cloze layout of a long text (60 lines, 300 gaps, far too long for a
// 1920 x 1080 view, so that the font shrinks several times) against one
// recompose of the same view in the same run. Goals: building at most
// 3 x a recompose, moving after a resize at most 1 x a recompose.
#include "clozelayout.h"
#include "document.h"
#include "layoutset.h"
#include "longcloze.h"
#include "numbering.h"
#include "programlayouts.h"
#include "randomgenerator.h"
#include "rounding.h"
#include "textmarkup.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

constexpr QSize kView(1920, 1080);
// A window resized by a few pixels, back and forth.
constexpr QSize kResized(1900, 1064);

// The composed page size of the view, as the hook sees it.
QSize pageSizeFor(Document& d, QSize view) {
    ViewComposer composer(d, layouts());
    composer.setViewArea(view);
    composer.rebuild();
    return composer.page().size();
}

void Recompose(benchmark::State& state) {
    Document d = longCloze();
    ViewComposer composer(d, layouts());
    composer.setViewArea(kView);
    composer.rebuild();
    for (auto _ : state) {
        composer.rebuild();
        benchmark::DoNotOptimize(composer.view().constBits());
    }
}

// Building as after reading or a page geometry change: the generator.
void BuildAfterReading(benchmark::State& state) {
    Document d = longCloze();
    for (auto _ : state) {
        layouts().generate(d);
        benchmark::DoNotOptimize(d.objects.data());
    }
}

// Building at the view's page, drawing the text as it goes.
void BuildOnTheViewPage(benchmark::State& state) {
    Document d = longCloze();
    QImage page(pageSizeFor(d, kView), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        ClozePage target;
        target.size = page.size();
        target.canvas = &painter;
        layOutCloze(d, target, true);
        benchmark::DoNotOptimize(d.objects.data());
    }
}

// Moving after a resize: the composition's layout run at the other size.
void MoveAfterResize(benchmark::State& state) {
    Document d = longCloze();
    QImage pages[2] = {QImage(pageSizeFor(d, kView), QImage::Format_ARGB32_Premultiplied),
                       QImage(pageSizeFor(d, kResized), QImage::Format_ARGB32_Premultiplied)};
    int i = 0;
    for (auto _ : state) {
        QImage& page = pages[i];
        i = 1 - i;
        page.fill(Qt::white);
        QPainter painter(&page);
        ClozePage target;
        target.size = page.size();
        target.canvas = &painter;
        layOutCloze(d, target, false);
        benchmark::DoNotOptimize(d.objects.data());
    }
}

// A whole recompose after a resize, layout included: what the window does.
void RecomposeAfterResize(benchmark::State& state) {
    Document d = longCloze();
    ViewComposer composer(d, layouts());
    composer.setViewArea(kView);
    composer.rebuild();
    int i = 0;
    for (auto _ : state) {
        composer.setViewArea(i == 0 ? kResized : kView);
        i = 1 - i;
        composer.rebuild();
        benchmark::DoNotOptimize(composer.view().constBits());
    }
}

BENCHMARK(Recompose)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildAfterReading)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildOnTheViewPage)->Unit(benchmark::kMillisecond);
BENCHMARK(MoveAfterResize)->Unit(benchmark::kMillisecond);
BENCHMARK(RecomposeAfterResize)->Unit(benchmark::kMillisecond);

// How much too long the text is at its unshrunk size, and where it settles.
void describe() {
    Document d = longCloze();
    const QSize page = pageSizeFor(d, kView);
    TextMarkupParams params;
    params.rightEdge = page.width();
    params.rightLimit = rnd(page.width() * d.header.EinrueckRand.right);
    params.leftX = rnd(page.width() * d.header.EinrueckRand.left);
    params.topY = rnd(page.height() * d.header.EinrueckRand.top);
    params.measureOnly = true;
    params.clozeMode = kMarkupClozeView;
    params.charHeight = clozeBaseFontSize(page.width());
    const int height = renderText(params, d.header.lueckentext);
    std::printf("page %dx%d: the text is %.1f x the page high at %d pixels, laid out at %d\n",
                page.width(), page.height(), double(height) / page.height(), params.charHeight,
                d.clozeFontSize);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    describe();
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("build after reading / recompose:   %.2f (goal <= 3)\n",
                reporter.ratio("BuildAfterReading", "Recompose"));
    std::printf("build on the view page / recompose: %.2f (goal <= 3)\n",
                reporter.ratio("BuildOnTheViewPage", "Recompose"));
    std::printf("move after a resize / recompose:   %.2f (goal <= 1)\n",
                reporter.ratio("MoveAfterResize", "Recompose"));
    std::printf("recompose after a resize / recompose: %.2f\n",
                reporter.ratio("RecomposeAfterResize", "Recompose"));
    benchmark::Shutdown();
    return 0;
}
