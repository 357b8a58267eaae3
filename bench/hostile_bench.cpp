// SPDX-License-Identifier: GPL-3.0-or-later
// Composing and drawing the documents that once froze the learning view
// (tests/document/hostiledocuments.h), each against an ordinary labelling
// document at the same view size in the same run. Goal: every one at most
// 20 x the ordinary document, and the whole run within 1 GB (measure with
// /usr/bin/time -v). HOSTILE_SCALE (0..1, default 1) shrinks the documents;
// HOSTILE_ONLY=name writes and measures only that one (for profiling).
// SizeTimesZoom composes the ordinary document in an 8192 x 8192 area at the
// highest zoom.
// CPU time is the whole process's: Qt scales large pictures on worker
// threads, which the main thread's CPU time would leave out.
#include "document.h"
#include "documentio.h"
#include "hostiledocuments.h"
#include "layoutset.h"
#include "numbering.h"
#include "programlayouts.h"
#include "randomgenerator.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace quorvel;

namespace {

constexpr QSize kView(1024, 768);

bool read(const QByteArray& bytes, Document& document) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readDocumentStream(buffer, document, ReadOptions{layouts()}).ok;
}

// A fresh composer each time: nothing kept from an earlier drawing helps.
void composeAndDraw(benchmark::State& state, const QByteArray& bytes, bool uncovered, int numbering,
                    QSize view = kView, int zoomLevel = 0) {
    auto document = std::make_unique<Document>();
    if (!read(bytes, *document)) {
        // The program refuses such a document with a message and shows an
        // empty page, so what opening it costs is the refused read. What the
        // read left behind is dropped at once, as the program's reset does.
        document.reset();
        state.SetLabel("refused when read");
        for (auto _ : state) {
            Document refused;
            benchmark::DoNotOptimize(read(bytes, refused));
        }
        return;
    }
    for (auto _ : state) {
        RandomGenerator random(1);
        coverAndNumber(*document, numbering, random);
        if (uncovered) {
            for (ObjDataTyp& o : document->objects)
                o.AbfrageStatus = AbfrageStatus::Uncovered;
        }
        ViewComposer composer(*document, layouts());
        composer.state().zoomLevel = zoomLevel;
        composer.setViewArea(view);
        composer.rebuild();
        if (composer.outOfMemory())
            state.SetLabel("refused: not enough memory");
        benchmark::DoNotOptimize(composer.view().constBits());
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    const char* scaleText = std::getenv("HOSTILE_SCALE");
    const double scale = scaleText ? std::atof(scaleText) : 1.0;
    const QByteArray ordinary = ordinaryLabellingDocument();
    benchmark::RegisterBenchmark(
        "Ordinary",
        [&](benchmark::State& state) { composeAndDraw(state, ordinary, false, NumberingOrdered); })
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
    const std::vector<HostileDocument> documents =
        hostileDocuments(scale, QString::fromLocal8Bit(qgetenv("HOSTILE_ONLY")));
    for (const HostileDocument& doc : documents) {
        benchmark::RegisterBenchmark(doc.name,
                                     [&doc](benchmark::State& state) {
                                         composeAndDraw(state, doc.bytes, doc.uncovered,
                                                        doc.numbering);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
    }

    // The largest view area the tool takes at the highest zoom: its working
    // pictures alone would take gigabytes, so it is refused up front.
    const QSize hugeView(8192, 8192);
    constexpr int kHighestZoom = 4;
    benchmark::RegisterBenchmark("SizeTimesZoom",
                                 [&](benchmark::State& state) {
                                     composeAndDraw(state, ordinary, false, NumberingOrdered,
                                                    hugeView, kHighestZoom);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();

    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nview %d x %d, documents at scale %g\n", kView.width(), kView.height(), scale);
    for (const HostileDocument& doc : documents) {
        std::printf("%-28s %8.1f x the ordinary document (goal <= 20)\n", doc.name,
                    reporter.ratio(doc.name, "Ordinary"));
    }
    std::printf("%-28s %8.1f x the ordinary document (goal <= 20)\n", "SizeTimesZoom",
                reporter.ratio("SizeTimesZoom", "Ordinary"));
    benchmark::Shutdown();
    return 0;
}
