// SPDX-License-Identifier: GPL-3.0-or-later
#include "pngcodec.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <vector>
#include <zlib.h>

using namespace quorvel;

namespace {

// --- PNG streams built by hand, independent of the codec under test ---

QByteArray bigEndian32(quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray chunk(const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type, 4) + data;
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(typed.constData()),
                            uInt(typed.size()));
    return bigEndian32(quint32(data.size())) + typed + bigEndian32(quint32(crc));
}

const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);

QByteArray ihdr(quint32 width, quint32 height, int depth, int colorType, bool interlaced = false) {
    QByteArray data = bigEndian32(width) + bigEndian32(height);
    data += char(depth);
    data += char(colorType);
    data += char(0); // deflate
    data += char(0); // adaptive filtering
    data += char(interlaced ? 1 : 0);
    return chunk("IHDR", data);
}

QByteArray deflated(const QByteArray& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(size), Qt::Uninitialized);
    const int result =
        compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size()), 6);
    EXPECT_EQ(result, Z_OK);
    packed.resize(qsizetype(size));
    return packed;
}

const QByteArray kIend = chunk("IEND", {});

// One way of storing pixels: PNG colour type, bit depth, interlacing, tRNS.
struct Variant {
    const char* name;
    int colorType;
    int depth;
    bool interlaced;
    bool withTrns;
};

constexpr int kWidth = 13;
constexpr int kHeight = 11;

int channelCount(int colorType) {
    switch (colorType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

// Sample values spread over the whole range of the depth; 16-bit samples have
// equal high and low bytes, so that any reduction to 8 bits gives the same.
quint32 sampleAt(const Variant& variant, int x, int y, int channel) {
    const quint32 hash = quint32(x * 73 + y * 151 + channel * 29 + x * y * 7) * 2654435761u;
    if (variant.depth == 16)
        return (hash >> 24) * 257;
    return hash >> (32 - variant.depth);
}

QRgb paletteEntry(int index) {
    return qRgb(index * 40 % 256, 255 - index * 3 % 256, index * 7 % 256);
}

int paletteSize(const Variant& variant) {
    return 1 << variant.depth;
}

int to8Bits(quint32 value, int depth) {
    if (depth == 16)
        return int(value >> 8);
    return int(value * 255 / ((1u << depth) - 1));
}

// What the decoder must produce: alpha only from an alpha channel.
QImage expectedPicture(const Variant& v) {
    QImage picture(kWidth, kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            auto s = [&](int channel) { return to8Bits(sampleAt(v, x, y, channel), v.depth); };
            QRgb pixel = 0;
            switch (v.colorType) {
            case 0:
                pixel = qRgb(s(0), s(0), s(0));
                break;
            case 2:
                pixel = qRgb(s(0), s(1), s(2));
                break;
            case 3:
                pixel = paletteEntry(int(sampleAt(v, x, y, 0)));
                break;
            case 4:
                pixel = qRgba(s(0), s(0), s(0), s(1));
                break;
            case 6:
                pixel = qRgba(s(0), s(1), s(2), s(3));
                break;
            }
            picture.setPixel(x, y, pixel);
        }
    }
    return picture;
}

QByteArray packedRow(const std::vector<quint32>& samples, int depth) {
    QByteArray row;
    if (depth >= 8) {
        for (quint32 sample : samples) {
            if (depth == 16)
                row += char(sample >> 8);
            row += char(sample & 0xff);
        }
        return row;
    }
    int bits = 0;
    unsigned accumulator = 0;
    for (quint32 sample : samples) {
        accumulator = (accumulator << depth) | sample;
        bits += depth;
        if (bits == 8) {
            row += char(accumulator);
            accumulator = 0;
            bits = 0;
        }
    }
    if (bits > 0)
        row += char(accumulator << (8 - bits));
    return row;
}

// Scanlines with filter type 0; Adam7 passes when interlaced (empty passes
// have no scanlines at all).
QByteArray scanlines(const Variant& v, int rows = kHeight) {
    struct Pass {
        int x0, y0, dx, dy;
    };
    static const Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                  {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static const Pass kWhole[] = {{0, 0, 1, 1}};
    QByteArray raw;
    for (const Pass& pass : v.interlaced
                                ? std::vector<Pass>(std::begin(kAdam7), std::end(kAdam7))
                                : std::vector<Pass>(std::begin(kWhole), std::end(kWhole))) {
        for (int y = pass.y0; y < rows; y += pass.dy) {
            std::vector<quint32> samples;
            for (int x = pass.x0; x < kWidth; x += pass.dx)
                for (int c = 0; c < channelCount(v.colorType); ++c)
                    samples.push_back(sampleAt(v, x, y, c));
            if (!samples.empty())
                raw += char(0) + packedRow(samples, v.depth);
        }
    }
    return raw;
}

QByteArray trnsChunk(const Variant& v) {
    QByteArray data;
    if (v.colorType == 3) {
        for (int i = 0; i < paletteSize(v); ++i)
            data += char(i * 37 % 256); // entry 0 fully transparent
    } else {
        // The colour of pixel (0, 0), so that at least that pixel matches.
        for (int c = 0; c < channelCount(v.colorType); ++c) {
            const quint32 sample = sampleAt(v, 0, 0, c);
            data += char(sample >> 8);
            data += char(sample & 0xff);
        }
    }
    return chunk("tRNS", data);
}

QByteArray handBuiltPng(const Variant& v, int rowsOfData = kHeight,
                        const QByteArray& afterIdat = {}) {
    QByteArray png = kSignature + ihdr(kWidth, kHeight, v.depth, v.colorType, v.interlaced);
    if (v.colorType == 3) {
        QByteArray palette;
        for (int i = 0; i < paletteSize(v); ++i) {
            palette += char(qRed(paletteEntry(i)));
            palette += char(qGreen(paletteEntry(i)));
            palette += char(qBlue(paletteEntry(i)));
        }
        png += chunk("PLTE", palette);
    }
    if (v.withTrns)
        png += trnsChunk(v);
    png += chunk("IDAT", deflated(scanlines(v, rowsOfData)));
    return png + afterIdat + kIend;
}

// A picture whose every byte matters: colours under full transparency,
// every alpha level, and noise that makes libpng split the data into several
// IDAT chunks.
QImage noisyPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const quint32 hash = quint32(x * 7919 + y * 104729) * 2654435761u;
            picture.setPixel(x, y, hash ^ (hash >> 13));
        }
    }
    return picture;
}

// Empty when equal, else where and how the pictures differ.
std::string difference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return "size differs";
    if (actual.format() != expected.format())
        return "format differs";
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel (%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .toStdString();
    return {};
}

QImage decodeAll(const QByteArray& bytes, QString* error = nullptr, qint64* endPosition = nullptr) {
    QByteArray data = bytes;
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    QImage picture;
    const IoResult result = decodePng(in, picture);
    EXPECT_EQ(result.ok, !picture.isNull());
    EXPECT_TRUE(result.messages.isEmpty()) << "the codec leaves the wording to its callers";
    if (error)
        *error = result.detail;
    if (endPosition)
        *endPosition = in.pos();
    return picture;
}

TEST(PngCodec, RoundTripKeepsEveryPixelAndAlpha) {
    const QImage source = noisyPicture(150, 101);
    const QImage::Format formats[] = {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_RGB32, QImage::Format_RGBA8888,
                                      QImage::Format_Indexed8};
    for (QImage::Format format : formats) {
        SCOPED_TRACE(int(format));
        const QImage picture = source.convertToFormat(format);
        const QByteArray png = encodePng(picture);
        ASSERT_GT(png.size(), 33);
        EXPECT_EQ(png.at(24), 8) << "bit depth";
        EXPECT_EQ(png.at(25), 6) << "colour type RGBA";
        QString error;
        const QImage decoded = decodeAll(png, &error);
        EXPECT_EQ(error, QString());
        EXPECT_EQ(difference(decoded, picture.convertToFormat(QImage::Format_ARGB32)), "");
    }
}

TEST(PngCodec, EncodingFailsForNullPictureAndUnwritableDevice) {
    EXPECT_TRUE(encodePng(QImage()).isEmpty());
    QByteArray data;
    QBuffer readOnly(&data);
    readOnly.open(QIODevice::ReadOnly);
    const IoResult failed = encodePng(noisyPicture(4, 4), readOnly);
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.detail.isEmpty());
    EXPECT_FALSE(encodePng(QImage(), readOnly));
}

TEST(PngCodec, ConsumesExactlyOneStreamAndNothingAfterIt) {
    const QByteArray first = encodePng(noisyPicture(300, 200));
    ASSERT_GT(first.count("IDAT"), 1) << "should span several IDAT chunks";
    // An ancillary chunk after the image data still belongs to the stream.
    const QByteArray second = handBuiltPng({"rgb8", 2, 8, false, false}, kHeight,
                                           chunk("tEXt", QByteArray("Comment\0late", 12)));
    const char marker[4] = {0x78, 0x56, 0x34, 0x12};
    QByteArray data = first + second + QByteArray(marker, 4);

    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    QImage picture;
    IoResult result = decodePng(in, picture);
    EXPECT_FALSE(picture.isNull()) << result.detail.toStdString();
    EXPECT_EQ(in.pos(), first.size());
    result = decodePng(in, picture);
    EXPECT_FALSE(picture.isNull()) << result.detail.toStdString();
    EXPECT_EQ(in.pos(), first.size() + second.size());
    char tail[4];
    ASSERT_EQ(in.read(tail, 4), 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(tail), 0x12345678);
}

TEST(PngCodec, DecodesEveryColourTypeDepthAndInterlacing) {
    const Variant variants[] = {
        {"grey 1 bit", 0, 1, false, false},
        {"grey 2 bit", 0, 2, false, false},
        {"grey 4 bit", 0, 4, false, false},
        {"grey 8 bit", 0, 8, false, false},
        {"grey 16 bit", 0, 16, false, false},
        {"grey 2 bit interlaced", 0, 2, true, false},
        {"grey 8 bit with tRNS", 0, 8, false, true},
        {"grey 16 bit with tRNS", 0, 16, false, true},
        {"rgb 8 bit", 2, 8, false, false},
        {"rgb 16 bit with tRNS", 2, 16, false, true},
        {"rgb 8 bit interlaced with tRNS", 2, 8, true, true},
        {"palette 1 bit", 3, 1, false, false},
        {"palette 2 bit", 3, 2, false, false},
        {"palette 4 bit with tRNS", 3, 4, false, true},
        {"palette 8 bit", 3, 8, false, false},
        {"palette 8 bit interlaced with tRNS", 3, 8, true, true},
        {"grey alpha 8 bit", 4, 8, false, false},
        {"grey alpha 16 bit interlaced", 4, 16, true, false},
        {"rgba 8 bit interlaced", 6, 8, true, false},
        {"rgba 16 bit", 6, 16, false, false},
    };
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.name);
        const QByteArray png = handBuiltPng(variant);
        QString error;
        qint64 end = 0;
        const QImage decoded = decodeAll(png, &error, &end);
        EXPECT_EQ(error, QString());
        EXPECT_EQ(end, png.size());
        EXPECT_EQ(difference(decoded, expectedPicture(variant)), "");
    }
}

QByteArray withByteFlipped(QByteArray bytes, qsizetype index) {
    bytes[index] = char(bytes.at(index) ^ 0x55);
    return bytes;
}

QByteArray pngWithIdat(const Variant& v, const QByteArray& idatData) {
    return kSignature + ihdr(kWidth, kHeight, v.depth, v.colorType) + chunk("IDAT", idatData) +
           kIend;
}

QByteArray pngOfSize(quint32 width, quint32 height) {
    return kSignature + ihdr(width, height, 8, 6) + chunk("IDAT", deflated(QByteArray(5, 0))) +
           kIend;
}

TEST(PngCodec, HeaderPeekAndSkipLeaveTheStreamWhereTheNextFieldStarts) {
    const QByteArray good = handBuiltPng({"rgb", 2, 8, false, false});
    const QByteArray after("next field");
    const struct {
        const char* name;
        QByteArray data;
        qint64 announced; // what the header says the decoded picture takes
        bool skipped;     // whether the whole stream lies within the data
    } cases[] = {
        {"good", good + after, qint64(kWidth) * kHeight * 4, true},
        {"largest sides a header can hold", pngOfSize(0xFFFFFFFF, 0xFFFFFFFF) + after, -1, true},
        {"huge sides", pngOfSize(100000, 100000), -1, true},
        {"not a PNG", QByteArray("GIF89a and more bytes than a signature"), -1, false},
        {"cut inside IHDR", good.left(20), -1, false},
        {"cut before IEND", good.chopped(4), qint64(kWidth) * kHeight * 4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray data = c.data;
        QBuffer in(&data);
        in.open(QIODevice::ReadOnly);
        EXPECT_EQ(peekPngPictureBytes(in), c.announced);
        EXPECT_EQ(in.pos(), 0);
        EXPECT_EQ(skipPng(in), c.skipped);
        if (c.skipped) {
            EXPECT_EQ(in.readAll(), c.data.endsWith(after) ? after : QByteArray());
        }
    }
}

TEST(PngCodec, RefusesHostileAndBrokenStreams) {
    const Variant rgb{"rgb", 2, 8, false, false};
    QByteArray invalidBlockType = deflated(scanlines(rgb));
    invalidBlockType[2] = 0x07; // final block of the reserved type 3, with a correct CRC
    const QByteArray good = handBuiltPng(rgb);
    const qsizetype idat = good.indexOf("IDAT");
    const qsizetype idatCrc = idat + 4 + qFromBigEndian<quint32>(good.constData() + idat - 4);
    const struct {
        const char* name;
        QByteArray data;
        QString errorPart;
    } cases[] = {
        {"empty", {}, QStringLiteral("PNG-Daten enden vorzeitig")},
        {"not a PNG", QByteArray("GIF89a and more bytes than a signature"),
         QStringLiteral("Keine PNG-Daten")},
        {"cut inside IHDR", good.left(20), QStringLiteral("PNG-Daten enden vorzeitig")},
        {"cut in half", good.left(good.size() / 2), QStringLiteral("PNG-Daten enden vorzeitig")},
        {"IEND CRC cut", good.chopped(2), QStringLiteral("PNG-Daten enden vorzeitig")},
        {"IHDR CRC wrong", withByteFlipped(good, 30), QStringLiteral("Fehlerhafte PNG-Daten")},
        {"IDAT CRC wrong", withByteFlipped(good, idatCrc + 3),
         QStringLiteral("Fehlerhafte PNG-Daten")},
        {"IDAT deflate data invalid", pngWithIdat(rgb, invalidBlockType),
         QStringLiteral("Fehlerhafte PNG-Daten")},
        {"first chunk not IHDR", kSignature + chunk("IDAT", deflated("x")) + kIend,
         QStringLiteral("kein IHDR-Block")},
        {"huge sides", pngOfSize(100000, 100000),
         QStringLiteral("Bild zu groß: 100000 × 100000 Pixel (höchstens 16384 × 16384)")},
        {"side allowed, bytes not", pngOfSize(16384, 4097),
         QStringLiteral("Bild zu groß: 16384 × 4097 Pixel (höchstens 256 MiB Bilddaten)")},
        {"zero width", pngOfSize(0, 10), QStringLiteral("Ungültige Bildgröße: 0 × 10 Pixel")},
        // Within both limits, but no deflate stream this short could hold 256 MiB.
        {"tiny stream claiming a large picture", pngOfSize(8192, 8192),
         QStringLiteral("PNG-Daten enden vorzeitig (8192 × 8192 Pixel in ")},
        {"IDAT short of rows", handBuiltPng(rgb, kHeight - 2),
         QStringLiteral("Fehlerhafte PNG-Daten")},
        {"no IDAT", kSignature + ihdr(kWidth, kHeight, 8, 2) + kIend,
         QStringLiteral("Fehlerhafte PNG-Daten")},
        {"unknown critical chunk",
         kSignature + ihdr(kWidth, kHeight, 8, 2) + chunk("XXXX", "?") +
             chunk("IDAT", deflated(scanlines(rgb))) + kIend,
         QStringLiteral("Fehlerhafte PNG-Daten")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_TRUE(decodeAll(c.data, &error).isNull());
        EXPECT_TRUE(error.contains(c.errorPart)) << error.toStdString();

        // Where it stopped lies within the bytes it was given.
        QByteArray data = c.data;
        QBuffer in(&data);
        in.open(QIODevice::ReadOnly);
        QImage picture = noisyPicture(2, 2);
        const IoResult result = decodePng(in, picture);
        EXPECT_TRUE(picture.isNull()) << "a failed decode leaves no picture behind";
        EXPECT_GE(result.offset, 0);
        EXPECT_LE(result.offset, c.data.size());
    }
}

} // namespace
