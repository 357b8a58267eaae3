// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing and clicking in a 1920 x 1080 learning view. Goals: a pen stroke of
// 1000 mouse moves at under 2 ms per move, each move touching only the
// rectangle around its segment; uncovering a field by a click (hit test,
// toggle, single-object redraw) touching only that field's rectangle.
#include "document.h"
#include "drawingtools.h"
#include "layoutset.h"
#include "numbering.h"
#include "programlayouts.h"
#include "randomgenerator.h"
#include "viewcommands.h"
#include "viewcomposer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace quorvel;

namespace {

constexpr QSize kView(1920, 1080);
constexpr int kMoves = 1000;

Document& document() {
    static Document d = [] {
        Document doc;
        doc.basePicture = QImage(1920, 1080, QImage::Format_ARGB32);
        doc.basePicture.fill(QColor(230, 240, 250));
        doc.derivePageGeometry();
        for (int i = 0; i < 60; ++i) {
            ObjDataTyp o;
            o.Typ = codeOf(Typ::QueryLabel);
            o.Cap = QStringLiteral("Feld %1").arg(i);
            o.Sx = o.Kx = 0.08 + 0.14 * (i % 6);
            o.Sy = o.Ky = 0.08 + 0.09 * (i / 6);
            o.KAusr = 5;
            o.Ebene = 1;
            o.HFarbe = 0xE6FFFF;
            o.HDeck = 100;
            doc.objects.push_back(o);
        }
        RandomGenerator random(1);
        coverAndNumber(doc, NumberingOrdered, random);
        return doc;
    }();
    return d;
}

ViewComposer& composer() {
    static ViewComposer c = [] {
        ViewComposer vc(document(), layouts());
        vc.setViewArea(kView);
        vc.rebuild();
        return vc;
    }();
    return c;
}

// A wavy stroke over the whole view, as a hand would draw it.
QPoint dashDot(int i) {
    const double t = double(i) / kMoves;
    return QPoint(int(100 + 1700 * t), int(540 + 400 * std::sin(t * 12.0)));
}

void penStroke(benchmark::State& state, int colourIndex) {
    ViewComposer& c = composer();
    DrawingTools tools(c);
    tools.state().colourIndex = colourIndex;
    tools.state().thicknessIndex = 2;
    double surface = 0.0;
    qint64 moves = 0;
    for (auto _ : state) {
        tools.rememberState();
        for (int i = 1; i <= kMoves; ++i) {
            const QRect r = tools.penStroke(dashDot(i - 1), dashDot(i));
            surface += double(r.width()) * r.height();
        }
        moves += kMoves;
        state.PauseTiming();
        tools.removeAll();
        state.ResumeTiming();
    }
    state.counters["touched_share_%"] =
        100.0 * surface / double(moves) / (double(kView.width()) * kView.height());
}

void BM_PenStrokeOpaque(benchmark::State& state) {
    penStroke(state, 26);
}
void BM_PenStrokeTransparent(benchmark::State& state) {
    penStroke(state, 11);
}

void BM_UncoverFieldByClick(benchmark::State& state) {
    ViewComposer& c = composer();
    Document& d = document();
    c.rebuild();
    const ObjDataTyp& target = d.objects[20];
    const QPointF click((target.KartRect.left + target.KartRect.right) / 2,
                        (target.KartRect.top + target.KartRect.bottom) / 2);
    double surface = 0.0;
    qint64 clicks = 0;
    for (auto _ : state) {
        const int index = hitObject(d, c.state().layers, c.state().currentQuestion, click);
        toggleCover(d.objects[size_t(index)]);
        const QRect r = c.redrawObject(index);
        surface += double(r.width()) * r.height();
        ++clicks;
    }
    state.counters["touched_share_%"] =
        100.0 * surface / double(clicks) / (double(kView.width()) * kView.height());
}

BENCHMARK(BM_PenStrokeOpaque)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PenStrokeTransparent)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_UncoverFieldByClick)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    composer();
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nA pen stroke is %d moves: its time / %d is the time per move (goal < 2 ms).\n",
                kMoves, kMoves);
    benchmark::Shutdown();
    return 0;
}
