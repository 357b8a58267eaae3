// SPDX-License-Identifier: GPL-3.0-or-later
// Dragging a card across a 1920 x 1080 exercise panel with 180 open
// targets: each mouse move with its target search and the repaint of what
// changed, against one single-object redraw of the view measured in the same
// run. Goal: a move costs at most one such redraw (dragging keeps the frame
// rate however many targets there are), and a move repaints only the
// rectangles the card and the target frame left and entered.
#include "document.h"
#include "exerciseclock.h"
#include "exerciserun.h"
#include "labellingdocument.h"
#include "layoutset.h"
#include "programlayouts.h"
#include "randomgenerator.h"
#include "timereporter.h"
#include "uebelempan.h"
#include "uebungpan.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace quorvel;

namespace {

constexpr int kTargets = 180;
constexpr QSize kPanel(1920, 1080);

// The run and its panel, made once and shared by both measurements.
struct Scene {
    Document document = labellingDocument(kTargets);
    VirtualClock clock;
    RandomGenerator random{7};
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    ExerciseRun run{document, rules, clock, random};
    UebungPan panel{run, document, layouts()};

    Scene() {
        run.addObserver([this](const ExerciseEvent& event) { panel.handle(event); });
        StartRequest request;
        request.settings.AbfrageModus = QueryMode::Free;
        run.start(request);
        panel.resize(kPanel);
        panel.show();
        panel.begin();
        QApplication::processEvents();
    }
};

// Made at the first use, gone before the application.
std::unique_ptr<Scene> theScene;

Scene& scene() {
    if (!theScene)
        theScene = std::make_unique<Scene>();
    return *theScene;
}

double repaintedPixels = 0.0;
long moves = 0;

void BM_DragMove(benchmark::State& state) {
    Scene& s = scene();
    UebElemPan* card = s.panel.card(0);
    if (!card) {
        state.SkipWithError("no card");
        return;
    }
    s.panel.pressCard(card, card->geometry().center());
    const QPoint grab = card->geometry().center() - card->pos();
    // The card's left edge from target to target, and between them.
    std::vector<QPoint> path;
    for (int i = 0; i < kTargets; ++i) {
        const QRect r = s.panel.targetRect(i);
        path.push_back(r.center() + grab - QPoint(0, card->height() / 2));
        path.push_back(r.bottomRight() + QPoint(15, 15) + grab);
    }
    size_t step = 0;
    s.panel.resetRepainted();
    for (auto _ : state) {
        s.panel.dragCard(path[step]);
        step = (step + 1) % path.size();
        QApplication::processEvents(); // the repaint of what changed
        ++moves;
    }
    repaintedPixels += double(s.panel.repaintedPixels());
    s.panel.releaseCard();
}

void BM_RedrawOneTarget(benchmark::State& state) {
    Scene& s = scene();
    ObjDataTyp& target = s.document.objects[42];
    const AbfrageStatus open = target.AbfrageStatus;
    for (auto _ : state) {
        target.AbfrageStatus = target.AbfrageStatus == open ? AbfrageStatus::Uncovered : open;
        benchmark::DoNotOptimize(s.panel.composer().redrawObject(42));
    }
    target.AbfrageStatus = open;
}

BENCHMARK(BM_RedrawOneTarget)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_DragMove)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double move = reporter.seconds["BM_DragMove"];
    const double redraw = reporter.seconds["BM_RedrawOneTarget"];
    std::printf("\none move: %.1f us, one target redraw: %.1f us\n", move * 1e6, redraw * 1e6);
    std::printf("move / redraw: %.3f (goal <= 1)\n", redraw > 0 ? move / redraw : 0.0);
    std::printf("repainted per move: %.0f pixels of %d (%.2f %% of the panel)\n",
                moves > 0 ? repaintedPixels / double(moves) : 0.0, kPanel.width() * kPanel.height(),
                moves > 0
                    ? 100.0 * repaintedPixels / double(moves) / kPanel.width() / kPanel.height()
                    : 0.0);
    std::fflush(stdout);
    theScene.reset(); // its widgets go before the application
    benchmark::Shutdown();
    return 0;
}
