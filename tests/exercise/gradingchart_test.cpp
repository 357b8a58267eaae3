// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradingchart.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

const QColor kBackground(240, 240, 240);

GradingTable tableOf(GradingScale scale) {
    GradingTable table;
    table.BewertSkala = scale;
    return table;
}

QImage chart(const GradingTable& table, double leistung, QSize size = {200, 324}) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintGradingChart(painter, size, table, leistung, kBackground);
    return image;
}

struct BandCase {
    const char* name;
    GradingScale scale;
    size_t count;
    GradingBand first;
    GradingBand last;
};

class GradingChartBands : public ::testing::TestWithParam<BandCase> {};

TEST_P(GradingChartBands, RunFromTheTopWithTheirColoursAndNumbers) {
    const BandCase& c = GetParam();
    const std::vector<GradingBand> bands = gradingBands(tableOf(c.scale));
    ASSERT_EQ(bands.size(), c.count);
    EXPECT_EQ(bands.front(), c.first);
    EXPECT_EQ(bands.back(), c.last);
    for (size_t i = 1; i < bands.size(); ++i)
        EXPECT_EQ(bands[i].upper, bands[i - 1].lower) << "band " << i << " joins the one above";
}

INSTANTIATE_TEST_SUITE_P(
    Scales, GradingChartBands,
    ::testing::Values(
        BandCase{"SixGrades", GradingScale::SixGrades, 6, {1.0, 0.85, 1, 1}, {0.25, 0.0, 6, 6}},
        // The fifth grade reaches the bottom; the reversed scale counts down.
        BandCase{"FiveBestIs5",
                 GradingScale::FiveGradesBestIs5,
                 5,
                 {1.0, 0.85, 1, 5},
                 {0.40, 0.0, 5, 1}},
        BandCase{"FiveGrades", GradingScale::FiveGrades, 5, {1.0, 0.85, 1, 1}, {0.40, 0.0, 5, 5}},
        BandCase{"FifteenPoints",
                 GradingScale::FifteenPoints,
                 16,
                 {1.0, 0.95, 1, 15},
                 {0.25, 0.0, 6, 0}},
        BandCase{
            "TwelvePoints", GradingScale::TwelvePoints, 13, {1.0, 0.80, 2, 12}, {0.25, 0.0, 6, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GradingChart, ThresholdsOutOfOrderShowTheGradeThatGradingGives) {
    GradingTable table;
    table.NoteMinQuote = {1.0, 0.5, 0.7, 0.7, 1.5, -1.0, 0.0};
    const std::vector<GradingBand> bands = gradingBands(table);
    for (const GradingBand& band : bands) {
        EXPECT_GT(band.upper, band.lower);
        EXPECT_GE(band.lower, 0.0);
        EXPECT_LE(band.upper, 1.0);
    }
    // Grade 1 from 50 %; below it the first threshold reached is grade 5's.
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], (GradingBand{1.0, 0.5, 1, 1}));
    EXPECT_EQ(bands[1], (GradingBand{0.5, 0.0, 5, 5}));
    EXPECT_EQ(grade(0.6, table), 1);
    EXPECT_EQ(grade(0.4, table), 5);
}

// Each band's colour starts at the pixel row of its upper threshold and the
// band above ends right over it, for scales 0, 3 and 2.
TEST(GradingChart, BandsChangeColourAtTheThresholdRows) {
    for (const GradingScale scale :
         {GradingScale::SixGrades, GradingScale::FiveGradesBestIs5, GradingScale::FifteenPoints}) {
        SCOPED_TRACE(int(scale));
        const GradingTable table = tableOf(scale);
        const QImage image = chart(table, 0.5);
        const GradingChartGeometry g(image.size());
        EXPECT_EQ(g.y(1.0), 12);
        EXPECT_EQ(g.y(0.0), image.height() - 12);
        const int x = g.barLeft + 1; // clear of the numbers in the middle
        const std::vector<GradingBand> bands = gradingBands(table);
        for (size_t i = 0; i < bands.size(); ++i) {
            const int top = g.y(bands[i].upper);
            EXPECT_EQ(image.pixelColor(x, top), gradeColour(bands[i].colour)) << "band " << i;
            EXPECT_EQ(image.pixelColor(x, top - 1),
                      i == 0 ? kBackground : gradeColour(bands[i - 1].colour))
                << "above band " << i;
        }
        EXPECT_EQ(image.pixelColor(x, g.y(0.0) - 1), gradeColour(bands.back().colour));
        EXPECT_EQ(image.pixelColor(x, g.y(0.0)), kBackground);
        // The tick left of the bar at the second band's upper edge.
        EXPECT_EQ(image.pixelColor(g.barLeft - 2, g.y(bands[1].upper)), QColor(Qt::black));
    }
}

TEST(GradingChart, AchievedLineRightOfTheBarAtItsHeight) {
    for (const double leistung : {0.0, 0.625, 1.0, 7.0}) {
        SCOPED_TRACE(leistung);
        const QImage image = chart(GradingTable{}, leistung);
        const GradingChartGeometry g(image.size());
        const int y = g.y(leistung);
        EXPECT_EQ(image.pixelColor(g.barRight + 5, y), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(g.barRight + 5, y - 2), kBackground);
        EXPECT_EQ(image.pixelColor(g.barRight + 5, y + 2), kBackground);
    }
}

TEST(GradingChart, GradeColoursAreTheSixOfTheScale) {
    EXPECT_EQ(gradeColour(1), QColor(0, 255, 0));
    EXPECT_EQ(gradeColour(2), QColor(191, 255, 0));
    EXPECT_EQ(gradeColour(4), QColor(255, 224, 0));
    EXPECT_EQ(gradeColour(6), QColor(255, 0, 0));
}

} // namespace
} // namespace quorvel
