// SPDX-License-Identifier: GPL-3.0-or-later
// Listing a folder of 2000 large documents reads only their headers: measured
// against reading the first 64 KiB of every file in the same run (goal: at
// most 3 times that).
#include "documentio.h"
#include "timereporter.h"
#include "topiclist.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <unistd.h>

using namespace quorvel;

namespace {

constexpr int kDocuments = 2000;

struct Folder {
    QTemporaryDir dir;
    qint64 documentBytes = 0;

    Folder() {
        // One document of about 40 MB (a noisy picture barely compresses),
        // linked 2000 times under different titles' worth of names.
        Document doc;
        doc.header.titel = QStringLiteral("Großes Dokument");
        doc.basePicture = QImage(3300, 3550, QImage::Format_ARGB32);
        std::mt19937 rng(7);
        for (int y = 0; y < doc.basePicture.height(); ++y) {
            auto* line = reinterpret_cast<quint32*>(doc.basePicture.scanLine(y));
            for (int x = 0; x < doc.basePicture.width(); ++x)
                line[x] = 0xFF000000u | (rng() & 0xFFFFFFu);
        }
        const QString original = dir.filePath(QStringLiteral("original.dat"));
        writeDocumentFile(doc, original, false);
        documentBytes = QFileInfo(original).size();
        const QByteArray source = QFile::encodeName(original);
        for (int i = 0; i < kDocuments; ++i) {
            const QByteArray link = QFile::encodeName(
                dir.filePath(QStringLiteral("dok%1.qvl").arg(i, 4, 10, QLatin1Char('0'))));
            if (::link(source.constData(), link.constData()) != 0)
                std::perror("link");
        }
    }
};

Folder& folder() {
    static Folder f;
    return f;
}

void BM_ReadFirst64KiBOfEveryFile(benchmark::State& state) {
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    const QStringList names =
        QDir(folder().dir.path()).entryList({QStringLiteral("*.qvl")}, QDir::Files);
    for (auto _ : state) {
        for (const QString& name : names) {
            QFile f(folder().dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                benchmark::DoNotOptimize(f.read(buffer.data(), buffer.size()));
        }
    }
}

void BM_ReadTopicList(benchmark::State& state) {
    for (auto _ : state) {
        const TopicList list = readTopicList(folder().dir.path());
        if (list.size() != size_t(kDocuments))
            state.SkipWithError("not every document listed");
    }
}

BENCHMARK(BM_ReadFirst64KiBOfEveryFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadTopicList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::printf("%d documents of %.1f MB each (hard links)\n", kDocuments,
                folder().documentBytes / 1e6);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double list = reporter.seconds["BM_ReadTopicList"];
    const double raw = reporter.seconds["BM_ReadFirst64KiBOfEveryFile"];
    std::printf("\nlist: %.1f ms, first 64 KiB of every file: %.1f ms, ratio %.2f (goal <= 3)\n",
                list * 1e3, raw * 1e3, raw > 0 ? list / raw : 0.0);
    benchmark::Shutdown();
    return 0;
}
