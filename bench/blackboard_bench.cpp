// SPDX-License-Identifier: GPL-3.0-or-later
// A new blackboard sheet on a 4K board: generating a squared sheet of 40 for
// a 3840 x 2160 picture area and recomposing the view, against recomposing the
// same view with a plain white base picture in the same run. Goal: at most
// 1.5 x (a new sheet appears at once).
#include "document.h"
#include "layoutset.h"
#include "programlayouts.h"
#include "sheetpattern.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

constexpr QSize kBoard(3840, 2160);

// The board's document with a base picture exactly as large as the view.
struct Board {
    Document document;
    ViewComposer composer{document, layouts()};

    Board() {
        document.reset();
        composer.setViewArea(kBoard);
    }

    void show(QImage base) {
        document.basePicture = std::move(base);
        document.derivePageGeometry();
        composer.rebuild();
    }
};

void BM_RecomposeWhite(benchmark::State& state) {
    Board board;
    QImage white(kBoard, QImage::Format_ARGB32);
    white.fill(kSheetBackground);
    for (auto _ : state) {
        // A fresh copy each time, so the cached background is built anew as
        // for every new sheet.
        white.detach();
        board.show(white);
        benchmark::DoNotOptimize(board.composer.view().constBits());
    }
}

void BM_NewSquaredSheet(benchmark::State& state) {
    Board board;
    SheetSpec squared;
    squared.kind = SheetKind::Squared;
    squared.count = 40;
    for (auto _ : state) {
        board.show(makeSheet(kBoard, squared));
        benchmark::DoNotOptimize(board.composer.view().constBits());
    }
}

BENCHMARK(BM_RecomposeWhite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_NewSquaredSheet)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nnew squared sheet (40) and recompose / recompose with a white base picture,"
                " %d x %d: %.2f x (goal <= 1.5)\n",
                kBoard.width(), kBoard.height(),
                reporter.ratio("BM_NewSquaredSheet", "BM_RecomposeWhite"));
    benchmark::Shutdown();
    return 0;
}
