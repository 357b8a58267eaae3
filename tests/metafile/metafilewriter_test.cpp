// SPDX-License-Identifier: GPL-3.0-or-later
// The record writers read back with the independent reader: structure,
// bounds, text runs, pictures, and files of hostile or huge pages.
#include "emfwriter.h"
#include "metafilereader.h"
#include "metafilewriter.h"
#include "samplepage.h"
#include "wmfwriter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace metafilecheck;
using quorvel::MetafileFormat;

namespace {

Contents read(const QByteArray& bytes, MetafileFormat format) {
    return format == MetafileFormat::Emf ? readEmf(bytes) : readWmf(bytes);
}

// Device units per page unit, from the header's page size.
double scaleOf(const Contents& contents, MetafileFormat format, int pageWidth) {
    return format == MetafileFormat::Emf ? double(contents.bounds.width()) / pageWidth
                                         : double(contents.box.width()) / pageWidth;
}

const TextRun* runWith(const Contents& contents, const QString& text) {
    for (const TextRun& run : contents.texts) {
        if (run.text == text)
            return &run;
    }
    return nullptr;
}

class MetafileFormats : public ::testing::TestWithParam<MetafileFormat> {};

} // namespace

TEST_P(MetafileFormats, SamplePageReadsBackWithTextBoundsAndPicture) {
    const MetafileFormat format = GetParam();
    const SamplePage page = samplePage();
    QString error;
    const QByteArray bytes =
        quorvel::metafileBytes(page.picture, kPortrait, format, kUnitsPerInch, &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    const Contents contents = read(bytes, format);
    ASSERT_TRUE(contents.sound()) << contents.problem.toStdString();

    // The page is the bounds; the physical size is A4's width.
    const double scale = scaleOf(contents, format, kPortrait.width());
    EXPECT_GE(scale, 5);
    if (format == MetafileFormat::Emf) {
        EXPECT_EQ(contents.bounds.topLeft(), QPoint(0, 0));
        EXPECT_NEAR(contents.bounds.height() / scale, kPortrait.height(), 1);
        EXPECT_EQ(contents.device, contents.bounds.size());
        EXPECT_NEAR(contents.frame.width(), 21000, 2);
        EXPECT_NEAR(contents.frame.height(), 21000 * 1.625, 2);
        EXPECT_EQ(contents.millimetres, QSize(210, 341));
    } else {
        EXPECT_EQ(contents.box.topLeft(), QPoint(0, 0));
        EXPECT_NEAR(contents.box.height() / scale, kPortrait.height(), 1);
        EXPECT_NEAR(contents.box.width() * 25.4 / contents.unitsPerInch, 210, 0.5);
        EXPECT_LE(contents.objects, 4);
    }

    // Text runs whole, at their places, with advances as wide as Qt's.
    EXPECT_TRUE(contents.allText().contains(page.body)) << contents.allText().toStdString();
    const TextRun* title = runWith(contents, page.title);
    ASSERT_NE(title, nullptr) << contents.allText().toStdString();
    // A recorded picture lays its text out again on replay, with ascents in
    // whole units: the baseline may move by half a unit.
    EXPECT_NEAR(title->origin.x(), 100 * scale, 2);
    EXPECT_NEAR(title->origin.y(), 150 * scale, 0.6 * scale);
    QFont titleFont(QStringLiteral("Liberation Sans"));
    titleFont.setPixelSize(48);
    titleFont.setBold(true);
    int sum = 0;
    for (int advance : title->advances)
        sum += advance;
    EXPECT_NEAR(sum, QFontMetricsF(titleFont).horizontalAdvance(page.title) * scale, 0.03 * sum);
    // The cell drawn moved and doubled.
    const TextRun* cell = runWith(contents, QStringLiteral("Lücke"));
    ASSERT_NE(cell, nullptr);
    EXPECT_NEAR(cell->origin.x(), 140 * scale, 2);
    EXPECT_NEAR(cell->origin.y(), 970 * scale, 1.2 * scale);

    ASSERT_FALSE(contents.fonts.isEmpty());
    const Font& first = contents.fonts.constFirst();
    EXPECT_EQ(first.face, QStringLiteral("Liberation Sans"));
    EXPECT_NEAR(first.height, -48 * scale, 1);
    EXPECT_EQ(first.weight, 700);
    bool cellFont = false;
    for (const Font& font : contents.fonts)
        cellFont = cellFont || std::abs(font.height + 60 * scale) <= 1;
    EXPECT_TRUE(cellFont) << "the doubled cell's font is 60 units high";
    if (format == MetafileFormat::Wmf) {
        EXPECT_EQ(first.charset, 0) << "umlauts need the Windows-1252 character set";
    }

    ASSERT_EQ(contents.pictures.size(), 1);
    const Picture& picture = contents.pictures.constFirst();
    EXPECT_EQ(picture.pixels, page.pictureSize);
    EXPECT_EQ(picture.bitCount, 24);
    EXPECT_NEAR(picture.target.x(), page.pictureRect.x() * scale, 2);
    EXPECT_NEAR(picture.target.y(), page.pictureRect.y() * scale, 2);
    EXPECT_NEAR(picture.target.width(), page.pictureRect.width() * scale, 2);
    EXPECT_NEAR(picture.target.height(), page.pictureRect.height() * scale, 2);

    const bool emf = format == MetafileFormat::Emf;
    EXPECT_GE(contents.recordCounts.value(emf ? EmfRectangle : WmfRectangle), 2);
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfEllipse : WmfEllipse), 1);
    EXPECT_GE(contents.recordCounts.value(emf ? EmfPolygon : WmfPolygon), 1);
    EXPECT_GE(contents.polylines, 2);
    // The clip is set in a saved state, which is restored where it ends.
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfIntersectClip : WmfIntersectClip), 1);
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfSaveDc : WmfSaveDc), 1);
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfRestoreDc : WmfRestoreDc), 1);
}

TEST_P(MetafileFormats, EmptyPictureIsAnEmptyPage) {
    const MetafileFormat format = GetParam();
    QString error;
    const QByteArray bytes =
        quorvel::metafileBytes(QPicture(), QSize(1625, 1000), format, kUnitsPerInch, &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    const Contents contents = read(bytes, format);
    ASSERT_TRUE(contents.sound()) << contents.problem.toStdString();
    EXPECT_TRUE(contents.texts.isEmpty());
    EXPECT_TRUE(contents.pictures.isEmpty());
    const double scale = scaleOf(contents, format, 1625);
    const QRect page = format == MetafileFormat::Emf ? contents.bounds : contents.box;
    EXPECT_NEAR(page.height() / scale, 1000, 1) << "landscape";
    EXPECT_LT(bytes.size(), 400);
}

TEST_P(MetafileFormats, HugeTextAndThousandsOfObjectsStayBounded) {
    const MetafileFormat format = GetParam();
    QString text;
    while (text.size() < 20000)
        text += QStringLiteral("Äpfel über Öl ");
    text.truncate(20000);
    QPicture picture;
    QPainter painter(&picture);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(4);
    painter.setFont(font);
    painter.drawText(QPointF(10, 20), text);
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3000; ++i) {
        painter.setBrush(colors[i % 3]);
        painter.drawRect(QRectF(i % 50 * 20, 40 + i / 50 * 20, 15, 15));
    }
    painter.setPen(Qt::black);
    for (int i = 0; i < 3000; ++i)
        painter.drawLine(QLineF(0, i * 0.5, 1000, i * 0.5 + 10));
    painter.end();

    QString error;
    const QByteArray bytes =
        quorvel::metafileBytes(picture, kPortrait, format, kUnitsPerInch, &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    const Contents contents = read(bytes, format);
    ASSERT_TRUE(contents.sound()) << contents.problem.toStdString();
    EXPECT_EQ(contents.allText(), text);
    EXPECT_LT(bytes.size(), 2'000'000);
    const bool emf = format == MetafileFormat::Emf;
    // The placeable format has one more: the page's invisible frame.
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfRectangle : WmfRectangle), emf ? 3000 : 3001);
    // An unchanged pen is written once, and replaced objects free their handles.
    EXPECT_LE(contents.recordCounts.value(emf ? EmfCreatePen : WmfCreatePen), 3);
    EXPECT_LE(emf ? contents.handles : contents.objects, 5);
}

TEST_P(MetafileFormats, HostileCoordinatesAndSizesAreClamped) {
    const MetafileFormat format = GetParam();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QPicture picture;
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1e9));
    painter.drawLine(QLineF(0, 0, 1e12, -1e12));
    painter.drawLine(QLineF(nan, 5, 10, inf));
    // More parts and points than a placeable record counts.
    QPainterPath parts;
    for (int i = 0; i < 70000; ++i)
        parts.addRect(QRectF(i % 250 * 4, i / 250 * 4, 2, 2));
    painter.setBrush(Qt::gray);
    painter.drawPath(parts);
    QPolygonF zigzag;
    for (int i = 0; i < 20000; ++i)
        zigzag.append(QPointF(i * 0.05, i % 2 * 10));
    painter.drawPolyline(zigzag);
    painter.drawRect(QRectF(-1e15, -1e15, 2e15, 2e15));
    painter.drawEllipse(QRectF(1e10, 0, 1e11, 10));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(50000);
    painter.setFont(font);
    painter.drawText(QPointF(1e9, -1e9), QStringLiteral("fern"));
    QImage large(2500, 2000, QImage::Format_RGB32); // beyond the pixel limit
    large.fill(Qt::yellow);
    painter.drawImage(QRectF(10, 10, 10, 10), large);
    painter.rotate(30);
    painter.drawImage(QRectF(100, 100, 1e8, 1e8), large);
    painter.end();

    QString error;
    const QByteArray bytes =
        quorvel::metafileBytes(picture, kPortrait, format, kUnitsPerInch, &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    const Contents contents = read(bytes, format);
    ASSERT_TRUE(contents.sound()) << contents.problem.toStdString();
    EXPECT_LE(contents.largestCoordinate, format == MetafileFormat::Emf ? (1 << 26) : 32000);
    ASSERT_FALSE(contents.pictures.isEmpty());
    const Picture& small = contents.pictures.constFirst();
    EXPECT_LE(small.pixels.width(), std::max(1, small.target.width()));
    for (const Picture& embedded : contents.pictures)
        EXPECT_LE(qint64(embedded.pixels.width()) * embedded.pixels.height(), 4'000'000);
    EXPECT_LT(bytes.size(), 40'000'000);
}

TEST_P(MetafileFormats, TurnedTextKeepsItsAngle) {
    const MetafileFormat format = GetParam();
    QPicture picture;
    QPainter painter(&picture);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    painter.setFont(font);
    painter.translate(500, 800);
    painter.rotate(-90); // reads upwards
    painter.drawText(QPointF(0, 0), QStringLiteral("senkrecht"));
    painter.end();
    QString error;
    const Contents contents =
        read(quorvel::metafileBytes(picture, kPortrait, format, kUnitsPerInch, &error), format);
    ASSERT_TRUE(contents.sound()) << contents.problem.toStdString();
    ASSERT_EQ(contents.fonts.size(), 1);
    EXPECT_EQ(contents.fonts.constFirst().escapement, 900);
    ASSERT_EQ(contents.texts.size(), 1);
    const double scale = scaleOf(contents, format, kPortrait.width());
    EXPECT_NEAR(contents.texts.constFirst().origin.x(), 500 * scale, 2);
    EXPECT_NEAR(contents.texts.constFirst().origin.y(), 800 * scale, 2);
}

TEST_P(MetafileFormats, DashedLinesAreCutIntoDashes) {
    // Readers draw wide dashed pens solid: the dashes are lines of their own.
    const MetafileFormat format = GetParam();
    QPicture picture;
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 4, Qt::DashLine, Qt::FlatCap)); // 16 units on, 8 off
    painter.drawLine(QLineF(100, 100, 580, 100));
    painter.setPen(QPen(Qt::black, 4, Qt::DotLine));
    painter.setBrush(Qt::yellow);
    painter.drawRect(QRectF(100, 200, 400, 200));
    painter.setPen(QPen(Qt::black, 1e-9, Qt::DashLine));
    painter.drawLine(QLineF(0, 0, 1000, 1000));
    painter.end();
    QString error;
    const Contents contents =
        read(quorvel::metafileBytes(picture, kPortrait, format, kUnitsPerInch, &error), format);
    ASSERT_TRUE(contents.sound()) << contents.problem.toStdString();
    const bool emf = format == MetafileFormat::Emf;
    // 480 units make 20 dashes; the dotted frame of 1200 units 1200 / 12 dots;
    // the hairline's dashes are at least a page unit long.
    EXPECT_GT(contents.polylines, 20 + 100);
    EXPECT_LT(contents.polylines, 20 + 100 + 1000);
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfPolygon : WmfPolygon), 1) << "the fill";
    EXPECT_EQ(contents.recordCounts.value(emf ? EmfRectangle : WmfRectangle), emf ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Formats, MetafileFormats,
                         ::testing::Values(MetafileFormat::Emf, MetafileFormat::Wmf),
                         [](const auto& info) {
                             return info.param == MetafileFormat::Emf ? "Emf" : "Wmf";
                         });

TEST(MetafileBytes, RefusesPagesWithoutAValidSize) {
    struct Case {
        QSize size;
        double unitsPerInch;
    };
    const Case cases[] = {{QSize(0, 1625), 120},
                          {QSize(1000, -5), 120},
                          {QSize(1000, 1625), std::numeric_limits<double>::quiet_NaN()},
                          {QSize(1000, 1625), 0},
                          {QSize(1000000, 1625), 120}};
    for (const Case& c : cases) {
        for (MetafileFormat format : {MetafileFormat::Emf, MetafileFormat::Wmf}) {
            QString error;
            EXPECT_TRUE(quorvel::metafileBytes(QPicture(), c.size, format, c.unitsPerInch, &error)
                            .isEmpty());
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(MetafileBytes, AFileBeyondItsSizeLimitIsNotWritten) {
    // The writers stop growing at their limit and give no file rather than a
    // cut one.
    for (bool emf : {true, false}) {
        std::unique_ptr<quorvel::MetafileSink> sink;
        if (emf)
            sink = std::make_unique<quorvel::EmfWriter>(QSize(1000, 1000), QSizeF(100, 100), 4096);
        else
            sink = std::make_unique<quorvel::WmfWriter>(QSize(1000, 1000), 1000, 4096);
        sink->useFont(
            quorvel::MetafileFont{.family = QStringLiteral("Liberation Sans"), .height = -20});
        for (int i = 0; i < 100 && !sink->overflowed(); ++i)
            sink->text(QPoint(10, 10 + i), QStringLiteral("Zeile mit Text"), QList<int>(14, 8));
        EXPECT_TRUE(sink->overflowed());
        EXPECT_TRUE(sink->finish().isEmpty());
    }
}
