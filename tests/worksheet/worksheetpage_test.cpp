// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "layoutset.h"
#include "recordingdevice.h"
#include "rounding.h"
#include "worksheetcontrols.h"
#include "worksheetmetrics.h"
#include "worksheetpage.h"

#include <QFontMetrics>
#include <QPicture>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;
using quorvel::test::DrawnItem;
using quorvel::test::RecordingDevice;

namespace {

const QString kFont = QStringLiteral("Arial");

int h(int n) {
    return xHeight(kFont, n);
}
int widthOf(const QString& text, int n, bool bold = false) {
    return QFontMetrics(worksheetFont(kFont, n, bold)).horizontalAdvance(text);
}

QImage solid(QColor colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A picture-labelling document with a query label per text and a query
// picture per picture, no title and no task unless the test gives them.
Document labelling(const QStringList& texts, const std::vector<QImage>& pictures = {}) {
    Document d;
    d.basePicture = solid(Qt::white, 870, 600);
    d.header.DokTyp = codeOf(DokTyp::PictureLabelling);
    d.header.ABAufgabe.clear();
    for (const QString& text : texts) {
        ObjDataTyp o;
        o.Typ = codeOf(Typ::QueryLabel);
        o.Cap = text;
        d.objects.push_back(o);
    }
    for (const QImage& picture : pictures) {
        ObjDataTyp o;
        o.Typ = codeOf(Typ::QueryPicture);
        o.Bild = picture;
        d.objects.push_back(o);
    }
    return d;
}

struct Drawn {
    WorksheetPage page;
    std::vector<DrawnItem> items;

    // What the page's parts drew: the white page itself is no part of the
    // sheet, and the body's picture and frame (between the body's top and
    // limit) are the body tests' concern.
    std::vector<DrawnItem> of(DrawnItem::Kind kind) const {
        std::vector<DrawnItem> found;
        for (const DrawnItem& item : items) {
            if (item.kind == kind && !(kind == DrawnItem::Kind::Rect && item.filled) &&
                !inBody(item))
                found.push_back(item);
        }
        return found;
    }
    bool inBody(const DrawnItem& item) const {
        const bool box = item.kind == DrawnItem::Kind::Rect || item.kind == DrawnItem::Kind::Image;
        return box && item.rect.top() >= page.bodyTop && item.rect.bottom() <= page.bodyLimit;
    }
    const DrawnItem* text(const QString& text) const {
        for (const DrawnItem& item : items) {
            if (item.kind == DrawnItem::Kind::Text && item.text == text)
                return &item;
        }
        return nullptr;
    }
    int count(const QString& text) const {
        int n = 0;
        for (const DrawnItem& item : items)
            n += item.kind == DrawnItem::Kind::Text && item.text == text;
        return n;
    }
};

Drawn draw(const Document& document, WorksheetSettings settings) {
    static const LayoutSet layouts = buildLayoutSet();
    Drawn drawn;
    drawn.page = buildWorksheet(document, settings, layouts);
    drawn.items = RecordingDevice::replay(drawn.page.picture, drawn.page.size);
    return drawn;
}

WorksheetSettings sheet(WorksheetKind kind, bool withFields = false) {
    WorksheetSettings s;
    s.kind = kind;
    if (!withFields)
        s.nameField = s.classField = s.dateField = false;
    return s;
}

// What a frame over the area (x, y, width, height) records: its lines lie on
// the area's outermost units, so the stroked rectangle is one unit smaller.
QRectF frameOver(double x, double y, double width, double height) {
    return QRectF(x, y, width - 1, height - 1);
}

// The top of a drawn text: its baseline less the ascent of its font.
int topOf(const DrawnItem& item) {
    return qRound(item.position.y()) - QFontMetrics(item.font).ascent();
}

TEST(WorksheetHeader, FieldsTakeTheWidthByTheirWeights) {
    struct Case {
        std::array<bool, 5> chosen;
        std::vector<std::pair<QString, int>> labels;
    };
    const Case cases[] = {
        {{true, false, true, false, false}, {{u"Name:"_s, 0}, {u"Datum:"_s, 750}}},
        {{true, true, true, false, false},
         {{u"Name:"_s, 0}, {u"Klasse:"_s, 600}, {u"Datum:"_s, 800}}},
        {{true, true, true, true, true},
         {{u"Name:"_s, 0},
          {u"Klasse:"_s, 429},
          {u"Datum:"_s, 572},
          {u"Fach:"_s, 715},
          {u"Blatt-Nr.:"_s, 858}}},
        {{false, false, false, true, true}, {{u"Fach:"_s, 0}, {u"Blatt-Nr.:"_s, 500}}},
    };
    for (const Case& c : cases) {
        WorksheetSettings s = sheet(WorksheetKind::Worksheet);
        s.nameField = c.chosen[0];
        s.classField = c.chosen[1];
        s.dateField = c.chosen[2];
        s.subjectField = c.chosen[3];
        s.sheetNumberField = c.chosen[4];
        const Drawn d = draw(labelling({}), s);
        ASSERT_EQ(d.of(DrawnItem::Kind::Text).size(), c.labels.size() + 2); // + footer
        for (const auto& [label, x] : c.labels) {
            const DrawnItem* item = d.text(label);
            ASSERT_NE(item, nullptr) << label.toStdString();
            EXPECT_EQ(qRound(item->position.x()), x) << label.toStdString();
            EXPECT_EQ(topOf(*item), 0) << label.toStdString();
            EXPECT_EQ(item->font.pixelSize(), 18);
        }
        const std::vector<DrawnItem> lines = d.of(DrawnItem::Kind::Line);
        ASSERT_GE(lines.size(), 1u);
        EXPECT_EQ(lines[0].line, QLineF(0, h(18), 1000, h(18)));
    }
}

TEST(WorksheetHeader, TitleIsFramedAcrossThePageOnEverySheetButTheOverlay) {
    const int a = rnd(2.5 * h(18)) + rnd(0.5 * h(18));
    const QString title = QStringLiteral("Die Wüste");
    for (WorksheetKind kind : {WorksheetKind::Worksheet, WorksheetKind::CompleteSolution,
                               WorksheetKind::SolutionOverlay, WorksheetKind::CutOut}) {
        WorksheetSettings s = sheet(kind, true);
        s.title = title;
        const Drawn d = draw(labelling({}), s);
        const DrawnItem* text = d.text(title);
        if (kind == WorksheetKind::SolutionOverlay) {
            EXPECT_EQ(text, nullptr);
            EXPECT_TRUE(d.of(DrawnItem::Kind::Rect).empty());
            continue;
        }
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->font.bold());
        EXPECT_EQ(text->font.pixelSize(), 30);
        EXPECT_EQ(topOf(*text), a);
        EXPECT_NEAR(text->position.x(), 500 - widthOf(title, 30, true) / 2, 1);
        const std::vector<DrawnItem> frames = d.of(DrawnItem::Kind::Rect);
        ASSERT_EQ(frames.size(), 1u);
        const int top = a - rnd(0.3 * h(30));
        const int bottom = a + rnd(1.3 * h(30));
        EXPECT_EQ(frames[0].rect, frameOver(0, top, 1000, bottom - top));
        // The header fields keep their space on the cut-out sheet but are not drawn.
        EXPECT_EQ(d.text(QStringLiteral("Name:")) != nullptr, kind != WorksheetKind::CutOut);
    }
}

TEST(WorksheetHeader, TaskTextIsWrappedAcrossThePageWithAnEmptyLineBelow) {
    Document doc = labelling({QStringLiteral("Wort")});
    WorksheetSettings s = sheet(WorksheetKind::Worksheet);
    s.task = QStringLiteral("Ordne die Wörter den Feldern zu und schreibe sie sauber in die "
                            "Kästchen; achte auf die Groß- und Kleinschreibung.   ");
    const Drawn d = draw(doc, s);
    std::vector<DrawnItem> lines;
    for (const DrawnItem& item : d.of(DrawnItem::Kind::Text)) {
        if (item.font.pixelSize() == 25)
            lines.push_back(item);
    }
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NEAR(topOf(lines[0]), 0, 1);
    const QFontMetrics metrics(worksheetFont(kFont, 25));
    for (const DrawnItem& line : lines) {
        EXPECT_LE(line.position.x() + metrics.horizontalAdvance(line.text), 1000);
        EXPECT_FALSE(line.text.endsWith(u' ') && line.text.trimmed().isEmpty());
    }
    // The answer row starts one empty line below the last line of the task.
    const DrawnItem* row = d.text(QStringLiteral("Wort"));
    ASSERT_NE(row, nullptr);
    EXPECT_GE(topOf(*row), topOf(lines.back()) + 2 * metrics.lineSpacing() - 1);
}

TEST(WorksheetAnswerList, TextsAreSortedIntoRowsJoinedByDashes) {
    const Drawn one = draw(labelling({u"gamma"_s, u"Alpha"_s, u"beta"_s, u"alpha"_s}),
                           sheet(WorksheetKind::Worksheet));
    const DrawnItem* row = one.text(u"Alpha - alpha - beta - gamma"_s);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(qRound(row->position.x()), 0);
    EXPECT_EQ(topOf(*row), 0);
    EXPECT_EQ(row->font.pixelSize(), 22);
    EXPECT_EQ(one.page.bodyTop, rnd(1.25 * h(22)) + rnd(h(22)));

    // Forty words fill several rows, each within the page.
    QStringList words;
    for (int i = 0; i < 40; ++i)
        words << QStringLiteral("Wort%1").arg(i, 2, 10, QLatin1Char('0'));
    const Drawn many = draw(labelling(words), sheet(WorksheetKind::Worksheet));
    std::vector<DrawnItem> rows = many.of(DrawnItem::Kind::Text);
    rows.resize(rows.size() - 2); // the footer
    ASSERT_GE(rows.size(), 3u);
    QString joined;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_LE(widthOf(rows[i].text, 22), 1000);
        EXPECT_EQ(topOf(rows[i]), int(i) * rnd(1.25 * h(22)));
        EXPECT_EQ(rows[i].text.endsWith(u" - "_s), i + 1 < rows.size());
        joined += rows[i].text;
    }
    EXPECT_EQ(joined, words.join(u" - "_s));
}

TEST(WorksheetAnswerList, AnOverWideTextIsWrappedWithinTheLineRendererWidth) {
    QString sentence;
    for (int i = 0; i < 40; ++i)
        sentence += QStringLiteral("Satzteil%1 ").arg(i);
    const Drawn d = draw(labelling({sentence}), sheet(WorksheetKind::Worksheet));
    std::vector<DrawnItem> pieces;
    for (const DrawnItem& item : d.of(DrawnItem::Kind::Text)) {
        if (item.font.pixelSize() == 22)
            pieces.push_back(item);
    }
    ASSERT_GE(pieces.size(), 3u);
    for (const DrawnItem& piece : pieces)
        EXPECT_LE(piece.position.x() + widthOf(piece.text.trimmed(), 22), 970);
    EXPECT_GT(d.page.bodyTop, topOf(pieces.back()) + h(22));
}

TEST(WorksheetAnswerList, PicturesComeFirstInOneFixedOrder) {
    const QImage red = solid(Qt::red, 100, 50);
    const QImage blue = solid(Qt::blue, 50, 50);
    const Document doc = labelling({}, {red, blue});
    const int lh = h(22);
    const int dash = widthOf(u" - "_s, 22);

    const Drawn d = draw(doc, sheet(WorksheetKind::Worksheet));
    const std::vector<DrawnItem> images = d.of(DrawnItem::Kind::Image);
    ASSERT_EQ(images.size(), 2u);
    const int firstWidth = images[0].colour == QColor(Qt::red) ? rnd(4.0 * lh) : 2 * lh;
    EXPECT_EQ(images[0].rect, QRectF(0, 0, firstWidth, 2 * lh));
    EXPECT_EQ(images[1].rect.topLeft(), QPointF(firstWidth + dash, 0));
    EXPECT_EQ(images[1].rect.height(), 2 * lh);
    // One " - " between them, none after the last picture without texts.
    ASSERT_EQ(d.count(u" - "_s), 1);
    EXPECT_EQ(qRound(d.text(u" - "_s)->position.x()), firstWidth);
    EXPECT_EQ(topOf(*d.text(u" - "_s)), rnd(0.5 * lh));
    EXPECT_EQ(d.page.bodyTop, rnd(2.5 * lh) + rnd(lh) + rnd(lh));

    // Every drawing gives the same order.
    for (int i = 0; i < 3; ++i) {
        const std::vector<DrawnItem> again =
            draw(doc, sheet(WorksheetKind::Worksheet)).of(DrawnItem::Kind::Image);
        ASSERT_EQ(again.size(), 2u);
        EXPECT_EQ(again[0].colour, images[0].colour);
    }

    // With texts after them the last picture gets its " - " too.
    const Drawn mixed = draw(labelling({u"Wort"_s}, {red, blue}), sheet(WorksheetKind::Worksheet));
    EXPECT_EQ(mixed.count(u" - "_s), 2);
    EXPECT_EQ(topOf(*mixed.text(u"Wort"_s)), rnd(2.5 * lh));
}

TEST(WorksheetAnswerList, CutOutCardsRepeatInEveryColumn) {
    const Document doc = labelling({u"Alpha"_s, u"beta"_s}, {solid(Qt::red, 60, 30)});
    WorksheetSettings s = sheet(WorksheetKind::CutOut);
    s.columns = 3;
    const Drawn d = draw(doc, s);
    const int lh = h(25);
    const int half = rnd(widthOf(u" - "_s, 25) / 2.0);
    const int columnX[] = {0, 333, 667};

    const std::vector<DrawnItem> images = d.of(DrawnItem::Kind::Image);
    ASSERT_EQ(images.size(), 3u);
    const std::vector<DrawnItem> frames = d.of(DrawnItem::Kind::Rect);
    ASSERT_EQ(frames.size(), 9u); // a picture card and two text cards, three times
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(images[size_t(k)].rect, QRectF(columnX[k] + half, 0, 4 * lh, 2 * lh));
        EXPECT_EQ(frames[size_t(k)].rect, frameOver(columnX[k], -rnd(0.25 * lh), 4 * lh + 2 * half,
                                                    2 * lh + 2 * rnd(0.25 * lh)));
    }
    const int textTop = rnd(2.5 * lh) + 6;
    for (const QString& card : {u" Alpha "_s, u" beta "_s}) {
        ASSERT_EQ(d.count(card), 3) << card.toStdString();
    }
    int k = 0;
    for (const DrawnItem& item : d.of(DrawnItem::Kind::Text)) {
        if (item.text != u" Alpha ")
            continue;
        EXPECT_EQ(qRound(item.position.x()), columnX[k]);
        EXPECT_EQ(topOf(item), textTop);
        EXPECT_EQ(item.font.pixelSize(), 25);
        EXPECT_EQ(frames[size_t(3 + k)].rect,
                  frameOver(columnX[k], textTop - rnd(0.125 * lh), widthOf(u" Alpha "_s, 25),
                            rnd(0.125 * lh) + rnd(1.125 * lh)));
        ++k;
    }
    EXPECT_EQ(k, 3);
    EXPECT_EQ(d.count(u" - "_s), 0);
}

// Everything the sheets draw around the body, for one document.
Document fullDocument() {
    QStringList words;
    for (int i = 0; i < 30; ++i)
        words << QStringLiteral("Antwort%1").arg(i);
    Document doc = labelling(words, {solid(Qt::green, 40, 40)});
    doc.header.logo.picture = solid(Qt::darkYellow, 400, 200);
    doc.header.logo.footer = QStringLiteral("Schule am See");
    return doc;
}

TEST(WorksheetPage, EachSheetDrawsItsPartsAndTheOverlayOnlyKeepsTheirSpace) {
    Document doc = fullDocument();
    struct Case {
        WorksheetKind kind;
        bool parts, title, footer, cards;
    };
    const Case cases[] = {
        {WorksheetKind::Worksheet, true, true, true, false},
        {WorksheetKind::CompleteSolution, true, true, true, false},
        {WorksheetKind::SolutionOverlay, false, false, false, false},
        {WorksheetKind::CutOut, false, true, true, true},
    };
    std::map<WorksheetKind, WorksheetPage> pages;
    for (const Case& c : cases) {
        WorksheetSettings s = startWorksheetSettings(doc);
        s.kind = c.kind;
        s.title = QStringLiteral("Titel");
        s.task = QStringLiteral("Aufgabe");
        const Drawn d = draw(doc, s);
        pages[c.kind] = d.page;
        EXPECT_EQ(d.text(u"Name:"_s) != nullptr, c.parts);
        EXPECT_EQ(d.text(u"Aufgabe"_s) != nullptr, c.parts);
        EXPECT_EQ(d.text(u"Titel"_s) != nullptr, c.title);
        EXPECT_EQ(d.text(u"Erstellt mit Quorvel."_s) != nullptr, c.footer);
        EXPECT_EQ(d.text(u"Schule am See"_s) != nullptr, c.footer);
        EXPECT_EQ(d.text(u" Antwort0 "_s) != nullptr, c.cards);
        bool logo = false;
        for (const DrawnItem& image : d.of(DrawnItem::Kind::Image))
            logo = logo || image.colour == QColor(Qt::darkYellow);
        EXPECT_EQ(logo, c.parts);
        if (c.kind == WorksheetKind::SolutionOverlay) {
            // Only the white page: no part of the sheet is drawn.
            EXPECT_TRUE(d.of(DrawnItem::Kind::Text).empty());
            EXPECT_TRUE(d.of(DrawnItem::Kind::Line).empty());
            EXPECT_TRUE(d.of(DrawnItem::Kind::Rect).empty());
            EXPECT_TRUE(d.of(DrawnItem::Kind::Image).empty());
        }
    }
    // The overlay's body starts and ends where the worksheet's does, though it
    // draws no " - " between its answers.
    EXPECT_EQ(pages[WorksheetKind::SolutionOverlay].bodyTop,
              pages[WorksheetKind::Worksheet].bodyTop);
    EXPECT_EQ(pages[WorksheetKind::SolutionOverlay].bodyTop,
              pages[WorksheetKind::CompleteSolution].bodyTop);
    EXPECT_EQ(pages[WorksheetKind::SolutionOverlay].bodyLimit,
              pages[WorksheetKind::Worksheet].bodyLimit);
}

TEST(WorksheetPage, LogoSizeAndAlignment) {
    struct Case {
        int alignment;
        bool landscape;
        int x;
    };
    for (const Case c : {Case{0, false, 0}, Case{1, false, 400}, Case{2, false, 800},
                         Case{1, true, 712}, Case{2, true, 1425}}) {
        Document doc = labelling({});
        doc.header.logo.picture = solid(Qt::darkYellow, 400, 200);
        doc.header.logo.size = 0.2;
        doc.header.logo.alignment = c.alignment;
        WorksheetSettings s = sheet(WorksheetKind::Worksheet, true);
        s.landscape = c.landscape;
        const Drawn d = draw(doc, s);
        const std::vector<DrawnItem> images = d.of(DrawnItem::Kind::Image);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].rect, QRectF(c.x, 0, 200, 100));
        EXPECT_EQ(topOf(*d.text(u"Name:"_s)), 100 + h(15));
    }
    // A logo with transparent parts is blended onto white.
    Document doc = labelling({});
    doc.header.logo.picture = QImage(20, 20, QImage::Format_ARGB32);
    doc.header.logo.picture.fill(Qt::transparent);
    const Drawn d = draw(doc, sheet(WorksheetKind::Worksheet));
    ASSERT_EQ(d.of(DrawnItem::Kind::Image).size(), 1u);
    EXPECT_EQ(d.of(DrawnItem::Kind::Image)[0].colour, QColor(Qt::white));
}

TEST(WorksheetPage, FooterAndBodyLimitInBothOrientations) {
    for (const bool landscape : {false, true}) {
        for (const int alignment : {0, 1, 2}) {
            Document doc = labelling({});
            doc.header.logo.footer = QStringLiteral("Schule am See");
            doc.header.logo.footerAlignment = alignment;
            WorksheetSettings s = sheet(WorksheetKind::Worksheet);
            s.landscape = landscape;
            const Drawn d = draw(doc, s);
            const int width = landscape ? 1625 : 1000;
            const int height = landscape ? 1000 : 1625;
            EXPECT_EQ(d.page.size, QSize(width, height));
            const int y = height - 2 * h(15);
            EXPECT_EQ(d.page.bodyLimit, y);
            ASSERT_EQ(d.of(DrawnItem::Kind::Line).size(), 1u);
            EXPECT_EQ(d.of(DrawnItem::Kind::Line)[0].line, QLineF(0, y, width, y));
            const DrawnItem* credit = d.text(u"Erstellt mit Quorvel."_s);
            ASSERT_NE(credit, nullptr);
            EXPECT_EQ(qRound(credit->position.x()), 0);
            EXPECT_EQ(topOf(*credit), y);
            const DrawnItem* address = d.text(u"www.quorvel.org"_s);
            ASSERT_NE(address, nullptr);
            EXPECT_EQ(qRound(address->position.x()) + widthOf(address->text, 15), width);
            const DrawnItem* footer = d.text(u"Schule am See"_s);
            ASSERT_NE(footer, nullptr);
            EXPECT_EQ(topOf(*footer), y + h(15));
            const int w = widthOf(footer->text, 15);
            const int x[] = {0, width / 2 - w / 2, width - w};
            EXPECT_EQ(qRound(footer->position.x()), x[alignment]);
        }
    }
    const WorksheetPage plain = draw(labelling({}), sheet(WorksheetKind::Worksheet)).page;
    EXPECT_EQ(plain.bodyLimit, 1625 - h(15));
}

TEST(WorksheetPage, AnswerListByDocumentTypeAndSheet) {
    Document doc = labelling({u"Wort"_s});
    struct Case {
        DokTyp type;
        WorksheetKind kind;
        bool answerTexts;
        bool shown;
    };
    const Case cases[] = {
        {DokTyp::PictureLabelling, WorksheetKind::Worksheet, true, true},
        {DokTyp::PictureLabelling, WorksheetKind::Worksheet, false, false},
        {DokTyp::PictureLabelling, WorksheetKind::CutOut, false, true},
        {DokTyp::MultipleChoice, WorksheetKind::CutOut, true, false},
        {DokTyp::Crossword, WorksheetKind::Worksheet, true, true},
    };
    for (const Case& c : cases) {
        doc.header.DokTyp = codeOf(c.type);
        WorksheetSettings s = sheet(c.kind);
        s.answerTexts = c.answerTexts;
        const Drawn d = draw(doc, s);
        EXPECT_EQ(d.text(u"Wort"_s) != nullptr || d.text(u" Wort "_s) != nullptr, c.shown)
            << int(c.type) << " " << int(c.kind);
    }
    // Cross matching lists only its active elements, and only to cut out.
    Document matching = labelling({});
    matching.header.DokTyp = codeOf(DokTyp::CrossMatching);
    for (const bool active : {true, false}) {
        ObjDataTyp o;
        o.Typ = codeOf(Typ::MatchingQueryText);
        o.Cap = active ? u"aktiv"_s : u"ruhend"_s;
        o.Aktiv = active;
        matching.objects.push_back(o);
    }
    EXPECT_EQ(draw(matching, sheet(WorksheetKind::Worksheet)).text(u"aktiv"_s), nullptr);
    const Drawn cut = draw(matching, sheet(WorksheetKind::CutOut));
    EXPECT_NE(cut.text(u" aktiv "_s), nullptr);
    EXPECT_EQ(cut.text(u" ruhend "_s), nullptr);
}

TEST(WorksheetControls, SetByNameAsTheDialogTakesThem) {
    WorksheetSettings s;
    const std::pair<const char*, const char*> sets[] = {
        {"ABFachBox", "1"},
        {"TextvorgabeCheck", "0"},
        {"KaestchengroesseCombo", "120 %"},
        {"SpaltenComboBox", "3"},
        {"AbFrageEdit", "2"},
        {"ModeRadio", "3"},
        {"OrientRadio", "1"},
        {"MaxFontSize", "-10"},
        {"BasisbildX", "-1,5"},
        {"BasisbildGroesse", "250"},
        {"BasisbildCheck0", "0"},
        {"TitelEdit", "Neu"},
        {"AufgMemo", "Tu was"},
        {"ErstBuchstabeVorgabeCheck", "1"},
    };
    for (const auto& [control, value] : sets) {
        EXPECT_EQ(setWorksheetControl(s, QLatin1StringView(control), QString::fromUtf8(value)),
                  std::nullopt)
            << control;
    }
    EXPECT_TRUE(s.subjectField);
    EXPECT_FALSE(s.answerTexts);
    EXPECT_EQ(s.boxSizeIndex, 7);
    EXPECT_EQ(s.columns, 3);
    EXPECT_EQ(s.firstQuestion, 2);
    EXPECT_EQ(s.kind, WorksheetKind::CutOut);
    EXPECT_TRUE(s.landscape);
    EXPECT_EQ(s.fontAdjust, -10);
    EXPECT_DOUBLE_EQ(s.basePictureX, -1.5);
    EXPECT_DOUBLE_EQ(s.basePictureSize, 250.0);
    EXPECT_FALSE(s.basePicture);
    EXPECT_EQ(s.title, u"Neu"_s);
    EXPECT_EQ(s.task, u"Tu was"_s);
    EXPECT_TRUE(s.firstLetter);
    EXPECT_EQ(worksheetControlNames().size(), 25);
}

TEST(WorksheetControls, UnknownControlsAndBadValuesChangeNothing) {
    const std::pair<const char*, const char*> bad[] = {
        {"KaestchengroesseCombo", "125 %"},
        {"KaestchengroesseCombo", "40 %"},
        {"SpaltenComboBox", "21"},
        {"SpaltenComboBox", "0"},
        {"AbFrageEdit", "0"},
        {"AbFrageEdit", "100000"},
        {"TitelCheck", "2"},
        {"ModeRadio", "4"},
        {"MaxFontSize", "11"},
        {"BasisbildX", "20.5"},
        {"BasisbildY", "-21"},
        {"BasisbildGroesse", "301"},
        {"BasisbildGroesse", "nan"},
        {"ABNameBox", "ja"},
    };
    for (const auto& [control, value] : bad) {
        WorksheetSettings s;
        const std::optional<QString> error =
            setWorksheetControl(s, QLatin1StringView(control), QString::fromUtf8(value));
        ASSERT_TRUE(error.has_value()) << control << "=" << value;
        EXPECT_TRUE(error->contains(QLatin1StringView(control)));
        EXPECT_TRUE(error->startsWith(u"Ungültiger Wert"_s));
        EXPECT_EQ(s.boxSizeIndex, 6);
        EXPECT_EQ(s.columns, 1);
        EXPECT_EQ(s.kind, WorksheetKind::Worksheet);
    }
    WorksheetSettings s;
    const std::optional<QString> error = setWorksheetControl(s, u"FarbeBox"_s, u"1"_s);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, u"Unbekanntes Steuerelement \"FarbeBox\" im Arbeitsblatt-Dialog."_s);
}

TEST(WorksheetControls, StartValuesComeFromTheDocument) {
    Document doc;
    doc.header.titel = QStringLiteral("Vulkane");
    const WorksheetSettings s = startWorksheetSettings(doc);
    EXPECT_EQ(s.title, u"Vulkane"_s);
    EXPECT_EQ(s.task, u"Aufgabe: Fülle die freien Felder aus!"_s);
    EXPECT_EQ(s.boxSizeIndex, 6);
    EXPECT_TRUE(s.nameField && s.classField && s.dateField);
    EXPECT_FALSE(s.subjectField || s.sheetNumberField);
}

} // namespace
