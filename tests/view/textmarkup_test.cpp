// SPDX-License-Identifier: GPL-3.0-or-later
#include "layoutset.h"
#include "rounding.h"
#include "textmarkup.h"

#include <QFontInfo>
#include <QPainter>
#include <gtest/gtest.h>
#include <limits>

using namespace quorvel;

namespace {

constexpr int kLeft = 10;
constexpr int kRight = 600;

TextMarkupParams baseParams() {
    TextMarkupParams p;
    p.rightEdge = kRight;
    p.leftX = kLeft;
    p.charHeight = 22;
    p.fontFamily = QStringLiteral("Arial");
    p.pageHeight = 800;
    return p;
}

std::vector<MarkupRun> runsOf(const QString& line, TextMarkupParams p = baseParams()) {
    std::vector<MarkupRun> runs;
    p.runs = &runs;
    p.measureOnly = true;
    renderLine(p, line);
    return runs;
}

// The text put out, in order, with the runs separated by "|".
QString shownText(const std::vector<MarkupRun>& runs) {
    QStringList parts;
    for (const MarkupRun& run : runs) {
        if (run.kind == MarkupRun::Kind::Text)
            parts << run.text;
    }
    return parts.join(u'|');
}

QFontMetrics metricsOf(const TextMarkupParams& p) {
    return QFontMetrics(markupFont(p));
}

int advance(const QString& text, const TextMarkupParams& p = baseParams()) {
    return metricsOf(p).horizontalAdvance(text);
}

// A white picture with the line rendered onto it.
QImage rendered(const QString& line, TextMarkupParams p = baseParams(), int height = 120) {
    QImage image(p.rightEdge + 20, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QFont before = painter.font();
    p.canvas = &painter;
    renderLine(p, line);
    EXPECT_EQ(painter.font(), before) << "the painter's state is restored";
    return image;
}

bool isInk(QRgb c) {
    return qRed(c) < 200 || qGreen(c) < 200 || qBlue(c) < 200;
}

// Rightmost column with ink in the rows [top, bottom), or -1.
int rightmostInk(const QImage& image, int top, int bottom) {
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = top; y < bottom; ++y) {
            if (isInk(image.pixel(x, y)))
                return x;
        }
    }
    return -1;
}

} // namespace

TEST(TextMarkupMetrics, LineHeightAndParagraphSpacingFollowTheHeightOfZero) {
    TextMarkupParams p = baseParams();
    const QFont font = markupFont(p);
    EXPECT_EQ(QFontInfo(font).pixelSize(), 22);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));

    const int h = QFontMetrics(font).height();
    struct Case {
        int mode;
        int lineHeight;
    } cases[] = {
        {kMarkupPlain, rnd(1.25 * h)},
        {-1, rnd(1.25 * h)},
        {kMarkupWorksheet, rnd(rnd(1.25 * h) * 1.1)},
        {kMarkupSolutionOverlay, rnd(rnd(1.25 * h) * 1.1)},
        {kMarkupSolutionSheet, rnd(rnd(1.25 * h) * 1.1)},
        {kMarkupClozeView, rnd(rnd(1.25 * h) * 1.1)},
    };
    for (const Case& c : cases) {
        p.clozeMode = c.mode;
        const MarkupMetrics m = markupMetrics(p);
        EXPECT_EQ(m.h, h);
        EXPECT_EQ(m.lineHeight, c.lineHeight) << "mode " << c.mode;
        EXPECT_EQ(m.paragraphSpacing, rnd(1.25 * h * 0.02 / 0.055));
    }
    // 22 pixels of Liberation Sans: h 25, L 31, A 11.
    p.clozeMode = kMarkupPlain;
    EXPECT_EQ(markupMetrics(p).lineHeight, 31);
    EXPECT_EQ(markupMetrics(p).paragraphSpacing, 11);
    // Without a character height the point size counts at 96 dots per inch.
    p.charHeight = 0;
    p.pointSize = 14;
    EXPECT_EQ(QFontInfo(markupFont(p)).pixelSize(), 19);
}

TEST(TextMarkupParse, TagsAreRemovedAndMalformedTagsStayText) {
    struct Case {
        const char16_t* line;
        int mode;
        const char16_t* shown;
    } cases[] = {
        {u"Text <b>fett</B> weiter", kMarkupPlain, u"Text |fett| weiter "},
        {u"<I>k</i><u>u</U>", kMarkupPlain, u"k|u| "},
        {u"<@COL=FF0000>rot</@COL>", kMarkupPlain, u"rot| "},
        {u"<@col=00ff0a>grün</@col>", kMarkupPlain, u"grün| "},
        {u"<@COL=GG0000>", kMarkupPlain, u"<@COL=GG0000> "},
        {u"<@COL=FF000>x", kMarkupPlain, u"<@COL=FF000>x "},
        {u"<@COL=FF00000>x", kMarkupPlain, u"<@COL=FF00000>x "},
        {u"<B", kMarkupPlain, u"<B "},
        {u"<b >x", kMarkupPlain, u"<b >x "},
        {u"<@POSX=5%>x", kMarkupPlain, u"<@POSX=5%>x "},
        {u"<@POSX=050%>x", kMarkupPlain, u"<@POSX=050%>x "},
        {u"<@POSX=5a%>x", kMarkupPlain, u"<@POSX=5a%>x "},
        {u"<@REB=3>x", kMarkupPlain, u"<@REB=3>x "},
        {u"<@LINIE", kMarkupPlain, u"<@LINIE "},
        {u"<<a>>", kMarkupPlain, u"<<a>> "},
        {u"<<a>>", kMarkupWorksheet, u" "},
        {u"a >> b", kMarkupClozeView, u"a >> b "},
        {u"<<offen", kMarkupClozeView, u"<<offen "},
    };
    for (const Case& c : cases) {
        TextMarkupParams p = baseParams();
        p.clozeMode = c.mode;
        EXPECT_EQ(shownText(runsOf(QString::fromUtf16(c.line), p)), QString::fromUtf16(c.shown))
            << QString::fromUtf16(c.line).toStdString();
    }
}

TEST(TextMarkupParse, StyleTagsSwitchStyleUntilClosedOrTheEndOfTheCall) {
    const auto runs = runsOf(QStringLiteral("a<B>b<i>c</b>d<U>e</I></u>f"));
    ASSERT_EQ(runs.size(), 6u);
    struct Expected {
        const char16_t* text;
        bool bold, italic, underline;
    } expected[] = {
        {u"a", false, false, false}, {u"b", true, false, false}, {u"c", true, true, false},
        {u"d", false, true, false},  {u"e", false, true, true},  {u"f ", false, false, false},
    };
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].text, QString::fromUtf16(expected[i].text));
        EXPECT_EQ(runs[i].bold, expected[i].bold) << i;
        EXPECT_EQ(runs[i].italic, expected[i].italic) << i;
        EXPECT_EQ(runs[i].underline, expected[i].underline) << i;
    }

    // Every call starts without style.
    std::vector<MarkupRun> all;
    TextMarkupParams p = baseParams();
    p.runs = &all;
    renderText(p, QStringLiteral("<b>eins\nzwei"));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(all[0].bold);
    EXPECT_FALSE(all[1].bold);
    EXPECT_GT(all[0].width, advance(QStringLiteral("eins ")));
}

TEST(TextMarkupLayout, PositionTagAndRightAlignedField) {
    TextMarkupParams p = baseParams();
    p.rightEdge = 450;
    auto runs = runsOf(QStringLiteral("ab<@POSX=50%>x"), p);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].text, QStringLiteral("x "));
    EXPECT_EQ(runs[1].x, 225); // of the right edge, not of the space after the left edge
    p.rightEdge = 401;
    EXPECT_EQ(runsOf(QStringLiteral("<@POSX=33%>x"), p)[0].x, 132);

    const int zero = advance(QStringLiteral("0"));
    runs = runsOf(QStringLiteral("<@REB=03>712"));
    ASSERT_GE(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, QStringLiteral("712"));
    EXPECT_EQ(runs[0].x + runs[0].width, kLeft + 3 * zero);

    // A short field entry ends at the field's right edge; the blank the
    // scan appends is not part of the field.
    runs = runsOf(QStringLiteral("<@REB=05>7"));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, QStringLiteral("7"));
    EXPECT_EQ(runs[0].x, kLeft + 5 * zero - advance(QStringLiteral("7")));
    EXPECT_EQ(runs[1].x, kLeft + 5 * zero);
}

TEST(TextMarkupLayout, BreaksAtBlanksAndCutsAnOverwideWordAfterTheOverflowingCharacter) {
    TextMarkupParams p = baseParams();
    const MarkupMetrics m = markupMetrics(p);
    const int first = p.topY + m.paragraphSpacing;

    // "aaa bbb " fits exactly: the line breaks at the last blank, and the
    // blanks after the break are skipped.
    p.rightEdge = kLeft + advance(QStringLiteral("aaa bbb ")) + 10;
    auto runs = runsOf(QStringLiteral("aaa bbb   ccc"), p);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, QStringLiteral("aaa bbb "));
    EXPECT_EQ(runs[0].y, first);
    EXPECT_EQ(runs[1].text, QStringLiteral("ccc "));
    EXPECT_EQ(runs[1].x, kLeft);
    EXPECT_EQ(runs[1].y, first + m.lineHeight);

    // A word wider than the line, after a break: cut after the character that
    // made it too wide, the rest on the next line.
    p.rightEdge = kLeft + advance(QStringLiteral("WWWW")) + 10;
    runs = runsOf(QStringLiteral("ab WWWWWWWWW"), p);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, QStringLiteral("ab "));
    EXPECT_EQ(runs[1].text, QStringLiteral("WWWWW"));
    EXPECT_EQ(runs[1].x, kLeft);
    EXPECT_EQ(runs[1].y, first + m.lineHeight);
    EXPECT_EQ(runs[2].text, QStringLiteral("WWWW "));
    EXPECT_EQ(runs[2].x, kLeft);
    EXPECT_EQ(runs[2].y, first + 2 * m.lineHeight);

    // The right limit narrows the line as well.
    p.rightEdge = kLeft + advance(QStringLiteral("aaa bbb ")) + 10 + 40;
    p.rightLimit = 40;
    EXPECT_EQ(runsOf(QStringLiteral("aaa bbb ccc"), p)[0].text, QStringLiteral("aaa bbb "));
}

TEST(TextMarkupLayout, OverwideWordCutIsVisibleInThePicture) {
    TextMarkupParams p = baseParams();
    const MarkupMetrics m = markupMetrics(p);
    p.rightEdge = kLeft + advance(QStringLiteral("WWWW")) + 10;
    const QImage image = rendered(QStringLiteral("WWWWWWW"), p);
    const int top = m.paragraphSpacing;
    const int firstEnd = rightmostInk(image, top, top + m.lineHeight);
    // The fifth W stands on the first line, past the line's limit.
    EXPECT_GT(firstEnd, p.rightEdge - 10);
    EXPECT_LE(firstEnd, kLeft + advance(QStringLiteral("WWWWW")));
    const int secondEnd = rightmostInk(image, top + m.lineHeight, top + 2 * m.lineHeight);
    EXPECT_GT(secondEnd, kLeft);
    EXPECT_LE(secondEnd, kLeft + advance(QStringLiteral("WW")));
}

TEST(TextMarkupLayout, EverySourceLineAdvancesParagraphSpacingPlusItsLines) {
    TextMarkupParams p = baseParams();
    p.topY = 7;
    const MarkupMetrics m = markupMetrics(p);
    const int step = m.paragraphSpacing + m.lineHeight;
    EXPECT_EQ(renderLine(p, QString()), 7 + step);
    EXPECT_EQ(renderText(p, QStringLiteral("eins\r\n\r\nzwei")), 7 + 3 * step);
    EXPECT_EQ(renderText(p, QStringLiteral("eins\rzwei\n")), 7 + 2 * step);
    EXPECT_EQ(renderText(p, QString()), 7);

    std::vector<MarkupRun> runs;
    p.runs = &runs;
    renderText(p, QStringLiteral("eins\n\nzwei"));
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().text, QStringLiteral("zwei "));
    EXPECT_EQ(runs.back().y, 7 + 2 * step + m.paragraphSpacing);
}

TEST(TextMarkupLayout, SplitsLinesAtEveryKindOfLineBreak) {
    struct Case {
        const char16_t* text;
        QStringList lines;
    } cases[] = {
        {u"", {}},
        {u"a", {QStringLiteral("a")}},
        {u"a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},
        {u"a\rb\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {u"a\n\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {u"a\n\r\n", {QStringLiteral("a"), QString()}},
        {u"\n", {QString()}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitMarkupLines(QString::fromUtf16(c.text)), c.lines);
}

TEST(TextMarkupLayout, RuleRunsToTheRightEdgeAndEndsTheLine) {
    TextMarkupParams p = baseParams();
    p.colour = 0x0000FF;
    const MarkupMetrics m = markupMetrics(p);
    const int x0 = kLeft + advance(QStringLiteral("ab"));
    const auto runs = runsOf(QStringLiteral("ab<@LINIE>"), p);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].kind, MarkupRun::Kind::Rule);
    EXPECT_EQ(runs[1].x, x0);
    EXPECT_EQ(runs[1].width, kRight - x0);
    EXPECT_EQ(runs[2].text, QStringLiteral(" ")); // x stands at the right edge: no room left

    const QImage image = rendered(QStringLiteral("ab<@LINIE>"), p);
    const int row = m.paragraphSpacing + m.lineHeight - 1;
    EXPECT_EQ(image.pixel(x0, row), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(kRight - 1, row), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(kRight, row), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(x0 - 1, row), qRgb(255, 255, 255));
}

TEST(TextMarkupDrawing, TextTakesTheCallsColourWhateverTheColourTag) {
    struct Case {
        ColourValue colour;
        const char16_t* line;
        int dominant; // 0 red, 1 green, 2 blue
    } cases[] = {
        {0x00FF00, u"<@COL=FF0000>rot</@COL>", 1},
        {0x0000FF, u"rot", 0},
        {0xFF0000, u"<@COL=0000FF>blau", 2},
    };
    for (const Case& c : cases) {
        TextMarkupParams p = baseParams();
        p.colour = c.colour;
        const QImage image = rendered(QString::fromUtf16(c.line), p);
        int sums[3] = {0, 0, 0};
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                sums[0] += 255 - qRed(px);
                sums[1] += 255 - qGreen(px);
                sums[2] += 255 - qBlue(px);
            }
        }
        // Ink of colour c leaves channel c untouched on white.
        for (int channel = 0; channel < 3; ++channel) {
            if (channel == c.dominant) {
                EXPECT_EQ(sums[channel], 0) << QString::fromUtf16(c.line).toStdString();
            } else {
                EXPECT_GT(sums[channel], 0) << QString::fromUtf16(c.line).toStdString();
            }
        }
    }
}

TEST(TextMarkupDrawing, BoldTextIsWiderInThePicture) {
    TextMarkupParams p = baseParams();
    const int plainEnd = rightmostInk(rendered(QStringLiteral("Wortlaut"), p), 0, 120);
    const int boldEnd = rightmostInk(rendered(QStringLiteral("<b>Wortlaut</B>"), p), 0, 120);
    EXPECT_GT(plainEnd, kLeft);
    EXPECT_GT(boldEnd, plainEnd);
}

TEST(TextMarkupDrawing, WhetherTextIsDrawnDependsOnModeLayerAndExercise) {
    struct Case {
        int mode;
        bool layer, exercise, measure;
        bool drawn;
    } cases[] = {
        {kMarkupPlain, false, false, false, true},
        {kMarkupWorksheet, false, false, false, true},
        {kMarkupSolutionSheet, false, false, false, true},
        {kMarkupSolutionOverlay, true, false, false, false},
        {kMarkupSolutionOverlay, true, true, false, true},
        {kMarkupClozeView, true, false, false, true},
        {kMarkupClozeView, false, false, false, false},
        {kMarkupClozeView, false, true, false, true},
        {-1, true, false, false, false},
        {-1, true, true, false, true},
        {kMarkupPlain, true, true, true, false},
    };
    for (const Case& c : cases) {
        TextMarkupParams p = baseParams();
        p.clozeMode = c.mode;
        p.textLayerVisible = c.layer;
        p.exerciseRunning = c.exercise;
        p.measureOnly = c.measure;
        std::vector<MarkupRun> runs;
        p.runs = &runs;
        const QImage image = rendered(QStringLiteral("Hallo"), p);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].drawn, c.drawn) << "mode " << c.mode;
        EXPECT_EQ(rightmostInk(image, 0, image.height()) >= 0, c.drawn) << "mode " << c.mode;
    }
}

TEST(TextMarkupGaps, ViewGapGoesToTheGapStepWithItsPlace) {
    TextMarkupParams p = baseParams();
    p.clozeMode = kMarkupClozeView;
    p.build = true;
    p.minGap = 4;
    std::vector<ClozeGapRequest> requests;
    p.gapStep = [&requests](const ClozeGapRequest& r) {
        requests.push_back(r);
        return 50;
    };
    const MarkupMetrics m = markupMetrics(p);
    const auto runs =
        runsOf(QStringLiteral("Die Sonne geht im <<Osten|osten>>. Ende ge<<hen>>"), p);
    ASSERT_EQ(requests.size(), 2u);
    const int gapX = kLeft + advance(QStringLiteral("Die Sonne geht im "));
    EXPECT_EQ(requests[0].content, QStringLiteral("Osten|osten"));
    EXPECT_EQ(requests[0].x, gapX);
    EXPECT_EQ(requests[0].y, m.paragraphSpacing);
    EXPECT_TRUE(requests[0].build);
    EXPECT_TRUE(requests[0].measureOnly);
    EXPECT_EQ(requests[0].pageWidth, kRight);
    EXPECT_EQ(requests[0].pageHeight, 800);
    EXPECT_EQ(requests[0].minGap, 4);
    EXPECT_EQ(requests[0].font.pixelSize(), 22);

    EXPECT_EQ(shownText(runs), QStringLiteral("Die Sonne geht im |.| Ende |ge| "));
    // The full stop stays with the gap, right after its width.
    EXPECT_EQ(runs[2].text, QStringLiteral("."));
    EXPECT_EQ(runs[2].x, gapX + 50);
    // The word part before "<<" stays in front of the gap.
    EXPECT_EQ(requests[1].content, QStringLiteral("hen"));
    EXPECT_EQ(requests[1].x, runs[4].x + advance(QStringLiteral("ge")));
}

TEST(TextMarkupGaps, LayoutsGapStepAndTheStandardWidthWithout) {
    TextMarkupParams p = baseParams();
    p.clozeMode = kMarkupClozeView;
    const int x0 = kLeft + advance(QStringLiteral("a "));

    // Without a step the gap takes the standard width.
    auto runs = runsOf(QStringLiteral("a <<ja>> b"), p);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].kind, MarkupRun::Kind::Gap);
    EXPECT_EQ(runs[1].width, advance(QStringLiteral(" XXX")));
    EXPECT_EQ(runs[2].x, x0 + advance(QStringLiteral(" XXX")));

    // The layouts' gap step, handed to the call, decides the width.
    int calls = 0;
    LayoutSet layouts;
    layouts.setClozeGapStep([&calls](const ClozeGapRequest&) {
        ++calls;
        return 30;
    });
    p.gapStep = layouts.clozeGapStep();
    runs = runsOf(QStringLiteral("a <<ja>> b"), p);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(runs[2].x, x0 + 30);

    // Another step for the call replaces it.
    p.gapStep = [](const ClozeGapRequest&) { return 70; };
    runs = runsOf(QStringLiteral("a <<ja>> b"), p);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(runs[2].x, x0 + 70);
}

TEST(TextMarkupGaps, GapThatDoesNotFitMovesToTheNextLineWithItsWordPart) {
    TextMarkupParams p = baseParams();
    p.clozeMode = kMarkupClozeView;
    p.gapStep = [](const ClozeGapRequest&) { return 40; };
    const MarkupMetrics m = markupMetrics(p);
    // "aaaa ge" fits, the gap behind it does not.
    p.rightEdge = kLeft + advance(QStringLiteral("aaaa ")) + advance(QStringLiteral(" XXX")) - 1;
    p.rightLimit = 0;
    const auto runs = runsOf(QStringLiteral("aaaa ge<<hen>>"), p);
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, QStringLiteral("aaaa "));
    EXPECT_EQ(runs[1].text, QStringLiteral("ge"));
    EXPECT_EQ(runs[1].x, kLeft);
    EXPECT_EQ(runs[1].y, m.paragraphSpacing + m.lineHeight);
    EXPECT_EQ(runs[2].kind, MarkupRun::Kind::Gap);
    EXPECT_EQ(runs[2].x, kLeft + advance(QStringLiteral("ge")));
}

TEST(TextMarkupGaps, WorksheetGapWidthScalesWithTheBoxSizeIndex) {
    struct Scale {
        int g, k, expected;
    } scales[] = {
        {40, 0, 20}, {40, 5, 40}, {40, 15, 80}, {40, 6, 44},
        {45, 6, 49}, {55, 6, 61}, {25, 4, 23}, // halves go to the even neighbour
    };
    for (const Scale& s : scales)
        EXPECT_EQ(worksheetGapWidth(s.g, s.k), s.expected) << s.g << " " << s.k;

    struct Case {
        const char16_t* line;
        int minGap;
        int k;
        const char16_t* sizing; // the text whose width is the unscaled gap
    } cases[] = {
        {u"<<ja>>", 3, 5, u" XXX"},
        {u"<<ja>>", 1, 5, u" XX"},
        {u"<<ja>>", 10, 5, u" XXXXXXXXXX"},
        {u"<<Donnerstag|Do>>", 3, 5, u" Donnerstag"},
        {u"<<ja>>", 3, 0, u" XXX"},
        {u"<<ja>>", 3, 15, u" XXX"},
        {u"<<Donnerstag>>", 3, 11, u" Donnerstag"},
    };
    for (const Case& c : cases) {
        TextMarkupParams p = baseParams();
        p.clozeMode = kMarkupWorksheet;
        p.minGap = c.minGap;
        p.boxSizeIndex = c.k;
        const auto runs = runsOf(QString::fromUtf16(c.line), p);
        ASSERT_EQ(runs.size(), 2u);
        const int g = advance(QString::fromUtf16(c.sizing));
        EXPECT_EQ(runs[0].width, g + rnd(g * (c.k - 5) * 0.1))
            << QString::fromUtf16(c.line).toStdString() << " k " << c.k;
        EXPECT_EQ(runs[1].x, kLeft + runs[0].width);
    }
}

TEST(TextMarkupGaps, WorksheetModesDrawGapLineAndRedSolution) {
    struct Case {
        int mode;
        bool line, solution, text;
    } cases[] = {
        {kMarkupWorksheet, true, false, true},
        {kMarkupSolutionOverlay, false, true, false},
        {kMarkupSolutionSheet, true, true, true},
    };
    for (const Case& c : cases) {
        TextMarkupParams p = baseParams();
        p.clozeMode = c.mode;
        p.boxSizeIndex = 15;
        const MarkupMetrics m = markupMetrics(p);
        const int gapX = kLeft + advance(QStringLiteral("ab "));
        const int g = worksheetGapWidth(advance(QStringLiteral(" Donnerstag")), 15);
        const QImage image = rendered(QStringLiteral("ab <<Donnerstag>>"), p);

        const int row = m.paragraphSpacing + m.lineHeight - 1;
        int black = 0;
        int first = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, row) == qRgb(0, 0, 0)) {
                ++black;
                first = first < 0 ? x : first;
            }
        }
        EXPECT_EQ(black, c.line ? g : 0) << "mode " << c.mode;
        if (c.line) {
            EXPECT_EQ(first, gapX);
        }

        int red = 0;
        int textInk = 0;
        for (int y = 0; y < row; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                if (qRed(px) > 200 && qGreen(px) < 120 && qBlue(px) < 120)
                    ++red;
                if (x < gapX && isInk(px))
                    ++textInk;
            }
        }
        EXPECT_EQ(red > 0, c.solution) << "mode " << c.mode;
        EXPECT_EQ(textInk > 0, c.text) << "mode " << c.mode;
    }

    // Measuring draws nothing, gap included.
    TextMarkupParams p = baseParams();
    p.clozeMode = kMarkupSolutionSheet;
    p.measureOnly = true;
    const QImage image = rendered(QStringLiteral("ab <<Tag>>"), p);
    EXPECT_EQ(rightmostInk(image, 0, image.height()), -1);
}

TEST(TextMarkupPicture, RendersPlainLinesAndCropsToTheHeightUsed) {
    const QColor background(200, 220, 240);
    const QImage picture =
        renderTextToPicture({QStringLiteral("eins <<a>>"), QStringLiteral("zwei")}, 200, 14,
                            background, QStringLiteral("Arial"));
    TextMarkupParams p;
    p.pointSize = 14;
    const MarkupMetrics m = markupMetrics(p);
    ASSERT_EQ(picture.width(), 200);
    EXPECT_EQ(picture.height(), 2 * (m.paragraphSpacing + m.lineHeight));
    EXPECT_EQ(picture.pixelColor(199, picture.height() - 1), background);
    EXPECT_EQ(picture.pixelColor(0, 0), background);
    // Black text in the first line.
    bool ink = false;
    for (int x = 0; x < 200 && !ink; ++x)
        ink = qGray(picture.pixel(x, m.paragraphSpacing + m.h / 2)) < 50;
    EXPECT_TRUE(ink);

    const QStringList many(400, QStringLiteral("Zeile"));
    EXPECT_EQ(renderTextToPicture(many, 100, 14, background, QStringLiteral("Arial")).height(),
              3000);
    EXPECT_TRUE(renderTextToPicture(many, 0, 14, background, QStringLiteral("Arial")).isNull());
}

TEST(TextMarkupGaps, HugeMinimumGapFromADocumentIsBounded) {
    TextMarkupParams p = baseParams();
    p.clozeMode = kMarkupWorksheet;
    p.minGap = 2000000000;
    const auto runs = runsOf(QStringLiteral("<<a>>"), p);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].width, advance(u' ' + QString(1000, u'X')));
}

TEST(TextMarkupGaps, MeasuringStopsBelowItsLimitAndUnclosedGapsStayText) {
    TextMarkupParams p = baseParams();
    p.clozeMode = kMarkupClozeView;
    p.measureOnly = true;
    const MarkupMetrics m = markupMetrics(p);
    const QString text = QStringLiteral("Wort <<ja>> ").repeated(400);
    const int full = renderLine(p, text);
    ASSERT_GT(full, 10 * m.lineHeight);

    // The limit ends the measuring at the first screen line below it.
    p.measureLimit = 3 * m.lineHeight;
    const int stopped = renderLine(p, text);
    EXPECT_GT(stopped, p.measureLimit);
    EXPECT_LE(stopped, p.measureLimit + m.lineHeight);
    // Drawing ignores it.
    p.measureOnly = false;
    EXPECT_EQ(renderLine(p, text), full);

    // A line full of "<<" without a ">>" is ordinary text, however long.
    p.measureOnly = true;
    p.measureLimit = std::numeric_limits<int>::max();
    std::vector<MarkupRun> runs;
    p.runs = &runs;
    renderLine(p, QString(20000, u'<'));
    qsizetype shown = 0;
    for (const MarkupRun& run : runs) {
        EXPECT_EQ(run.kind, MarkupRun::Kind::Text);
        shown += run.text.count(u'<');
    }
    EXPECT_EQ(shown, 20000);
}
