// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a full worksheet-like page as an enhanced and a placeable metafile,
// against replaying the same page into an image of its size (the preview's
// work) in the same run. Goal: each file at most twice the replay.
#include "metafilewriter.h"
#include "timereporter.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace quorvel;

namespace {

const QSize kPage(1000, 1625);
constexpr double kUnitsPerInch = 1000 / (16.5 / 2.54);

// Forty rows of gap text with their boxes and lines, a title and a picture.
QPicture densePage() {
    QPicture picture;
    QPainter painter(&picture);
    QImage logo(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            logo.setPixel(x, y, qRgb(x % 256, y % 256, 128));
    painter.drawImage(QRectF(700, 40, 240, 160), logo);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(40);
    painter.setFont(title);
    painter.drawText(QPointF(60, 120), QStringLiteral("Arbeitsblatt: Äpfel über Öl"));
    QFont body(QStringLiteral("Liberation Serif"));
    body.setPixelSize(22);
    painter.setFont(body);
    for (int row = 0; row < 40; ++row) {
        const double y = 260 + row * 32;
        for (int gap = 0; gap < 5; ++gap) {
            const double x = 60 + gap * 180;
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x, y), QStringLiteral("Wörter %1").arg(row * 5 + gap));
            painter.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
            painter.drawLine(QLineF(x + 90, y + 2, x + 170, y + 2));
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRect(QRectF(x - 4, y - 24, 176, 30));
        }
    }
    painter.end();
    return picture;
}

const QPicture& page() {
    static const QPicture picture = densePage();
    return picture;
}

void BM_ReplayIntoImage(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(kPage, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawPicture(0, 0, page());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void writeMetafile(benchmark::State& state, MetafileFormat format) {
    for (auto _ : state) {
        QString error;
        const QByteArray bytes = metafileBytes(page(), kPage, format, kUnitsPerInch, &error);
        if (bytes.isEmpty())
            state.SkipWithError("no file written");
        benchmark::DoNotOptimize(bytes.constData());
    }
}

void BM_WriteEmf(benchmark::State& state) {
    writeMetafile(state, MetafileFormat::Emf);
}
void BM_WriteWmf(benchmark::State& state) {
    writeMetafile(state, MetafileFormat::Wmf);
}

BENCHMARK(BM_ReplayIntoImage)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteEmf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteWmf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nmetafile of a dense page, as a ratio to replaying it into an image "
                "(goal <= 2): .emf %.2f, .wmf %.2f\n",
                reporter.ratio("BM_WriteEmf", "BM_ReplayIntoImage"),
                reporter.ratio("BM_WriteWmf", "BM_ReplayIntoImage"));
    benchmark::Shutdown();
    return 0;
}
