// SPDX-License-Identifier: GPL-3.0-or-later
#include "pngcodec.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

namespace quorvel {

namespace {

// Every ancillary chunk is skipped, so only PLTE asks libpng for memory.
constexpr png_alloc_size_t kMaxChunkBytes = 1024 * 1024;

constexpr size_t kSignatureBytes = 8;
constexpr size_t kIhdrChunkBytes = 4 + 4 + 13 + 4; // length, type, data, CRC
constexpr size_t kHeadBytes = kSignatureBytes + kIhdrChunkBytes;
constexpr size_t kMessageBytes = 256;

// What the libpng callbacks work on. Plain data only: libpng leaves a callback
// by longjmp, which must not skip any destructor.
struct ReadSource {
    QIODevice* device;
    // The signature and IHDR chunk, read by us before libpng starts so that a
    // hostile size is refused first; the read callback hands them out again.
    unsigned char head[kHeadBytes];
    size_t headHandedOut;
    bool endedEarly;
};

struct WriteTarget {
    QIODevice* device;
    bool failed;
};

struct WriteJob {
    WriteTarget* target;
    png_uint_32 width;
    png_uint_32 height;
    bool keepAlpha;
    png_bytepp rows;
    int level;
};

[[noreturn]] void onPngError(png_structp png, png_const_charp message) {
    char* text = static_cast<char*>(png_get_error_ptr(png));
    qstrncpy(text, message ? message : "", kMessageBytes);
    png_longjmp(png, 1);
}

// Warnings (damaged ancillary chunks, odd but readable data) change nothing
// for us and must not end up on stderr.
void onPngWarning(png_structp, png_const_charp) {}

bool readFully(QIODevice& device, void* into, qint64 size) {
    char* at = static_cast<char*>(into);
    while (size > 0) {
        const qint64 got = device.read(at, size);
        if (got <= 0)
            return false;
        at += got;
        size -= got;
    }
    return true;
}

// libpng asks for exactly the bytes it needs next, never more, so a stream
// read this way ends right after the IEND CRC.
void readBytes(png_structp png, png_bytep data, size_t length) {
    ReadSource* source = static_cast<ReadSource*>(png_get_io_ptr(png));
    if (source->headHandedOut < kHeadBytes) {
        const size_t count = std::min(length, kHeadBytes - source->headHandedOut);
        std::memcpy(data, source->head + source->headHandedOut, count);
        source->headHandedOut += count;
        data += count;
        length -= count;
    }
    if (length > 0 && !readFully(*source->device, data, qint64(length))) {
        source->endedEarly = true;
        png_error(png, "unexpected end of data");
    }
}

void writeBytes(png_structp png, png_bytep data, size_t length) {
    WriteTarget* target = static_cast<WriteTarget*>(png_get_io_ptr(png));
    if (target->device->write(reinterpret_cast<const char*>(data), qint64(length)) !=
        qint64(length)) {
        target->failed = true;
        png_error(png, "write error");
    }
}

void flushNothing(png_structp) {}

// Rows as QImage::Format_ARGB32 holds them: one 32-bit 0xAARRGGBB per pixel,
// that is B, G, R, A in memory on little-endian machines.
void requestArgb32Rows(png_structp png, png_infop info) {
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0) {
        if (bitDepth < 8)
            png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    if (bitDepth == 16)
        png_set_strip_16(png);
    const bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(png);
    if (!hasAlpha)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
#else
    if (hasAlpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0xff, PNG_FILLER_BEFORE);
#endif
    png_set_interlace_handling(png);
}

// The functions below are the only places libpng may jump back to. They hold
// nothing with a destructor and change no local after setjmp.

bool readHeaderGuarded(png_structp png, png_infop info, ReadSource* source) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, source, readBytes);
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    // No ancillary chunk is used (no colour management, no texts), so none is
    // inflated or stored. tRNS is skipped as well: only the alpha channel of
    // colour types 4 and 6 makes a pixel transparent.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    static const png_byte kTrns[] = "tRNS";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kTrns, 1);
    png_read_info(png, info);
    requestArgb32Rows(png, info);
    png_read_update_info(png, info);
    return true;
}

bool readRowsGuarded(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

bool writeGuarded(png_structp png, png_infop info, const WriteJob* job) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, job->target, writeBytes, flushNothing);
    png_set_IHDR(png, info, job->width, job->height, 8,
                 job->keepAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, job->level);
    png_write_info(png, info);
    // The rows are handed over as Format_ARGB32 holds them; without alpha the
    // fourth byte of each pixel is dropped.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(png);
    if (!job->keepAlpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
#else
    if (job->keepAlpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
#endif
    png_write_image(png, job->rows);
    png_write_end(png, nullptr);
    return true;
}

class PngReadStruct {
public:
    explicit PngReadStruct(char* message)
        : m_png(png_create_read_struct(PNG_LIBPNG_VER_STRING, message, onPngError, onPngWarning)),
          m_info(m_png ? png_create_info_struct(m_png) : nullptr) {}
    ~PngReadStruct() { png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr); }
    PngReadStruct(const PngReadStruct&) = delete;
    PngReadStruct& operator=(const PngReadStruct&) = delete;

    bool ok() const { return m_png && m_info; }
    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png;
    png_infop m_info;
};

class PngWriteStruct {
public:
    explicit PngWriteStruct(char* message)
        : m_png(png_create_write_struct(PNG_LIBPNG_VER_STRING, message, onPngError, onPngWarning)),
          m_info(m_png ? png_create_info_struct(m_png) : nullptr) {}
    ~PngWriteStruct() { png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr); }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;

    bool ok() const { return m_png && m_info; }
    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    png_structp m_png;
    png_infop m_info;
};

IoResult failDecode(const QIODevice& in, QImage& picture, const QString& what) {
    picture = QImage();
    return IoResult::failure(what, in.pos());
}

QString describeReadFailure(const ReadSource& source, const char* message) {
    if (source.endedEarly)
        return QStringLiteral("PNG-Daten enden vorzeitig");
    return QStringLiteral("Fehlerhafte PNG-Daten (%1)").arg(QString::fromLatin1(message));
}

// Deflate shrinks data at most about 1032 : 1. A picture whose pixel rows could
// not fit, so compressed, into what the device still holds is refused before
// its memory is taken: a few hostile bytes never claim hundreds of megabytes.
QString compressedSizeError(const QIODevice& in, quint32 width, quint32 height, int bitDepth,
                            int colorType) {
    if (in.isSequential())
        return {};
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    const int channels = (colorType >= 0 && colorType < 7) ? kChannels[colorType] : 0;
    if (channels == 0 || bitDepth < 1 || bitDepth > 16)
        return {}; // libpng names the fault
    const qint64 rowBytes = (qint64(width) * channels * bitDepth + 7) / 8 + 1;
    const qint64 rawBytes = rowBytes * height;
    constexpr qint64 kMaxDeflateRatio = 1032;
    const qint64 left = in.size() - in.pos();
    if (left * kMaxDeflateRatio + 1024 < rawBytes)
        return QStringLiteral("PNG-Daten enden vorzeitig (%1 × %2 Pixel in %3 Byte)")
            .arg(width)
            .arg(height)
            .arg(left);
    return {};
}

// Reads signature and IHDR into `source.head` and checks the picture size.
QString readHead(QIODevice& in, ReadSource& source) {
    if (!readFully(in, source.head, kSignatureBytes))
        return QStringLiteral("PNG-Daten enden vorzeitig");
    if (png_sig_cmp(source.head, 0, kSignatureBytes) != 0)
        return QStringLiteral("Keine PNG-Daten");
    unsigned char* chunk = source.head + kSignatureBytes;
    if (!readFully(in, chunk, kIhdrChunkBytes))
        return QStringLiteral("PNG-Daten enden vorzeitig");
    if (qFromBigEndian<quint32>(chunk) != 13 || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return QStringLiteral("Fehlerhafte PNG-Daten (kein IHDR-Block am Anfang)");
    const quint32 width = qFromBigEndian<quint32>(chunk + 8);
    const quint32 height = qFromBigEndian<quint32>(chunk + 12);
    const QString sizeProblem = pictureSizeError(width, height);
    if (!sizeProblem.isEmpty())
        return sizeProblem;
    return compressedSizeError(in, width, height, chunk[16], chunk[17]);
}

IoResult encodeArgb32(const QImage& picture, QIODevice& out, bool keepAlpha, int level) {
    if (picture.isNull())
        return IoResult::failure(QStringLiteral("Leeres Bild"));
    // Both formats hold 0xAARRGGBB per pixel; without alpha the top byte is
    // dropped anyway, so an opaque picture needs no conversion.
    const bool usable = picture.format() == QImage::Format_ARGB32 ||
                        (!keepAlpha && picture.format() == QImage::Format_RGB32);
    const QImage argb = usable ? picture : picture.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull())
        return IoResult::failure(QStringLiteral("Nicht genug Speicher für das Bild"));

    std::vector<png_bytep> rows(size_t(argb.height()));
    uchar* bits = const_cast<uchar*>(argb.constBits()); // libpng only reads the rows
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = bits + qsizetype(y) * argb.bytesPerLine();

    char message[kMessageBytes] = {};
    PngWriteStruct writer(message);
    if (!writer.ok())
        return IoResult::failure(QStringLiteral("Nicht genug Speicher für das Bild"));
    WriteTarget target{&out, false};
    const WriteJob job{
        &target,     png_uint_32(argb.width()), png_uint_32(argb.height()), keepAlpha,
        rows.data(), std::clamp(level, 0, 9)};
    if (writeGuarded(writer.png(), writer.info(), &job))
        return IoResult::success();
    if (target.failed)
        return IoResult::failure(QStringLiteral("Schreibfehler: %1").arg(out.errorString()));
    return IoResult::failure(QStringLiteral("PNG-Fehler (%1)").arg(QString::fromLatin1(message)));
}

} // namespace

QString pictureSizeError(qint64 width, qint64 height) {
    if (width < 1 || height < 1)
        return QStringLiteral("Ungültige Bildgröße: %1 × %2 Pixel").arg(width).arg(height);
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return QStringLiteral("Bild zu groß: %1 × %2 Pixel (höchstens %3 × %3)")
            .arg(width)
            .arg(height)
            .arg(kMaxPictureSide);
    if (width * height * 4 > kMaxPictureBytes)
        return QStringLiteral("Bild zu groß: %1 × %2 Pixel (höchstens %3 MiB Bilddaten)")
            .arg(width)
            .arg(height)
            .arg(kMaxPictureBytes / (1024 * 1024));
    return {};
}

IoResult decodePng(QIODevice& in, QImage& picture) {
    ReadSource source{};
    source.device = &in;
    const QString headProblem = readHead(in, source);
    if (!headProblem.isEmpty())
        return failDecode(in, picture, headProblem);

    char message[kMessageBytes] = {};
    PngReadStruct reader(message);
    if (!reader.ok())
        return failDecode(in, picture, QStringLiteral("Nicht genug Speicher für das Bild"));
    png_structp png = reader.png();
    png_infop info = reader.info();
    if (!readHeaderGuarded(png, info, &source))
        return failDecode(in, picture, describeReadFailure(source, message));

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4 ||
        png_get_rowbytes(png, info) != size_t(width) * 4)
        return failDecode(in, picture,
                          QStringLiteral("Fehlerhafte PNG-Daten (unerwartetes Pixelformat)"));

    picture = QImage(int(width), int(height), QImage::Format_ARGB32);
    if (picture.isNull())
        return failDecode(in, picture, QStringLiteral("Nicht genug Speicher für das Bild"));
    // libpng writes straight into the picture's scanlines.
    std::vector<png_bytep> rows(height);
    uchar* bits = picture.bits();
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = bits + qsizetype(y) * picture.bytesPerLine();
    if (!readRowsGuarded(png, rows.data()))
        return failDecode(in, picture, describeReadFailure(source, message));
    return IoResult::success();
}

qint64 peekPngPictureBytes(QIODevice& in) {
    // Signature, chunk length, chunk type, width and height.
    constexpr qint64 kNeeded = kSignatureBytes + 16;
    const QByteArray head = in.peek(kNeeded);
    if (head.size() < kNeeded)
        return -1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(head.constData());
    if (png_sig_cmp(bytes, 0, kSignatureBytes) != 0 ||
        std::memcmp(bytes + kSignatureBytes + 4, "IHDR", 4) != 0)
        return -1;
    const quint32 width = qFromBigEndian<quint32>(bytes + kSignatureBytes + 8);
    const quint32 height = qFromBigEndian<quint32>(bytes + kSignatureBytes + 12);
    if (!pictureSizeError(width, height).isEmpty())
        return -1;
    return qint64(width) * qint64(height) * 4;
}

bool skipPng(QIODevice& in) {
    if (in.skip(kSignatureBytes) != qint64(kSignatureBytes))
        return false;
    for (;;) {
        unsigned char chunk[8];
        if (!readFully(in, chunk, sizeof chunk))
            return false;
        // Length, then type; data and CRC follow. Each round consumes at
        // least 12 bytes, so the walk ends with the data.
        const qint64 rest = qint64(qFromBigEndian<quint32>(chunk)) + 4;
        if (in.skip(rest) != rest)
            return false;
        if (std::memcmp(chunk + 4, "IEND", 4) == 0)
            return true;
    }
}

IoResult encodePng(const QImage& picture, QIODevice& out) {
    return encodeArgb32(picture, out, true, kPngLevel);
}

QByteArray encodePng(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!encodePng(picture, buffer).ok)
        return {};
    return bytes;
}

IoResult encodePngWithoutAlpha(const QImage& picture, QIODevice& out, int level) {
    return encodeArgb32(picture, out, false, level);
}

} // namespace quorvel
