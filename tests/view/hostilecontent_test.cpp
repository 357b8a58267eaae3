// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile content: the fast algorithms give the results of the plain loops
// on ordinary content, and the documents that once froze the view draw
// within their bounds.
#include "cardtext.h"
#include "document.h"
#include "documentio.h"
#include "hostiledocuments.h"
#include "numbering.h"
#include "objectdrawer.h"
#include "pointshape.h"
#include "randomgenerator.h"
#include "rounding.h"
#include "viewcomposer.h"
#include "viewtestsupport.h"

#include <QBuffer>
#include <QCollator>
#include <QFontMetricsF>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// The plain selection sort: the first smallest remaining element swapped
// into place, one comparison at a time.
template <typename Less> void plainSelectionSort(std::vector<int>& list, Less smaller) {
    for (size_t i = 0; i < list.size(); ++i) {
        size_t k = i;
        for (size_t j = i + 1; j < list.size(); ++j) {
            if (smaller(list[j], list[k]))
                k = j;
        }
        std::swap(list[i], list[k]);
    }
}

std::vector<int> numbersOf(const Document& d) {
    std::vector<int> n;
    for (const ObjDataTyp& o : d.objects)
        n.push_back(o.AbfrageNummer);
    return n;
}

// The numbers the plain selection sort gives the query labels of `d`.
std::vector<int> plainNumbers(const Document& d) {
    std::vector<int> list = numberingCandidates(d);
    const auto& o = d.objects;
    if (d.header.GeordnetArt == 1) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        plainSelectionSort(list, [&](int a, int b) {
            return collator.compare(o[size_t(a)].Cap, o[size_t(b)].Cap) < 0;
        });
    } else {
        plainSelectionSort(list, [&](int a, int b) {
            return o[size_t(a)].Ky < o[size_t(b)].Ky ||
                   (o[size_t(a)].Ky == o[size_t(b)].Ky && o[size_t(a)].Kx < o[size_t(b)].Kx);
        });
    }
    std::vector<int> n(o.size(), -1);
    for (size_t p = 0; p < list.size(); ++p)
        n[size_t(list[p])] = int(p + 1);
    return n;
}

std::unique_ptr<Document> readBytes(const QByteArray& bytes) {
    auto d = std::make_unique<Document>();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const IoResult result = readDocumentStream(buffer, *d, ReadOptions{noLayouts()});
    EXPECT_TRUE(result.ok) << result.detail.toStdString();
    return d;
}

} // namespace

TEST(HostileContent, OrderedNumberingKeepsTheSelectionSortOrderWithTies) {
    // Few distinct positions and captions: many ties, whose order the
    // selection sort scrambles in its own way.
    const QString caps[] = {QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("a"),
                            QStringLiteral("Ä"), QStringLiteral("c"), QStringLiteral("A")};
    // Captions with a long common beginning are ranked by keys computed once.
    const QString prefixes[] = {QString(), QString(2000, u'p'), QStringLiteral("Über ")};
    std::mt19937 dice(7);
    for (int sortMode : {0, 1}) {
        for (const QString& prefix : prefixes) {
            for (int n : {1, 2, 3, 9, 40, 157}) {
                Document d = emptyDocument(100, 100);
                d.header.GeordnetArt = sortMode;
                for (int i = 0; i < n; ++i) {
                    ObjDataTyp o = object(i % 7 == 3 ? 1 : 0, (dice() % 4) / 4.0,
                                          (dice() % 3) / 3.0, prefix + caps[dice() % 6]);
                    d.objects.push_back(o);
                }
                RandomGenerator random(1);
                numberQueryFields(d, NumberingOrdered, random);
                EXPECT_EQ(numbersOf(d), plainNumbers(d))
                    << sortMode << ' ' << n << ' ' << prefix.size();
            }
        }
    }
}

TEST(HostileContent, ShrinkBySearchEndsAtTheSizeOfTheStepwiseLoop) {
    const QString texts[] = {
        QStringLiteral("Kurz"),
        QStringLiteral("Ein ganz gewöhnlicher Satz mit einigen Wörtern darin"),
        QStringLiteral("Zeile eins\nZeile zwei\r\nZeile drei\rund vier"),
        QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitän fährt los"),
        QString(),
    };
    CardTextCache cache;
    for (const QString& text : texts) {
        for (int start : {4, 22, 60, 222}) {
            for (int width : {40, 150, 600}) {
                for (int height : {8, 30, 90, 400}) {
                    int size = start;
                    if (size > 3 && size / 4 > height)
                        size = std::max(3, height);
                    for (;;) {
                        const TypesetText t(text, objectFont(QStringLiteral("Arial"), size), width);
                        if (t.size().height() <= height || size <= 3)
                            break;
                        size = std::min(size - 1, rnd(size * 0.9));
                    }
                    const auto set =
                        cache.typeset(text, QStringLiteral("Arial"), start, 0, width, height);
                    EXPECT_EQ(set->font().pixelSize(), size)
                        << text.toStdString() << ' ' << start << ' ' << width << ' ' << height;
                }
            }
        }
    }
}

TEST(HostileContent, CardTextCacheKeepsOnlyFinalLayoutsWithinItsBudget) {
    CardTextCache cache(1 << 20);
    const QString lang = QString(20000, u'a').replace(u'a', QStringLiteral("ab\n")).left(20000);
    const auto set = cache.typeset(lang, QStringLiteral("Arial"), 122, 0, 500, 600);
    EXPECT_EQ(set->font().pixelSize(), shrinkSizes(122).back());
    EXPECT_LE(cache.usedBytes(), size_t(1) << 20);
    for (int i = 0; i < 200; ++i)
        cache.typeset(QString::number(i), QStringLiteral("Arial"), 22, 0, 500, 600);
    EXPECT_LE(cache.usedBytes(), size_t(1) << 20);
}

TEST(HostileContent, LinesBelowTheRoomAreNotLaidOutYetTheCardLooksTheSame) {
    // 50,000 lines stay taller than the room at the smallest size: only the
    // lines that reach the room are laid out, and they draw what the whole
    // text would.
    QString many;
    for (int i = 0; i < 50000; ++i)
        many += QStringLiteral("Zeile %1\r\n").arg(i);
    CardTextCache cache;
    const auto shown = cache.typeset(many, QStringLiteral("Arial"), 22, 0, 300, 200);
    const int smallest = shrinkSizes(22).back();
    ASSERT_EQ(shown->font().pixelSize(), smallest);
    EXPECT_LE(shown->lineCount(), 200 / shown->lineHeight() + 2);
    const TypesetText whole(many.left(many.indexOf(QStringLiteral("Zeile 2000"))),
                            objectFont(QStringLiteral("Arial"), smallest), 300);
    ASSERT_GT(whole.lineCount(), shown->lineCount());
    QImage pictures[2];
    for (const auto& [picture, set] :
         {std::pair{&pictures[0], shown.get()}, std::pair{&pictures[1], &whole}}) {
        *picture = QImage(300, 200, QImage::Format_ARGB32_Premultiplied);
        picture->fill(Qt::white);
        QPainter painter(picture);
        set->draw(painter, QRect(0, 0, 300, 200), TextAlignment::Left);
    }
    EXPECT_EQ(pictures[0], pictures[1]);
}

TEST(HostileContent, BadgeLabelSizeIsThatOfThePixelByPixelLoop) {
    for (double s : {0.5, 1.0, 2.2}) {
        for (int n : {1, 9, 27, 99, 100, 999, 1000, 27 + 26 * 20, 26 * 40}) {
            for (int numArt : {0, 1}) {
                const QString text = numberText(n, numArt);
                const double room = std::max(1, rnd(30.0 * s)) - 4.0;
                int size = std::max(1, rnd(16.0 * s));
                while (size > 1 && QFontMetricsF(titleFont(size)).horizontalAdvance(text) > room)
                    --size;
                EXPECT_EQ(numberBadgeTextSize(text, s), size) << s << ' ' << n << ' ' << numArt;
            }
        }
    }
}

// A long letter label draws only what reaches its card: the same pixels, in
// the card's picture, as the whole label centred on the badge.
TEST(HostileContent, LongLetterBadgeDrawsWhatTheWholeLabelDrawsInItsCard) {
    for (double s : {0.7, 1.0, 1.6}) {
        for (int n : {26 * 17 + 1, 26 * 17 + 2, 26 * 40 + 5, 26 * 200 + 25, 20000}) {
            for (const QRect& card : {QRect(5, 4, 40, 20), QRect(3, 7, 90, 30)}) {
                SCOPED_TRACE(testing::Message() << s << ' ' << n << ' ' << card.width());
                const QString text = numberText(n, 1);
                const QRect picture = card | numberBadgeRect(card, s);
                QImage expected(picture.size(), QImage::Format_ARGB32_Premultiplied);
                expected.fill(Qt::transparent);
                QImage drawn = expected;
                {
                    QPainter painter(&expected);
                    painter.translate(-picture.topLeft());
                    const int d = std::max(1, rnd(30.0 * s));
                    const QPointF centre = QRectF(card).center();
                    paintEllipse(painter, QRectF(centre.x() - d / 2.0, centre.y() - d / 2.0, d, d),
                                 QColor(0x46, 0x7D, 0xBB), Qt::white);
                    drawCentred(painter, centre, text, titleFont(numberBadgeTextSize(text, s)),
                                Qt::white);
                }
                {
                    QPainter painter(&drawn);
                    painter.translate(-picture.topLeft());
                    drawNumberBadge(painter, card, text, s);
                }
                EXPECT_EQ(drawn, expected);
            }
        }
    }
}

// Covered fields numbered far apart share a finished card when their labels
// look the same; the composition still shows every badge as drawn alone.
TEST(HostileContent, CoveredFieldsMatchTheirCoverAndBadgeDrawnAlone) {
    // Covers and badges are finished once and shared between fields: small
    // fields with long letter labels, and cards larger than their badges
    // (or smaller) whose width changes between whole and half-pixel centres.
    struct Case {
        int numArt;
        int fields;
        QString caption;
        int fsize;
    };
    const Case cases[] = {{1, 1200, QStringLiteral("Feld"), 0},
                          {0, 12, QStringLiteral("Ein recht langer Text"), 30},
                          {0, 12, QStringLiteral("Feld"), 0},
                          {0, 12, QStringLiteral("i"), 0}};
    for (const Case& c : cases) {
        Document d = emptyDocument(870, 600);
        d.header.NumArt = c.numArt;
        for (int i = 0; i < c.fields; ++i) {
            d.objects.push_back(object(0, 0.5, 0.5, c.caption));
            d.objects.back().Fsize = c.fsize;
        }
        RandomGenerator random(1);
        coverAndNumber(d, NumberingOrdered, random);
        ViewComposer composer(d, noLayouts());
        composer.setViewArea(QSize(870, 600));
        std::set<int> parities;
        for (int longer = 0; longer < 8 && parities.size() < 2; ++longer) {
            d.objects.back().Cap = c.caption + QString(longer, u'i');
            composer.rebuild();
            // Every field lies on the same spot: the last one drawn is on top.
            const ObjDataTyp& top = d.objects.back();
            ASSERT_EQ(top.AbfrageNummer, c.fields);
            const QRect card = composer.drawer().card(composer.drawContext(), d.objects.back());
            parities.insert(card.width() % 2);
            QImage alone = composer.pageWithoutObjects().copy();
            {
                QPainter painter(&alone);
                drawCover(painter, card, composer.drawContext().s);
                drawNumberBadge(painter, card, numberText(c.fields, c.numArt),
                                composer.drawContext().s);
            }
            // Within the card the cover is opaque: nothing of the fields
            // below shows.
            EXPECT_EQ(composer.page().copy(card), alone.copy(card)) << c.fields << ' ' << longer;
        }
        EXPECT_EQ(parities.size(), 2u);
    }
}

TEST(HostileContent, CardsReachingOffThePageDrawTheirVisiblePartAlike) {
    // Only what of a card lies on the page is finished and kept: what shows
    // is what the whole card draws on a picture large enough for all of it,
    // wherever the card stood before (one drawer for all, in this order).
    const HeaderDataTyp header;
    const QSize page(870, 600);
    const DrawContext context = DrawContext::forPage(header, page);
    struct Case {
        double x, y;
        bool covered;
        int number;
    } const cases[] = {{0.97, 0.5, false, 0}, {0.5, 0.5, false, 0},  {0.93, 0.97, false, 0},
                       {0.97, 0.5, false, 0}, {0.97, 0.5, true, 0},  {0.5, 0.98, true, 7},
                       {0.5, 0.5, true, 7},   {0.98, 0.98, true, 7}, {0.97, 0.5, true, 0}};
    ObjectDrawer drawer;
    for (const Case& c : cases) {
        ObjDataTyp o =
            object(0, c.x, c.y, QStringLiteral("Ein Text, der weit über die Seite reicht"));
        o.Fsize = 20;
        o.HFarbe = 0x80C0FF;
        o.HDeck = 100;
        o.AbfrageNummer = c.number;
        const DrawMode mode = c.covered ? DrawMode::Covered : DrawMode::Normal;
        QImage onPage(page, QImage::Format_ARGB32_Premultiplied);
        onPage.fill(Qt::white);
        const QRect card = drawer.draw(onPage, context, o, mode);
        ASSERT_GT(card.right(), 0);
        QImage whole(page * 3, QImage::Format_ARGB32_Premultiplied);
        whole.fill(Qt::white);
        ObjectDrawer fresh;
        EXPECT_EQ(fresh.draw(whole, context, o, mode), card);
        EXPECT_EQ(onPage, whole.copy(QRect(QPoint(0, 0), page)))
            << c.x << ", " << c.y << (c.covered ? " covered" : "");
    }
}

TEST(HostileContent, AWordWiderThanThePageMakesACardNoWiderThanThePage) {
    Document d = emptyDocument(870, 600);
    ObjDataTyp o = object(1, 0.5, 0.5, QString(3000, u'w'));
    o.Fsize = 100;
    d.objects.push_back(o);
    ViewComposer composer(d, noLayouts());
    composer.setViewArea(QSize(870, 600));
    composer.rebuild();
    const QRect card = composer.drawer().card(composer.drawContext(), d.objects[0]);
    EXPECT_LE(card.width(), composer.page().width());
    EXPECT_GT(card.width(), composer.page().width() * 9 / 10);
}

// The documents users reported, at a twentieth of their sizes: each is read,
// covered, numbered and drawn; every card stays within the page's size.
TEST(HostileContent, ReportedDocumentsDrawWithinThePage) {
    for (const HostileDocument& doc : hostileDocuments(0.05)) {
        SCOPED_TRACE(doc.name);
        const auto d = readBytes(doc.bytes);
        RandomGenerator random(3);
        coverAndNumber(*d, doc.numbering, random);
        if (doc.uncovered) {
            for (ObjDataTyp& o : d->objects)
                o.AbfrageStatus = AbfrageStatus::Uncovered;
        }
        ViewComposer composer(*d, noLayouts());
        composer.setViewArea(QSize(640, 480));
        composer.rebuild();
        ASSERT_FALSE(composer.view().isNull());
        const QSize page = composer.page().size();
        for (ObjDataTyp& o : d->objects) {
            const QRect card = composer.drawer().card(composer.drawContext(), o);
            EXPECT_LE(card.width(), page.width());
            EXPECT_LE(card.height(), page.height());
        }
    }
}

TEST(HostileContent, NonFinitePositionsDrawNothingAndStayAsStored) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double kx, ky, sx, sy;
        bool drawn;
    } cases[] = {
        {nan, 0.5, 0.5, 0.5, false},  {0.5, inf, 0.5, 0.5, false},   {-inf, 0.5, 0.5, 0.5, false},
        {0.5, 0.5, nan, 0.5, false}, // the target line's end
        {1e308, 0.5, 0.5, 0.5, true}, {0.5, -1e308, 0.5, 0.5, true}, {0.5, 0.5, 0.5, 0.5, true},
    };
    for (const auto& f : cases) {
        SCOPED_TRACE(testing::Message() << f.kx << ' ' << f.ky << ' ' << f.sx);
        Document d = emptyDocument(200, 100);
        ObjDataTyp o = object(1, 0.5, 0.5, QStringLiteral("Text"));
        o.Kx = f.kx;
        o.Ky = f.ky;
        o.Sx = f.sx;
        o.Sy = f.sy;
        o.Sline = 1;
        o.LinieDicke = 3;
        d.objects.push_back(o);
        ViewComposer composer(d, noLayouts());
        composer.setViewArea(QSize(200, 100));
        composer.rebuild();
        const QRect card = composer.drawer().draw(const_cast<QImage&>(composer.page()),
                                                  composer.drawContext(), d.objects[0]);
        EXPECT_EQ(!card.isEmpty(), f.drawn);
        if (!f.drawn) {
            EXPECT_EQ(composer.page(), composer.pageWithoutObjects());
        }
        // The document keeps what the file said.
        EXPECT_TRUE(d.objects[0].Kx == f.kx || (std::isnan(f.kx) && std::isnan(d.objects[0].Kx)));
        EXPECT_TRUE(d.objects[0].Sx == f.sx || (std::isnan(f.sx) && std::isnan(d.objects[0].Sx)));
    }
}

// The cache answers repeated requests for one caption without hashing it
// again; a caption edited in place, or asked for with other bounds, is laid
// out anew.
TEST(HostileContent, CardTextCacheSeesEditedCaptionsAndOtherBounds) {
    CardTextCache cache;
    QString caption = QStringLiteral("Merkur");
    caption.reserve(64); // room to grow in place
    const auto first = cache.typeset(caption, QStringLiteral("Arial"), 22, 0, 400, 300);
    EXPECT_EQ(cache.typeset(caption, QStringLiteral("Arial"), 22, 0, 400, 300), first);
    caption += QStringLiteral(" Venus Erde Mars");
    const auto edited = cache.typeset(caption, QStringLiteral("Arial"), 22, 0, 400, 300);
    EXPECT_GT(edited->size().width(), first->size().width());
    const auto narrow = cache.typeset(caption, QStringLiteral("Arial"), 22, 0, 60, 300);
    EXPECT_GT(narrow->lineCount(), edited->lineCount());
    const auto bold = cache.typeset(caption, QStringLiteral("Arial"), 22, 1, 60, 300);
    EXPECT_TRUE(bold->font().bold());
}
