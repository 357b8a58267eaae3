// SPDX-License-Identifier: GPL-3.0-or-later
// The crossword layout of a full 30 x 30 grid with 30 clues on each side and
// the cluster layout of a full 16 x 12 table, each built at the page of a
// 1920 x 1080 view, against one recompose of that view in the same run.
// Goal: building at most 3 x a recompose.
#include "clusterlayout.h"
#include "crosswordlayout.h"
#include "document.h"
#include "layoutset.h"
#include "numbering.h"
#include "programlayouts.h"
#include "randomgenerator.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

constexpr QSize kView(1920, 1080);

Document page(DokTyp dokTyp) {
    Document d;
    d.basePicture = QImage(870, 620, QImage::Format_ARGB32);
    d.basePicture.fill(QColor(0xff, 0xfb, 0xef));
    d.header.DokTyp = codeOf(dokTyp);
    d.header.EinrueckRand = defaultEinrueckRand(dokTyp);
    d.derivePageGeometry();
    return d;
}

Document fullCrossword() {
    Document d = page(DokTyp::Crossword);
    auto& k = d.header.crossword;
    for (int x = 0; x < kCrosswordSide; ++x)
        for (int y = 0; y < kCrosswordSide; ++y)
            k.cell(x, y) = (x + y) % 7 == 0 ? QStringLiteral("#W%1").arg(y + 1)
                                            : QString(QChar(u'A' + (x * 3 + y) % 26));
    for (int n = 0; n < kCrosswordSide; ++n) {
        k.across[size_t(n)] = QStringLiteral("Ein Wort mit der Nummer %1 quer").arg(n + 1);
        k.down[size_t(n)] = QStringLiteral("Ein Wort mit der Nummer %1 senkrecht").arg(n + 1);
    }
    layouts().generate(d);
    RandomGenerator random(1);
    coverAndNumber(d, 1, random);
    return d;
}

Document fullCluster() {
    Document d = page(DokTyp::Cluster);
    d.header.LueckenTabelleZeilen = kGapTableMaxRows;
    d.header.LueckenTabelleSpalten = kGapTableMaxColumns;
    for (int r = 0; r < kGapTableMaxRows; ++r) {
        for (int c = 0; c < kGapTableMaxColumns; ++c) {
            auto& cell = d.header.LueckenTabelle[size_t(r)][size_t(c)];
            cell.Art = 1;
            cell.Text = QStringLiteral("Karte %1-%2").arg(r).arg(c);
        }
    }
    layouts().generate(d);
    RandomGenerator random(1);
    coverAndNumber(d, 1, random);
    return d;
}

QSize pageSizeFor(Document& d) {
    ViewComposer composer(d, layouts());
    composer.setViewArea(kView);
    composer.rebuild();
    return composer.page().size();
}

void recompose(benchmark::State& state, Document d) {
    ViewComposer composer(d, layouts());
    composer.setViewArea(kView);
    composer.rebuild();
    for (auto _ : state) {
        composer.rebuild();
        benchmark::DoNotOptimize(composer.view().constBits());
    }
}

void CrosswordRecompose(benchmark::State& state) {
    recompose(state, fullCrossword());
}

void ClusterRecompose(benchmark::State& state) {
    recompose(state, fullCluster());
}

// Building at the view's page, grid and clues drawn as it goes.
void CrosswordBuild(benchmark::State& state) {
    Document d = fullCrossword();
    QImage picture(pageSizeFor(d), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        picture.fill(Qt::white);
        QPainter painter(&picture);
        layOutCrossword(d, picture.size(), &painter, true);
        benchmark::DoNotOptimize(d.objects.data());
    }
}

void ClusterBuild(benchmark::State& state) {
    Document d = fullCluster();
    const QSize size = pageSizeFor(d);
    RandomGenerator random(1);
    for (auto _ : state) {
        layOutCluster(d, size, true, random);
        benchmark::DoNotOptimize(d.objects.data());
    }
}

BENCHMARK(CrosswordRecompose)->Unit(benchmark::kMillisecond);
BENCHMARK(CrosswordBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(ClusterRecompose)->Unit(benchmark::kMillisecond);
BENCHMARK(ClusterBuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("crossword build / recompose: %.2f (goal <= 3)\n",
                reporter.ratio("CrosswordBuild", "CrosswordRecompose"));
    std::printf("cluster build / recompose:   %.2f (goal <= 3)\n",
                reporter.ratio("ClusterBuild", "ClusterRecompose"));
    benchmark::Shutdown();
    return 0;
}
