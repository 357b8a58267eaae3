// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and ranking a best list of 100,000 entries, against reading it
// alone in the same run (goal: at most 1.5 times that; the ranking must not
// be quadratic).
#include "bestlist.h"
#include "timereporter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>

using namespace quorvel;

namespace {

constexpr int kEntries = 100000;

struct ListFile {
    QTemporaryDir dir;
    QString path;

    ListFile() : path(dir.filePath(QStringLiteral("klasse.hsc"))) {
        // Written in one go: appending 100,000 times through the lock would
        // only measure the file system.
        QByteArray bytes = bestListHeader();
        std::mt19937 rng(5);
        for (int i = 0; i < kEntries; ++i) {
            BestListDataTyp entry;
            entry.Name = QStringLiteral("Schüler %1").arg(rng() % 3000);
            entry.Rechner = QStringLiteral("PC-%1").arg(rng() % 40, 2, 10, QLatin1Char('0'));
            entry.Beginn = 46000.0 + double(i) / 100.0;
            entry.Dauer = qint32(rng() % 600000);
            // Few distinct figures, so that ties on `Leistung` are common.
            entry.Leistung = double(rng() % 41) / 40.0;
            bytes += bestListEntryBytes(entry);
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::perror("write");
        file.close();
        // One read before measuring, so that neither benchmark pays for the
        // first touch of the file and the allocator.
        QList<BestListDataTyp> warm;
        readBestList(path, BestListKind::Individual, warm);
    }
};

ListFile& listFile() {
    static ListFile f;
    return f;
}

void BM_ReadBestList(benchmark::State& state) {
    for (auto _ : state) {
        QList<BestListDataTyp> entries;
        readBestList(listFile().path, BestListKind::Individual, entries);
        if (entries.size() != kEntries)
            state.SkipWithError("not every entry read");
        benchmark::DoNotOptimize(entries.data());
    }
}

void BM_ReadAndRankBestList(benchmark::State& state) {
    for (auto _ : state) {
        QList<BestListDataTyp> entries;
        readBestList(listFile().path, BestListKind::Individual, entries);
        rankBestList(entries);
        if (entries.size() != kEntries)
            state.SkipWithError("not every entry read");
        benchmark::DoNotOptimize(entries.data());
    }
}

BENCHMARK(BM_ReadBestList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadAndRankBestList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ranked = reporter.seconds["BM_ReadAndRankBestList"];
    const double read = reporter.seconds["BM_ReadBestList"];
    std::printf("\n%d entries: read and rank %.1f ms, read %.1f ms, ratio %.2f (goal <= 1.5)\n",
                kEntries, ranked * 1e3, read * 1e3,
                reporter.ratio("BM_ReadAndRankBestList", "BM_ReadBestList"));
    benchmark::Shutdown();
    return 0;
}
