// SPDX-License-Identifier: GPL-3.0-or-later
#include "clozelayout.h"
#include "document.h"
#include "documentio.h"
#include "layoutset.h"
#include "rounding.h"
#include "textmarkup.h"
#include "viewcomposer.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace quorvel;

namespace {

constexpr QSize kPage(870, 600);

// A cloze document of `subtype` without margins on a white 870 x 600 page.
Document clozeDocument(const QString& text, int subtype = 0) {
    Document d;
    d.basePicture = QImage(kPage, QImage::Format_ARGB32);
    d.basePicture.fill(Qt::white);
    d.header.DokTyp = codeOf(DokTyp::Cloze);
    d.header.DokUnterTyp = subtype;
    d.header.EinrueckRand = {};
    d.header.lueckentext = text;
    d.derivePageGeometry();
    return d;
}

ClozePage pageOf(QSize size, QPainter* canvas = nullptr) {
    ClozePage page;
    page.size = size;
    page.canvas = canvas;
    return page;
}

std::vector<const ObjDataTyp*> objectsOf(const Document& d, Typ typ) {
    std::vector<const ObjDataTyp*> found;
    for (const ObjDataTyp& o : d.objects) {
        if (typOf(o) == typ)
            found.push_back(&o);
    }
    return found;
}

// The width the gap step gave a gap standing at `left`: its card point is the
// gap's centre.
double gapWidthAt(const ObjDataTyp& gap, int left, QSize page) {
    return 2.0 * (gap.Kx * page.width() - left);
}

QFontMetrics clozeMetrics(int charHeight) {
    TextMarkupParams params;
    params.charHeight = charHeight;
    return QFontMetrics(markupFont(params));
}

// Whether the lines of `text` fit above `limit` at character height s, measured
// as the layout measures them (no margins).
bool fitsAt(const QString& text, int s, QSize page) {
    TextMarkupParams params;
    params.rightEdge = page.width();
    params.measureOnly = true;
    params.clozeMode = kMarkupClozeView;
    params.charHeight = s;
    int y = 0;
    for (const QString& line : splitMarkupLines(text)) {
        params.topY = y;
        y = renderLine(params, line);
        if (y > page.height())
            return false;
    }
    return true;
}

} // namespace

TEST(ClozeText, GapObjectsCarryTheFirstAlternativeAndTheWholeContent) {
    Document d = clozeDocument(QStringLiteral("Ein Tisch hat <<vier|Vier|4>> Beine.\r\n<<ja>>"));
    layOutCloze(d, pageOf(kPage), true);
    ASSERT_EQ(d.objects.size(), 2u);
    const ObjDataTyp& gap = d.objects[0];
    EXPECT_EQ(typOf(gap), Typ::ClozeGap);
    EXPECT_EQ(gap.Cap, QStringLiteral("vier"));
    EXPECT_EQ(gap.BildKenn, QStringLiteral("|vier|Vier|4|"));
    EXPECT_EQ(gap.Ebene, 1);
    EXPECT_EQ(gap.KAusr, 2);
    EXPECT_EQ(gap.Sx, gap.Kx);
    EXPECT_EQ(gap.Sy, gap.Ky);
    EXPECT_EQ(d.objects[1].BildKenn, QStringLiteral("|ja|"));
    // The second line's gap stands a line lower, at the left edge.
    EXPECT_GT(d.objects[1].Ky, gap.Ky);
    EXPECT_LT(d.objects[1].Kx, gap.Kx);
}

TEST(ClozeText, GapIsAtLeastMinLueckeLettersWideAndAsWideAsItsAlternative) {
    Document d = clozeDocument(QStringLiteral("<<ja>>\r\n<<Donaudampfschifffahrt|D>>"));
    d.header.MinLuecke = 10;
    layOutCloze(d, pageOf(kPage), true);
    ASSERT_EQ(d.objects.size(), 2u);
    ASSERT_EQ(d.clozeFontSize, 22);
    const QFontMetrics metrics = clozeMetrics(22);
    EXPECT_NEAR(gapWidthAt(d.objects[0], 0, kPage),
                metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXX")), 1e-9);
    EXPECT_NEAR(gapWidthAt(d.objects[1], 0, kPage),
                metrics.horizontalAdvance(QStringLiteral(" Donaudampfschifffahrt")), 1e-9);
    // The card point lies "X" high plus 4 pixels below the line's top.
    const TextMarkupParams params = [] {
        TextMarkupParams p;
        p.charHeight = 22;
        p.clozeMode = kMarkupClozeView;
        return p;
    }();
    const MarkupMetrics m = markupMetrics(params);
    EXPECT_NEAR(d.objects[0].Ky * kPage.height(), m.paragraphSpacing + metrics.height() + 4, 1e-9);
}

TEST(ClozeText, FontHeightFollowsThePageWidth) {
    const struct {
        int width;
        int height;
    } cases[] = {{870, 22}, {435, 11}, {1000, 25}};
    for (const auto& c : cases) {
        Document d = clozeDocument(QStringLiteral("Kurz <<ja>>."));
        layOutCloze(d, pageOf(QSize(c.width, 2000)), true);
        EXPECT_EQ(d.clozeFontSize, c.height) << c.width;
    }
}

TEST(ClozeText, TooLongTextShrinksStepByStepUntilItFits) {
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("Zeile %1 mit einer <<Lücke>> und etwas Text.").arg(i);
    const QString text = lines.join(QStringLiteral("\r\n"));
    Document d = clozeDocument(text);
    layOutCloze(d, pageOf(kPage), true);

    // The sizes tried: 22, then each less max(1, rnd(10 %)).
    std::vector<int> tried{22};
    while (tried.back() != d.clozeFontSize && tried.back() >= kClozeMinMeasuredHeight)
        tried.push_back(tried.back() - std::max(1, rnd(tried.back() * 0.1)));
    ASSERT_EQ(tried.back(), d.clozeFontSize);
    ASSERT_GE(tried.size(), 2u) << "the text should not fit at 22 pixels";
    EXPECT_TRUE(fitsAt(text, d.clozeFontSize, kPage));
    EXPECT_FALSE(fitsAt(text, tried[tried.size() - 2], kPage));
    EXPECT_EQ(objectsOf(d, Typ::ClozeGap).size(), 30u);

    // A text that fits nowhere runs past the bottom below 9 pixels.
    Document huge = clozeDocument(QString(text + QStringLiteral("\r\n")).repeated(20));
    layOutCloze(huge, pageOf(kPage), true);
    EXPECT_LT(huge.clozeFontSize, kClozeMinMeasuredHeight);
    EXPECT_GE(huge.clozeFontSize, kClozeMinMeasuredHeight - 1);
    EXPECT_EQ(objectsOf(huge, Typ::ClozeGap).size(), 600u);
    EXPECT_GT(objectsOf(huge, Typ::ClozeGap).back()->Ky, 1.0);
}

TEST(ClozeText, DistractorCardsAreTheLinesAsWritten) {
    Document d = clozeDocument(QStringLiteral("Der <<Mond>> scheint."), 3);
    d.header.fragentext = QStringLiteral("Mond\r\n\r\n Stern\r\n   ");
    d.objects.push_back(ObjDataTyp{}); // an object of the author stays first
    layOutCloze(d, pageOf(kPage), true);
    ASSERT_EQ(d.objects.size(), 4u);
    EXPECT_EQ(typOf(d.objects[1]), Typ::ClozeGap);
    const auto cards = objectsOf(d, Typ::DistractorCard);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0]->Cap, QStringLiteral("Mond"));
    EXPECT_EQ(cards[1]->Cap, QStringLiteral(" Stern"));
    EXPECT_EQ(cards[0]->Ebene, 0);
    EXPECT_EQ(cards[0]->KAusr, 1);
    EXPECT_EQ(cards[0]->FrageNummer, -1);
    EXPECT_EQ(cards[0]->Kx, 0.0);
    EXPECT_EQ(cards[0]->Ky, 0.0);

    // Building again replaces them; moving makes none.
    layOutCloze(d, pageOf(kPage), true);
    layOutCloze(d, pageOf(QSize(500, 400)), false);
    EXPECT_EQ(d.objects.size(), 4u);

    // Without the distractor subtype the words make no cards.
    d.header.DokUnterTyp = 0;
    layOutCloze(d, pageOf(kPage), true);
    EXPECT_TRUE(objectsOf(d, Typ::DistractorCard).empty());
}

TEST(ClozeText, EmptyTextMakesNothingAndUnclosedGapIsText) {
    Document empty = clozeDocument(QString(), 3);
    empty.header.fragentext = QStringLiteral("Mond");
    empty.objects.push_back(ObjDataTyp{});
    empty.objects.back().Typ = codeOf(Typ::DistractorCard); // as read from a file
    layOutCloze(empty, pageOf(kPage), true);
    EXPECT_TRUE(empty.objects.empty());
    EXPECT_EQ(empty.clozeFontSize, 0);

    Document open = clozeDocument(QStringLiteral("Ein <<offen\r\nzu>> und <<ja>> <<auch"));
    layOutCloze(open, pageOf(kPage), true);
    ASSERT_EQ(open.objects.size(), 1u);
    EXPECT_EQ(open.objects[0].Cap, QStringLiteral("ja"));
}

TEST(ClozeText, GapInsideAWordTakesItsLettersToTheNextLine) {
    // A right margin that leaves room for "Wir " but not for the gap behind it.
    const QFontMetrics metrics = clozeMetrics(22);
    const int room = metrics.horizontalAdvance(QStringLiteral("Wir ")) +
                     clozeGapWidth(metrics, QStringLiteral("hen"), 3) - 1;
    Document d = clozeDocument(QStringLiteral("Wir ge<<hen>>."));
    d.header.EinrueckRand.right = (kPage.width() - room) / double(kPage.width());
    layOutCloze(d, pageOf(kPage), true);
    ASSERT_EQ(d.objects.size(), 1u);
    ASSERT_EQ(d.clozeFontSize, 22);

    // "ge" went along: the gap starts right after it on the second line.
    const double g = clozeGapWidth(metrics, QStringLiteral("hen"), 3);
    EXPECT_NEAR(d.objects[0].Kx * kPage.width(),
                metrics.horizontalAdvance(QStringLiteral("ge")) + g / 2, 1e-9);
    TextMarkupParams params;
    params.charHeight = 22;
    params.clozeMode = kMarkupClozeView;
    const MarkupMetrics m = markupMetrics(params);
    EXPECT_NEAR(d.objects[0].Ky * kPage.height(),
                m.paragraphSpacing + m.lineHeight + metrics.height() + 4, 1e-9);
}

TEST(ClozeText, MovingAfterBuildingPutsTheSameObjectsWhereBuildingDoes) {
    const QString text = QStringLiteral(
        "<B>Titel</B>\r\nDie <<Sonne>> geht im <<Osten|osten>> auf, im Wes<<ten>> unter.\r\n"
        "<@POSX=40%>Ein <I><<langer|lang>></I> Satz, der sich über mehr als eine Zeile zieht, "
        "mit <<vielen>> Wörtern und <<Lücken>>.");
    for (int subtype : {0, 4}) {
        SCOPED_TRACE(subtype);
        Document built = clozeDocument(text, subtype);
        built.header.fragentext = QStringLiteral("falsch");
        built.header.EinrueckRand = {0.035, 0.01, 0.035, 0.05};
        Document moved = built;
        layOutCloze(built, pageOf(QSize(640, 450)), true);
        layOutCloze(moved, pageOf(kPage), true);
        const std::vector<ObjDataTyp> atDesign = moved.objects;
        layOutCloze(moved, pageOf(QSize(640, 450)), false);
        ASSERT_EQ(moved.objects.size(), built.objects.size());
        for (size_t i = 0; i < built.objects.size(); ++i) {
            EXPECT_EQ(moved.objects[i].Typ, built.objects[i].Typ) << i;
            EXPECT_EQ(moved.objects[i].Cap, built.objects[i].Cap) << i;
            EXPECT_DOUBLE_EQ(moved.objects[i].Kx, built.objects[i].Kx) << i;
            EXPECT_DOUBLE_EQ(moved.objects[i].Ky, built.objects[i].Ky) << i;
            EXPECT_DOUBLE_EQ(moved.objects[i].Sx, built.objects[i].Sx) << i;
        }
        EXPECT_EQ(moved.clozeFontSize, built.clozeFontSize);
        // And back at the first size, the first places.
        layOutCloze(moved, pageOf(kPage), false);
        for (size_t i = 0; i < atDesign.size(); ++i) {
            EXPECT_DOUBLE_EQ(moved.objects[i].Kx, atDesign[i].Kx) << i;
            EXPECT_DOUBLE_EQ(moved.objects[i].Ky, atDesign[i].Ky) << i;
        }
    }
}

TEST(ClozeText, MovingWithFewerObjectsThanGapsMovesWhatThereIs) {
    const QString text = QStringLiteral("Erst <<a>>, dann <<b>> und <<c>>.");
    Document built = clozeDocument(text);
    layOutCloze(built, pageOf(QSize(435, 300)), true);
    Document d = clozeDocument(text);
    layOutCloze(d, pageOf(kPage), true);
    d.objects.erase(d.objects.begin() + 1, d.objects.end());
    d.objects[0].Kx = d.objects[0].Ky = -1.0;
    layOutCloze(d, pageOf(QSize(435, 300)), false);
    ASSERT_EQ(d.objects.size(), 1u);
    EXPECT_EQ(d.objects[0].Cap, QStringLiteral("a"));
    EXPECT_DOUBLE_EQ(d.objects[0].Kx, built.objects[0].Kx);
    EXPECT_DOUBLE_EQ(d.objects[0].Ky, built.objects[0].Ky);
}

// --- the gap table ---------------------------------------------------------

namespace {

lueckentabellearrtyp& cellOf(Document& d, int r, int c) {
    return d.header.LueckenTabelle[size_t(r)][size_t(c)];
}

Document tableDocument(int rows, int columns) {
    Document d = clozeDocument(QString(), codeOf(DocumentSubtype::Table));
    d.header.LueckenTabelleZeilen = rows;
    d.header.LueckenTabelleSpalten = columns;
    return d;
}

QImage picture(int w, int h) {
    QImage p(w, h, QImage::Format_ARGB32);
    p.fill(Qt::red);
    return p;
}

} // namespace

TEST(ClozeTable, PictureCellHeightAndTheCellObjects) {
    EXPECT_EQ(clozeTablePictureHeight(20, QSize(870, 600)), 86);

    Document d = tableDocument(2, 2);
    lueckentabellearrtyp& pic = cellOf(d, 0, 0);
    pic.Art = 2;
    pic.Fsize = 20;
    pic.Bild = picture(40, 30);
    pic.BildKenn = QStringLiteral("Apfel");
    pic.BildkarteAnpassen = 1;
    cellOf(d, 1, 0).Art = 4;
    cellOf(d, 1, 0).Text = QStringLiteral("Obst");
    lueckentabellearrtyp& link = cellOf(d, 0, 1);
    link.Art = 3;
    link.Bild = picture(10, 10);
    link.BildLink = QStringLiteral("https://example.org");
    link.BildLinkInUebung = 1;
    cellOf(d, 1, 1).Text = QStringLiteral("Ein <<Apfel>>.");
    layOutCloze(d, pageOf(kPage), true);

    // Row by row, column by column; the gap of the text cell in between.
    ASSERT_EQ(d.objects.size(), 4u);
    const ObjDataTyp& p = d.objects[0];
    EXPECT_EQ(typOf(p), Typ::TableQueryPicture);
    EXPECT_EQ(p.Cap, QString());
    EXPECT_EQ(p.Fsize, 20);
    EXPECT_EQ(p.BildKenn, QStringLiteral("Apfel"));
    EXPECT_EQ(p.BildkarteAnpassen, 1);
    EXPECT_EQ(p.Bild.size(), QSize(40, 30));
    EXPECT_EQ(p.Ebene, 1);
    EXPECT_EQ(p.KAusr, 4);
    // Gap rnd(870 x 0.03) = 26, column width rnd((870 - 26) / 2) = 422.
    EXPECT_DOUBLE_EQ(p.WidthLimit, 0.95 * 422 / 870);
    EXPECT_DOUBLE_EQ(p.Kx, 211.0 / 870);
    EXPECT_DOUBLE_EQ(p.Ky, 0.0035);

    const ObjDataTyp& l = d.objects[1];
    EXPECT_EQ(typOf(l), Typ::TablePictureLink);
    EXPECT_EQ(l.Cap, QStringLiteral("https://example.org"));
    EXPECT_EQ(l.PunktInUebung, 1);

    // The query text stands below the picture: its row starts at the
    // picture's 86 pixels (the taller cell of row 0).
    const ObjDataTyp& t = d.objects[2];
    EXPECT_EQ(typOf(t), Typ::TableQueryText);
    EXPECT_EQ(t.Cap, QStringLiteral("Obst"));
    EXPECT_EQ(t.TAusr, 1);
    EXPECT_DOUBLE_EQ(t.Ky, 86.0 / 600 + 0.015);
    EXPECT_DOUBLE_EQ(t.Kx, p.Kx);
    EXPECT_DOUBLE_EQ(t.HeightLimit, 0.75 * 300 / 600 - 0.03);
    EXPECT_EQ(typOf(d.objects[3]), Typ::ClozeGap);
    EXPECT_GT(d.objects[3].Kx, 0.5);

    // Moving keeps them in their order and puts them where building does.
    Document built = d;
    layOutCloze(built, pageOf(QSize(500, 700)), true);
    layOutCloze(d, pageOf(QSize(500, 700)), false);
    ASSERT_EQ(d.objects.size(), built.objects.size());
    for (size_t i = 0; i < d.objects.size(); ++i) {
        EXPECT_DOUBLE_EQ(d.objects[i].Kx, built.objects[i].Kx) << i;
        EXPECT_DOUBLE_EQ(d.objects[i].Ky, built.objects[i].Ky) << i;
    }
}

TEST(ClozeTable, GridLinesOnlyWithTheLayoutLayerOrInAnExercise) {
    Document d = tableDocument(3, 4);
    d.header.LueckenTabelleLinie = 1;
    d.header.LueckenTabelleLinieCol = 0x0000FF; // red
    for (int r = 0; r < 3; ++r)
        cellOf(d, r, 0).Text = QStringLiteral("Zeile");
    layOutCloze(d, pageOf(kPage), true);

    const struct {
        bool layer;
        bool exercise;
        bool lines;
    } cases[] = {{true, false, true}, {false, false, false}, {false, true, true}};
    for (const auto& c : cases) {
        QImage page(kPage, QImage::Format_ARGB32_Premultiplied);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            ClozePage p = pageOf(kPage, &painter);
            p.layoutLayerVisible = c.layer;
            p.exerciseRunning = c.exercise;
            layOutCloze(d, p, false);
        }
        // Count red rows (horizontal lines) and red columns (vertical ones).
        int rows = 0;
        int columns = 0;
        for (int y = 0; y < page.height(); ++y) {
            int red = 0;
            for (int x = 0; x < page.width(); ++x)
                red += page.pixel(x, y) == qRgb(255, 0, 0);
            rows += red > page.width() / 2;
        }
        for (int x = 0; x < page.width(); ++x) {
            int red = 0;
            for (int y = 0; y < page.height(); ++y)
                red += page.pixel(x, y) == qRgb(255, 0, 0);
            columns += red > 20;
        }
        EXPECT_EQ(rows, c.lines ? 2 : 0) << c.layer << c.exercise;
        EXPECT_EQ(columns, c.lines ? 3 : 0) << c.layer << c.exercise;
    }
}

TEST(ClozeTable, HostileTableOfLongTextsLaysOut) {
    Document d = tableDocument(16, 12);
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("Wort<<lücke>> ");
    text += QString(3000, u'x');
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 12; ++c)
            cellOf(d, r, c).Text = text;
    }
    cellOf(d, 15, 11).Art = 2;
    cellOf(d, 15, 11).Fsize = 2000000000; // an absurd picture size
    d.header.LueckenTabelleZeilen = 99;   // out of range: 16
    d.header.LueckenTabelleSpalten = 99;
    layOutCloze(d, pageOf(QSize(1920, 1080)), true);
    EXPECT_EQ(objectsOf(d, Typ::ClozeGap).size(), size_t(16 * 12 - 1) * 60);
    EXPECT_EQ(objectsOf(d, Typ::TableQueryPicture).size(), 1u);
    EXPECT_EQ(d.clozeFontSize, 0); // only the flowing text remembers its size
}

TEST(ClozeLayouts, AbsurdIndentsAndPagesLayOutWithoutOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PageRect indents[] = {
        {nan, nan, nan, nan}, {1e300, -1e300, inf, -inf}, {0.6, 0.6, 0.6, 0.6}};
    for (int subtype : {0, codeOf(DocumentSubtype::Table)}) {
        for (const PageRect& indent : indents) {
            Document d = clozeDocument(QStringLiteral("Ein <<Test>> mit Text."), subtype);
            d.header.LueckenTabelleZeilen = 2;
            cellOf(d, 0, 0).Text = d.header.lueckentext;
            cellOf(d, 1, 1).Art = 4;
            d.header.EinrueckRand = indent;
            d.header.RandErw = {0.0, 1e300, 0.0, 1e300}; // an endlessly tall page
            const LayoutSet layouts = buildLayoutSet();
            layouts.generate(d);
            EXPECT_EQ(objectsOf(d, Typ::ClozeGap).size(), 1u) << subtype;
            for (QSize page : {QSize(1, 1), QSize(8192, 8192)})
                layOutCloze(d, pageOf(page), false);
        }
    }
}

// --- as the program runs it ------------------------------------------------

TEST(ClozeLayouts, ReadingBuildsCompositionMovesAndTheWriterKeepsWhatItMay) {
    Document source = tableDocument(2, 2);
    cellOf(source, 0, 0).Art = 3;
    cellOf(source, 0, 0).Bild = picture(20, 20);
    cellOf(source, 0, 1).Art = 4;
    cellOf(source, 0, 1).Text = QStringLiteral("Frage");
    cellOf(source, 1, 0).Text = QStringLiteral("Eine <<Lücke>>.");
    cellOf(source, 1, 1).Art = 2;
    cellOf(source, 1, 1).Bild = picture(20, 20);
    const LayoutSet layouts = buildLayoutSet();
    layouts.generate(source);
    ASSERT_EQ(source.objects.size(), 4u);

    QBuffer file;
    file.open(QIODevice::ReadWrite);
    ASSERT_TRUE(writeDocumentStream(file, source).ok);

    // Stored: the picture link only (Typ 3, 32 and 34 are never written).
    Document stored;
    file.seek(0);
    const LayoutSet none;
    ASSERT_TRUE(readDocumentStream(file, stored, ReadOptions{none}).ok);
    ASSERT_EQ(stored.objects.size(), 1u);
    EXPECT_EQ(typOf(stored.objects[0]), Typ::TablePictureLink);

    // Read as the program reads it: built anew, the stored link replaced.
    Document read;
    file.seek(0);
    ASSERT_TRUE(readDocumentStream(file, read, ReadOptions{layouts}).ok);
    ASSERT_EQ(read.objects.size(), 4u);
    EXPECT_EQ(typOf(read.objects[0]), Typ::TablePictureLink);
    EXPECT_EQ(typOf(read.objects[1]), Typ::TableQueryText);

    // Composing at the view's size moves them where building there puts them
    // and draws the cards.
    ViewComposer composer(read, layouts);
    composer.setViewArea(QSize(700, 500));
    composer.rebuild();
    Document expected = read;
    layOutCloze(expected, pageOf(composer.page().size()), true);
    for (size_t i = 0; i < read.objects.size(); ++i) {
        EXPECT_DOUBLE_EQ(read.objects[i].Kx, expected.objects[i].Kx) << i;
        EXPECT_DOUBLE_EQ(read.objects[i].Ky, expected.objects[i].Ky) << i;
        EXPECT_GT(read.objects[i].KartRect.right, 0.0) << i;
    }
}

TEST(ClozeLayouts, TextIsDrawnWithTheTextLayerAndDistractorsNeverOnThePage) {
    Document d = clozeDocument(QStringLiteral("Der <<Mond>> scheint hell."), 3);
    d.header.fragentext = QStringLiteral("Sonne");
    const LayoutSet layouts = buildLayoutSet();
    layouts.generate(d);
    ViewComposer composer(d, layouts);
    composer.setViewArea(kPage);
    for (bool textLayer : {true, false}) {
        composer.state().layers[1] = textLayer;
        composer.rebuild();
        // Left of the gap stands "Der".
        const QImage& page = composer.page();
        bool ink = false;
        for (int y = 0; y < 60 && !ink; ++y)
            for (int x = 0; x < 25 && !ink; ++x)
                ink = qGray(page.pixel(x, y)) < 128;
        EXPECT_EQ(ink, textLayer);
    }
    const auto cards = objectsOf(d, Typ::DistractorCard);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_FALSE(composer.isVisible(*cards[0]));
    EXPECT_LE(cards[0]->KartRect.right, 0.0); // never drawn
}
