// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a large document, each measured against libpng alone
// doing the picture work of the same document in the same run. At the end the
// ratios are printed; the goals are: read <= 1.2, write <= 1.3, reading and
// composing the learning view at 1920 x 1080 < 1.8, and the header-only read
// independent of the picture sizes. DOCUMENT_BENCH_SAVE=FILE also writes the
// large document to FILE (to profile the tool's whole path on it).
#include "documentio.h"
#include "layoutset.h"
#include "photolike.h"
#include "pngcodec.h"
#include "timereporter.h"
#include "viewcomposer.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <png.h>
#include <random>

using namespace quorvel;

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString bigPath, smallPath;
    Document document;
    std::vector<QByteArray> pngStreams; // the 21 pictures as the document stores them
    std::vector<QImage> pictures;

    Fixture() {
        document.basePicture = photoLike(4000, 3000, 1);
        for (int i = 0; i < 200; ++i) {
            ObjDataTyp o;
            o.Typ = codeOf(i % 2 == 0 ? Typ::QueryLabel : Typ::FixedLabel);
            o.Cap = QStringLiteral("Beschriftung %1").arg(i);
            o.Sx = o.Kx = (i % 20) / 20.0;
            o.Sy = o.Ky = (i / 20) / 10.0;
            document.objects.push_back(o);
        }
        for (int i = 0; i < 20; ++i) {
            ObjDataTyp o;
            o.Typ = codeOf(Typ::FixedPicture);
            o.Bild = photoLike(400, 300, 10 + i);
            document.objects.push_back(o);
        }
        pictures.push_back(document.basePicture);
        for (const ObjDataTyp& o : document.objects) {
            if (!o.Bild.isNull())
                pictures.push_back(o.Bild);
        }
        for (const QImage& p : pictures)
            pngStreams.push_back(encodePng(p));
        bigPath = dir.filePath(QStringLiteral("gross.qvl"));
        writeDocumentFile(document, bigPath, false);
        Document small;
        small.basePicture = photoLike(40, 30, 3);
        smallPath = dir.filePath(QStringLiteral("klein.qvl"));
        writeDocumentFile(small, smallPath, false);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void decodeWithLibpngAlone(const QByteArray& stream, std::vector<unsigned char>& pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, stream.constData(), size_t(stream.size()));
    image.format = PNG_FORMAT_BGRA;
    pixels.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
}

void writeToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void encodeWithLibpngAlone(const QImage& picture, std::vector<unsigned char>& out) {
    out.clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, writeToVector, nullptr);
    png_set_compression_level(png, 5);
    png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < picture.height(); ++y)
        png_write_row(png, picture.constScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
}

void BM_LibpngDecode21(benchmark::State& state) {
    std::vector<unsigned char> pixels;
    for (auto _ : state) {
        for (const QByteArray& s : fixture().pngStreams)
            decodeWithLibpngAlone(s, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_ReadDocument(benchmark::State& state) {
    const LayoutSet layouts = buildLayoutSet();
    for (auto _ : state) {
        Document doc;
        const IoResult r = readDocumentFile(doc, fixture().bigPath, ReadOptions{layouts});
        if (!r.ok)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.objects.data());
    }
}

// What opening the document in the learning view does: read it, then compose
// the view in a fresh composer (nothing kept from an earlier drawing).
void BM_ReadAndCompose(benchmark::State& state) {
    const LayoutSet layouts = buildLayoutSet();
    for (auto _ : state) {
        Document doc;
        const IoResult r = readDocumentFile(doc, fixture().bigPath, ReadOptions{layouts});
        if (!r.ok)
            state.SkipWithError("read failed");
        ViewComposer composer(doc, layouts);
        composer.setViewArea(QSize(1920, 1080));
        composer.rebuild();
        benchmark::DoNotOptimize(composer.view().constBits());
    }
}

void BM_LibpngEncode21(benchmark::State& state) {
    std::vector<unsigned char> out;
    for (auto _ : state) {
        for (const QImage& p : fixture().pictures)
            encodeWithLibpngAlone(p, out);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_WriteDocument(benchmark::State& state) {
    const QString path = fixture().dir.filePath(QStringLiteral("geschrieben.qvl"));
    for (auto _ : state) {
        const IoResult r = writeDocumentFile(fixture().document, path, false);
        if (!r.ok)
            state.SkipWithError("write failed");
    }
}

void BM_ReadHeaderLarge(benchmark::State& state) {
    for (auto _ : state) {
        DocumentSummary header;
        benchmark::DoNotOptimize(readDocumentHeader(fixture().bigPath, header));
    }
}

void BM_ReadHeaderSmall(benchmark::State& state) {
    for (auto _ : state) {
        DocumentSummary header;
        benchmark::DoNotOptimize(readDocumentHeader(fixture().smallPath, header));
    }
}

BENCHMARK(BM_LibpngDecode21)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadAndCompose)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LibpngEncode21)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadHeaderLarge)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadHeaderSmall)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    if (const QByteArray save = qgetenv("DOCUMENT_BENCH_SAVE"); !save.isEmpty())
        writeDocumentFile(fixture().document, QString::fromLocal8Bit(save), false);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nread document / libpng decode of its 21 pictures: %.3f (goal <= 1.2)\n",
                reporter.ratio("BM_ReadDocument", "BM_LibpngDecode21"));
    std::printf("read and compose at 1920 x 1080 / libpng decode of its 21 pictures: %.3f "
                "(goal < 1.8)\n",
                reporter.ratio("BM_ReadAndCompose", "BM_LibpngDecode21"));
    std::printf("write document / libpng encode of its 21 pictures: %.3f (goal <= 1.3)\n",
                reporter.ratio("BM_WriteDocument", "BM_LibpngEncode21"));
    std::printf("header of the large / of a tiny document: %.3f (goal about 1)\n",
                reporter.ratio("BM_ReadHeaderLarge", "BM_ReadHeaderSmall"));
    benchmark::Shutdown();
    return 0;
}
