// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturefile.h"
#include "pngcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

using namespace quorvel;

namespace {

class PictureFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray contents(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    static void store(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

private:
    QTemporaryDir m_dir;
};

// Flat 16 x 16 blocks (JPEG keeps those nearly exact) with every kind of
// alpha, including colours under full transparency.
QImage blockPicture() {
    const QRgb colours[] = {qRgba(255, 0, 0, 255),   qRgba(0, 128, 255, 0),
                            qRgba(30, 200, 60, 128), qRgba(250, 250, 250, 10),
                            qRgba(0, 0, 0, 255),     qRgba(120, 60, 200, 200),
                            qRgba(255, 255, 0, 1),   qRgba(10, 20, 30, 255)};
    QImage picture(64, 32, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, colours[x / 16 + 4 * (y / 16)]);
    return picture;
}

// Largest difference of a colour channel; -1 when a pixel is not opaque or
// the sizes differ.
int largestColourDifference(const QImage& loaded, const QImage& source) {
    if (loaded.size() != source.size())
        return -1;
    int largest = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb a = loaded.pixel(x, y);
            const QRgb b = source.pixel(x, y);
            if (qAlpha(a) != 255)
                return -1;
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)),
                                std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    }
    return largest;
}

// The picture and the message the user would see, checking the result's
// contract on the way: one message exactly when it failed.
QImage loadWithMessage(const QString& file, QString* error) {
    QImage picture;
    const IoResult result = loadPictureFile(file, picture);
    EXPECT_EQ(result.ok, !picture.isNull());
    EXPECT_EQ(result.messages.size(), result.ok ? 0 : 1);
    *error = result.messages.join(u'\n');
    return picture;
}

bool saveWithMessage(const QImage& picture, const QString& file, QString* message) {
    const IoResult result = savePictureFile(picture, file);
    EXPECT_EQ(result.messages.size(), result.ok ? 0 : 1);
    *message = result.messages.join(u'\n');
    return result.ok;
}

TEST_F(PictureFileTest, SavedFilesDropAlphaKeepColoursAndReadBack) {
    const QImage source = blockPicture();
    const struct {
        const char* name;
        QByteArray magic;
        int tolerance;
    } cases[] = {
        {"bild.png", QByteArray("\x89PNG"), 0},
        {"bild.JPG", QByteArray("\xff\xd8\xff"), 6}, // upper case is still JPEG
        {"bild.bmp", QByteArray("BM"), 0},
        {"bild.gif", QByteArray("BM"), 0}, // any other name: a bitmap
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QString::fromLatin1(c.name));
        QString message;
        ASSERT_TRUE(saveWithMessage(source, file, &message)) << message.toStdString();
        const QByteArray bytes = contents(file);
        EXPECT_TRUE(bytes.startsWith(c.magic));
        if (c.magic.startsWith("\x89PNG")) {
            EXPECT_EQ(bytes.at(24), 8) << "bit depth";
            EXPECT_EQ(bytes.at(25), 2) << "colour type RGB, no alpha channel";
        }
        if (c.magic == "BM") {
            EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << "bits per pixel";
        }

        QString error;
        const QImage loaded = loadWithMessage(file, &error);
        EXPECT_EQ(error, QString());
        EXPECT_EQ(loaded.format(), QImage::Format_ARGB32);
        const int difference = largestColourDifference(loaded, source);
        EXPECT_GE(difference, 0) << "size differs or a pixel is not opaque";
        EXPECT_LE(difference, c.tolerance);
    }
}

TEST_F(PictureFileTest, LoadsPngKeepingItsAlpha) {
    const QImage source = blockPicture();
    const QString file = path(QStringLiteral("durchsichtig.PNG"));
    store(file, encodePng(source));
    QString error;
    EXPECT_EQ(loadWithMessage(file, &error), source);
    EXPECT_EQ(error, QString());
}

// A JPEG of 16 x 16 blocks written with libjpeg in a colour space the program
// itself never writes.
QByteArray jpegOf(int width, int height, J_COLOR_SPACE space, int components,
                  const std::vector<JSAMPLE>& samples, bool progressive = false) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) +
                       size_t(cinfo.next_scanline) * size_t(width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

TEST_F(PictureFileTest, LoadsGreyAndAdobeCmykJpeg) {
    // Left block and right block of 16 x 16 pixels each.
    const std::vector<JSAMPLE> grey = [] {
        std::vector<JSAMPLE> s;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                s.push_back(x < 16 ? 40 : 220);
        return s;
    }();
    // Adobe CMYK is stored inverted: 255 means no ink. Left red, right dark blue.
    const std::vector<JSAMPLE> cmyk = [] {
        std::vector<JSAMPLE> s;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x) {
                const JSAMPLE left[] = {255, 0, 0, 255};
                const JSAMPLE right[] = {0, 0, 255, 127};
                s.insert(s.end(), x < 16 ? std::begin(left) : std::begin(right),
                         x < 16 ? std::end(left) : std::end(right));
            }
        return s;
    }();
    const struct {
        const char* name;
        QByteArray data;
        QRgb left;
        QRgb right;
    } cases[] = {
        {"grau.jpg", jpegOf(32, 16, JCS_GRAYSCALE, 1, grey), qRgb(40, 40, 40), qRgb(220, 220, 220)},
        {"cmyk.jpg", jpegOf(32, 16, JCS_CMYK, 4, cmyk), qRgb(255, 0, 0), qRgb(0, 0, 127)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QString::fromLatin1(c.name));
        store(file, c.data);
        QString error;
        const QImage loaded = loadWithMessage(file, &error);
        EXPECT_EQ(error, QString());
        QImage expected(32, 16, QImage::Format_ARGB32);
        for (int x = 0; x < 32; ++x)
            for (int y = 0; y < 16; ++y)
                expected.setPixel(x, y, x < 16 ? c.left : c.right);
        const int difference = largestColourDifference(loaded, expected);
        EXPECT_GE(difference, 0);
        EXPECT_LE(difference, 3);
    }
}

QByteArray withBigEndian16(QByteArray bytes, qsizetype at, quint16 value) {
    qToBigEndian(value, bytes.data() + at);
    return bytes;
}

QByteArray withLittleEndian32(QByteArray bytes, qsizetype at, qint32 value) {
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

TEST_F(PictureFileTest, UnreadableFilesGiveNullPictureAndMessage) {
    const QString smallJpeg = path(QStringLiteral("klein.jpg"));
    const QString smallBmp = path(QStringLiteral("klein.bmp"));
    ASSERT_TRUE(savePictureFile(blockPicture(), smallJpeg));
    ASSERT_TRUE(savePictureFile(blockPicture(), smallBmp));
    const QByteArray jpeg = contents(smallJpeg);
    const qsizetype frame = jpeg.indexOf("\xff\xc0"); // baseline frame header: height, width
    ASSERT_GT(frame, 0);
    const QByteArray pngBytes = encodePng(blockPicture());
    // A progressive JPEG whose last scan comes again and again: each repeat
    // would cost a pass over the whole picture.
    QByteArray endless = jpegOf(32, 16, JCS_GRAYSCALE, 1, std::vector<JSAMPLE>(32 * 16, 99), true);
    const qsizetype lastScan = endless.lastIndexOf("\xff\xda");
    const QByteArray scan = endless.mid(lastScan, endless.size() - 2 - lastScan);
    endless.chop(2);
    for (int i = 0; i < 600; ++i)
        endless += scan;
    endless += "\xff\xd9";

    const struct {
        const char* name;
        QByteArray data; // empty: the file does not exist
        QString detail;  // the line below the message; empty: none
    } cases[] = {
        {"fehlt.jpg", {}, {}},
        {"fehlt.png", {}, {}},
        {"fehlt.bmp", {}, {}},
        {"kaputt.jpg", QByteArray("\xff\xd8\xff\xe0 no JPEG after all"),
         QStringLiteral("Fehlerhafte JPEG-Daten")},
        {"riesig.jpg", withBigEndian16(withBigEndian16(jpeg, frame + 5, 60000), frame + 7, 60000),
         QStringLiteral("Bild zu groß: 60000 × 60000 Pixel (höchstens 16384 × 16384)")},
        {"riesig.bmp", withLittleEndian32(contents(smallBmp), 18, 100000),
         QStringLiteral("Bild zu groß: 100000 × 32 Pixel (höchstens 16384 × 16384)")},
        {"endlos.jpg", endless, QStringLiteral("Fehlerhafte JPEG-Daten (zu viele Scans)")},
        {"halb.png", pngBytes.left(pngBytes.size() / 2),
         QStringLiteral("PNG-Daten enden vorzeitig")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QString::fromLatin1(c.name));
        if (!c.data.isEmpty())
            store(file, c.data);
        QString error;
        EXPECT_TRUE(loadWithMessage(file, &error).isNull());
        const QString message = QStringLiteral("Bilddatei konnte nicht gelesen werden: ") + file;
        if (c.detail.isEmpty()) {
            EXPECT_EQ(error, message);
        } else {
            EXPECT_TRUE(error.startsWith(message + QStringLiteral("\r\n") + c.detail))
                << error.toStdString();
        }
    }
}

TEST_F(PictureFileTest, FailedSaveGivesMessageAndLeavesEarlierFile) {
    for (const char* name : {"fehlt/bild.png", "fehlt/bild.jpg", "fehlt/bild.bmp"}) {
        SCOPED_TRACE(name);
        const QString file = path(QString::fromLatin1(name));
        QString message;
        EXPECT_FALSE(saveWithMessage(blockPicture(), file, &message));
        EXPECT_EQ(message, QStringLiteral("Datei konnte nicht erstellt werden:\r\n") + file);
        EXPECT_FALSE(QFile::exists(file));
    }

    const QString earlier = path(QStringLiteral("alt.png"));
    store(earlier, "earlier content");
    QString message;
    EXPECT_FALSE(saveWithMessage(QImage(), earlier, &message));
    EXPECT_EQ(message, QStringLiteral("Datei konnte nicht erstellt werden:\r\n") + earlier);
    EXPECT_EQ(contents(earlier), "earlier content");
}

} // namespace

// The kind of a picture file is told by its content: a PNG named ".bmp" is
// read as PNG, and formats other than PNG, JPEG and BMP never reach a decoder,
// whatever their name.
TEST_F(PictureFileTest, ReadsOnlyPngJpegAndBmpByContent) {
    const QImage source = blockPicture();
    const QString png = path(QStringLiteral("eigentlich-png.bmp"));
    store(png, encodePng(source));
    QImage loaded;
    EXPECT_TRUE(loadPictureFile(png, loaded).ok);
    EXPECT_EQ(loaded, source);

    const struct {
        const char* name;
        QByteArray data;
    } refused[] = {
        {"verlauf.svg", QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect/></svg>")},
        {"bild.gif", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14)},
        {"symbol.ico", QByteArray("\x00\x00\x01\x00\x01\x00", 6)},
        {"bild.png", QByteArray("keine Bilddaten")},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        const QString file = path(QString::fromLatin1(c.name));
        store(file, c.data);
        const IoResult result = loadPictureFile(file, loaded);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(loaded.isNull());
        EXPECT_EQ(result.messages.value(0),
                  QStringLiteral("Bilddatei konnte nicht gelesen werden: ") + file +
                      QStringLiteral("\r\nKein PNG-, JPEG- oder BMP-Bild"));
    }
}
