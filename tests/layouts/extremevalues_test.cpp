// SPDX-License-Identifier: GPL-3.0-or-later
// Every number a file holds, at the extremes a file can hold, through each
// document type's layout, the composition and the drawing: nothing hangs or
// overflows, no card grows past the page, and the document keeps the values
// as stored, so that writing it back changes nothing.
#include "document.h"
#include "documentio.h"
#include "layoutset.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "viewcomposer.h"

#include <QBuffer>
#include <QPainter>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

using namespace quorvel;

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const int kInts[] = {kIntMin, -1, 0, 101, 5000, kIntMax};
const int kHeaderInts[] = {kIntMin, -1, 101, kIntMax};
const double kReals[] = {-1e308, -0.5, 1.5, 1e308, kNan, -kInf, kInf};

const LayoutSet& layouts() {
    static const LayoutSet set = buildLayoutSet();
    return set;
}

// A document of `dokTyp` with something for its layout to lay out: a text,
// questions, table cells, a crossword word, and stored objects of several
// types.
Document documentOf(DokTyp dokTyp) {
    Document d;
    d.basePicture = QImage(174, 120, QImage::Format_ARGB32); // small: written twice per case
    d.basePicture.fill(Qt::white);
    HeaderDataTyp& h = d.header;
    h.DokTyp = codeOf(dokTyp);
    h.lueckentext = QStringLiteral("Ein <<Test>> mit <<Text|Wort>> und Luecken.");
    h.fragentext = QStringLiteral("Frage A // Antwort A\r\nFrage B // Antwort B");
    h.LueckenTabelleZeilen = 3;
    h.LueckenTabelleSpalten = 2;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c)
            h.LueckenTabelle[size_t(r)][size_t(c)].Text =
                QStringLiteral("Zelle %1%2").arg(r).arg(c);
    }
    for (int x = 0; x < 4; ++x)
        h.crossword.cell(x, 2) = QString(QChar(u'A' + x));
    h.crossword.across[0] = QStringLiteral("Vier Buchstaben");
    d.derivePageGeometry();
    const int typs[] = {0, 1, 2, 3, 7};
    for (int i = 0; i < 5; ++i) {
        ObjDataTyp o;
        o.Typ = typs[i];
        o.Ebene = 1;
        o.Cap = QStringLiteral("Objekt %1").arg(i);
        o.PktCap = QStringLiteral("Info");
        o.Sx = o.Kx = 0.2 + 0.15 * i;
        o.Sy = 0.3;
        o.Ky = 0.5;
        o.Sline = 1;
        o.KAusr = i;
        if (typs[i] == 7) {
            o.Bild = QImage(40, 30, QImage::Format_ARGB32);
            o.Bild.fill(Qt::darkGreen);
        }
        d.objects.push_back(o);
    }
    return d;
}

// The file `d` makes, but for the side each card was last drawn on, which
// drawing records in `KAusrAkt`.
QByteArray written(Document d) {
    for (ObjDataTyp& o : d.objects)
        o.KAusrAkt = 0;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeDocumentStream(buffer, d).ok);
    return buffer.data();
}

// Lays out, numbers, composes at 640 x 480 at each of `zoomLevels`, draws
// every object once more on its own, and checks what must hold whatever the
// values.
void layOutAndDraw(Document& d, const std::string& label,
                   std::initializer_list<int> zoomLevels = {0}) {
    SCOPED_TRACE(label);
    layouts().generate(d);
    const QByteArray before = written(d);
    RandomGenerator random(5);
    coverAndNumber(d, NumberingOrdered, random);
    for (int zoomLevel : zoomLevels) {
        ViewComposer composer(d, layouts());
        composer.state().zoomLevel = zoomLevel;
        composer.setViewArea(QSize(640, 480));
        composer.rebuild();
        ASSERT_FALSE(composer.outOfMemory());
        const QSize page = composer.page().size();
        QImage target(page, QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(target.isNull());
        for (size_t i = 0; i < d.objects.size(); ++i) {
            const QRect card = composer.drawer().card(composer.drawContext(), d.objects[i]);
            EXPECT_LE(card.width(), page.width()) << "object " << i;
            EXPECT_LE(card.height(), page.height()) << "object " << i;
            composer.drawObject(target, int(i));
        }
    }
    EXPECT_EQ(written(d), before) << "composing changed what is stored";
}

struct ObjectField {
    const char* name;
    bool sizes; // sizes what is drawn: tried at the highest zoom too
    std::function<void(ObjDataTyp&, int)> setInt;
    std::function<void(ObjDataTyp&, double)> setReal;
};

struct HeaderField {
    const char* name;
    std::function<void(HeaderDataTyp&, int)> setInt;
    std::function<void(HeaderDataTyp&, double)> setReal;
};

} // namespace

TEST(ExtremeValues, ObjectFieldsOfAnyValueDrawWithinThePage) {
    // clang-format off
    const ObjectField fields[] = {
        {"Sx Sy", true, {}, [](ObjDataTyp& o, double v) { o.Sx = v; o.Sy = -v; }},
        {"Kx Ky", true, {}, [](ObjDataTyp& o, double v) { o.Kx = v; o.Ky = v; }},
        {"KAusr", false, [](ObjDataTyp& o, int v) { o.KAusr = v; o.KAusrAkt = v; }, {}},
        {"TAusr", false, [](ObjDataTyp& o, int v) { o.TAusr = v; }, {}},
        {"Ebene", false, [](ObjDataTyp& o, int v) { o.Ebene = v; }, {}},
        {"Typ", false, [](ObjDataTyp& o, int v) { o.Typ = v; }, {}},
        {"Untertyp", false, [](ObjDataTyp& o, int v) { o.Untertyp = v; }, {}},
        {"Sline", false, [](ObjDataTyp& o, int v) { o.Sline = v; }, {}},
        {"Fsize", true, [](ObjDataTyp& o, int v) { o.Fsize = v; }, {}},
        {"Stil", false, [](ObjDataTyp& o, int v) { o.Stil = v; }, {}},
        {"HDeck", false, [](ObjDataTyp& o, int v) { o.HDeck = v; }, {}},
        {"LinieDicke", true, [](ObjDataTyp& o, int v) { o.LinieDicke = v; }, {}},
        {"FrageNummer", false, [](ObjDataTyp& o, int v) { o.FrageNummer = v; }, {}},
        {"AntwortAnz", false, [](ObjDataTyp& o, int v) { o.AntwortAnz = v; }, {}},
        {"ZIndex", false, [](ObjDataTyp& o, int v) { o.ZIndex = v; }, {}},
        {"BildDeck", false, [](ObjDataTyp& o, int v) { o.BildDeck = v; }, {}},
        {"BildkarteAnpassen", false, [](ObjDataTyp& o, int v) { o.BildkarteAnpassen = v; }, {}},
        {"MCInfoLinkData", false, [](ObjDataTyp& o, int v) { o.MCInfoLinkData.fill(v); }, {}},
    };
    // clang-format on
    for (const ObjectField& field : fields) {
        const auto run = [&](const std::function<void(ObjDataTyp&)>& set,
                             const std::string& value) {
            Document d = documentOf(DokTyp::PictureLabelling);
            for (ObjDataTyp& o : d.objects)
                set(o);
            layOutAndDraw(d, std::string(field.name) + " = " + value,
                          field.sizes ? std::initializer_list<int>{0, 4}
                                      : std::initializer_list<int>{0});
        };
        if (field.setInt) {
            for (int v : kInts)
                run([&](ObjDataTyp& o) { field.setInt(o, v); }, std::to_string(v));
        }
        if (field.setReal) {
            for (double v : kReals)
                run([&](ObjDataTyp& o) { field.setReal(o, v); }, std::to_string(v));
        }
    }
}

TEST(ExtremeValues, HeaderFieldsOfAnyValueLayOutEveryDocumentType) {
    const auto margins = [](double v) { return PageRect{v, v, v, v}; };
    // clang-format off
    const HeaderField fields[] = {
        {"RandErw", {}, [&](HeaderDataTyp& h, double v) { h.RandErw = margins(v); }},
        {"EinrueckRand", {}, [&](HeaderDataTyp& h, double v) { h.EinrueckRand = margins(v); }},
        {"BasisbildDeck", [](HeaderDataTyp& h, int v) { h.BasisbildDeck = v; }, {}},
        {"MinLuecke", [](HeaderDataTyp& h, int v) { h.MinLuecke = v; }, {}},
        {"LueckenTabelle", [](HeaderDataTyp& h, int v) {
             h.LueckenTabelleZeilen = v;
             h.LueckenTabelleSpalten = v;
             h.LueckenTabelleLinie = v;
         }, {}},
        {"Zellen", [](HeaderDataTyp& h, int v) {
             for (auto& row : h.LueckenTabelle) {
                 for (auto& cell : row) {
                     cell.Fsize = v;
                     cell.Art = v;
                     cell.BildkarteAnpassen = v;
                 }
             }
             for (auto& column : h.LueckentabelleSpaltenHtgd)
                 column.opacity = v;
         }, {}},
        {"NumArt GeordnetArt", [](HeaderDataTyp& h, int v) { h.NumArt = v; h.GeordnetArt = v; }, {}},
        {"AnzFrageNummern", [](HeaderDataTyp& h, int v) { h.AnzFrageNummern = v; }, {}},
        {"DokUnterTyp", [](HeaderDataTyp& h, int v) { h.DokUnterTyp = v; }, {}},
        {"Zielpunktgroesse", [](HeaderDataTyp& h, int v) { h.Zielpunktgroesse = v; }, {}},
    };
    // clang-format on
    for (int dokTyp = 0; dokTyp <= codeOf(DokTyp::Crossword); ++dokTyp) {
        for (const HeaderField& field : fields) {
            const auto run = [&](const std::function<void(HeaderDataTyp&)>& set,
                                 const std::string& value) {
                Document d = documentOf(static_cast<DokTyp>(dokTyp));
                set(d.header);
                layOutAndDraw(d, "DokTyp " + std::to_string(dokTyp) + ", " + field.name + " = " +
                                     value);
            };
            if (field.setInt) {
                for (int v : kHeaderInts)
                    run([&](HeaderDataTyp& h) { field.setInt(h, v); }, std::to_string(v));
            }
            if (field.setReal) {
                for (double v : kReals)
                    run([&](HeaderDataTyp& h) { field.setReal(h, v); }, std::to_string(v));
            }
        }
    }
}
