// SPDX-License-Identifier: GPL-3.0-or-later
// One move of a 6 x 6 sliding puzzle on a 1920 x 1080 board, with the
// repaint of what changed, against one single-object redraw of the view of
// the same size measured in the same run. Goal: a move costs at most one
// such redraw.
#include "document.h"
#include "labellingdocument.h"
#include "layoutset.h"
#include "programlayouts.h"
#include "puzzlepan.h"
#include "randomgenerator.h"
#include "timereporter.h"
#include "tschiebepuzzle.h"
#include "viewcomposer.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace quorvel;

namespace {

constexpr QSize kPanel(1920, 1080);

// The view of a page with many positions, and a puzzle cut from it.
struct Scene {
    Document document = labellingDocument(180);
    ViewComposer composer{document, layouts()};
    RandomGenerator random{7};
    TSchiebepuzzle puzzle;
    PuzzlePan board{puzzle};

    Scene() {
        composer.setViewArea(kPanel);
        composer.rebuild();
        puzzle.start(6, true, random);
        board.resize(kPanel);
        board.show();
        board.begin(composer.view());
        QApplication::processEvents();
    }
};

std::unique_ptr<Scene> theScene;

Scene& scene() {
    if (!theScene)
        theScene = std::make_unique<Scene>();
    return *theScene;
}

double repaintedPixels = 0.0;
long moves = 0;

void BM_PuzzleMove(benchmark::State& state) {
    Scene& s = scene();
    // A tile beside the gap goes into it and, next time, back.
    const int tile = s.puzzle.tileBeside(s.puzzle.gap().x() > 0 ? -1 : 1, 0);
    s.board.resetRepainted();
    for (auto _ : state) {
        if (!s.board.moveTile(tile)) {
            state.SkipWithError("the tile did not move");
            break;
        }
        QApplication::processEvents(); // the repaint of what changed
        ++moves;
    }
    repaintedPixels += double(s.board.repaintedPixels());
}

void BM_RedrawOneObject(benchmark::State& state) {
    Scene& s = scene();
    ObjDataTyp& object = s.document.objects[42];
    const AbfrageStatus before = object.AbfrageStatus;
    for (auto _ : state) {
        object.AbfrageStatus = object.AbfrageStatus == before ? AbfrageStatus::Uncovered : before;
        benchmark::DoNotOptimize(s.composer.redrawObject(42));
    }
    object.AbfrageStatus = before;
}

BENCHMARK(BM_RedrawOneObject)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_PuzzleMove)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double move = reporter.seconds["BM_PuzzleMove"];
    const double redraw = reporter.seconds["BM_RedrawOneObject"];
    std::printf("\none move: %.1f us, one object redraw: %.1f us\n", move * 1e6, redraw * 1e6);
    std::printf("move / redraw: %.3f (goal <= 1)\n", redraw > 0 ? move / redraw : 0.0);
    std::printf("repainted per move: %.0f pixels of %d\n",
                moves > 0 ? repaintedPixels / double(moves) : 0.0,
                kPanel.width() * kPanel.height());
    std::fflush(stdout);
    theScene.reset(); // its widgets go before the application
    benchmark::Shutdown();
    return 0;
}
