// SPDX-License-Identifier: GPL-3.0-or-later
#include "answerbox.h"
#include "document.h"
#include "documentio.h"
#include "hostiledocuments.h"
#include "layoutset.h"
#include "objectdrawer.h"
#include "recordingdevice.h"
#include "rounding.h"
#include "textmarkup.h"
#include "worksheetbody.h"
#include "worksheetmetrics.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

constexpr int kTop = 100;

Document documentOf(DokTyp typ) {
    Document d;
    d.header.DokTyp = codeOf(typ);
    d.header.Schriftart = QStringLiteral("Arial");
    return d;
}

QImage solid(QSize size, QColor colour) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

ObjDataTyp object(Typ typ, const QString& cap, double kx = 0.5, double ky = 0.5) {
    ObjDataTyp o;
    o.Typ = codeOf(typ);
    o.Cap = cap;
    o.Kx = o.Sx = kx;
    o.Ky = o.Sy = ky;
    o.KAusr = o.KAusrAkt = 5;
    o.Ebene = 1;
    return o;
}

using test::DrawnItem;
using test::RecordingDevice;

// What a body drew, by kind, in drawing order.
struct Recorded {
    std::vector<DrawnItem> texts;
    std::vector<DrawnItem> lines;
    std::vector<DrawnItem> rects;
    std::vector<DrawnItem> pictures;
    int end = 0;

    void take(const std::vector<DrawnItem>& items) {
        for (const DrawnItem& item : items) {
            switch (item.kind) {
            case DrawnItem::Kind::Text:
                texts.push_back(item);
                break;
            case DrawnItem::Kind::Line:
                lines.push_back(item);
                break;
            case DrawnItem::Kind::Rect:
                rects.push_back(item);
                break;
            case DrawnItem::Kind::Image:
                pictures.push_back(item);
                break;
            case DrawnItem::Kind::Other:
                break;
            }
        }
    }
    // Every text run joined, in drawing order; with `colour` only those of it.
    QString text(std::optional<QColor> colour = std::nullopt) const {
        QString all;
        for (const DrawnItem& t : texts)
            if (!colour || t.colour == *colour)
                all += t.text;
        return all;
    }
    std::vector<DrawnItem> picturesOf(QSize size) const {
        std::vector<DrawnItem> found;
        for (const DrawnItem& p : pictures)
            if (p.size == size)
                found.push_back(p);
        return found;
    }
};

Recorded drawBody(const Document& document, WorksheetSettings& settings, int top = kTop,
                  QSize page = QSize(1000, 1625), int bodyLimit = 1600) {
    RecordingDevice device(page);
    Recorded recorded;
    {
        QPainter painter(&device);
        WorksheetBodyContext context{painter,      document,      settings,
                                     page.width(), page.height(), bodyLimit};
        recorded.end = drawWorksheetBody(context, top);
    }
    recorded.take(device.items);
    return recorded;
}

WorksheetSettings sheet(WorksheetKind kind) {
    WorksheetSettings settings;
    settings.kind = kind;
    return settings;
}

const QColor kRed(255, 0, 0);

} // namespace

TEST(WorksheetBody, UnknownTypeAndCutOutSheetDrawNothing) {
    Document unknown = documentOf(DokTyp::Cloze);
    unknown.header.DokTyp = 9;
    unknown.header.lueckentext = QStringLiteral("Ein <<Text>>.");
    WorksheetSettings worksheet = sheet(WorksheetKind::Worksheet);
    const Recorded none = drawBody(unknown, worksheet);
    EXPECT_EQ(none.end, kTop);
    EXPECT_TRUE(none.texts.empty() && none.pictures.empty() && none.rects.empty());

    unknown.header.DokTyp = codeOf(DokTyp::Cloze);
    WorksheetSettings cutOut = sheet(WorksheetKind::CutOut);
    const Recorded cards = drawBody(unknown, cutOut);
    EXPECT_EQ(cards.end, kTop);
    EXPECT_TRUE(cards.texts.empty() && cards.pictures.empty());
}

TEST(WorksheetBody, LabellingPictureFillsTheWidthOrShrinksToTheBodyLimit) {
    Document d = documentOf(DokTyp::PictureLabelling);
    d.basePicture = solid(QSize(870, 650), Qt::green);
    d.objects.push_back(object(Typ::QueryLabel, QStringLiteral("Hauptstadt")));
    WorksheetSettings worksheet = sheet(WorksheetKind::Worksheet);

    const Recorded portrait = drawBody(d, worksheet);
    ASSERT_EQ(portrait.pictures.size(), 1u);
    EXPECT_EQ(portrait.pictures[0].rect, QRectF(0, kTop, 1000, 747));
    EXPECT_EQ(portrait.end, kTop + 747);
    ASSERT_FALSE(portrait.rects.empty()); // the frame, its lines on the picture's outermost units
    EXPECT_EQ(portrait.rects.back().rect, QRectF(0, kTop, 999, 746));

    // Landscape: 1625 wide would reach below the limit; the height is cut to
    // it and the width follows, centred.
    const Recorded landscape = drawBody(d, worksheet, 300, QSize(1625, 1000), 980);
    ASSERT_EQ(landscape.pictures.size(), 1u);
    EXPECT_EQ(landscape.pictures[0].rect, QRectF(357, 300, 910, 680));

    // The overlay keeps the room but draws no frame.
    WorksheetSettings overlay = sheet(WorksheetKind::SolutionOverlay);
    const Recorded clear = drawBody(d, overlay);
    EXPECT_EQ(clear.end, kTop + 747);
    EXPECT_TRUE(clear.rects.empty());
}

// The outermost black columns of row `y` (the answer box's frame).
std::pair<int, int> blackSpan(const QImage& picture, int y) {
    int left = -1, right = -1;
    for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixelColor(x, y) == Qt::black) {
            if (left < 0)
                left = x;
            right = x;
        }
    }
    return {left, right};
}

bool hasColour(const QImage& picture, const std::function<bool(QColor)>& wanted) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (wanted(picture.pixelColor(x, y)))
                return true;
    return false;
}

bool reddish(QColor c) {
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}

QImage drawObject(ObjDataTyp o, int mode, int boxSizeIndex = 5, bool firstLetter = false) {
    static const HeaderDataTyp header;
    QImage picture(870, 650, QImage::Format_RGB32);
    picture.fill(Qt::white);
    DrawContext context = DrawContext::forPage(header, picture.size());
    context.worksheet = {mode, boxSizeIndex, firstLetter};
    ObjectDrawer drawer;
    drawer.draw(picture, context, o);
    return picture;
}

TEST(WorksheetObjects, AnswerBoxWidthFollowsTheBoxSizeBeforeItsMargin) {
    static const HeaderDataTyp header;
    ObjDataTyp o = object(Typ::QueryLabel, QStringLiteral("Hauptstadt"));
    const DrawContext context = DrawContext::forPage(header, QSize(870, 650));
    ObjectDrawer drawer;
    const QRect card = drawer.card(context, o);
    const int margin = rnd(870 * 0.01);
    const auto boxWidth = [&](int k) {
        const QImage picture = drawObject(o, 1, k);
        const auto [left, right] = blackSpan(picture, card.center().y());
        return right - left + 1 - 2 * margin;
    };
    // "50 %" halves the card, "200 %" doubles it (within the rounding).
    EXPECT_EQ(boxWidth(5), card.width());
    EXPECT_NEAR(boxWidth(0), card.width() / 2.0, 1.0);
    EXPECT_NEAR(boxWidth(15), card.width() * 2.0, 1.0);
}

TEST(WorksheetObjects, SheetsShowBoxesSolutionsAndFixedObjectsByMode) {
    const ObjDataTyp label = object(Typ::QueryLabel, QStringLiteral("Hauptstadt"));
    const auto black = [](QColor c) { return c == Qt::black; };
    // Worksheet: the empty box; overlay: only the red solution; solution
    // sheet: both.
    EXPECT_TRUE(hasColour(drawObject(label, 1), black));
    EXPECT_FALSE(hasColour(drawObject(label, 1), reddish));
    EXPECT_FALSE(hasColour(drawObject(label, 2), black));
    EXPECT_TRUE(hasColour(drawObject(label, 2), reddish));
    EXPECT_TRUE(hasColour(drawObject(label, 3), black));
    EXPECT_TRUE(hasColour(drawObject(label, 3), reddish));
    // The first letter goes into the worksheet's box in red.
    EXPECT_TRUE(hasColour(drawObject(label, 1, 5, true), reddish));

    const auto notWhite = [](QColor c) { return c != Qt::white; };
    ObjDataTyp fixed = object(Typ::FixedLabel, QStringLiteral("Fest"));
    EXPECT_TRUE(hasColour(drawObject(fixed, 1), notWhite));
    EXPECT_FALSE(hasColour(drawObject(fixed, 2), notWhite));
    for (Typ never : {Typ::InfoPoint, Typ::ExternalLink, Typ::DocumentLink}) {
        ObjDataTyp point = object(never, QStringLiteral("Info"));
        point.PktCap = QStringLiteral("i");
        EXPECT_FALSE(hasColour(drawObject(point, 3), notWhite)) << int(never);
    }
    // The second element of a cross-matching middle item is never drawn.
    ObjDataTyp middle = object(Typ::MatchingText, QStringLiteral("Mitte"));
    middle.Aktiv = true;
    EXPECT_TRUE(hasColour(drawObject(middle, 1), notWhite));
    middle.Aktiv = false;
    EXPECT_FALSE(hasColour(drawObject(middle, 1), notWhite));
    ObjDataTyp onInfoLayer = fixed;
    onInfoLayer.Ebene = 2;
    EXPECT_FALSE(hasColour(drawObject(onInfoLayer, 3), notWhite));

    // The target line, on every sheet but the overlay.
    ObjDataTyp lined = object(Typ::QueryLabel, QStringLiteral("Ziel"), 0.8, 0.8);
    lined.Sx = 0.05;
    lined.Sy = 0.05;
    lined.Sline = 1;
    const QPoint onLine(rnd(870 * 0.2), rnd(650 * 0.2));
    const auto lineNear = [&](const QImage& picture) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (picture.pixelColor(onLine + QPoint(dx, dy)) != Qt::white)
                    return true;
        return false;
    };
    EXPECT_TRUE(lineNear(drawObject(lined, 1)));
    EXPECT_TRUE(lineNear(drawObject(lined, 3)));
    EXPECT_FALSE(lineNear(drawObject(lined, 2)));
    // A cross matching's line to the partner is the solution: only the
    // complete solution sheet draws it.
    for (Typ pair : {Typ::MatchingQueryText, Typ::MatchingQueryPicture}) {
        ObjDataTyp partner = lined;
        partner.Typ = codeOf(pair);
        partner.Aktiv = true;
        EXPECT_FALSE(lineNear(drawObject(partner, 1))) << int(pair);
        EXPECT_TRUE(lineNear(drawObject(partner, 3))) << int(pair);
    }
}

Document clozeDocument(const QString& text) {
    Document d = documentOf(DokTyp::Cloze);
    d.header.lueckentext = text;
    d.basePicture = solid(QSize(870, 650), Qt::yellow);
    return d;
}

TEST(WorksheetBody, ClozeGapLineFollowsTheBoxSize) {
    const Document d = clozeDocument(QStringLiteral("Die <<Hauptstadt>> liegt an der Spree."));
    const auto gapLine = [&](int k) {
        WorksheetSettings settings = sheet(WorksheetKind::Worksheet);
        settings.boxSizeIndex = k;
        const Recorded r = drawBody(d, settings);
        EXPECT_EQ(r.lines.size(), 1u);
        return r.lines.empty() ? 0.0 : r.lines[0].line.length() + 1;
    };
    const double full = gapLine(5);
    EXPECT_GT(full, 50);
    EXPECT_NEAR(gapLine(0), full / 2, 1.0);
    EXPECT_NEAR(gapLine(15), full * 2, 1.0);
}

TEST(WorksheetBody, ClozeSheetsAndFontAdjustment) {
    const Document d =
        clozeDocument(QStringLiteral("Die <<Hauptstadt|Metropole>> liegt an der Spree."));
    const struct {
        int adjust;
        int height;
    } sizes[] = {{0, 30}, {10, 40}, {-10, 20}};
    for (const auto& c : sizes) {
        WorksheetSettings settings = sheet(WorksheetKind::CompleteSolution);
        settings.fontAdjust = c.adjust;
        const Recorded r = drawBody(d, settings);
        ASSERT_FALSE(r.texts.empty());
        for (const DrawnItem& t : r.texts)
            EXPECT_EQ(t.font.pixelSize(), c.height) << c.adjust;
        EXPECT_TRUE(r.text(kRed).contains(QStringLiteral("Hauptstadt")));
        EXPECT_FALSE(r.text(kRed).contains(QStringLiteral("Metropole")));
        EXPECT_TRUE(r.text(QColor(Qt::black)).contains(QStringLiteral("Spree")));
    }
    WorksheetSettings worksheet = sheet(WorksheetKind::Worksheet);
    const Recorded blank = drawBody(d, worksheet);
    EXPECT_FALSE(blank.text().contains(QStringLiteral("Hauptstadt")));
    EXPECT_TRUE(blank.text().contains(QStringLiteral("Spree")));

    // The overlay: only the solution, no text, no frame, no picture content.
    WorksheetSettings overlay = sheet(WorksheetKind::SolutionOverlay);
    const Recorded solution = drawBody(d, overlay);
    EXPECT_EQ(solution.text(), QStringLiteral(" Hauptstadt"));
    EXPECT_TRUE(solution.lines.empty());
    EXPECT_TRUE(solution.rects.empty());
}

// A text too long for the page shrinks to the largest size that still
// ends above the body limit.
TEST(WorksheetBody, ClozeTextShrinksToTheLargestSizeThatFits) {
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("Zeile %1 hat eine <<Lücke>> und danach noch etwas mehr Text.")
                     .arg(i);
    Document d = clozeDocument(lines.join(QStringLiteral("\r\n")));
    WorksheetSettings settings = sheet(WorksheetKind::Worksheet);
    const Recorded r = drawBody(d, settings);
    ASSERT_FALSE(r.texts.empty());
    const int height = r.texts[0].font.pixelSize();
    EXPECT_LT(height, 30);
    EXPECT_LE(r.end, 1600);
    const auto endAt = [&](int charHeight) {
        TextMarkupParams params;
        params.measureOnly = true;
        params.clozeMode = kMarkupWorksheet;
        params.charHeight = charHeight;
        params.leftX = 20;
        params.rightEdge = 20 + 970;
        params.topY = kTop;
        params.boxSizeIndex = settings.boxSizeIndex;
        return renderText(params, d.header.lueckentext);
    };
    EXPECT_EQ(endAt(height), r.end);
    EXPECT_GT(endAt(height + 1), 1600);
}

TEST(WorksheetBody, BasePictureYPositionMovesItUpAndCutsIt) {
    const Document d = clozeDocument(QStringLiteral("Text"));
    WorksheetSettings settings = sheet(WorksheetKind::Worksheet);
    const Recorded level = drawBody(d, settings);
    const auto placed = level.picturesOf(QSize(870, 650));
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].rect, QRectF(0, kTop, 1000, 747));

    settings.basePictureY = -1.0; // rnd(-62.5) = -62
    const Recorded raised = drawBody(d, settings);
    const auto cut = raised.picturesOf(QSize(870, 650));
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].rect, QRectF(0, kTop, 1000, 747 - 62));
    EXPECT_NEAR(cut[0].source.top(), 62.0 * 650 / 747, 1e-6);

    // After switching to landscape the picture is fitted anew: too tall for
    // the page's width, it takes the body's height.
    settings.basePictureY = 3.0;
    settings.fitBasePicture = true;
    const Recorded fitted = drawBody(d, settings, 300, QSize(1625, 1000), 980);
    EXPECT_FALSE(settings.fitBasePicture);
    EXPECT_EQ(settings.basePictureY, 0.0);
    EXPECT_NEAR(settings.basePictureSize, 100.0 * 910 / 1625, 1e-9);
    const auto whole = fitted.picturesOf(QSize(870, 650));
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].rect, QRectF(358, 300, 910, 680)); // rnd(357.5) is 358
}

TEST(WorksheetBody, TablePictureLinkKeepsItsRoomButShowsNothing) {
    const QImage cellPicture = solid(QSize(40, 30), Qt::blue);
    const auto table = [&](int art) {
        Document d = documentOf(DokTyp::Cloze);
        d.header.DokUnterTyp = codeOf(DocumentSubtype::Table);
        d.header.LueckenTabelleZeilen = 2;
        d.header.LueckenTabelleSpalten = 1;
        d.header.LueckenTabelle[0][0].Art = art;
        d.header.LueckenTabelle[0][0].Bild = cellPicture;
        d.header.LueckenTabelle[1][0].Text = QStringLiteral("Unten");
        return d;
    };
    const auto belowTop = [](const Recorded& r) {
        for (const DrawnItem& t : r.texts)
            if (t.text.contains(QStringLiteral("Unten")))
                return t.position.y();
        return -1.0;
    };
    for (WorksheetKind kind : {WorksheetKind::Worksheet, WorksheetKind::CompleteSolution,
                               WorksheetKind::SolutionOverlay}) {
        WorksheetSettings settings = sheet(kind);
        const Recorded link = drawBody(table(3), settings);
        EXPECT_TRUE(link.picturesOf(cellPicture.size()).empty());
        const Recorded shown = drawBody(table(1), settings);
        EXPECT_EQ(shown.picturesOf(cellPicture.size()).size(), hasParts(kind) ? 1u : 0u);
        if (kind != WorksheetKind::SolutionOverlay) {
            // The same room as a drawn picture: the next row starts as low.
            EXPECT_EQ(belowTop(link), belowTop(shown));
            const int lh = xHeight(QStringLiteral("Arial"), 25);
            EXPECT_GT(belowTop(link), kTop + rnd(62.0 * lh / 22));
        }
    }
}

TEST(WorksheetBody, SingleQuestionsShowTheirAnswersOnSolutionSheets) {
    Document d = documentOf(DokTyp::SingleQuestions);
    d.header.fragentext =
        QStringLiteral("Wie heißt die Hauptstadt? // Berlin\r\n  \r\nOhne Antwort\r\nDrittens//3");
    WorksheetSettings solution = sheet(WorksheetKind::CompleteSolution);
    const Recorded full = drawBody(d, solution);
    EXPECT_TRUE(full.text().contains(QStringLiteral("1. Wie heißt die Hauptstadt?")));
    EXPECT_TRUE(full.text().contains(QStringLiteral("2. Ohne Antwort")));
    EXPECT_EQ(full.text(kRed).simplified(), QStringLiteral("Berlin --- 3"));
    EXPECT_EQ(full.lines.size(), 3u); // one line under each block

    WorksheetSettings worksheet = sheet(WorksheetKind::Worksheet);
    const Recorded blank = drawBody(d, worksheet);
    EXPECT_TRUE(blank.text(kRed).isEmpty());
    EXPECT_TRUE(blank.text().contains(QStringLiteral("3. Drittens")));

    WorksheetSettings overlay = sheet(WorksheetKind::SolutionOverlay);
    const Recorded answers = drawBody(d, overlay);
    EXPECT_EQ(answers.text().simplified(), QStringLiteral("Berlin --- 3"));
    EXPECT_TRUE(answers.lines.empty() && answers.rects.empty());
    // The overlay's answers lie exactly where the solution sheet has them.
    for (size_t i = 0; i < answers.texts.size(); ++i) {
        const DrawnItem& t = answers.texts[i];
        const bool same =
            std::any_of(full.texts.begin(), full.texts.end(), [&](const DrawnItem& f) {
                return f.text == t.text && f.position == t.position;
            });
        EXPECT_TRUE(same) << t.text.toStdString();
    }
}

TEST(WorksheetBody, QuestionsThatDoNotFitStartTheNextSheet) {
    Document d = documentOf(DokTyp::SingleQuestions);
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines.append(QStringLiteral("Frage %1 // Antwort %1").arg(i));
    d.header.fragentext = lines.join(QStringLiteral("\r\n"));
    WorksheetSettings worksheet = sheet(WorksheetKind::Worksheet);
    const Recorded first = drawBody(d, worksheet);
    const int lh = xHeight(QStringLiteral("Arial"), 25);
    EXPECT_LT(first.end, 1625 - rnd(1.5 * lh));
    // The last question on the sheet.
    int last = 0;
    for (const DrawnItem& t : first.texts) {
        const int dot = int(t.text.indexOf(u'.'));
        if (dot > 0 && t.text.left(dot).toInt() > 0)
            last = std::max(last, t.text.left(dot).toInt());
    }
    ASSERT_GT(last, 5);
    ASSERT_LT(last, 200);
    worksheet.firstQuestion = last + 1;
    const Recorded next = drawBody(d, worksheet);
    ASSERT_FALSE(next.texts.empty());
    EXPECT_TRUE(next.texts[0].text.startsWith(QString::number(last + 1) + u'.'));
    EXPECT_NEAR(next.texts[0].position.y(), first.texts[0].position.y(), 0.5);
}

ObjDataTyp mcQuestion(const QStringList& answers, int untertyp = 0) {
    ObjDataTyp o = object(Typ::MCQuestion, QString());
    // Two quoted entries (blanks separate unquoted ones): the question and
    // the answers with line breaks inside.
    o.Cap =
        QStringLiteral("\"Welche sind richtig?\",\"") + answers.join(QStringLiteral("\r\n")) + u'"';
    o.Untertyp = untertyp;
    return o;
}

TEST(WorksheetBody, MultipleChoiceOverlayShowsOnlyTheBoxPictures) {
    Document d = documentOf(DokTyp::MultipleChoice);
    d.objects.push_back(mcQuestion(
        {QStringLiteral("+ Ja"), QStringLiteral("- Nein"), QStringLiteral("+ Vielleicht")}));
    WorksheetSettings overlay = sheet(WorksheetKind::SolutionOverlay);
    const Recorded boxes = drawBody(d, overlay);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_TRUE(boxes.lines.empty());
    EXPECT_TRUE(boxes.rects.empty());
    ASSERT_EQ(boxes.pictures.size(), 3u);
    for (const DrawnItem& p : boxes.pictures)
        EXPECT_EQ(p.size, answerBoxPictures().MCImg1.size());

    // The worksheet frames the same squares and writes the texts.
    WorksheetSettings worksheet = sheet(WorksheetKind::Worksheet);
    const Recorded sheetParts = drawBody(d, worksheet);
    EXPECT_TRUE(sheetParts.pictures.empty());
    EXPECT_TRUE(sheetParts.text().contains(QStringLiteral("Vielleicht")));
    for (const DrawnItem& p : boxes.pictures) {
        const bool framed = std::any_of(sheetParts.rects.begin(), sheetParts.rects.end(),
                                        [&](const DrawnItem& r) { return r.rect == p.rect; });
        EXPECT_TRUE(framed);
    }
}

TEST(WorksheetBody, PictureAnswersStartTheSecondColumnAtTheFourthOfFive) {
    Document d = documentOf(DokTyp::MultipleChoice);
    ObjDataTyp q = mcQuestion({QStringLiteral("+ a"), QStringLiteral("- b"), QStringLiteral("- c"),
                               QStringLiteral("+ d"), QStringLiteral("- e")},
                              1);
    for (int k = 0; k < 5; ++k)
        q.BildAntw[size_t(k)] = solid(QSize(60, 40), Qt::cyan);
    d.objects.push_back(q);
    WorksheetSettings solution = sheet(WorksheetKind::SolutionOverlay);
    const Recorded r = drawBody(d, solution);
    const auto boxes = r.picturesOf(answerBoxPictures().MCImg0.size());
    ASSERT_EQ(boxes.size(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(boxes[size_t(k)].rect.left(), k < 3 ? 50 - 2 : 500 - 2) << k;
    // The second column starts at the first column's top.
    EXPECT_EQ(boxes[3].rect.top(), boxes[0].rect.top());
}

// Documents users reported as freezing the view, and absurd texts, under
// every document type: each gives a body within the page's limits.
TEST(WorksheetBody, HostileDocumentsGiveABody) {
    const LayoutSet layouts = buildLayoutSet();
    std::vector<Document> documents;
    for (const HostileDocument& doc : hostileDocuments(0.05)) {
        Document d;
        QBuffer buffer;
        buffer.setData(doc.bytes);
        buffer.open(QIODevice::ReadOnly);
        if (readDocumentStream(buffer, d, ReadOptions{layouts}).ok)
            documents.push_back(std::move(d));
    }
    Document absurd = documentOf(DokTyp::Cloze);
    absurd.header.lueckentext = QString(50000, u'W') + QStringLiteral(" <<") + QString(5000, u'x') +
                                QStringLiteral(">> ") + QStringLiteral("a b ").repeated(5000);
    absurd.header.fragentext = QStringLiteral("x//y\n").repeated(20000);
    absurd.header.LueckenTabelleZeilen = 1 << 30;
    absurd.header.LueckenTabelleSpalten = -5;
    absurd.header.EinrueckRand = {0.9, 0.9, 0.9, 0.9};
    for (int i = 0; i < 3000; ++i)
        absurd.objects.push_back(mcQuestion({QString(300, u'+')}, i % 2));
    documents.push_back(std::move(absurd));
    ASSERT_GT(documents.size(), 3u);

    for (Document& d : documents) {
        for (int typ = 0; typ <= 6; ++typ) {
            d.header.DokTyp = typ;
            for (WorksheetKind kind : {WorksheetKind::Worksheet, WorksheetKind::CompleteSolution,
                                       WorksheetKind::SolutionOverlay}) {
                WorksheetSettings settings = sheet(kind);
                settings.basePictureSize = 300;
                settings.basePictureY = 1e9;
                QPicture picture;
                QPainter painter(&picture);
                WorksheetBodyContext context{painter, d, settings, 1000, 1625, 1600, &layouts};
                const int end = drawWorksheetBody(context, kTop);
                EXPECT_GE(end, kTop);
            }
        }
    }
}
