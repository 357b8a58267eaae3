// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturefile.h"

#include "pngcodec.h"
#include "savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
#include <vector>

namespace quorvel {

namespace {

constexpr int kJpegQuality = 99;
// A progressive JPEG may repeat its scans without end, each costing a pass
// over the whole picture; real files have a dozen or so.
constexpr int kMaxJpegScans = 500;
// libjpeg's working memory (the coefficients of a progressive picture) on top
// of the picture itself.
constexpr long kMaxJpegWorkBytes = 512L * 1024 * 1024;

// libjpeg hands its callbacks the error manager; the jump target and the
// message travel with it. Plain data only, as libjpeg is left by longjmp.
struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failJpeg(j_common_ptr cinfo, const char* message) {
    JpegFailure* failure = reinterpret_cast<JpegFailure*>(cinfo->err);
    qstrncpy(failure->message, message, sizeof failure->message);
    std::longjmp(failure->jump, 1);
}

[[noreturn]] void onJpegError(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, text);
    failJpeg(cinfo, text);
}

// Warnings (a file that ends early is still shown, as far as it goes) must not
// reach stderr.
void onJpegOutput(j_common_ptr) {}

void onJpegProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
        failJpeg(cinfo, "zu viele Scans");
}

void initJpegFailure(JpegFailure& failure) {
    jpeg_std_error(&failure.manager);
    failure.manager.error_exit = onJpegError;
    failure.manager.output_message = onJpegOutput;
}

struct JpegDecoder {
    jpeg_decompress_struct cinfo{};
    JpegFailure failure{};
    jpeg_progress_mgr progress{};
    JpegDecoder() {
        initJpegFailure(failure);
        cinfo.err = &failure.manager;
        progress.progress_monitor = onJpegProgress;
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&cinfo); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

// Where decoded JPEG rows go: the scanlines of a Format_ARGB32 picture.
struct JpegTarget {
    uchar* bits;
    qsizetype bytesPerLine;
    JSAMPLE* row; // one row as libjpeg delivers it
    bool adobeCmyk;
};

// Photoshop writes CMYK inverted (0 = full ink) and marks such files with an
// Adobe marker; without the marker the values are taken as they stand.
void convertJpegRow(const JSAMPLE* in, QRgb* out, int width, int components, bool adobeCmyk) {
    switch (components) {
    case 1:
        for (int x = 0; x < width; ++x)
            out[x] = qRgb(in[x], in[x], in[x]);
        break;
    case 3:
        for (int x = 0; x < width; ++x, in += 3)
            out[x] = qRgb(in[0], in[1], in[2]);
        break;
    default: {
        const int flip = adobeCmyk ? 0 : 255;
        for (int x = 0; x < width; ++x, in += 4) {
            const int k = in[3] ^ flip;
            out[x] = qRgb(((in[0] ^ flip) * k + 127) / 255, ((in[1] ^ flip) * k + 127) / 255,
                          ((in[2] ^ flip) * k + 127) / 255);
        }
        break;
    }
    }
}

void packRgbRow(const QRgb* in, JSAMPLE* out, int width) {
    for (int x = 0; x < width; ++x, out += 3) {
        out[0] = JSAMPLE(qRed(in[x]));
        out[1] = JSAMPLE(qGreen(in[x]));
        out[2] = JSAMPLE(qBlue(in[x]));
    }
}

// The functions below are the only places libjpeg may jump back to. They hold
// nothing with a destructor and change no local after setjmp.

bool readJpegHeaderGuarded(JpegDecoder* decoder, const unsigned char* data, unsigned long size) {
    if (setjmp(decoder->failure.jump))
        return false;
    j_decompress_ptr cinfo = &decoder->cinfo;
    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = kMaxJpegWorkBytes;
    cinfo->progress = &decoder->progress;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo->out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        break;
    default:
        cinfo->out_color_space = JCS_RGB;
        break;
    }
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

bool readJpegRowsGuarded(JpegDecoder* decoder, const JpegTarget* target) {
    if (setjmp(decoder->failure.jump))
        return false;
    j_decompress_ptr cinfo = &decoder->cinfo;
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION y = cinfo->output_scanline;
        JSAMPROW row = target->row;
        jpeg_read_scanlines(cinfo, &row, 1);
        convertJpegRow(target->row,
                       reinterpret_cast<QRgb*>(target->bits + y * target->bytesPerLine),
                       int(cinfo->output_width), cinfo->output_components, target->adobeCmyk);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

QImage decodeJpeg(const QByteArray& data, QString* detail) {
    JpegDecoder decoder;
    if (!readJpegHeaderGuarded(&decoder, reinterpret_cast<const unsigned char*>(data.constData()),
                               (unsigned long)data.size())) {
        *detail = QStringLiteral("Fehlerhafte JPEG-Daten (%1)")
                      .arg(QString::fromLatin1(decoder.failure.message));
        return {};
    }
    const jpeg_decompress_struct& cinfo = decoder.cinfo;
    *detail = pictureSizeError(cinfo.output_width, cinfo.output_height);
    if (!detail->isEmpty())
        return {};
    const int components = cinfo.output_components;
    if (components != 1 && components != 3 && components != 4) {
        *detail = QStringLiteral("Fehlerhafte JPEG-Daten (%1 Farbkanäle)").arg(components);
        return {};
    }
    QImage picture(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_ARGB32);
    if (picture.isNull()) {
        *detail = QStringLiteral("Nicht genug Speicher für das Bild");
        return {};
    }
    std::vector<JSAMPLE> row(size_t(cinfo.output_width) * size_t(components));
    const JpegTarget target{picture.bits(), picture.bytesPerLine(), row.data(),
                            cinfo.saw_Adobe_marker != 0};
    if (!readJpegRowsGuarded(&decoder, &target)) {
        *detail = QStringLiteral("Fehlerhafte JPEG-Daten (%1)")
                      .arg(QString::fromLatin1(decoder.failure.message));
        return {};
    }
    return picture;
}

QImage loadJpegFile(const QString& path, QString* detail) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A compressed picture is far smaller than its pixels; anything larger is
    // not a picture we could show.
    if (file.size() > kMaxPictureBytes) {
        *detail = QStringLiteral("Datei zu groß");
        return {};
    }
    const QByteArray data = file.readAll();
    if (data.size() != file.size())
        return {};
    return decodeJpeg(data, detail);
}

QImage loadPngFile(const QString& path, QString* detail) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImage picture;
    *detail = decodePng(file, picture).detail;
    return picture;
}

QImage loadWithQt(const QString& path, QString* detail) {
    // Only Qt's BMP reader: no other plug-in sees the file.
    QImageReader reader(path, QByteArrayLiteral("BMP"));
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (size.isValid()) {
        *detail = pictureSizeError(size.width(), size.height());
        if (!detail->isEmpty())
            return {};
    }
    return reader.read();
}

// libjpeg's output goes through a buffer of our own into the device.
struct JpegSink {
    jpeg_destination_mgr manager; // first: libjpeg hands us this pointer
    QIODevice* device;
    JOCTET buffer[16384];
};

bool flushJpegSink(JpegSink* sink, size_t count) {
    return sink->device->write(reinterpret_cast<const char*>(sink->buffer), qint64(count)) ==
           qint64(count);
}

void onJpegSinkInit(j_compress_ptr cinfo) {
    JpegSink* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    sink->manager.next_output_byte = sink->buffer;
    sink->manager.free_in_buffer = sizeof sink->buffer;
}

boolean onJpegSinkFull(j_compress_ptr cinfo) {
    JpegSink* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    if (!flushJpegSink(sink, sizeof sink->buffer))
        failJpeg(reinterpret_cast<j_common_ptr>(cinfo), "write error");
    onJpegSinkInit(cinfo);
    return TRUE;
}

void onJpegSinkDone(j_compress_ptr cinfo) {
    JpegSink* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    if (!flushJpegSink(sink, sizeof sink->buffer - sink->manager.free_in_buffer))
        failJpeg(reinterpret_cast<j_common_ptr>(cinfo), "write error");
}

struct JpegEncoder {
    jpeg_compress_struct cinfo{};
    JpegFailure failure{};
    JpegSink sink{};
    explicit JpegEncoder(QIODevice& device) {
        initJpegFailure(failure);
        cinfo.err = &failure.manager;
        sink.manager.init_destination = onJpegSinkInit;
        sink.manager.empty_output_buffer = onJpegSinkFull;
        sink.manager.term_destination = onJpegSinkDone;
        sink.device = &device;
    }
    ~JpegEncoder() { jpeg_destroy_compress(&cinfo); }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;
};

struct JpegSource {
    const uchar* bits; // Format_ARGB32 or Format_RGB32 rows; alpha is ignored
    qsizetype bytesPerLine;
    JDIMENSION width;
    JDIMENSION height;
    JSAMPLE* row; // one RGB row for libjpeg
};

bool writeJpegGuarded(JpegEncoder* encoder, const JpegSource* source) {
    if (setjmp(encoder->failure.jump))
        return false;
    j_compress_ptr cinfo = &encoder->cinfo;
    jpeg_create_compress(cinfo);
    cinfo->dest = &encoder->sink.manager;
    cinfo->image_width = source->width;
    cinfo->image_height = source->height;
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, kJpegQuality, TRUE);
    // Full-resolution colour: at this quality halving the chroma would be the
    // largest loss left, visible as colour fringes on sharp edges.
    cinfo->comp_info[0].h_samp_factor = 1;
    cinfo->comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        packRgbRow(reinterpret_cast<const QRgb*>(source->bits +
                                                 cinfo->next_scanline * source->bytesPerLine),
                   source->row, int(source->width));
        JSAMPROW row = source->row;
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

// Colours as they are, alpha dropped: a 32-bit picture made a 24-bit one.
QImage withoutAlpha(const QImage& picture) {
    if (picture.format() == QImage::Format_RGB32)
        return picture;
    QImage opaque = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < opaque.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        for (int x = 0; x < opaque.width(); ++x)
            line[x] |= 0xff000000u;
    }
    opaque.reinterpretAsFormat(QImage::Format_RGB32);
    return opaque;
}

bool writeJpeg(const QImage& picture, QIODevice& out) {
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_ARGB32);
    if (rgb.isNull())
        return false;
    std::vector<JSAMPLE> row(size_t(rgb.width()) * 3);
    JpegEncoder encoder(out);
    const JpegSource source{rgb.constBits(), rgb.bytesPerLine(), JDIMENSION(rgb.width()),
                            JDIMENSION(rgb.height()), row.data()};
    return writeJpegGuarded(&encoder, &source);
}

bool writeBmp(const QImage& picture, QIODevice& out) {
    QImageWriter writer(&out, QByteArrayLiteral("BMP"));
    return writer.write(withoutAlpha(picture));
}

QString lowerExtension(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// The kinds of picture file the program reads, told by their first bytes.
enum class PictureKind { Missing, Png, Jpeg, Bmp, Other };

PictureKind pictureKindOf(const QString& path) {
    // Pipes, sockets and devices are not opened: opening a pipe blocks.
    const QFileInfo info(path);
    if (!info.exists())
        return PictureKind::Missing;
    if (!info.isFile())
        return PictureKind::Other;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PictureKind::Missing;
    const QByteArray head = file.read(8);
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return PictureKind::Png;
    if (head.startsWith("\xff\xd8\xff"))
        return PictureKind::Jpeg;
    if (head.startsWith("BM"))
        return PictureKind::Bmp;
    return PictureKind::Other;
}

} // namespace

IoResult loadPictureFile(const QString& path, QImage& picture) {
    QString detail;
    picture = QImage();
    switch (pictureKindOf(path)) {
    case PictureKind::Missing:
        break;
    case PictureKind::Png:
        picture = loadPngFile(path, &detail);
        break;
    case PictureKind::Jpeg:
        picture = loadJpegFile(path, &detail);
        break;
    case PictureKind::Bmp:
        picture = loadWithQt(path, &detail);
        break;
    case PictureKind::Other:
        detail = QStringLiteral("Kein PNG-, JPEG- oder BMP-Bild");
        break;
    }

    if (!picture.isNull())
        picture = picture.convertToFormat(QImage::Format_ARGB32);
    if (!picture.isNull())
        return IoResult::success();
    IoResult result = IoResult::failure(detail);
    QString message = QStringLiteral("Bilddatei konnte nicht gelesen werden: ") + path;
    if (!detail.isEmpty())
        message += QStringLiteral("\r\n") + detail;
    result.messages << message;
    return result;
}

IoResult savePictureFile(const QImage& picture, const QString& path, int pngLevel) {
    const auto failed = [&path](const QString& detail) {
        IoResult result = IoResult::failure(detail);
        result.messages << QStringLiteral("Datei konnte nicht erstellt werden:\r\n") + path;
        return result;
    };
    if (picture.isNull())
        return failed(QStringLiteral("Leeres Bild"));
    const QString extension = lowerExtension(path);
    const IoResult saved = saveWholeFile(path, [&](QIODevice& out) {
        if (extension == u"jpg")
            return writeJpeg(picture, out);
        if (extension == u"png")
            return encodePngWithoutAlpha(picture, out, pngLevel).ok;
        return writeBmp(picture, out);
    });
    if (!saved)
        return failed(saved.detail);
    return IoResult::success();
}

} // namespace quorvel
