// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the first part of a series package of 50 documents of about 5 MB
// each (reading the package's list, then the part's document from its
// offset), measured against reading that one document alone in the same
// run. Goal: <= 1.2. SERIES_BENCH_SAVE=FILE keeps the package there, so that
// the peak memory of `quorvel-tool series run FILE` can be measured on it.
#include "documentio.h"
#include "layoutset.h"
#include "photolike.h"
#include "seriespackage.h"
#include "seriespart.h"
#include "timereporter.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

constexpr int kParts = 50;

struct Fixture {
    QTemporaryDir dir;
    QString documentPath, packagePath;

    Fixture() {
        Document document;
        document.basePicture = photoLike(1700, 1300, 7);
        document.header.titel = QStringLiteral("Teil");
        documentPath = dir.filePath(QStringLiteral("teil.qvl"));
        writeDocumentFile(document, documentPath, false);
        SeriesPackage series;
        for (int i = 0; i < kParts; ++i) {
            UebungsserieDokTyp entry;
            entry.Datei = documentPath;
            entry.Titel = document.header.titel;
            entry.DateinameKlein = QStringLiteral("teil%1.qvl").arg(i);
            series.entries.push_back(entry);
        }
        packagePath = dir.filePath(QStringLiteral("serie.qvusp"));
        writeSeriesPackage(packagePath, series);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ReadDocumentAlone(benchmark::State& state) {
    const LayoutSet layouts = buildLayoutSet();
    for (auto _ : state) {
        Document document;
        const IoResult read =
            readDocumentFile(document, fixture().documentPath, ReadOptions{layouts});
        if (!read.ok)
            state.SkipWithError("document not read");
        benchmark::DoNotOptimize(document.basePicture.bits());
    }
}
BENCHMARK(BM_ReadDocumentAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartFirstPart(benchmark::State& state) {
    const LayoutSet layouts = buildLayoutSet();
    for (auto _ : state) {
        SeriesPackage package;
        if (!readSeriesPackage(fixture().packagePath, package).ok)
            state.SkipWithError("package not read");
        const SeriesRun series(std::move(package), fixture().packagePath);
        Document document;
        if (!loadSeriesPart(series, document, ReadOptions{layouts}).ok)
            state.SkipWithError("part not read");
        benchmark::DoNotOptimize(document.basePicture.bits());
    }
}
BENCHMARK(BM_StartFirstPart)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::printf("document %.1f MB, package of %d parts %.1f MB\n",
                QFileInfo(fixture().documentPath).size() / 1e6, kParts,
                QFileInfo(fixture().packagePath).size() / 1e6);
    if (const QByteArray save = qgetenv("SERIES_BENCH_SAVE"); !save.isEmpty())
        QFile::copy(fixture().packagePath, QString::fromLocal8Bit(save));
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf(
        "\nstart of part 1 of the package / reading its document alone: %.3f (goal <= 1.2)\n",
        reporter.ratio("BM_StartFirstPart", "BM_ReadDocumentAlone"));
    benchmark::Shutdown();
    return 0;
}
