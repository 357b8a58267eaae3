// SPDX-License-Identifier: GPL-3.0-or-later
#include "clusterlayout.h"
#include "crossmatchinglayout.h"
#include "crosswordlayout.h"
#include "document.h"
#include "randomgenerator.h"
#include "rounding.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace quorvel;

namespace {

Document tableDocument(DokTyp dokTyp, int rows, int columns) {
    Document d;
    d.header.DokTyp = codeOf(dokTyp);
    d.header.EinrueckRand = {};
    d.header.LueckenTabelleZeilen = rows;
    d.header.LueckenTabelleSpalten = columns;
    return d;
}

void setCell(Document& d, int r, int c, int art, const QString& text, const QString& key = {}) {
    auto& cell = d.header.LueckenTabelle[size_t(r)][size_t(c)];
    cell.Art = art;
    cell.Text = text;
    cell.BildKenn = key;
}

std::vector<const ObjDataTyp*> objectsOf(const Document& d, Typ typ) {
    std::vector<const ObjDataTyp*> found;
    for (const ObjDataTyp& o : d.objects)
        if (typOf(o) == typ)
            found.push_back(&o);
    return found;
}

} // namespace

TEST(ClusterLayout, GeometryWithoutMarginsAndNumbering) {
    const QSize page(1000, 800);
    Document d = tableDocument(DokTyp::Cluster, 4, 2);
    for (int r = 0; r < 4; ++r) {
        setCell(d, r, 0, 0, QStringLiteral("Kopf"));
        setCell(d, r, 1, 1, QStringLiteral("Karte %1").arg(r));
    }
    setCell(d, 2, 0, 0, QStringLiteral("   ")); // blank: no object
    RandomGenerator random(1);
    layOutCluster(d, page, true, random);

    const int head = rnd(800 * 0.05);
    const int rh = rnd((800.0 - head) / 4);
    ASSERT_EQ(d.objects.size(), 7u);
    const auto queries = objectsOf(d, Typ::ClusterQueryText);
    ASSERT_EQ(queries.size(), 4u);
    for (int r = 0; r < 4; ++r) {
        const ObjDataTyp& o = *queries[size_t(r)];
        EXPECT_DOUBLE_EQ(o.Kx, 0.75);
        EXPECT_DOUBLE_EQ(o.Ky, (head + (r + 0.5) * rh) / 800.0);
        EXPECT_EQ(o.FrageNummer, r + 1);
        EXPECT_EQ(o.CellRow, r);
        EXPECT_EQ(o.CellColumn, 1);
        EXPECT_EQ(o.KAusr, 5);
        EXPECT_DOUBLE_EQ(o.WidthLimit, 0.95 * 500 / 1000);
        EXPECT_EQ(d.header.LueckenTabelle[size_t(r)][1].ObjIndex, int(&o - d.objects.data()));
    }
    // The static column contributes no numbered objects.
    for (const ObjDataTyp* o : objectsOf(d, Typ::ClusterText)) {
        EXPECT_DOUBLE_EQ(o->Kx, 0.25);
        EXPECT_EQ(o->FrageNummer, -1);
    }
}

TEST(ClusterLayout, ScaledSizesAndHelpRadius) {
    EXPECT_DOUBLE_EQ(clusterFactor(5), 0.7);
    EXPECT_EQ(clusterScaledSize(0, clusterFactor(5)), -3);
    EXPECT_EQ(clusterScaledSize(20, clusterFactor(5)), 11);
    EXPECT_EQ(clusterScaledSize(20, clusterFactor(2)), 20);
    EXPECT_EQ(clusterHelpRadius(870, 12), rnd(18 * 0.76));
    EXPECT_EQ(clusterHelpRadius(870, 0), 18);
}

TEST(ClusterLayout, PictureCaptionsByKeyOrRandomLetters) {
    Document d = tableDocument(DokTyp::Cluster, 2, 2);
    setCell(d, 0, 0, 3, {}, QStringLiteral("Hund"));
    setCell(d, 1, 0, 3, {}, QStringLiteral("Hund"));
    setCell(d, 0, 1, 3, {});
    setCell(d, 1, 1, 2, {});
    RandomGenerator random(7);
    layOutCluster(d, QSize(870, 600), true, random);
    const auto pictures = objectsOf(d, Typ::ClusterQueryPicture);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0]->Cap, QStringLiteral("Hund (Bildkennung)"));
    EXPECT_EQ(pictures[2]->Cap, QStringLiteral("Hund (Bildkennung)"));
    const QString random1 = pictures[1]->Cap;
    EXPECT_TRUE(random1.endsWith(QStringLiteral(" (Zufallskennung für Bild)")));
    const QString letters = random1.left(20);
    EXPECT_EQ(letters.size(), 20);
    for (QChar ch : letters)
        EXPECT_TRUE(ch >= u'a' && ch <= u'z');
    EXPECT_EQ(d.header.LueckenTabelle[0][1].Text, random1);
    EXPECT_EQ(objectsOf(d, Typ::ClusterPicture).size(), 1u);
    // A caption an earlier build wrote is kept by the next one.
    layOutCluster(d, QSize(870, 600), true, random);
    EXPECT_EQ(objectsOf(d, Typ::ClusterQueryPicture)[1]->Cap, random1);

    // Building off changes nothing.
    const auto before = d.objects.size();
    const double kx = d.objects[0].Kx;
    layOutCluster(d, QSize(400, 300), false, random);
    EXPECT_EQ(d.objects.size(), before);
    EXPECT_EQ(d.objects[0].Kx, kx);
}

TEST(ClusterLayout, FullTableOfSixteenByTwelve) {
    Document d = tableDocument(DokTyp::Cluster, 16, 12);
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 12; ++c)
            setCell(d, r, c, 1, QStringLiteral("K%1-%2").arg(r).arg(c));
    RandomGenerator random(3);
    layOutCluster(d, QSize(1920, 1080), true, random);
    ASSERT_EQ(d.objects.size(), 192u);
    EXPECT_EQ(d.objects.back().FrageNummer, 192);
    EXPECT_EQ(d.objects.back().CellRow, 15);
    EXPECT_EQ(d.objects.back().CellColumn, 11);
    EXPECT_LT(d.objects.back().Kx, 1.0);
    EXPECT_LT(d.objects.back().Ky, 1.0);
    layOutCluster(d, QSize(1920, 1080), true, random);
    EXPECT_EQ(d.objects.size(), 192u); // rebuilding replaces, never adds
}

TEST(CrossMatchingLayout, TwoColumnAnchorsAndPartners) {
    Document d = tableDocument(DokTyp::CrossMatching, 3, 2);
    for (int r = 0; r < 3; ++r) {
        setCell(d, r, 0, 0, QStringLiteral("Land %1").arg(r));
        setCell(d, r, 1, 1, QStringLiteral("Stadt %1").arg(r));
    }
    setCell(d, 1, 1, 1, QStringLiteral("ja"));
    layOutCrossMatching(d, QSize(1000, 600), true);
    ASSERT_EQ(d.objects.size(), 6u);
    for (int r = 0; r < 3; ++r) {
        const ObjDataTyp& l = d.objects[size_t(2 * r)];
        const ObjDataTyp& o = d.objects[size_t(2 * r + 1)];
        EXPECT_DOUBLE_EQ(l.Kx, 0.375);
        EXPECT_DOUBLE_EQ(o.Kx, 0.625);
        EXPECT_DOUBLE_EQ(o.Sx, 0.375);
        EXPECT_DOUBLE_EQ(o.Sy, o.Ky);
        EXPECT_EQ(l.KAusr, 3);
        EXPECT_EQ(o.KAusr, 1);
        EXPECT_EQ(o.Sline, 5);
        EXPECT_EQ(l.Sline, 0);
        EXPECT_EQ(l.Partner, 2 * r + 1);
        EXPECT_EQ(o.Partner, 2 * r);
        EXPECT_EQ(l.FrageNummer, -1);
        EXPECT_EQ(o.FrageNummer, r + 1);
        EXPECT_EQ(l.BildKenn, QStringLiteral("Paar#%1").arg(r + 1));
        EXPECT_EQ(o.BildKenn, l.BildKenn);
    }
    EXPECT_EQ(d.objects[3].Cap, QStringLiteral("ja  "));
}

TEST(CrossMatchingLayout, ThreeColumnAnchorsKeysAndHiddenMiddle) {
    Document d = tableDocument(DokTyp::CrossMatching, 2, 3);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            setCell(d, r, c, c == 0 ? 0 : 1, QStringLiteral("Z%1%2").arg(r).arg(c));
    layOutCrossMatching(d, QSize(1000, 600), true);
    ASSERT_EQ(d.objects.size(), 8u);
    EXPECT_DOUBLE_EQ(d.objects[0].Kx, (303 - 76) / 1000.0);
    EXPECT_DOUBLE_EQ(d.objects[1].Kx, 0.493);
    EXPECT_DOUBLE_EQ(d.objects[4].Kx, (697 - 76) / 1000.0);
    EXPECT_DOUBLE_EQ(d.objects[5].Kx, (697 + 76) / 1000.0);
    EXPECT_EQ(d.objects[2].BildKenn, QStringLiteral("Paar#2"));
    EXPECT_EQ(d.objects[6].BildKenn, QStringLiteral("Paar2#2"));
    EXPECT_FALSE(d.objects[4].Aktiv);
    EXPECT_TRUE(d.objects[1].Aktiv);
    // Middle queries first, then the right column.
    EXPECT_EQ(d.objects[1].FrageNummer, 1);
    EXPECT_EQ(d.objects[3].FrageNummer, 2);
    EXPECT_EQ(d.objects[5].FrageNummer, 3);
    EXPECT_EQ(d.objects[7].FrageNummer, 4);
}

TEST(CrossMatchingLayout, ShuffleLeavesNoRightCardInItsRow) {
    for (int columns : {2, 3}) {
        for (quint64 seed : {1u, 2u, 3u, 42u}) {
            Document d = tableDocument(DokTyp::CrossMatching, 3, columns);
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < columns; ++c)
                    setCell(d, r, c, c == 0 ? 0 : 1, QStringLiteral("Z%1%2").arg(r).arg(c));
            RandomGenerator random(seed);
            prepareCrossMatching(d, true, random);
            std::multiset<double> rows;
            for (const ObjDataTyp& o : d.objects) {
                if (o.FrageNummer < 1)
                    continue;
                rows.insert(o.Ky);
                if (o.Aktiv) {
                    EXPECT_NE(o.Ky, o.Sy) << columns << " columns, seed " << seed;
                }
            }
            // The cards only trade places.
            EXPECT_EQ(rows.size(), size_t(3 * (columns - 1)));
            // Rebuilding for the learning view restores the home rows.
            prepareCrossMatching(d, false, random);
            for (const ObjDataTyp& o : d.objects)
                EXPECT_EQ(o.Ky, o.Sy);
        }
    }
}

TEST(CrossMatchingLayout, ThreeColumnShuffleMovesQueryRowsOnlyAndEnds) {
    // Query (1) and static (0) cells of the middle and right column per row:
    // more middle queries than right ones, static cells beside queries.
    const int kinds[][2] = {{1, 1}, {1, 0}, {0, 1}, {1, 0}, {0, 0}, {1, 1}};
    const int rowCount = int(std::size(kinds));
    for (quint64 seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 42u}) {
        Document d = tableDocument(DokTyp::CrossMatching, rowCount, 3);
        for (int r = 0; r < rowCount; ++r) {
            setCell(d, r, 0, 0, QStringLiteral("L%1").arg(r));
            setCell(d, r, 1, kinds[r][0], QStringLiteral("M%1").arg(r));
            setCell(d, r, 2, kinds[r][1], QStringLiteral("R%1").arg(r));
        }
        layOutCrossMatching(d, QSize(1000, 600), true);
        const std::vector<ObjDataTyp> home = d.objects;
        RandomGenerator random(seed);
        shuffleCrossMatching(d, random);

        // Objects per row: left 2r, middle 2r + 1, hidden 2R + 2r, right 2R + 2r + 1.
        std::set<double> middleRows, rightRows;
        for (int r = 0; r < rowCount; ++r) {
            const ObjDataTyp& left = d.objects[size_t(2 * r)];
            const ObjDataTyp& middle = d.objects[size_t(2 * r + 1)];
            const ObjDataTyp& hidden = d.objects[size_t(2 * rowCount + 2 * r)];
            const ObjDataTyp& right = d.objects[size_t(2 * rowCount + 2 * r + 1)];
            const double y = home[size_t(2 * r)].Ky;
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", row " << r);
            EXPECT_EQ(left.Ky, y);
            EXPECT_EQ(hidden.Ky, middle.Ky) << "the middle item's two elements stay together";
            EXPECT_EQ(right.Sy, hidden.Ky) << "the pair line joins the right item to its middle";
            if (kinds[r][0] == 1)
                EXPECT_NE(middle.Ky, y) << "middle query left its row";
            else
                EXPECT_EQ(middle.Ky, y) << "static middle item stays";
            if (kinds[r][1] == 1)
                EXPECT_NE(right.Ky, right.Sy) << "right query not beside its middle item";
            else
                EXPECT_EQ(right.Ky, y) << "static right item stays";
            middleRows.insert(middle.Ky);
            rightRows.insert(right.Ky);
        }
        // No two cards share a row: they only trade places.
        EXPECT_EQ(middleRows.size(), size_t(rowCount));
        EXPECT_EQ(rightRows.size(), size_t(rowCount));
    }
}

TEST(CrosswordLayout, ExtentLabelsAndLetters) {
    Document d;
    d.header.DokTyp = codeOf(DokTyp::Crossword);
    d.header.EinrueckRand = {};
    auto& k = d.header.crossword;
    const QStringList row{QStringLiteral("#W8"), QStringLiteral("B"), QStringLiteral("A"),
                          QStringLiteral("U"), QStringLiteral("M")};
    for (int i = 0; i < row.size(); ++i)
        k.cell(2 + i, 5) = row[i];
    k.cell(11, 9) = QStringLiteral("X");
    const CrosswordExtent e = crosswordExtent(k);
    EXPECT_EQ(e.x0, 2);
    EXPECT_EQ(e.x1, 11);
    EXPECT_EQ(e.y0, 5);
    EXPECT_EQ(e.y1, 9);

    const QSize page(1000, 700);
    QImage picture(page, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    layOutCrossword(d, page, &painter, true);
    painter.end();
    const auto letters = objectsOf(d, Typ::CrosswordCell);
    ASSERT_EQ(letters.size(), 5u);
    EXPECT_EQ(letters[0]->Cap, QStringLiteral("B"));
    EXPECT_EQ(letters[3]->Cap, QStringLiteral("M"));
    EXPECT_EQ(letters[4]->Cap, QStringLiteral("X"));
    EXPECT_EQ(d.header.TextCol, k.KGFeldschriftCol);
    EXPECT_EQ(letters[0]->Farbe, k.KGFeldschriftCol);
    // D: the smaller of the two fits; cell 0 holds the label, cell 1 the "B".
    const double gr = 0.28;
    const double cell = std::min((1 - gr) / 10 * 998, 1.0 / 5 * 698);
    EXPECT_DOUBLE_EQ(letters[0]->Kx, 1.5 * cell / 1000);
    EXPECT_DOUBLE_EQ(letters[0]->Ky, 0.5 * cell / 700);
    // The label cell gets no box; the letter cell's fill is the cell colour.
    const QColor labelFill = picture.pixelColor(rnd(0.1 * cell), rnd(0.1 * cell));
    const QColor letterFill = picture.pixelColor(rnd(1.2 * cell), rnd(0.2 * cell));
    EXPECT_EQ(labelFill, QColor(Qt::white));
    EXPECT_EQ(letterFill, QColor(0xF0, 0xF0, 0xF0));
}

TEST(CrosswordLayout, StartLabelsAreCentredOnTheirCell) {
    for (int width : {870, 1740}) {
        Document d;
        d.header.DokTyp = codeOf(DokTyp::Crossword);
        d.header.EinrueckRand = {};
        auto& k = d.header.crossword;
        k.cell(0, 0) = QStringLiteral("#W8");
        k.cell(1, 0) = QStringLiteral("B");
        k.cell(0, 1) = QStringLiteral("#S3");
        const QSize page(width, width * 7 / 10);
        QImage picture(page, QImage::Format_ARGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        layOutCrossword(d, page, &painter, false);
        painter.end();
        const double cell = std::min(0.72 / 2 * (page.width() - 2), 0.5 * (page.height() - 2));
        for (int row = 0; row < 2; ++row) {
            // The ink of the label (black) in its cell.
            int top = -1, bottom = -1;
            for (int y = rnd(row * cell); y < rnd((row + 1) * cell); ++y)
                for (int x = 0; x < rnd(cell); ++x)
                    if (qGray(picture.pixel(x, y)) < 100) {
                        top = top < 0 ? y : top;
                        bottom = y;
                    }
            ASSERT_GE(top, 0) << "label drawn";
            const double centre = (row + 0.5) * cell;
            EXPECT_NEAR((top + bottom) / 2.0, centre, 1.5 * width / 870)
                << "width " << width << ", row " << row;
        }
    }
}

TEST(CrosswordLayout, LetterSizesAndEmptyGrid) {
    EXPECT_EQ(crosswordLetterSize({0, 9, 0, 9}), 2);
    EXPECT_EQ(crosswordLetterSize({0, 3, 0, 2}), 15);
    Document d;
    d.header.DokTyp = codeOf(DokTyp::Crossword);
    const CrosswordExtent e = crosswordExtent(d.header.crossword);
    EXPECT_EQ(e.x0 + e.x1 + e.y0 + e.y1, 0);
    layOutCrossword(d, QSize(870, 600), nullptr, true);
    EXPECT_TRUE(d.objects.empty());
}

TEST(CrosswordLayout, ClueTexts) {
    CrosswordData k;
    EXPECT_TRUE(crosswordClueText(k).isEmpty());
    k.across[0] = QStringLiteral("Baum");
    EXPECT_EQ(crosswordClueText(k), QStringLiteral(" \r\n\r\nW1: Baum\r\n\r\n"));
    k.down[2] = QStringLiteral("Haus");
    EXPECT_EQ(crosswordClueText(k),
              QStringLiteral(" \r\n\r\nW1: Baum\r\n\r\n\r\n \r\n\r\nS3: Haus\r\n\r\n"));
    k.across[0].clear();
    EXPECT_EQ(crosswordClueText(k), QStringLiteral(" \r\n\r\nS3: Haus\r\n\r\n"));
}

TEST(CrosswordLayout, OverlongCluesStillDraw) {
    Document d;
    d.header.DokTyp = codeOf(DokTyp::Crossword);
    auto& k = d.header.crossword;
    k.cell(0, 0) = QStringLiteral("A");
    for (QString& clue : k.across)
        clue = QString(2000, u'x') + QStringLiteral(" Wort");
    QImage picture(QSize(870, 600), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    layOutCrossword(d, picture.size(), &painter, false);
    painter.end();
    // Something of the clue colour lies in the clue box.
    bool drawn = false;
    for (int y = 0; y < 600 && !drawn; y += 2)
        for (int x = 660; x < 850 && !drawn; ++x)
            drawn = picture.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(d.objects.empty()); // building off makes nothing
}
