// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostiledocuments.h"

#include "docbuilder.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int kQueryLabel = 0;
constexpr int kFixedLabel = 1;
constexpr int kInfoPoint = 2;
constexpr int kFixedPicture = 7;
constexpr int kNumberingOrdered = 1;

int scaled(int n, double scale) {
    return std::max(1, int(std::lround(n * scale)));
}

DocBuilder page() {
    DocBuilder doc;
    doc.basePicture = testPicture(870, 600);
    return doc;
}

TestObject label(int typ, double x, double y, const QByteArray& cap, int fsize) {
    TestObject o;
    o.Typ = typ;
    o.Sx = o.Kx = x;
    o.Sy = o.Ky = y;
    o.KAusr = 5;
    o.capStored = cap;
    o.Fsize = fsize;
    return o;
}

// Positions spread over the page, the same every run.
double spread(int i, int prime) {
    return 0.02 + 0.96 * double((i * prime) % 997) / 997.0;
}

} // namespace

std::vector<HostileDocument> hostileDocuments(double scale, const QString& only) {
    struct Kind {
        const char* name;
        bool uncovered;
        int numbering;
        std::function<DocBuilder()> make;
    };
    const auto longWord = [scale](int length, int fsize) {
        DocBuilder doc = page();
        doc.objects = {label(kFixedLabel, 0.5, 0.5, QByteArray(scaled(length, scale), 'w'), fsize)};
        return doc;
    };
    const auto letterFields = [scale] {
        DocBuilder doc = page();
        doc.NumArt = 1;
        for (int i = 0; i < scaled(20000, scale); ++i)
            doc.objects.push_back(label(kQueryLabel, spread(i, 31), spread(i, 57), "Feld", 0));
        return doc;
    };
    // Page-wide cards of their own captions, most reaching far off the page.
    const auto longQueries = [scale] {
        DocBuilder doc = page();
        for (int i = 0; i < scaled(1000, scale); ++i) {
            QByteArray text = QByteArray::number(i) + ' ';
            while (text.size() < 250)
                text += "Ein gewoehnlicher Satz ";
            text.truncate(250);
            TestObject o = label(kQueryLabel, spread(i, 13), spread(i, 29), text, 50);
            o.KAusr = 1;
            doc.objects.push_back(o);
        }
        return doc;
    };
    const Kind kinds[] = {
        {"LongWordFsize100", false, kNumberingOrdered, [&] { return longWord(2000, 100); }},
        {"VeryLongWordFsize30", false, kNumberingOrdered, [&] { return longWord(20000, 30); }},
        {"VeryLongWordFsize100", false, kNumberingOrdered, [&] { return longWord(20000, 100); }},
        {"MarkupAndHugeWord", true, kNumberingOrdered,
         [scale] {
             QByteArray cap;
             for (int i = 0; i < scaled(5000, scale); ++i)
                 cap += "<B>";
             cap += QByteArray(scaled(200000, scale), 'm');
             for (int i = 0; i < scaled(1000, scale); ++i)
                 cap += "<@POSX=99%>";
             DocBuilder doc = page();
             doc.objects = {label(kQueryLabel, 0.5, 0.5, cap, 100)};
             return doc;
         }},
        {"ManyCoveredLetterFields", false, kNumberingOrdered, letterFields},
        {"ManyUncoveredLetterFields", true, kNumberingOrdered, letterFields},
        {"ManyLongTexts", false, kNumberingOrdered,
         [scale] {
             DocBuilder doc = page();
             QByteArray text;
             while (text.size() < 230)
                 text += "Ein gewoehnlicher Satz ";
             for (int i = 0; i < scaled(1000, scale); ++i)
                 doc.objects.push_back(label(kFixedLabel, spread(i, 13), spread(i, 29), text, 50));
             return doc;
         }},
        {"ManyLongCoveredQueries", false, kNumberingOrdered, longQueries},
        {"ManyLongUncoveredQueries", true, kNumberingOrdered, longQueries},
        {"ManyShortLines", false, kNumberingOrdered,
         [scale] {
             QByteArray cap;
             const int lines = scaled(200000, scale);
             cap.reserve(lines * 3);
             for (int i = 0; i < lines; ++i)
                 cap += i ? ",ab" : "ab";
             DocBuilder doc = page();
             doc.objects = {label(kFixedLabel, 0.5, 0.5, cap, 50)};
             return doc;
         }},
        {"LongPointTitle", false, kNumberingOrdered,
         [scale] {
             TestObject point = label(kInfoPoint, 0.5, 0.5, "Info", 0);
             point.PktCap = QString(scaled(5200, scale), u'T');
             point.HDeck = 100;
             DocBuilder doc = page();
             doc.objects = {point};
             return doc;
         }},
        {"SixteenHugePictures", false, kNumberingOrdered,
         [scale] {
             const int side = scaled(8192, std::sqrt(scale));
             QImage picture(side, side, QImage::Format_ARGB32);
             picture.fill(Qt::darkCyan);
             TestObject o = label(kFixedPicture, 0.5, 0.5, "", 0);
             o.Bild = picture;
             DocBuilder doc = page();
             for (int i = 0; i < 16; ++i) {
                 o.Kx = o.Sx = spread(i, 7);
                 doc.objects.push_back(o);
             }
             return doc;
         }},
        {"SortedLongCaptions", false, kNumberingOrdered,
         [scale] {
             DocBuilder doc = page();
             doc.GeordnetArt = 1;
             const QByteArray prefix(scaled(10000, scale), 'p');
             for (int i = 0; i < scaled(1000, scale); ++i) {
                 doc.objects.push_back(label(kQueryLabel, spread(i, 31), spread(i, 57),
                                             prefix + QByteArray::number((i * 7919) % 1000), 0));
             }
             return doc;
         }},
        {"LongCrosswordClues", false, kNumberingOrdered,
         [scale] {
             // 60 clues of 100,000 characters: the clue box shrinks its font
             // while the text does not fit.
             DocBuilder doc = page();
             doc.DokTyp = 6;
             const char* word = "WORT";
             for (int i = 0; i < 4; ++i) {
                 doc.grid[size_t(i * 30 + 2)] = QString(QLatin1Char(word[i]));
                 doc.grid[size_t(2 * 30 + i)] = QString(QLatin1Char(word[i]));
             }
             doc.grid[1] = QStringLiteral("#1");
             QString clue;
             while (clue.size() < scaled(100000, scale))
                 clue += QStringLiteral("ein Hinweis ");
             clue.truncate(scaled(100000, scale));
             std::fill(doc.across.begin(), doc.across.end(), clue);
             std::fill(doc.down.begin(), doc.down.end(), clue);
             return doc;
         }},
    };

    std::vector<HostileDocument> docs;
    for (const Kind& kind : kinds) {
        if (only.isEmpty() || only == QLatin1String(kind.name))
            docs.push_back({kind.name, kind.make().build(), kind.uncovered, kind.numbering});
    }
    return docs;
}

QByteArray ordinaryLabellingDocument() {
    DocBuilder doc = page();
    const char* words[] = {"Merkur", "Venus", "Erde und Mond", "Jupiter", "Saturn", "Neptun"};
    for (int i = 0; i < 30; ++i) {
        TestObject o = label(i % 5 == 4 ? kInfoPoint : (i % 2 ? kQueryLabel : kFixedLabel),
                             spread(i, 31), spread(i, 57), words[i % 6], i % 3);
        o.KAusr = i % 5;
        o.Sline = 1;
        o.HDeck = 100;
        o.HFarbe = 0xE6FFFF;
        if (o.Typ == kInfoPoint)
            o.PktCap = QStringLiteral("Info");
        doc.objects.push_back(o);
    }
    return doc.build();
}
